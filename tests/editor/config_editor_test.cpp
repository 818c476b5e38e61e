// The editor lays its lines out without a shaper until a character needs one: what it shows is
// what a plain editor shows, and the first such character, typed or pasted, turns shaping on.
#include "editor/qt_config_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontDatabase>
#include <QImage>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

bool unshaped(const QFont& f) {
    return f.styleStrategy() & QFont::PreferNoShaping;
}

QFont editorFont() {
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPointSize(10);
    return f;
}

const QString kConfig = u"// Конфиг игрока: бинды\nbind \"MOUSE3\" \"+jumpduck\"\n"
                        u"alias \"+jumpduck\" \"+jump;+duck\"\nname \"Стрелок\" // ник\n"
                        u"echo \"tab\there\" №1 € ‘ok’\n"_s;

QImage viewOf(QPlainTextEdit& edit) {
    edit.resize(420, 160);
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    edit.setFont(editorFont());
    return edit.viewport()->grab().toImage();
}

// How many characters the editor's document held at each change of the editor's font.
struct FontChangeWatch : QObject {
    explicit FontChangeWatch(QPlainTextEdit& edit) : m_edit(edit) { edit.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::FontChange)
            charactersAtEachChange.append(m_edit.document()->characterCount());
        return false;
    }
    QList<int> charactersAtEachChange;

private:
    QPlainTextEdit& m_edit;
};

} // namespace

TEST(ConfigEditor, ShowsAConfigAsAPlainEditorDoes) {
    ConfigEditor ours;
    ours.setText(kConfig);
    QPlainTextEdit plain;
    plain.setPlainText(kConfig);
    EXPECT_FALSE(ours.shapesText());
    EXPECT_TRUE(unshaped(ours.document()->defaultFont()));
    // The caret drawn in neither.
    ours.setCursorWidth(0);
    plain.setCursorWidth(0);
    EXPECT_EQ(viewOf(ours), viewOf(plain));
    // The font given, with the shaping as it stands.
    EXPECT_EQ(ours.font().family(), editorFont().family());
    EXPECT_TRUE(unshaped(ours.font()));
    EXPECT_EQ(ours.document()->defaultFont(), ours.font());
}

TEST(ConfigEditor, TheFirstCharacterThatNeedsAShaperTurnsShapingOn) {
    ConfigEditor editor;
    editor.setText(kConfig);
    QTest::keyClicks(&editor, u"say hi"_s);
    EXPECT_FALSE(editor.shapesText());
    // Typed.
    editor.textCursor().insertText(u"\u0301"_s);
    EXPECT_TRUE(editor.shapesText());
    EXPECT_FALSE(unshaped(editor.document()->defaultFont()));
    // A new text is judged anew, both ways.
    editor.setText(kConfig);
    EXPECT_FALSE(editor.shapesText());
    editor.setText(kConfig + u"say \"مرحبا\"\n"_s);
    EXPECT_TRUE(editor.shapesText());
    editor.setText(kConfig);
    EXPECT_FALSE(editor.shapesText());

    // The font changes before the new text comes, and after the old one has gone: only the
    // new text is laid out, once.
    FontChangeWatch watch(editor);
    editor.setText(kConfig.repeated(100) + u"\u05D0"_s);
    editor.setText(kConfig.repeated(100));
    EXPECT_EQ(watch.charactersAtEachChange, QList<int>({1, 1}));

    // Pasted at the end of a long piece.
    const QString pasted = kConfig.repeated(100) + u"\u05D0"_s;
    QApplication::clipboard()->setText(pasted);
    editor.paste();
    EXPECT_TRUE(editor.shapesText());
}

TEST(ConfigEditor, ANewFontKeepsTheShapingAsItIs) {
    ConfigEditor editor;
    editor.setText(kConfig);
    QFont bigger = editorFont();
    bigger.setPointSize(14);
    editor.setFont(bigger);
    EXPECT_EQ(editor.font().pointSize(), 14);
    EXPECT_TRUE(unshaped(editor.font()));
    EXPECT_EQ(editor.document()->defaultFont(), editor.font());
    editor.textCursor().insertText(u"\u05D0"_s);
    EXPECT_FALSE(unshaped(editor.font()));
    QFont unshapedFont = editorFont();
    unshapedFont.setStyleStrategy(QFont::PreferNoShaping);
    editor.setFont(unshapedFont);
    EXPECT_FALSE(unshaped(editor.font()));
    EXPECT_EQ(editor.document()->defaultFont(), editor.font());
    EXPECT_EQ(editor.document()->defaultFont().pointSize(), 10);
}
