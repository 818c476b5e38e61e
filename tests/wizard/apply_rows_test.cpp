// Every row of the wizard's apply table, as a player meets it: a config that holds every
// setting, one control changed, "Применить": that setting's line says the new value, every
// other byte stays, and reading the config again gives the pages as they were with the one
// change.
#include "wizard/apply_settings.h"
#include "wizard/pivo.h"
#include "wizard_test_support.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Each setting once, in the forms players' configs have (a setinfo line, a plain user-info line,
// the bare keywords).
const QString kEverySetting = u"// mine\n"
                              u"bind \"w\" \"+forward\"\n"
                              u"name \"Player\"\n"
                              u"cl_righthand \"1\"\n"
                              u"setinfo \"_ah\" \"1\"\n"
                              u"_vgui_menus \"1\"\n"
                              u"setinfo dm 1\n"
                              u"con_color \"0 0 0\"\n"
                              u"r_drawviewmodel \"1\"\n"
                              u"hud_centerid \"1\"\n"
                              u"drawradar\n"
                              u"gl_spriteblend \"1\"\n"
                              u"fastsprites \"1\"\n"
                              u"max_smokepuffs \"120\"\n"
                              u"max_shells \"120\"\n"
                              u"r_decals \"300\"\n"
                              u"net_graph \"1\"\n"
                              u"gl_monolights \"1\"\n"
                              u"cl_observercrosshair \"1\"\n"
                              u"ghosts \"1\"\n"
                              u"adjust_crosshair\n"
                              u"cl_bob \"0.01\"\ncl_bobup \"0.5\"\ncl_bobcycle \"0.8\"\n"
                              u"hud_fastswitch \"1\"\n"
                              u"gl_wateramp \"1\"\n"
                              u"hud_saytext \"1\"\n"
                              u"m_filter \"1\"\n"
                              u"cl_dynamiccrosshair \"1\"\n"
                              u"sensitivity \"3\"\n"
                              u"zoom_sensitivity_ratio \"1.2\"\n"
                              u"scr_conspeed \"600\"\n"
                              u"mp_roundtime \"5\"\n"
                              u"mp_c4timer \"45\"\n"
                              u"mp_freezetime \"6\"\n"
                              u"mp_timelimit \"0\"\n"
                              u"mp_maxrounds \"5\"\n"
                              u"mp_buytime \"1.5\"\n"
                              u"sv_restartround \"1\"\n"
                              u"mp_winlimit \"0\"\n"
                              u"cl_corpsestay \"600\"\n"
                              u"hud_saytext_time \"5\"\n"
                              u"hud_deathnotice_time \"6\"\n"
                              u"mp_friendlyfire \"1\"\n"
                              u"mp_autokick \"1\"\n"
                              u"mp_limitteams \"2\"\nmp_autoteambalance \"0\"\n"
                              u"mp_hostagepenalty \"5\"\n"
                              u"mp_forcechasecam \"1\"\n"
                              u"mp_fadetoblack \"1\"\n"
                              u"mp_flashlight \"1\"\n"
                              u"mp_footsteps \"1\"\n"
                              u"mp_startmoney \"800\"\n"
                              u"rate \"25000\"\n"_s;

struct RowCase {
    int row;
    void (*change)(WizardPageValues&);
    const char16_t* before; // the lines the row rewrites, as the config has them
    const char16_t* after;
    const char16_t* found; // what the shared find state names last; null: no search
    // How reading the config again shows what another control holds, where it is not as the
    // player left it.
    void (*readAs)(WizardPageValues&) = nullptr;
};

using V = WizardPageValues;

