// The reference window and the library set-up window, driven as a user drives them.
#include "print_qstring.h"
#include "reference/library_setup_window.h"
#include "reference/reference_window.h"
#include "reference/value_list_window.h"
#include "shell/main_window.h"
#include "test_app.h"
#include "widgets/qt_list_boxes.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

void clickItem(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
}

} // namespace

class ReferenceWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.writeFile(dlls(u"Pushki.dll"_s), "weapon_ak47\r\nweapon_awp\r\n");
        app.writeFile(dlls(u"cvardll/Vccvr.dll"_s), "voice_scale\r\n");
        app.createWindows();
        app.showMain();
        reference = app.w().reference;
        ASSERT_NE(reference, nullptr);
        librarySetup = app.w().librarySetup;
        ASSERT_NE(librarySetup, nullptr);
        librarySetup->ensureBuilt(); // its lists are looked at before it is first shown
        pages = reference->findChild<QTabWidget*>(u"PC1"_s);
        cmd = reference->findChild<QListWidget*>(u"ListBox1"_s);
        cvar = reference->findChild<QListWidget*>(u"ListBox2"_s);
        dlz = reference->findChild<QListWidget*>(u"ListBox3"_s);
        ASSERT_TRUE(pages && cmd && cvar && dlz);
    }
    QString dlls(const QString& relative) const { return app.programDir() + u"dlls/"_s + relative; }
    QString statusLine() const { return app.w().mainWindow->statusLine(); }
    QStringList valueList() const { return app.w().valueList->entries(); }
    QString valueListCaption() const { return app.w().valueList->caption(); }

    TestApp app;
    ReferenceWindow* reference = nullptr;
    LibrarySetupWindow* librarySetup = nullptr;
    QTabWidget* pages = nullptr;
    QListWidget* cmd = nullptr;
    QListWidget* cvar = nullptr;
    QListWidget* dlz = nullptr;
};

TEST_F(ReferenceWindowTest, FirstShowLoadsTheStandardCommands) {
    EXPECT_TRUE(reference->isVisible());
    const Qt::WindowFlags flags = reference->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::Tool));
    EXPECT_EQ(reference->parentWidget(), app.w().mainWindow);
    EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(listTexts(cmd),
              (QStringList{u"Standart"_s, u"(-,+)"_s, u"Record"_s, u"Other"_s, u"Weapons"_s}));
    EXPECT_EQ(cvar->count(), 12);
    EXPECT_EQ(cmd->currentRow(), 0);
    EXPECT_EQ(valueList(), (QStringList{u"bind"_s, u"unbind"_s, u"alias"_s}));
    EXPECT_EQ(app.state.reference.listFilePath, dlls(u"Stcmd.dll"_s));
    EXPECT_EQ(app.state.reference.lastRefPage, 2);
    EXPECT_FALSE(app.state.reference.weaponPictures);
    EXPECT_FALSE(app.state.reference.dlzPageActive);
    EXPECT_EQ(statusLine(), u"Выбрано: (CMD) Standart"_s);
    EXPECT_EQ(valueListCaption(), u"Выбор: (CMD) Standart"_s);
    EXPECT_EQ(app.w().valueList->listFilePath(), dlls(u"Stcmd.dll"_s));
}

TEST_F(ReferenceWindowTest, WeaponsTurnPictureModeOnUntilThePageChanges) {
    QSignalSpy loads(app.w().mainWindow, &MainWindow::valueListLoaded);
    clickItem(cmd, u"Weapons"_s);
    EXPECT_EQ(loads.size(), 1);
    EXPECT_TRUE(app.state.reference.weaponPictures);
    EXPECT_EQ(app.state.reference.lastRefPage, 2);
    EXPECT_EQ(app.state.reference.listFilePath, dlls(u"Pushki.dll"_s));
    EXPECT_EQ(valueList(), (QStringList{u"weapon_ak47"_s, u"weapon_awp"_s}));

    pages->setCurrentIndex(1);
    pages->setCurrentIndex(0);
    EXPECT_FALSE(app.state.reference.weaponPictures);
    EXPECT_EQ(valueList(), (QStringList{u"weapon_ak47"_s, u"weapon_awp"_s}));

    // Clicking the selected category again loads it again.
    clickItem(cmd, u"Weapons"_s);
    EXPECT_TRUE(app.state.reference.weaponPictures);
    EXPECT_EQ(loads.size(), 2);
    clickItem(cmd, u"Standart"_s);
    EXPECT_FALSE(app.state.reference.weaponPictures);
}

