// Applying the settings pages ("Применить настройки") and reporting how a wizard save went.
#include "wizard/wizard_window.h"

#include "language/saved_settings.h"
#include "language/vocabulary.h"
#include "wizard/later_settings.h"
#include "wizard/settings_catalogue.h"
#include "platform/text_file.h"
#include "platform/log_categories.h"
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
    // The settings this apply writes, for what a later file of the set decides of them.
    QStringList changed;
    for (const ApplyRow& row : applyRows())
        if (m_set.writeEverySetting || row.changed(m_set.values, m_set.valuesAsRead))
            changed += settingNames(row);
    WizardSaveResult saved;
    {
        const BusyCursor busy;
        runOnDocuments(true, [&] {
            saved = applyAndSave(m_set, [this](const QString& text) { warnUnencodable(text); });
        });
    }
    if (!reportSave(saved))
        return;
    QStringList told;
    if (!m_set.movedToAutoexec.isEmpty()) {
        m_savedMem2 = m_set.mem2.content();
        told.append(u"Записано в autoexec.cfg, а из config.cfg убрано: %1. Игра не сохраняет "
                    u"эти настройки в config.cfg и при выходе стёрла бы их оттуда; autoexec.cfg "
                    u"она не трогает."_s.arg(m_set.movedToAutoexec.join(u", "_s)));
    }
    // What a file run after this one sets again does not reach the game from here.
    markLaterSettings();
    QStringList later;
    for (const QString& name : std::as_const(changed))
        if (const auto it = m_laterNotes.constFind(name); it != m_laterNotes.constEnd())
            later.append(u"%1: %2"_s.arg(name, *it));
    if (!later.isEmpty())
        told.append(u"Эти настройки записаны, но их задаёт заново файл, который игра выполняет "
                    u"позже, и в игре будет его значение:\n"_s +
                    later.join(u'\n'));
    if (!told.isEmpty())
        m_ctx.dialogs.information(told.join(u"\n\n"_s));
}

void ConfigWizard::markLaterSettings() {
    static const Vocabulary none;
    const configrun::Result run = configrun::runWithStandIn(
        m_ctx.state.games.gameDir, m_set.chosenPath, m_set.mem1.content(),
        m_set.chosenForm.encoding == textfile::Encoding::Utf8 ? console::Bytes::Utf8
                                                              : console::Bytes::Single,
        m_words ? m_words() : none);
    m_laterNotes = laterSettingNotes(run);
    for (const WizardSetting& s : wizardSettings()) {
        QString note;
        for (const QString& name : s.configNames)
            if (const auto it = m_laterNotes.constFind(name.toLower()); it != m_laterNotes.constEnd())
                note = *it;
        QStringList controls = {s.listControl};
        for (const RadioChoice& r : s.radios)
            controls.append(r.control);
        for (const FieldControl& f : s.fields)
            controls.append(f.control);
        for (const QString& name : std::as_const(controls)) {
            QWidget* w = m_controls.value(name);
            if (!w)
                continue;
            if (!m_plainToolTips.contains(w))
                m_plainToolTips.insert(w, w->toolTip());
            const QString plain = m_plainToolTips.value(w);
            w->setToolTip(note.isEmpty() ? plain
                                         : (plain.isEmpty() ? note : plain + u'\n' + note));
        }
    }
}

void ConfigWizard::setVocabularySource(std::function<const Vocabulary&()> words) {
    m_words = words;
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
        qCWarning(lcWizard).noquote() << "the wizard's changes were not saved:" << result.message();
        m_savedLine->clear();
        m_ctx.dialogs.error(result.message());
        return false;
    }
    qCDebug(lcWizard).noquote() << "the wizard saved" << result.path << "-" << result.savedNote();
    if (result.path == m_set.chosenPath)
        m_savedMem1 = m_set.mem1.content();
    else if (result.path == m_set.autoexecPath)
        m_savedMem2 = m_set.mem2.content();
    m_savedLine->setText(result.savedNote());
    m_savedLine->setToolTip(result.path);
    return true;
}
