// Starting the game with the edited config: the launch copy "_.cfg", the start script that
// the game runs as its config.cfg, the choice of the program to start on this system, and the
// whole sequence after the launcher window was confirmed.
#pragma once

#include "state/shared_state.h"

#include <QString>
#include <QStringList>
#include <functional>

class Shell;

// What the launcher window hands over when it is confirmed.
struct LaunchChoice {
    QString mod;
    QString map;
    bool mlook = true;
    QStringList arguments; // the game's parameters (LaunchParams, one per entry)
};

// A map typed by hand wins over the one selected in the list.
QString chosenMap(const QString& typed, const QString& selected);

// "exec _.cfg", "map <map>" and, with mlook, "+mlook"; no line break after the last line.
QString startScript(const QString& map, bool mlook);

// The system the game is started on: Windows starts "hl.exe" itself; elsewhere it goes through
// wine (when installed), or a Linux installation's own start script is used.
struct GameHost {
    bool windows = false;
    QString wine; // wine's path, empty when it is not installed
};
GameHost currentGameHost();

struct GameProgram {
    QString program; // empty: nothing in the Half-Life folder can be started here
    QStringList arguments;
};

// On Windows "hl.exe" in the Half-Life folder. Elsewhere "hl.exe" through wine when both are
// there, otherwise the native "hl.sh" or "hl_linux" of the same folder, with the same
// parameters.
GameProgram gameProgram(const QString& halfLifeDir, const QStringList& params,
                        const GameHost& host);

struct LaunchOutcome {
    bool ok = true;
    QString message; // for an error box when not ok
};

// The launch after confirmation: copies `configFile` as saved to the mod's "_.cfg", writes the
// start script over the mod's config.cfg (keeping the user's, see config_keeper.h), and starts
// the game in the Half-Life folder. A failed copy or write starts nothing. `whenEnded` is called
// with the mod's config.cfg once the game has ended (nothing waits for it).
LaunchOutcome launchGame(SharedState& state, Shell& shell, const QString& configFile,
                         const LaunchChoice& choice, const GameHost& host,
                         std::function<void(const QString& configPath)> whenEnded = {});

// The message when the game cannot be started.
QString wrongGameFolderMessage();
// What is missing when no game program was found in `halfLifeDir`: hl.exe, or wine for it.
QString missingGameProgram(const QString& halfLifeDir, const GameHost& host);
