// The settings catalogue and the reading and writing rule of every kind of setting.
#include "wizard/setting_rules.h"
#include "wizard/settings_catalogue.h"
#include "wizard/wizard_working_set.h"
#include "wizard_test_support.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(SettingsCatalogue, FortyEightSettingsEachControlNamedOnce) {
    const auto& all = wizardSettings();
    ASSERT_EQ(int(all.size()), kSettingCount);
    QSet<QString> controls;
    QSet<int> ids;
    int count = 0;
    for (const WizardSetting& s : all) {
        ids.insert(int(s.id));
        EXPECT_FALSE(s.captions.isEmpty());
        EXPECT_FALSE(s.configNames.isEmpty());
        EXPECT_EQ(s.radios.isEmpty(), s.choice == nullptr);
        for (const RadioChoice& r : s.radios)
            controls.insert(r.control), ++count;
        for (const FieldControl& f : s.fields)
            controls.insert(f.control), ++count;
        if (!s.listControl.isEmpty())
            controls.insert(s.listControl), ++count;
        EXPECT_EQ(&wizardSetting(s.id), &s);
    }
    EXPECT_EQ(ids.size(), kSettingCount);
    EXPECT_EQ(controls.size(), count); // no control serves two settings
    // Radio buttons 1 to 55 but 49 and 50 (the chat recipients), spin edits 1 to 21.
    for (int i = 1; i <= 55; ++i)
        EXPECT_EQ(controls.contains(u"RadioButton"_s + QString::number(i)), i != 49 && i != 50)
            << i;
    for (int i = 1; i <= 21; ++i)
        EXPECT_TRUE(controls.contains(u"SpinEdit"_s + QString::number(i))) << i;
    EXPECT_EQ(settingsPageCaptions().size(), 7);
    EXPECT_EQ(rateEntries().size(), rateValues().size());
}

TEST(SettingsCatalogue, CreationValuesAndClearingForANewFile) {
    WizardPageValues v = creationPageValues();
    EXPECT_EQ(v.maxSmokePuffs, u"300"_s);
    EXPECT_EQ(v.buyTime, u"1.5"_s);
    EXPECT_EQ(v.startMoney, u"800"_s);
    EXPECT_EQ(v.rateNumber, u"0"_s);
    v.radar = 1;
    v.netGraphPosition = 2;
    v.rateFromList = 0;
    v.rateEntry = 4;
    clearPageValuesForNewFile(v);
    EXPECT_EQ(v.radar, -1);
    EXPECT_EQ(v.maxSmokePuffs, QString());
    EXPECT_EQ(v.buyTime, QString());
    EXPECT_EQ(v.name, QString());
    EXPECT_EQ(v.netGraphPosition, 2); // kept
    EXPECT_EQ(v.rateNumber, u"0"_s);  // kept
    EXPECT_EQ(v.rateFromList, 1);
    EXPECT_EQ(v.rateEntry, 0);
}

