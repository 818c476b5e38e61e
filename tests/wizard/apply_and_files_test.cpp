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
    GameFolder() { w.shared.startupGameDir = dir.path(); }
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

TEST(WizardApply, AConfigWithoutAnySettingGainsOnlyTheAlwaysWrittenLines) {
    Wizard w(u"// empty\nbind \"w\" \"+forward\""_s);
    pivoRead(w.ws, {});
    ASSERT_TRUE(applySettings(w.ws));
    EXPECT_EQ(w.ws.mem1.content(), u"// empty\nbind \"w\" \"+forward\"\n"
                                   u"con_color \"255 175 95\"\n"
                                   u"cl_bob \"0.01\"\ncl_bobup \"0.5\"\ncl_bobcycle \"0.8\"\n"
                                   u"mp_timelimit \"0\"\nmp_maxrounds \"0\"\n"
                                   u"mp_limitteams \"0\"\nmp_autoteambalance \"0\"\n"
                                   u"rate \"0\""_s);
    EXPECT_EQ(applyRows().size(), 49u);
    for (size_t i = 0; i < applyRows().size(); ++i)
        EXPECT_EQ(applyRows()[i].number, int(i) + 1);
}

TEST(WizardApply, ReadThenApplyKeepsAnOrdinaryConfigButTheAlwaysWrittenLines) {
    GameFolder g;
    const QString file = g.path(u"my.cfg"_s);
    put(file, kOrdinary);
    g.choose(u"my.cfg"_s);
    EXPECT_FALSE(g.w.ws.autoexecMode);
    EXPECT_TRUE(g.w.ws.unbindallPresent);
    EXPECT_EQ(g.w.ws.values.radar, 1);
    EXPECT_EQ(g.w.ws.values.rateEntry, 7);
    const WizardSaveResult saved = applyAndSave(g.w.ws);
    ASSERT_TRUE(saved.ok()) << saved.message().toStdString();

    QByteArray expected = kOrdinary;
    expected.replace("cl_bob \"0.02\"", "cl_bob \"0.01\"");
    expected.replace("mp_autoteambalance \"1\"", "mp_autoteambalance \"0\"");
    expected.replace("mp_limitteams \"2\"", "mp_limitteams \"0\"");
    EXPECT_EQ(slurp(file), expected);
    EXPECT_EQ(slurp(safetyCopyPath(file)), kOrdinary);
    EXPECT_EQ(saved.safetyCopy, safetyCopyPath(file));
    EXPECT_FALSE(saved.statusNote().isEmpty());

    // Applying again, and reading the result and applying once more, changes nothing; the
    // safety copy of this opening is not replaced.
    ASSERT_TRUE(applyAndSave(g.w.ws).ok());
    EXPECT_EQ(slurp(file), expected);
    g.choose(u"my.cfg"_s);
    const WizardSaveResult again = applyAndSave(g.w.ws);
    ASSERT_TRUE(again.ok());
    EXPECT_TRUE(again.safetyCopy.isEmpty());
    EXPECT_EQ(slurp(file), expected);
    EXPECT_EQ(slurp(safetyCopyPath(file)), kOrdinary);

    // The next opening keeps a fresh copy at its first write.
    beginWizardOpening(g.w.ws);
    ASSERT_TRUE(applyAndSave(g.w.ws).ok());
    EXPECT_EQ(slurp(safetyCopyPath(file)), expected);
}

TEST(WizardApply, LeadingBlanksAndTrailingCommentsGoWithTheRewrittenLine) {
    Wizard w(u"  sensitivity \"3\"\nrate \"2500\" // modem\nx"_s);
    pivoRead(w.ws, {});
    w.ws.values.sensitivity = u"5"_s;
    w.ws.values.rateEntry = 3;
    applySettings(w.ws);
    EXPECT_TRUE(w.ws.mem1.content().startsWith(u"sensitivity \"5\"\nrate \"3400\"\nx\n"_s));
}

