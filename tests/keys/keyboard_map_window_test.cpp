// "Карта клавиш" in the program: opened from the main window, following the editor as it is
// edited, a click on a key going to its bind line or adding one, the filter and the picture.
#include "app/window_wiring.h"
#include "keys/keyboard_map_window.h"
#include "keys/qt_keyboard_view.h"
#include "shell/main_window.h"
#include "test_app.h"

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct KeyMapWindowTest : ::testing::Test {
    TestApp app;
    MainWindow* form = nullptr;
    KeyboardMapWindow* map = nullptr;

    void SetUp() override {
        app.createWindows();
        app.showMain();
        form = app.w().form1;
        map = app.w().keyMap;
        ASSERT_TRUE(map);
    }
    void open() {
        form->findChild<QToolButton*>(u"ToolButton22"_s)->click();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(map));
    }
    // The map reads the document again a moment after typing (a single-shot timer): wait until
    // it has, however busy the machine is.
    void settle() {
        const auto pending = [this] {
            const QList<QTimer*> timers = map->findChildren<QTimer*>();
            return std::any_of(timers.begin(), timers.end(),
                               [](const QTimer* t) { return t->isActive(); });
        };
        QDeadlineTimer deadline(10000);
        while (pending() && !deadline.hasExpired())
            QTest::qWait(20);
        QCoreApplication::processEvents();
    }
    void click(const QString& key) {
        KeyboardView* view = map->view();
        QTest::mouseClick(view, Qt::LeftButton, {}, view->capRect(key).center().toPoint());
    }
    int caretLine() const { return form->editor()->textCursor().blockNumber(); }
};

} // namespace

TEST_F(KeyMapWindowTest, FollowsTheEditorAndClicksGoToTheBindLine) {
    form->editor()->setPlainText(u"bind w +forward\nalias b1 \"buy;menuselect 4\"\nbind f b1"_s);
    open();
    EXPECT_EQ(map->windowTitle(), u"Карта клавиш"_s);
    EXPECT_EQ(map->map().binding(u"w"_s).kind, KeyKind::Action);
    EXPECT_EQ(map->map().binding(u"f"_s).kind, KeyKind::Alias);

    // Typing a line at the top moves every bind down; a later bind of "w" makes a conflict.
    QTextCursor c(form->editor()->document());
    c.insertText(u"bind q +attack\n"_s);
    c.movePosition(QTextCursor::End);
    c.insertText(u"\nbind W +back"_s);
    settle();
    EXPECT_EQ(map->map().binding(u"q"_s).lines, QList<int>{0});
    EXPECT_EQ(map->map().binding(u"w"_s).lines, (QList<int>{1, 4}));
    EXPECT_TRUE(map->map().binding(u"w"_s).conflict);
    // Undo takes the last line away again.
    form->editor()->undo();
    settle();
    EXPECT_EQ(map->map().binding(u"w"_s).lines, QList<int>{1});

    click(u"f"_s);
    EXPECT_EQ(caretLine(), 3);
    click(u"q"_s);
    EXPECT_EQ(caretLine(), 0);

    // A free key offers its bind line; "No" leaves the document alone.
    const QString before = form->editor()->toPlainText();
    app.dialogs.expect(ScriptedUserDialogs::Kind::YesNo, UserDialogs::Answer::No);
    click(u"MOUSE4"_s);
    EXPECT_EQ(form->editor()->toPlainText(), before);
    app.dialogs.expect(ScriptedUserDialogs::Kind::YesNo, UserDialogs::Answer::Yes);
    click(u"MOUSE4"_s);
    EXPECT_TRUE(app.dialogs.allUsed());
    EXPECT_TRUE(form->editor()->toPlainText().endsWith(u"\nbind \"MOUSE4\" \"\""_s));
    settle();
    EXPECT_EQ(map->map().binding(u"MOUSE4"_s).lines, QList<int>{4});

    // The filter lights the keys whose commands hold its text.
    map->findChild<QLineEdit*>(u"EditFilter"_s)->setText(u"menuselect"_s);
    EXPECT_EQ(map->view()->matchCount(), 1);
}

TEST_F(KeyMapWindowTest, AHiddenMapReadsTheDocumentAtItsNextShowing) {
    open();
    map->hide();
    form->editor()->setPlainText(u"bind a +moveleft\nbind \"LWIN\" x"_s);
    QTextCursor(form->editor()->document()).insertText(u"\n"_s);
    map->showMap();
    EXPECT_EQ(map->map().binding(u"a"_s).lines, QList<int>{1});
    ASSERT_EQ(map->map().unknown.size(), 1);
    EXPECT_EQ(map->map().unknown[0].name, u"LWIN"_s);
}

TEST_F(KeyMapWindowTest, ThePictureIsSavedOrTheFailureShown) {
    form->editor()->setPlainText(u"bind SPACE +jump"_s);
    open();
    const QString path = app.gameDir() + u"/map"_s;
    app.dialogs.expectFile(ScriptedUserDialogs::Kind::Save, path);
    map->findChild<QPushButton*>(u"ButtonSave"_s)->click();
    QImage saved(path + u".png"_s);
    ASSERT_FALSE(saved.isNull());
    EXPECT_GE(saved.width(), map->view()->minimumSizeHint().width());

    // Replacing asks first; a folder that does not exist is an error box with the path.
    app.dialogs.expectFile(ScriptedUserDialogs::Kind::Save, path + u".png"_s)
        .expect(ScriptedUserDialogs::Kind::YesNo, UserDialogs::Answer::No);
    map->findChild<QPushButton*>(u"ButtonSave"_s)->click();
    const QString missing = app.gameDir() + u"/no/such/folder/map.png"_s;
    app.dialogs.expectFile(ScriptedUserDialogs::Kind::Save, missing)
        .expect(ScriptedUserDialogs::Kind::Error);
    map->findChild<QPushButton*>(u"ButtonSave"_s)->click();
    EXPECT_TRUE(app.dialogs.lastText().contains(missing));
    EXPECT_TRUE(app.dialogs.allUsed());
}
