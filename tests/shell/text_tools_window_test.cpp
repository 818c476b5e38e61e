// The text tools as the user reaches them in the main window: bottom labels, menus, the
// Ctrl+Y key, the find dialog, the font and colour commands.
#include "editor/qt_plain_text_target.h"
#include "shell/main_window.h"
#include "test_app.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QToolButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using Kind = ScriptedUserDialogs::Kind;

namespace {

class TextToolsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        app.createWindows();
        app.showMain();
        form = app.w().mainWindow;
        memo = form->editor();
    }
    // A fresh text (no undo history, not modified) with the caret at `caret`.
    void setText(const QString& text, int caret = 0) {
        form->setDocumentText(text, false);
        form->setDocumentModified(false);
        select(caret, 0);
    }
    void select(int start, int length) {
        QTextCursor c = memo->textCursor();
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        memo->setTextCursor(c);
    }
    QString text() const { return memo->toPlainText(); }
    int caret() const { return memo->textCursor().position(); }
    void clickLabel(const QString& name) {
        auto* label = form->findChild<QWidget*>(name);
        ASSERT_TRUE(label);
        QTest::mouseClick(label, Qt::LeftButton);
    }

    TestApp app;
    MainWindow* form = nullptr;
    QPlainTextEdit* memo = nullptr;
};

} // namespace

TEST_F(TextToolsWindow, CleanupIsOneUndoStepAndPutsTheCaretBack) {
    const QString dirty = u"bind x  \"+attack;\" ;\nalias a \"b; c;\"\nlast"_s;
    setText(dirty, 30);
    clickLabel(u"Label4"_s);
    EXPECT_EQ(text(), u"bind x \"+attack\"\nalias a \"b;c\"\nlast"_s);
    EXPECT_TRUE(form->isDocumentModified());
    EXPECT_EQ(caret(), 30); // the remembered position, not moved with the removed characters
    EXPECT_EQ(app.state.find.lastFoundPos, -1);
    EXPECT_EQ(app.state.find.searchTarget, &form->editorSearchTarget());

    memo->undo();
    EXPECT_EQ(text(), dirty);
    EXPECT_FALSE(memo->document()->isUndoAvailable());

    // A remembered position past the shortened text ends at its end; a clean text stays
    // unmodified.
    setText(u"a  b  c  d"_s, 10);
    clickLabel(u"Label4"_s);
    EXPECT_EQ(text(), u"a b c d"_s);
    EXPECT_EQ(caret(), 7);
    setText(u"clean \"text\"\n"_s, 3);
    clickLabel(u"Label4"_s);
    EXPECT_FALSE(form->isDocumentModified());
    EXPECT_EQ(caret(), 3);
}

TEST_F(TextToolsWindow, CommentAndEnterFollowTheSelection) {
    setText(u"abc def"_s);
    select(0, 3);
    clickLabel(u"Label1"_s);
    EXPECT_EQ(text(), u"abc// def"_s);
    EXPECT_EQ(caret(), 5);
    EXPECT_FALSE(memo->textCursor().hasSelection());
    clickLabel(u"Label2"_s);
    EXPECT_EQ(text(), u"abc//\n def"_s);
    EXPECT_EQ(caret(), 6);
    EXPECT_TRUE(form->isDocumentModified());
}

TEST_F(TextToolsWindow, EndEnterOpensALineBelowWithoutSplitting) {
    setText(u"bind a b\nx"_s, 3);
    clickLabel(u"Label3"_s);
    EXPECT_EQ(text(), u"bind a b\n\nx"_s);
    EXPECT_EQ(form->caretPosition(), QPoint(0, 1));
    // The operation other windows call: again below the line the caret is on now.
    form->insertAtCaret(u"bind k v"_s);
    form->endOfLineBreak();
    EXPECT_EQ(text(), u"bind a b\nbind k v\n\nx"_s);
    EXPECT_EQ(form->caretPosition(), QPoint(0, 2));
}

