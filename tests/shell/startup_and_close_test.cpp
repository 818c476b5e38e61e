// Start-up, the game directory chooser, the settings written at close, and the main window's
// menus and services.
#include "app/window_wiring.h"
#include "keys/key_choice_dialog.h"
#include "launcher/launcher_window.h"
#include "mapcycle/map_cycle_window.h"
#include "mapcycle/map_picker_dialog.h"
#include "metabinds/metabinds_window.h"
#include "reference/insert_dialog.h"
#include "reference/library_setup_window.h"
#include "shell/about_dialog.h"
#include "shell/game_chooser_window.h"
#include "shell/help_pages.h"
#include "shell/help_window.h"
#include "shell/main_menu_tables.h"
#include "shell/main_window.h"
#include "shell/new_config_dialog.h"
#include "test_app.h"
#include "wizard/wizard_window.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using Kind = ScriptedUserDialogs::Kind;

namespace {

// Answers the chooser once it is shown modally: picks `folder` and clicks `button`.
void answerChooser(GameChooserWindow* chooser, const QString& folder, const QString& button) {
    QTimer::singleShot(0, chooser, [=] {
        if (!folder.isEmpty())
            chooser->setCurrentFolder(folder);
        chooser->findChild<QPushButton*>(button)->click();
    });
}

QString ini(const TestApp& app) {
    return app.programDir() + u"Cfgneed.INI"_s;
}

} // namespace

TEST(FirstStart, CancelEndsTheProgramAndWritesNothing) {
    TestApp app(false);
    app.createWindows();
    GameChooserWindow* chooser = app.w().gameChooser;
    // Built at its first showing, and centred by its real size.
    QTimer::singleShot(0, chooser, [chooser] {
        EXPECT_EQ(chooser->size(), QSize(360, 380));
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        EXPECT_LE((chooser->geometry().center() - centre).manhattanLength(), 4);
    });
    answerChooser(chooser, QString(), u"Button2"_s);
    app.showMain();
    EXPECT_FALSE(app.w().mainWindow->isVisible());
    EXPECT_FALSE(QFileInfo::exists(ini(app)));
}

TEST(FirstStart, OkChoosesTheGameDirectoryAndCloseStoresIt) {
    TestApp app(false);
    app.createWindows();
    answerChooser(app.w().gameChooser, app.gameDir(), u"Button1"_s);
    app.showMain();
    EXPECT_EQ(app.state.games.gameDir, app.gameDir());
    EXPECT_EQ(app.state.games.wizardFolder, app.gameDir());
    EXPECT_EQ(app.state.games.startupGameDir, app.gameDir());
    EXPECT_FALSE(QFileInfo::exists(ini(app))); // nothing is written before the close
    app.w().mainWindow->close();
    const QByteArray written = app.readFile(ini(app));
    EXPECT_TRUE(written.contains("[Game]\r\ndadir=1\r\nCatalog=" + app.gameDir().toUtf8() + "\r\n"))
        << written.toStdString();
}

TEST(FirstStart, TheChooserCannotBeClosedBeforeAnAnswer) {
    TestApp app(false);
    app.createWindows();
    GameChooserWindow* chooser = app.w().gameChooser;
    chooser->show();
    chooser->close();
    EXPECT_TRUE(chooser->isVisible());
    QTest::keyClick(chooser, Qt::Key_Escape);
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_EQ(chooser->windowTitle(), u"Выберите каталог с игрой"_s);
    chooser->hide();
}

TEST(Start, AStoredCatalogIsTheGameAndWizardFolder) {
    TestApp app;
    app.createWindows();
    app.showMain();
    EXPECT_EQ(app.state.games.gameDir, app.gameDir());
    EXPECT_EQ(app.state.games.wizardFolder, app.gameDir());
    EXPECT_EQ(app.state.games.gameDirChosen, 1);
}

TEST(Start, ChosenWithoutCatalogFallsBackToTheProgramDirectory) {
    TestApp app(false);
    app.writeFile(ini(app), "[Game]\r\ndadir=1\r\n");
    app.createWindows();
    app.showMain();
    EXPECT_EQ(app.state.games.wizardFolder + u"/"_s, app.programDir());
    EXPECT_EQ(app.state.games.startupGameDir + u"/"_s, app.programDir());
}

