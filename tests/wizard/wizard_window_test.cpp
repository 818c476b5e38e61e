// The wizard window driven as the user drives it: choosing a config on the first page, the
// page flow, reading the settings into the pages and applying them to the file.
#include "app/window_wiring.h"
#include "file_size_limit.h"
#include "metabinds/metabinds_window.h"
#include "platform/font_choice.h"
#include "print_qstring.h"
#include "shell/main_window.h"
#include "shell/new_config_dialog.h"
#include "test_app.h"
#include "widgets/qt_folder_tree.h"
#include "widgets/qt_list_boxes.h"
#include "wizard/qt_spin_edit.h"
#include "wizard/wizard_files.h"
#include "wizard/wizard_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using Kind = ScriptedUserDialogs::Kind;

namespace {

struct WizardFixture : ::testing::Test {
    void SetUp() override {
        app.createWindows();
        app.state.games.wizardFolder = app.gameDir();
        app.state.games.startupGameDir = app.gameDir();
        w = app.w().wizard;
        ASSERT_TRUE(w);
        w->ensureBuilt(); // its controls are looked up before it is first shown
        PgC1 = c<QTabWidget>(u"PgC1"_s);
        FileBox1 = c<QListWidget>(u"FileBox1"_s);
        mem1 = c<QPlainTextEdit>(u"mem1"_s);
        ASSERT_TRUE(PgC1 && FileBox1 && mem1);
    }
    void TearDown() override {
        if (w->isVisible())
            w->close();
        EXPECT_TRUE(app.dialogs.allUsed());
    }
    template <typename T> T* c(const QString& name) const {
        T* found = w->findChild<T*>(name);
        EXPECT_TRUE(found) << name.toStdString();
        return found;
    }
    QString path(const QString& name) const { return app.gameDir() + u"/"_s + name; }
    void open() {
        w->FormShow();
        w->show();
    }
    void choose(const QString& name) {
        const QList<QListWidgetItem*> found = FileBox1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        QTest::mouseClick(FileBox1->viewport(), Qt::LeftButton, {},
                          FileBox1->visualItemRect(found.first()).center());
    }
    void click(const QString& button) { c<QPushButton>(button)->click(); }
    QString label(const QString& name) const { return c<QLabel>(name)->text(); }
    int page() const { return PgC1->currentIndex(); }
    QString field(const QString& name) const {
        if (auto* spin = w->findChild<SpinEdit*>(name))
            return spin->text();
        return c<QLineEdit>(name)->text();
    }
    bool checked(const QString& name) const { return c<QRadioButton>(name)->isChecked(); }
    void goToPage(int target) {
        while (page() < target)
            click(u"Button2"_s);
    }

    TestApp app;
    ConfigWizard* w = nullptr;
    QTabWidget* PgC1 = nullptr;
    QListWidget* FileBox1 = nullptr;
    QPlainTextEdit* mem1 = nullptr;
};

} // namespace

TEST_F(WizardFixture, TheWindowIsFixedWithHiddenTabsAndElevenNamedPages) {
    EXPECT_EQ(w->windowTitle(), u"Конкретный конфигуратор (Master CFG)"_s);
    // Fixed, at least as large as it was drawn for, larger when its font needs the room.
    EXPECT_GE(w->width(), 476);
    EXPECT_GE(w->height(), 371);
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_EQ(c<QWidget>(u"Panel1"_s)->width(), 73);
    EXPECT_EQ(c<QWidget>(u"Panel1"_s)->palette().color(QPalette::Window), QColor(216, 208, 200));
    ASSERT_EQ(PgC1->count(), 11);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(PgC1->widget(i)->objectName(), u"TbS"_s + QString::number(i + 1));
    EXPECT_EQ(c<QPushButton>(u"Button2"_s)->text(), u"Далее >>"_s); // before the first showing
    EXPECT_FALSE(c<QPushButton>(u"Button2"_s)->isEnabled());
    EXPECT_FALSE(c<QPushButton>(u"Button56"_s)->isEnabled());
    EXPECT_FALSE(c<QPushButton>(u"Button3"_s)->isEnabled());
    EXPECT_EQ(c<QPushButton>(u"Button8"_s)->text(), u"Применить настройки"_s);
    EXPECT_EQ(c<QComboBox>(u"ComboBox1"_s)->currentText(), u"Никакое"_s);
    EXPECT_EQ(field(u"SpinEdit3"_s), u"300"_s);
    EXPECT_EQ(field(u"Edit2"_s), u"1.5"_s);
}

