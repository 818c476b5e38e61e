// The program's map: the windows in their creation order, and every link between two windows.
// No window knows another; each announces what it needs with a signal, and this file connects
// it. Only the main window is shown by its creation; the others are shown and hidden by the
// commands that use them, and keep their state between showings.
#include "app/window_wiring.h"

#include "keys/config_summary_window.h"
#include "keys/key_choice_dialog.h"
#include "keys/keyboard_map_window.h"
#include "launcher/launcher_window.h"
#include "mapcycle/map_cycle_window.h"
#include "mapcycle/map_picker_dialog.h"
#include "metabinds/metabinds_window.h"
#include "reference/explanation_window.h"
#include "reference/insert_dialog.h"
#include "reference/library_setup_window.h"
#include "reference/reference_window.h"
#include "reference/value_list_window.h"
#include "shell/about_dialog.h"
#include "shell/game_chooser_window.h"
#include "shell/help_window.h"
#include "shell/main_window.h"
#include "shell/new_config_dialog.h"
#include "shell/version_history_window.h"
#include "wizard/wizard_window.h"
#include "wizard/wizard_window_key_pages.h"

#include <QAction>

using namespace Qt::Literals::StringLiterals;

template <typename T, typename... Args> T* ProgramWindows::make(Args&&... args) {
    T* w = new T(std::forward<Args>(args)...);
    m_windows.push_back(w);
    return w;
}

ProgramWindows::ProgramWindows(AppContext& ctx) {
    AppWindows& w = m_w;
    w.mainWindow = make<MainWindow>(ctx);
    w.valueList = make<ValueListWindow>(ctx, w.mainWindow);
    w.reference = make<ReferenceWindow>(ctx, w.mainWindow);
    w.librarySetup = make<LibrarySetupWindow>(ctx, w.mainWindow);
    w.insertDialog = make<InsertDialog>(ctx, w.mainWindow);
    w.explanation = make<ExplanationWindow>(ctx, w.mainWindow);
    w.about = make<AboutDialog>(ctx, w.mainWindow);
    w.wizard = make<ConfigWizard>(ctx, installKeyPages, w.mainWindow);
    w.newConfigDialog = make<NewConfigDialog>(ctx, w.mainWindow);
    w.keyChoice = make<KeyChoiceDialog>(ctx, w.mainWindow);
    w.gameChooser = make<GameChooserWindow>(ctx);
    w.mapCycle = make<MapCycleWindow>(ctx, w.mainWindow);
    w.metaBinds = make<MetaBindsWindow>(ctx, w.mainWindow);
    w.launcher = make<LauncherWindow>(ctx, w.mainWindow);
    w.mapPicker = make<MapPickerDialog>(ctx, w.mainWindow);
    w.keyMap = make<KeyboardMapWindow>(ctx, w.mainWindow);
    w.summary = make<ConfigSummaryWindow>(ctx, w.mainWindow);
    w.help = make<HelpWindow>(ctx, w.mainWindow);
    w.history = make<VersionHistoryWindow>(ctx, w.mainWindow);

    wireMainWindowCommands(ctx, w);
    wireReference(w);
    wireWizardAndKeyChoice(w);
    wireMetaBinds(w);
    wireKeyMap(w);
    wireSummary(w);
    wireVersions(w);
}

// "История версий" for the open file, and the report of a config.cfg the game changed.
void ProgramWindows::wireVersions(const AppWindows& w) {
    MainWindow* mainWindow = w.mainWindow;
    VersionHistoryWindow* history = w.history;
    QObject::connect(mainWindow, &MainWindow::versionsRequested, history,
                     [mainWindow, history](const QString& path) {
                         history->setTextFont(mainWindow->editor()->font());
                         history->showFile(path);
                     });
    QObject::connect(mainWindow, &MainWindow::gameConfigChanged, history,
                     [mainWindow, history](const QString& path, const ConfigChangeReport& report) {
                         history->setTextFont(mainWindow->editor()->font());
                         history->showReport(path, report);
                     });
    QObject::connect(history, &VersionHistoryWindow::statusLineRequested, mainWindow,
                     &MainWindow::setStatusLine);
}