TEST(Start, AStoredCatalogThatIsGoneAsksAgain) {
    TestApp app(false);
    const QString gone = app.gameDir() + u"/deleted"_s;
    app.writeFile(ini(app), "[Game]\r\ndadir=1\r\nCatalog=" + gone.toUtf8() + "\r\n");
    app.createWindows();
    // Cancel is allowed now (a folder was chosen once): the program goes on.
    answerChooser(app.w().gameChooser, QString(), u"Button2"_s);
    app.showMain();
    EXPECT_TRUE(app.w().mainWindow->isVisible());
    EXPECT_EQ(app.state.games.wizardFolder, app.gameDir());
}

TEST(Settings, ARoundTripThroughCloseAndANewStart) {
    TestApp app;
    app.writeFile(ini(app), "; kept\r\n[Game]\r\ndadir=1\r\nCatalog=" + app.gameDir().toUtf8() +
                                "\r\n[Mine]\r\nx=1\r\n");
    app.createWindows();
    app.showMain();
    MainWindow* form = app.w().mainWindow;
    QFont font = form->editor()->font();
    font.setFamily(u"DejaVu Sans"_s);
    font.setPointSize(14);
    form->editor()->setFont(font);
    form->resize(640, 480);
    QCoreApplication::processEvents();
    form->close();
    const QByteArray written = app.readFile(ini(app));
    // Written in the program's own form, UTF-8 with its mark.
    EXPECT_TRUE(written.startsWith("\xEF\xBB\xBF; kept\r\n")) << written.toStdString();
    EXPECT_TRUE(written.contains("[Mine]\r\nx=1\r\n"));
    EXPECT_TRUE(written.contains("[Color]\r\nPrEdit=15247360\r\n"));
    EXPECT_TRUE(written.contains("Width=640\r\nHeight=480\r\n"));
    EXPECT_TRUE(written.contains("pani1H=385\r\npani1W=150\r\npani1L=575\r\npani1T=10\r\n"))
        << written.toStdString();

    app.windows.reset();
    app.createWindows();
    app.showMain();
    MainWindow* again = app.w().mainWindow;
    EXPECT_EQ(again->editor()->font().family(), u"DejaVu Sans"_s);
    EXPECT_EQ(again->editor()->font().pointSize(), 14);
    EXPECT_EQ(again->size(), QSize(640, 480));
}

TEST(Settings, AHeldCopyAnswersUntilAWrite) {
    TestApp app;
    Settings settings(ini(app));
    settings.holdCopy();
    app.writeFile(ini(app), "[Font]\r\nSizePr=20\r\n");
    EXPECT_EQ(settings.readInt(u"Game"_s, u"dadir"_s), 1); // from the copy
    EXPECT_EQ(settings.readInt(u"Font"_s, u"SizePr"_s), Settings::kAbsent);
    ASSERT_TRUE(settings.writeInt(u"Font"_s, u"StylePr"_s, 1).ok);
    EXPECT_EQ(settings.readInt(u"Font"_s, u"SizePr"_s), 20); // the file itself again
    EXPECT_EQ(settings.readInt(u"Font"_s, u"StylePr"_s), 1);
}

// Windows-1251 bytes of "Ъњ" (DA 9C) are valid UTF-8 too: a file written in Windows-1251 came
// back as another name. What the program writes, in any of its writes, it reads back the same.
TEST(Settings, WhatIsWrittenIsWhatIsReadBack) {
    TestApp app;
    const QString folder = u"C:\\[gamesЪњstrike"_s;
    QFile::remove(ini(app));
    {
        Settings settings(ini(app));
        ASSERT_TRUE(settings.writeText(u"Game"_s, u"Catalog"_s, folder).ok);
        EXPECT_EQ(settings.readText(u"Game"_s, u"Catalog"_s), folder);
    }
    EXPECT_TRUE(app.readFile(ini(app)).startsWith("\xEF\xBB\xBF[Game]\r\nCatalog="));

    // An older file in Windows-1251 is read by its bytes and rewritten in the program's form.
    app.writeFile(ini(app), "[Game]\r\ndadir=1\r\nCatalog=C:\\\xC8\xE3\xF0\xE0\r\n");
    Settings settings(ini(app));
    EXPECT_EQ(settings.readText(u"Game"_s, u"Catalog"_s), u"C:\\Игра"_s);
    CloseSettings close;
    close.gameDirChosen = 1;
    close.gameDir = folder;
    ASSERT_TRUE(writeCloseSettings(settings, close).ok);
    EXPECT_EQ(Settings(ini(app)).readText(u"Game"_s, u"Catalog"_s), folder);
    EXPECT_EQ(Settings(ini(app)).readInt(u"Game"_s, u"dadir"_s), 1);
}