TEST_F(ReferenceWindowTest, AMissingListIsReportedAndTheValueListKeepsItsEntries) {
    const QStringList before = valueList();
    app.dialogs.expect(ScriptedUserDialogs::Kind::Error);
    clickItem(cmd, u"Record"_s);
    EXPECT_TRUE(app.dialogs.allUsed());
    EXPECT_EQ(app.dialogs.lastText(), u"Ненайден файл "_s + dlls(u"Reccmd.dll"_s));
    EXPECT_EQ(valueList(), before);
    // The texts already name the new choice.
    EXPECT_EQ(statusLine(), u"Выбрано: (CMD) Record"_s);
    EXPECT_EQ(valueListCaption(), u"Выбор: (CMD) Record"_s);
    // The list still shows, and explains by, the file it came from.
    EXPECT_EQ(app.w().valueList->listFilePath(), dlls(u"Stcmd.dll"_s));
}

TEST_F(ReferenceWindowTest, VariableCategoriesSetTheInsertionFormAndTheirHint) {
    pages->setCurrentIndex(1);
    clickItem(cvar, u"Voice"_s);
    EXPECT_EQ(app.state.reference.lastRefPage, 1);
    EXPECT_EQ(valueList(), QStringList{u"voice_scale"_s});
    EXPECT_EQ(statusLine(), u"Выбрано: (CVAR) Voice"_s);
    EXPECT_EQ(cvar->statusTip(), u"Значения для голосового общения"_s);

    // The hint shows in the main window's status bar.
    QStatusTipEvent tip(cvar->statusTip());
    QCoreApplication::sendEvent(cvar, &tip);
    EXPECT_EQ(statusLine(), u"Значения для голосового общения"_s);

    app.dialogs.expect(ScriptedUserDialogs::Kind::Error);
    clickItem(cvar, u"Joystick"_s);
    EXPECT_EQ(cvar->statusTip(), QString());
    EXPECT_EQ(app.dialogs.lastText(), u"Ненайден файл "_s + dlls(u"cvardll/Joycvr.dll"_s));
}

TEST_F(ReferenceWindowTest, TheLibraryPageListsLibrariesAndKeepsTheInsertionForm) {
    app.writeFile(dlls(u"dlz/rates.v2.dlz"_s), "rate 2500\r\nrate 5000\r\n");
    app.writeFile(dlls(u"dlz/Alpha.dlz"_s), "a\r\n");
    pages->setCurrentIndex(2);
    EXPECT_TRUE(app.state.reference.dlzPageActive);
    EXPECT_FALSE(app.state.reference.refreshOnly);
    EXPECT_FALSE(librarySetup->isVisible());
    EXPECT_EQ(listTexts(dlz), (QStringList{u"Alpha"_s, u"rates.v2"_s}));

    clickItem(dlz, u"rates.v2"_s);
    EXPECT_EQ(reference->selectedLibrary(), u"rates.v2"_s);
    EXPECT_EQ(app.state.reference.listFilePath, dlls(u"dlz/rates.v2.dlz"_s));
    EXPECT_EQ(valueList(), (QStringList{u"rate 2500"_s, u"rate 5000"_s}));
    EXPECT_EQ(app.state.reference.lastRefPage, 2);
    EXPECT_EQ(statusLine(), u"Выбрано: (DLZ) rates.v2"_s);

    // A new file shows at the next visit of the page; leaving the page is not a DLZ lookup.
    app.writeFile(dlls(u"dlz/beta.dlz"_s), "");
    pages->setCurrentIndex(0);
    EXPECT_FALSE(app.state.reference.dlzPageActive);
    pages->setCurrentIndex(2);
    EXPECT_EQ(listTexts(dlz), (QStringList{u"Alpha"_s, u"beta"_s, u"rates.v2"_s}));
    EXPECT_EQ(reference->selectedLibrary(), u"rates.v2"_s);
}