TEST_F(TextToolsWindow, ShiftEnterBreaksTheLineAsEnterDoes) {
    setText(u"bind a b"_s, 4);
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(memo, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
    EXPECT_EQ(text(), u"bind\n\n a b"_s); // two real line breaks, no U+2028
    EXPECT_EQ(memo->document()->blockCount(), 3);
}

TEST_F(TextToolsWindow, DeleteLineFromMenuAndKey) {
    setText(u"one\ntwo\nthree"_s, 5);
    form->action(u"N21"_s)->trigger();
    EXPECT_EQ(text(), u"one\nthree"_s);

    // Ctrl+Y typed in the editor reaches the menu item, not the editor.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    memo->setFocus();
    select(6, 0);
    QTest::keyClick(memo, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(text(), u"one\n"_s); // the last line is only emptied
    EXPECT_TRUE(form->isDocumentModified());

    setText(QString());
    form->action(u"N13"_s)->trigger(); // the pop-up's item
    EXPECT_EQ(text(), QString());
    EXPECT_FALSE(form->isDocumentModified());
}

TEST_F(TextToolsWindow, LineToolsOnFirstMiddleAndLastLineAreOneUndoStepEach) {
    const QString before = u"one\ntwo\nthree"_s;
    struct Case {
        int caret;
        QString endEnter;
        QString deleted;
    };
    const Case cases[] = {
        {1, u"one\n\ntwo\nthree"_s, u"two\nthree"_s},
        {6, u"one\ntwo\n\nthree"_s, u"one\nthree"_s},
        {13, u"one\ntwo\nthree\n"_s, u"one\ntwo\n"_s},
    };
    for (const Case& c : cases) {
        setText(before, c.caret);
        clickLabel(u"Label3"_s);
        EXPECT_EQ(text(), c.endEnter) << c.caret;
        memo->undo();
        EXPECT_EQ(text(), before) << c.caret;
        EXPECT_FALSE(memo->document()->isUndoAvailable()) << c.caret;

        setText(before, c.caret);
        form->action(u"N21"_s)->trigger();
        EXPECT_EQ(text(), c.deleted) << c.caret;
        memo->undo();
        EXPECT_EQ(text(), before) << c.caret;
        EXPECT_FALSE(memo->document()->isUndoAvailable()) << c.caret;
    }
    setText(QString());
    clickLabel(u"Label3"_s);
    EXPECT_EQ(text(), u"\n"_s);
}

TEST_F(TextToolsWindow, SelectAllOrNone) {
    setText(u"bind a b"_s);
    select(2, 1);
    form->findChild<QToolButton*>(u"ToolButton14"_s)->click();
    EXPECT_EQ(memo->textCursor().selectedText(), u"bind a b"_s);
    form->action(u"N11"_s)->trigger(); // everything selected: the selection is cancelled
    EXPECT_FALSE(memo->textCursor().hasSelection());
    EXPECT_EQ(caret(), 0);
    select(3, 2);
    form->action(u"N28"_s)->trigger();
    EXPECT_FALSE(memo->textCursor().hasSelection());
    EXPECT_EQ(caret(), 3);
}

TEST_F(TextToolsWindow, WordWrapToggles) {
    QAction* wrap = form->action(u"N14"_s);
    EXPECT_FALSE(wrap->isChecked());
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    wrap->trigger();
    EXPECT_TRUE(wrap->isChecked());
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    wrap->trigger();
    EXPECT_FALSE(wrap->isChecked());
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST_F(TextToolsWindow, FindDialogWalksThroughTheEditor) {
    setText(u"bind a\nBind b\nbind c"_s);
    app.state.find.findText = u"left over"_s;
    form->action(u"N12"_s)->trigger();
    auto* dialog = form->findChild<QDialog*>(u"FindDialog1"_s);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(app.state.find.findText, QString());
    auto* edit = dialog->findChild<QLineEdit*>(u"FindEdit"_s);
    auto* next = dialog->findChild<QPushButton*>(u"FindNextButton"_s);
    EXPECT_EQ(next->text(), u"&Найти далее"_s);
    EXPECT_FALSE(next->isEnabled());
    QTest::keyClicks(edit, u"bind"_s);
    EXPECT_EQ(app.state.find.findText, u"bind"_s);

    // Another window searched its own box meanwhile; the dialog still searches the editor.
    QPlainTextEdit other;
    PlainTextSearchTarget otherTarget(&other);
    app.state.find.searchTarget = &otherTarget;
    next->click();
    EXPECT_EQ(app.state.find.lastFoundPos, 0);
    next->click();
    EXPECT_EQ(app.state.find.lastFoundPos, 14);
    EXPECT_EQ(memo->textCursor().selectionStart(), 14);
    next->click();
    EXPECT_EQ(app.state.find.lastFoundPos, -1);
    EXPECT_EQ(memo->textCursor().selectionStart(), 14);

    dialog->findChild<QPushButton*>(u"CancelButton"_s)->click();
    EXPECT_FALSE(dialog->isVisible());
    form->action(u"N12"_s)->trigger(); // the same dialog again, emptied
    EXPECT_EQ(form->findChildren<QDialog*>(u"FindDialog1"_s).size(), 1);
    EXPECT_EQ(edit->text(), QString());
}

TEST_F(TextToolsWindow, LookUpIsOfferedOnlyForASelection) {
    app.writeFile(app.programDir() + u"dlls/ans1.pro"_s,
                  "[cl_bob]\r\nq=View bobbing\r\n[two words]\r\nq=Both\r\n");
    QAction* tools = form->action(u"N18"_s);
    QAction* popup = form->action(u"N15"_s);
    setText(u"cl_bob 0\ntwo words"_s);
    form->N10Popup();
    EXPECT_FALSE(tools->isEnabled());
    form->PopupMenu2Popup();
    EXPECT_FALSE(popup->isEnabled());

    select(0, 6);
    form->PopupMenu2Popup();
    EXPECT_TRUE(popup->isEnabled());
    popup->trigger();
    EXPECT_EQ(app.state.reference.explanationText, u" View bobbing"_s);

    select(9, 9);
    form->N10Popup();
    tools->trigger();
    EXPECT_EQ(app.state.reference.explanationText, u" Both"_s);
    select(0, 2);
    tools->trigger();
    EXPECT_EQ(app.state.reference.explanationText, u" ????"_s);
}

TEST_F(TextToolsWindow, FontStyleCodeFollowsTheChosenFont) {
    QFont chosen = memo->font();
    chosen.setBold(true);
    chosen.setItalic(true);
    QString during;
    // The dialog's colour is the text's colour.
    app.dialogs.onNext([&] { during = form->statusLine(); }).expectFont(chosen, QColor(Qt::red));
    form->action(u"N16"_s)->trigger();
    EXPECT_EQ(during, u"Выбор шрифта для окна ввода"_s);
    EXPECT_EQ(form->statusLine(), QString());
    EXPECT_TRUE(memo->font().bold());
    EXPECT_TRUE(memo->font().italic());
    EXPECT_EQ(memo->palette().color(QPalette::Text), QColor(Qt::red));

    app.dialogs.expectFont(std::nullopt); // cancelled: nothing changes
    form->action(u"N16"_s)->trigger();
    EXPECT_TRUE(memo->font().bold());
    EXPECT_EQ(memo->palette().color(QPalette::Text), QColor(Qt::red));

    form->close(); // the style code and the colour are what the close stores
    const QByteArray ini = app.readFile(app.programDir() + u"Cfgneed.INI"_s);
    EXPECT_TRUE(ini.contains("StylePr=3\r\n")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("ColorPr=255\r\n")) << ini.toStdString();
}

TEST_F(TextToolsWindow, ColourChangesTheBackgroundOnly) {
    const QColor text = memo->palette().color(QPalette::Text);
    QString during;
    app.dialogs.onNext([&] { during = form->statusLine(); }).expectColor(QColor(Qt::darkCyan));
    form->action(u"N17"_s)->trigger();
    EXPECT_EQ(during, u"Выбор цвета для окна редактора"_s);
    EXPECT_EQ(form->statusLine(), QString());
    EXPECT_EQ(memo->palette().color(QPalette::Base), QColor(Qt::darkCyan));
    EXPECT_EQ(memo->palette().color(QPalette::Text), text);

    app.dialogs.expectColor(std::nullopt);
    form->action(u"N17"_s)->trigger();
    EXPECT_EQ(memo->palette().color(QPalette::Base), QColor(Qt::darkCyan));
}