TEST_F(WizardFixture, FirstPageListsConfigsOnlyAndCreateListsTheNewFileWithoutChoosingIt) {
    app.writeFile(path(u"b.cfg"_s), "name \"b\"\r\n");
    app.writeFile(path(u"A.CFG"_s), "");
    app.writeFile(path(u".hidden.cfg"_s), "");
    app.writeFile(path(u"notes.txt"_s), "");
    QDir(app.gameDir()).mkpath(u"folder.cfg"_s);
    open();
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(label(u"Label83"_s), u"Все изменения настройки клавиш и вставка МетаБиндов\n"
                                   u"вступят в действие после нажатия \"Применить настройки\""_s);
    EXPECT_EQ(listTexts(FileBox1), (QStringList{u".hidden.cfg"_s, u"A.CFG"_s, u"b.cfg"_s}));

    NewConfigDialog* newConfigDialog = app.w().newConfigDialog;
    QTimer::singleShot(0, newConfigDialog, [&] {
        QTest::keyClicks(newConfigDialog->findChild<QLineEdit*>(u"Edit1"_s), u"new"_s);
        newConfigDialog->findChild<QPushButton*>(u"Button1"_s)->click();
    });
    click(u"Button1"_s);
    EXPECT_TRUE(listTexts(FileBox1).contains(u"new.cfg"_s));
    EXPECT_TRUE(FileBox1->selectedItems().isEmpty());
    EXPECT_TRUE(mem1->toPlainText().isEmpty());
}

TEST_F(WizardFixture, AnotherFolderListsItsConfigsWithNoneChosenAndMovesNoOtherWindow) {
    app.writeFile(path(u"my.cfg"_s), "name \"a\"\r\n");
    const QString other = app.root.path() + u"/other"_s;
    app.writeFile(other + u"/my.cfg"_s, "name \"b\"\r\n");
    app.writeFile(other + u"/_.cfg"_s, "exec my.cfg\r\n"); // the launcher's temporary copy
    open();
    choose(u"my.cfg"_s);
    auto* tree = w->findChild<DriveFolderTree*>();
    ASSERT_TRUE(tree && tree->setFolder(other));
    emit tree->folderChosen(other);
    // The map cycle, the launcher and the new-config dialog of the editor keep the game folder.
    EXPECT_EQ(app.state.games.wizardFolder, app.gameDir());
    EXPECT_EQ(listTexts(FileBox1), QStringList{u"my.cfg"_s});
    EXPECT_TRUE(FileBox1->selectedItems().isEmpty()); // the same name, but another file
    EXPECT_TRUE(mem1->toPlainText().isEmpty());       // nothing of the folder left behind
    app.dialogs.expect(Kind::Message);
    click(u"Button2"_s);
    choose(u"my.cfg"_s);
    EXPECT_EQ(mem1->toPlainText(), u"name \"b\"\n"_s);

    // "Создать" makes the new config in the folder the page shows.
    NewConfigDialog* newConfigDialog = app.w().newConfigDialog;
    QTimer::singleShot(0, newConfigDialog, [&] {
        QTest::keyClicks(newConfigDialog->findChild<QLineEdit*>(u"Edit1"_s), u"new"_s);
        newConfigDialog->findChild<QPushButton*>(u"Button1"_s)->click();
    });
    click(u"Button1"_s);
    EXPECT_TRUE(QFileInfo::exists(other + u"/new.cfg"_s));
    EXPECT_FALSE(QFileInfo::exists(path(u"new.cfg"_s)));

    // The next opening starts where the player left off, while the game folder stays the same.
    w->close();
    open();
    EXPECT_EQ(listTexts(FileBox1), (QStringList{u"my.cfg"_s, u"new.cfg"_s}));
    EXPECT_EQ(app.state.games.wizardFolder, app.gameDir());
}