TEST_F(ReferenceWindowTest, LeavingAPageDropsItsSelectionButLeavingTheWindowDoesNot) {
    clickItem(cmd, u"Weapons"_s);
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(cmd, &away);
    EXPECT_EQ(cmd->selectedItems().size(), 1);
    QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(cmd, &tab);
    EXPECT_TRUE(cmd->selectedItems().isEmpty());
    // Dropping the selection is not a click: the list and its mode stay.
    EXPECT_TRUE(app.state.reference.weaponPictures);
    EXPECT_EQ(valueList(), (QStringList{u"weapon_ak47"_s, u"weapon_awp"_s}));
}

TEST_F(ReferenceWindowTest, FootButtonsAreCentredAndAskForTheirInsertDialogPage) {
    auto* panel = reference->findChild<QWidget*>(u"Panel1"_s);
    const QList<QPushButton*> buttons = {reference->findChild<QPushButton*>(u"SBut10"_s),
                                         reference->findChild<QPushButton*>(u"SBut7"_s),
                                         reference->findChild<QPushButton*>(u"SBut8"_s)};
    reference->resize(241, 320);
    QCoreApplication::processEvents();
    for (QPushButton* b : buttons) {
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->x(), (panel->width() - b->width()) / 2);
    }
    EXPECT_EQ(buttons[0]->text(), u"SetInfo"_s);

    QSignalSpy requests(reference, &ReferenceWindow::insertDialogRequested);
    QTest::mouseClick(buttons[1], Qt::LeftButton);
    QTest::mouseClick(buttons[2], Qt::LeftButton);
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    ASSERT_EQ(requests.size(), 3);
    EXPECT_EQ(requests[0][0].toString(), u"Bind - выберите клавишу для присвоения"_s);
    EXPECT_EQ(requests[0][1].toInt(), 1);
    EXPECT_EQ(requests[1][0].toString(), u"Alias - наберите имя команды"_s);
    EXPECT_EQ(requests[1][1].toInt(), 2);
    EXPECT_EQ(reference->insertDialogCaption(), u"SetInfo - выберите из списка"_s);
    EXPECT_EQ(reference->insertDialogPage(), 0);
}