TEST(Start, TheEditorHasItsFontBeforeTheCommandLineFileIsLoaded) {
    TestApp app;
    app.writeFile(ini(app), "[Game]\r\ndadir=1\r\nCatalog=" + app.gameDir().toUtf8() +
                                "\r\n[Font]\r\nNamePr=DejaVu Sans\r\nSizePr=14\r\nStylePr=1\r\n");
    const QString file = app.writeFile(app.programDir() + u"given.cfg"_s, "bind a b\r\n");
    app.createWindows({file});
    const QPlainTextEdit* memo = app.w().mainWindow->editor();
    EXPECT_EQ(memo->toPlainText(), u"bind a b\n"_s);
    EXPECT_EQ(memo->font().family(), u"DejaVu Sans"_s);
    EXPECT_EQ(memo->font().pointSize(), 14);
    EXPECT_TRUE(memo->font().bold());
    app.showMain();
    EXPECT_EQ(memo->font().pointSize(), 14);
}

TEST(Start, HiddenWindowsAreBuiltWhenFirstShownOrAskedFor) {
    TestApp app;
    app.writeFile(app.programDir() + u"dlls/dlz/rates.dlz"_s, "rate 2500\r\n");
    app.createWindows();
    app.showMain();
    const AppWindows& w = app.w();
    const std::pair<QWidget*, bool> dialogs[] = {
        {w.librarySetup, w.librarySetup->isBuilt()},     {w.insertDialog, w.insertDialog->isBuilt()},
        {w.newConfigDialog, w.newConfigDialog->isBuilt()},   {w.mapCycle, w.mapCycle->isBuilt()},
        {w.launcher, w.launcher->isBuilt()}, {w.mapPicker, w.mapPicker->isBuilt()},
        {w.wizard, w.wizard->isBuilt()},     {w.keyChoice, w.keyChoice->isBuilt()},
        {w.metaBinds, w.metaBinds->isBuilt()},     {w.gameChooser, w.gameChooser->isBuilt()},
    };
    for (const auto& [dialog, built] : dialogs) {
        EXPECT_FALSE(built) << dialog->objectName().toStdString();
        EXPECT_TRUE(dialog->findChildren<QPushButton*>().isEmpty());
    }

    // The reference window's library page lists the libraries without building the set-up
    // window; its lists show them once it is built.
    app.state.reference.refreshOnly = true;
    w.librarySetup->runLibraryListing();
    app.state.reference.refreshOnly = false;
    EXPECT_FALSE(w.librarySetup->isBuilt());
    w.librarySetup->ensureBuilt();
    auto* libraries = w.librarySetup->findChild<QListWidget*>(u"ListBox1"_s);
    ASSERT_TRUE(libraries);
    ASSERT_EQ(libraries->count(), 1);
    EXPECT_EQ(libraries->item(0)->text(), u"rates"_s);

    // The value list asks the insert dialog for its fields before it was ever shown.
    EXPECT_TRUE(w.insertDialog->insertionPieces().key.isEmpty());
    EXPECT_TRUE(w.insertDialog->isBuilt());

    // Shown, a dialog has its controls and its size before it appears.
    w.newConfigDialog->show();
    EXPECT_TRUE(w.newConfigDialog->findChild<QLineEdit*>(u"Edit1"_s));
    EXPECT_GE(w.newConfigDialog->width(), 300);
    w.newConfigDialog->hide();
}

TEST(Settings, StrangeValuesFallBackToTheDefaults) {
    TestApp app(false);
    app.writeFile(ini(app), "[Game]\r\ndadir=1\r\nCatalog=" + app.gameDir().toUtf8() +
                                "\r\n[Font]\r\nSizePr=-1\r\nStylePr=7\r\n[MainForm]\r\n"
                                "Width=wide\r\nHeight=\"300\"\r\n");
    app.createWindows();
    app.showMain();
    MainWindow* form = app.w().mainWindow;
    EXPECT_EQ(form->editor()->font().pointSize(), 10);
    EXPECT_FALSE(form->editor()->font().bold());
    EXPECT_EQ(form->size(), QSize(560, 300));
}