TEST(SettingRules, RadioPairUserInfoPairAndFieldBothWays) {
    {
        Wizard w(u"cl_righthand \"0\"\n"_s);
        w.read(SettingId::RightHand);
        EXPECT_EQ(w.ws.values.rightHand, 0);
        w.ws.values.rightHand = 1;
        EXPECT_EQ(w.write(SettingId::RightHand), u"cl_righthand \"1\"\n"_s);
    }
    {
        Wizard w(u"cl_righthand \"2\""_s); // neither value: nothing chosen, nothing written
        w.read(SettingId::RightHand);
        EXPECT_EQ(w.ws.values.rightHand, -1);
        EXPECT_EQ(w.write(SettingId::RightHand), u"cl_righthand \"2\""_s);
    }
    {
        // The plain form decides; applying rewrites it and leaves the setinfo line.
        Wizard w(u"setinfo \"_ah\" \"0\"\n_ah \"1\""_s);
        w.read(SettingId::AutoHelp);
        EXPECT_EQ(w.ws.values.autoHelp, 1);
        w.ws.values.autoHelp = 0;
        EXPECT_EQ(w.write(SettingId::AutoHelp), u"setinfo \"_ah\" \"0\"\n_ah \"0\""_s);
    }
    {
        Wizard w(u"x"_s);
        w.ws.values.autoHelp = 1;
        EXPECT_EQ(w.write(SettingId::AutoHelp), u"x\nsetinfo \"_ah\" \"1\""_s);
    }
    {
        Wizard w(u"setinfo \"dm\" \"1\""_s);
        w.read(SettingId::MapDescription);
        EXPECT_EQ(w.ws.values.mapDescription, 1);
        w.ws.values.mapDescription = 0;
        EXPECT_EQ(w.write(SettingId::MapDescription), u"setinfo \"dm\" \"0\""_s);
    }
    {
        Wizard w(u"sensitivity \"3.5\"\n"_s);
        w.read(SettingId::Sensitivity);
        EXPECT_EQ(w.ws.values.sensitivity, u"3.5"_s);
        w.read(SettingId::ZoomSensitivity);
        EXPECT_EQ(w.ws.values.zoomSensitivity, QString());
        EXPECT_EQ(w.write(SettingId::ZoomSensitivity), u"sensitivity \"3.5\"\n"_s);
        w.ws.values.sensitivity = u"5"_s;
        EXPECT_EQ(w.write(SettingId::Sensitivity), u"sensitivity \"5\"\n"_s);
    }
    {
        Wizard w(u"fastsprites \"12\""_s); // more than one character: not read
        w.read(SettingId::FastSprites);
        EXPECT_EQ(w.ws.values.fastSprites, QString());
        EXPECT_EQ(w.write(SettingId::FastSprites), u"fastsprites \"12\""_s);
    }
}

TEST(SettingRules, ConsoleColourBothWays) {
    struct Case {
        QString line;
        int entry;
        int red, green, blue;
        QString written;
    };
    const Case cases[] = {
        {{}, 0, 255, 175, 95, u"255 175 95"_s},
        {u"con_color \"255 0 0\""_s, 10, -1, -1, -1, u"255 0 0"_s},
        {u"con_color \"165 25 10\""_s, 2, -1, -1, -1, u"165 25 10"_s},
        {u"con_color \"128 0 0\""_s, 2, -1, -1, -1, u"165 25 10"_s}, // maroon by colour
        {u"con_color \"0 255 0\""_s, 11, -1, -1, -1, u"25 255 0"_s},
        {u"con_color \"200 100 50\""_s, 0, 200, 100, 50, u"200 100 50"_s},
        // Not three whole numbers 0 to 255: written back as the file had it.
        {u"con_color \"300 20 20\""_s, 0, 300 & 0xFF, 20, 20, u"300 20 20"_s},
        {u"con_color \"200  100 50\""_s, 0, 200, 100, 50, u"200  100 50"_s},
        {u"con_color \"red\""_s, 0, 0, 0, 0, u"red"_s},
    };
    for (const Case& c : cases) {
        Wizard w(c.line);
        w.read(SettingId::ConsoleColour);
        EXPECT_EQ(w.ws.values.consoleColourEntry, c.entry) << c.line.toStdString();
        if (c.red >= 0) {
            EXPECT_EQ(w.ws.values.customRed, c.red) << c.line.toStdString();
            EXPECT_EQ(w.ws.values.customGreen, c.green);
            EXPECT_EQ(w.ws.values.customBlue, c.blue);
        }
        const QString expected = u"con_color \""_s + c.written + u'"';
        const QString after = w.write(SettingId::ConsoleColour);
        EXPECT_TRUE(after == expected || after.endsWith(u'\n' + expected)) << after.toStdString();
    }
}