TEST_F(ReferenceWindowTest, LibrarySetUpInstallsRemovesAndUpdatesTheReferenceOnClose) {
    app.writeFile(dlls(u"dlz/old.dlz"_s), "o\r\n");
    app.writeFile(dlls(u"metabinds/jump.mtb"_s), "j\r\n");
    const QString mine = app.root.path() + u"/mine/"_s;
    app.writeFile(mine + u"new.one.dlz"_s, "n\r\n");
    app.writeFile(mine + u"new.one.pro"_s, "[n]\r\nq=x\r\n");
    auto* libraries = librarySetup->findChild<QListWidget*>(u"ListBox1"_s);
    auto* metaBinds = librarySetup->findChild<QListWidget*>(u"ListBox2"_s);

    bool ran = false;
    QTimer::singleShot(0, librarySetup, [&] {
        ran = true;
        EXPECT_TRUE(librarySetup->isVisible());
        EXPECT_EQ(librarySetup->windowTitle(), u"Настройка библиотек DLZ и MetaBinds"_s);
        EXPECT_EQ(listTexts(libraries), QStringList{u"old"_s});
        EXPECT_EQ(listTexts(metaBinds), QStringList{u"jump.mtb"_s});
        // The listing reached the reference window too.
        EXPECT_EQ(listTexts(dlz), QStringList{u"old"_s});

        app.dialogs.expectFile(ScriptedUserDialogs::Kind::Open, mine + u"new.one.dlz"_s, 1);
        QTest::mouseClick(librarySetup->findChild<QPushButton*>(u"Button1"_s), Qt::LeftButton);
        const auto& call = app.dialogs.calls().back();
        EXPECT_EQ(call.text, u"Добавить"_s);
        EXPECT_EQ(call.options.filter,
                  u"Библиотека значений (*.dlz)|*.dlz|MetaBinds (*.mtb)|*.mtb"_s);
        EXPECT_EQ(listTexts(libraries), (QStringList{u"new.one"_s, u"old"_s}));
        EXPECT_EQ(app.readFile(dlls(u"dlz/new.one.pro"_s)), "[n]\r\nq=x\r\n");
        // Not in the reference window until this window closes.
        EXPECT_EQ(listTexts(dlz), QStringList{u"old"_s});

        // One selection across both lists; "Удалить" asks, naming the file, then deletes the
        // selected one; "Нет" keeps it.
        clickItem(libraries, u"old"_s);
        clickItem(metaBinds, u"jump.mtb"_s);
        EXPECT_TRUE(libraries->selectedItems().isEmpty());
        auto* remove = librarySetup->findChild<QPushButton*>(u"Button2"_s);
        app.dialogs.expect(ScriptedUserDialogs::Kind::YesNo, UserDialogs::Answer::No);
        QTest::mouseClick(remove, Qt::LeftButton);
        EXPECT_EQ(app.dialogs.lastText(), u"Удалить файл \"jump.mtb\"?"_s);
        EXPECT_TRUE(QFile::exists(dlls(u"metabinds/jump.mtb"_s)));
        EXPECT_EQ(listTexts(metaBinds), QStringList{u"jump.mtb"_s});
        app.dialogs.expect(ScriptedUserDialogs::Kind::YesNo, UserDialogs::Answer::Yes);
        QTest::mouseClick(remove, Qt::LeftButton);
        EXPECT_FALSE(QFile::exists(dlls(u"metabinds/jump.mtb"_s)));
        EXPECT_TRUE(listTexts(metaBinds).isEmpty());
        clickItem(libraries, u"old"_s);
        app.dialogs.expect(ScriptedUserDialogs::Kind::YesNo, UserDialogs::Answer::Yes);
        QTest::mouseClick(remove, Qt::LeftButton);
        EXPECT_EQ(app.dialogs.lastText(), u"Удалить файл \"old.dlz\"?"_s);
        EXPECT_FALSE(QFile::exists(dlls(u"dlz/old.dlz"_s)));
        EXPECT_EQ(listTexts(libraries), QStringList{u"new.one"_s});

        QTest::mouseClick(librarySetup->findChild<QPushButton*>(u"Button3"_s), Qt::LeftButton);
    });
    app.w().mainWindow->action(u"N37"_s)->trigger();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(librarySetup->isVisible());
    EXPECT_EQ(listTexts(dlz), QStringList{u"new.one"_s});
}

TEST_F(ReferenceWindowTest, AFailedInstallIsReportedAndListsNothing) {
    const QString mine = app.root.path() + u"/mine/"_s;
    app.writeFile(mine + u"x.mtb"_s, "x\r\n");
    QDir().mkpath(dlls(u"metabinds/x.mtb"_s)); // a folder where the file should go
    auto* metaBinds = librarySetup->findChild<QListWidget*>(u"ListBox2"_s);
    QTimer::singleShot(0, librarySetup, [&] {
        app.dialogs.expectFile(ScriptedUserDialogs::Kind::Open, mine + u"x.mtb"_s, 2);
        app.dialogs.expect(ScriptedUserDialogs::Kind::Error);
        librarySetup->Button1Click();
        EXPECT_TRUE(app.dialogs.lastText().contains(mine + u"x.mtb"_s));
        EXPECT_TRUE(listTexts(metaBinds).isEmpty());
        // The file type chosen last is offered again.
        app.dialogs.expectFile(ScriptedUserDialogs::Kind::Open, QString());
        librarySetup->Button1Click();
        EXPECT_EQ(app.dialogs.calls().back().options.filterIndex, 2);
        librarySetup->reject();
    });
    app.w().mainWindow->N37Click();
    EXPECT_TRUE(app.dialogs.allUsed());
}
