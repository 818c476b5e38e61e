// The config set run as the game runs it at start: the files in the game's order, each command
// executed as the engine's command buffer executes it, and what that leaves behind: every
// variable, key, alias and user-info key with its final value, the file and line that set it and
// the lines it undid.
//
// The start, from the engine's code (public rebuilds: ReHLDS and GoldSourceRebuild, host.cpp,
// sys_dll.cpp, sys_engine.cpp, cmd.cpp) and the 1.1.0.7 engine's own binary:
// 1. Host_Init puts "exec valve.rc" at the front of the command buffer (Cbuf_InsertText). The
//    file is found in the mod's folder, else in the base game's; the game's valve.rc holds
//    "exec autoexec.cfg" and "stuffcmds" (the command line's "+" commands), in that order.
// 2. After the engine's start the launcher reloads the profile (ForceReloadProfile): it adds
//    "exec config.cfg" (and, in the Steam engine, "+mlook") at the end of the buffer and runs it.
//    So valve.rc, and autoexec.cfg with it, runs first and config.cfg after: a config.cfg that
//    begins with "unbindall", as the game writes it, undoes every bind of autoexec.cfg. The
//    Steam game ends its config.cfg with "exec userconfig.cfg", which therefore runs last.
// 3. The same profile load then binds "~" and "`" to toggleconsole and Escape to cancelselect;
//    that happens when its run of the buffer stops, at the end or at the first "wait".
// In the 1.1.0.7 engine (hw.dll) the same two steps are there (valve.rc inserted at host start,
// config.cfg added by the profile load the launcher calls, Escape bound after), but the order of
// the launcher's two calls is not in the engine's file: the Steam order stands for it.
//
// The command buffer holds 16,384 bytes. An exec'd file goes in front of what is left, between two
// line breaks; one that does not fit is run line by line after everything still in the buffer
// (the engine's own shortcut: such a file's lines also end at a tab or a non-ASCII letter). An
// alias runs its body in front of what is left. Text that does not fit is dropped, which is how
// a file that execs itself stops. A command runs as the console finds it: a command of the
// engine or client before an alias of the same name, an alias before a variable.
#pragma once

#include "language/config_commands.h"
#include "language/config_run_types.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Vocabulary;

namespace configrun {

// A file of the chain, in the order the game first runs it.
struct ChainFile {
    QString name;   // as "exec" names it, lower case
    QString shown;  // relative to the game folder ("config.cfg", "../valve/valve.rc"), or as given
    QString path;   // the file read, empty when missing
    int parent = -1;   // the file whose "exec" ran it, -1 for the engine
    int execLine = 0;  // that exec's line
    bool missing = false;  // named by an exec, absent from the folders
    bool standard = false; // the game's own valve.rc, absent from this installation
    int decides = 0;       // final values this file sets
};

struct Note {
    Place place;
    QString text;
};

struct Result {
    QList<ChainFile> chain;
    QList<Final> finals; // variables, keys, aliases, user info, each sorted by name
    QList<Note> notes;
    // The watched file's place in the chain (-1 when the game never runs it), and where each
    // name set before it first ran was set then (keys unbound then are left out).
    int watched = -1;
    QHash<QString, Place> beforeWatched; // by keyOf(kind, name)
    const Final* find(Kind kind, const QString& name) const;
    // Where `name` stood just before the watched file ran, or nullptr.
    const Place* placeBeforeWatched(Kind kind, const QString& name) const;
    // "autoexec.cfg:12" (1-based), "движок" for the engine itself.
    QString placeText(const Place& place) const;
    QString fileOf(const Place& place) const;
};

struct FileText {
    QString text;
    console::Bytes bytes = console::Bytes::Single;
    QString shown; // how to name it; empty for the name relative to the game folder
};

struct Options {
    QString gameDir;
    // Texts that stand in for files of the set, by the name "exec" gives (lower case, "/"): the
    // editor's unsaved document, a config tried before it is put in place.
    QHash<QString, FileText> standIns;
    // The game's command line: its "+" commands run where valve.rc says "stuffcmds".
    QStringList commandLine;
    bool steam = true; // the Steam engine also adds "+mlook" after config.cfg
    // A file (a stand-in name) whose start the result notes: what was set before it first ran.
    QString watch;
    // Called with every command run, in order (for tracing a run).
    std::function<void(const QStringList& words, const Place& place)> trace;
};

// Runs the set of `options.gameDir`. Names are known through `words` (which are commands,
// which are variables).
Result run(const Options& options, const Vocabulary& words);

// Runs the set of `gameDir` with `text` standing in for the file `path` (watched), when that file
// is in the game's folders; otherwise the set as the folders hold it.
Result runWithStandIn(const QString& gameDir, const QString& path, const QString& text,
                      console::Bytes bytes, const Vocabulary& words);

// A name the watched file sets (or binds) that a later command outside it decides, with the
// watched file's lines it undoes.
struct DecidedLater {
    const Final* final = nullptr;
    QList<int> undoneLines; // 0-based lines of the watched file
};
QList<DecidedLater> decidedAfterWatched(const Result& run);

// The name an exec of `written` looks for, as the set's stand-ins are keyed ("Config.CFG" ->
// "config.cfg").
QString execName(QStringView written);
// The stand-in key of a file given by path: its name relative to the game folder or the base
// game's folder; for a file outside them its file name, or with `inside` an empty string.
QString standInName(const QString& gameDir, const QString& path, bool inside = false);

// A file's lines as the engine's line-by-line run cuts them: each piece and its 0-based line.
struct Piece {
    int start = 0; // in the text
    int length = 0;
    int line = 0;
};
QList<Piece> lineByLinePieces(QStringView text);
// The same pieces one at a time.
class LineByLine {
public:
    explicit LineByLine(QStringView text) : m_text(text) {}
    bool next(Piece& piece);

private:
    QStringView m_text;
    qsizetype m_at = 0;
    int m_line = 0;
};

} // namespace configrun
