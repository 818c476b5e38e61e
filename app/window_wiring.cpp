// The program's map: the windows in their creation order, and every link between two windows.
// No window knows another; each announces what it needs with a signal, and this file connects
// it. Only the main window is shown by its creation; the others are shown and hidden by the
// commands that use them, and keep their state between showings.
#include "app/window_wiring.h"

#include "keys/key_choice_dialog.h"
#include "keys/config_summary_window.h"
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
    w.form1 = make<MainWindow>(ctx);
    w.pani1 = make<ValueListWindow>(ctx, w.form1);
    w.ccd = make<ReferenceWindow>(ctx, w.form1);
    w.form3 = make<LibrarySetupWindow>(ctx, w.form1);
    w.setbal = make<InsertDialog>(ctx, w.form1);
    w.form6 = make<ExplanationWindow>(ctx, w.form1);
    w.about = make<AboutDialog>(ctx, w.form1);
    w.form2 = make<ConfigWizard>(ctx, installKeyPages, w.form1);
    w.sozdat = make<NewConfigDialog>(ctx, w.form1);
    w.binds = make<KeyChoiceDialog>(ctx, w.form1);
    w.nachalo = make<GameChooserWindow>(ctx);
    w.maps = make<MapCycleWindow>(ctx, w.form1);
    w.metab = make<MetaBindsWindow>(ctx, w.form1);
    w.startcs = make<LauncherWindow>(ctx, w.form1);
    w.mapsMenu = make<MapPickerDialog>(ctx, w.form1);
    w.keyMap = make<KeyboardMapWindow>(ctx, w.form1);
    w.summary = make<ConfigSummaryWindow>(ctx, w.form1);
    w.help = make<HelpWindow>(ctx, w.form1);

    wireMainWindowCommands(ctx, w);
    wireReference(w);
    wireWizardAndKeyChoice(w);
    wireMetaBinds(w);
    wireKeyMap(w);
    wireSummary(w);
}

