// The key choice dialog's flow: a fresh list at each opening, OK without a key, Отмена, each
// answer handed back with its request, and an asker that refuses a key at OK.
#include "keys/key_choice_dialog.h"
#include "language/key_names.h"
#include "test_app.h"
#include "wizard/key_assignment.h"

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

struct DialogTest : ::testing::Test {
    TestApp app;
    QWidget main;
    KeyChoiceDialog keyChoice{*app.ctx, &main};

    // The dialog builds its controls when first shown; the tests may look them up before.
    QListWidget* list() {
        keyChoice.ensureBuilt();
        return keyChoice.findChild<QListWidget*>(u"ListBox1"_s);
    }
    QPushButton* button(const QString& name) {
        keyChoice.ensureBuilt();
        return keyChoice.findChild<QPushButton*>(name);
    }
    void pick(const QString& key) {
        const auto found = list()->findItems(key, Qt::MatchExactly | Qt::MatchCaseSensitive);
        ASSERT_EQ(found.size(), 1) << key.toStdString();
        list()->setCurrentItem(found.first());
    }
    void ok() { QTest::mouseClick(button(u"Button1"_s), Qt::LeftButton); }
    void cancel() { QTest::mouseClick(button(u"Button2"_s), Qt::LeftButton); }
    // Opens the dialog for `request`; `whileOpen` plays the user.
    void choose(const KeyRequest& request, const std::function<void()>& whileOpen) {
        QTimer::singleShot(0, &keyChoice, whileOpen);
        keyChoice.chooseKey(request);
    }
    static KeyRequest forSlot(int slot) {
        KeyRequest request;
        request.asker = KeyRequest::Asker::MetaBindSlot;
        request.index = slot;
        return request;
    }
};

} // namespace

TEST_F(DialogTest, EveryOpeningStartsFreshAndOkWantsAKey) {
    keyChoice.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&keyChoice));
    EXPECT_EQ(keyChoice.windowTitle(), u"Выбор клавиши"_s);
    EXPECT_EQ(list()->count(), kKeyCount);
    EXPECT_TRUE(list()->selectedItems().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), list());

    app.dialogs.expect(ScriptedUserDialogs::Kind::Message);
    ok();
    EXPECT_EQ(app.dialogs.lastText(), u"Для продолжения выберите клавишу!"_s);
    EXPECT_TRUE(keyChoice.isVisible());

    keyChoice.hide();
    // Отмена gives no answer.
    QSignalSpy answers(&keyChoice, &KeyChoiceDialog::keyChosen);
    choose(forSlot(1), [this] {
        pick(u"F5"_s);
        cancel();
    });
    EXPECT_FALSE(keyChoice.isVisible());
    EXPECT_EQ(answers.size(), 0);

    keyChoice.show();
    EXPECT_TRUE(list()->selectedItems().isEmpty());
    EXPECT_EQ(keyChoice.chosenKey(), QString());
    // Coming back from being minimized is no new opening: the choice stays.
    pick(u"F6"_s);
    QShowEvent restored;
    QSpontaneKeyEvent::setSpontaneous(&restored);
    qApp->notify(&keyChoice, &restored); // sendEvent would clear the spontaneous mark
    EXPECT_EQ(keyChoice.chosenKey(), u"F6"_s);
    keyChoice.hide();
}

TEST_F(DialogTest, ChooseKeyRunsModallyOverTheMainWindow) {
    ASSERT_FALSE(keyChoice.isBuilt()); // centred by its real size at the first opening too
    main.setGeometry(100, 100, 800, 600);
    QSignalSpy answers(&keyChoice, &KeyChoiceDialog::keyChosen);
    choose(forSlot(3), [this] {
        EXPECT_TRUE(keyChoice.isModal() && keyChoice.isVisible());
        pick(u"MOUSE3"_s);
        ok();
    });
    ASSERT_EQ(answers.size(), 1);
    EXPECT_EQ(answers.at(0).at(1).toString(), u"MOUSE3"_s);
    EXPECT_EQ(keyChoice.chosenKey(), u"MOUSE3"_s);
    EXPECT_NEAR(keyChoice.geometry().center().x(), main.geometry().center().x(), 2);
    EXPECT_NEAR(keyChoice.geometry().center().y(), main.geometry().center().y(), 2);
}

TEST_F(DialogTest, EachAnswerCarriesItsRequestAndTheLastPlaceholderFillsTheButton) {
    // What the MetaBinds window does with a slot: its key list and the caption of its button.
    QStringList keySlots = {u"К1"_s, u"К2"_s};
    QString caption = u"BIND"_s;
    QList<int> answered;
    QObject receiver;
    QObject::connect(&keyChoice, &KeyChoiceDialog::keyChosen, &receiver,
                     [&](const KeyRequest& request, const QString& key) {
                         ASSERT_EQ(request.asker, KeyRequest::Asker::MetaBindSlot);
                         answered.append(request.index);
                         keySlots[request.index - 1] = key;
                         bool placeholderLeft = false;
                         for (const QString& s : keySlots)
                             placeholderLeft = placeholderLeft || s.startsWith(u'К');
                         if (!placeholderLeft)
                             caption = u"Вставить"_s;
                     });

    for (int slot : {2, 1}) {
        choose(forSlot(slot), [&] {
            pick(slot == 2 ? u"g"_s : u"MOUSE4"_s);
            ok();
        });
        EXPECT_FALSE(keyChoice.isVisible());
        EXPECT_EQ(caption, slot == 2 ? u"BIND"_s : u"Вставить"_s);
    }
    EXPECT_EQ(answered, (QList<int>{2, 1}));
    EXPECT_EQ(keySlots, (QStringList{u"MOUSE4"_s, u"g"_s}));

    // Отмена: no answer for that request, and none left over for the next.
    choose(forSlot(1), [this] { cancel(); });
    EXPECT_EQ(answered.size(), 2);
    keyChoice.show();
    pick(u"j"_s);
    ok();
    EXPECT_EQ(answered.size(), 2);
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

TEST_F(DialogTest, AnAskersRefusalKeepsTheDialogOpenForAnotherKey) {
    // The asker's rule at OK: No to its question for the first key, then Yes.
    QStringList offered;
    QList<bool> verdicts = {false, true};
    KeyRequest request;
    request.asker = KeyRequest::Asker::WizardAction;
    request.index = 7;
    request.accepts = [&](const QString& key) {
        offered.append(key);
        return verdicts.takeFirst();
    };
    QSignalSpy answers(&keyChoice, &KeyChoiceDialog::keyChosen);
    choose(request, [&] {
        pick(u"MOUSE1"_s);
        ok();
        EXPECT_TRUE(keyChoice.isVisible());
        EXPECT_EQ(answers.size(), 0);
        pick(u"j"_s);
        ok();
    });
    EXPECT_FALSE(keyChoice.isVisible());
    EXPECT_EQ(offered, (QStringList{u"MOUSE1"_s, u"j"_s}));
    ASSERT_EQ(answers.size(), 1);
    const auto answer = answers.at(0).at(0).value<KeyRequest>();
    EXPECT_EQ(answer.asker, KeyRequest::Asker::WizardAction);
    EXPECT_EQ(answer.index, 7);
    EXPECT_EQ(answers.at(0).at(1).toString(), u"j"_s);
}
