// Loading the wizard's documents, applying the settings, and saving over the chosen file with
// its safety copy.
#include "wizard/apply_settings.h"
#include "wizard/line_search.h"
#include "wizard/pivo.h"
#include "wizard/wizard_files.h"
#include "wizard_test_support.h"

#include "file_size_limit.h"
#include "platform/text_file.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A wizard over a temporary game folder, reading a chosen file as leaving page 1 does.
struct GameFolder {
    QTemporaryDir dir;
    Wizard w;
    GameFolder() {
        w.shared.games.startupGameDir = dir.path();
        w.shared.home = ProgramHome::portable(dir.path() + u"/program"_s);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void choose(const QString& name) {
        clearPageValuesForNewFile(w.ws.values);
        w.ws.usedKeys.clear();
        loadDocuments(w.ws, dir.path(), name);
        pivoRead(w.ws, {});
    }
};

// An ordinary config: comments, bindings, and every setting in the form the wizard writes.
const QByteArray kOrdinary = "// my config\r\n"
                             "unbindall\r\n"
                             "bind \"w\" \"+forward\"\r\n"
                             "name \"Player\"\r\n"
                             "cl_righthand \"1\"\r\n"
                             "setinfo \"_ah\" \"0\"\r\n"
                             "con_color \"200 100 50\"\r\n"
                             "_vgui_menus \"1\"\r\n"
                             "r_drawviewmodel \"1\"\r\n"
                             "dm \"0\"\r\n"
                             "hud_centerid \"1\"\r\n"
                             "drawradar\r\n"
                             "gl_spriteblend \"1\"\r\n"
                             "fastsprites \"1\"\r\n"
                             "max_smokepuffs \"120\"\r\n"
                             "max_shells \"300\"\r\n"
                             "r_decals \"300\"\r\n"
                             "net_graph \"1\"\r\n"
                             "net_graphpos \"2\"\r\n"
                             "gl_monolights \"0\"\r\n"
                             "cl_observercrosshair \"1\"\r\n"
                             "ghosts \"0\"\r\n"
                             "adjust_crosshair\r\n"
                             "cl_bob \"0.02\"\r\n"
                             "cl_bobup \"0.5\"\r\n"
                             "cl_bobcycle \"0.8\"\r\n"
                             "hud_fastswitch \"1\"\r\n"
                             "gl_wateramp \"0\"\r\n"
                             "hud_saytext \"1\"\r\n"
                             "m_filter \"0\"\r\n"
                             "cl_dynamiccrosshair \"1\"\r\n"
                             "sensitivity \"3.2\"\r\n"
                             "zoom_sensitivity_ratio \"1.2\"\r\n"
                             "scr_conspeed \"600\"\r\n"
                             "mp_roundtime \"3\"\r\n"
                             "mp_c4timer \"35\"\r\n"
                             "mp_freezetime \"6\"\r\n"
                             "mp_buytime \"0.25\"\r\n"
                             "mp_timelimit \"25\"\r\n"
                             "mp_maxrounds \"0\"\r\n"
                             "sv_restartround \"1\"\r\n"
                             "mp_winlimit \"0\"\r\n"
                             "cl_corpsestay \"600\"\r\n"
                             "hud_saytext_time \"5\"\r\n"
                             "hud_deathnotice_time \"6\"\r\n"
                             "mp_friendlyfire \"1\"\r\n"
                             "mp_autokick \"1\"\r\n"
                             "mp_autoteambalance \"1\"\r\n"
                             "mp_limitteams \"2\"\r\n"
                             "mp_hostagepenalty \"5\"\r\n"
                             "mp_forcechasecam \"2\"\r\n"
                             "mp_fadetoblack \"0\"\r\n"
                             "mp_flashlight \"1\"\r\n"
                             "mp_footsteps \"1\"\r\n"
                             "mp_startmoney \"800\"\r\n"
                             "cl_updaterate \"30\"\r\n"
                             "rate \"9000\"\r\n"
                             "bind \"r\" \"drawradar\"\r\n"
                             "echo done\r\n";

} // namespace

