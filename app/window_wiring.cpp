// The program's map: the windows in their creation order, and every link between two windows.
// No window knows another; each announces what it needs with a signal, and this file connects
// it. Only the main window is shown by its creation; the others are shown and hidden by the
// commands that use them, and keep their state between showings.
#include "app/window_wiring.h"

#include "keys/key_choice_dialog.h"
#include "keys/keyboard_map_window.h"
#include "wizard/wizard_window_key_pages.h"
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

#include <QAction>

using namespace Qt::Literals::StringLiterals;

template <typename T, typename... Args> T* ProgramWindows::make(Args&&... args) {
    T* w = new T(std::forward<Args>(args)...);
    m_windows.push_back(w);
    return w;
}

ProgramWindows::ProgramWindows(AppContext& ctx) {
    AppWindows& w = m_w;
    w.form1 = make<TForm1>(ctx);
    w.pani1 = make<TPani1>(ctx, w.form1);
    w.ccd = make<Tccd>(ctx, w.form1);
    w.form3 = make<TForm3>(ctx, w.form1);
    w.setbal = make<Tsetbal>(ctx, w.form1);
    w.form6 = make<TForm6>(ctx, w.form1);
    w.about = make<TAbout>(ctx, w.form1);
    w.form2 = make<TForm2>(ctx, installKeyPages, w.form1);
    w.sozdat = make<Tsozdat>(ctx, w.form1);
    w.binds = make<Tbinds>(ctx, w.form1);
    w.nachalo = make<Tnachalo>(ctx);
    w.maps = make<Tmaps>(ctx, w.form1);
    w.metab = make<TMetab>(ctx, w.form1);
    w.startcs = make<Tstartcs>(ctx, w.form1);
    w.mapsMenu = make<TMaps_menu>(ctx, w.form1);
    w.keyMap = make<TKeyMap>(ctx, w.form1);
    w.help = make<THelp>(ctx, w.form1);

    wireMainWindowCommands(ctx, w);
    wireReference(w);
    wireWizardAndKeyChoice(w);
    wireMetaBinds(w);
    wireKeyMap(w);
}

