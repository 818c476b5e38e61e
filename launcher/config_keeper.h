// Keeping the user's own config.cfg while the launcher's start script stands in its place.
// The script is written through the versions store, so the config it replaces is kept there
// (nothing is written beside it in the game's folder). When the game ends, or at the latest when
// the program does, a config.cfg that still holds exactly the script we wrote gets the user's
// content back; one the game has rewritten stays, and the change is reported
// (launcher/config_change_report.h).
#pragma once

#include "platform/version_store.h"
#include "state/shared_state.h"

#include <QByteArray>
#include <QString>
#include <optional>

class UserDialogs;

// Whether `bytes` is a start script of the launcher's form ("exec _.cfg", "map ...", and
// optionally "+mlook", with CR LF or LF line breaks): one left by a run that ended without
// restoring.
bool isStartScript(const QByteArray& bytes);

// The newest version of `configPath` (in the store, or a copy an older version of the program
// left beside it) that is no start script: the user's config behind a script a crashed run left.
// With `skipGame`, no change found on disk that starts as the game writes config.cfg either:
// the player's last own version.
std::optional<FileVersion> newestNonScriptVersion(const VersionStore& store,
                                                  const QString& configPath, bool skipGame = false);

struct StartScriptResult {
    bool ok = true;
    QString failedPath;
    QString reason;
};

// Writes `script` over the mod's config.cfg in the config's encoding and line breaks, keeping
// what it replaces in the versions store, and records both for the restore. Nothing is written
// over config.cfg when its content could not be kept.
StartScriptResult writeStartScript(SharedState& state, const QString& configPath,
                                   const QString& script);

// Puts back the configs recorded this run; returns a message per config that could not be put
// back (its content stays in the versions store).
QStringList restoreUserConfigs(SharedState& state);

// Puts back the user's config of `configPath` at once (the game ended, or a start failed) and
// forgets it; returns why it could not be put back, or an empty text.
QString restoreUserConfig(SharedState& state, const QString& configPath);

// The program-end step: restores and reports failures.
void restoreKeptConfigs(SharedState& state, UserDialogs& dialogs);

// Whether a start script of this run stands in the config at `configPath` (the game it started
// is still running).
bool startScriptStandsIn(const LaunchState& launch, const QString& configPath);