TEST(SettingRules, RadarAndCrosshairChangeKeywordLines) {
    struct Case {
        QString text;
        int radarRead;
        int chosen;
        QString written;
    };
    const Case cases[] = {
        {u"drawradar"_s, 1, 0, u"hideradar"_s},                       // turned in place
        {u"drawradar\nhideradar"_s, 0, 0, u"hideradar\nhideradar"_s}, // both: "Нет" wins
        {u"drawradar\nhideradar"_s, 0, 1, u"drawradar\ndrawradar"_s},
        {u"bind \"r\" \"drawradar\""_s, -1, 1, u"bind \"r\" \"drawradar\"\ndrawradar"_s},
        {u"bind \"r\" \"hideradar\"\ndrawradar"_s, 1, 1, u"bind \"r\" \"hideradar\"\ndrawradar"_s},
        {u"x"_s, -1, -1, u"x"_s},
        {u"x"_s, -1, 0, u"x\nhideradar"_s},
    };
    for (const Case& c : cases) {
        Wizard w(c.text);
        w.read(SettingId::Radar);
        EXPECT_EQ(w.ws.values.radar, c.radarRead) << c.text.toStdString();
        w.ws.values.radar = c.chosen;
        EXPECT_EQ(w.write(SettingId::Radar), c.written) << c.text.toStdString();
    }

    Wizard on(u"a\nadjust_crosshair\nb"_s);
    on.read(SettingId::CrosshairChange);
    EXPECT_EQ(on.ws.values.crosshairChange, 1);
    on.ws.values.crosshairChange = 0;
    EXPECT_EQ(on.write(SettingId::CrosshairChange), u"a\nb"_s);
    Wizard off(u"bind \"c\" \"adjust_crosshair\""_s);
    off.read(SettingId::CrosshairChange);
    EXPECT_EQ(off.ws.values.crosshairChange, 0);
    EXPECT_EQ(off.write(SettingId::CrosshairChange), u"bind \"c\" \"adjust_crosshair\""_s);
    off.ws.values.crosshairChange = 1;
    EXPECT_EQ(off.write(SettingId::CrosshairChange),
              u"bind \"c\" \"adjust_crosshair\"\nadjust_crosshair"_s);
}

TEST(SettingRules, BobbingNetGraphAndSpectator) {
    struct BobCase {
        QString text;
        int read;
    };
    for (const BobCase& c :
         {BobCase{{}, 1}, BobCase{u"cl_bob \"0\"\ncl_bobup \"0\""_s, 0},
          BobCase{u"cl_bob \"0\"\ncl_bobup \"0.5\""_s, 1}, BobCase{u"cl_bob \"0.01\""_s, 1}}) {
        Wizard w(c.text);
        w.read(SettingId::Bobbing);
        EXPECT_EQ(w.ws.values.bobbing, c.read) << c.text.toStdString();
    }
    Wizard bob(u"cl_bob \"0.02\""_s);
    bob.ws.values.bobbing = 0;
    EXPECT_EQ(bob.write(SettingId::Bobbing),
              u"cl_bob \"0\"\ncl_bobup \"0\"\ncl_bobcycle \"0.8\""_s);

    Wizard graph(u"net_graph \"1\"\nnet_graphpos \"0\""_s);
    graph.read(SettingId::NetGraph);
    EXPECT_EQ(graph.ws.values.netGraph, 1);
    EXPECT_EQ(graph.ws.values.netGraphPosition, 1); // "Снизу, с левой стороны"
    graph.ws.values.netGraphPosition = 2;
    EXPECT_EQ(graph.write(SettingId::NetGraph), u"net_graph \"1\"\nnet_graphpos \"1\""_s);
    Wizard three(u"net_graph \"3\""_s);
    three.read(SettingId::NetGraph);
    EXPECT_EQ(three.ws.values.netGraph, -1);
    EXPECT_EQ(three.write(SettingId::NetGraph), u"net_graph \"3\""_s);

    Wizard spectator(u"mp_forcechasecam \"2\""_s);
    spectator.read(SettingId::Spectator);
    EXPECT_EQ(spectator.ws.values.spectator, 2);
    spectator.ws.values.spectator = 0;
    EXPECT_EQ(spectator.write(SettingId::Spectator), u"mp_forcechasecam \"0\""_s);
}