// The main window's commands that open other windows.
void ProgramWindows::wireMainWindowCommands(AppContext& ctx, const AppWindows& w) {
    MainWindow* mainWindow = w.mainWindow;
    GameChooserWindow* gameChooser = w.gameChooser;
    QObject::connect(mainWindow, &MainWindow::gameChooserRequested, gameChooser,
                     [mainWindow, gameChooser] {
                         // "Отмена" at the first start, with no game directory yet, ends the
                         // program.
                         if (gameChooser->runModal() == GameChooserWindow::Result::QuitProgram)
                             mainWindow->quitWithoutClosing();
                     });
    QObject::connect(mainWindow, &MainWindow::mapPickerRequested, w.mapPicker,
                     &MapPickerDialog::runModal);
    QObject::connect(w.mapPicker, &MapPickerDialog::mapChosen, mainWindow,
                     [mainWindow](const QString& name) {
                         mainWindow->insertAtCaret(name);
                         mainWindow->focusEditor();
                     });
    QObject::connect(mainWindow, &MainWindow::mapCycleRequested, w.mapCycle,
                     &MapCycleWindow::runModal);
    QObject::connect(mainWindow, &MainWindow::wizardRequested, w.wizard, &ConfigWizard::runModal);
    QObject::connect(mainWindow, &MainWindow::librarySetupRequested, w.librarySetup,
                     &LibrarySetupWindow::runLibraryListing);
    LauncherWindow* launcher = w.launcher;
    QObject::connect(mainWindow, &MainWindow::launcherRequested, launcher, [mainWindow, launcher] {
        if (launcher->runModal())
            mainWindow->startGame(launcher->choice());
    });
    // Help is shown by the program itself, so it works with no web browser on the machine.
    HelpWindow* help = w.help;
    QObject::connect(mainWindow, &MainWindow::helpRequested, help, &HelpWindow::showPage);
    // A fresh about box at each showing; its links to the help pages close it first.
    QObject::connect(mainWindow, &MainWindow::aboutRequested, mainWindow, [&ctx, mainWindow, help] {
        AboutDialog box(ctx, mainWindow);
        box.ensureBuilt();
        QString page;
        QObject::connect(&box, &AboutDialog::helpRequested, &box, [&box, &page](const QString& p) {
            page = p;
            box.accept();
        });
        box.exec();
        if (!page.isEmpty())
            help->showPage(page);
    });
}