TEST(Settings, WindowsPlacedOffEveryScreenComeBackOntoThePrimary) {
    TestApp app(false);
    app.writeFile(ini(app), "[Game]\r\ndadir=1\r\nCatalog=" + app.gameDir().toUtf8() +
                                "\r\n[MainForm]\r\nLeft=2147483647\r\nTop=2147483647\r\n"
                                "[Forms]\r\nccdL=2147483647\r\npani1T=-2147483648\r\n");
    app.createWindows();
    app.showMain();
    MainWindow* form = app.w().mainWindow;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(form->geometry())) << form->x() << "," << form->y();
    const ToolGeometry tools = form->toolWindows().remembered();
    EXPECT_TRUE(screen.intersects(tools.reference));
    EXPECT_TRUE(screen.intersects(tools.valueList));
}

// The chooser refuses a folder the settings file could not keep; the close keeps the old line.
TEST(Settings, AGameFolderWithALineBreakIsNotStored) {
    TestApp app;
    const QString odd = app.gameDir() + u"/odd\nname"_s;
    ASSERT_TRUE(QDir().mkpath(odd));
    app.createWindows();
    app.showMain();
    GameChooserWindow* chooser = app.w().gameChooser;
    app.dialogs.expect(Kind::Warning);
    answerChooser(chooser, odd, u"Button1"_s);
    // Once refused, the chooser is still open: leave it with "Отмена".
    QTimer::singleShot(50, chooser,
                       [=] { chooser->findChild<QPushButton*>(u"Button2"_s)->click(); });
    EXPECT_EQ(chooser->runModal(), GameChooserWindow::Result::Cancelled);
    EXPECT_TRUE(app.dialogs.lastText().startsWith(u"Этот каталог нельзя сохранить"_s));
    EXPECT_EQ(app.state.games.wizardFolder, app.gameDir());

    // The browsed folder is still the game directory; the close refuses to store it.
    EXPECT_EQ(app.state.games.gameDir, odd);
    app.dialogs.expect(Kind::Error);
    app.w().mainWindow->close();
    const QByteArray written = app.readFile(ini(app));
    EXPECT_TRUE(written.contains("\r\nCatalog=" + app.gameDir().toUtf8() + "\r\n"))
        << written.toStdString();
    EXPECT_TRUE(written.contains("Width="));
    EXPECT_TRUE(app.dialogs.lastText().contains(u"Catalog"_s));
}

// Opened from the menu once a folder was chosen, the chooser is a plain dialog: Escape and the
// close box are "Отмена". At the first start only its buttons answer it.
TEST(Chooser, FromTheMenuEscapeAndTheCloseBoxCancel) {
    TestApp app;
    app.createWindows();
    app.showMain();
    GameChooserWindow* chooser = app.w().gameChooser;
    for (const bool closeBox : {false, true}) {
        QTimer::singleShot(0, chooser, [=] {
            EXPECT_TRUE(chooser->windowFlags().testFlag(Qt::WindowCloseButtonHint));
            if (closeBox)
                chooser->close();
            else
                QTest::keyClick(chooser, Qt::Key_Escape);
        });
        EXPECT_EQ(chooser->runModal(), GameChooserWindow::Result::Cancelled);
        EXPECT_FALSE(chooser->isVisible());
    }
    EXPECT_EQ(app.state.games.wizardFolder, app.gameDir());
}

TEST(Close, TheLaunchCopyIsDeleted) {
    TestApp app;
    const QString copy = app.writeFile(app.gameDir() + u"/_.cfg"_s, "x");
    app.createWindows();
    app.showMain();
    app.w().mainWindow->close();
    EXPECT_FALSE(QFileInfo::exists(copy));
}

TEST(Close, AModifiedDocumentCancelledStaysOpen) {
    TestApp app;
    app.createWindows();
    app.showMain();
    const QByteArray settingsBefore = app.readFile(ini(app));
    ASSERT_FALSE(settingsBefore.isEmpty());
    MainWindow* form = app.w().mainWindow;
    form->insertAtCaret(u"bind"_s);
    // The untitled text: "Да", then the Save As is cancelled.
    app.dialogs.expect(Kind::YesNoCancel, UserDialogs::Answer::Yes)
        .expectFile(Kind::Save, QString());
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    // The close did not happen: the settings file is as it was.
    EXPECT_EQ(app.readFile(ini(app)), settingsBefore);
}

