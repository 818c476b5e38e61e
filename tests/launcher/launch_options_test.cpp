// The command line and the rules of the option check marks.
#include "launcher/launch_options.h"
#include "launcher_test_files.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

LaunchSettings defaults() {
    LaunchSettings s;
    s.mod = u"cstrike"_s;
    s.driverChecked = true;
    s.driver = u"Default"_s;
    s.checked = defaultOptionChecks();
    s.maxPlayers = 8;
    return s;
}

OptionsState stateWith(std::initializer_list<int> checked) {
    OptionsState s;
    for (int i : checked)
        s.checked[i] = true;
    return s;
}

} // namespace

TEST(LaunchParams, DefaultsGiveTheUsualCommandLine) {
    EXPECT_EQ(launchParams(defaults()),
              u"-game cstrike -console -full -gl +maxplayers 8 -gamegauge"_s);
    EXPECT_EQ(launchArguments(defaults()),
              (QStringList{u"-game"_s, u"cstrike"_s, u"-console"_s, u"-full"_s, u"-gl"_s,
                           u"+maxplayers"_s, u"8"_s, u"-gamegauge"_s}));
}

TEST(LaunchParams, DriverIsPassedUnlessDefaultUncheckedOrEmpty) {
    LaunchSettings s = defaults();
    s.driver = u"3dfxgl.dll"_s;
    EXPECT_EQ(launchParams(s),
              u"-game cstrike -gldrv 3dfxgl.dll -console -full -gl +maxplayers 8 -gamegauge"_s);
    s.driver = u"my own.dll"_s; // typed, not from the list: passed as typed, as one argument
    EXPECT_EQ(launchArguments(s).mid(2, 2), (QStringList{u"-gldrv"_s, u"my own.dll"_s}));
    s.driverChecked = false;
    EXPECT_FALSE(launchParams(s).contains(u"-gldrv"_s));
    s.driverChecked = true;
    s.driver = u"  "_s;
    EXPECT_FALSE(launchParams(s).contains(u"-gldrv"_s));
}

TEST(LaunchParams, OptionsInListOrderThenPlayersAndGamegauge) {
    LaunchSettings s = defaults();
    s.mod = u"valve"_s;
    s.checked.fill(true);
    s.maxPlayers = 32;
    EXPECT_EQ(launchParams(s), u"-game valve -console -dev -win -full -d3d -gl -noip -noipx -nojoy "
                               u"-safe -soft -wavonly +maxplayers 32 -gamegauge"_s);
    s.checked.fill(false);
    s.maxPlayers = 1;
    EXPECT_EQ(launchParams(s), u"-game valve +maxplayers 1 -gamegauge"_s);
}

TEST(OptionClicks, RenderersActAsOneChoiceAndGovernTheDriver) {
    // -d3d clicked while -gl is checked: only -d3d, and no driver.
    OptionsState s = stateWith({OptConsole, OptFull, OptGl, OptD3d});
    CheckClickResult r = applyCheckClick(s, OptD3d);
    EXPECT_TRUE(r.state.checked[OptD3d]);
    EXPECT_FALSE(r.state.checked[OptGl]);
    EXPECT_FALSE(r.state.checked[OptSoft]);
    EXPECT_FALSE(r.state.driverBoxEnabled);
    EXPECT_FALSE(r.state.driverBoxChecked);
    EXPECT_FALSE(r.state.driverChoiceEnabled);
    EXPECT_TRUE(r.state.checked[OptConsole]); // other options untouched

    // Clicking the checked renderer (its mark just cleared) keeps it checked.
    r = applyCheckClick(stateWith({OptConsole}), OptSoft);
    EXPECT_TRUE(r.state.checked[OptSoft]);
    EXPECT_FALSE(r.state.driverBoxChecked);

    // -gl brings the driver back, on "Default".
    r = applyCheckClick(r.state, OptGl);
    EXPECT_TRUE(r.state.checked[OptGl]);
    EXPECT_FALSE(r.state.checked[OptSoft]);
    EXPECT_TRUE(r.state.driverBoxEnabled && r.state.driverBoxChecked &&
                r.state.driverChoiceEnabled);
    EXPECT_TRUE(r.selectDefaultDriver);

    // Any other option leaves renderers and driver as they are.
    r = applyCheckClick(stateWith({OptD3d, OptGl}), OptNojoy);
    EXPECT_TRUE(r.state.checked[OptD3d] && r.state.checked[OptGl]);
    EXPECT_FALSE(r.selectDefaultDriver);
}

TEST(OptionClicks, WinAndFullExcludeEachOtherAndMayBothBeOff) {
    CheckClickResult r = applyCheckClick(stateWith({OptFull, OptWin}), OptWin);
    EXPECT_TRUE(r.state.checked[OptWin]);
    EXPECT_FALSE(r.state.checked[OptFull]);
    // -win clicked again (its mark cleared): neither stays.
    r = applyCheckClick(stateWith({}), OptWin);
    EXPECT_FALSE(r.state.checked[OptWin] || r.state.checked[OptFull]);
    r = applyCheckClick(stateWith({OptWin, OptFull}), OptFull);
    EXPECT_FALSE(r.state.checked[OptWin]);
    EXPECT_TRUE(r.state.checked[OptFull]);
    // No option selected: nothing changes.
    const OptionsState before = stateWith({OptWin, OptFull, OptD3d, OptGl});
    EXPECT_EQ(applyCheckClick(before, -1).state.checked, before.checked);
}