const RowCase kRowCases[] = {
    {1, [](V& v) { v.name = u"Other"_s; }, u"name \"Player\"", u"name \"Other\"", u"name"},
    {2, [](V& v) { v.rightHand = 0; }, u"cl_righthand \"1\"", u"cl_righthand \"0\"",
     u"cl_righthand"},
    {3, [](V& v) { v.autoHelp = 0; }, u"setinfo \"_ah\" \"1\"", u"setinfo \"_ah\" \"0\"", u"_ah"},
    {4, [](V& v) { v.vguiMenus = 0; }, u"_vgui_menus \"1\"", u"_vgui_menus \"0\"", u"_vgui_menus"},
    {5, [](V& v) { v.mapDescription = 0; }, u"setinfo dm 1", u"setinfo dm 0", u"dm"},
    {6, [](V& v) { v.consoleColourEntry = 2; }, u"con_color \"0 0 0\"", u"con_color \"165 25 10\"",
     u"con_color"},
    {7, [](V& v) { v.drawViewModel = 0; }, u"r_drawviewmodel \"1\"", u"r_drawviewmodel \"0\"",
     u"r_drawviewmodel"},
    {8, [](V& v) { v.centerId = 0; }, u"hud_centerid \"1\"", u"hud_centerid \"0\"",
     u"hud_centerid"},
    {9, [](V& v) { v.radar = 0; }, u"drawradar", u"hideradar", nullptr},
    {10, [](V& v) { v.spriteBlend = 0; }, u"gl_spriteblend \"1\"", u"gl_spriteblend \"0\"",
     u"gl_spriteblend"},
    {11, [](V& v) { v.fastSprites = u"2"_s; }, u"fastsprites \"1\"", u"fastsprites \"2\"",
     u"fastsprites"},
    {12, [](V& v) { v.maxSmokePuffs = u"100"_s; }, u"max_smokepuffs \"120\"",
     u"max_smokepuffs \"100\"", u"max_smokepuffs"},
    {13, [](V& v) { v.maxShells = u"60"_s; }, u"max_shells \"120\"", u"max_shells \"60\"",
     u"max_shells"},
    {14, [](V& v) { v.decals = u"200"_s; }, u"r_decals \"300\"", u"r_decals \"200\"", u"r_decals"},
    {15, [](V& v) { v.netGraph = 0; }, u"net_graph \"1\"", u"net_graph \"0\"", u"net_graph"},
    {16, [](V& v) { v.monoLights = 0; }, u"gl_monolights \"1\"", u"gl_monolights \"0\"",
     u"gl_monolights"},
    {17, [](V& v) { v.observerCrosshair = 0; }, u"cl_observercrosshair \"1\"",
     u"cl_observercrosshair \"0\"", u"cl_observercrosshair"},
    {18, [](V& v) { v.ghosts = 0; }, u"ghosts \"1\"", u"ghosts \"0\"", u"ghosts"},
    {19, [](V& v) { v.crosshairChange = 0; }, u"adjust_crosshair\n", u"", nullptr},
    {20, [](V& v) { v.bobbing = 0; }, u"cl_bob \"0.01\"\ncl_bobup \"0.5\"",
     u"cl_bob \"0\"\ncl_bobup \"0\"", u"cl_bobcycle"},
    {21, [](V& v) { v.fastSwitch = 0; }, u"hud_fastswitch \"1\"", u"hud_fastswitch \"0\"",
     u"hud_fastswitch"},
    {22, [](V& v) { v.waterAmp = 0; }, u"gl_wateramp \"1\"", u"gl_wateramp \"0\"", u"gl_wateramp"},
    {23, [](V& v) { v.sayText = 0; }, u"hud_saytext \"1\"", u"hud_saytext \"0\"", u"hud_saytext"},
    {24, [](V& v) { v.mouseFilter = 0; }, u"m_filter \"1\"", u"m_filter \"0\"", u"m_filter"},
    {25, [](V& v) { v.dynamicCrosshair = 0; }, u"cl_dynamiccrosshair \"1\"",
     u"cl_dynamiccrosshair \"0\"", u"cl_dynamiccrosshair"},
    {26, [](V& v) { v.sensitivity = u"2.5"_s; }, u"sensitivity \"3\"", u"sensitivity \"2.5\"",
     u"sensitivity"},
    {27, [](V& v) { v.zoomSensitivity = u"1"_s; }, u"zoom_sensitivity_ratio \"1.2\"",
     u"zoom_sensitivity_ratio \"1\"", u"zoom_sensitivity_ratio"},
    {28, [](V& v) { v.consoleSpeed = u"1000"_s; }, u"scr_conspeed \"600\"",
     u"scr_conspeed \"1000\"", u"scr_conspeed"},
    {29, [](V& v) { v.roundTime = u"3"_s; }, u"mp_roundtime \"5\"", u"mp_roundtime \"3\"",
     u"mp_roundtime"},
    {30, [](V& v) { v.c4Timer = u"35"_s; }, u"mp_c4timer \"45\"", u"mp_c4timer \"35\"",
     u"mp_c4timer"},
    {31, [](V& v) { v.freezeTime = u"3"_s; }, u"mp_freezetime \"6\"", u"mp_freezetime \"3\"",
     u"mp_freezetime"},
    // The map changes after a time or after rounds: with minutes set, the rounds read as 0.
    {32, [](V& v) { v.mapChangeMinutes = u"30"_s; }, u"mp_timelimit \"0\"", u"mp_timelimit \"30\"",
     u"mp_timelimit", [](V& v) { v.mapChangeRounds = u"0"_s; }},
    {33, [](V& v) { v.mapChangeRounds = u"10"_s; }, u"mp_maxrounds \"5\"", u"mp_maxrounds \"10\"",
     u"mp_maxrounds"},
    {34, [](V& v) { v.buyTime = u"0.5"_s; }, u"mp_buytime \"1.5\"", u"mp_buytime \"0.5\"",
     u"mp_buytime"},
    {35, [](V& v) { v.restart = u"5"_s; }, u"sv_restartround \"1\"", u"sv_restartround \"5\"",
     u"sv_restartround"},
    {36, [](V& v) { v.winLimit = u"3"_s; }, u"mp_winlimit \"0\"", u"mp_winlimit \"3\"",
     u"mp_winlimit"},
    {37, [](V& v) { v.corpseStay = u"100"_s; }, u"cl_corpsestay \"600\"", u"cl_corpsestay \"100\"",
     u"cl_corpsestay"},
    {38, [](V& v) { v.sayTextTime = u"10"_s; }, u"hud_saytext_time \"5\"",
     u"hud_saytext_time \"10\"", u"hud_saytext_time"},
    {39, [](V& v) { v.deathNoticeTime = u"8"_s; }, u"hud_deathnotice_time \"6\"",
     u"hud_deathnotice_time \"8\"", u"hud_deathnotice_time"},
    {40, [](V& v) { v.friendlyFire = 0; }, u"mp_friendlyfire \"1\"", u"mp_friendlyfire \"0\"",
     u"mp_friendlyfire"},
    {41, [](V& v) { v.autoKick = 0; }, u"mp_autokick \"1\"", u"mp_autokick \"0\"", u"mp_autokick"},
    {42, [](V& v) { v.teamBalance = u"3"_s; }, u"mp_limitteams \"2\"", u"mp_limitteams \"3\"",
     u"mp_autoteambalance"},
    {43, [](V& v) { v.hostagePenalty = u"3"_s; }, u"mp_hostagepenalty \"5\"",
     u"mp_hostagepenalty \"3\"", u"mp_hostagepenalty"},
    {44, [](V& v) { v.spectator = 2; }, u"mp_forcechasecam \"1\"", u"mp_forcechasecam \"2\"",
     u"mp_forcechasecam"},
    {45, [](V& v) { v.fadeToBlack = 0; }, u"mp_fadetoblack \"1\"", u"mp_fadetoblack \"0\"",
     u"mp_fadetoblack"},
    {46, [](V& v) { v.flashlight = 0; }, u"mp_flashlight \"1\"", u"mp_flashlight \"0\"",
     u"mp_flashlight"},
    {47, [](V& v) { v.footsteps = 0; }, u"mp_footsteps \"1\"", u"mp_footsteps \"0\"",
     u"mp_footsteps"},
    {48, [](V& v) { v.startMoney = u"16000"_s; }, u"mp_startmoney \"800\"",
     u"mp_startmoney \"16000\"", u"mp_startmoney"},
    {49, [](V& v) { v.rateNumber = u"30000"_s; }, u"rate \"25000\"", u"rate \"30000\"", u"rate"},
};

} // namespace

