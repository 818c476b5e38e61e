// "Проверить конфиг": what is wrong or suspicious in a config, each finding with its line. Every
// check is a function of its own over the parsed text, so each is tested on its own.
#pragma once

#include "language/config_syntax.h"
#include "language/vocabulary.h"

#include <QList>
#include <QSet>
#include <QString>

struct ConfigFinding {
    enum class Kind { Warning, Hint };
    int line = 0; // 0-based
    Kind kind = Kind::Warning;
    QString message;
    bool operator==(const ConfigFinding&) const = default;
};

struct ParsedConfig {
    QList<ConfigLine> lines;
    QSet<QString> aliases; // defined anywhere in the text, lower case
};
ParsedConfig parseConfig(const QString& text);

// A first word of a line that no list knows and the document does not define as an alias.
QList<ConfigFinding> checkUnknownCommands(const ParsedConfig& config, const Vocabulary& words);
// A double quote without its closing partner on the same line.
QList<ConfigFinding> checkUnclosedQuotes(const ParsedConfig& config);
// The same key bound on two lines: the later one wins in the game; both lines are named.
QList<ConfigFinding> checkDuplicateBinds(const ParsedConfig& config);
// Aliases that call each other round in a circle with none of them ever redefined (no way
// out: the game hangs or overflows), the circle named.
QList<ConfigFinding> checkAliasCycles(const ParsedConfig& config);
// A command inside a bind or an alias that is neither known nor defined here (a hint: it may
// come from another file).
QList<ConfigFinding> checkUndefinedAliases(const ParsedConfig& config, const Vocabulary& words);
// "exec" of a file that the game directory (or the base game's folder beside it) does not have.
// No finding when the game directory is not known.
QList<ConfigFinding> checkMissingExecFiles(const ParsedConfig& config, const QString& gameDir);
// A bind or unbind of a key name the game does not know (any letter case).
QList<ConfigFinding> checkUnknownKeys(const ParsedConfig& config);

// Aliases the game has from other files when this config runs: those of the game directory's
// config.cfg and autoexec.cfg (the game runs both at start) and of the files the config execs.
QSet<QString> aliasesFromGameFiles(const ParsedConfig& config, const QString& gameDir);

// Every check, ordered by line; aliases from the game's other files count as defined.
QList<ConfigFinding> checkConfig(const QString& text, const Vocabulary& words,
                                 const QString& gameDir);

// "Строка 12: ..." as the check list shows a finding.
QString findingCaption(const ConfigFinding& finding);
