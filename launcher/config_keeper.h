// Keeping the user's own config.cfg while the launcher's start script stands in its place.
// Before the script replaces a mod's config.cfg, its content is kept beside it
// ("config.cfg.bak", then "config.cfg.bak2", ...; a kept copy is never overwritten). When the
// program ends, a config.cfg that still holds exactly the script we wrote gets the kept content
// back; one the game has rewritten stays, with the kept copy beside it.
#pragma once

#include "state/shared_state.h"

#include <QByteArray>
#include <QString>

class UserDialogs;

// Whether `bytes` is a start script of the launcher's form ("exec _.cfg", "map ...", and
// optionally "+mlook", with CR LF or LF line breaks): one left by a run that ended without
// restoring.
bool isStartScript(const QByteArray& bytes);

// The kept copies of `configPath`, oldest first (".bak", ".bak2", ...).
QStringList keptCopies(const QString& configPath);

struct KeepResult {
    bool ok = true;
    QString keptCopy; // where the config's content now is; empty when there was none
    QString failedPath;
    QString reason;
};

// Keeps the content of `configPath` before a start script replaces it. A config.cfg that is
// itself one of our start scripts is not kept again: the copy kept before it (`previous`, when
// this run wrote that script, else the newest kept copy) still holds the user's config.
KeepResult keepUserConfig(const QString& configPath, const SharedState::LaunchedConfig* previous);

struct StartScriptResult {
    bool ok = true;
    QString failedPath;
    QString reason;
};

// Keeps the mod's config.cfg, writes `script` over it in the config's encoding and line breaks
// and records both for the restore at the end of the run. Nothing is written over config.cfg when
// its content could not be kept.
StartScriptResult writeStartScript(SharedState& state, const QString& configPath,
                                   const QString& script);

// Puts back the kept configs recorded this run; returns a message per config that could not be
// put back (its kept copy stays where it is).
QStringList restoreUserConfigs(SharedState& state);

// Puts back the kept config of `configPath` at once (a start that failed) and forgets it;
// returns why it could not be put back, or an empty text.
QString restoreUserConfig(SharedState& state, const QString& configPath);

// The program-end step: restores and reports failures.
void restoreKeptConfigs(SharedState& state, UserDialogs& dialogs);