TEST(WizardFiles, LoadingPairsTheGamesOwnConfigWithItsAutoexec) {
    GameFolder g;
    put(g.path(u"config.cfg"_s), "bind \"w\" \"+forward\"\r\n");
    loadDocuments(g.w.ws, g.dir.path(), u"config.cfg"_s);
    EXPECT_TRUE(g.w.ws.autoexecMode);
    EXPECT_TRUE(g.w.ws.chosenReadable);
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
        EXPECT_FALSE(g.w.ws.chosenReadable);
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

TEST(WizardFiles, TheLaunchersKeptCopiesAreNeverTouched) {
    GameFolder g;
    put(g.path(u"config.cfg"_s), "name \"a\"\r\n");
    put(g.path(u"config.cfg.bak"_s), "kept\r\n");
    g.choose(u"config.cfg"_s);
    g.w.ws.values.name = u"b"_s;
    ASSERT_TRUE(applyAndSave(g.w.ws).ok());
    EXPECT_EQ(slurp(g.path(u"config.cfg.bak"_s)), QByteArray("kept\r\n"));
    EXPECT_EQ(slurp(g.path(u"config.cfg.wizard.bak"_s)), QByteArray("name \"a\"\r\n"));
}

// A disk that runs out of room while the applied config is written: the error names the file,
// the old file stays whole, and the safety copy made for the write that failed is gone again
// (or, when an earlier opening left one, that copy is as it was).
TEST(WizardFiles, AWriteThatRunsOutOfRoomLeavesTheOldFileWholeAndNoNewCopy) {
    for (const bool earlierCopy : {false, true}) {
        GameFolder g;
        const QString file = g.path(u"my.cfg"_s);
        put(file, kOrdinary);
        if (earlierCopy)
            put(safetyCopyPath(file), "older\r\n");
        g.choose(u"my.cfg"_s);
        g.w.ws.mem1.appendLine(QString(256 * 1024, u'x'));

        const int code = exitCodeWithFileSizeLimit(64 * 1024, [&] {
            const WizardSaveResult r = applyAndSave(g.w.ws);
            const bool reported = r.status == WizardSaveResult::Status::WriteFailed &&
                                  r.message().contains(file) && !r.reason.isEmpty() &&
                                  r.safetyCopy.isEmpty() && r.savedNote().isEmpty();
            return reported ? 0 : 1;
        });
        EXPECT_EQ(code, 0);
        EXPECT_EQ(slurp(file), kOrdinary);
        if (earlierCopy)
            EXPECT_EQ(slurp(safetyCopyPath(file)), QByteArray("older\r\n"));
        else
            EXPECT_FALSE(QFile::exists(safetyCopyPath(file)));
    }
}

TEST(WizardFiles, TheSavedNoteNamesTheFileAndItsCopy) {
    GameFolder g;
    put(g.path(u"config.cfg"_s), "name \"a\"\r\n");
    g.choose(u"config.cfg"_s);
    g.w.ws.values.name = u"b"_s;
    const WizardSaveResult first = applyAndSave(g.w.ws);
    EXPECT_EQ(first.savedNote(), u"Сохранено: config.cfg (копия: config.cfg.wizard.bak)"_s);
    // One copy per opening: the second save names the file only.
    EXPECT_EQ(saveChosenFile(g.w.ws).savedNote(), u"Сохранено: config.cfg"_s);
}

// The page 1 list leaves out the launcher's temporary copy of the edited config.
TEST(WizardFiles, TheListLeavesOutTheLaunchCopy) {
    GameFolder g;
    for (const QString& name : {u"_.cfg"_s, u"a.cfg"_s, u"__.cfg"_s, u"b.txt"_s})
        put(g.path(name), "");
    EXPECT_EQ(wizardFileList(g.dir.path()), (QStringList{u"__.cfg"_s, u"a.cfg"_s}));
}