// The main window's commands that open other windows.
void ProgramWindows::wireMainWindowCommands(AppContext& ctx, const AppWindows& w) {
    TForm1* main = w.form1;
    Tnachalo* chooser = w.nachalo;
    QObject::connect(main, &TForm1::gameChooserRequested, chooser, [main, chooser] {
        // "Отмена" at the first start, with no game directory yet, ends the program.
        if (chooser->runModal() == Tnachalo::Result::QuitProgram)
            main->quitWithoutClosing();
    });
    QObject::connect(main, &TForm1::mapPickerRequested, w.mapsMenu, &TMaps_menu::runModal);
    QObject::connect(w.mapsMenu, &TMaps_menu::mapChosen, main, [main](const QString& name) {
        main->insertAtCaret(name);
        main->focusEditor();
    });
    QObject::connect(main, &TForm1::mapCycleRequested, w.maps, &Tmaps::runModal);
    QObject::connect(main, &TForm1::wizardRequested, w.form2, &TForm2::runModal);
    QObject::connect(main, &TForm1::librarySetupRequested, w.form3, &TForm3::runLibraryListing);
    Tstartcs* launcher = w.startcs;
    QObject::connect(main, &TForm1::launcherRequested, launcher, [main, launcher] {
        if (launcher->runModal())
            main->startGame(launcher->choice());
    });
    // Help is shown by the program itself, so it works with no web browser on the machine.
    THelp* help = w.help;
    QObject::connect(main, &TForm1::helpRequested, help, &THelp::showPage);
    // A fresh about box at each showing; its links to the help pages close it first.
    QObject::connect(main, &TForm1::aboutRequested, main, [&ctx, main, help] {
        TAbout box(ctx, main);
        box.ensureBuilt();
        QString page;
        QObject::connect(&box, &TAbout::helpRequested, &box, [&box, &page](const QString& p) {
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
    TForm1* main = w.form1;
    TPani1* valueList = w.pani1;
    Tccd* reference = w.ccd;
    TForm3* libraries = w.form3;
    Tsetbal* insertDialog = w.setbal;
    TForm6* popup = w.form6;
    main->toolWindows().attach(valueList, reference, popup);

    QObject::connect(reference, &Tccd::statusLineRequested, main, &TForm1::setStatusLine);
    QObject::connect(reference, &Tccd::valueListRequested, main, &TForm1::Dogy);
    // With no hint under the pointer, the status bar names the chosen category.
    main->setIdleHintSource([valueList] { return valueList->caption(); });
    QObject::connect(reference, &Tccd::insertDialogRequested, insertDialog, &Tsetbal::openPage);
    QObject::connect(reference, &Tccd::libraryListingRequested, libraries,
                     &TForm3::refreshLibraryListing);
    QObject::connect(libraries, &TForm3::librariesAdded, reference, &Tccd::addLibraries);
    QObject::connect(libraries, &TForm3::librariesChanged, reference, &Tccd::setLibraries);

    valueList->setSources({
        .selectedLibrary = [reference] { return reference->selectedLibrary(); },
        .dialogPieces = [insertDialog] { return insertDialog->insertionPieces(); },
        .caretColumn = [main] { return main->selectionStartColumn(); },
    });
    QObject::connect(valueList, &TPani1::insertRequested, main,
                     [main](const QString& text, bool caretOneLeft) {
                         main->insertAtCaret(text);
                         main->activateWindow();
                         main->focusEditor();
                         if (caretOneLeft)
                             main->moveCaretLeft();
                     });
    QObject::connect(insertDialog, &Tsetbal::insertRequested, valueList,
                     [valueList] { valueList->DblClick1(TPani1::Caller::InsertDialog); });
    QObject::connect(insertDialog, &Tsetbal::lineBreakRequested, main, &TForm1::endOfLineBreak);

    QObject::connect(valueList, &TPani1::explanationRequested, popup, &TForm6::showExplanation);
    QObject::connect(main, &TForm1::explanationRequested, popup, &TForm6::showExplanation);
    QObject::connect(valueList, &TPani1::pictureRequested, popup, &TForm6::showPicture);
    QObject::connect(valueList, &TPani1::pictureDropped, popup, &TForm6::hidePicture);
}

// The MetaBinds window opened from the main window writes into the editor.
void ProgramWindows::wireMetaBinds(const AppWindows& w) {
    TForm1* main = w.form1;
    TMetab* metaBinds = w.metab;
    QObject::connect(main, &TForm1::metaBindsRequested, metaBinds,
                     [metaBinds] { metaBinds->openModal(TMetab::Target::Editor); });
    QObject::connect(metaBinds, &TMetab::metaBindForEditor, main, &TForm1::appendBlock);
    QObject::connect(metaBinds, &TMetab::closedForEditor, main, &TForm1::caretToEnd);
}

// The wizard and the key choice dialog, the new-config dialog and the MetaBinds window it opens.
// Both the wizard's key pages and the MetaBinds window ask the key choice dialog for a key; the
// dialog hands each request back with the key, and the answer goes to the window that asked.
// The wizard's page 1 makes a new config through the new-config dialog, its "MetaBinds" fills its
// working document, and its notes go to the main window's status line.
void ProgramWindows::wireWizardAndKeyChoice(const AppWindows& w) {
    TForm2* wizard = w.form2;
    TMetab* metab = w.metab;
    QObject::connect(wizard, &TForm2::keyChoiceRequested, w.binds, &Tbinds::chooseKey);
    QObject::connect(metab, &TMetab::keyChoiceRequested, w.binds, &Tbinds::chooseKey);
    QObject::connect(w.binds, &Tbinds::keyChosen, wizard,
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
    QObject::connect(wizard, &TForm2::newConfigRequested, w.sozdat, &Tsozdat::runModal);
    QObject::connect(wizard, &TForm2::metaBindsRequested, metab,
                     [metab] { metab->openModal(TMetab::Target::Wizard); });
    QObject::connect(metab, &TMetab::metaBindForWizard, wizard, &TForm2::appendMetaBind);
    QObject::connect(wizard, &TForm2::statusLineRequested, w.form1, &TForm1::setStatusLine);
}

// The keyboard map reads the editor's document; a click on a key puts the editor's caret on its
// bind line, or appends the new bind line the map offers.
void ProgramWindows::wireKeyMap(const AppWindows& w) {
    TForm1* main = w.form1;
    TKeyMap* keyMap = w.keyMap;
    keyMap->followDocument(main->editor()->document());
    keyMap->setDocumentPathSource([main] { return main->document().fileName(); });
    QObject::connect(main->action(u"KeyMap1"_s), &QAction::triggered, keyMap, &TKeyMap::showMap);
    QObject::connect(keyMap, &TKeyMap::lineRequested, main, &TForm1::caretToLine);
    QObject::connect(keyMap, &TKeyMap::bindLineRequested, main, [main](const QString& line) {
        main->appendBlock(line);
        main->caretToEnd();
        main->activateWindow();
        main->focusEditor();
    });
}

ProgramWindows::~ProgramWindows() {
    // Children of the main window go with it; delete top-level windows, main window last.
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if (!(*it)->parentWidget())
            delete *it;
}
