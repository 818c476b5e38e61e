// The key choice dialog's flow: a fresh list at each opening, OK without a key, Отмена, the
// MetaBinds mode's signal, and the wizard mode's question with Yes and No.
#include "keys/key_choice_dialog.h"
#include "keys/action_table.h"
#include "keys/key_assignment.h"
#include "reference/key_list.h"
#include "test_app.h"
#include "wizard/pivo.h"
#include "wizard/wizard_working_set.h"

#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The wizard side of the dialog without the wizard window.
class FakeWizard final : public KeyChoiceClient {
public:
    explicit FakeWizard(SharedState& shared) : ws(shared) {}
    WizardWorkingSet& workingSet() override { return ws; }
    void runOnDocuments(const std::function<void()>& work) override {
        ++documentRuns;
        work();
    }
    void showActionCaptions() override { ++captionRefreshes; }
    QString actionHoldingKey(const QString& key) const override {
        return key == u"MOUSE1"_s ? u"Атака"_s : QString();
    }

    void read(const QString& text) {
        ws.mem1.setText(text);
        PivoInputs inputs;
        inputs.actionCommands = actionCommands();
        Pivo(ws, inputs);
    }

    WizardWorkingSet ws;
    int documentRuns = 0;
    int captionRefreshes = 0;
};

struct DialogTest : ::testing::Test {
    TestApp app;
    QWidget main;
    Tbinds binds{*app.ctx, &main};

    // The dialog builds its controls when first shown; the tests may look them up before.
    QListWidget* list() {
        binds.ensureBuilt();
        return binds.findChild<QListWidget*>(u"ListBox1"_s);
    }
    QPushButton* button(const QString& name) {
        binds.ensureBuilt();
        return binds.findChild<QPushButton*>(name);
    }
    void pick(const QString& key) {
        const auto found = list()->findItems(key, Qt::MatchExactly | Qt::MatchCaseSensitive);
        ASSERT_EQ(found.size(), 1) << key.toStdString();
        list()->setCurrentItem(found.first());
    }
    void ok() { QTest::mouseClick(button(u"Button1"_s), Qt::LeftButton); }
};

} // namespace

TEST_F(DialogTest, EveryOpeningStartsFreshAndOkWantsAKey) {
    binds.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&binds));
    EXPECT_EQ(binds.windowTitle(), u"Выбор клавиши"_s);
    EXPECT_EQ(list()->count(), kKeyCount);
    EXPECT_TRUE(list()->selectedItems().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), list());

    app.dialogs.expect(ScriptedUserDialogs::Kind::Message);
    ok();
    EXPECT_EQ(app.dialogs.lastText(), u"Для продолжения выберите клавишу!"_s);
    EXPECT_TRUE(binds.isVisible());

    pick(u"F5"_s);
    QTest::mouseClick(button(u"Button2"_s), Qt::LeftButton);
    EXPECT_FALSE(binds.isVisible());
    EXPECT_EQ(app.state.keyChosen, 0);

    binds.show();
    EXPECT_TRUE(list()->selectedItems().isEmpty());
    EXPECT_EQ(binds.chosenKey(), QString());
    // Coming back from being minimized is no new opening: the choice stays.
    pick(u"F6"_s);
    QShowEvent restored;
    QSpontaneKeyEvent::setSpontaneous(&restored);
    qApp->notify(&binds, &restored); // sendEvent would clear the spontaneous mark
    EXPECT_EQ(binds.chosenKey(), u"F6"_s);
    binds.hide();
}

TEST_F(DialogTest, ChooseKeyRunsModallyOverTheMainWindow) {
    ASSERT_FALSE(binds.isBuilt()); // centred by its real size at the first opening too
    main.setGeometry(100, 100, 800, 600);
    app.state.keySlot = 0;
    QTimer::singleShot(0, &binds, [this] {
        EXPECT_TRUE(binds.isModal() && binds.isVisible());
        pick(u"MOUSE3"_s);
        ok();
    });
    binds.chooseKey();
    EXPECT_EQ(app.state.keyChosen, 1);
    EXPECT_EQ(binds.chosenKey(), u"MOUSE3"_s);
    EXPECT_NEAR(binds.geometry().center().x(), main.geometry().center().x(), 2);
    EXPECT_NEAR(binds.geometry().center().y(), main.geometry().center().y(), 2);
}

