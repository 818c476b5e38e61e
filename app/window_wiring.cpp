// The window creation order. Only the main window is shown by its creation; the others are
// shown and hidden by the commands that use them, and keep their state between showings.
#include "app/window_wiring.h"

#include "keys/key_choice_dialog.h"
#include "keys/keyboard_map_window.h"
#include "launcher/launcher_window.h"
#include "mapcycle/map_cycle_window.h"
#include "mapcycle/map_picker_dialog.h"
#include "metabinds/metabinds_window.h"
#include "reference/library_setup_window.h"
#include "reference/value_list_window.h"
#include "reference/insert_dialog.h"
#include "reference/explanation_window.h"
#include "reference/reference_window.h"
#include "shell/about_dialog.h"
#include "shell/main_window.h"
#include "shell/new_config_dialog.h"
#include "shell/game_chooser_window.h"
#include "wizard/wizard_window.h"

#include <QAction>
#include <QTextBlock>

using namespace Qt::Literals::StringLiterals;

namespace {

// The wizard and the key choice dialog, the new-config dialog and the MetaBinds window it opens.
// Both the wizard's key pages and the MetaBinds window ask the key choice dialog for a key; the
// dialog hands each request back with the key, and the answer goes to the window that asked.
// The wizard's page 1 makes a new config through the new-config dialog, its "MetaBinds" fills its
// working document, and its notes go to the main window's status line.
void wireWizardAndKeyChoice(const AppWindows& w) {
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

} // namespace

template <typename T, typename... Args> T* ProgramWindows::make(Args&&... args) {
    T* w = new T(std::forward<Args>(args)...);
    m_windows.push_back(w);
    return w;
}

ProgramWindows::ProgramWindows(AppContext& ctx) {
    AppWindows& w = ctx.windows;
    w.form1 = make<TForm1>(ctx);
    w.pani1 = make<TPani1>(ctx, w.form1);
    w.ccd = make<Tccd>(ctx, w.form1);
    w.form3 = make<TForm3>(ctx, w.form1);
    w.setbal = make<Tsetbal>(ctx, w.form1);
    // The reference window's "SetInfo", "Bind" and "Alias" open the insert dialog.
    QObject::connect(w.ccd, &Tccd::insertDialogRequested, w.setbal, &Tsetbal::openPage);
    w.form6 = make<TForm6>(ctx, w.form1);
    // The tool windows travel with the main window (value list, reference, pop-up).
    w.form1->toolWindows().attach(w.pani1, w.ccd, w.form6);
    w.about = make<TAbout>(ctx, w.form1);
    w.form2 = make<TForm2>(ctx, w.form1);
    w.sozdat = make<Tsozdat>(ctx, w.form1);
    w.binds = make<Tbinds>(ctx, w.form1);
    w.nachalo = make<Tnachalo>(ctx);
    w.maps = make<Tmaps>(ctx, w.form1);
    w.metab = make<TMetab>(ctx, w.form1);
    wireWizardAndKeyChoice(w);
    w.startcs = make<Tstartcs>(ctx, w.form1);
    w.mapsMenu = make<TMaps_menu>(ctx, w.form1);
    // The keyboard map reads the editor's document; a click on a key puts the editor's caret on
    // its bind line, or appends the new bind line the map offers.
    w.keyMap = make<TKeyMap>(ctx, w.form1);
    w.keyMap->followDocument(w.form1->editor()->document());
    QObject::connect(w.form1->action(u"KeyMap1"_s), &QAction::triggered, w.keyMap,
                     &TKeyMap::showMap);
    TForm1* form1 = w.form1;
    QObject::connect(w.keyMap, &TKeyMap::lineRequested, form1, [form1](int line) {
        QPlainTextEdit* editor = form1->editor();
        const QTextBlock block = editor->document()->findBlockByNumber(line);
        if (!block.isValid())
            return;
        QTextCursor caret = editor->textCursor();
        caret.setPosition(block.position());
        editor->setTextCursor(caret);
        editor->centerCursor();
        form1->activateWindow();
        form1->focusEditor();
    });
    QObject::connect(w.keyMap, &TKeyMap::bindLineRequested, form1, [form1](const QString& line) {
        form1->appendBlock(line);
        form1->caretToEnd();
        form1->activateWindow();
        form1->focusEditor();
    });
}

ProgramWindows::~ProgramWindows() {
    // Children of the main window go with it; delete top-level windows, main window last.
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if (!(*it)->parentWidget())
            delete *it;
}
