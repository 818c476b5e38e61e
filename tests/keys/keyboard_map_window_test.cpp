// "Карта клавиш" in the program: opened from the main window, following the editor as it is
// edited, a click on a key going to its bind line or adding one, the filter and the picture.
#include "app/window_wiring.h"
#include "keys/keyboard_map_window.h"
#include "keys/qt_keyboard_view.h"
#include "platform/qt_user_dialogs.h"
#include "print_qstring.h"
#include "shell/main_window.h"
#include "test_app.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

struct KeyMapWindowTest : ::testing::Test {
    TestApp app;
    MainWindow* form = nullptr;
    KeyboardMapWindow* map = nullptr;

    void SetUp() override {
        app.createWindows();
        app.showMain();
        form = app.w().mainWindow;
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

    // The map of the editor's text as it is now, read from scratch by a window of its own.
    KeyMapResult mapFromScratch() {
        KeyboardMapWindow fresh(*app.ctx, form);
        fresh.setDocumentPathSource([this] { return form->document().fileName(); });
        fresh.followDocument(form->editor()->document());
        fresh.showMap();
        KeyMapResult read = fresh.map();
        fresh.close();
        return read;
    }
    // What the map shown (resolved again after a hidden spell) has otherwise than a map read
    // from scratch: empty when they are the same.
    QString staleness(bool hidden) {
        if (hidden) {
            map->showMap();
        } else {
            settle();
        }
        const KeyMapResult& shown = map->map();
        const KeyMapResult fresh = mapFromScratch();
        if (hidden)
            map->hide();
        if (shown == fresh)
            return {};
        QStringList differ;
        QStringList keys = shown.keys.keys() + fresh.keys.keys();
        keys.sort();
        keys.removeDuplicates();
        for (const QString& key : std::as_const(keys)) {
            const KeyBinding& a = shown.binding(key);
            const KeyBinding& b = fresh.binding(key);
            if (!(a == b))
                differ.append(u"%1: «%2» %3 against «%4» %5"_s.arg(
                    key, a.command, a.pressed.join(u';'), b.command, b.pressed.join(u';')));
        }
        if (!(shown.unknown == fresh.unknown))
            differ.append(u"the unknown key names"_s);
        if (differ.isEmpty())
            differ.append(u"the counts"_s);
        return differ.join(u"; "_s) + u"\n"_s + form->editor()->toPlainText();
    }
};

const QString kBindsAndAliases = u"bind w +forward\n"
                                 u"alias b1 \"buy;menuselect 4\"\n"
                                 u"bind f b1\n"
                                 u"bind q +attack; bind e +use\n"
                                 u"alias +alt \"bind f b2\"\n"
                                 u"alias -alt \"bind f b1\"\n"
                                 u"bind alt +alt\n"
                                 u"alias b2 \"say hi\"\n"
                                 u"bind g \"b2\"\n"
                                 u"bind \"LWIN\" x"_s;

// The line `line` selected whole, its line break aside.
QTextCursor lineOf(QTextDocument* document, int line) {
    QTextCursor c(document->findBlockByNumber(line));
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    return c;
}

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

// The map stands over the editor: a click says in the map which line the caret went to, Escape
// closes it, and the program's dialogs opened from it belong to it (so a window manager raising
// their owner raises the map, not the main window and its tool windows over it).
TEST_F(KeyMapWindowTest, ItSaysWhereTheLineIsClosesOnEscapeAndOwnsItsDialogs) {
    form->editor()->setPlainText(u"// mine\nbind w +forward"_s);
    open();
    click(u"w"_s);
    EXPECT_EQ(caretLine(), 1);
    const QString notice = map->findChild<QLabel*>(u"LabelLine"_s)->text();
    EXPECT_TRUE(notice.contains(u"строка 2"_s)) << notice.toStdString();
    EXPECT_TRUE(notice.contains(u"bind w +forward"_s)) << notice.toStdString();

    map->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(map));
    QtUserDialogs dialogs(form);
    // The window the next message box belongs to.
    const auto ownerOfABox = [&](const QString& text) {
        QWidget* owner = nullptr;
        QTimer::singleShot(0, map, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_TRUE(box);
            owner = box->parentWidget();
            box->close();
        });
        dialogs.information(text);
        return owner;
    };
    EXPECT_EQ(ownerOfABox(u"Картинка сохранена"_s), map);
    // The main window's own dialogs stay the main window's.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    EXPECT_EQ(ownerOfABox(u"Сохранено"_s), form);

    map->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(map));
    QTest::keyClick(map->findChild<QLineEdit*>(u"EditFilter"_s), Qt::Key_Escape);
    EXPECT_FALSE(map->isVisible());
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

