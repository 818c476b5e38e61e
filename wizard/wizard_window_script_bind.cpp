// Page 9's BIND: the three key lists, the two BIND buttons, the combination switch and "Удалить".
// The lines, the saves and the lists' changes are script_binding's; here the controls are read,
// the questions asked, the outcome shown and the page reset.
#include "wizard/wizard_window_script_area.h"

#include "platform/user_dialogs.h"
#include "state/app_context.h"
#include "wizard/key_assignment.h"
#include "wizard/line_search.h"
#include "wizard/wizard_window.h"
#include "wizard/wizard_working_set.h"

#include <QAction>
#include <QComboBox>
#include <QSignalBlocker>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// Fills a list, keeping the chosen entry when the new list still has it.
void fill(QComboBox* box, const QStringList& items) {
    const QString chosen = box->currentIndex() >= 0 ? box->currentText() : QString();
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(chosen.isEmpty() ? -1 : items.indexOf(chosen));
}

} // namespace

void ScriptKeyArea::showKeyLists() {
    const WizardWorkingSet& ws = m_form.workingSet();
    fill(ComboBox6, ws.freeKeys);
    fill(ComboBox7, ws.usedKeys);
    fill(ComboBox9, ws.comboKeys);
    ComboBox6Change();
    ComboBox7Change();
}

void ScriptKeyArea::ComboBox6Change() {
    SpeedButton1->setEnabled(!ComboBox6->currentText().isEmpty());
}

void ScriptKeyArea::ComboBox7Change() {
    SpeedButton2->setEnabled(!ComboBox7->currentText().isEmpty());
}

void ScriptKeyArea::SpeedButton1Click() {
    if (ComboBox6->currentText().isEmpty())
        return;
    script::BindRequest request;
    request.mode = script::BindMode::NewKey;
    request.key = ComboBox6->currentText();
    request.composition = composition();
    if (!bind(request))
        return;
    resetComposition();
    {
        const QSignalBlocker quiet(ComboBox6);
        ComboBox6->setCurrentIndex(-1);
    }
    SpeedButton1->setEnabled(false);
    SpeedButton2->setEnabled(false);
}

void ScriptKeyArea::SpeedButton2Click() {
    if (ComboBox7->currentText().isEmpty())
        return;
    // A key no script can use is refused before any question about the lines it holds.
    if (refused(usedKeyRequest()))
        return;
    if (ComboBox9->isEnabled()) {
        runRebindStep();
        return;
    }
    // The question names the key and what it runs now, as the key choice dialog does.
    const QString key = ComboBox7->currentText();
    const QString question =
        m_deleting ? u"Вы действительно хотите удалить выбранную клавишу?"_s
                   : reassignmentQuestion(key, boundCommand(m_form.workingSet().mem1, key));
    if (m_ctx.dialogs.confirmDestructive(question) == UserDialogs::Answer::Yes)
        runRebindStep();
}

script::BindRequest ScriptKeyArea::usedKeyRequest() const {
    script::BindRequest request;
    const bool combination = ComboBox9->isEnabled() && !ComboBox9->currentText().isEmpty();
    request.mode = combination ? script::BindMode::Combination : script::BindMode::UsedKey;
    request.key = ComboBox7->currentText();
    request.modifier = combination ? ComboBox9->currentText() : QString();
    request.deletion = m_deleting && !combination;
    request.composition = composition();
    return request;
}

void ScriptKeyArea::runRebindStep() {
    if (!bind(usedKeyRequest()))
        return;
    resetComposition();
    for (QComboBox* box : {ComboBox7, ComboBox9}) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(-1);
    }
    setComboBox9On(false);
    SpeedButton1->setEnabled(false);
    SpeedButton2->setEnabled(false);
}

bool ScriptKeyArea::refused(const script::BindRequest& request) {
    const QString refusal = script::refusalFor(m_form.workingSet(), request);
    if (!refusal.isEmpty())
        m_ctx.dialogs.warning(refusal);
    return !refusal.isEmpty();
}

bool ScriptKeyArea::bind(const script::BindRequest& request) {
    if (refused(request))
        return false;
    WizardWorkingSet& ws = m_form.workingSet();
    // The reload empties the used-key list itself.
    auto onDocuments = [this](const std::function<void()>& work) {
        m_form.runOnDocuments(true, work);
    };
    const script::BindOutcome outcome = script::runBind(ws, request, actionCommands(), onDocuments);
    for (const WizardSaveResult& save : outcome.saves)
        m_form.reportSave(save);
    showKeyLists();
    // A reload also found the actions' keys anew.
    if (request.mode != script::BindMode::NewKey && outcome.done())
        m_keyPages.showActionCaptions();
    return outcome.done();
}

void ScriptKeyArea::SpeedButton3Click() {
    setComboBox9On(!ComboBox9->isEnabled());
}

void ScriptKeyArea::setComboBox9On(bool on) {
    ComboBox9->setEnabled(on);
    paintSwitchable(ComboBox9, on);
}

void ScriptKeyArea::PMenu1Popup() {
    popua1->setEnabled(ComboBox7->currentIndex() >= 0 && !ComboBox7->currentText().isEmpty());
}

void ScriptKeyArea::popua1Click() {
    m_deleting = true;
    setComboBox9On(false);
    SpeedButton2Click();
    m_deleting = false;
}