TEST_F(WizardFixture, AFileThatCannotBeTunedIsRefusedAtForwardWithItsReason) {
    app.writeFile(path(u"bad.cfg"_s), QByteArray("name\0\x01\"x\"", 10));
    open();
    choose(u"bad.cfg"_s);
    // The preview says why, wrapped to the box rather than cut off.
    EXPECT_TRUE(mem1->toPlainText().contains(path(u"bad.cfg"_s)));
    EXPECT_EQ(mem1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    for (const QString& button : {u"Button2"_s, u"Button56"_s}) {
        app.dialogs.expect(Kind::Error);
        click(button);
        EXPECT_EQ(page(), 0);
        EXPECT_TRUE(app.dialogs.lastText().contains(path(u"bad.cfg"_s)));
    }
}

TEST_F(WizardFixture, TypedQuotesAreRefusedAndACommaBecomesAPoint) {
    open();
    QTest::keyClicks(c<QLineEdit>(u"Edit1"_s), u"The \"Pro\""_s);
    EXPECT_EQ(field(u"Edit1"_s), u"The Pro"_s);
    QTest::keyClicks(c<QLineEdit>(u"Edit1"_s), u",x"_s);
    EXPECT_EQ(field(u"Edit1"_s), u"The Pro,x"_s); // a name keeps its comma
    auto* sensitivity = c<SpinEdit>(u"SpinEdit6"_s);
    sensitivity->setText(QString());
    QTest::keyClicks(sensitivity->editor(), u"2,5"_s);
    EXPECT_EQ(field(u"SpinEdit6"_s), u"2.5"_s);
    c<QLineEdit>(u"Edit2"_s)->clear();
    QTest::keyClicks(c<QLineEdit>(u"Edit2"_s), u"0,25\""_s);
    EXPECT_EQ(field(u"Edit2"_s), u"0.25"_s);
}

TEST_F(WizardFixture, TheKeyboardReachesForwardFromTheFileListAndThePreview) {
    app.writeFile(path(u"my.cfg"_s), "name \"a\"\r\n");
    open();
    choose(u"my.cfg"_s);
    // Tab leaves the read-only preview.
    EXPECT_TRUE(mem1->tabChangesFocus());
    // Enter on the chosen file goes on as "Далее>>" does.
    FileBox1->setFocus();
    QTest::keyClick(FileBox1, Qt::Key_Return);
    EXPECT_EQ(page(), 1);
}

// Tab goes round every control of the page shown and the wizard's buttons, on every page after
// the first, and never into a control the page does not show.
TEST_F(WizardFixture, TabGoesRoundEachPageAndTheWizardsButtons) {
    app.writeFile(path(u"my.cfg"_s), "name \"Player\"\r\n");
    open();
    QApplication::setActiveWindow(w);
    choose(u"my.cfg"_s);
    click(u"Button2"_s);
    auto* back = c<QPushButton>(u"Button3"_s);
    auto* next = c<QPushButton>(u"Button2"_s);
    for (int index = 1; index < PgC1->count(); ++index) {
        w->showPage(index);
        QWidget* const shown = w->page(index);
        back->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), back);
        QList<QWidget*> visited;
        for (int step = 0; step < 300; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            if (now == back || !now)
                break;
            visited.append(now);
        }
        const std::string pageName = "page " + std::to_string(index + 1);
        EXPECT_EQ(QApplication::focusWidget(), back) << pageName;
        EXPECT_EQ(visited.contains(next), next->isEnabled()) << pageName;
        for (QWidget* v : std::as_const(visited))
            EXPECT_TRUE(v == next || (shown->isAncestorOf(v) && v->isVisible()))
                << pageName << " " << v->objectName().toStdString();
        for (QWidget* control : shown->findChildren<QWidget*>()) {
            const auto* radio = qobject_cast<QRadioButton*>(control);
            if (!control->isVisible() || !control->isEnabled() || control->focusProxy() ||
                !(control->focusPolicy() & Qt::TabFocus) || (radio && !radio->isChecked()))
                continue;
            EXPECT_TRUE(visited.contains(control))
                << pageName << " " << control->objectName().toStdString();
        }
    }
    // The combination switch on page 9 is passed by.
    EXPECT_EQ(c<QToolButton>(u"SpeedButton3"_s)->focusPolicy(), Qt::NoFocus);
}

