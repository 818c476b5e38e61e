// Everything the wizard works on, in one plain object the wizard window owns: its two documents,
// the key lists, the search state, the reading and editing flags, the chosen file and the values
// of the settings pages. The line search, Pivo, applying and the key pages' commands are
// functions over it, so they run and are tested without a window.
#pragma once

#include "platform/text_form.h"
#include "wizard/settings_catalogue.h"
#include "wizard/wizard_document.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

struct SharedState;

struct WizardWorkingSet {
    // The shared find state (findText, lastFoundPos) and the folders come from here.
    explicit WizardWorkingSet(SharedState& state) : shared(state) {}
    WizardWorkingSet(const WizardWorkingSet&) = delete;
    WizardWorkingSet& operator=(const WizardWorkingSet&) = delete;

    SharedState& shared;

    // The working document (the chosen config) and the autoexec document.
    WizardDocument mem1;
    WizardDocument mem2;

    // The key lists of the key pages: free keys (ComboBox6), used keys (ComboBox7) and the keys
    // a combination may use.
    QStringList freeKeys;
    QStringList usedKeys;
    QStringList comboKeys;
    // The key bound to each action, in the order of the command texts reading was given (the
    // captions of the action buttons); empty for an unbound action.
    QStringList actionKeys;
    // The command bound to the key of a combination (pivoFindComboCommand), without its quotes.
    QString comboPreviousCommand;

    // Search state of the line search. The line and column of the last occurrence found by
    // FindSettingValue or Savy are kept as a position in mem1; foundLine() counts the lines.
    int foundPosition = -1;
    int foundLine() const;
    int foundColumn() const;
    // The text of line foundLine(), without its line break; empty when nothing was found yet.
    QString foundLineText() const;

    // Whether the last Savy rewrote a command that was there (not: appended a new line).
    bool lineWritten = false;

    // Reading and editing flags.
    bool autoexecMode = false;
    bool unbindallPresent = false;
    bool waitAliasPresent = false;
    bool reloadOnly = false;

    // The file chosen on page 1.
    QString chosenPath;
    // Whether mem1 holds the chosen file's text, so that it may be written back over the file.
    // Not so for an unreadable file (mem1 holds only the message line) nor for documents dropped.
    bool chosenReadable() const { return m_chosenReadable; }
    // mem1 becomes `text`, read from chosenPath.
    void chosenFileRead(const QString& text);
    // The chosen file could not be read: mem1 holds only `messageLine`.
    void chosenFileUnreadable(const QString& messageLine);
    // No file stands behind the documents any more (none chosen, another folder, the wizard
    // closed): both are emptied, and nothing is written until a file is read again.
    void dropDocuments();
    // In autoexec mode: the autoexec.cfg paired with the chosen config.cfg, and whether it
    // could be read (or was created empty).
    QString autoexecPath;
    bool autoexecReadable = false;
    // The encoding and line breaks each file was read in, which its rewrite keeps.
    textfile::TextForm chosenForm;
    textfile::TextForm autoexecForm;

    // The settings pages, as the window copies them to and from its controls.
    WizardPageValues values;
    // The pages as reading left them: applying writes only the settings whose values differ.
    WizardPageValues valuesAsRead;
    // The document held no command when it was read (a new config): applying writes every
    // setting.
    bool writeEverySetting = false;

    // Whether the game keeps a setting (a lower-case name) when it rewrites config.cfg at exit;
    // unset, every setting stays in the chosen file. In autoexec mode a changed setting the game
    // does not keep is written to autoexec.cfg instead, and its lines leave config.cfg.
    std::function<bool(const QString&)> keptInConfigCfg;
    // The rows the last apply wrote to autoexec.cfg for that reason (their settings as the row
    // table names them).
    QStringList movedToAutoexec;

private:
    bool m_chosenReadable = false;
};
