// Applying the settings pages ("Применить настройки") and reporting how a wizard save went.
#include "wizard/wizard_window.h"

#include "language/saved_settings.h"
#include "platform/text_file.h"
#include "platform/user_dialogs.h"
#include "widgets/qt_widget_helpers.h"
#include "wizard/apply_settings.h"
#include "wizard/wizard_files.h"

#include <QLabel>
#include <QPlainTextEdit>

using namespace Qt::Literals::StringLiterals;

void ConfigWizard::Button8Click() {
    m_set.values = valuesFromControls();
    if (!m_set.chosenReadable()) {
        // The document holds the message line, not the file: applying refuses it, and no page
        // switch runs for nothing.
        reportSave(applyAndSave(m_set));
        return;
    }
    WizardSaveResult saved;
    {
        const BusyCursor busy;
        runOnDocuments(true, [&] {
            saved = applyAndSave(m_set, [this](const QString& text) { warnUnencodable(text); });
        });
    }
    if (reportSave(saved) && !m_set.movedToAutoexec.isEmpty()) {
        m_savedMem2 = m_set.mem2.content();
        m_ctx.dialogs.information(
            u"Записано в autoexec.cfg, а из config.cfg убрано: %1. Игра не сохраняет эти "
            u"настройки в config.cfg и при выходе стёрла бы их оттуда; autoexec.cfg она не "
            u"трогает."_s.arg(m_set.movedToAutoexec.join(u", "_s)));
    }
}

void ConfigWizard::setVocabularySource(std::function<const Vocabulary&()> words) {
    m_set.keptInConfigCfg = [words = std::move(words)](const QString& name) {
        const Vocabulary& known = words();
        // A name the words do not know stays where the player has it.
        return !known.knows(name) || keptInConfigCfg(name, QStringView(), known);
    };
}

void ConfigWizard::warnUnencodable(const QString& text) {
    // The text is the chosen file's, which keeps its encoding.
    const QString lost = textfile::unencodableCharacters(text, m_set.chosenForm);
    if (!lost.isEmpty())
        m_ctx.dialogs.warning(unencodableWarning(lost));
}

bool ConfigWizard::reportSave(const WizardSaveResult& result) {
    if (!result.ok()) {
        m_savedLine->clear();
        m_ctx.dialogs.error(result.message());
        return false;
    }
    if (result.path == m_set.chosenPath)
        m_savedMem1 = m_set.mem1.content();
    else if (result.path == m_set.autoexecPath)
        m_savedMem2 = m_set.mem2.content();
    m_savedLine->setText(result.savedNote());
    m_savedLine->setToolTip(result.path);
    const QString note = result.statusNote();
    if (!note.isEmpty())
        emit statusLineRequested(note);
    return true;
}