TEST_F(WizardFixture, ForwardWithoutAFileShowsTheMessageAndStays) {
    app.writeFile(path(u"my.cfg"_s), "name \"Player\"\r\n");
    open();
    EXPECT_EQ(c<QPushButton>(u"Button2"_s)->text(), u"Далее>>"_s);
    // Both buttons are disabled until a file was chosen once in the run; call the handlers.
    app.dialogs.expect(Kind::Message);
    w->Button2Click();
    EXPECT_EQ(app.dialogs.lastText(), u"Сначала выберите конфиг для настройки!"_s);
    app.dialogs.expect(Kind::Message);
    w->Button56Click();
    EXPECT_EQ(page(), 0);
}

// A file chosen and then let go (Ctrl and a click): "Далее>>" empties the preview, and closing
// then neither asks about the emptied document nor writes it over the file.
TEST_F(WizardFixture, ForwardAfterTheChoiceWasLetGoLeavesTheFileAlone) {
    const QByteArray text = "name \"Player\"\r\n";
    app.writeFile(path(u"my.cfg"_s), text);
    open();
    choose(u"my.cfg"_s);
    QTest::mouseClick(FileBox1->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      FileBox1->visualItemRect(FileBox1->item(0)).center());
    ASSERT_TRUE(FileBox1->selectedItems().isEmpty());
    app.dialogs.expect(Kind::Message);
    click(u"Button2"_s);
    EXPECT_TRUE(mem1->toPlainText().isEmpty());
    EXPECT_FALSE(w->hasUnsavedChanges());
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(app.readFile(path(u"my.cfg"_s)), text);
}

TEST_F(WizardFixture, LeavingPageOneReadsTheSettingsAndTheCaptionsFollowThePages) {
    app.writeFile(path(u"my.cfg"_s), "name \"Player\"\r\ncl_righthand \"0\"\r\n"
                                     "mp_timelimit \"20\"\r\nmp_maxrounds \"10\"\r\n"
                                     "rate \"2500\"\r\nnet_graph \"1\"\r\n");
    open();
    choose(u"my.cfg"_s);
    EXPECT_TRUE(c<QPushButton>(u"Button2"_s)->isEnabled());
    EXPECT_EQ(mem1->toPlainText(), u"name \"Player\"\ncl_righthand \"0\"\nmp_timelimit \"20\"\n"
                                   u"mp_maxrounds \"10\"\nrate \"2500\"\nnet_graph \"1\"\n"_s);
    click(u"Button2"_s);
    EXPECT_EQ(page(), 1);
    EXPECT_FALSE(c<QPushButton>(u"Button56"_s)->isVisible());
    EXPECT_EQ(label(u"Label32"_s), u"Стандартные настройки"_s);
    EXPECT_EQ(field(u"Edit1"_s), u"Player"_s);
    EXPECT_TRUE(checked(u"RadioButton2"_s));
    goToPage(2);
    EXPECT_TRUE(checked(u"RadioButton39"_s));
    EXPECT_TRUE(c<QComboBox>(u"ComboBox2"_s)->isEnabled());
    goToPage(4);
    EXPECT_EQ(label(u"Label3"_s), u"Настройки сервера:"_s);
    EXPECT_EQ(field(u"SpinEdit12"_s), u"20"_s); // the minutes win, both read without zeroing
    EXPECT_EQ(field(u"SpinEdit13"_s), u"0"_s);
    goToPage(7);
    EXPECT_EQ(c<QComboBox>(u"ComboBox1"_s)->currentIndex(), 2);
    EXPECT_EQ(c<QPushButton>(u"Button2"_s)->text(), u"Клавиши"_s);
    click(u"Button2"_s);
    EXPECT_EQ(page(), 8);
    click(u"Button3"_s);
    EXPECT_EQ(page(), 7);
    EXPECT_EQ(label(u"Label32"_s), u"Соединение"_s);
}

