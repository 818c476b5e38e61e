// The cleanup passes, the find primitive and the small text tools, checked as logic.
#include "editor/qt_plain_text_target.h"
#include "editor/text_tools.h"
#include "shell/cleanup.h"
#include "state/shared_state.h"
#include "widgets/find_primitive.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTextDocument>
#include <algorithm>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The definition the cleanup must agree with: after every replacement search again from the
// top of the text.
QString naivePass(QString text, QStringView pattern, QStringView replacement) {
    for (qsizetype at; (at = text.indexOf(pattern)) >= 0;)
        text.replace(at, pattern.size(), replacement.toString());
    return text;
}

QString naiveCleanup(QString text) {
    for (const ReplacePass& pass : cleanupPasses())
        text = naivePass(std::move(text), pass.pattern, pass.replacement);
    return text;
}

// The definitions the editor's block-wise operations must agree with, over the whole text.
TextRange wholeTextLineToDelete(QStringView text, int caret) {
    caret = std::clamp(caret, 0, int(text.size()));
    const int start = caret == 0 ? 0 : int(text.lastIndexOf(u'\n', caret - 1)) + 1;
    const qsizetype lineEnd = text.indexOf(u'\n', caret);
    const int end = lineEnd < 0 ? int(text.size()) : int(lineEnd) + 1;
    return {start, end - start};
}

int wholeTextEndOfLine(QStringView text, int line) {
    qsizetype pos = 0;
    for (int i = 0; i < line; ++i) {
        const qsizetype next = text.indexOf(u'\n', pos);
        if (next < 0)
            break;
        pos = next + 1;
    }
    const qsizetype end = text.indexOf(u'\n', pos);
    return int(end < 0 ? text.size() : end);
}

QString randomText(QRandomGenerator& random, int maxLength) {
    // Blanks and no-break spaces side by side: a search that folds one into the other fails.
    const char16_t alphabet[] = {u'a', u'b', u' ', u'\u00a0', u'\n', u'B'};
    QString text;
    const int length = random.bounded(0, maxLength + 1);
    for (int i = 0; i < length; ++i)
        text += QChar(alphabet[random.bounded(int(std::size(alphabet)))]);
    return text;
}

std::string show(const QString& s) {
    QString out = s;
    out.replace(u'\n', u"\\n"_s).replace(u'\t', u"\\t"_s);
    return "[" + out.toStdString() + "]";
}

} // namespace

TEST(Cleanup, ConfigLines) {
    // The semicolon inside the quotes and the " ;" after them go; one blank stays between words.
    EXPECT_EQ(cleanupText(u"bind x  \"+attack;\" ;\n"_s), u"bind x \"+attack\"\n"_s);
    // A command list loses the blanks after its semicolons and its final semicolon.
    EXPECT_EQ(cleanupText(u"alias go \"+duck; wait; -duck;\"\n"_s),
              u"alias go \"+duck;wait;-duck\"\n"_s);
    // Tabs and single leading blanks are kept.
    EXPECT_EQ(cleanupText(u"\tbind a b\n bind c d\n\t \tx"_s), u"\tbind a b\n bind c d\n\t \tx"_s);
    // Passes are not revisited: ";" " " ";" at a line end keeps one final ";".
    EXPECT_EQ(cleanupText(u"say hi; ;\nx"_s), u"say hi;\nx"_s);
    // A blank before a closing quote goes only at the end of a line.
    EXPECT_EQ(cleanupText(u"echo \"a \"\necho \"b \" c"_s), u"echo \"a\"\necho \"b \" c"_s);
    // The last line has no line break, so its final ";" stays.
    EXPECT_EQ(cleanupText(u"bind a b;"_s), u"bind a b;"_s);
    EXPECT_EQ(cleanupText(QString()), QString());
}

