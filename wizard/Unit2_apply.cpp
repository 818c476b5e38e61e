// Applying the settings pages ("Применить настройки") and reporting how a wizard save went.
#include "wizard/Unit2.h"

#include "platform/text_file.h"
#include "platform/user_dialogs.h"
#include "shell/Unit1.h"
#include "wizard/apply_settings.h"
#include "wizard/wizard_files.h"

#include <QPlainTextEdit>

using namespace Qt::Literals::StringLiterals;

void TForm2::Button8Click() {
    m_set.values = valuesFromControls();
    if (!m_set.chosenReadable) {
        // The document holds the message line, not the file: writing it would destroy the file.
        WizardSaveResult refused;
        refused.status = WizardSaveResult::Status::RefusedUnreadable;
        refused.path = m_set.chosenPath;
        reportSave(refused);
        return;
    }
    bool applied = false;
    runOnDocuments(true, [&] { applied = applySettings(m_set); });
    if (!applied)
        return;
    warnUnencodable(m_set.mem1.content());
    reportSave(saveChosenFile(m_set));
}

void TForm2::warnUnencodable(const QString& text) {
    // The text is the chosen file's, which keeps its encoding.
    const QString lost = textfile::unencodableCharacters(text, m_set.chosenForm);
    if (!lost.isEmpty())
        m_ctx.dialogs.warning(unencodableWarning(lost));
}

bool TForm2::reportSave(const WizardSaveResult& result) {
    if (!result.ok()) {
        m_ctx.dialogs.error(result.message());
        return false;
    }
    const QString note = result.statusNote();
    if (!note.isEmpty() && m_ctx.windows.form1)
        m_ctx.windows.form1->setStatusLine(note);
    return true;
}