// The reference window, the value list, the insert dialog, the explanation pop-up and the
// library set-up: the tool windows travel with the main window, a category chosen in the
// reference fills the value list, and the value list writes into the editor.
void ProgramWindows::wireReference(const AppWindows& w) {
    MainWindow* mainWindow = w.mainWindow;
    ValueListWindow* valueList = w.valueList;
    ReferenceWindow* reference = w.reference;
    LibrarySetupWindow* librarySetup = w.librarySetup;
    InsertDialog* insertDialog = w.insertDialog;
    ExplanationWindow* explanation = w.explanation;
    mainWindow->toolWindows().attach(valueList, reference, explanation);

    QObject::connect(reference, &ReferenceWindow::statusLineRequested, mainWindow,
                     &MainWindow::setStatusLine);
    // A category chosen in the reference: the value list takes its caption, Dogy reads its list
    // file and the value list shows the entries.
    QObject::connect(reference, &ReferenceWindow::valueListCaptionChanged, valueList,
                     &ValueListWindow::setCaption);
    QObject::connect(reference, &ReferenceWindow::valueListRequested, mainWindow,
                     &MainWindow::Dogy);
    QObject::connect(mainWindow, &MainWindow::valueListLoaded, valueList,
                     &ValueListWindow::showList);
    QObject::connect(reference, &ReferenceWindow::pageStateChanged, valueList,
                     &ValueListWindow::setPageState);
    QObject::connect(reference, &ReferenceWindow::pageStateChanged, mainWindow,
                     [mainWindow](int, bool, bool dlz) { mainWindow->setDlzPageActive(dlz); });
    // With no hint under the pointer, the status bar names the chosen category.
    mainWindow->setIdleHintSource([valueList] { return valueList->caption(); });
    QObject::connect(reference, &ReferenceWindow::insertDialogRequested, insertDialog,
                     &InsertDialog::openPage);
    QObject::connect(reference, &ReferenceWindow::libraryListingRequested, librarySetup,
                     &LibrarySetupWindow::refreshLibraryListing);
    QObject::connect(librarySetup, &LibrarySetupWindow::librariesAdded, reference,
                     &ReferenceWindow::addLibraries);
    QObject::connect(librarySetup, &LibrarySetupWindow::librariesChanged, reference,
                     &ReferenceWindow::setLibraries);

    valueList->setSources({
        .selectedLibrary = [reference] { return reference->selectedLibrary(); },
        .dialogPieces = [insertDialog] { return insertDialog->insertionPieces(); },
        .caretColumn = [mainWindow] { return mainWindow->selectionStartColumn(); },
    });
    QObject::connect(valueList, &ValueListWindow::insertRequested, mainWindow,
                     [mainWindow](const QString& text, bool caretOneLeft) {
                         mainWindow->insertAtCaret(text);
                         mainWindow->activateWindow();
                         mainWindow->focusEditor();
                         if (caretOneLeft)
                             mainWindow->moveCaretLeft();
                     });
    // The insert dialog's line is built by the value list (its selected entry, the dialog's
    // fields) and goes into the editor as the list's own insertions do.
    QObject::connect(insertDialog, &InsertDialog::insertRequested, valueList,
                     [valueList](int mode) {
                         valueList->DblClick1(ValueListWindow::Caller::InsertDialog, mode);
                     });
    QObject::connect(insertDialog, &InsertDialog::lineBreakRequested, mainWindow,
                     &MainWindow::endOfLineBreak);

    QObject::connect(valueList, &ValueListWindow::explanationRequested, explanation,
                     &ExplanationWindow::showExplanation);
    QObject::connect(mainWindow, &MainWindow::explanationRequested, explanation,
                     &ExplanationWindow::showExplanation);
    QObject::connect(valueList, &ValueListWindow::pictureRequested, explanation,
                     &ExplanationWindow::showPicture);
    QObject::connect(valueList, &ValueListWindow::pictureDropped, explanation,
                     &ExplanationWindow::hidePicture);
}

// The MetaBinds window opened from the main window writes into the editor.
void ProgramWindows::wireMetaBinds(const AppWindows& w) {
    MainWindow* mainWindow = w.mainWindow;
    MetaBindsWindow* metaBinds = w.metaBinds;
    QObject::connect(mainWindow, &MainWindow::metaBindsRequested, metaBinds,
                     [metaBinds] { metaBinds->openModal(MetaBindsWindow::Target::Editor); });
    QObject::connect(metaBinds, &MetaBindsWindow::metaBindForEditor, mainWindow,
                     &MainWindow::appendBlock);
    QObject::connect(metaBinds, &MetaBindsWindow::closedForEditor, mainWindow,
                     &MainWindow::caretToEnd);
}

