// The program without its windows: `tessera --check`, `--commands` and `--keys` read configs as
// the config check (F7) and the keyboard map read them and print what they find, for a config
// repository's CI, a pre-commit hook, an editor's problem list or a server without a display.
#pragma once

#include "language/vocabulary.h"

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

struct CommandLineRequest {
    enum class Mode { Check, Commands, Keys, Effective, Help };
    enum class Format { Gcc, Json };
    Mode mode = Mode::Check;
    Format format = Format::Gcc;
    QString gameDir; // empty: each file's own game folder
    QStringList files;
};

// The exit statuses, as linters give them.
constexpr int kExitClean = 0;
constexpr int kExitWarnings = 1;
constexpr int kExitUnreadable = 2;

// Whether the arguments are the tool's rather than the editor's: any option but the editor's own
// (`--check`, `--game`, ... and any `--word` the program does not know, which the tool then
// refuses, so a mistyped option never opens a window). After `--` every argument is a file.
bool wantsCommandLineTool(const QStringList& arguments);

// The request the arguments make, or nothing with `error` saying what is wrong.
std::optional<CommandLineRequest> parseCommandLine(const QStringList& arguments, QString* error);

// The usage text of `--help`.
QString commandLineUsage();

// Runs the request, printing findings, commands or keys to `out` and what could not be read to
// `err`; returns the exit status (the highest of the files').
int runCommandLineTool(const CommandLineRequest& request, const Vocabulary& words, QTextStream& out,
                       QTextStream& err);

// The game folder a config belongs to: the nearest folder above it (its own included) that holds
// liblist.gam, else its own folder.
QString gameFolderOf(const QString& configPath);
