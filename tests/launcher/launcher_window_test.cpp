// The launcher window and the main window's start command, in the whole program.
#include "app/window_wiring.h"
#include "launcher/launcher_window.h"
#include "launcher_test_files.h"
#include "shell/main_window.h"
#include "shell/version_history_window.h"
#include "test_app.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest/QTest>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using Kind = ScriptedUserDialogs::Kind;

namespace {

// A program with an installation: cstrike and Valve with maps, a folder that is no mod, two
// drivers, a start script for Linux, and the program's unknown-mod picture.
struct LauncherApp {
    TestApp app;
    LauncherWindow* w = nullptr;

    QString hl() const { return app.root.path() + u"/Half-Life"_s; }
    QString config() const { return app.gameDir() + u"/config.cfg"_s; }
    QString edited() const { return app.root.path() + u"/my.cfg"_s; }

    explicit LauncherApp(bool named = true) {
        putFile(app.gameDir() + u"/settings.scr"_s);
        putFile(app.gameDir() + u"/liblist.gam"_s,
                "game \"Counter-Strike\"\r\nversion \"1.5\"\r\n");
        putFile(app.gameDir() + u"/maps/de_dust.bsp"_s);
        putFile(app.gameDir() + u"/maps/cs_italy.bsp"_s);
        putFile(app.gameDir() + u"/config.cfg"_s, "bind w +forward\r\n");
        putFile(hl() + u"/Valve/settings.scr"_s);
        putFile(hl() + u"/Valve/maps/crossfire.bsp"_s);
        putFile(hl() + u"/logos/x.txt"_s);
        putFile(hl() + u"/gldrv/minigl.dll"_s);
        putFile(hl() + u"/hl.sh"_s, "#!/bin/sh\n");
        putFile(app.programDir() + u"dlls/unknown.jpg"_s, smallJpeg());
        putFile(edited(), "// edited\r\n");
        app.createWindows(named ? QStringList{edited()} : QStringList{});
        app.showMain();
        w = app.w().launcher;
        app.state.games.halfLifeDir = hl();
    }

