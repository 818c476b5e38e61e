// Page 9's scripted key area, wired into the wizard: the buy controls' prices and picture, the
// radio preview's buttons, and BIND from the lists through the files to the reset page.
#include "platform/wav_player.h"
#include "shell/main_window.h"
#include "test_app.h"
#include "wizard/pivo.h"
#include "wizard/wizard_files.h"
#include "wizard/wizard_window.h"
#include "wizard/wizard_window_script_area.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using Kind = ScriptedUserDialogs::Kind;

namespace {

// Records what the page asks of the player.
class RecordingPlayer final : public WavPlayer {
public:
    bool available(QString* reason) const override {
        if (!hasOutput && reason)
            *reason = u"нет звука"_s;
        return hasOutput;
    }
    bool open(const QString& path) override {
        opened = path;
        return hasOutput;
    }
    bool isOpen() const override { return !opened.isEmpty(); }
    void play() override { calls << u"play"_s; }
    void stop() override { calls << u"stop"_s; }
    void rewind() override { calls << u"rewind"_s; }
    void fail(const QString& why) { reportFailure(why); }

    bool hasOutput = true;
    QString opened;
    QStringList calls;
};

class ScriptArea : public ::testing::Test {
protected:
    ScriptArea() {
        app.createWindows();
        form = app.w().wizard;
        form->ensureBuilt();
        area = form->findChild<ScriptKeyArea*>();
        auto owned = std::make_unique<RecordingPlayer>();
        player = owned.get();
        area->setWavPlayer(std::move(owned));
        app.state.games.wizardFolder = app.gameDir();
        app.state.games.startupGameDir = app.gameDir();
        // The pictures the page shows come with the program.
        for (const QString& name : {u"ak47"_s, u"kevhelmet"_s, u"kev"_s, u"awp"_s})
            app.writeFile(app.programDir() + u"dlls/CvarDll/GUNS/weapon_"_s + name + u".jpg"_s,
                          sourceFile(u"data/dlls/cvardll/guns/weapon_"_s + name + u".jpg"_s));
    }
    static QByteArray sourceFile(const QString& relative) {
        QFile f(QStringLiteral(TESSERA_SOURCE_DIR "/") + relative);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Opens the wizard's documents on a config in the game folder and reads them.
    void openConfig(const QByteArray& bytes) {
        app.writeFile(app.gameDir() + u"/my.cfg"_s, bytes);
        WizardWorkingSet& ws = form->workingSet();
        loadDocuments(ws, app.gameDir(), u"my.cfg"_s);
        ws.usedKeys.clear();
        pivoRead(ws, {});
        area->showKeyLists();
    }
    template <typename T> T* control(const QString& name) const {
        T* c = form->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    void choose(const QString& box, int index) {
        auto* combo = control<QComboBox>(box);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void choose(const QString& box, const QString& text) {
        auto* combo = control<QComboBox>(box);
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        choose(box, index);
    }
    void check(int row) {
        auto* list = control<QListWidget>(u"CheckListBox1"_s);
        QListWidgetItem* item = list->item(row);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
    QString text(const QString& label) const { return control<QLabel>(label)->text(); }

    TestApp app;
    ConfigWizard* form = nullptr;
    ScriptKeyArea* area = nullptr;
    RecordingPlayer* player = nullptr;
};

} // namespace

TEST_F(ScriptArea, PricesPictureAndVests) {
    auto* image = control<QLabel>(u"Image2"_s);
    choose(u"ComboBox3"_s, 1); // AK
    EXPECT_FALSE(image->isHidden());
    EXPECT_FALSE(image->pixmap().isNull());
    EXPECT_EQ(text(u"Label92"_s), u"2500$"_s);
    check(0); // the vest
    check(1); // the vest with helmet takes its place
    auto* list = control<QListWidget>(u"CheckListBox1"_s);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(text(u"Label92"_s), u"3500$"_s);
    choose(u"ComboBox5"_s, 3);
    EXPECT_EQ(text(u"Label93"_s), u"от 40 до 620$"_s);
    EXPECT_EQ(text(u"Label92"_s), u"3500$"_s);
    choose(u"ComboBox3"_s, 0);
    EXPECT_TRUE(image->isHidden());
    EXPECT_EQ(text(u"Label92"_s), u"1000$"_s);

    // A picture that is not there: the message, no picture, the price still counts.
    app.dialogs.expect(Kind::Error);
    choose(u"ComboBox4"_s, 2);
    EXPECT_EQ(app.dialogs.lastText(), u"Ненайден файл соответствующий значению!"_s);
    EXPECT_TRUE(image->isHidden());
    EXPECT_EQ(text(u"Label92"_s), u"1650$"_s);
}

TEST_F(ScriptArea, RadioPreviewFollowsTheSoundFiles) {
    app.writeFile(app.gameDir() + u"/Sound/Radio/com_go.wav"_s, "RIFF");
    auto* play = control<QToolButton>(u"Play"_s);
    auto* stop = control<QToolButton>(u"Stop"_s);
    auto* radio = control<QComboBox>(u"ComboBox8"_s);
    EXPECT_FALSE(play->isEnabled());
    choose(u"ComboBox8"_s, 8);
    EXPECT_TRUE(play->isEnabled() && stop->isEnabled());
    EXPECT_TRUE(player->opened.endsWith(u"/Sound/Radio/com_go.wav"_s));
    QTest::mouseClick(play, Qt::LeftButton);
    QTest::mouseClick(stop, Qt::LeftButton);
    QTest::keyClick(radio, Qt::Key_Return);
    EXPECT_EQ(player->calls, (QStringList{u"play"_s, u"stop"_s, u"rewind"_s, u"play"_s}));
    choose(u"ComboBox8"_s, 7); // a separator
    EXPECT_FALSE(play->isEnabled() || stop->isEnabled());
    choose(u"ComboBox8"_s, 9); // no fallback.wav
    EXPECT_FALSE(play->isEnabled());

    // A broken file or no sound output: off, and the status line and the buttons' tool tips
    // (the status line may be under the wizard) say why.
    EXPECT_EQ(play->toolTip(), u"Прослушать"_s);
    choose(u"ComboBox8"_s, 8);
    player->fail(u"испорчен"_s);
    EXPECT_FALSE(play->isEnabled());
    EXPECT_EQ(app.w().mainWindow->statusLine(), u"испорчен"_s);
    EXPECT_EQ(play->toolTip(), u"испорчен"_s);
    player->hasOutput = false;
    choose(u"ComboBox8"_s, 0);
    choose(u"ComboBox8"_s, 8);
    EXPECT_FALSE(play->isEnabled());
    EXPECT_EQ(app.w().mainWindow->statusLine(), u"нет звука"_s);
    EXPECT_EQ(play->toolTip(), u"нет звука"_s);
    EXPECT_EQ(stop->toolTip(), u"нет звука"_s);
    player->hasOutput = true;
    choose(u"ComboBox8"_s, 8);
    EXPECT_EQ(play->toolTip(), u"Прослушать"_s);
    EXPECT_EQ(stop->toolTip(), u"Остановить"_s);
}

TEST_F(ScriptArea, BindWritesTheFileAndResetsThePage) {
    openConfig("bind \"w\" \"+forward\"\r\n");
    auto* freeKeys = control<QComboBox>(u"ComboBox6"_s);
    auto* bindNew = control<QToolButton>(u"SpeedButton1"_s);
    EXPECT_FALSE(bindNew->isEnabled());
    freeKeys->setCurrentIndex(freeKeys->findText(u"f"_s));
    EXPECT_TRUE(bindNew->isEnabled());
    choose(u"ComboBox3"_s, 1);
    QTest::mouseClick(control<QRadioButton>(u"RadioButton49"_s), Qt::LeftButton);
    ASSERT_TRUE(control<QLineEdit>(u"Edit3"_s)->isEnabled());
    control<QLineEdit>(u"Edit3"_s)->setText(u"go"_s);

    QTest::keyClick(freeKeys, Qt::Key_Return); // Enter acts as BIND
    const QByteArray written = app.readFile(app.gameDir() + u"/my.cfg"_s);
    EXPECT_TRUE(written.startsWith("unbindall\r\nbind \"w\" \"+forward\"\r\n"));
    EXPECT_TRUE(written.endsWith("alias \"Kaz-f_mes\" \"say_team go\"\r\n"
                                 "alias \"Kaz-f\" \"buy;ww;menuselect 4;ww;menuselect "
                                 "1;ww;slot10;Kaz-f_mes\"\r\nbind \"f\" \"Kaz-f\"\r\n"));
    EXPECT_EQ(freeKeys->findText(u"f"_s), -1);
    EXPECT_NE(control<QComboBox>(u"ComboBox7"_s)->findText(u"f"_s), -1);
    EXPECT_EQ(freeKeys->currentIndex(), -1);
    EXPECT_FALSE(bindNew->isEnabled());
    EXPECT_EQ(control<QComboBox>(u"ComboBox3"_s)->currentIndex(), 0);
    EXPECT_EQ(text(u"Label92"_s), u"0$"_s);
    EXPECT_FALSE(control<QLineEdit>(u"Edit3"_s)->isEnabled());
    EXPECT_TRUE(control<QLineEdit>(u"Edit3"_s)->text().isEmpty());
    EXPECT_FALSE(control<QRadioButton>(u"RadioButton49"_s)->isChecked());
}

// The page's reset after a BIND is no choice of the player's: the radio preview keeps its state.
TEST_F(ScriptArea, BindLeavesTheRadioPreviewAsItWas) {
    app.writeFile(app.gameDir() + u"/Sound/Radio/com_go.wav"_s, "RIFF");
    openConfig("bind \"w\" \"+forward\"\r\n");
    choose(u"ComboBox8"_s, 8);
    auto* play = control<QToolButton>(u"Play"_s);
    ASSERT_TRUE(play->isEnabled());
    auto* freeKeys = control<QComboBox>(u"ComboBox6"_s);
    freeKeys->setCurrentIndex(freeKeys->findText(u"f"_s));
    QTest::mouseClick(control<QToolButton>(u"SpeedButton1"_s), Qt::LeftButton);
    EXPECT_EQ(freeKeys->findText(u"f"_s), -1); // bound
    EXPECT_TRUE(play->isEnabled());
    EXPECT_TRUE(control<QToolButton>(u"Stop"_s)->isEnabled());
}

// What cannot be done is refused before the question about the key's lines: a key the console
// splits on and an unsafe chat text get their reason alone. "Удалить" asks its own question.
TEST_F(ScriptArea, RefusalsComeBeforeTheQuestionAndDeletionAsks) {
    openConfig("unbindall\r\nalias \"Kaz-g\" \"slot1\"\r\nbind \"g\" \"Kaz-g\"\r\n"
               "bind \"'\" \"slot2\"\r\n");
    const QByteArray before = app.readFile(app.gameDir() + u"/my.cfg"_s);
    auto* used = control<QComboBox>(u"ComboBox7"_s);
    used->setCurrentIndex(used->findText(u"'"_s));
    ASSERT_GE(used->currentIndex(), 0);
    choose(u"ComboBox3"_s, 1);
    app.dialogs.expect(Kind::Warning);
    QTest::mouseClick(control<QToolButton>(u"SpeedButton2"_s), Qt::LeftButton);
    EXPECT_TRUE(app.dialogs.lastText().startsWith(u"Клавишу «'» нельзя использовать"_s));
    EXPECT_EQ(app.readFile(app.gameDir() + u"/my.cfg"_s), before);
    EXPECT_EQ(used->currentText(), u"'"_s); // the choice stays for another try

    used->setCurrentIndex(used->findText(u"g"_s));
    QTest::mouseClick(control<QRadioButton>(u"RadioButton50"_s), Qt::LeftButton);
    control<QLineEdit>(u"Edit3"_s)->setText(u"gg;quit"_s);
    app.dialogs.expect(Kind::Warning);
    QTest::mouseClick(control<QToolButton>(u"SpeedButton2"_s), Qt::LeftButton);
    EXPECT_TRUE(app.dialogs.lastText().contains(u"(;)"_s));
    EXPECT_EQ(control<QLineEdit>(u"Edit3"_s)->text(), u"gg;quit"_s); // nothing lost
    EXPECT_EQ(app.readFile(app.gameDir() + u"/my.cfg"_s), before);
    control<QLineEdit>(u"Edit3"_s)->clear();

    // "Удалить" asks its own question; No changes nothing, Yes deletes.
    area->PMenu1Popup();
    auto* remove = form->findChild<QAction*>(u"popua1"_s);
    ASSERT_TRUE(remove->isEnabled());
    app.dialogs.expect(Kind::YesNo, UserDialogs::Answer::No);
    remove->trigger();
    EXPECT_EQ(app.dialogs.lastText(), u"Вы действительно хотите удалить выбранную клавишу?"_s);
    EXPECT_TRUE(app.readFile(app.gameDir() + u"/my.cfg"_s).contains("Kaz-g"));
    app.dialogs.expect(Kind::YesNo, UserDialogs::Answer::Yes);
    remove->trigger();
    EXPECT_EQ(app.readFile(app.gameDir() + u"/my.cfg"_s), "unbindall\r\nbind \"'\" \"slot2\"\r\n");
    EXPECT_NE(control<QComboBox>(u"ComboBox6"_s)->findText(u"g"_s), -1);
    EXPECT_EQ(used->findText(u"g"_s), -1);
    EXPECT_TRUE(app.dialogs.allUsed());
}

// The rebind question names the key and what it runs now; the chat field says why it is off.
TEST_F(ScriptArea, TheRebindQuestionNamesTheKeyAndItsCommand) {
    openConfig("unbindall\r\nalias \"Kaz-g\" \"slot1\"\r\nbind \"g\" \"Kaz-g\"\r\n");
    auto* chat = control<QLineEdit>(u"Edit3"_s);
    EXPECT_FALSE(chat->isEnabled());
    EXPECT_TRUE(chat->placeholderText().contains(u"Для кого"_s));
    EXPECT_TRUE(chat->toolTip().contains(u"Для кого"_s));
    auto* used = control<QComboBox>(u"ComboBox7"_s);
    used->setCurrentIndex(used->findText(u"g"_s));
    // The weapon's picture coming and going moves none of the lists, and the equipment list
    // has room for every item inside its frame.
    form->show();
    form->showPage(8);
    auto* equipment = control<QListWidget>(u"CheckListBox1"_s);
    auto* rifles = control<QComboBox>(u"ComboBox3"_s);
    QCoreApplication::processEvents();
    const QRect equipmentAt = equipment->geometry();
    const QRect riflesAt = rifles->geometry();
    choose(u"ComboBox3"_s, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(equipment->geometry(), equipmentAt);
    EXPECT_EQ(rifles->geometry(), riflesAt);
    EXPECT_GE(equipment->viewport()->height(), equipment->count() * equipment->sizeHintForRow(0));
    const QByteArray before = app.readFile(app.gameDir() + u"/my.cfg"_s);
    app.dialogs.expect(Kind::YesNo, UserDialogs::Answer::No);
    QTest::mouseClick(control<QToolButton>(u"SpeedButton2"_s), Qt::LeftButton);
    EXPECT_EQ(app.dialogs.lastText(),
              u"Клавиша g сейчас назначена на «Kaz-g».\n"
              u"Вы действительно хотите переназначить выбранную клавишу?"_s);
    EXPECT_EQ(app.readFile(app.gameDir() + u"/my.cfg"_s), before);
    EXPECT_TRUE(app.dialogs.allUsed());
    form->hide();
}

TEST_F(ScriptArea, CombinationSwitchAndModifierList) {
    openConfig("unbindall\r\nbind \"mouse1\" \"+attack\"\r\n");
    auto* combo = control<QComboBox>(u"ComboBox9"_s);
    EXPECT_FALSE(combo->isEnabled());
    QTest::mouseClick(control<QToolButton>(u"SpeedButton3"_s), Qt::LeftButton);
    ASSERT_TRUE(combo->isEnabled());
    combo->setCurrentIndex(combo->findText(u"ALT"_s));
    auto* used = control<QComboBox>(u"ComboBox7"_s);
    used->setCurrentIndex(used->findText(u"mouse1"_s));
    choose(u"ComboBox3"_s, u"Magnum Sniper Rifle"_s);
    // No question while the combination list is on.
    QTest::mouseClick(control<QToolButton>(u"SpeedButton2"_s), Qt::LeftButton);
    EXPECT_TRUE(app.readFile(app.gameDir() + u"/my.cfg"_s)
                    .endsWith("alias \"-altkey\" \"bind mouse1 +attack\"\r\n"
                              "bind \"alt\" \"+altkey\"\r\n"));
    EXPECT_FALSE(combo->isEnabled());
    EXPECT_EQ(combo->findText(u"ALT"_s), -1);
    EXPECT_NE(used->findText(u"alt"_s), -1);
}
