// The wizard's documents and line search: finding a setting's value, rewriting, appending and
// deleting lines, and the keys a document binds.
#include "reference/key_list.h"
#include "wizard/line_search.h"
#include "wizard/wizard_working_set.h"
#include "wizard_test_support.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(WizardLineSearch, FindSettingValueCases) {
    struct Case {
        QString text;
        QString prefix;
        bool found;
        QString value;
    };
    const Case cases[] = {
        {u"rate \"2500\""_s, u"rate \""_s, true, u"2500"_s},
        {u"Rate \"2500\""_s, u"rate \""_s, false, {}},        // case-sensitive
        {u"rate  \"2500\""_s, u"rate \""_s, false, {}},       // two blanks
        {u"rate 2500"_s, u"rate \""_s, false, {}},            // no quotes
        {u"x\nname \"Player"_s, u"name \""_s, false, {}},     // no closing quote
        {u"name \"\"\nrate \"1\""_s, u"name \""_s, true, {}}, // empty value
        {u"  sensitivity \"3\" // x"_s, u"sensitivity \""_s, true, u"3"_s},
        {u"cl_updaterate \"30\"\nrate \"9000\""_s, u"rate \""_s, true, u"9000"_s},
        {u"cl_updaterate \"30\""_s, u"rate \""_s, false, {}}, // only inside another name
        {u"hud_name \"x\";name \"me\""_s, u"name \""_s, true, u"me"_s},
        {u"bind \"r\" \"drawradar\""_s, u"drawradar"_s, true, u"drawradar"_s},
        {u"name \"a\nb\" x"_s, u"name \""_s, true, u"a\nb"_s}, // the scan crosses lines
        {u"setinfo \"_ah\" \"1\""_s, u"setinfo \"_ah\" \""_s, true, u"1"_s},
        {u"alias \"ww\" \"wait\""_s, u"alias \"w"_s, true, u"w"_s},
        // A setting in a comment is no setting; "//" inside quotes opens no comment.
        {u"// rate \"1\"\nrate \"2\""_s, u"rate \""_s, true, u"2"_s},
        {u"echo \"http://x\"; rate \"3\""_s, u"rate \""_s, true, u"3"_s},
        {u"x // drawradar\ndrawradar"_s, u"drawradar"_s, true, u"drawradar"_s},
        {u"a \"//\" rate \"4\""_s, u"rate \""_s, true, u"4"_s},
        {u"// rate \"1\" ; rate \"2\"\n rate \"5\""_s, u"rate \""_s, true, u"5"_s},
    };
    for (const Case& c : cases) {
        Wizard w(c.text);
        const SettingValue v = FindSettingValue(w.ws, c.prefix);
        EXPECT_EQ(v.found, c.found) << c.text.toStdString();
        EXPECT_EQ(v.value, c.value) << c.text.toStdString();
        EXPECT_EQ(w.shared.findText, c.prefix);
    }
}

TEST(WizardLineSearch, FoundLineAndColumnAndTheSharedFindState) {
    Wizard w(u"a\nb\n  rate \"1\"\nrate \"2\""_s);
    EXPECT_TRUE(FindSettingValue(w.ws, u"rate \""_s).found);
    EXPECT_EQ(w.ws.foundLine(), 2);
    EXPECT_EQ(w.ws.foundColumn(), 2);
    EXPECT_EQ(w.shared.lastFoundPos, 6);
    EXPECT_EQ(w.ws.mem1.selectionStart(), 12); // the value is selected
    EXPECT_EQ(w.ws.mem1.selectionLength(), 1);
    // Nothing found: the found line stays, the last found position is -1.
    EXPECT_FALSE(FindSettingValue(w.ws, u"name \""_s).found);
    EXPECT_EQ(w.ws.foundLine(), 2);
    EXPECT_EQ(w.shared.lastFoundPos, -1);
}

TEST(WizardLineSearch, FindDialog1Find2WalksOnFromTheSelection) {
    Wizard w(u"ab ab ab"_s);
    w.shared.findText = u"ab"_s;
    EXPECT_EQ(FindDialog1Find2(w.ws, w.ws.mem1), 0);
    EXPECT_EQ(FindDialog1Find2(w.ws, w.ws.mem1), 3);
    EXPECT_EQ(FindDialog1Find2(w.ws, w.ws.mem1), 6);
    EXPECT_EQ(FindDialog1Find2(w.ws, w.ws.mem1), -1);
    EXPECT_EQ(w.ws.mem1.selectionStart(), 6); // kept on no match
    EXPECT_EQ(w.shared.lastFoundPos, -1);
}