    template <typename T> T* c(const QString& name) const {
        T* control = w->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    QStringList items(const QString& name) const {
        QStringList out;
        if (auto* list = w->findChild<QListWidget*>(name))
            for (int i = 0; i < list->count(); ++i)
                out << list->item(i)->text();
        if (auto* combo = w->findChild<QComboBox*>(name))
            for (int i = 0; i < combo->count(); ++i)
                out << combo->itemText(i);
        return out;
    }
    QStringList checkedOptions() const {
        QStringList out;
        auto* list = c<QListWidget>(u"CLB1"_s);
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->checkState() == Qt::Checked)
                out << list->item(i)->text();
        return out;
    }
    // The user clicks an option's check box.
    void toggleOption(int row) const {
        auto* list = c<QListWidget>(u"CLB1"_s);
        list->setCurrentRow(row);
        QListWidgetItem* item = list->item(row);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
    void selectMap(const QString& map) const {
        auto* list = c<QListWidget>(u"lx_map"_s);
        const auto found = list->findItems(map, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << map.toStdString();
        list->setCurrentItem(found.first());
    }
    void open() const { w->show(); }
};

} // namespace

TEST(LauncherWindow, OpeningListsModsMapsAndDriversOnce) {
    LauncherApp a;
    a.open();
    EXPECT_EQ(a.w->windowTitle(), u"Запуск мода HL с конфигом"_s);
    EXPECT_EQ(a.w->width(), a.w->foldedWidth());
    EXPECT_GE(a.w->width(), LauncherWindow::kFoldedWidth);
    EXPECT_EQ(a.items(u"lx_map"_s), (QStringList{u"cs_italy"_s, u"de_dust"_s}));
    EXPECT_EQ(a.checkedOptions(), (QStringList{u"-console"_s, u"-full"_s, u"-gl"_s}));
    EXPECT_FALSE(a.c<QPushButton>(u"Button1"_s)->isEnabled());
    EXPECT_EQ(a.c<QLabel>(u"game_name"_s)->text(), u"Counter-Strike"_s);
    EXPECT_EQ(a.c<QLabel>(u"game_ver"_s)->text(), u"1.5"_s);
    // No cstrike.ico: the unknown-mod picture, without any message.
    EXPECT_FALSE(a.c<QLabel>(u"im1"_s)->pixmap().isNull());
    a.w->reject();

    a.open();
    EXPECT_EQ(a.items(u"ComB1"_s), (QStringList{u"cstrike"_s, u"valve"_s}));
    EXPECT_EQ(a.items(u"ComB2"_s), (QStringList{u"Default"_s, u"minigl.dll"_s}));
    EXPECT_EQ(a.c<QComboBox>(u"ComB1"_s)->currentText(), u"cstrike"_s);
    a.w->reject();
    EXPECT_TRUE(a.app.dialogs.calls().empty());
}

TEST(LauncherWindow, StartButtonNeedsAMap) {
    LauncherApp a;
    a.open();
    auto* start = a.c<QPushButton>(u"Button1"_s);
    auto* typed = a.c<QLineEdit>(u"Et1"_s);
    a.selectMap(u"de_dust"_s);
    EXPECT_TRUE(start->isEnabled());
    QTest::keyClicks(typed, u"x"_s);
    EXPECT_TRUE(start->isEnabled());
    typed->clear(); // emptied: off, even with a map selected
    EXPECT_FALSE(start->isEnabled());

    // Another mod lists its own maps; the selection went with the old list.
    a.selectMap(u"cs_italy"_s);
    auto* mod = a.c<QComboBox>(u"ComB1"_s);
    mod->setEditText(u"valve"_s);
    EXPECT_EQ(a.items(u"lx_map"_s), QStringList{u"crossfire"_s});
    EXPECT_FALSE(start->isEnabled());
    EXPECT_EQ(a.c<QLabel>(u"game_name"_s)->text(), QString()); // Valve has no liblist.gam
    mod->setEditText(u"valv"_s);
    EXPECT_TRUE(a.items(u"lx_map"_s).isEmpty());
    a.w->reject();
}

// The fold button stands at the window's right edge in both widths and reads ">>>" on one line;
// the right column shows only unfolded, whole, and beside the left column; the title bar's
// caption has its room. The column stays as the player left it from one opening to the next.
TEST(LauncherWindow, FoldButtonWidensAndMovesAndTheNextOpeningKeepsIt) {
    LauncherApp a;
    a.open();
    auto* fold = a.c<QPushButton>(u"bok_panel"_s);
    auto* options = a.c<QListWidget>(u"CLB1"_s);
    auto* maps = a.c<QListWidget>(u"lx_map"_s);
    const QPoint start = a.w->pos();
    const auto atRightEdge = [&] {
        return a.w->width() - fold->geometry().right() <= 8 &&
               fold->geometry().right() < a.w->width();
    };
    EXPECT_EQ(fold->text(), u">>>"_s);
    EXPECT_GE(fold->width(), fold->fontMetrics().horizontalAdvance(fold->text()));
    EXPECT_TRUE(atRightEdge());
    EXPECT_LT(maps->geometry().right(), fold->x());
    EXPECT_GE(maps->width(), 163);
    EXPECT_FALSE(options->isVisible()); // out of the Tab order too
    EXPECT_FALSE(a.w->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(a.w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QFont title = QApplication::font();
    title.setBold(true);
    EXPECT_GT(a.w->width(), QFontMetrics(title).horizontalAdvance(a.w->windowTitle()));

    fold->click();
    EXPECT_EQ(a.w->width(), a.w->unfoldedWidth());
    EXPECT_TRUE(atRightEdge());
    EXPECT_EQ(fold->text(), u"<<<"_s);
    EXPECT_EQ(fold->property("Tag").toInt(), 1);
    EXPECT_EQ(a.w->pos(), start - QPoint(122, 0));
    EXPECT_TRUE(options->isVisible());
    const QRect optionsAt(options->mapTo(a.w, QPoint(0, 0)), options->size());
    EXPECT_GT(optionsAt.left(), maps->mapTo(a.w, QPoint(maps->width(), 0)).x());
    EXPECT_LT(optionsAt.right(), fold->x());
    EXPECT_GE(maps->width(), 163);
    a.w->reject();
    EXPECT_EQ(fold->property("Tag").toInt(), 1);
    a.open();
    EXPECT_EQ(a.w->width(), a.w->unfoldedWidth());
    EXPECT_TRUE(options->isVisible());
    fold->click();
    a.w->reject();
    a.open();
    EXPECT_EQ(a.w->width(), a.w->foldedWidth());
    EXPECT_FALSE(options->isVisible());
    a.w->reject();
}

// Built with layouts, every control has the room its text asks for, at the program's scale too
// (QT_SCALE_FACTOR runs this test again): none is clipped by the window or by its neighbour.
TEST(LauncherWindow, EveryControlHasTheRoomItsTextNeeds) {
    LauncherApp a;
    a.open();
    if (a.w->findChild<QPushButton*>(u"bok_panel"_s)->property("Tag").toInt() == 0)
        a.w->findChild<QPushButton*>(u"bok_panel"_s)->click();
    QCoreApplication::processEvents();
    const QRect inside = a.w->rect();
    for (const char* name : {"Label1", "lx_map", "Label4", "Et1", "Label2", "SpinEdit1", "Button1",
                             "Button2", "Label3", "CLB1", "CheckBox1", "ComB1", "CB2", "ComB2",
                             "im1", "memo1", "CheckBox2", "bok_panel"}) {
        auto* w = a.w->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_TRUE(w) << name;
        const QRect r(w->mapTo(a.w, QPoint(0, 0)), w->size());
        EXPECT_TRUE(inside.contains(r)) << name;
        // The hint box and the fold button have sizes of their own.
        if (w->objectName() == u"memo1"_s || w->objectName() == u"bok_panel"_s)
            continue;
        EXPECT_GE(w->width(), w->minimumSizeHint().width()) << name;
        EXPECT_GE(w->height(), w->minimumSizeHint().height()) << name;
    }
    for (const char* name : {"CheckBox1", "CB2", "CheckBox2"}) {
        auto* box = a.w->findChild<QCheckBox*>(QString::fromLatin1(name));
        EXPECT_GE(box->width(), box->sizeHint().width()) << name;
        EXPECT_GE(box->height(), box->sizeHint().height()) << name;
    }
    // All twelve options are in sight, none scrolled away.
    auto* options = a.c<QListWidget>(u"CLB1"_s);
    for (int i = 0; i < options->count(); ++i)
        EXPECT_TRUE(options->viewport()->rect().contains(options->visualItemRect(options->item(i))))
            << options->item(i)->text().toStdString();
    a.w->reject();
}

TEST(LauncherWindow, OptionRulesHintsAndRendererStateAcrossOpenings) {
    LauncherApp a;
    a.open();
    auto* memo = a.c<QPlainTextEdit>(u"memo1"_s);
    auto* driverBox = a.c<QCheckBox>(u"CB2"_s);
    auto* drivers = a.c<QComboBox>(u"ComB2"_s);

    a.toggleOption(OptWin);
    EXPECT_EQ(a.checkedOptions(), (QStringList{u"-console"_s, u"-win"_s, u"-gl"_s}));
    a.toggleOption(OptWin);
    EXPECT_EQ(a.checkedOptions(), (QStringList{u"-console"_s, u"-gl"_s}));

    drivers->setEditText(u"minigl.dll"_s);
    a.toggleOption(OptD3d);
    EXPECT_EQ(a.checkedOptions(), (QStringList{u"-console"_s, u"-d3d"_s}));
    EXPECT_FALSE(driverBox->isEnabled() || driverBox->isChecked() || drivers->isEnabled());

    QTest::mouseClick(a.c<QListWidget>(u"CLB1"_s)->viewport(), Qt::LeftButton, {},
                      a.c<QListWidget>(u"CLB1"_s)
                          ->visualItemRect(a.c<QListWidget>(u"CLB1"_s)->item(OptNoipx))
                          .center());
    EXPECT_EQ(memo->toPlainText(), launchOptionTable()[OptNoipx].hint);

    // The game check box cannot be cleared; the others show their hints.
    a.c<QCheckBox>(u"CheckBox1"_s)->click();
    EXPECT_TRUE(a.c<QCheckBox>(u"CheckBox1"_s)->isChecked());
    EXPECT_TRUE(memo->toPlainText().startsWith(u"Запуск MODа HalfLife."_s));
    a.c<QCheckBox>(u"CheckBox2"_s)->click();
    EXPECT_TRUE(memo->toPlainText().startsWith(u"Вкл. вращение мышью"_s));
    a.w->reject();

    // The next opening checks -gl again, but the driver stays off until a renderer is clicked.
    a.open();
    EXPECT_EQ(a.checkedOptions(), (QStringList{u"-console"_s, u"-full"_s, u"-gl"_s}));
    EXPECT_FALSE(driverBox->isEnabled() || driverBox->isChecked());
    EXPECT_TRUE(a.c<QCheckBox>(u"CheckBox2"_s)->isChecked());
    a.toggleOption(OptGl); // clicked while checked: stays, and brings the driver back
    EXPECT_TRUE(a.checkedOptions().contains(u"-gl"_s));
    EXPECT_TRUE(driverBox->isEnabled() && driverBox->isChecked() && drivers->isEnabled());
    EXPECT_EQ(drivers->currentText(), u"Default"_s);
    a.w->reject();
}

TEST(LaunchCommand, UntitledDocumentMustBeSavedFirst) {
    LauncherApp a(false);
    a.app.dialogs.expect(Kind::Warning);
    a.app.w().mainWindow->CS1Click();
    EXPECT_EQ(a.app.dialogs.lastText(), u"Для продолжения сохраните текущий файл!"_s);
    EXPECT_FALSE(a.w->isVisible());
    EXPECT_TRUE(a.app.shell.started.empty());
}

TEST(LaunchCommand, ConfirmedLauncherStartsTheGameAndTheEndRestoresConfig) {
    LauncherApp a;
    QTimer::singleShot(0, a.w, [&] {
        a.selectMap(u"de_dust"_s);
        a.c<QSpinBox>(u"SpinEdit1"_s)->setValue(12);
        a.c<QCheckBox>(u"CheckBox2"_s)->setChecked(false);
        a.c<QPushButton>(u"Button1"_s)->click();
    });
    a.app.w().mainWindow->CS1Click();
    EXPECT_EQ(a.app.state.games.halfLifeDir, a.hl());
    EXPECT_TRUE(a.app.state.launch.launchConfirmed);
    EXPECT_EQ(a.app.state.launch.launchParams,
              u"-game cstrike -console -full -gl +maxplayers 12 -gamegauge"_s);
    ASSERT_EQ(a.app.shell.started.size(), 1u);
    EXPECT_EQ(a.app.shell.started[0].program, a.hl() + u"/hl.sh"_s);
    EXPECT_EQ(a.app.shell.started[0].folder, a.hl());
    EXPECT_EQ(a.app.shell.started[0].arguments.join(u' '), a.app.state.launch.launchParams);
    EXPECT_EQ(fileBytes(a.app.gameDir() + u"/_.cfg"_s), "// edited\r\n");
    EXPECT_EQ(fileBytes(a.config()), "exec _.cfg\r\nmap de_dust");

    // The game never rewrote config.cfg: closing the program puts the user's back.
    a.app.w().mainWindow->close();
    EXPECT_EQ(fileBytes(a.config()), "bind w +forward\r\n");
    EXPECT_FALSE(QFileInfo::exists(a.config() + u".bak"_s));
    EXPECT_FALSE(QFileInfo::exists(a.app.gameDir() + u"/_.cfg"_s));
}

TEST(LaunchCommand, TypedMapWinsCancelStartsNothingFailureIsReported) {
    LauncherApp a;
    QTimer::singleShot(0, a.w, [&] { a.c<QPushButton>(u"Button2"_s)->click(); });
    a.app.w().mainWindow->CS1Click();
    EXPECT_FALSE(a.app.state.launch.launchConfirmed);
    EXPECT_TRUE(a.app.shell.started.empty());
    EXPECT_FALSE(QFileInfo::exists(a.app.gameDir() + u"/_.cfg"_s));

    auto startWithTypedMap = [&] {
        QTimer::singleShot(0, a.w, [&] {
            a.selectMap(u"de_dust"_s);
            QTest::keyClicks(a.c<QLineEdit>(u"Et1"_s), u"fy_pool_day"_s);
            a.c<QPushButton>(u"Button1"_s)->click();
        });
        a.app.w().mainWindow->CS1Click();
    };
    startWithTypedMap();
    EXPECT_EQ(fileBytes(a.config()), "exec _.cfg\r\nmap fy_pool_day\r\n+mlook");

    // A start that fails puts the player's config.cfg back at once.
    a.app.shell.startResult = false;
    a.app.dialogs.expect(Kind::Error);
    startWithTypedMap();
    EXPECT_TRUE(
        a.app.dialogs.lastText().startsWith(u"Неправильно задан путь к каталогу игры!\n"_s));
    EXPECT_EQ(fileBytes(a.config()), "bind w +forward\r\n");
}

TEST(LauncherWindow, ComingBackFromMinimizedKeepsWhatWasTyped) {
    LauncherApp a;
    a.open();
    a.selectMap(u"de_dust"_s);
    QTest::keyClicks(a.c<QLineEdit>(u"Et1"_s), u"fy_pool_day"_s);
    // The window system shows the window again after a restore.
    QShowEvent restored;
    QSpontaneKeyEvent::setSpontaneous(&restored);
    qApp->notify(a.w, &restored); // sendEvent would clear the spontaneous mark
    EXPECT_EQ(a.c<QLineEdit>(u"Et1"_s)->text(), u"fy_pool_day"_s);
    EXPECT_EQ(a.items(u"lx_map"_s), (QStringList{u"cs_italy"_s, u"de_dust"_s}));
    EXPECT_TRUE(a.c<QPushButton>(u"Button1"_s)->isEnabled());
    a.w->reject();
}

TEST(LauncherWindow, TheHintBoxHasNoScrollBarsAndShowsAWholeHintAsItsTip) {
    LauncherApp a;
    a.open();
    auto* hint = a.c<QPlainTextEdit>(u"memo1"_s);
    EXPECT_EQ(hint->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(hint->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    a.c<QCheckBox>(u"CheckBox2"_s)->click();
    EXPECT_TRUE(hint->toolTip().contains(u"Вкл. вращение мышью"_s));
    EXPECT_TRUE(hint->toolTip().contains(u"только вправо-влево"_s));
    a.w->reject();
}

// --- the game's end, what it changed, and the way back

namespace {

// Starts the game for de_dust through F9 as a player would.
void startOnDeDust(LauncherApp& a) {
    QTimer::singleShot(0, a.w, [&] {
        a.selectMap(u"de_dust"_s);
        a.c<QPushButton>(u"Button1"_s)->click();
    });
    a.app.w().mainWindow->CS1Click();
}

template <typename T> T* historyControl(LauncherApp& a, const QString& name) {
    T* control = a.app.w().history->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
}

} // namespace

TEST(LaunchCommand, UnsavedEditsAreOfferedASaveFirst) {
    LauncherApp a;
    MainWindow* form = a.app.w().mainWindow;
    form->editor()->appendPlainText(u"bind x +jump"_s);
    // Отмена: nothing starts. Нет: the game runs the file as saved, and the status line says so.
    a.app.dialogs.expect(Kind::YesNoCancel, ScriptedUserDialogs::Answer::Cancel);
    form->CS1Click();
    EXPECT_TRUE(a.app.dialogs.lastText().contains(a.edited()));
    EXPECT_TRUE(a.app.shell.started.empty());
    a.app.dialogs.expect(Kind::YesNoCancel, ScriptedUserDialogs::Answer::No);
    startOnDeDust(a);
    ASSERT_EQ(a.app.shell.started.size(), 1u);
    EXPECT_EQ(fileBytes(a.app.gameDir() + u"/_.cfg"_s), "// edited\r\n");
    EXPECT_TRUE(form->statusLine().contains(u"без несохранённых изменений"_s));
    EXPECT_TRUE(form->isDocumentModified());
    // Да: saved first, then started with the edit.
    a.app.dialogs.expect(Kind::YesNoCancel, ScriptedUserDialogs::Answer::Yes);
    startOnDeDust(a);
    EXPECT_EQ(fileBytes(a.app.gameDir() + u"/_.cfg"_s), "// edited\r\n\r\nbind x +jump");
    EXPECT_FALSE(form->isDocumentModified());
    EXPECT_TRUE(a.app.dialogs.allUsed());
}

TEST(LaunchCommand, TheEndOfAGameThatLeftTheScriptPutsTheConfigBackAtOnce) {
    LauncherApp a;
    startOnDeDust(a);
    EXPECT_EQ(fileBytes(a.config()), "exec _.cfg\r\nmap de_dust\r\n+mlook");
    a.app.shell.endProgram();
    EXPECT_EQ(fileBytes(a.config()), "bind w +forward\r\n");
    EXPECT_TRUE(a.app.state.launch.launchedConfigs.empty());
    EXPECT_FALSE(a.app.w().history->isVisible()); // nothing of the player's changed
}

// The game (a stand-in that rewrites config.cfg as the game does at its exit) ends: the report
// comes at once, the dropped lines go into autoexec.cfg, and the player's version comes back.
TEST(LaunchCommand, AConfigTheGameRewroteIsReportedWhenItEnds) {
    LauncherApp a;
    const QByteArray mine = "alias go \"+forward;+jump\"\r\nbind w +forward\r\nbind F1 buy\r\n";
    putFile(a.config(), mine);
    startOnDeDust(a);
    putFile(a.config(), "unbindall\r\nbind \"w\" \"+forward\"\r\nbind \"F1\" \"connect "
                        "1.2.3.4:27015\"\r\n");
    a.app.shell.endProgram();

    VersionHistoryWindow* history = a.app.w().history;
    ASSERT_TRUE(history->isVisible());
    EXPECT_EQ(history->windowTitle(), u"История версий"_s);
    EXPECT_EQ(history->currentFile(), QFileInfo(a.config()).absoluteFilePath());
    const QString report = historyControl<QPlainTextEdit>(a, u"ReportText1"_s)->toPlainText();
    EXPECT_TRUE(report.contains(u"Возможно, подставлено сервером"_s)) << report.toStdString();
    EXPECT_TRUE(report.contains(u"connect 1.2.3.4:27015"_s));
    EXPECT_TRUE(report.contains(u"alias go \"+forward;+jump\""_s));
    // The game's version, the start script and the player's are all listed.
    QList<VersionSource> sources;
    for (const FileVersion& v : history->shownVersions())
        sources.append(v.source);
    EXPECT_EQ(sources.mid(0, 2),
              (QList<VersionSource>{VersionSource::Game, VersionSource::Launch}));

    a.app.dialogs.expect(Kind::Information);
    historyControl<QPushButton>(a, u"MoveButton1"_s)->click();
    EXPECT_EQ(fileBytes(a.app.gameDir() + u"/autoexec.cfg"_s), "alias go \"+forward;+jump\"\r\n");
    EXPECT_FALSE(historyControl<QPushButton>(a, u"MoveButton1"_s)->isEnabled());

    historyControl<QPushButton>(a, u"RestoreMineButton1"_s)->click();
    EXPECT_EQ(fileBytes(a.config()), mine);
    EXPECT_FALSE(historyControl<QGroupBox>(a, u"ReportBox1"_s)->isVisible());
    EXPECT_TRUE(a.app.dialogs.allUsed());
}
