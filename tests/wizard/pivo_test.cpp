// Pivo: reading a config into the key lists, the action captions and the flags, and clearing
// a key's lines before new ones are written.
#include "wizard/line_search.h"
#include "wizard/pivo.h"
#include "wizard_test_support.h"

#include "language/key_names.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(Pivo, ReadingFillsTheKeyListsAndTheActionKeys) {
    Wizard w(u"bind \"w\" \"+forward\"\nbind \"MOUSE1\" \"+attack\"\n"
             u"bind \"UPARROW\" \"+forward\"\nname \"me\""_s);
    const QStringList commands = {u"\"+forward\""_s, u"\"+attack\""_s, u"\"+jump\""_s};
    pivoRead(w.ws, commands);
    EXPECT_EQ(w.ws.actionKeys, (QStringList{u"w"_s, u"MOUSE1"_s, QString()}));
    EXPECT_EQ(w.ws.usedKeys, (QStringList{u"w"_s, u"MOUSE1"_s, u"UPARROW"_s}));
    EXPECT_EQ(w.ws.freeKeys.size(), kKeyCount - 3);
    EXPECT_EQ(w.ws.comboKeys, w.ws.freeKeys);
    EXPECT_FALSE(w.ws.comboKeys.contains(u"MOUSE1"_s));
    EXPECT_EQ(w.ws.values.name, u"me"_s);

    // Reload only: the lists and captions again, no settings.
    w.ws.values.name = u"changed"_s;
    w.ws.usedKeys.clear();
    w.ws.reloadOnly = true;
    pivoRead(w.ws, commands);
    EXPECT_EQ(w.ws.values.name, u"changed"_s);
    EXPECT_EQ(w.ws.usedKeys.size(), 3);
}

TEST(Pivo, UnbindallAndTheWaitAliasInBothDocuments) {
    struct Case {
        QString mem1;
        QString mem2;
        bool autoexec;
        bool unbindall;
        bool waitAlias;
    };
    const Case cases[] = {
        {u"unbindall\nalias \"ww\" \"wait\""_s, {}, false, true, true},
        {u"unbindall;\nalias \"wx\" \"x\"\nalias \"ww\" \"wait\""_s, {}, false, true, true},
        {u"// unbindall\necho unbindall\nalias ww2 x"_s, {}, false, false, false},
        {u"x"_s, u"alias \"ww\" \"wait\""_s, true, false, true},
        {u"alias \"ww\" \"wait\""_s, {}, true, false, false}, // autoexec mode looks in mem2
    };
    for (const Case& c : cases) {
        Wizard w(c.mem1);
        w.ws.mem2.setText(c.mem2);
        w.ws.autoexecMode = c.autoexec;
        pivoRead(w.ws, {});
        EXPECT_EQ(w.ws.unbindallPresent, c.unbindall) << c.mem1.toStdString();
        EXPECT_EQ(w.ws.waitAliasPresent, c.waitAlias) << c.mem1.toStdString();
    }
}

TEST(Pivo, ClearingAUsedKeyTakesOnlyThatKeysLines) {
    const QString aliases = u"alias \"Kaz-f\" \"buy\"\nalias \"Kaz-f_equip\" \"e\"\n"
                            u"alias \"Kaz-f_mes\" \"m\"\nalias \"Kaz-f-1\" \"c\"\n"
                            u"alias \"Kaz-f1-1\" \"other\"\nalias \"Kaz-f-2\" \"c\"\n"
                            u"alias \"+fkey\" \"a\"\nalias \"-fkey\" \"b\"\n"_s;
    const QString binds = u"bind \"F10\" \"x\"\nbind \"F\" \"Kaz-f\"\nbind \"f\" \"y\"\nkeep\n"_s;
    {
        Wizard w(aliases + binds);
        pivoClearUsedKey(w.ws, u"F"_s);
        EXPECT_EQ(w.ws.mem1.content(),
                  u"alias \"Kaz-f1-1\" \"other\"\nbind \"F10\" \"x\"\nkeep\n"_s);
    }
    {
        // Autoexec mode: the aliases go from mem2, the bindings from mem1.
        Wizard w(aliases + binds);
        w.ws.autoexecMode = true;
        w.ws.mem2.setText(aliases);
        pivoClearUsedKey(w.ws, u"F"_s);
        EXPECT_EQ(w.ws.mem2.content(), u"alias \"Kaz-f1-1\" \"other\"\n"_s);
        EXPECT_EQ(w.ws.mem1.content(), aliases + u"bind \"F10\" \"x\"\nkeep\n"_s);
    }
    {
        // F1 beside F10: the longer key's binding stays although it comes first.
        Wizard w(u"bind \"F10\" \"a\"\nbind \"F1\" \"b\"\n"_s);
        pivoClearUsedKey(w.ws, u"F1"_s);
        EXPECT_EQ(w.ws.mem1.content(), u"bind \"F10\" \"a\"\n"_s);
    }
}

TEST(Pivo, FreeingAKeyForAnAction) {
    const QString text =
        u"alias \"Kaz-F1\" \"a\"\nalias \"Kaz-f1\" \"b\"\nalias \"Kaz-f1_mes\" \"c\"\n"
        u"bind \"F10\" \"x\"\nbind \"f1\" \"Kaz-f1\"\nbind \"w\" \"+forward\"\n"
        u"bind \"\" \"+jump\"\nkeep"_s;
    Wizard w(text);
    pivoFreeKey(w.ws, u"F1"_s, u"W"_s);
    EXPECT_EQ(w.ws.mem1.content(), u"bind \"F10\" \"x\"\nbind \"\" \"+jump\"\nkeep"_s);

    // Autoexec mode: the lower-case aliases in mem2 go too; an action without a key removes
    // no other binding.
    Wizard a(u"bind \"MOUSE4\" \"Kaz-mouse4\"\nbind \"\" \"+jump\""_s);
    a.ws.autoexecMode = true;
    a.ws.mem2.setText(u"alias \"Kaz-mouse4\" \"x\"\nalias \"Kaz-mouse4_equip\" \"y\"\nz"_s);
    pivoFreeKey(a.ws, u"MOUSE4"_s, QString());
    EXPECT_EQ(a.ws.mem1.content(), u"bind \"\" \"+jump\""_s);
    EXPECT_EQ(a.ws.mem2.content(), u"z"_s);
}

TEST(Pivo, FindingACombinationsCommandInEitherCase) {
    Wizard lower(u"bind \"f\" \"+use\""_s);
    pivoFindComboCommand(lower.ws, u"F"_s);
    EXPECT_EQ(lower.ws.comboPreviousCommand, u"+use"_s);
    Wizard upper(u"bind \"MOUSE1\" \"+attack\""_s);
    pivoFindComboCommand(upper.ws, u"mouse1"_s);
    EXPECT_EQ(upper.ws.comboPreviousCommand, u"+attack"_s);
    Wizard none(u"bind \"MOUSE10\" \"x\""_s);
    pivoFindComboCommand(none.ws, u"MOUSE1"_s);
    EXPECT_EQ(none.ws.comboPreviousCommand, QString());
}