TEST_F(DialogTest, MetaBindsModeSendsTheSlotAndTheLastPlaceholderFillsTheButton) {
    // What the MetaBinds window does with a slot: its key list and the caption of its button.
    QStringList keySlots = {u"К1"_s, u"К2"_s};
    QString caption = u"BIND"_s;
    QObject receiver;
    QObject::connect(&binds, &Tbinds::metaBindSlotChosen, &receiver,
                     [&](int slot, const QString& key) {
                         keySlots[slot - 1] = key;
                         bool placeholderLeft = false;
                         for (const QString& s : keySlots)
                             placeholderLeft = placeholderLeft || s.startsWith(u'К');
                         if (!placeholderLeft)
                             caption = u"Вставить"_s;
                     });
    QSignalSpy spy(&binds, &Tbinds::metaBindSlotChosen);

    for (int slot : {2, 1}) {
        app.state.keySlot = slot;
        app.state.keyChosen = 7;
        binds.show();
        pick(slot == 2 ? u"g"_s : u"MOUSE4"_s);
        ok();
        EXPECT_FALSE(binds.isVisible());
        EXPECT_EQ(app.state.keySlot, 0);
        EXPECT_EQ(app.state.keyChosen, 7); // the wizard's answer is not touched
        EXPECT_EQ(caption, slot == 2 ? u"BIND"_s : u"Вставить"_s);
    }
    ASSERT_EQ(spy.size(), 2);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 2);
    EXPECT_EQ(spy.at(0).at(1).toString(), u"g"_s);
    EXPECT_EQ(keySlots, (QStringList{u"MOUSE4"_s, u"g"_s}));

    // Отмена in MetaBinds mode: the next opening is for the wizard again.
    app.state.keySlot = 1;
    binds.show();
    QTest::mouseClick(button(u"Button2"_s), Qt::LeftButton);
    EXPECT_EQ(app.state.keySlot, 0);
    EXPECT_EQ(spy.size(), 2);
}

TEST(KeyReassignment, TheQuestionNamesTheKeyAndWhatHoldsIt) {
    EXPECT_EQ(reassignmentQuestion(u"SPACE"_s, u"Прыжок"_s),
              u"Клавиша SPACE сейчас назначена на «Прыжок».\n"
              u"Вы действительно хотите переназначить выбранную клавишу?"_s);
    // Bound in the config to something no button shows.
    EXPECT_EQ(
        reassignmentQuestion(u"F5"_s, QString()),
        u"Клавиша F5 уже занята.\nВы действительно хотите переназначить выбранную клавишу?"_s);
}

TEST_F(DialogTest, WizardModeAsksForATakenKeyAndStaysOpenAfterNo) {
    FakeWizard wizard(app.state);
    wizard.read(u"unbindall\nbind \"mouse1\" \"+attack\"\nbind \"SPACE\" \"+jump\""_s);
    binds.setClient(&wizard);
    QPushButton jump(u"SPACE"_s);
    app.state.actionButton = &jump;
    app.state.actionCommand = u"\"+jump\""_s;
    app.state.keySlot = 0;

    binds.show();
    pick(u"MOUSE1"_s);
    app.dialogs.expect(ScriptedUserDialogs::Kind::YesNo, UserDialogs::Answer::No);
    ok();
    // The question names what holds the key now.
    EXPECT_EQ(app.dialogs.lastText(),
              u"Клавиша MOUSE1 сейчас назначена на «Атака».\n"
              u"Вы действительно хотите переназначить выбранную клавишу?"_s);
    EXPECT_TRUE(binds.isVisible());
    EXPECT_EQ(app.state.keyChosen, 0);
    EXPECT_EQ(wizard.documentRuns, 0);
    EXPECT_EQ(jump.text(), u"SPACE"_s);

    app.dialogs.expect(ScriptedUserDialogs::Kind::YesNo, UserDialogs::Answer::Yes);
    ok();
    EXPECT_FALSE(binds.isVisible());
    EXPECT_EQ(app.state.keyChosen, 1);
    EXPECT_EQ(wizard.documentRuns, 1);
    EXPECT_EQ(wizard.captionRefreshes, 1);
    EXPECT_EQ(jump.text(), u"MOUSE1"_s);
    EXPECT_EQ(wizard.ws.mem1.content(), u"unbindall\nbind \"MOUSE1\" \"+jump\"\n"_s);

    // A free key is taken without a question.
    binds.show();
    pick(u"j"_s);
    ok();
    EXPECT_EQ(app.state.keyChosen, 1);
    EXPECT_TRUE(app.dialogs.allUsed());
}