TEST_F(WizardFixture, KeysJumpsToPageNineAndASecondOpeningStartsWithoutAFile) {
    app.writeFile(path(u"my.cfg"_s), "name \"Player\"\r\n");
    open();
    choose(u"my.cfg"_s);
    click(u"Button56"_s);
    EXPECT_EQ(page(), 8);
    EXPECT_EQ(label(u"Label32"_s), u"Клавиши движения, покупки и сообщений"_s);
    w->close();
    EXPECT_TRUE(app.dialogs.allUsed());

    open();
    EXPECT_EQ(page(), 0);
    EXPECT_TRUE(FileBox1->selectedItems().isEmpty());
    EXPECT_TRUE(mem1->toPlainText().isEmpty());
    EXPECT_TRUE(c<QPushButton>(u"Button56"_s)->isVisible());
    // No file is chosen now, so neither forward button offers to go on.
    EXPECT_FALSE(c<QPushButton>(u"Button2"_s)->isEnabled());
    EXPECT_FALSE(c<QPushButton>(u"Button56"_s)->isEnabled());
    app.dialogs.expect(Kind::Message);
    w->Button2Click();
    EXPECT_EQ(page(), 0);
    choose(u"my.cfg"_s);
    EXPECT_TRUE(c<QPushButton>(u"Button2"_s)->isEnabled());
    EXPECT_TRUE(c<QPushButton>(u"Button56"_s)->isEnabled());
}

TEST_F(WizardFixture, ChoosingAFileClearsThePagesAndRereadingRestoresWhatTheFileSays) {
    app.writeFile(path(u"my.cfg"_s), "name \"Player\"\r\nhud_fastswitch \"1\"\r\n");
    open();
    choose(u"my.cfg"_s);
    click(u"Button2"_s);
    c<QLineEdit>(u"Edit1"_s)->setText(u"Other"_s);
    c<QRadioButton>(u"RadioButton23"_s)->click(); // mouse smoothing has no line: kept
    c<QRadioButton>(u"RadioButton30"_s)->click(); // fast switch has one: read back
    click(u"Button3"_s);
    click(u"Button2"_s);
    EXPECT_EQ(field(u"Edit1"_s), u"Player"_s);
    EXPECT_TRUE(checked(u"RadioButton23"_s));
    EXPECT_TRUE(checked(u"RadioButton29"_s));

    click(u"Button3"_s);
    choose(u"my.cfg"_s);
    EXPECT_FALSE(checked(u"RadioButton23"_s));
    EXPECT_TRUE(field(u"Edit1"_s).isEmpty());
    EXPECT_TRUE(field(u"SpinEdit3"_s).isEmpty());
    EXPECT_TRUE(checked(u"RadioButton17"_s));
}

TEST_F(WizardFixture, AutoexecModeOnlyForTheStartupConfigItself) {
    app.writeFile(path(u"config.cfg"_s), "name \"x\"\r\n");
    app.writeFile(path(u"other.cfg"_s), "");
    open();
    choose(u"config.cfg"_s);
    EXPECT_TRUE(w->workingSet().autoexecMode);
    EXPECT_TRUE(QFileInfo::exists(path(u"autoexec.cfg"_s))); // made empty at once
    choose(u"other.cfg"_s);
    EXPECT_FALSE(w->workingSet().autoexecMode);
    app.state.games.startupGameDir = app.gameDir().toUpper(); // the same folder, written otherwise
    choose(u"config.cfg"_s);
    EXPECT_FALSE(w->workingSet().autoexecMode);
}

TEST_F(WizardFixture, MapChangeFieldsZeroEachOtherOnlyWhenTheUserTypes) {
    open();
    auto* minutes = c<SpinEdit>(u"SpinEdit12"_s);
    auto* rounds = c<SpinEdit>(u"SpinEdit13"_s);
    rounds->setText(u"10"_s);
    EXPECT_EQ(minutes->text(), u"0"_s);
    minutes->setText(QString());
    QTest::keyClicks(minutes, u"25"_s);
    EXPECT_EQ(minutes->text(), u"25"_s); // the user's number stays
    EXPECT_EQ(rounds->text(), u"0"_s);
    c<QRadioButton>(u"RadioButton18"_s)->click();
    EXPECT_TRUE(c<SpinEdit>(u"SpinEdit5"_s)->isEnabled());
    EXPECT_FALSE(c<QComboBox>(u"ComboBox1"_s)->isEnabled());
    c<QRadioButton>(u"RadioButton40"_s)->click();
    EXPECT_FALSE(c<QComboBox>(u"ComboBox2"_s)->isEnabled());
}