TEST(MainWindow, MenusCarryTheirCaptionsShortcutsAndHints) {
    TestApp app;
    app.createWindows();
    MainWindow* form = app.w().mainWindow;
    EXPECT_EQ(form->action(u"Save1"_s)->text(), u"&Сохранить"_s);
    EXPECT_EQ(form->action(u"Save1"_s)->shortcut(), QKeySequence(u"Ctrl+S"_s));
    EXPECT_EQ(form->action(u"MetaBind1"_s)->shortcut(), QKeySequence(u"Ctrl+Alt+N"_s));
    EXPECT_EQ(form->action(u"N18"_s)->statusTip(), u"Определить значение выделеного слова"_s);
    // Ctrl+K belongs to the your-maps picker; the chooser's item only shows it.
    EXPECT_EQ(form->action(u"N43"_s)->shortcut(), QKeySequence(u"Ctrl+K"_s));
    EXPECT_TRUE(form->action(u"N38"_s)->shortcut().isEmpty());
    auto* file = form->findChild<QMenu*>(u"File1"_s);
    ASSERT_TRUE(file);
    QStringList shape;
    for (QAction* a : file->actions())
        shape.append(a->isSeparator() ? u"-"_s : a->objectName());
    EXPECT_EQ(shape, (QStringList{u"New1"_s, u"Open1"_s, u"Save1"_s, u"SaveAs1"_s, u"TextForm1"_s,
                                  u"Versions1"_s, u"-"_s, u"MetaBind1"_s, u"-"_s, u"N33"_s, u"-"_s,
                                  u"Exit1"_s}));
    auto* label = form->findChild<QLabel*>(u"Label4"_s);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), u"Очистка"_s);
    EXPECT_EQ(form->findChild<QToolButton*>(u"ToolButton17"_s)->statusTip(),
              u"Запуск игры с текущим конфигом"_s);
    // The hint is the button's tool tip too, where the pointer rests.
    for (const ToolButtonEntry& e : toolButtonEntries())
        EXPECT_EQ(form->findChild<QToolButton*>(e.name.toString())->toolTip(), e.hint.toString());
}

TEST(MainWindow, HintsGoToTheStatusBar) {
    TestApp app;
    app.createWindows();
    MainWindow* form = app.w().mainWindow;
    form->setIdleHintSource([] { return u"Выберите значение"_s; });
    QStatusTipEvent hint(u"Открыть файл"_s);
    QCoreApplication::sendEvent(form, &hint);
    EXPECT_EQ(form->statusLine(), u"Открыть файл"_s);
    QStatusTipEvent none{QString()};
    QCoreApplication::sendEvent(form, &none);
    EXPECT_EQ(form->statusLine(), u"Выберите значение"_s);
}

// Help is the program's own window over the help folder: no web browser is needed. Links
// between pages, Back and Forward work, and a missing page names the file it lacks.
TEST(MainWindow, HelpPagesOpenInTheProgramsOwnWindow) {
    TestApp app;
    const QString folder = app.programDir() + u"help/"_s;
    app.writeFile(folder + u"faq.html"_s,
                  "<html><head><title>FAQ</title></head><body><a href=\"help.html\">h</a>"
                  "<img src=\"pic.png\"></body></html>");
    app.writeFile(folder + u"help.html"_s, "<html><body><p>Main page</p></body></html>");
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder + u"pic.png"_s));
    app.createWindows();
    app.w().mainWindow->N29Click();
    HelpWindow* help = app.w().help;
    ASSERT_TRUE(help->isVisible());
    EXPECT_TRUE(app.shell.opened.isEmpty());
    HelpBrowser* browser = help->browser();
    EXPECT_EQ(browser->source().toLocalFile(), folder + u"faq.html"_s);
    EXPECT_EQ(help->windowTitle(), u"Справка: FAQ"_s);
    EXPECT_EQ(help::windowCaption(u"Справка - Tessera"_s), u"Справка - Tessera"_s);
    EXPECT_EQ(help::windowCaption(QString()), u"Справка"_s);
    const QVariant image = browser->document()->resource(
        QTextDocument::ImageResource, QUrl::fromLocalFile(folder + u"pic.png"_s));
    EXPECT_TRUE(image.isValid());

    auto* back = help->findChild<QToolButton*>(u"ButtonBack"_s);
    auto* forward = help->findChild<QToolButton*>(u"ButtonForward"_s);
    EXPECT_FALSE(back->isEnabled());
    browser->setSource(QUrl(u"help.html"_s)); // the page's link
    EXPECT_TRUE(browser->toPlainText().contains(u"Main page"_s));
    ASSERT_TRUE(back->isEnabled());
    back->click();
    EXPECT_EQ(browser->source().toLocalFile(), folder + u"faq.html"_s);
    ASSERT_TRUE(forward->isEnabled());
    forward->click();
    EXPECT_EQ(browser->source().toLocalFile(), folder + u"help.html"_s);

    app.w().mainWindow->N31Click(); // lessons.html is not there
    EXPECT_TRUE(browser->toPlainText().startsWith(u"Страница справки не найдена"_s));
    EXPECT_TRUE(browser->toPlainText().contains(u"lessons.html"_s));
    EXPECT_TRUE(back->isEnabled());
}

