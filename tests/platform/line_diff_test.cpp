// The line difference and its unified form.
#include "platform/line_diff.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(LineDiff, UnifiedFormOfCommonChanges) {
    struct Case {
        QString before;
        QString after;
        QString unified; // without the two name lines
        int added;
        int removed;
    };
    const Case cases[] = {
        {u"a\nb\nc\n"_s, u"a\nb\nc\n"_s, QString(), 0, 0},
        {u"a\nb\nc\n"_s, u"a\nx\nc\n"_s, u"@@ -1,3 +1,3 @@\n a\n-b\n+x\n c\n"_s, 1, 1},
        {u""_s, u"a\nb\n"_s, u"@@ -0,0 +1,2 @@\n+a\n+b\n"_s, 2, 0},
        {u"a\nb\n"_s, u""_s, u"@@ -1,2 +0,0 @@\n-a\n-b\n"_s, 0, 2},
        {u"1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n"_s, u"1\n2\n3\n4\nX\n6\n7\n8\n9\n10\n11\nY\n"_s,
         u"@@ -2,11 +2,11 @@\n 2\n 3\n 4\n-5\n+X\n 6\n 7\n 8\n 9\n 10\n 11\n-12\n+Y\n"_s, 2, 2},
        {u"1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n"_s,
         u"X\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\nY\n"_s,
         u"@@ -1,4 +1,4 @@\n-1\n+X\n 2\n 3\n 4\n@@ -11,4 +11,4 @@\n 11\n 12\n 13\n-14\n+Y\n"_s, 2,
         2},
        // A moved line: removed where it was, added where it is.
        {u"bind a x\nbind b y\nbind c z\n"_s, u"bind b y\nbind c z\nbind a x\n"_s,
         u"@@ -1,3 +1,3 @@\n-bind a x\n bind b y\n bind c z\n+bind a x\n"_s, 1, 1},
    };
    for (const Case& c : cases) {
        const QList<DiffLine> diff = diffLines(textLines(c.before), textLines(c.after));
        const QString unified = unifiedDiff(diff, u"old"_s, u"new"_s);
        const QString body = unified.isEmpty() ? QString() : unified.section(u'\n', 2);
        EXPECT_EQ(body, c.unified) << c.before.toStdString() << "|" << c.after.toStdString() << "\n"
                                   << unified.toStdString();
        if (!unified.isEmpty()) {
            EXPECT_TRUE(unified.startsWith(u"--- old\n+++ new\n"_s));
        }
        EXPECT_EQ(countChanges(diff).added, c.added);
        EXPECT_EQ(countChanges(diff).removed, c.removed);
    }
}

TEST(LineDiff, EveryLineOfBothTextsStandsInOrder) {
    // A difference too large for the shortest edit is still whole and in order.
    for (const int n : {50, 5000}) {
        QStringList a, b;
        for (int i = 0; i < n; ++i) {
            a.append(QString::number(i));
            b.append(QString::number(i % 3 == 0 ? -i : i));
        }
        const QList<DiffLine> diff = diffLines(a, b);
        QStringList oldSide, newSide;
        for (const DiffLine& l : diff) {
            if (l.kind != DiffLine::Kind::Added) {
                EXPECT_EQ(l.oldLine, oldSide.size());
                oldSide.append(l.text);
            }
            if (l.kind != DiffLine::Kind::Removed) {
                EXPECT_EQ(l.newLine, newSide.size());
                newSide.append(l.text);
            }
        }
        EXPECT_EQ(oldSide, a);
        EXPECT_EQ(newSide, b);
    }
}