TEST_F(WizardFixture, ApplyWritesTheFileKeepsASafetyCopyAndSaysSoInTheStatusLine) {
    const QString cfg = path(u"my.cfg"_s);
    app.writeFile(cfg, "sensitivity \"3\"\r\n");
    open();
    choose(u"my.cfg"_s);
    click(u"Button2"_s);
    c<QLineEdit>(u"Edit1"_s)->setText(u"Игрок\u2713"_s); // a check mark Windows-1251 lacks
    goToPage(3);
    c<SpinEdit>(u"SpinEdit6"_s)->setText(u"5"_s);
    goToPage(7);
    app.dialogs.expect(Kind::Warning);
    click(u"Button8"_s);
    EXPECT_TRUE(app.dialogs.lastText().contains(u"\u2713"_s));
    EXPECT_EQ(page(), 7);
    EXPECT_EQ(label(u"Label32"_s), u"Соединение"_s);
    EXPECT_FALSE(w->pageFlow().internalPageSwitch());
    const QByteArray written = app.readFile(cfg);
    EXPECT_TRUE(written.startsWith("sensitivity \"5\"\r\n")) << written.toStdString();
    EXPECT_FALSE(written.contains("rate")); // a setting the player left alone is not added
    EXPECT_TRUE(written.contains("name \"\xC8\xE3\xF0\xEE\xEA?\"\r\n")); // cp1251
    // The text it replaced is in the versions store, nothing beside the file.
    const VersionStore store = app.state.versions();
    const QList<FileVersion> kept = store.versions(cfg);
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(store.bytesOf(kept[1]).bytes, "sensitivity \"3\"\r\n");
    EXPECT_FALSE(QFileInfo::exists(cfg + u".wizard.bak"_s));
    // The preview shows the applied document; only the file holds "?" for the check mark.
    EXPECT_TRUE(mem1->toPlainText().startsWith(u"sensitivity \"5\"\nname \"Игрок\u2713\"\n"_s));
}

TEST_F(WizardFixture, AFailedWriteNamesTheFileAndKeepsTheOldOne) {
    const QString cfg = path(u"my.cfg"_s);
    const QByteArray before = "name \"x\"\r\n" + QByteArray(200, ' ') + "\r\n";
    app.writeFile(cfg, before);
    open();
    choose(u"my.cfg"_s);
    goToPage(7);
    c<QLineEdit>(u"Edit1"_s)->setText(QString(400, u'y'));
    app.dialogs.expect(Kind::Error);
    {
        FileSizeLimit limit(300);
        click(u"Button8"_s);
    }
    EXPECT_TRUE(app.dialogs.lastText().contains(cfg)) << app.dialogs.lastText().toStdString();
    EXPECT_EQ(app.readFile(cfg), before);
    EXPECT_EQ(page(), 7);
    // Nothing of the failed apply stays in the document; the field keeps the name, so the
    // next apply writes it.
    EXPECT_FALSE(mem1->toPlainText().contains(QString(400, u'y')));
    click(u"Button8"_s);
    EXPECT_TRUE(app.readFile(cfg).contains(QByteArray(400, 'y')));
}