TEST(Cleanup, AgreesWithSearchingFromTheTopOnTrickyInputs) {
    const QString inputs[] = {
        u" "_s,        u"  "_s,           u"     "_s,        u";;;;\n"_s,
        u";\n;\n;"_s,  u"; ; ; ;"_s,      u";\";\";\""_s,    u"   \"\n"_s,
        u" \" \n"_s,   u"a ;  \n"_s,      u";;\""_s,         u"; ;\"\n"_s,
        u";\n\n;\n"_s, u"\n \n  \n"_s,    u"\t \t  \t"_s,    u";;; ;; ;\"\n"_s,
        u" ;\n"_s,     u"; \n"_s,         u";  ;\" \"\n"_s,  u"\" \"\"\n \"\n"_s,
        u"a;;\n;;b"_s, u"   ;;   ;;\n"_s, u"x ; ; ; \"\n"_s, u"\";\n\" \n"_s,
    };
    for (const QString& in : inputs) {
        EXPECT_EQ(cleanupText(in), naiveCleanup(in)) << show(in);
        for (const ReplacePass& pass : cleanupPasses())
            EXPECT_EQ(replaceToFixedPoint(in, pass.pattern, pass.replacement),
                      naivePass(in, pass.pattern, pass.replacement))
                << show(in) << " pass " << pass.pattern.toString().toStdString();
    }
}

TEST(Cleanup, AgreesWithSearchingFromTheTopOnRandomText) {
    const char16_t alphabet[] = {u' ', u';', u'"', u'\n', u'a', u'\t'};
    QRandomGenerator random(20021017);
    for (int round = 0; round < 20000; ++round) {
        QString in;
        const int length = random.bounded(0, 24);
        for (int i = 0; i < length; ++i)
            in += QChar(alphabet[random.bounded(6)]);
        const QString expected = naiveCleanup(in);
        ASSERT_EQ(cleanupText(in), expected) << show(in);
    }
}

TEST(Cleanup, GeneralPatternsAgreeToo) {
    // The replace-all step is not tied to the seven pairs: overlapping, self-similar patterns
    // whose replacement creates a new occurrence further up.
    const QStringView pairs[][2] = {{u"aab", u"ba"}, {u"aba", u"a"}, {u"aaa", u"aa"}, {u"ab", u""}};
    QRandomGenerator random(7);
    for (int round = 0; round < 5000; ++round) {
        QString in;
        const int length = random.bounded(0, 20);
        for (int i = 0; i < length; ++i)
            in += QChar(random.bounded(2) ? u'a' : u'b');
        for (const auto& pair : pairs)
            ASSERT_EQ(replaceToFixedPoint(in, pair[0], pair[1]), naivePass(in, pair[0], pair[1]))
                << show(in) << " " << pair[0].toString().toStdString();
    }
}