// A player's config as they are found: tabs, runs of blanks, bare values, ";"-joined lines,
// trailing comments, rcon and echo lines, both setinfo forms, values the pages cannot show, the
// form the game writes itself, an unclosed quote, and settings said twice.
const QByteArray kReal = "// userconfig\n"
                         "rate\t\t\"25000.000000\"\n"
                         "cl_updaterate \"101\"; cl_cmdrate \"101\"; ex_interp 0.01\n"
                         "con_color   \"192 192 192\" // grey\n"
                         "mp_timelimit 20\n"
                         "rcon mp_buytime \"0.25\"\n"
                         "bind \"n\" \"name Bot;say hi\"\n"
                         "echo rate \"1\"\n"
                         "setinfo dm \"1\"\n"
                         "setinfo \"ghosts\" 0\n"
                         "cl_bob \"0\"\n"
                         "mp_autoteambalance \"1\"\n"
                         "  sensitivity 2.5;zoom_sensitivity_ratio \"1.2\"\n"
                         "// rate \"2500\"\n"
                         "hideradar // no radar\n"
                         "drawradar\n"
                         "name \"Player\n"
                         "mp_startmoney 800\n"
                         "mp_startmoney 16000\n"
                         "  \t\n"
                         "bind \"MOUSE1\" \"+attack\"";

// The same text with the CR LF line breaks the editor writes.
QByteArray crlf(QByteArray text) {
    return text.replace("\n", "\r\n");
}

TEST(WizardApply, ApplyingWithNoChangeLeavesEveryByte) {
    for (const QByteArray& text :
         {crlf(kReal), kOrdinary, QByteArray("// only a comment\r\nbind \"w\" \"+forward\"")}) {
        GameFolder g;
        const QString file = g.path(u"my.cfg"_s);
        put(file, text);
        g.choose(u"my.cfg"_s);
        ASSERT_TRUE(applyAndSave(g.w.ws).ok());
        EXPECT_EQ(slurp(file), text);
        // Read again and applied again: still nothing.
        g.choose(u"my.cfg"_s);
        ASSERT_TRUE(applyAndSave(g.w.ws).ok());
        EXPECT_EQ(slurp(file), text);
    }
}

TEST(WizardApply, ReadingTakesTheValueTheGameKeeps) {
    GameFolder g;
    put(g.path(u"my.cfg"_s), crlf(kReal));
    g.choose(u"my.cfg"_s);
    const WizardPageValues& v = g.w.ws.values;
    EXPECT_EQ(v.rateFromList, 0);
    EXPECT_EQ(v.rateNumber, u"25000"_s);
    EXPECT_EQ(v.mapChangeMinutes, u"20"_s);
    EXPECT_EQ(v.buyTime, QString()); // only inside an rcon command
    EXPECT_EQ(v.mapDescription, 1);
    EXPECT_EQ(v.ghosts, 0);
    EXPECT_EQ(v.sensitivity, u"2.5"_s);
    EXPECT_EQ(v.zoomSensitivity, u"1.2"_s);
    EXPECT_EQ(v.radar, 1); // the later keyword wins
    EXPECT_EQ(v.name, u"Player"_s);
    EXPECT_EQ(v.startMoney, u"16000"_s);
    EXPECT_FALSE(g.w.ws.unbindallPresent);
}

// Changing one control changes exactly one command; everything else stays byte for byte.
TEST(WizardApply, OneChangedControlChangesOneCommand) {
    struct Case {
        void (*change)(WizardPageValues&);
        QByteArray before;
        QByteArray after;
    };
    const Case cases[] = {
        {[](WizardPageValues& v) {
             v.rateFromList = 1;
             v.rateEntry = int(rateValues().indexOf(20000));
         },
         "rate\t\t\"25000.000000\"", "rate\t\t\"20000\""},
        {[](WizardPageValues& v) { v.mapChangeMinutes = u"30"_s; }, "mp_timelimit 20",
         "mp_timelimit 30"},
        {[](WizardPageValues& v) { v.zoomSensitivity = u"2"_s; }, "zoom_sensitivity_ratio \"1.2\"",
         "zoom_sensitivity_ratio \"2\""},
        {[](WizardPageValues& v) { v.sensitivity = u"3"_s; }, "sensitivity 2.5;", "sensitivity 3;"},
        {[](WizardPageValues& v) { v.mapDescription = 0; }, "setinfo dm \"1\"", "setinfo dm \"0\""},
        {[](WizardPageValues& v) { v.ghosts = 1; }, "setinfo \"ghosts\" 0", "setinfo \"ghosts\" 1"},
        {[](WizardPageValues& v) { v.radar = 0; }, "drawradar\n", "hideradar\n"},
        {[](WizardPageValues& v) { v.name = u"The Pro"_s; }, "name \"Player\n",
         "name \"The Pro\"\n"},
        {[](WizardPageValues& v) { v.consoleColourEntry = 1; },
         "con_color   \"192 192 192\" // grey", "con_color   \"0 0 0\" // grey"},
        {[](WizardPageValues& v) { v.startMoney = u"900"_s; }, "mp_startmoney 16000",
         "mp_startmoney 900"},
    };
    for (const Case& c : cases) {
        GameFolder g;
        const QString file = g.path(u"my.cfg"_s);
        put(file, crlf(kReal));
        g.choose(u"my.cfg"_s);
        c.change(g.w.ws.values);
        ASSERT_TRUE(applyAndSave(g.w.ws).ok());
        QByteArray expected = crlf(kReal);
        const qsizetype at = expected.indexOf(crlf(c.before));
        ASSERT_GE(at, 0) << c.before.toStdString();
        expected.replace(at, crlf(c.before).size(), crlf(c.after));
        EXPECT_EQ(slurp(file).toStdString(), expected.toStdString()) << c.before.toStdString();
    }
}