// Every kind of edit, with the map shown and with it hidden between showings: the map after the
// edit is the map read from scratch of the edited text.
TEST_F(KeyMapWindowTest, TheMapAfterAnEditIsTheMapOfTheEditedText) {
    for (const bool hidden : {false, true}) {
        SCOPED_TRACE(hidden ? "hidden" : "shown");
        QTextDocument* document = form->editor()->document();
        form->editor()->setPlainText(kBindsAndAliases);
        open();
        if (hidden)
            map->hide();
        EXPECT_EQ(staleness(hidden), QString());

        // A bind line, an alias line, a command joined to another with ";".
        lineOf(document, 0).insertText(u"bind w +back"_s);
        EXPECT_EQ(staleness(hidden), QString());
        lineOf(document, 1).insertText(u"alias b1 \"say changed\""_s);
        EXPECT_EQ(staleness(hidden), QString());
        lineOf(document, 3).insertText(u"bind q +attack; unbind e"_s);
        EXPECT_EQ(staleness(hidden), QString());
        QTextCursor joined = lineOf(document, 8);
        joined.movePosition(QTextCursor::EndOfBlock);
        joined.insertText(u"; bind h \"+jump\""_s);
        EXPECT_EQ(staleness(hidden), QString());
        // The alias a modifier rebinds to, and the modifier's own alias.
        lineOf(document, 7).insertText(u"alias b2 \"say bye; b1\""_s);
        EXPECT_EQ(staleness(hidden), QString());
        lineOf(document, 4).insertText(u"alias +alt \"bind g b1\""_s);
        EXPECT_EQ(staleness(hidden), QString());

        // A deleted line, then undone and done again.
        QTextCursor deleted = lineOf(document, 7);
        deleted.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        deleted.removeSelectedText();
        EXPECT_EQ(staleness(hidden), QString());
        form->editor()->undo();
        EXPECT_EQ(staleness(hidden), QString());
        form->editor()->redo();
        EXPECT_EQ(staleness(hidden), QString());

        // Two lines joined into one by their line break taken away, and split again by typing.
        QTextCursor merge = lineOf(document, 1);
        merge.movePosition(QTextCursor::EndOfBlock);
        merge.deleteChar();
        EXPECT_EQ(staleness(hidden), QString());
        form->editor()->setTextCursor(merge);
        QTest::keyClick(form->editor(), Qt::Key_Return);
        QTest::keyClicks(form->editor(), u"bind m +reload; "_s);
        EXPECT_EQ(staleness(hidden), QString());

        // Two lines pasted over two, the first of them as it was.
        QTextCursor pasted = lineOf(document, 2);
        pasted.setPosition(document->findBlockByNumber(3).position() + 4, QTextCursor::KeepAnchor);
        pasted.insertText(document->findBlockByNumber(2).text() + u"\nbind r"_s);
        EXPECT_EQ(staleness(hidden), QString());

        // Several lines pasted at the top, a stretch of lines replaced, every edit undone.
        QTextCursor(document).insertText(u"unbindall\nbind alt +alt\nalias b1 \"b1\"\n"_s);
        EXPECT_EQ(staleness(hidden), QString());
        QTextCursor stretch(document->findBlockByNumber(2));
        stretch.setPosition(document->findBlockByNumber(6).position() + 3, QTextCursor::KeepAnchor);
        stretch.insertText(u"bind x b2\nbind f \"\""_s);
        EXPECT_EQ(staleness(hidden), QString());
        while (document->isUndoAvailable())
            form->editor()->undo();
        EXPECT_EQ(staleness(hidden), QString());

        // More lines at once than are read one by one: the whole text is read again.
        QString many;
        for (int i = 0; i < 3000; ++i)
            many += u"bind k%1 +use\n"_s.arg(i % 10);
        QTextCursor(document).insertText(many);
        EXPECT_EQ(staleness(hidden), QString());
        lineOf(document, 2999).insertText(u"bind k9 +duck"_s);
        EXPECT_EQ(staleness(hidden), QString());
        map->hide();
    }
}

// Edits at random places of random stretches of text, with a fixed seed: the map shown after
// every few edits (or kept while hidden) is the map read from scratch.
TEST_F(KeyMapWindowTest, RandomEditsLeaveNoStaleMap) {
    const QStringList pieces = {
        u"bind "_s, u"alias "_s,  u"a"_s,  u"b1"_s, u"\n"_s, u"; "_s,           u"\""_s,
        u" +alt"_s, u"unbind "_s, u"w "_s, u"//"_s, u"f"_s,  u"\nbind q b1\n"_s};
    for (const bool hidden : {false, true}) {
        SCOPED_TRACE(hidden ? "hidden" : "shown");
        std::mt19937 random(hidden ? 7 : 3);
        QTextDocument* document = form->editor()->document();
        form->editor()->setPlainText(kBindsAndAliases);
        open();
        if (hidden)
            map->hide();
        for (int edit = 0; edit < 120; ++edit) {
            const int size = document->characterCount() - 1;
            QTextCursor c(document);
            c.setPosition(int(random() % unsigned(size + 1)));
            c.setPosition(std::min(size, c.position() + int(random() % 12)),
                          QTextCursor::KeepAnchor);
            QString text;
            for (unsigned n = random() % 4; n > 0; --n)
                text += pieces.at(int(random() % unsigned(pieces.size())));
            if (random() % 5 == 0)
                form->editor()->undo();
            else
                c.insertText(text);
            if (edit % 8 == 7) {
                ASSERT_EQ(staleness(hidden), QString()) << "after edit " << edit;
            }
        }
        map->hide();
    }
}
