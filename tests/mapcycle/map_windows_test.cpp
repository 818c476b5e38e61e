// The map cycle editor and the your-maps picker, driven as the user drives them.
#include "app/window_wiring.h"
#include "file_size_limit.h"
#include "mapcycle/map_cycle_window.h"
#include "mapcycle/map_picker_dialog.h"
#include "shell/main_window.h"
#include "test_app.h"
#include "widgets/qt_list_boxes.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;
using Kind = ScriptedUserDialogs::Kind;

namespace {

QListWidgetItem* itemNamed(QListWidget* list, const QString& name) {
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    EXPECT_EQ(found.size(), 1) << name.toStdString();
    return found.value(0);
}

void click(QListWidget* list, const QString& name) {
    QListWidgetItem* item = itemNamed(list, name);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void doubleClick(QListWidget* list, const QString& name) {
    QListWidgetItem* item = itemNamed(list, name);
    const QPoint at = list->visualItemRect(item).center();
    // A view takes a double click only on the entry the first press went to.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// A program whose wizard folder is the test's game folder.
struct MapsFixture : ::testing::Test {
    void SetUp() override {
        app.createWindows();
        app.state.games.wizardFolder = app.gameDir();
        mapCycle = app.w().mapCycle;
        mapCycle->ensureBuilt(); // its controls are looked up before it is first shown
        LB1 = mapCycle->findChild<QListWidget*>(u"LB1"_s);
        LB2 = mapCycle->findChild<QListWidget*>(u"LB2"_s);
        Ric1 = mapCycle->findChild<QPlainTextEdit*>(u"Ric1"_s);
        ASSERT_TRUE(LB1 && LB2 && Ric1);
    }
    void addMaps(const QString& folder, const QStringList& names) {
        for (const QString& n : names)
            app.writeFile(folder + u"/maps/"_s + n + u".bsp"_s, "BSP");
    }
    QString cyclePath() const { return app.gameDir() + u"/mapcycle.txt"_s; }
    void open() {
        ASSERT_TRUE(mapCycle->FormShow());
        mapCycle->show();
    }
    QToolButton* spee(int n) const {
        return mapCycle->findChild<QToolButton*>(u"Spee"_s + QString::number(n));
    }
    void apply() { mapCycle->findChild<QPushButton*>(u"Button8"_s)->click(); }

    TestApp app;
    MapCycleWindow* mapCycle = nullptr;
    QListWidget* LB1 = nullptr;
    QListWidget* LB2 = nullptr;
    QPlainTextEdit* Ric1 = nullptr;
};

} // namespace

TEST_F(MapsFixture, FirstShowCreatesAnEmptyCycleAndCancelKeepsIt) {
    addMaps(app.gameDir(), {u"de_dust"_s});
    ASSERT_FALSE(QFileInfo::exists(cyclePath()));
    open();
    EXPECT_EQ(app.readFile(cyclePath()), QByteArray());
    EXPECT_TRUE(QFileInfo(cyclePath()).isFile());
    EXPECT_EQ(LB1->count(), 0);

    click(LB2, u"de_dust"_s);
    spee(1)->click();
    mapCycle->findChild<QPushButton*>(u"Button1"_s)->click();
    EXPECT_FALSE(mapCycle->isVisible());
    EXPECT_TRUE(QFileInfo(cyclePath()).isFile());
    EXPECT_EQ(app.readFile(cyclePath()), QByteArray());

    // The next showing reloads the file: the unapplied entry is gone.
    open();
    EXPECT_EQ(LB1->count(), 0);
}

TEST_F(MapsFixture, AllMapsListIsSortedCaseSensitiveAndKeepsEarlierFolders) {
    addMaps(app.gameDir(), {u"de_dust"_s, u"DE_DUST"_s, u"cs_italy"_s, u""_s});
    open();
    EXPECT_EQ(listTexts(LB2), (QStringList{u""_s, u"cs_italy"_s, u"DE_DUST"_s, u"de_dust"_s}));
    mapCycle->hide();

    const QString other = app.root.path() + u"/Other/cstrike"_s;
    addMaps(other, {u"aim_map"_s, u"de_dust"_s});
    app.state.games.wizardFolder = other;
    open();
    EXPECT_EQ(listTexts(LB2),
              (QStringList{u""_s, u"aim_map"_s, u"cs_italy"_s, u"DE_DUST"_s, u"de_dust"_s}));
    EXPECT_TRUE(QFileInfo(other + u"/mapcycle.txt"_s).isFile());
}

TEST_F(MapsFixture, AddingByButtonDoubleClickAndEnterAppendsEachTime) {
    addMaps(app.gameDir(), {u"de_dust"_s, u"cs_italy"_s});
    app.writeFile(app.gameDir() + u"/maps/de_dust.txt"_s, "Pustynya\r\nline 2");
    app.writeFile(cyclePath(), "de_aztec\r\n");
    open();
    EXPECT_EQ(listTexts(LB1), QStringList{u"de_aztec"_s});

    // Enter before anything is chosen adds nothing.
    LB2->setFocus();
    QTest::keyClick(LB2, Qt::Key_Return);
    EXPECT_EQ(LB1->count(), 1);
    EXPECT_TRUE(mapCycle->isVisible());

    click(LB2, u"de_dust"_s);
    EXPECT_TRUE(spee(1)->isEnabled());
    EXPECT_FALSE(spee(2)->isEnabled());
    EXPECT_EQ(Ric1->toPlainText(), u"Pustynya\nline 2"_s);
    spee(1)->click();
    auto* note = mapCycle->findChild<QLabel*>(u"LabelNote"_s);
    ASSERT_TRUE(note);
    EXPECT_TRUE(note->text().isEmpty());
    doubleClick(LB2, u"cs_italy"_s);
    EXPECT_TRUE(note->text().isEmpty());
    QTest::keyClick(LB2, Qt::Key_Return);
    // The same map twice is allowed, and said.
    EXPECT_TRUE(note->text().contains(u"«cs_italy» уже есть в списке"_s))
        << note->text().toStdString();
    EXPECT_EQ(Ric1->lineWrapMode(), QPlainTextEdit::WidgetWidth); // a description wraps
    EXPECT_TRUE(mapCycle->isVisible()); // Enter added, it did not press a button
    EXPECT_EQ(listTexts(LB1), (QStringList{u"de_aztec"_s, u"de_dust"_s, u"cs_italy"_s, u"cs_italy"_s}));

    apply();
    EXPECT_FALSE(mapCycle->isVisible());
    EXPECT_EQ(app.readFile(cyclePath()),
              QByteArray("de_aztec\r\nde_dust\r\ncs_italy\r\ncs_italy\r\n"));
    EXPECT_TRUE(app.dialogs.calls().empty());
}

TEST_F(MapsFixture, RemovingByButtonDoubleClickAndBackspace) {
    app.writeFile(cyclePath(), "a\nb\nc\nd\ne\n");
    open();
    spee(2)->click(); // nothing chosen: nothing removed
    EXPECT_EQ(LB1->count(), 5);

    click(LB1, u"b"_s);
    EXPECT_TRUE(spee(2)->isEnabled());
    EXPECT_FALSE(spee(1)->isEnabled());
    EXPECT_EQ(Ric1->toPlainText(), u"Нет файла описания для данной карты!"_s);
    spee(2)->click();
    doubleClick(LB1, u"d"_s);
    click(LB1, u"a"_s);
    QTest::keyClick(LB1, Qt::Key_Backspace);
    QTest::keyClick(LB1, Qt::Key_Backspace); // the selection went with the entry
    EXPECT_EQ(listTexts(LB1), (QStringList{u"c"_s, u"e"_s}));
    apply(); // closing by any means empties the description
    EXPECT_TRUE(Ric1->toPlainText().isEmpty());
    EXPECT_EQ(app.readFile(cyclePath()), QByteArray("c\ne\n")); // an LF file stays LF
}

TEST_F(MapsFixture, MovingUpAndDownTheSelectionFollows) {
    app.writeFile(cyclePath(), "a\r\nb\r\nc\r\n");
    open();
    app.dialogs.expect(Kind::Message);
    spee(3)->click();
    EXPECT_EQ(app.dialogs.lastText(), u"Выберите карту для перемещения!"_s);
    app.dialogs.expect(Kind::Message);
    spee(4)->click();

    click(LB1, u"c"_s);
    spee(4)->click(); // the bottom entry stays
    EXPECT_EQ(listTexts(LB1), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
    spee(3)->click();
    spee(3)->click();
    spee(3)->click(); // the top entry stays
    EXPECT_EQ(listTexts(LB1), (QStringList{u"c"_s, u"a"_s, u"b"_s}));
    EXPECT_EQ(LB1->selectedItems().value(0)->text(), u"c"_s);
    spee(4)->click();
    EXPECT_EQ(listTexts(LB1), (QStringList{u"a"_s, u"c"_s, u"b"_s}));
    EXPECT_EQ(LB1->selectedItems().value(0)->text(), u"c"_s);
    apply();
    EXPECT_EQ(app.readFile(cyclePath()), QByteArray("a\r\nc\r\nb\r\n"));
}

TEST_F(MapsFixture, AFailedApplyKeepsTheWindowTheListAndTheOldFile) {
    addMaps(app.gameDir(), {u"de_dust"_s, u"de_nuke"_s});
    app.writeFile(cyclePath(), "cs_italy\r\n");
    open();
    click(LB2, u"de_dust"_s);
    spee(1)->click();
    click(LB2, u"de_nuke"_s);
    spee(1)->click();
    {
        FileSizeLimit limit(10); // the new text needs 27 bytes
        app.dialogs.expect(Kind::Error);
        apply();
    }
    EXPECT_TRUE(app.dialogs.lastText().startsWith(u"Файл не сохранён:\n"_s + cyclePath()));
    EXPECT_TRUE(mapCycle->isVisible());
    EXPECT_EQ(listTexts(LB1), (QStringList{u"cs_italy"_s, u"de_dust"_s, u"de_nuke"_s}));
    EXPECT_EQ(app.readFile(cyclePath()), QByteArray("cs_italy\r\n"));

    // Once the file can be written, the list the user built is what lands in it.
    apply();
    EXPECT_FALSE(mapCycle->isVisible());
    EXPECT_EQ(app.readFile(cyclePath()), QByteArray("cs_italy\r\nde_dust\r\nde_nuke\r\n"));
}

TEST_F(MapsFixture, ACycleFileThatCannotBeCreatedOrReadOpensNothing) {
    app.state.games.wizardFolder = app.root.path() + u"/missing/cstrike"_s;
    app.dialogs.expect(Kind::Error);
    EXPECT_FALSE(mapCycle->FormShow());
    EXPECT_TRUE(app.dialogs.lastText().startsWith(u"Файл не создан:\n"_s));
    EXPECT_FALSE(QDir(app.root.path() + u"/missing"_s).exists());

    app.state.games.wizardFolder = app.gameDir();
    QDir().mkdir(cyclePath());
    app.dialogs.expect(Kind::Error);
    EXPECT_FALSE(mapCycle->FormShow());
    EXPECT_TRUE(app.dialogs.lastText().startsWith(u"Файл не открыт:\n"_s));
}

TEST_F(MapsFixture, TheMenuCommandShowsTheEditorModally) {
    app.showMain();
    app.state.games.wizardFolder = app.gameDir();
    app.writeFile(cyclePath(), "de_dust\r\n");
    bool shown = false;
    QTimer::singleShot(0, mapCycle, [&] {
        shown = mapCycle->isVisible() && mapCycle->isModal() && listTexts(LB1) == QStringList{u"de_dust"_s};
        mapCycle->findChild<QPushButton*>(u"Button1"_s)->click();
    });
    app.w().mainWindow->N32Click();
    EXPECT_TRUE(shown);
}

// --- the your-maps picker

struct PickerFixture : MapsFixture {
    void SetUp() override {
        MapsFixture::SetUp();
        picker = app.w().mapPicker;
        picker->ensureBuilt();
        lb12 = picker->findChild<QListWidget*>(u"lb12"_s);
        editor = app.w().mainWindow->editor();
        ASSERT_TRUE(lb12);
    }
    void openPicker() {
        picker->FormShow();
        picker->show();
    }
    void add() { picker->findChild<QPushButton*>(u"Button1"_s)->click(); }
    void setEditor(const QString& text, int selStart, int selEnd) {
        editor->setPlainText(text);
        QTextCursor c = editor->textCursor();
        c.setPosition(selStart);
        c.setPosition(selEnd, QTextCursor::KeepAnchor);
        editor->setTextCursor(c);
        editor->document()->setModified(false);
    }

    MapPickerDialog* picker = nullptr;
    QListWidget* lb12 = nullptr;
    QPlainTextEdit* editor = nullptr;
};

TEST_F(PickerFixture, AddingCompletesTheMapCommandAtTheCaret) {
    addMaps(app.gameDir(), {u"de_dust"_s, u"cs_italy"_s});
    setEditor(u"bind x\nmap \nsay hi"_s, 11, 11);
    openPicker();
    EXPECT_EQ(listTexts(lb12), (QStringList{u"cs_italy"_s, u"de_dust"_s}));
    add(); // nothing chosen yet: nothing happens
    EXPECT_FALSE(editor->document()->isModified());
    EXPECT_TRUE(picker->isVisible());
    click(lb12, u"de_dust"_s);
    add();
    EXPECT_EQ(editor->toPlainText(), u"bind x\nmap de_dust\nsay hi"_s);
    EXPECT_EQ(editor->textCursor().position(), 18);
    EXPECT_TRUE(editor->document()->isModified());
    EXPECT_FALSE(picker->isVisible());
}

TEST_F(PickerFixture, DoubleClickReplacesTheSelectionAndTheListKeepsEarlierFolders) {
    addMaps(app.gameDir(), {u"de_nuke"_s});
    setEditor(u"map de_dust"_s, 4, 11);
    openPicker();
    doubleClick(lb12, u"de_nuke"_s);
    EXPECT_EQ(editor->toPlainText(), u"map de_nuke"_s);
    EXPECT_FALSE(picker->isVisible());

    const QString other = app.root.path() + u"/Other/cstrike"_s;
    addMaps(other, {u"DE_NUKE"_s, u"de_nuke"_s});
    app.state.games.wizardFolder = other;
    openPicker();
    EXPECT_EQ(listTexts(lb12), (QStringList{u"DE_NUKE"_s, u"de_nuke"_s}));
}
