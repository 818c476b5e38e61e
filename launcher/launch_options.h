// The launcher's twelve launch options with their hints, the rules a check-mark click follows
// (the three renderers act as one choice; "-win" and "-full" exclude each other), and the
// game's command line built from the window's choices.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

enum LaunchOption : int {
    OptConsole,
    OptDev,
    OptWin,
    OptFull,
    OptD3d,
    OptGl,
    OptNoip,
    OptNoipx,
    OptNojoy,
    OptSafe,
    OptSoft,
    OptWavonly,
    LaunchOptionCount
};

struct LaunchOptionEntry {
    QString text; // as passed to the game, "-console"
    QString hint; // shown when the option is clicked
};

// The options in list order (the index is a LaunchOption).
const std::array<LaunchOptionEntry, LaunchOptionCount>& launchOptionTable();

using OptionChecks = std::array<bool, LaunchOptionCount>;

// What the window checks each time it opens: "-console", "-full" and "-gl".
OptionChecks defaultOptionChecks();

// Hints of the window's check boxes.
QString gameCheckHint();   // CheckBox1, "-game ..."
QString driverCheckHint(); // CB2, "-gldrv ..."
QString mlookCheckHint();  // CheckBox2, "+mlook"

// The option checks with the driver controls that the renderer choice governs.
struct OptionsState {
    OptionChecks checked{};
    bool driverBoxEnabled = true;    // CB2
    bool driverBoxChecked = true;    // CB2
    bool driverChoiceEnabled = true; // ComB2
};

struct CheckClickResult {
    OptionsState state;
    bool selectDefaultDriver = false; // "-gl" picks "Default" in the driver choice
};

// The state after the check mark of option `clicked` was toggled (the toggle already applied
// in `before`). -1 means no option is selected: nothing changes.
CheckClickResult applyCheckClick(const OptionsState& before, int clicked);

struct LaunchSettings {
    QString mod;
    bool driverChecked = true;
    QString driver;
    OptionChecks checked{};
    int maxPlayers = 8;
};

// The game's parameters, one argument per entry, in the order: -game, -gldrv, the checked
// options in list order, +maxplayers, -gamegauge.
QStringList launchArguments(const LaunchSettings& settings);
// The same as one line (LaunchParams).
QString launchParams(const LaunchSettings& settings);
