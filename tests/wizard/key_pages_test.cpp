// The key pages inside the wizard: captions read from the config, one action button clicked
// through the key choice dialog, the buy panel, "MetaBinds", and "Применить настройки" saving
// the working document or refusing an unreadable one.
#include "app/window_wiring.h"
#include "file_size_limit.h"
#include "keys/key_choice_dialog.h"
#include "metabinds/metabinds_window.h"
#include "test_app.h"
#include "wizard/wizard_window.h"
#include "wizard/wizard_window_key_pages.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using Kind = ScriptedUserDialogs::Kind;

namespace {

struct KeyPagesTest : ::testing::Test {
    void SetUp() override {
        app.createWindows();
        app.state.games.wizardFolder = app.gameDir();
        app.state.games.startupGameDir = app.gameDir();
        w = app.w().wizard;
        ASSERT_TRUE(w);
        w->ensureBuilt();
    }
    void TearDown() override {
        if (w->isVisible())
            w->close();
        EXPECT_TRUE(app.dialogs.allUsed());
    }
    template <typename T = QPushButton> T* c(const QString& name) const {
        T* found = w->findChild<T*>(name);
        EXPECT_TRUE(found) << name.toStdString();
        return found;
    }
    // Opens the wizard on `name` and jumps to the key pages; true when they are shown.
    bool openOnKeys(const QString& name) {
        w->FormShow();
        w->show();
        auto* files = c<QListWidget>(u"FileBox1"_s);
        const auto found = files->findItems(name, Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1);
        if (found.size() != 1)
            return false;
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualItemRect(found.first()).center());
        c(u"Button56"_s)->click();
        return c<QTabWidget>(u"PgC1"_s)->currentIndex() == 8;
    }
    // Clicks an action button and picks `key` in the key choice dialog.
    void assign(const QString& button, const QString& key) {
        QTimer::singleShot(0, w, [this, key] {
            auto* list = app.w().keyChoice->findChild<QListWidget*>(u"ListBox1"_s);
            list->setCurrentItem(list->findItems(key, Qt::MatchExactly).first());
            app.w().keyChoice->findChild<QPushButton*>(u"Button1"_s)->click();
        });
        c(button)->click();
    }

    TestApp app;
    ConfigWizard* w = nullptr;
};

} // namespace

TEST_F(KeyPagesTest, AnActionKeyIsBoundAndSavedByApply) {
    const QString path = app.writeFile(
        app.gameDir() + u"/my.cfg"_s, "bind \"w\" \"+forward\"\r\nbind \"MOUSE1\" \"+attack\"\r\n");
    ASSERT_TRUE(openOnKeys(u"my.cfg"_s));
    EXPECT_EQ(c(u"Button4"_s)->text(), u"w"_s);
    EXPECT_EQ(c(u"Button4"_s)->toolTip(), u"w"_s);
    EXPECT_EQ(c(u"Button9"_s)->text(), u"MOUSE1"_s);
    EXPECT_EQ(c(u"Button11"_s)->text(), QString());
    // Every key button names its key whole in its tool tip, and what holds a key is known for
    // the reassignment question.
    EXPECT_EQ(c(u"Button9"_s)->toolTip(), u"MOUSE1"_s);
    auto* pages = w->findChild<KeyPages*>();
    ASSERT_TRUE(pages);
    EXPECT_EQ(pages->actionHoldingKey(u"mouse1"_s), u"Атака"_s);
    EXPECT_EQ(pages->actionHoldingKey(u"W"_s), u"Кнопки движения: +forward"_s);
    EXPECT_EQ(pages->actionHoldingKey(u"F12"_s), QString());

    assign(u"Button4"_s, u"UPARROW"_s);
    EXPECT_EQ(c(u"Button4"_s)->text(), u"UPARROW"_s);
    EXPECT_EQ(c(u"Button4"_s)->toolTip(), u"UPARROW"_s);
    // The key the action had goes back to the free keys.
    EXPECT_EQ(w->workingSet().freeKeys.last(), u"w"_s);
    EXPECT_FALSE(w->workingSet().usedKeys.contains(u"w"_s));
    EXPECT_EQ(c<QTabWidget>(u"PgC1"_s)->currentIndex(), 8);
    // Only the document in memory has changed so far.
    EXPECT_EQ(app.readFile(path), "bind \"w\" \"+forward\"\r\nbind \"MOUSE1\" \"+attack\"\r\n");

    w->showPage(10);
    EXPECT_TRUE(c<QLabel>(u"Label83"_s)->text().contains(u"Применить настройки"_s));
    // A save that runs out of room says so and keeps the document for another try.
    app.dialogs.expect(Kind::Error);
    {
        FileSizeLimit limit(20);
        c(u"Button50"_s)->click();
    }
    EXPECT_TRUE(app.dialogs.lastText().contains(u"my.cfg"_s));
    EXPECT_EQ(app.readFile(path), "bind \"w\" \"+forward\"\r\nbind \"MOUSE1\" \"+attack\"\r\n");
    c(u"Button50"_s)->click();
    EXPECT_EQ(app.readFile(path),
              "unbindall\r\nbind \"UPARROW\" \"+forward\"\r\nbind \"MOUSE1\" \"+attack\"\r\n");
    // The wizard itself says what it wrote, also when the main window is behind it.
    EXPECT_EQ(c<QLabel>(u"SavedLine"_s)->text(), u"Сохранено: my.cfg"_s);
    EXPECT_FALSE(w->hasUnsavedChanges());
}