TEST(SettingRules, MapChangeRestartAndTeamBalance) {
    Wizard minutes(u"mp_timelimit \"20\"\nmp_maxrounds \"10\""_s);
    minutes.read(SettingId::MapChange);
    EXPECT_EQ(minutes.ws.values.mapChangeMinutes, u"20"_s);
    EXPECT_EQ(minutes.ws.values.mapChangeRounds, u"0"_s);
    EXPECT_EQ(minutes.write(SettingId::MapChange), u"mp_timelimit \"20\"\nmp_maxrounds \"0\""_s);
    Wizard rounds(u"mp_timelimit \"0\"\nmp_maxrounds \"10\""_s);
    rounds.read(SettingId::MapChange);
    EXPECT_EQ(rounds.ws.values.mapChangeMinutes, u"0"_s);
    EXPECT_EQ(rounds.ws.values.mapChangeRounds, u"10"_s);

    Wizard restart(u"sv_restart \"5\""_s);
    restart.read(SettingId::Restart);
    EXPECT_EQ(restart.ws.values.restart, u"5"_s);
    restart.ws.values.restart = u"3"_s;
    EXPECT_EQ(restart.write(SettingId::Restart), u"sv_restart \"3\""_s);
    Wizard round(u"sv_restart \"5\"\nsv_restartround \"1\""_s);
    round.read(SettingId::Restart);
    EXPECT_EQ(round.ws.values.restart, u"1"_s);
    EXPECT_EQ(round.write(SettingId::Restart), u"sv_restart \"5\"\nsv_restartround \"1\""_s);

    Wizard balance(u"mp_autoteambalance \"0\"\nmp_limitteams \"2\""_s);
    balance.read(SettingId::TeamBalance);
    EXPECT_EQ(balance.ws.values.teamBalance, u"2"_s);
    Wizard automatic(u"mp_autoteambalance \"1\""_s);
    automatic.read(SettingId::TeamBalance);
    EXPECT_EQ(automatic.ws.values.teamBalance, u"0"_s);
    Wizard empty(u"mp_autoteambalance \"0\""_s);
    empty.read(SettingId::TeamBalance);
    EXPECT_EQ(empty.ws.values.teamBalance, QString());
    // An empty field is no choice: nothing is written.
    EXPECT_EQ(empty.write(SettingId::TeamBalance), u"mp_autoteambalance \"0\""_s);
    empty.ws.values.teamBalance = u"3"_s;
    EXPECT_EQ(empty.write(SettingId::TeamBalance),
              u"mp_autoteambalance \"0\"\nmp_limitteams \"3\""_s);
}

TEST(SettingRules, RateListEntryFreeNumberAndNone) {
    struct Case {
        QString text;
        int fromList;
        int entry;
        QString number;
        QString written;
    };
    const Case cases[] = {
        {{}, 1, 0, {}, u"rate \"0\""_s},
        {u"rate \"2500\""_s, 1, 2, {}, u"rate \"2500\""_s},
        {u"rate \"7000\""_s, 0, 0, u"7000"_s, u"rate \"7000\""_s},
        {u"rate \"0\""_s, 0, 0, u"0"_s, u"rate \"0\""_s},
        {u"rate \"fast\""_s, 1, 0, {}, u"rate \"0\""_s},
        {u"cl_updaterate \"30\""_s, 1, 0, {}, u"cl_updaterate \"30\"\nrate \"0\""_s},
    };
    for (const Case& c : cases) {
        Wizard w(c.text);
        w.read(SettingId::Rate);
        EXPECT_EQ(w.ws.values.rateFromList, c.fromList) << c.text.toStdString();
        EXPECT_EQ(w.ws.values.rateEntry, c.entry) << c.text.toStdString();
        EXPECT_EQ(w.ws.values.rateNumber, c.number) << c.text.toStdString();
        EXPECT_EQ(w.write(SettingId::Rate), c.written) << c.text.toStdString();
    }
    Wizard none(u"rate \"2500\""_s);
    none.ws.values.rateEntry = -1; // no entry selected: nothing written
    EXPECT_EQ(none.write(SettingId::Rate), u"rate \"2500\""_s);
}