// The main window's commands that open other windows.
void ProgramWindows::wireMainWindowCommands(AppContext& ctx, const AppWindows& w) {
    MainWindow* main = w.form1;
    GameChooserWindow* chooser = w.nachalo;
    QObject::connect(main, &MainWindow::gameChooserRequested, chooser, [main, chooser] {
        // "Отмена" at the first start, with no game directory yet, ends the program.
        if (chooser->runModal() == GameChooserWindow::Result::QuitProgram)
            main->quitWithoutClosing();
    });
    QObject::connect(main, &MainWindow::mapPickerRequested, w.mapsMenu, &MapPickerDialog::runModal);
    QObject::connect(w.mapsMenu, &MapPickerDialog::mapChosen, main, [main](const QString& name) {
        main->insertAtCaret(name);
        main->focusEditor();
    });
    QObject::connect(main, &MainWindow::mapCycleRequested, w.maps, &MapCycleWindow::runModal);
    QObject::connect(main, &MainWindow::wizardRequested, w.form2, &ConfigWizard::runModal);
    QObject::connect(main, &MainWindow::librarySetupRequested, w.form3,
                     &LibrarySetupWindow::runLibraryListing);
    LauncherWindow* launcher = w.startcs;
    QObject::connect(main, &MainWindow::launcherRequested, launcher, [main, launcher] {
        if (launcher->runModal())
            main->startGame(launcher->choice());
    });
    // Help is shown by the program itself, so it works with no web browser on the machine.
    HelpWindow* help = w.help;
    QObject::connect(main, &MainWindow::helpRequested, help, &HelpWindow::showPage);
    // A fresh about box at each showing; its links to the help pages close it first.
    QObject::connect(main, &MainWindow::aboutRequested, main, [&ctx, main, help] {
        AboutDialog box(ctx, main);
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
    MainWindow* main = w.form1;
    ValueListWindow* valueList = w.pani1;
    ReferenceWindow* reference = w.ccd;
    LibrarySetupWindow* libraries = w.form3;
    InsertDialog* insertDialog = w.setbal;
    ExplanationWindow* popup = w.form6;
    main->toolWindows().attach(valueList, reference, popup);

    QObject::connect(reference, &ReferenceWindow::statusLineRequested, main,
                     &MainWindow::setStatusLine);
    QObject::connect(reference, &ReferenceWindow::valueListRequested, main, &MainWindow::Dogy);
    // With no hint under the pointer, the status bar names the chosen category.
    main->setIdleHintSource([valueList] { return valueList->caption(); });
    QObject::connect(reference, &ReferenceWindow::insertDialogRequested, insertDialog,
                     &InsertDialog::openPage);
    QObject::connect(reference, &ReferenceWindow::libraryListingRequested, libraries,
                     &LibrarySetupWindow::refreshLibraryListing);
    QObject::connect(libraries, &LibrarySetupWindow::librariesAdded, reference,
                     &ReferenceWindow::addLibraries);
    QObject::connect(libraries, &LibrarySetupWindow::librariesChanged, reference,
                     &ReferenceWindow::setLibraries);

    valueList->setSources({
        .selectedLibrary = [reference] { return reference->selectedLibrary(); },
        .dialogPieces = [insertDialog] { return insertDialog->insertionPieces(); },
        .caretColumn = [main] { return main->selectionStartColumn(); },
    });
    QObject::connect(valueList, &ValueListWindow::insertRequested, main,
                     [main](const QString& text, bool caretOneLeft) {
                         main->insertAtCaret(text);
                         main->activateWindow();
                         main->focusEditor();
                         if (caretOneLeft)
                             main->moveCaretLeft();
                     });
    QObject::connect(insertDialog, &InsertDialog::insertRequested, valueList,
                     [valueList] { valueList->DblClick1(ValueListWindow::Caller::InsertDialog); });
    QObject::connect(insertDialog, &InsertDialog::lineBreakRequested, main,
                     &MainWindow::endOfLineBreak);

    QObject::connect(valueList, &ValueListWindow::explanationRequested, popup,
                     &ExplanationWindow::showExplanation);
    QObject::connect(main, &MainWindow::explanationRequested, popup,
                     &ExplanationWindow::showExplanation);
    QObject::connect(valueList, &ValueListWindow::pictureRequested, popup,
                     &ExplanationWindow::showPicture);
    QObject::connect(valueList, &ValueListWindow::pictureDropped, popup,
                     &ExplanationWindow::hidePicture);
}

// The MetaBinds window opened from the main window writes into the editor.
void ProgramWindows::wireMetaBinds(const AppWindows& w) {
    MainWindow* main = w.form1;
    MetaBindsWindow* metaBinds = w.metab;
    QObject::connect(main, &MainWindow::metaBindsRequested, metaBinds,
                     [metaBinds] { metaBinds->openModal(MetaBindsWindow::Target::Editor); });
    QObject::connect(metaBinds, &MetaBindsWindow::metaBindForEditor, main,
                     &MainWindow::appendBlock);
    QObject::connect(metaBinds, &MetaBindsWindow::closedForEditor, main, &MainWindow::caretToEnd);
}

// The wizard and the key choice dialog, the new-config dialog and the MetaBinds window it opens.
// Both the wizard's key pages and the MetaBinds window ask the key choice dialog for a key; the
// dialog hands each request back with the key, and the answer goes to the window that asked.
// The wizard's page 1 makes a new config through the new-config dialog, its "MetaBinds" fills its
// working document, and its notes go to the main window's status line.
void ProgramWindows::wireWizardAndKeyChoice(const AppWindows& w) {
    ConfigWizard* wizard = w.form2;
    MainWindow* main = w.form1;
    wizard->setVocabularySource([main]() -> const Vocabulary& { return main->vocabulary(); });
    MetaBindsWindow* metab = w.metab;
    QObject::connect(wizard, &ConfigWizard::keyChoiceRequested, w.binds,
                     &KeyChoiceDialog::chooseKey);
    QObject::connect(metab, &MetaBindsWindow::keyChoiceRequested, w.binds,
                     &KeyChoiceDialog::chooseKey);
    QObject::connect(w.binds, &KeyChoiceDialog::keyChosen, wizard,
                     [wizard, metab](const KeyRequest& request, const QString& key) {
                         switch (request.asker) {
                         case KeyRequest::Asker::WizardAction:
                             wizard->actionKeyChosen(request.index, key);
                             break;
                         case KeyRequest::Asker::MetaBindSlot:
                             metab->fillSlot(request.index, key);
                             break;
                         case KeyRequest::Asker::Nobody:
                             break;
                         }
                     });
    QObject::connect(wizard, &ConfigWizard::newConfigRequested, w.sozdat,
                     &NewConfigDialog::runModal);
    QObject::connect(wizard, &ConfigWizard::metaBindsRequested, metab,
                     [metab] { metab->openModal(MetaBindsWindow::Target::Wizard); });
    QObject::connect(metab, &MetaBindsWindow::metaBindForWizard, wizard,
                     &ConfigWizard::appendMetaBind);
    QObject::connect(wizard, &ConfigWizard::statusLineRequested, w.form1,
                     &MainWindow::setStatusLine);
}

// The keyboard map reads the editor's document; a click on a key puts the editor's caret on its
// bind line, or appends the new bind line the map offers.
void ProgramWindows::wireKeyMap(const AppWindows& w) {
    MainWindow* main = w.form1;
    KeyboardMapWindow* keyMap = w.keyMap;
    keyMap->followDocument(main->editor()->document());
    keyMap->setDocumentPathSource([main] { return main->document().fileName(); });
    keyMap->setVocabularySource([main]() -> const Vocabulary& { return main->vocabulary(); });
    QObject::connect(main->action(u"KeyMap1"_s), &QAction::triggered, keyMap,
                     &KeyboardMapWindow::showMap);
    QObject::connect(keyMap, &KeyboardMapWindow::lineRequested, main, &MainWindow::caretToLine);
    QObject::connect(keyMap, &KeyboardMapWindow::bindLineRequested, main,
                     [main](const QString& line) {
                         main->appendBlock(line);
                         main->caretToEnd();
                         main->activateWindow();
                         main->focusEditor();
                     });
}

// "Итог конфига" runs the set with the editor's text; a double click opens a row's line.
void ProgramWindows::wireSummary(const AppWindows& w) {
    MainWindow* main = w.form1;
    ConfigSummaryWindow* summary = w.summary;
    summary->followDocument(main->editor()->document());
    summary->setDocumentPathSource([main] { return main->document().fileName(); });
    summary->setVocabularySource([main]() -> const Vocabulary& { return main->vocabulary(); });
    QObject::connect(main->action(u"ConfigSummary1"_s), &QAction::triggered, summary,
                     &ConfigSummaryWindow::showSummary);
    QObject::connect(summary, &ConfigSummaryWindow::fileLineRequested, main,
                     &MainWindow::openAtLine);
}

ProgramWindows::~ProgramWindows() {
    // Children of the main window go with it; delete top-level windows, main window last.
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if (!(*it)->parentWidget())
            delete *it;
}
