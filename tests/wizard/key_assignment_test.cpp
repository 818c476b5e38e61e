// Binding a key to an action through the logic the key pages and the key choice dialog run:
// free keys, replaced lines, a key taken from another action, the question's answers, a second
// assignment, and a key whose letters the config writes in another case.
#include "language/key_names.h"
#include "state/shared_state.h"
#include "wizard/action_table.h"
#include "wizard/key_assignment.h"
#include "wizard/pivo.h"
#include "wizard/wizard_working_set.h"

#include <deque>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Answers the reassignment question from a queue; asking without an answer fails the test.
class ScriptedQuestion final : public KeyReassignment {
public:
    std::deque<bool> answers;
    int asked = 0;
    bool confirmReassignment() override {
        ++asked;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected reassignment question";
            return false;
        }
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
};

// A wizard that has read `text` as its working document.
struct Wizard {
    SharedState shared;
    WizardWorkingSet ws{shared};

    explicit Wizard(const QString& text) {
        ws.mem1.setText(text);
        pivoRead(ws, actionCommands());
    }

    // The caption of an action's button.
    QString caption(const char16_t* button) const {
        const auto rows = actionTable();
        for (size_t i = 0; i < rows.size(); ++i)
            if (QStringView(rows[i].button) == QStringView(button))
                return ws.actionKeys.value(qsizetype(i));
        return u"<no such button>"_s;
    }

    // What the key page and the dialog do for one click on an action button that ends with
    // `key` chosen: the dialog's OK, then kompot's writing. Returns the button's caption.
    QString assign(const QString& shownCaption, const QString& key, const QString& command,
                   ScriptedQuestion& question, KeyChoice* outcome = nullptr) {
        const KeyChoiceResult choice = keyChoiceOk(ws, key, shownCaption, command, question);
        if (outcome)
            *outcome = choice.outcome;
        if (choice.outcome != KeyChoice::Accepted)
            return shownCaption;
        const QString caption = choice.reassigned ? choice.caption : shownCaption;
        return assignChosenKey(ws, caption, key, command).caption;
    }
};

const QString kJump = u"\"+jump\""_s;
const QString kForward = u"\"+forward\""_s;

} // namespace

TEST(KeyAssignment, TheActionTableCoversEveryActionOnce) {
    const auto rows = actionTable();
    ASSERT_EQ(rows.size(), 47u);
    QSet<QString> buttons;
    QSet<QString> commands;
    for (const ActionRow& row : rows) {
        buttons.insert(QString::fromUtf16(row.button));
        commands.insert(actionCommand(row));
        EXPECT_TRUE(actionCommand(row).startsWith(u'"') && actionCommand(row).endsWith(u'"'));
    }
    EXPECT_EQ(buttons.size(), 47);
    EXPECT_EQ(commands.size(), 47);
    EXPECT_EQ(actionBindSuffix(*actionRowForButton(u"Button33"_s)), u"\" \"impulse 100\""_s);
    EXPECT_TRUE(isMovementButton(u"Button6"_s));
    EXPECT_FALSE(isMovementButton(u"Button9"_s));
}

TEST(KeyAssignment, UnboundActionGetsAFreeKey) {
    Wizard w(u"bind \"w\" \"+forward\"\nname \"me\"\n"_s);
    ASSERT_FALSE(w.ws.unbindallPresent);
    ScriptedQuestion question;
    const qsizetype freeBefore = w.ws.freeKeys.size();

    EXPECT_EQ(w.assign(QString(), u"j"_s, kJump, question), u"j"_s);

    EXPECT_EQ(w.ws.mem1.content(),
              u"unbindall\nbind \"w\" \"+forward\"\nname \"me\"\nbind \"j\" \"+jump\"\n"_s);
    EXPECT_TRUE(w.ws.unbindallPresent);
    EXPECT_EQ(w.ws.usedKeys, (QStringList{u"w"_s, u"j"_s}));
    EXPECT_FALSE(w.ws.freeKeys.contains(u"j"_s));
    EXPECT_EQ(w.ws.freeKeys.size(), freeBefore - 1); // nothing came back for an empty caption
    EXPECT_EQ(question.asked, 0);
}

TEST(KeyAssignment, BoundActionGetsAnotherFreeKeyInPlace) {
    Wizard w(u"unbindall\nbind \"w\" \"+forward\"\nbind \"MOUSE1\" \"+attack\""_s);
    ASSERT_TRUE(w.ws.unbindallPresent);
    ASSERT_EQ(w.caption(u"Button4"), u"w"_s);
    ScriptedQuestion question;

    EXPECT_EQ(w.assign(u"w"_s, u"UPARROW"_s, kForward, question), u"UPARROW"_s);

    EXPECT_EQ(w.ws.mem1.content(),
              u"unbindall\nbind \"UPARROW\" \"+forward\"\nbind \"MOUSE1\" \"+attack\""_s);
    EXPECT_EQ(w.ws.freeKeys.last(), u"w"_s);
    EXPECT_EQ(w.ws.usedKeys, (QStringList{u"MOUSE1"_s, u"UPARROW"_s}));
}