// The wizard and the key choice dialog, the new-config dialog and the MetaBinds window it opens.
// Both the wizard's key pages and the MetaBinds window ask the key choice dialog for a key; the
// dialog hands each request back with the key, and the answer goes to the window that asked.
// The wizard's page 1 makes a new config through the new-config dialog, its "MetaBinds" fills its
// working document, and its notes go to the main window's status line.
void ProgramWindows::wireWizardAndKeyChoice(const AppWindows& w) {
    ConfigWizard* wizard = w.wizard;
    MainWindow* mainWindow = w.mainWindow;
    wizard->setVocabularySource(
        [mainWindow]() -> const Vocabulary& { return mainWindow->vocabulary(); });
    MetaBindsWindow* metaBinds = w.metaBinds;
    QObject::connect(wizard, &ConfigWizard::keyChoiceRequested, w.keyChoice,
                     &KeyChoiceDialog::chooseKey);
    QObject::connect(metaBinds, &MetaBindsWindow::keyChoiceRequested, w.keyChoice,
                     &KeyChoiceDialog::chooseKey);
    QObject::connect(w.keyChoice, &KeyChoiceDialog::keyChosen, wizard,
                     [wizard, metaBinds](const KeyRequest& request, const QString& key) {
                         switch (request.asker) {
                         case KeyRequest::Asker::WizardAction:
                             wizard->actionKeyChosen(request.index, key);
                             break;
                         case KeyRequest::Asker::MetaBindSlot:
                             metaBinds->fillSlot(request.index, key);
                             break;
                         case KeyRequest::Asker::Nobody:
                             break;
                         }
                     });
    QObject::connect(wizard, &ConfigWizard::newConfigRequested, w.newConfigDialog,
                     &NewConfigDialog::runModal);
    QObject::connect(wizard, &ConfigWizard::metaBindsRequested, metaBinds,
                     [metaBinds] { metaBinds->openModal(MetaBindsWindow::Target::Wizard); });
    QObject::connect(metaBinds, &MetaBindsWindow::metaBindForWizard, wizard,
                     &ConfigWizard::appendMetaBind);
    QObject::connect(wizard, &ConfigWizard::statusLineRequested, w.mainWindow,
                     &MainWindow::setStatusLine);
}

// The keyboard map reads the editor's document; a click on a key puts the editor's caret on its
// bind line, or appends the new bind line the map offers.
void ProgramWindows::wireKeyMap(const AppWindows& w) {
    MainWindow* mainWindow = w.mainWindow;
    KeyboardMapWindow* keyMap = w.keyMap;
    keyMap->followDocument(mainWindow->editor()->document());
    keyMap->setDocumentPathSource([mainWindow] { return mainWindow->document().fileName(); });
    keyMap->setVocabularySource(
        [mainWindow]() -> const Vocabulary& { return mainWindow->vocabulary(); });
    QObject::connect(mainWindow->action(u"KeyMap1"_s), &QAction::triggered, keyMap,
                     &KeyboardMapWindow::showMap);
    QObject::connect(keyMap, &KeyboardMapWindow::lineRequested, mainWindow,
                     &MainWindow::caretToLine);
    QObject::connect(keyMap, &KeyboardMapWindow::bindLineRequested, mainWindow,
                     [mainWindow](const QString& line) {
                         mainWindow->appendBlock(line);
                         mainWindow->caretToEnd();
                         mainWindow->activateWindow();
                         mainWindow->focusEditor();
                     });
}

// "Итог конфига" runs the set with the editor's text; a double click opens a row's line.
void ProgramWindows::wireSummary(const AppWindows& w) {
    MainWindow* mainWindow = w.mainWindow;
    ConfigSummaryWindow* summary = w.summary;
    summary->followDocument(mainWindow->editor()->document());
    summary->setDocumentPathSource([mainWindow] { return mainWindow->document().fileName(); });
    summary->setVocabularySource(
        [mainWindow]() -> const Vocabulary& { return mainWindow->vocabulary(); });
    QObject::connect(mainWindow->action(u"ConfigSummary1"_s), &QAction::triggered, summary,
                     &ConfigSummaryWindow::showSummary);
    QObject::connect(summary, &ConfigSummaryWindow::fileLineRequested, mainWindow,
                     &MainWindow::openAtLine);
}

ProgramWindows::~ProgramWindows() {
    // Children of the main window go with it; delete top-level windows, main window last.
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if (!(*it)->parentWidget())
            delete *it;
}