// What the wizard writes reads back through the console's rules as the value the player chose,
// and it rewrites the command the game keeps, in whatever letter case the file spells it.
TEST(WizardApply, WritesWhatTheConsoleReadsBack) {
    struct Case {
        const char* what;
        QString before;
        void (*change)(WizardPageValues&);
        QString after;
    };
    const Case cases[] = {
        {"brackets would split a bare name", u"name x\n"_s,
         [](WizardPageValues& v) { v.name = u"[Pro]Player(1)"_s; }, u"name \"[Pro]Player(1)\"\n"_s},
        {"a Russian name would be skipped", u"name x\n"_s,
         [](WizardPageValues& v) { v.name = u"Вася"_s; }, u"name \"Вася\"\n"_s},
        {"\"//\" over a bare value", u"name x\n"_s, [](WizardPageValues& v) { v.name = u"a//b"_s; },
         u"name \"a//b\"\n"_s},
        {"a plain value stays bare", u"name x\n"_s,
         [](WizardPageValues& v) { v.name = u"Player2"_s; }, u"name Player2\n"_s},
        {"a name in capitals is the same setting", u"ZOOM_SENSITIVITY_RATIO \"1.2\"\n"_s,
         [](WizardPageValues& v) { v.zoomSensitivity = u"2"_s; },
         u"ZOOM_SENSITIVITY_RATIO \"2\"\n"_s},
        {"the radar over two commands of the other keyword", u"hideradar 1\nhideradar 2\n"_s,
         [](WizardPageValues& v) { v.radar = 1; }, u"drawradar\n"_s},
        {"the net graph's position alone", u"net_graph \"1\"\nnet_graphpos \"1\"\n"_s,
         [](WizardPageValues& v) { v.netGraphPosition = 0; },
         u"net_graph \"1\"\nnet_graphpos \"2\"\n"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Wizard w(c.before);
        pivoRead(w.ws, {});
        c.change(w.ws.values);
        const WizardPageValues wanted = w.ws.values;
        ASSERT_TRUE(applySettings(w.ws));
        EXPECT_EQ(w.ws.mem1.content(), c.after);
        Wizard again(w.ws.mem1.content());
        pivoRead(again.ws, {});
        EXPECT_EQ(again.ws.values.name, wanted.name);
        EXPECT_EQ(again.ws.values.zoomSensitivity, wanted.zoomSensitivity);
        EXPECT_EQ(again.ws.values.radar, wanted.radar);
        EXPECT_EQ(again.ws.values.netGraphPosition, wanted.netGraphPosition);
    }
}

TEST(WizardApply, ASettingTheFileLacksIsAddedOnlyWhenThePlayerSetsIt) {
    Wizard w(u"// mine\nbind \"w\" \"+forward\""_s);
    pivoRead(w.ws, {});
    ASSERT_TRUE(applySettings(w.ws));
    EXPECT_EQ(w.ws.mem1.content(), u"// mine\nbind \"w\" \"+forward\""_s);
    w.ws.values.buyTime = u"0.5"_s;
    w.ws.values.friendlyFire = 1;
    ASSERT_TRUE(applySettings(w.ws));
    EXPECT_EQ(w.ws.mem1.content(),
              u"// mine\nbind \"w\" \"+forward\"\nmp_buytime \"0.5\"\nmp_friendlyfire \"1\""_s);
}

TEST(WizardApply, ANewConfigGetsEveryLine) {
    Wizard w(u"\n// new\n"_s);
    pivoRead(w.ws, {});
    ASSERT_TRUE(applySettings(w.ws));
    EXPECT_EQ(w.ws.mem1.content(), u"\n// new\n"
                                   u"con_color \"255 175 95\"\n"
                                   u"cl_bob \"0.01\"\ncl_bobup \"0.5\"\ncl_bobcycle \"0.8\"\n"
                                   u"mp_timelimit \"0\"\nmp_maxrounds \"0\"\n"
                                   u"mp_limitteams \"0\"\nmp_autoteambalance \"0\"\n"
                                   u"rate \"0\"\n"_s);
    EXPECT_EQ(applyRows().size(), 49u);
    for (size_t i = 0; i < applyRows().size(); ++i)
        EXPECT_EQ(applyRows()[i].number, int(i) + 1);
}

TEST(WizardApply, EverySettingWrittenReadsBackAsWritten) {
    GameFolder g;
    const QString file = g.path(u"my.cfg"_s);
    put(file, kOrdinary);
    g.choose(u"my.cfg"_s);
    WizardPageValues& v = g.w.ws.values;
    v.name = u"Somebody"_s;
    v.rightHand = 0;
    v.autoHelp = 1;
    v.consoleColourEntry = 16;
    v.radar = 0;
    v.crosshairChange = 0;
    v.bobbing = 0;
    v.netGraph = 0;
    v.sensitivity = u"2.5"_s;
    v.teamBalance = u"1"_s;
    v.spectator = 0;
    v.rateEntry = 2;
    const WizardPageValues wanted = v;
    ASSERT_TRUE(applyAndSave(g.w.ws).ok());
    g.choose(u"my.cfg"_s);
    EXPECT_EQ(g.w.ws.values, wanted);
}

TEST(WizardFiles, LoadingPairsTheGamesOwnConfigWithItsAutoexec) {
    GameFolder g;
    put(g.path(u"config.cfg"_s), "bind \"w\" \"+forward\"\r\n");
    loadDocuments(g.w.ws, g.dir.path(), u"config.cfg"_s);
    EXPECT_TRUE(g.w.ws.autoexecMode);
    EXPECT_TRUE(g.w.ws.chosenReadable());
    EXPECT_EQ(g.w.ws.mem1.content(), u"bind \"w\" \"+forward\"\n"_s);
    // A missing autoexec.cfg is created empty at once.
    EXPECT_EQ(slurp(g.path(u"autoexec.cfg"_s)), QByteArray());
    EXPECT_TRUE(g.w.ws.autoexecReadable);

    put(g.path(u"autoexec.cfg"_s), "alias \"ww\" \"wait\"\r\n");
    loadDocuments(g.w.ws, g.dir.path(), u"config.cfg"_s);
    EXPECT_EQ(g.w.ws.mem2.content(), u"alias \"ww\" \"wait\"\n"_s);
    g.w.ws.mem2.appendLine(u"alias \"Kaz-f\" \"x\""_s);
    ASSERT_TRUE(saveAutoexecFile(g.w.ws).ok());
    EXPECT_EQ(slurp(g.path(u"autoexec.cfg"_s)),
              QByteArray("alias \"ww\" \"wait\"\r\nalias \"Kaz-f\" \"x\"\r\n"));

    // The same file named another way is not the game's own config.
    loadDocuments(g.w.ws, g.dir.path() + u"/."_s, u"config.cfg"_s);
    EXPECT_FALSE(g.w.ws.autoexecMode);
    EXPECT_EQ(g.w.ws.mem2.content(), QString());
    EXPECT_EQ(saveAutoexecFile(g.w.ws).status, WizardSaveResult::Status::RefusedUnreadable);
}

// Documents dropped (no file chosen, another folder, the wizard closed) are written over
// neither file, the game's own config and its autoexec included, until a file is read again.
TEST(WizardFiles, DroppedDocumentsAreNeverWrittenBack) {
    GameFolder g;
    put(g.path(u"config.cfg"_s), "name \"a\"\r\n");
    put(g.path(u"autoexec.cfg"_s), "echo a\r\n");
    g.choose(u"config.cfg"_s);
    ASSERT_TRUE(g.w.ws.chosenReadable() && g.w.ws.autoexecReadable);
    g.w.ws.dropDocuments();
    EXPECT_FALSE(g.w.ws.chosenReadable());
    EXPECT_EQ(g.w.ws.mem1.content() + g.w.ws.mem2.content(), QString());
    EXPECT_EQ(applyAndSave(g.w.ws).status, WizardSaveResult::Status::RefusedUnreadable);
    EXPECT_EQ(saveChosenFile(g.w.ws).status, WizardSaveResult::Status::RefusedUnreadable);
    EXPECT_EQ(saveAutoexecFile(g.w.ws).status, WizardSaveResult::Status::RefusedUnreadable);
    EXPECT_EQ(slurp(g.path(u"config.cfg"_s)), QByteArray("name \"a\"\r\n"));
    EXPECT_EQ(slurp(g.path(u"autoexec.cfg"_s)), QByteArray("echo a\r\n"));
    g.choose(u"config.cfg"_s);
    EXPECT_TRUE(saveChosenFile(g.w.ws).ok());
}

TEST(WizardFiles, AFileThatCannotBeShownIsNeverWrittenBack) {
    GameFolder g;
    const QByteArray binary("name \"x\"\0\x01\x02", 11);
    put(g.path(u"binary.cfg"_s), binary);
    QFile huge(g.path(u"huge.cfg"_s)); // past the editor's limit
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(textfile::kMaxEditableBytes + 1));
    huge.close();
    ASSERT_TRUE(QDir(g.dir.path()).mkdir(u"folder.cfg"_s));
    const struct {
        QString name;
    } files[] = {{u"binary.cfg"_s}, {u"gone.cfg"_s}, {u"huge.cfg"_s}, {u"folder.cfg"_s}};
    for (const auto& f : files) {
        g.choose(f.name);
        EXPECT_FALSE(g.w.ws.chosenReadable());
        EXPECT_EQ(g.w.ws.mem1.content(), unreadableDocumentLine());
        const WizardSaveResult r = applyAndSave(g.w.ws);
        EXPECT_EQ(r.status, WizardSaveResult::Status::RefusedUnreadable);
        EXPECT_TRUE(r.message().contains(g.path(f.name)));
        EXPECT_EQ(g.w.ws.mem1.content(), unreadableDocumentLine());
        EXPECT_EQ(saveChosenFile(g.w.ws).status, WizardSaveResult::Status::RefusedUnreadable);
    }
    EXPECT_EQ(slurp(g.path(u"binary.cfg"_s)), binary);
    EXPECT_FALSE(QFile::exists(g.path(u"gone.cfg"_s)));
    EXPECT_EQ(QFileInfo(g.path(u"huge.cfg"_s)).size(), textfile::kMaxEditableBytes + 1);
    EXPECT_EQ(QDir(g.dir.path()).entryList(QDir::Files).size(), 2); // no safety copies
}

