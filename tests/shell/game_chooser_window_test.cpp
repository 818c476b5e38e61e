// The game directory chooser proposes the installations it finds in the player's home; a
// start without the reference tree says so only once.
#include "app/window_wiring.h"
#include "reference/value_list_window.h"
#include "shell/game_chooser_window.h"
#include "test_app.h"

#include <QDir>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(GameChooser, AClickOnAFoundModChoosesItsFolderAndTheTreeStaysForTheRest) {
    TestApp app;
    const QString home = app.root.path() + u"/home"_s;
    const QString hl = home + u"/.wine/drive_c/Sierra/Half-Life"_s;
    app.writeFile(hl + u"/hl.exe"_s, "");
    app.writeFile(hl + u"/valve/liblist.gam"_s, "");
    app.writeFile(hl + u"/cstrike/liblist.gam"_s, "");
    app.createWindows();
    app.showMain();
    GameChooserWindow* chooser = app.w().gameChooser;

    // Nothing found: the list is hidden and the chooser keeps its plain size.
    QTimer::singleShot(0, chooser, [chooser] {
        EXPECT_FALSE(chooser->findChild<QTreeWidget*>(u"GameList1"_s)->isVisible());
        chooser->findChild<QPushButton*>(u"Button2"_s)->click();
    });
    EXPECT_EQ(chooser->runModal(), GameChooserWindow::Result::Cancelled);

    app.state.games.gameSearch.home = home;
    app.state.games.gameSearch.dataHome = home + u"/.local/share"_s;
    QTimer::singleShot(0, chooser, [chooser, hl] {
        auto* list = chooser->findChild<QTreeWidget*>(u"GameList1"_s);
        ASSERT_TRUE(list->isVisible());
        ASSERT_EQ(list->topLevelItemCount(), 1);
        QTreeWidgetItem* game = list->topLevelItem(0);
        EXPECT_EQ(game->text(0), u"Wine: "_s + hl);
        ASSERT_EQ(game->childCount(), 2);
        EXPECT_EQ(game->child(0)->text(0), u"cstrike"_s);
        EXPECT_EQ(game->child(1)->text(0), u"valve"_s);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(game->child(0)).center());
        EXPECT_EQ(chooser->currentFolder(), hl + u"/cstrike"_s);
        // The tree shows it too, though it lies in a hidden folder.
        auto* tree = chooser->findChild<QTreeView*>(u"DirectoryListBox1"_s);
        const auto* model = static_cast<const QFileSystemModel*>(tree->model());
        EXPECT_EQ(model->filePath(tree->currentIndex()), hl + u"/cstrike"_s);
        chooser->findChild<QPushButton*>(u"Button1"_s)->click();
    });
    EXPECT_EQ(chooser->runModal(), GameChooserWindow::Result::Confirmed);
    EXPECT_EQ(app.state.games.gameDir, hl + u"/cstrike"_s);
    EXPECT_EQ(app.state.games.wizardFolder, hl + u"/cstrike"_s);
}

TEST(StartWithoutReferenceTree, TheReferenceWindowDoesNotRepeatTheStartsMessage) {
    TestApp app;
    ASSERT_TRUE(QDir(app.programDir() + u"dlls"_s).removeRecursively());
    app.createWindows();
    app.showMain(); // an error box here would be an unannounced dialog
    EXPECT_TRUE(app.w().valueList->entries().isEmpty());
}