// A key another action holds is taken only after Yes to the question that names the action;
// after No the key choice dialog stays open for another key. A free key is taken unasked.
TEST_F(KeyPagesTest, AKeyAnotherActionHoldsIsTakenOnlyAfterYes) {
    app.writeFile(app.gameDir() + u"/my.cfg"_s,
                  "unbindall\r\nbind \"mouse1\" \"+attack\"\r\nbind \"SPACE\" \"+jump\"\r\n");
    ASSERT_TRUE(openOnKeys(u"my.cfg"_s));
    KeyChoiceDialog* keyChoice = app.w().keyChoice;
    keyChoice->ensureBuilt();
    auto* list = keyChoice->findChild<QListWidget*>(u"ListBox1"_s);
    auto* ok = keyChoice->findChild<QPushButton*>(u"Button1"_s);
    QPushButton* jump = c(u"Button11"_s);
    ASSERT_EQ(jump->text(), u"SPACE"_s);
    const QString read = w->workingSet().mem1.content();
    QTimer::singleShot(0, w, [&] {
        list->setCurrentItem(list->findItems(u"MOUSE1"_s, Qt::MatchExactly).first());
        app.dialogs.expect(Kind::YesNo, UserDialogs::Answer::No);
        ok->click();
        EXPECT_EQ(app.dialogs.lastText(),
                  u"Клавиша MOUSE1 сейчас назначена на «Атака».\n"
                  u"Вы действительно хотите переназначить выбранную клавишу?"_s);
        EXPECT_TRUE(keyChoice->isVisible());
        EXPECT_EQ(jump->text(), u"SPACE"_s);
        EXPECT_EQ(w->workingSet().mem1.content(), read);
        app.dialogs.expect(Kind::YesNo, UserDialogs::Answer::Yes);
        ok->click();
    });
    jump->click();
    EXPECT_FALSE(keyChoice->isVisible());
    EXPECT_EQ(jump->text(), u"MOUSE1"_s);
    EXPECT_EQ(c(u"Button9"_s)->text(), QString()); // "+attack" lost its key
    EXPECT_EQ(w->workingSet().mem1.content(), u"unbindall\nbind \"MOUSE1\" \"+jump\"\n"_s);
    EXPECT_EQ(c<QTabWidget>(u"PgC1"_s)->currentIndex(), 8);

    assign(u"Button11"_s, u"j"_s);
    EXPECT_EQ(jump->text(), u"j"_s);
    app.dialogs.expect(Kind::YesNoCancel, UserDialogs::Answer::No);
    w->reject();
}

// Keys bound but not saved with "Применить настройки": closing the wizard asks, as the editor
// does; Отмена keeps it open, Нет drops them, Да writes them.
TEST_F(KeyPagesTest, ClosingWithKeysNotYetSavedAsks) {
    const QByteArray original = "bind \"w\" \"+forward\"\r\n";
    const QString path = app.writeFile(app.gameDir() + u"/my.cfg"_s, original);
    for (const auto answer :
         {UserDialogs::Answer::Cancel, UserDialogs::Answer::No, UserDialogs::Answer::Yes}) {
        ASSERT_TRUE(openOnKeys(u"my.cfg"_s));
        assign(u"Button11"_s, u"SPACE"_s);
        EXPECT_TRUE(w->hasUnsavedChanges());
        app.dialogs.expect(Kind::YesNoCancel, answer);
        w->reject(); // Escape and the title bar's close
        EXPECT_EQ(app.dialogs.lastText(), u"Сохранить изменения?"_s);
        if (answer == UserDialogs::Answer::Cancel) {
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(c<QTabWidget>(u"PgC1"_s)->currentIndex(), 8);
            app.dialogs.expect(Kind::YesNoCancel, UserDialogs::Answer::No);
            w->reject();
        }
        EXPECT_FALSE(w->isVisible());
        if (answer == UserDialogs::Answer::Yes)
            EXPECT_TRUE(app.readFile(path).contains("bind \"SPACE\" \"+jump\""));
        else
            EXPECT_EQ(app.readFile(path), original);
    }
    // Nothing changed: closing asks nothing.
    ASSERT_TRUE(openOnKeys(u"my.cfg"_s));
    w->reject();
    EXPECT_FALSE(w->isVisible());
}

TEST_F(KeyPagesTest, BuyPanelMetaBindsAndAnUnreadableFile) {
    // A binary file cannot be shown as text: the document holds a message line instead.
    const QByteArray binary("bind\0\0\x01\x02 \"w\"", 12);
    const QString bad = app.writeFile(app.gameDir() + u"/bad.cfg"_s, binary);
    // "Кнопки" refuses it at once, saying why; the pages behind it still refuse to write it.
    app.dialogs.expect(Kind::Error);
    EXPECT_FALSE(openOnKeys(u"bad.cfg"_s));
    EXPECT_TRUE(app.dialogs.lastText().contains(u"bad.cfg"_s));

    w->showPage(9);
    auto* panel = c<QFrame>(u"Panel2"_s);
    EXPECT_FALSE(panel->isVisible());
    c(u"Button38"_s)->click();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(c(u"Button52"_s)->parentWidget(), panel);
    c(u"Button51"_s)->click();
    EXPECT_FALSE(panel->isVisible());

    w->showPage(10);
    // Only the request is checked here; the MetaBinds window it opens has tests of its own.
    QObject::disconnect(w, &ConfigWizard::metaBindsRequested, app.w().metaBinds, nullptr);
    QSignalSpy metaBinds(w, &ConfigWizard::metaBindsRequested);
    c(u"Button49"_s)->click();
    EXPECT_EQ(metaBinds.size(), 1);

    app.dialogs.expect(Kind::Error);
    c(u"Button50"_s)->click();
    EXPECT_TRUE(app.dialogs.lastText().contains(u"bad.cfg"_s));
    EXPECT_EQ(app.readFile(bad), binary);
}
