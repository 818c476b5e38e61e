// What the game (or a server it was connected to) changed in the player's config.cfg: the game
// rewrites the file at every exit with only the binds and settings it saves, and a server can
// push binds and settings into it. The report compares the file as the game left it with the
// player's last version in the versions store, in words, and offers the two ways back: the
// dropped lines moved into autoexec.cfg, or the player's version restored.
#pragma once

#include "language/vocabulary.h"
#include "platform/version_store.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>

struct ConfigChange {
    enum class Kind { Bind, Setting };
    Kind kind = Kind::Bind;
    QString name;        // the key, or the setting ("setinfo _ah" for a user-info key)
    QString before;      // empty: it was not there
    QString after;       // empty: it is gone
    bool pushed = false; // a command a player rarely writes: possibly a server's
};

struct ConfigChangeReport {
    QStringList droppedLines; // the player's lines the game did not write back, as written
    QList<ConfigChange> changes;
    bool isEmpty() const { return droppedLines.isEmpty() && changes.isEmpty(); }
    qsizetype pushedCount() const;
    // The report in words, for the versions window.
    QString text() const;
};

// Whether `gameFile` names a file of the game folder: for an `exec` the set does not have.
using GameFileExists = std::function<bool(const QString& name)>;

// Compares the player's config.cfg (`mine`) with the file the game left (`now`).
ConfigChangeReport compareGameConfig(QStringView mine, QStringView now, const Vocabulary& words,
                                     const GameFileExists& exists);

// Whether commands bound to a key look pushed by a server rather than written by a player:
// connect, retry, say with an address, motdfile, cl_timeout, unbindall, exec of a file the game
// folder lacks, developer, a name change.
bool looksPushedByServer(QStringView boundCommands, const GameFileExists& exists);

// The player's last version of a config.cfg: the newest version the game did not write (a
// change found on disk that starts as the game's own file does) and that is no start script of
// the launcher.
std::optional<FileVersion> playersVersion(const VersionStore& store, const QString& configPath);

// The report for a config.cfg that just changed on disk, against the player's last version;
// empty when there is none or nothing of the player's changed.
ConfigChangeReport reportGameChange(const VersionStore& store, const QString& configPath,
                                    const Vocabulary& words);

struct MoveResult {
    bool ok = true;
    int moved = 0;   // lines appended (those autoexec.cfg already had are not)
    QString message; // what went wrong, or what was done
};

// Appends `lines` to autoexec.cfg (created when missing) in its own encoding and line breaks,
// only those lines and each read back by the console as the commands it was: a text that would
// read otherwise, or a character the file cannot hold, writes nothing.
MoveResult moveLinesToAutoexec(const VersionStore& store, const QString& autoexecPath,
                               const QStringList& lines);
