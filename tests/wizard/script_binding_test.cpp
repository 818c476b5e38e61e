// BIND over the wizard's documents: the lines it writes, where they go, what it removes first,
// the files it saves and the key lists it leaves.
#include "file_size_limit.h"
#include "platform/text_file.h"
#include "state/shared_state.h"
#include "wizard/pivo.h"
#include "wizard/script_binding.h"
#include "wizard/wizard_files.h"
#include "wizard/wizard_working_set.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using script::BindMode;
using script::BindRequest;

namespace {

class ScriptBinding : public ::testing::Test {
protected:
    ScriptBinding() {
        folder = dir.path();
        shared.games.startupGameDir = folder;
        shared.games.wizardFolder = folder;
        shared.home = ProgramHome::portable(folder + u"/program"_s);
    }

    // Writes the config (and an autoexec.cfg when given), opens the wizard on it and reads it.
    void open(const QString& fileName, const QString& config, const QString& autoexec = QString()) {
        write(fileName, config);
        if (!autoexec.isNull())
            write(u"autoexec.cfg"_s, autoexec);
        loadDocuments(ws, folder, fileName);
        ws.usedKeys.clear();
        pivoRead(ws, {});
    }
    void write(const QString& name, const QString& text) {
        ASSERT_TRUE(textfile::writeText(folder + u"/"_s + name, text).ok);
    }
    QString file(const QString& name) const {
        return textfile::readText(folder + u"/"_s + name).text;
    }
    QByteArray bytes(const QString& name) const {
        QFile f(folder + u"/"_s + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    script::BindOutcome bind(const BindRequest& request) {
        return script::runBind(ws, request, {});
    }

    QTemporaryDir dir;
    QString folder;
    SharedState shared;
    WizardWorkingSet ws{shared};
};

BindRequest workedExample() {
    BindRequest r;
    r.mode = BindMode::NewKey;
    r.key = u"f"_s;
    r.composition.longArm = 1;         // AK
    r.composition.pistol = 2;          // Desert Eagle
    r.composition.ammunition = 3;      // everything
    r.composition.equipment[1] = true; // the vest with helmet
    r.composition.equipment[3] = true; // a HE grenade
    r.composition.radio = 8;           // "Go, go, go!"
    r.composition.chatText = u"go"_s;
    r.composition.chatToTeam = true;
    return r;
}

BindRequest usedKey(const QString& key, int longArm, bool deletion = false) {
    BindRequest r;
    r.mode = BindMode::UsedKey;
    r.key = key;
    r.deletion = deletion;
    r.composition.longArm = longArm;
    return r;
}

} // namespace

TEST_F(ScriptBinding, WorkedExampleByteForByte) {
    open(u"my.cfg"_s, u"bind \"w\" \"+forward\"\n"_s);
    const auto outcome = bind(workedExample());
    ASSERT_TRUE(outcome.done()) << outcome.message.toStdString();

    const QByteArray expected =
        "unbindall\r\n"
        "bind \"w\" \"+forward\"\r\n"
        "alias \"ww\" \"wait;wait;wait;wait;wait;wait;wait;wait\"\r\n"
        "alias \"Kaz-f_equip\" \"buy;ww;menuselect 8;ww;menuselect 2;ww;slot10;buy;ww;menuselect "
        "8;ww;menuselect 4;ww;slot10;\"\r\n"
        "alias \"Kaz-f_mes\" \"radio2;ww;menuselect 1;ww;slot10;say_team go\"\r\n"
        "alias \"Kaz-f\" \"buy;ww;menuselect 4;ww;menuselect 1;ww;slot10;buy;ww;menuselect "
        "1;ww;menuselect 3;ww;slot10;buy;ww;menuselect 6;ww;slot10;buy;ww;menuselect "
        "7;ww;slot10;Kaz-f_equip;Kaz-f_mes\"\r\n"
        "bind \"f\" \"Kaz-f\"\r\n";
    EXPECT_EQ(bytes(u"my.cfg"_s), expected);
    EXPECT_EQ(ws.usedKeys, (QStringList{u"w"_s, u"f"_s}));
    EXPECT_FALSE(ws.freeKeys.contains(u"f"_s));
    EXPECT_FALSE(ws.comboKeys.contains(u"f"_s));
    // The write kept the bytes it replaced, as BIND's.
    const VersionStore store = shared.versions();
    const QList<FileVersion> kept = store.versions(folder + u"/my.cfg"_s);
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept[0].source, VersionSource::Bind);
    EXPECT_EQ(store.bytesOf(kept[1]).bytes, "bind \"w\" \"+forward\"\r\n");
}

TEST_F(ScriptBinding, CombinationExample) {
    open(u"my.cfg"_s, u"unbindall\nbind \"mouse1\" \"+attack\"\n"_s);
    BindRequest r;
    r.mode = BindMode::Combination;
    r.key = u"mouse1"_s;
    r.modifier = u"ALT"_s;
    r.composition.longArm = 9; // the magnum sniper rifle
    ASSERT_TRUE(bind(r).done());

    EXPECT_EQ(file(u"my.cfg"_s),
              u"unbindall\n"
              u"bind \"mouse1\" \"+attack\"\n"
              u"alias \"ww\" \"wait;wait;wait;wait;wait;wait;wait;wait\"\n"
              u"alias \"Kaz-alt-mouse1\" \"buy;ww;menuselect 4;ww;menuselect 6;ww;slot10;\"\n"
              u"alias \"+altkey\" \"bind mouse1 Kaz-alt-mouse1\"\n"
              u"alias \"-altkey\" \"bind mouse1 +attack\"\n"
              u"bind \"alt\" \"+altkey\"\n"_s);
    // The reload found the modifier's new bind line.
    EXPECT_TRUE(ws.usedKeys.contains(u"alt"_s));
    EXPECT_FALSE(ws.comboKeys.contains(u"ALT"_s));
    EXPECT_FALSE(ws.freeKeys.contains(u"ALT"_s));
    EXPECT_FALSE(ws.reloadOnly);
}

TEST_F(ScriptBinding, CombinationReadsTheMainKeysBareCommand) {
    open(u"my.cfg"_s, u"unbindall\nbind \"MOUSE2\" +attack2\n"_s);
    BindRequest r;
    r.mode = BindMode::Combination;
    r.key = u"MOUSE2"_s;
    r.modifier = u"CTRL"_s;
    ASSERT_TRUE(bind(r).done());
    EXPECT_TRUE(file(u"my.cfg"_s).contains(u"alias \"-ctrlkey\" \"bind mouse2 +attack2\"\n"_s));
    EXPECT_TRUE(file(u"my.cfg"_s).contains(u"alias \"Kaz-ctrl-mouse2\" \"\"\n"_s));
}

TEST_F(ScriptBinding, AutoexecModeSendsAliasesToTheAutoexecDocument) {
    open(u"config.cfg"_s, u"bind \"w\" \"+forward\"\n"_s, u"echo hi\n"_s);
    ASSERT_TRUE(ws.autoexecMode);
    ASSERT_TRUE(bind(workedExample()).done());

    const QString config = file(u"config.cfg"_s);
    const QString autoexec = file(u"autoexec.cfg"_s);
    EXPECT_EQ(config, u"unbindall\nbind \"w\" \"+forward\"\nbind \"f\" \"Kaz-f\"\n"_s);
    EXPECT_TRUE(
        autoexec.startsWith(u"echo hi\nalias \"ww\" \"wait;wait;wait;wait;wait;wait;wait;wait\"\n"
                            u"alias \"Kaz-f_equip\" \"buy;"_s));
    EXPECT_TRUE(autoexec.contains(u"\nalias \"Kaz-f_mes\" \"radio2;"_s));
    EXPECT_TRUE(autoexec.endsWith(u";Kaz-f_equip;Kaz-f_mes\"\n"_s));
    EXPECT_FALSE(config.contains(u"alias"_s));
    EXPECT_EQ(ws.mem2.content(), autoexec);

    // A rebind in autoexec mode takes the old aliases out of the autoexec file.
    ASSERT_TRUE(bind(usedKey(u"f"_s, 9)).done());
    EXPECT_EQ(file(u"autoexec.cfg"_s),
              u"echo hi\nalias \"ww\" \"wait;wait;wait;wait;wait;wait;wait;wait\"\n"
              u"alias \"Kaz-f\" \"buy;ww;menuselect 4;ww;menuselect 6;ww;slot10;\"\n"_s);
    EXPECT_EQ(file(u"config.cfg"_s),
              u"unbindall\nbind \"w\" \"+forward\"\nbind \"f\" \"Kaz-f\"\n"_s);
}

// A BIND whose saves fail leaves both documents and both files as they were, whichever file
// could not be written (a folder standing where the file was).
TEST_F(ScriptBinding, AFailedSaveInAutoexecModeLeavesBothFilesAsTheyWere) {
    const QString config = u"bind \"w\" \"+forward\"\n"_s;
    const QString autoexec = u"echo hi\n"_s;
    for (const QString& failing : {u"autoexec.cfg"_s, u"config.cfg"_s}) {
        SCOPED_TRACE(failing.toStdString());
        open(u"config.cfg"_s, config, autoexec);
        ASSERT_TRUE(ws.autoexecMode);
        ASSERT_TRUE(QFile::remove(folder + u"/"_s + failing));
        ASSERT_TRUE(QDir(folder).mkdir(failing));
        const auto outcome = bind(workedExample());
        EXPECT_EQ(outcome.status, script::BindOutcome::Status::SaveFailed);
        EXPECT_EQ(ws.mem1.content(), config);
        EXPECT_EQ(ws.mem2.content(), autoexec);
        if (failing == u"config.cfg"_s)
            EXPECT_EQ(file(u"autoexec.cfg"_s), autoexec); // written back
        else
            EXPECT_EQ(file(u"config.cfg"_s), config);
        ASSERT_TRUE(QDir(folder + u"/"_s + failing).removeRecursively());
    }
}

TEST_F(ScriptBinding, RebindingTwiceLeavesOneSetAndSparesLongerKeyNames) {
    open(u"my.cfg"_s, u"unbindall\nalias \"ww\" \"wait;wait;wait;wait;wait;wait;wait;wait\"\n"
                      u"alias \"Kaz-f10\" \"slot10\"\nbind \"F10\" \"Kaz-f10\"\n"
                      u"alias \"Kaz-f1_equip\" \"buy\"\nalias \"Kaz-f1-q\" \"x\"\n"
                      u"alias \"Kaz-f1\" \"slot1;Kaz-f1_equip\"\nbind \"F1\" \"Kaz-f1\"\n"_s);
    ASSERT_TRUE(ws.usedKeys.contains(u"F1"_s));
    ASSERT_TRUE(bind(usedKey(u"F1"_s, 1)).done());
    ASSERT_TRUE(bind(usedKey(u"F1"_s, 2)).done());

    EXPECT_EQ(file(u"my.cfg"_s),
              u"unbindall\nalias \"ww\" \"wait;wait;wait;wait;wait;wait;wait;wait\"\n"
              u"alias \"Kaz-f10\" \"slot10\"\nbind \"F10\" \"Kaz-f10\"\n"
              u"alias \"Kaz-f1\" \"buy;ww;menuselect 4;ww;menuselect 4;ww;slot10;\"\n"
              u"bind \"f1\" \"Kaz-f1\"\n"_s);
    EXPECT_EQ(ws.usedKeys.count(u"F10"_s), 1);
    EXPECT_EQ(ws.usedKeys.count(u"f1"_s), 1);
}

TEST_F(ScriptBinding, DeletingAUsedKeyRemovesItsLinesAndWritesNone) {
    open(u"my.cfg"_s, u"bind \"w\" \"+forward\"\nalias \"Kaz-g\" \"slot1\"\n"
                      u"alias \"+gkey\" \"bind w Kaz-g-w\"\nalias \"-gkey\" \"bind w +forward\"\n"
                      u"alias \"Kaz-g-w\" \"slot2\"\nbind \"g\" \"+gkey\"\n"_s);
    ASSERT_TRUE(ws.usedKeys.contains(u"g"_s));
    ASSERT_TRUE(bind(usedKey(u"g"_s, 1, /*deletion=*/true)).done());
    // No wait alias or "unbindall" either: a deletion only takes lines away.
    EXPECT_EQ(file(u"my.cfg"_s), u"bind \"w\" \"+forward\"\n"_s);
    EXPECT_EQ(ws.usedKeys, QStringList{u"w"_s});
    EXPECT_TRUE(ws.freeKeys.contains(u"g"_s));
    EXPECT_TRUE(ws.comboKeys.contains(u"g"_s));
}

TEST_F(ScriptBinding, WaitAliasAndUnbindallAreWrittenOnce) {
    open(u"my.cfg"_s, QString());
    ASSERT_TRUE(bind(workedExample()).done());
    BindRequest second = workedExample();
    second.key = u"g"_s;
    ASSERT_TRUE(bind(second).done());
    const QString text = file(u"my.cfg"_s);
    EXPECT_EQ(text.count(u"alias \"ww\""_s), 1);
    EXPECT_EQ(text.count(u"unbindall"_s), 1);
    EXPECT_TRUE(text.startsWith(u"unbindall\n"_s));

    // A config read with both present gets neither again.
    open(u"other.cfg"_s,
         u"unbindall\nalias \"ww\" \"wait;wait;wait;wait;wait;wait;wait;wait\"\n"_s);
    ASSERT_TRUE(ws.waitAliasPresent && ws.unbindallPresent);
    ASSERT_TRUE(bind(workedExample()).done());
    EXPECT_EQ(file(u"other.cfg"_s).count(u"alias \"ww\""_s), 1);
    EXPECT_EQ(file(u"other.cfg"_s).count(u"unbindall"_s), 1);
}

TEST_F(ScriptBinding, NothingComposedBindsAnEmptyAlias) {
    open(u"my.cfg"_s, u"unbindall\n"_s);
    BindRequest r;
    r.key = u"MOUSE1"_s;
    ASSERT_TRUE(bind(r).done());
    EXPECT_TRUE(file(u"my.cfg"_s)
                    .endsWith(u"alias \"Kaz-mouse1\" \"\"\nbind \"mouse1\" \"Kaz-mouse1\"\n"_s));
    EXPECT_EQ(ws.usedKeys.last(), u"MOUSE1"_s);
}

TEST_F(ScriptBinding, RefusalsWriteNothing) {
    open(u"my.cfg"_s, u"bind \"w\" \"+forward\"\n"_s);
    const QStringList freeBefore = ws.freeKeys;
    for (const QString& chat : {u"hi \"all"_s, u"gg;quit"_s}) {
        BindRequest r = workedExample();
        r.composition.chatText = chat;
        const auto outcome = bind(r);
        EXPECT_EQ(outcome.status, script::BindOutcome::Status::Refused);
        EXPECT_EQ(outcome.message, script::unsafeChatTextMessage());
    }
    BindRequest foreign = workedExample();
    foreign.composition.chatText = u"gg 😀"_s;
    EXPECT_EQ(bind(foreign).message, script::unencodableChatTextMessage(u"😀"_s));
    // The game skips a Russian letter where a word begins: "say_team Вперёд" sends nothing.
    BindRequest russian = workedExample();
    russian.composition.chatText = u"Вперёд!"_s;
    EXPECT_EQ(bind(russian).message, script::unsentChatTextMessage());
    // "say // gg" is "say" and a comment: the game sends nothing.
    BindRequest comment = workedExample();
    comment.composition.chatText = u"// gg"_s;
    EXPECT_EQ(bind(comment).message, script::commentChatTextMessage());
    BindRequest noKey = workedExample();
    noKey.key.clear();
    EXPECT_EQ(bind(noKey).status, script::BindOutcome::Status::Refused);
    EXPECT_EQ(ws.mem1.content(), u"bind \"w\" \"+forward\"\n"_s);
    EXPECT_EQ(file(u"my.cfg"_s), u"bind \"w\" \"+forward\"\n"_s);
    EXPECT_EQ(ws.freeKeys, freeBefore);
    EXPECT_TRUE(shared.versions().versions(folder + u"/my.cfg"_s).isEmpty());

    // A config whose text could not be read is never written over.
    ASSERT_TRUE(QDir(folder).mkdir(u"folder.cfg"_s));
    loadDocuments(ws, folder, u"folder.cfg"_s);
    EXPECT_EQ(bind(workedExample()).status, script::BindOutcome::Status::Refused);
}

TEST_F(ScriptBinding, FailedSavePutsTheDocumentsAndKeyListsBack) {
    const QString old = u"bind \"w\" \"+forward\"\n"_s + QString(u"// padding\n"_s).repeated(50);
    open(u"my.cfg"_s, old);
    // Run in a child whose files may not grow past 100 bytes; it reports through its exit code.
    const int code = exitCodeWithFileSizeLimit(100, [&] {
        const QStringList usedBefore = ws.usedKeys;
        const auto outcome = bind(workedExample());
        int fault = 0;
        if (outcome.status != script::BindOutcome::Status::SaveFailed)
            fault = 1;
        else if (!outcome.message.contains(u"my.cfg"_s))
            fault = 2;
        else if (ws.mem1.content() != old || ws.waitAliasPresent || ws.unbindallPresent ||
                 !outcome.message.contains(u"конфиг остался прежним"_s))
            fault = 3;
        else if (ws.usedKeys != usedBefore || !ws.freeKeys.contains(u"f"_s))
            fault = 4;
        return fault;
    });
    EXPECT_EQ(code, 0)
        << "1: not reported, 2: no file named, 3: lines left behind, 4: key lists moved";
    EXPECT_EQ(file(u"my.cfg"_s), old);
}

TEST_F(ScriptBinding, KeysTheConsoleSplitsOnAndTooLongScriptNamesAreRefused) {
    open(u"my.cfg"_s, u"bind \"w\" \"+forward\"\n"_s);
    struct Case {
        BindMode mode;
        QString key;
        QString modifier;
        QString named; // what the message names
    };
    const Case cases[] = {
        {BindMode::NewKey, u";"_s, {}, u"«;»"_s},
        {BindMode::NewKey, u"'"_s, {}, u"«'»"_s},
        {BindMode::NewKey, u","_s, {}, u"«,»"_s},
        {BindMode::Combination, u"w"_s, u";"_s, u"«;»"_s},
        {BindMode::Combination, u"kp_rightarrow"_s, u"kp_downarrow"_s,
         u"Kaz-kp_downarrow-kp_rightarrow_equip"_s},
    };
    for (const Case& c : cases) {
        BindRequest r = workedExample();
        r.mode = c.mode;
        r.key = c.key;
        r.modifier = c.modifier;
        const auto outcome = bind(r);
        EXPECT_EQ(outcome.status, script::BindOutcome::Status::Refused) << c.key.toStdString();
        EXPECT_TRUE(outcome.message.contains(c.named)) << outcome.message.toStdString();
    }
    EXPECT_EQ(file(u"my.cfg"_s), u"bind \"w\" \"+forward\"\n"_s);
    // Deleting such a key's lines is still allowed.
    EXPECT_TRUE(script::refusalFor(ws, usedKey(u";"_s, 0, true)).isEmpty());
}

// The game refuses an alias name of 32 characters or more; the script's names are measured only
// where it writes them.
TEST_F(ScriptBinding, AnAliasNameIsMeasuredWhereTheScriptWritesIt) {
    open(u"my.cfg"_s, u"bind \"w\" \"+forward\"\n"_s);
    BindRequest r;
    r.mode = BindMode::Combination;
    r.modifier = u"kp_downarrow"_s;
    r.key = u"mwheeldown"_s;
    r.composition.longArm = 1; // "Kaz-kp_downarrow-mwheeldown": 27 characters
    EXPECT_TRUE(script::refusalFor(ws, r).isEmpty());
    r.composition.equipment[1] = true; // and its "_equip": 33
    EXPECT_TRUE(script::refusalFor(ws, r).contains(u"Kaz-kp_downarrow-mwheeldown_equip"_s));
    r.composition.equipment[1] = false;
    r.composition.radio = 8; // "_mes": 31, the longest the game takes
    EXPECT_TRUE(script::refusalFor(ws, r).isEmpty());
    r.key = u"kp_enter"_s;
    r.composition.equipment[1] = true; // "Kaz-kp_downarrow-kp_enter_equip": 31
    EXPECT_TRUE(script::refusalFor(ws, r).isEmpty());
}

TEST_F(ScriptBinding, DeletingOrRebindingAMainKeyTakesItsCombinationsAlong) {
    const QString combination = u"alias \"Kaz-alt-mouse1\" \"buy\"\n"
                                u"alias \"+altkey\" \"bind mouse1 Kaz-alt-mouse1\"\n"
                                u"alias \"-altkey\" \"bind mouse1 +attack\"\n"
                                u"bind \"alt\" \"+altkey\"\n"_s;
    for (const bool deletion : {true, false}) {
        open(u"my.cfg"_s, u"unbindall\nalias ww wait\nbind \"Mouse1\" \"+attack\"\n"_s +
                              combination + u"bind \"mouse1\" \"x\"\nbind \"MOUSE2\" \"y\"\n"_s);
        ASSERT_TRUE(bind(usedKey(u"MOUSE1"_s, 1, deletion)).done());
        const QString after = file(u"my.cfg"_s);
        EXPECT_FALSE(after.contains(u"altkey"_s)) << after.toStdString();
        EXPECT_FALSE(after.contains(u"Kaz-alt-mouse1"_s));
        EXPECT_FALSE(after.contains(u"\"+attack\""_s)); // every binding of the key, any case
        EXPECT_TRUE(after.contains(u"bind \"MOUSE2\" \"y\""_s));
        EXPECT_EQ(after.contains(u"bind \"mouse1\" \"Kaz-mouse1\""_s), !deletion);
    }
}

// A rebind of a used key in a config without the wait alias and "unbindall" writes both, as a
// new key does; a deletion writes neither and is never refused for its chat text.
TEST_F(ScriptBinding, ARebindWritesTheSharedLinesADeletionDoesNot) {
    open(u"my.cfg"_s, u"bind \"f\" \"+use\"\n"_s);
    ASSERT_TRUE(bind(usedKey(u"f"_s, 1)).done());
    EXPECT_TRUE(file(u"my.cfg"_s).startsWith(u"unbindall\n"_s));
    EXPECT_TRUE(file(u"my.cfg"_s).contains(u"alias \"ww\""_s));

    open(u"other.cfg"_s, u"bind \"f\" \"+use\"\n"_s);
    BindRequest deletion = usedKey(u"f"_s, 0, true);
    deletion.composition.chatText = u"gg 😀"_s;
    ASSERT_TRUE(bind(deletion).done());
    EXPECT_EQ(file(u"other.cfg"_s), QString());
}