TEST(WizardFiles, OldCopiesAreNeverTouchedAndTheReplacedBytesGoToTheStore) {
    GameFolder g;
    put(g.path(u"config.cfg"_s), "name \"a\"\r\n");
    put(g.path(u"config.cfg.bak"_s), "kept\r\n");
    g.choose(u"config.cfg"_s);
    g.w.ws.values.name = u"b"_s;
    ASSERT_TRUE(applyAndSave(g.w.ws).ok());
    EXPECT_EQ(slurp(g.path(u"config.cfg.bak"_s)), QByteArray("kept\r\n"));
    EXPECT_FALSE(QFile::exists(g.path(u"config.cfg.wizard.bak"_s)));
    const VersionStore store = g.w.shared.versions();
    const QList<FileVersion> versions = store.versions(g.path(u"config.cfg"_s));
    ASSERT_EQ(versions.size(), 3); // the new text, the one it replaced, the older program's copy
    EXPECT_EQ(versions[0].source, VersionSource::Wizard);
    EXPECT_EQ(store.bytesOf(versions[1]).bytes, QByteArray("name \"a\"\r\n"));
    EXPECT_EQ(versions[2].source, VersionSource::OldCopy);
}

// A disk that runs out of room while the applied config is written: the error names the file
// and the old file stays whole.
TEST(WizardFiles, AWriteThatRunsOutOfRoomLeavesTheOldFileWhole) {
    GameFolder g;
    const QString file = g.path(u"my.cfg"_s);
    put(file, kOrdinary);
    g.choose(u"my.cfg"_s);
    g.w.ws.mem1.appendLine(QString(256 * 1024, u'x'));

    const int code = exitCodeWithFileSizeLimit(64 * 1024, [&] {
        const WizardSaveResult r = applyAndSave(g.w.ws);
        const bool reported = r.status == WizardSaveResult::Status::WriteFailed &&
                              r.message().contains(file) && !r.reason.isEmpty() &&
                              r.savedNote().isEmpty();
        return reported ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(slurp(file), kOrdinary);
}

TEST(WizardFiles, TheSavedNoteNamesTheFile) {
    GameFolder g;
    put(g.path(u"config.cfg"_s), "name \"a\"\r\n");
    g.choose(u"config.cfg"_s);
    g.w.ws.values.name = u"b"_s;
    EXPECT_EQ(applyAndSave(g.w.ws).savedNote(), u"Сохранено: config.cfg"_s);
}

// The page 1 list leaves out the launcher's temporary copy of the edited config.
TEST(WizardFiles, TheListLeavesOutTheLaunchCopy) {
    GameFolder g;
    for (const QString& name : {u"_.cfg"_s, u"a.cfg"_s, u"__.cfg"_s, u"b.txt"_s})
        put(g.path(name), "");
    EXPECT_EQ(wizardFileList(g.dir.path()), (QStringList{u"__.cfg"_s, u"a.cfg"_s}));
}

TEST(WizardApply, GatheredEditsGiveWhatEditingRowByRowGives) {
    // Settings that share lines, stand in both forms, lack a value, are missing, or close the
    // text without a line break; the pages change every setting, or every third.
    const QString texts[] = {
        QString::fromLatin1(kOrdinary),
        QString::fromLatin1(kReal),
        u"cl_bob 1; cl_bobup \"2\" ;cl_bobcycle 3 // bob\nsetinfo _ah 1; setinfo \"dm\" \"0\"\n"
        u"_ah 0; drawradar; hideradar\nname \"A;B\"; rate\nsensitivity 2"_s,
        u"// nothing\n\n"_s,
        u"adjust_crosshair; net_graph 1; net_graphpos 2\nsetinfo \"ghosts\"\nmp_timelimit"_s,
    };
    for (const QString& text : texts) {
        for (const int every : {1, 3}) {
            Wizard gathered(text);
            Wizard stepwise(text);
            for (Wizard* w : {&gathered, &stepwise}) {
                pivoRead(w->ws, {});
                int n = 0;
                for (const WizardSetting& setting : wizardSettings()) {
                    if (n++ % every != 0)
                        continue;
                    if (setting.choice)
                        w->ws.values.*setting.choice = w->ws.values.*setting.choice == 1 ? 0 : 1;
                    for (const FieldControl& field : setting.fields)
                        w->ws.values.*field.text = field.spin ? u"7"_s : u"x y"_s;
                }
            }
            ASSERT_TRUE(applySettings(gathered.ws));
            for (const ApplyRow& row : applyRows())
                if (stepwise.ws.writeEverySetting ||
                    row.changed(stepwise.ws.values, stepwise.ws.valuesAsRead))
                    row.write(stepwise.ws);
            EXPECT_EQ(gathered.ws.mem1.content(), stepwise.ws.mem1.content()) << every;
            EXPECT_EQ(gathered.ws.foundPosition, stepwise.ws.foundPosition);
            EXPECT_EQ(gathered.shared.find.lastFoundPos, stepwise.shared.find.lastFoundPos);
            EXPECT_EQ(gathered.ws.lineWritten, stepwise.ws.lineWritten);
            // The document reads on as it now is.
            EXPECT_EQ(hasCommand(gathered.ws.mem1, u"rate"_s),
                      hasCommand(stepwise.ws.mem1, u"rate"_s));
        }
    }
}

namespace {

// The game rewrites config.cfg at exit with only what it saves: a changed setting it does not
// keep (mp_*, drawradar) goes to autoexec.cfg and leaves config.cfg; one it keeps stays.
TEST(WizardFiles, SettingsTheGameDoesNotKeepGoToAutoexecInTheGamesOwnConfig) {
    GameFolder g;
    put(g.path(u"config.cfg"_s), "bind \"w\" \"+forward\"\r\nsensitivity \"2\"\r\n"
                                 "mp_roundtime \"3\"\r\ndrawradar\r\n");
    put(g.path(u"autoexec.cfg"_s), "alias \"ww\" \"wait\"\r\n");
    const QSet<QString> saved{u"sensitivity"_s, u"name"_s};
    g.w.ws.keptInConfigCfg = [&](const QString& name) { return saved.contains(name); };
    g.choose(u"config.cfg"_s);
    ASSERT_TRUE(g.w.ws.autoexecMode);
    g.w.ws.values.sensitivity = u"3"_s;
    g.w.ws.values.roundTime = u"4"_s;
    ASSERT_TRUE(applyAndSave(g.w.ws).ok());
    EXPECT_EQ(g.w.ws.movedToAutoexec, QStringList{u"mp_roundtime"_s});
    EXPECT_EQ(slurp(g.path(u"config.cfg"_s)),
              QByteArray("bind \"w\" \"+forward\"\r\nsensitivity \"3\"\r\ndrawradar\r\n"));
    EXPECT_EQ(slurp(g.path(u"autoexec.cfg"_s)),
              QByteArray("alias \"ww\" \"wait\"\r\nmp_roundtime \"4\"\r\n"));
    // Read again, the pages show what the game will have.
    g.choose(u"config.cfg"_s);
    EXPECT_EQ(g.w.ws.values.sensitivity, u"3"_s);

    // A failed write of autoexec.cfg writes neither file and keeps the change for the next apply.
    g.w.ws.values.roundTime = u"6"_s;
    QFile::remove(g.path(u"autoexec.cfg"_s));
    QDir().mkpath(g.path(u"autoexec.cfg"_s)); // a folder where the file was: the save fails
    EXPECT_FALSE(applyAndSave(g.w.ws).ok());
    EXPECT_EQ(slurp(g.path(u"config.cfg"_s)),
              QByteArray("bind \"w\" \"+forward\"\r\nsensitivity \"3\"\r\ndrawradar\r\n"));
    EXPECT_NE(g.w.ws.valuesAsRead.roundTime, u"6"_s);
}

// Any other file keeps every setting it is given, as before.
TEST(WizardFiles, AnotherConfigKeepsEverySetting) {
    GameFolder g;
    put(g.path(u"my.cfg"_s), "mp_roundtime \"3\"\r\n");
    g.w.ws.keptInConfigCfg = [](const QString&) { return false; };
    g.choose(u"my.cfg"_s);
    g.w.ws.values.roundTime = u"4"_s;
    ASSERT_TRUE(applyAndSave(g.w.ws).ok());
    EXPECT_TRUE(g.w.ws.movedToAutoexec.isEmpty());
    EXPECT_EQ(slurp(g.path(u"my.cfg"_s)), QByteArray("mp_roundtime \"4\"\r\n"));
}

} // namespace

#include "language/vocabulary.h"
#include "wizard/later_settings.h"

namespace {

// A setting of the chosen file that a file run after it sets again is marked at its control.
TEST(WizardFiles, ASettingALaterFileSetsAgainIsNamedWithTheValueTheGameWillHave) {
    QTemporaryDir dir;
    const QString game = dir.path() + u"/cstrike"_s;
    put(game + u"/userconfig.cfg"_s, "sensitivity 3\r\n");
    put(game + u"/autoexec.cfg"_s, "fps_max 100\r\n");
    Vocabulary words;
    words.addVariables({u"sensitivity"_s, u"fps_max"_s, u"volume"_s});
    const QString config = u"sensitivity 2\nfps_max 72\nvolume 1\nexec userconfig.cfg\n"_s;
    const QHash<QString, QString> notes = laterSettingNotes(configrun::runWithStandIn(
        game, game + u"/config.cfg"_s, config, console::Bytes::Single, words));
    EXPECT_EQ(notes, (QHash<QString, QString>{
                         {u"sensitivity"_s, u"в userconfig.cfg:1 задано 3: в игре будет 3"_s}}));
}

} // namespace
