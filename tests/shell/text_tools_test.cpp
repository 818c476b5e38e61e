// The cleanup passes, the find primitive and the small text tools, checked as logic.
#include "app/shared_state.h"
#include "shell/cleanup.h"
#include "shell/find_primitive.h"
#include "shell/qt_plain_text_target.h"
#include "shell/text_tools.h"

#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTextDocument>
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

TEST(TextTools, DeleteLineRanges) {
    EXPECT_EQ(lineToDelete(u"ab\ncd\nef", 4), (TextRange{3, 3})); // middle line with its break
    EXPECT_EQ(lineToDelete(u"ab\ncd\nef", 3), (TextRange{3, 3})); // caret at the line's start
    EXPECT_EQ(lineToDelete(u"ab\ncd\nef", 2), (TextRange{0, 3})); // caret at the line's end
    EXPECT_EQ(lineToDelete(u"ab\ncd\nef", 8), (TextRange{6, 2})); // last line only emptied
    EXPECT_EQ(lineToDelete(u"ab\n", 3), (TextRange{3, 0}));       // empty last line: nothing
    EXPECT_EQ(lineToDelete(u"", 0), (TextRange{0, 0}));
}

TEST(TextTools, SelectAllOrNoneAndLineEnds) {
    EXPECT_EQ(selectAllOrNone(10, {4, 0}), (TextRange{0, 10}));
    EXPECT_EQ(selectAllOrNone(10, {4, 1}), (TextRange{0, 10}));
    EXPECT_EQ(selectAllOrNone(10, {4, 2}), (TextRange{4, 0}));
    EXPECT_EQ(endOfLine(u"ab\ncde\n", 0), 2);
    EXPECT_EQ(endOfLine(u"ab\ncde\n", 1), 6);
    EXPECT_EQ(endOfLine(u"ab\ncde\n", 2), 7);
    EXPECT_EQ(endOfLine(u"ab\ncde", 9), 6); // a line past the end: the last one
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
    state.searchTarget = &target;
    state.findText = u"bind"_s;

    EXPECT_EQ(findNext(state), 0); // empty selection: from the top
    EXPECT_EQ(edit.textCursor().selectedText(), u"bind"_s);
    EXPECT_EQ(findNext(state), 14); // "Bind" is not a match
    EXPECT_EQ(state.lastFoundPos, 14);
    EXPECT_EQ(findNext(state), -1);
    EXPECT_EQ(state.lastFoundPos, -1);
    EXPECT_EQ(target.selectionStart(), 14); // the last match stays selected
    EXPECT_EQ(target.selectionLength(), 4);

    target.select(20, 0); // a click into the text: the next search starts at the top again
    EXPECT_EQ(findNext(state), 0);
    target.select(1, 2); // from the end of any selection
    EXPECT_EQ(findNext(state), 14);

    state.findText = u"Bind"_s;
    target.select(0, 0);
    EXPECT_EQ(findNext(state), 7);
    state.findText = u"a\nBi"_s; // across a line end
    target.select(0, 0);
    EXPECT_EQ(findNext(state), 5);
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
    state.findText = u"a"_s;
    state.lastFoundPos = 5;
    EXPECT_EQ(findNext(state), -1); // no target set
    EXPECT_EQ(state.lastFoundPos, -1);

    {
        QPlainTextEdit gone;
        state.searchTarget = new PlainTextSearchTarget(&gone);
    }
    EXPECT_EQ(findNext(state), -1); // the box went away with its window
    delete state.searchTarget;
}