TEST(WizardApplyRows, EachControlChangedAloneRewritesOnlyItsSetting) {
    // Every row of the table has its case.
    ASSERT_EQ(std::size(kRowCases), applyRows().size());
    for (size_t i = 0; i < std::size(kRowCases); ++i)
        ASSERT_EQ(kRowCases[i].row, applyRows()[i].number);

    for (const RowCase& c : kRowCases) {
        SCOPED_TRACE("row " + std::to_string(c.row));
        Wizard w(kEverySetting);
        pivoRead(w.ws, {});
        ASSERT_TRUE(applySettings(w.ws));
        ASSERT_EQ(w.ws.mem1.content(), kEverySetting) << "nothing changed, nothing written";
        const QString foundBefore = w.ws.shared.find.findText;

        c.change(w.ws.values);
        WizardPageValues wanted = w.ws.values;
        ASSERT_NE(wanted, w.ws.valuesAsRead) << "the case changes no control";
        ASSERT_TRUE(applySettings(w.ws));
        QString expected = kEverySetting;
        const QString before = QString::fromUtf16(c.before);
        ASSERT_EQ(expected.count(before), 1);
        expected.replace(before, QString::fromUtf16(c.after));
        EXPECT_EQ(w.ws.mem1.content(), expected);
        EXPECT_EQ(w.ws.shared.find.findText, c.found ? QString::fromUtf16(c.found) : foundBefore);

        if (c.readAs)
            c.readAs(wanted);
        Wizard again(w.ws.mem1.content());
        pivoRead(again.ws, {});
        EXPECT_EQ(again.ws.values, wanted);
    }
}