TEST(Cleanup, EveryPatternAndReplacementTheSignatureAllows) {
    // An empty view may have no data at all; a replacement as long as its pattern or longer is
    // made once per occurrence (repeating it might never end), and an empty pattern does nothing.
    struct Case {
        QStringView pattern, replacement;
        QString in, out;
    };
    const Case cases[] = {
        {u"ab", QStringView(), u"aabbx"_s, u"x"_s},
        {u" ", QStringView(), u" a  b "_s, u"ab"_s},
        {QStringView(), u"x", u"abc"_s, u"abc"_s},
        {QStringView(), QStringView(), QString(), QString()},
        {u"a", u"aa", u"bab"_s, u"baab"_s},
        {u"ab", u"ba", u"aab"_s, u"aba"_s},
        {u"ab", u"xyz", u"abab"_s, u"xyzxyz"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(replaceToFixedPoint(c.in, c.pattern, c.replacement), c.out) << show(c.in);
    // A null replacement behaves as an empty one wherever the occurrence falls.
    QRandomGenerator random(12);
    for (int round = 0; round < 2000; ++round) {
        QString in;
        for (int i = random.bounded(0, 16); i > 0; --i)
            in += QChar(random.bounded(2) ? u'a' : u'b');
        ASSERT_EQ(replaceToFixedPoint(in, u"ab", QStringView()), naivePass(in, u"ab", u""))
            << show(in);
    }
}

TEST(TextTools, LineOperationsAgreeWithTheWholeTextOnes) {
    QRandomGenerator random(1251);
    QTextDocument doc;
    for (int round = 0; round < 3000; ++round) {
        const QString text = round == 0 ? QString() : randomText(random, 16);
        doc.setPlainText(text);
        for (int caret = 0; caret <= text.size(); ++caret)
            ASSERT_EQ(lineToDelete(doc, caret), wholeTextLineToDelete(text, caret))
                << show(text) << " caret " << caret;
        for (int line = 0; line <= text.count(u'\n') + 1; ++line)
            ASSERT_EQ(endOfLine(doc, line), wholeTextEndOfLine(text, line))
                << show(text) << " line " << line;
    }
    // The first, a middle and the last line; an empty last line has nothing to delete.
    doc.setPlainText(u"ab\ncd\nef"_s);
    EXPECT_EQ(lineToDelete(doc, 1), (TextRange{0, 3}));
    EXPECT_EQ(lineToDelete(doc, 3), (TextRange{3, 3}));
    EXPECT_EQ(lineToDelete(doc, 8), (TextRange{6, 2}));
    EXPECT_EQ(endOfLine(doc, 9), 8); // a line past the end: the last one
    doc.setPlainText(u"ab\n"_s);
    EXPECT_EQ(lineToDelete(doc, 3), (TextRange{3, 0}));
}

TEST(TextTools, SelectAllOrNone) {
    EXPECT_EQ(selectAllOrNone(10, {4, 0}), (TextRange{0, 10}));
    EXPECT_EQ(selectAllOrNone(10, {4, 1}), (TextRange{0, 10}));
    EXPECT_EQ(selectAllOrNone(10, {4, 2}), (TextRange{4, 0}));
}

TEST(FindPrimitive, DocumentSearchAgreesWithSearchingTheWholeText) {
    QRandomGenerator random(2002);
    QTextDocument doc;
    for (int round = 0; round < 4000; ++round) {
        const QString text = randomText(random, 24);
        doc.setPlainText(text);
        for (int n = 0; n < 6; ++n) {
            QString needle = randomText(random, 4);
            if (needle.isEmpty())
                needle = u"\n"_s;
            const int from = random.bounded(0, int(text.size()) + 2);
            ASSERT_EQ(findInDocument(doc, needle, from), text.indexOf(needle, from))
                << show(text) << " needle " << show(needle) << " from " << from;
        }
    }
    doc.setPlainText(u"bind a\u00a0b\nx a b\nab\nab\ncd"_s);
    EXPECT_EQ(findInDocument(doc, u"a b"_s, 0), 11); // the no-break space is not a blank
    EXPECT_EQ(findInDocument(doc, u"a\u00a0b"_s, 0), 5);
    EXPECT_EQ(findInDocument(doc, u"b\nab\nc"_s, 0), 16); // across two line ends
    EXPECT_EQ(findInDocument(doc, u"b\nab\nc"_s, 17), -1);
    EXPECT_EQ(findInDocument(doc, u"\n"_s, 18), 20);
}

TEST(TextTools, OnlyTheChangedMiddleIsRewritten) {
    const TextChange c = smallestChange(u"bind  a;\nx  y", u"bind a\nx y");
    EXPECT_EQ(c.removed, (TextRange{5, 6})); // " a;\nx " becomes "a\nx"
    EXPECT_EQ(c.inserted, u"a\nx"_s);
    EXPECT_TRUE(smallestChange(u"same", u"same").isEmpty());
    const TextChange repeated = smallestChange(u"aaaa", u"aa"); // head and tail must not overlap
    EXPECT_EQ(repeated.removed.length, 2);
    EXPECT_TRUE(repeated.inserted.isEmpty());

    QTextDocument doc;
    doc.setPlainText(u"a\u00a0;\nb"_s);
    EXPECT_EQ(plainTextOf(doc), u"a\u00a0;\nb"_s); // the no-break space survives
    doc.setModified(false);
    EXPECT_FALSE(replaceDocumentText(doc, plainTextOf(doc)));
    EXPECT_FALSE(doc.isModified());
    EXPECT_TRUE(replaceDocumentText(doc, cleanupText(plainTextOf(doc))));
    EXPECT_EQ(plainTextOf(doc), u"a\u00a0\nb"_s);
    EXPECT_TRUE(doc.isModified());
    doc.undo();
    EXPECT_EQ(plainTextOf(doc), u"a\u00a0;\nb"_s);
}

TEST(FindPrimitive, WalksDownTheMatchesAndStopsAfterTheLast) {
    QPlainTextEdit edit;
    edit.setPlainText(u"bind a\nBind b\nbind c"_s);
    PlainTextSearchTarget target(&edit);
    SharedState state;
    state.find.searchTarget = &target;
    state.find.findText = u"bind"_s;

    EXPECT_EQ(findNext(state.find), 0); // empty selection: from the top
    EXPECT_EQ(edit.textCursor().selectedText(), u"bind"_s);
    EXPECT_EQ(findNext(state.find), 14); // "Bind" is not a match
    EXPECT_EQ(state.find.lastFoundPos, 14);
    EXPECT_EQ(findNext(state.find), -1);
    EXPECT_EQ(state.find.lastFoundPos, -1);
    EXPECT_EQ(target.selectionStart(), 14); // the last match stays selected
    EXPECT_EQ(target.selectionLength(), 4);

    target.select(20, 0); // a click into the text: the next search starts at the top again
    EXPECT_EQ(findNext(state.find), 0);
    target.select(1, 2); // from the end of any selection
    EXPECT_EQ(findNext(state.find), 14);

    state.find.findText = u"Bind"_s;
    target.select(0, 0);
    EXPECT_EQ(findNext(state.find), 7);
    state.find.findText = u"a\nBi"_s; // across a line end
    target.select(0, 0);
    EXPECT_EQ(findNext(state.find), 5);
}

// A match found off screen is scrolled into view, below, above, far to the right, and again
// after the view was scrolled away from a match that stays selected.
TEST(FindPrimitive, ScrollsTheMatchIntoView) {
    QString text;
    for (int i = 0; i < 3000; ++i)
        text += u"bind k%1 +attack\n"_s.arg(i);
    text += QString(400, u'x') + u" far\n"_s;
    QPlainTextEdit edit;
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    edit.setPlainText(text);
    edit.resize(300, 200);
    edit.show();
    QCoreApplication::processEvents();
    PlainTextSearchTarget target(&edit);
    const auto inView = [&] { return edit.viewport()->rect().contains(edit.cursorRect()); };
    const struct {
        const char* name;
        QString needle;
        bool scrollAwayFirst;
    } cases[] = {
        {"below", u"k2500 "_s, false},
        {"above", u"k40 "_s, false},
        {"far right", u" far"_s, false},
        {"the same match after scrolling away", u" far"_s, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int at = int(text.indexOf(c.needle));
        if (c.scrollAwayFirst) {
            edit.verticalScrollBar()->setValue(0);
            edit.horizontalScrollBar()->setValue(0);
            QCoreApplication::processEvents();
            ASSERT_FALSE(inView());
        }
        target.select(at, int(c.needle.size()));
        QCoreApplication::processEvents();
        EXPECT_EQ(target.selectionStart(), at);
        EXPECT_TRUE(inView());
    }
}

TEST(FindPrimitive, NothingToSearchFindsNothing) {
    QPlainTextEdit edit;
    edit.setPlainText(u"abc"_s);
    PlainTextSearchTarget target(&edit);
    target.select(1, 1);
    EXPECT_EQ(findNext(target, QString()), -1);
    EXPECT_EQ(target.selectionStart(), 1);
    EXPECT_EQ(target.selectionLength(), 1);

    SharedState state;
    state.find.findText = u"a"_s;
    state.find.lastFoundPos = 5;
    EXPECT_EQ(findNext(state.find), -1); // no target set
    EXPECT_EQ(state.find.lastFoundPos, -1);

    {
        QPlainTextEdit gone;
        state.find.searchTarget = new PlainTextSearchTarget(&gone);
    }
    EXPECT_EQ(findNext(state.find), -1); // the box went away with its window
    delete state.find.searchTarget;
}