TEST(KeyAssignment, AKeyOfAnotherActionIsTakenAfterYes) {
    Wizard w(u"unbindall\n"
             "alias \"Kaz-f\" \"buy;ww;menuselect 4\"\n"
             "alias \"Kaz-f_equip\" \"buyequip\"\n"
             "bind \"f\" \"+use\"\n"
             "bind \"SPACE\" \"+jump\"\n"
             "alias \"Kaz-f_mes\" \"say hi\"\n"_s);
    ASSERT_EQ(w.caption(u"Button32"), u"f"_s);
    ScriptedQuestion question;
    question.answers = {true};

    EXPECT_EQ(w.assign(u"SPACE"_s, u"f"_s, kJump, question), u"f"_s);

    EXPECT_EQ(question.asked, 1);
    EXPECT_EQ(w.ws.mem1.content(), u"unbindall\nbind \"f\" \"+jump\"\n"_s);
    // After the reload the other action has no key, and this one has the new key once.
    EXPECT_EQ(w.caption(u"Button32"), QString());
    EXPECT_EQ(w.ws.usedKeys, QStringList{u"f"_s});
    EXPECT_TRUE(w.ws.freeKeys.contains(u"SPACE"_s));
    EXPECT_FALSE(w.ws.freeKeys.contains(u"f"_s));
    EXPECT_FALSE(w.ws.reloadOnly);
}

TEST(KeyAssignment, NoToTheQuestionChangesNothing) {
    const QString text = u"unbindall\nbind \"f\" \"+use\"\nbind \"SPACE\" \"+jump\""_s;
    Wizard w(text);
    const QStringList used = w.ws.usedKeys;
    const QStringList free = w.ws.freeKeys;
    ScriptedQuestion question;
    question.answers = {false};
    KeyChoice outcome = KeyChoice::Accepted;

    EXPECT_EQ(w.assign(u"SPACE"_s, u"f"_s, kJump, question, &outcome), u"SPACE"_s);

    EXPECT_EQ(outcome, KeyChoice::Declined);
    EXPECT_EQ(w.ws.mem1.content(), text);
    EXPECT_EQ(w.ws.usedKeys, used);
    EXPECT_EQ(w.ws.freeKeys, free);
}

TEST(KeyAssignment, NoKeyChosenIsNoAnswer) {
    Wizard w(u"bind \"f\" \"+use\""_s);
    ScriptedQuestion question;
    EXPECT_EQ(keyChoiceOk(w.ws, QString(), QString(), kJump, question).outcome, KeyChoice::NoKey);
    EXPECT_EQ(question.asked, 0);
}

TEST(KeyAssignment, ASecondAssignmentReplacesTheFirst) {
    Wizard w(u"unbindall\nname \"me\""_s);
    ScriptedQuestion question;
    const QString first = w.assign(QString(), u"j"_s, kJump, question);
    const QString second = w.assign(first, u"k"_s, kJump, question);

    EXPECT_EQ(second, u"k"_s);
    EXPECT_EQ(w.ws.mem1.content(), u"unbindall\nname \"me\"\nbind \"k\" \"+jump\""_s);
    EXPECT_EQ(w.ws.usedKeys, QStringList{u"k"_s});
    EXPECT_EQ(w.ws.freeKeys.last(), u"j"_s);
}

TEST(KeyAssignment, AKeyWrittenInOtherCaseIsAskedForAndReallyWritten) {
    Wizard w(u"unbindall\nbind \"mouse1\" \"+attack\""_s);
    ASSERT_EQ(w.ws.usedKeys, QStringList{u"mouse1"_s});
    ScriptedQuestion question;
    question.answers = {true};

    EXPECT_EQ(w.assign(QString(), u"MOUSE1"_s, kJump, question), u"MOUSE1"_s);

    EXPECT_EQ(question.asked, 1);
    // The old binding's line goes alone: the line break before it stays.
    EXPECT_EQ(w.ws.mem1.content(), u"unbindall\nbind \"MOUSE1\" \"+jump\"\n"_s);
    EXPECT_EQ(w.ws.usedKeys, QStringList{u"MOUSE1"_s});
}

TEST(KeyAssignment, ARebindChangesOnlyThatBindCommand) {
    const QString comment = u" // "_s + QString(90, u'x');
    Wizard w(u"unbindall\nbind w +forward;bind q +jump"_s + comment);
    ScriptedQuestion question;
    EXPECT_EQ(w.assign(u"w"_s, u"UPARROW"_s, kForward, question), u"UPARROW"_s);
    EXPECT_EQ(w.ws.mem1.content(),
              u"unbindall\nbind \"UPARROW\" \"+forward\";bind q +jump"_s + comment);
    EXPECT_FALSE(w.ws.comboKeys.contains(u"UPARROW"_s)); // no modifier any more
}

TEST(KeyAssignment, VopliReleasesTheShownKeyInAnyCase) {
    SharedState shared;
    WizardWorkingSet ws{shared};
    ws.usedKeys = {u"x"_s, u"MOUSE1"_s, u"mouse1"_s};
    ws.freeKeys = {u"a"_s};
    EXPECT_EQ(vopli(ws, QString()), QString());
    EXPECT_EQ(ws.usedKeys.size(), 3);

    EXPECT_EQ(vopli(ws, u"q"_s), u"q"_s); // not in the list: nothing moves
    EXPECT_EQ(ws.usedKeys.size(), 3);
    EXPECT_EQ(vopli(ws, u"mouse1"_s), u"mouse1"_s); // the first entry in either case goes
    EXPECT_EQ(ws.usedKeys, (QStringList{u"x"_s, u"mouse1"_s}));
    EXPECT_EQ(ws.freeKeys, (QStringList{u"a"_s, u"mouse1"_s}));

    EXPECT_TRUE(usedKeysHold({u"Mouse1"_s}, u"MOUSE1"_s));
    EXPECT_FALSE(usedKeysHold({u"MOUSE2"_s}, u"MOUSE1"_s));
}