TEST(WizardLineSearch, SavyRewritesAppendsAndHonoursExactLineBounds) {
    struct Case {
        QString text;
        bool exact;
        bool noAdd;
        QString prefix;
        QString value;
        QString expected;
        bool written;
    };
    const Case cases[] = {
        {u"a\nrate \"2500\" // modem\nb"_s, false, false, u"rate \""_s, u"3400"_s,
         u"a\nrate \"3400\"\nb"_s, true},
        {u"a\n"_s, false, false, u"mp_roundtime \""_s, u"5"_s, u"a\nmp_roundtime \"5\"\n"_s, false},
        {u"a"_s, false, true, u"mp_roundtime \""_s, u"5"_s, u"a"_s, false},
        {u""_s, false, false, u"rate \""_s, u"1"_s, u"rate \"1\""_s, false},
        {u"Rate \"2500\""_s, false, false, u"rate \""_s, u"3400"_s,
         u"Rate \"2500\"\nrate \"3400\""_s, false},
        {u"cl_updaterate \"30\""_s, false, false, u"rate \""_s, u"0"_s,
         u"cl_updaterate \"30\"\nrate \"0\""_s, false},
        // Exact-line mode, bounds 9 to 13.
        {u"bind \"r\" \"drawradar\"\nx"_s, true, false, u"drawradar"_s, u"drawradar"_s,
         u"bind \"r\" \"drawradar\"\nx\ndrawradar"_s, true},
        {u"bind \"r\" \"drawradar\"\nx"_s, true, true, u"drawradar"_s, u"drawradar"_s,
         u"bind \"r\" \"drawradar\"\nx"_s, false},
        {u"x\nhideradar  \ny"_s, true, true, u"hideradar"_s, u"drawradar"_s, u"x\ndrawradar\ny"_s,
         true},
        {u"x"_s, true, false, u"hideradar"_s, u"drawradar"_s, u"x\ndrawradar"_s, false},
    };
    for (const Case& c : cases) {
        Wizard w(c.text);
        w.ws.exactLineMode = c.exact;
        w.ws.exactLineMin = 9;
        w.ws.exactLineMax = 13;
        w.ws.lineWritten = !c.written;
        Savy(w.ws, c.prefix, c.value, c.noAdd);
        EXPECT_EQ(w.ws.mem1.content(), c.expected) << c.text.toStdString();
        EXPECT_EQ(w.ws.lineWritten, c.written) << c.text.toStdString();
    }
}

TEST(WizardLineSearch, FindKeyForTakesOnlyThatExactCommand) {
    Wizard w(
        u"bind \"\" \"+attack\"\nbind \"w\" \"+forward;+jump\"\n"
        u"bind \"MOUSE1\" \"+attack\"\nbind \"UPARROW\" \"+forward\"\nbind \"w\" \"+forward\""_s);
    EXPECT_EQ(FindKeyFor(w.ws, u"\" \"+attack\""_s), u"MOUSE1"_s);   // the empty key passed over
    EXPECT_EQ(FindKeyFor(w.ws, u"\" \"+forward\""_s), u"UPARROW"_s); // the first binding wins
    EXPECT_EQ(FindKeyFor(w.ws, u"\" \"+jump\""_s), QString());
}

TEST(WizardLineSearch, CollectBoundKeysMovesEachKeyOnce) {
    Wizard w(u"bind \"A\" \"+moveleft\"\nbind \"a\" \"x\"\nbind \"mouse1\" \"+attack\"\n"
             u"bind \"NOSUCH\" \"x\"\nbind \"F1\" \"y\""_s);
    w.ws.freeKeys = keyNames();
    CollectBoundKeys(w.ws);
    EXPECT_EQ(w.ws.usedKeys, (QStringList{u"A"_s, u"mouse1"_s, u"F1"_s}));
    EXPECT_FALSE(w.ws.freeKeys.contains(u"a"_s));
    EXPECT_FALSE(w.ws.freeKeys.contains(u"MOUSE1"_s));
    EXPECT_TRUE(w.ws.freeKeys.contains(u"F10"_s));
    EXPECT_EQ(w.ws.freeKeys.size(), kKeyCount - 3);
}

TEST(WizardDocument, LineEditsKeepTheFinalLineBreakAsItWas) {
    WizardDocument d;
    d.appendLine(u"a"_s);
    EXPECT_EQ(d.content(), u"a"_s);
    d.appendLine(u"b"_s);
    EXPECT_EQ(d.content(), u"a\nb"_s);
    d.setText(u"a\n"_s);
    d.appendLine(u"b"_s);
    EXPECT_EQ(d.content(), u"a\nb\n"_s);
    EXPECT_EQ(d.lineCount(), 2);
    d.insertAtStart(u"unbindall"_s);
    EXPECT_EQ(d.content(), u"unbindall\na\nb\n"_s);
    EXPECT_EQ(d.line(1), u"a"_s);
    d.deleteLineAt(11); // inside "a"
    EXPECT_EQ(d.content(), u"unbindall\nb\n"_s);
    d.setText(u"x\ny"_s);
    d.deleteLineAt(2);
    EXPECT_EQ(d.content(), u"x"_s);
    d.deleteLineAt(0);
    EXPECT_EQ(d.content(), QString());
}