TEST(MainWindow, EditorOperationsForOtherWindows) {
    TestApp app;
    app.createWindows();
    app.showMain();
    MainWindow* form = app.w().mainWindow;
    form->document().newDocument();
    form->editor()->selectAll();
    form->insertAtCaret(u"bind \"w\" \"+forward\""_s);
    EXPECT_EQ(form->documentText(), u"bind \"w\" \"+forward\""_s);
    EXPECT_EQ(form->caretPosition(), QPoint(19, 0));
    form->appendBlock(u"[MetaBind]"_s);
    EXPECT_EQ(form->documentText(), u"bind \"w\" \"+forward\"\n[MetaBind]"_s);
    form->caretToEnd();
    EXPECT_EQ(form->caretPosition(), QPoint(10, 1));
    EXPECT_TRUE(form->isDocumentModified());
}

TEST(NewConfigDialog, CreatesAnEmptyConfigOnce) {
    TestApp app;
    app.createWindows();
    app.showMain();
    NewConfigDialog* dialog = app.w().newConfigDialog;
    dialog->show();
    auto* edit = dialog->findChild<QLineEdit*>(u"Edit1"_s);

    app.dialogs.expect(Kind::Message);
    dialog->Button1Click();
    EXPECT_EQ(app.dialogs.lastText(), u"Файл не создан!"_s);

    app.writeFile(app.gameDir() + u"/autoexec.cfg"_s, "x");
    edit->setText(u"autoexec"_s);
    app.dialogs.expect(Kind::Message);
    dialog->Button1Click();
    EXPECT_EQ(app.dialogs.lastText(), u"Такой файл уже существует!"_s);
    EXPECT_TRUE(edit->text().isEmpty());

    edit->setText(u"новый"_s);
    dialog->Button1Click();
    const QFileInfo created(app.gameDir() + u"/новый.cfg"_s);
    EXPECT_TRUE(created.exists());
    EXPECT_EQ(created.size(), 0);
    EXPECT_FALSE(dialog->isVisible());
}

TEST(AboutBox, ShowsTheVersionLineWhole) {
    TestApp app;
    app.createWindows();
    AboutDialog box(*app.ctx);
    box.ensureBuilt();
    EXPECT_EQ(box.windowTitle(), u"О программе 'Tessera for Counter Strike'"_s);
    auto* version = box.findChild<QLabel*>(u"Version"_s);
    ASSERT_TRUE(version);
    EXPECT_EQ(version->text(), u"Версия 2.5 ( 17 октября 2002 г.)"_s);
    // The wrapped description gets the height it needs.
    auto* comments = box.findChild<QLabel*>(u"Comments"_s);
    EXPECT_GE(comments->sizeHint().height(), comments->heightForWidth(comments->width()));
    EXPECT_GE(box.height(), comments->heightForWidth(comments->width()) + version->height());
    EXPECT_EQ(box.findChild<QLabel*>(u"Licence"_s)->text(), AboutDialog::licenceLine());
    // Its links ask for the help pages.
    QStringList asked;
    QObject::connect(&box, &AboutDialog::helpRequested, &box,
                     [&asked](const QString& page) { asked.append(page); });
    emit box.findChild<QLabel*>(u"HelpLinks"_s)->linkActivated(u"faq.html"_s);
    EXPECT_EQ(asked, QStringList{u"faq.html"_s});
}