TEST_F(WizardFixture, AnUnreadableConfigIsShownAsTheMessageAndNeverWritten) {
    const QString cfg = path(u"bin.cfg"_s);
    const QByteArray binary("name \"x\"\0\x01\x02", 11);
    app.writeFile(cfg, binary);
    open();
    choose(u"bin.cfg"_s);
    EXPECT_TRUE(mem1->toPlainText().startsWith(unreadableDocumentLine()));
    // Refused at the first page already; the settings pages refuse it too.
    app.dialogs.expect(Kind::Error);
    click(u"Button2"_s);
    w->showPage(7);
    app.dialogs.expect(Kind::Error);
    click(u"Button8"_s);
    EXPECT_TRUE(app.dialogs.lastText().contains(cfg));
    EXPECT_EQ(app.readFile(cfg), binary);
    EXPECT_FALSE(QFileInfo::exists(cfg + u".wizard.bak"_s));
    EXPECT_TRUE(app.state.versions().versions(cfg).isEmpty());
}

TEST_F(WizardFixture, DocumentWorkReturnsToThePageAndMetaBindsGoToTheWorkingDocument) {
    app.writeFile(path(u"my.cfg"_s), "bind \"w\" \"+forward\"\r\n");
    open();
    choose(u"my.cfg"_s);
    click(u"Button56"_s);
    click(u"Button2"_s);
    ASSERT_EQ(page(), 9);
    w->workingSet().usedKeys = QStringList{u"w"_s};
    bool ran = false;
    w->runOnDocuments(true, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(page(), 9);
    EXPECT_EQ(label(u"Label32"_s), u"Клавиши других действий"_s);
    EXPECT_EQ(w->workingSet().usedKeys, QStringList{u"w"_s});
    w->runOnDocuments(false, [] {});
    EXPECT_TRUE(w->workingSet().usedKeys.isEmpty());

    w->appendMetaBind(u"alias \"Kaz-1\" \"say hi\"\nbind \"F5\" \"Kaz-1\""_s);
    EXPECT_EQ(w->workingSet().mem1.content(),
              u"bind \"w\" \"+forward\"\nalias \"Kaz-1\" \"say hi\"\nbind \"F5\" \"Kaz-1\"\n"_s);
    // Only the request is checked here; the MetaBinds window it opens has tests of its own.
    QObject::disconnect(w, &ConfigWizard::metaBindsRequested, app.w().metaBinds, nullptr);
    bool requested = false;
    QObject::connect(w, &ConfigWizard::metaBindsRequested, w, [&] { requested = true; });
    emit w->metaBindsRequested();
    EXPECT_TRUE(requested);
    // The MetaBind waits in the document for "Применить настройки": closing asks about it.
    EXPECT_TRUE(w->hasUnsavedChanges());
    app.dialogs.expect(Kind::YesNoCancel, UserDialogs::Answer::No);
    w->close();
}

TEST_F(WizardFixture, TheMenuItemOpensTheWizardModallyOnPageOne) {
    app.showMain();
    QAction* item = app.w().mainWindow->action(u"N20"_s);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(), u"&Мастер CFG"_s);
    EXPECT_EQ(item->shortcut(), QKeySequence(u"Ctrl+Alt+M"_s));
    bool shown = false;
    QTimer::singleShot(0, w, [&] {
        shown = w->isVisible() && w->isModal() && page() == 0;
        w->close();
    });
    item->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(w->isVisible());

    shown = false;
    QTimer::singleShot(0, w, [&] {
        shown = w->isVisible();
        w->close();
    });
    app.w().mainWindow->findChild<QToolButton*>(u"ToolButton13"_s)->click();
    EXPECT_TRUE(shown);
}

TEST_F(WizardFixture, TheColourListNamesItsColoursInRussian) {
    auto* colours = c<QComboBox>(u"ColorBox1"_s);
    ASSERT_EQ(colours->count(), 17);
    EXPECT_EQ(colours->itemText(0), u"Другой..."_s);
    EXPECT_EQ(colours->itemText(1), u"Чёрный"_s);
    EXPECT_EQ(colours->itemText(2), u"Бордовый"_s);
    // Each name is the font dialog's name of the very colour its swatch shows.
    for (int i = 1; i < colours->count(); ++i) {
        const QImage swatch = colours->itemIcon(i).pixmap(14, 10).toImage();
        const NamedColor& named = standardColors()[size_t(i - 1)];
        EXPECT_EQ(swatch.pixelColor(7, 5), named.color) << i;
        EXPECT_EQ(colours->itemText(i), named.caption);
    }
}
