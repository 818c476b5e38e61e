// Binding one key to one action of the key pages, as logic over the wizard's working set: the
// key choice dialog's verdict on a key and its confirmed reassignment, kompot's writing of the
// bind line and vopli's release of the action's previous key. The window applies the captions
// these return and wraps the document work in its page switch.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

struct WizardWorkingSet;

// The command texts of every action in table order: what reading a config is given, so that
// ws.actionKeys[i] is the caption of actionTable()[i]'s button.
QStringList actionCommands();

// The bind line of an action: `bind "<key>" "+attack"`.
QString actionBindLine(const QString& key, const QString& command);

// vopli: the key shown on an action's button goes back from the used-key list to the end of the
// free-key list (the first used entry equal to it, or to it in lower or upper case). Returns
// the key as shown, the action's previous key; nothing moves for an empty caption.
QString vopli(WizardWorkingSet& ws, const QString& caption);

// Whether the used-key list already holds `key`, whatever the case of its letters A to Z: the
// key choice dialog asks before it takes such a key from another action.
bool usedKeysHold(const QStringList& usedKeys, const QString& key);

struct KompotResult {
    QString previousActionKey;
    QString caption;      // the action button's caption from now on
    bool written = false; // false: the key was in the used-key list already, nothing was written
};

// kompot after the dialog accepted `key` for the action with `command` whose button shows
// `caption`: releases the old key, moves the new one to the used-key list, puts "unbindall"
// first when the document has none, and rewrites the action's bind line in place (a line of 1
// to 100 characters) or appends it.
KompotResult assignChosenKey(WizardWorkingSet& ws, const QString& caption, const QString& key,
                             const QString& command);

// The question before a key is taken from what holds it now (`holder`: an action's caption,
// or empty when the config binds it to something else).
QString reassignmentQuestion(const QString& key, const QString& holder);

// What the key choice dialog needs of the wizard for a key another action already has.
class KeyReassignment {
public:
    virtual ~KeyReassignment() = default;
    // "Вы действительно хотите переназначить выбранную клавишу?": true for Yes.
    virtual bool confirmReassignment() = 0;
    // Runs the document work of a confirmed reassignment; the wizard wraps it in its page switch.
    virtual void onDocuments(const std::function<void()>& work) { work(); }
};

enum class KeyChoice {
    NoKey,    // nothing selected: the dialog says so and stays open
    Accepted, // the dialog closes with the key chosen
    Declined, // No to the question: nothing assigned, the dialog stays open for another choice
};

struct KeyChoiceResult {
    KeyChoice outcome = KeyChoice::NoKey;
    // A confirmed reassignment changed the documents and reloaded the key lists and
    // ws.actionKeys; the action's button then shows `caption`.
    bool reassigned = false;
    QString caption;
};

// The key choice dialog's OK for the wizard. A key that is free is accepted as it is. A key in
// the used-key list is taken only after Yes, in this order: the chosen key's lines and the
// action's old bind line leave the working document; the used-key list is emptied and the lists
// and captions are read again; the action's new bind line is appended; its caption is the key.
KeyChoiceResult keyChoiceOk(WizardWorkingSet& ws, const QString& selectedKey,
                            const QString& actionCaption, const QString& command,
                            KeyReassignment& wizard);