TEST(WizardLineSearch, DeleteFoundLineDeletesTheLineOfTheLastOccurrenceInThatDocument) {
    Wizard w(u"a\nname \"x\"\nb"_s);
    w.ws.mem2.setText(u"alias \"ww\" \"wait\"\nc"_s);
    ASSERT_TRUE(FindSettingValue(w.ws, u"name \""_s).found);
    ASSERT_EQ(FindInMem2(w.ws, u"alias \"ww\""_s), u"1"_s);
    DeleteFoundLine(w.ws.mem1);
    DeleteFoundLine(w.ws.mem2);
    EXPECT_EQ(w.ws.mem1.content(), u"a\nb"_s);
    EXPECT_EQ(w.ws.mem2.content(), u"c"_s);
    DeleteFoundLine(w.ws.mem1); // nothing found since: nothing goes
    EXPECT_EQ(w.ws.mem1.content(), u"a\nb"_s);
    EXPECT_EQ(FindInMem2(w.ws, u"zzz"_s), QString());
}

// The one-pass lookup of many commands gives what one FindKeyFor per command gives.
TEST(WizardLineSearch, FindKeysForAgreesWithFindKeyFor) {
    const QString texts[] = {
        u"bind \"\" \"+attack\"\nbind \"w\" \"+forward;+jump\"\nbind \"MOUSE1\" \"+attack\"\n"
        u"bind \"UPARROW\" \"+forward\"\nbind \"w\" \"+forward\"\nbind \"x\" \"slot10\""_s,
        u"bind \"\" \"+x\" \"+x\" \"+x\"\n\" \"+x\""_s, // empty keys and overlapping matches
        u"\" \"+x\"\nbind \"k\" \"slot1\"\" \"slot1\""_s,
        u"bind \"a\" \"say \"hi\" \""_s,
    };
    const QStringList commands = {u"\" \"+attack\""_s,  u"\" \"+forward\""_s, u"\" \"+x\""_s,
                                  u"\" \"slot1\""_s,    u"\" \"slot10\""_s,   u"\" \"+attack\""_s,
                                  u"\" \"say \"hi\""_s, u"no quotes"_s,       u"\" \"+jump\""_s};
    for (const QString& text : texts) {
        Wizard one(text);
        QStringList expected;
        for (const QString& command : commands)
            expected.append(FindKeyFor(one.ws, command));
        Wizard batch(text);
        EXPECT_EQ(findKeysFor(batch.ws, commands), expected) << text.toStdString();
        EXPECT_EQ(batch.shared.findText, one.shared.findText);
        EXPECT_EQ(batch.shared.lastFoundPos, one.shared.lastFoundPos);
    }
}

TEST(WizardLineSearch, DeletingEveryLineWithAPrefix) {
    struct Case {
        QString text;
        bool inMem2;
        QString expected;
        int deleted;
    };
    const Case cases[] = {
        {u"alias \"Kaz-f-1\" \"a\"\nx\nalias \"Kaz-f-2\" \"b\"\nalias \"Kaz-f1-1\" \"c\""_s, false,
         u"x\nalias \"Kaz-f1-1\" \"c\""_s, 2},
        {u"x\nalias \"Kaz-f-1\" \"a\""_s, false, u"x"_s, 1},
        {u"x\nalias \"Kaz-f-1\" \"a\"\n"_s, false, u"x\n"_s, 1},
        {u"alias \"Kaz-f-1\" \"a\"alias \"Kaz-f-2\" \"b\"\ny"_s, false, u"y"_s, 1},
        {u"alias \"Kaz-f-1\"\nx"_s, false, u"x"_s, 1},                // a quote follows, later
        {u"x\nalias \"Kaz-f-1"_s, false, u"x\nalias \"Kaz-f-1"_s, 0}, // none follows
        {u"x\nalias \"Kaz-f-1"_s, true, u"x"_s, 1},                   // mem2: a plain search
    };
    for (const Case& c : cases) {
        Wizard w;
        (c.inMem2 ? w.ws.mem2 : w.ws.mem1).setText(c.text);
        EXPECT_EQ(deleteEveryLineWith(w.ws, u"alias \"Kaz-f-"_s, c.inMem2), c.deleted);
        EXPECT_EQ((c.inMem2 ? w.ws.mem2 : w.ws.mem1).content(), c.expected) << c.text.toStdString();
    }
}
