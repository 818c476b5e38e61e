// BIND on the key page: turns a composed script into alias and bind lines named after a key,
// writes them into the wizard's documents (the aliases into the autoexec document when the
// config is the game's own config.cfg), saves both files and brings the key lists up to date.
// Everything here works on the working set, so the window only reads its controls and calls in.
#pragma once

#include "wizard/script_generator.h"
#include "wizard/wizard_files.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct WizardWorkingSet;
class WizardDocument;

namespace script {

enum class BindMode {
    NewKey = 0,       // the key comes from the free-key list
    UsedKey = 1,      // rebind (or delete) a key of the used-key list
    Combination = 11, // modifier from the combination list, main key from the used-key list
};

struct BindRequest {
    BindMode mode = BindMode::NewKey;
    // The free-key list's text (NewKey) or the used-key list's text (UsedKey, Combination), as
    // the list spells it.
    QString key;
    QString modifier; // Combination only
    // UsedKey only: remove the key's lines and write none.
    bool deletion = false;
    Composition composition;
};

// The document that receives the generated aliases.
WizardDocument& aliasDocument(WizardWorkingSet& ws);

// The writing part of BIND: the wait alias and "unbindall" when the config lacks them, the
// removal of a used key's old lines (pivoClearUsedKey) or the reading of a combination's
// previous command (pivoFindComboCommand), then the alias block and the bind lines. The key
// lists are left alone.
void bindlaska(WizardWorkingSet& ws, const BindRequest& request);

// What BIND does to the key lists once its lines are on disk: a new key moves from the free
// list to the end of the used list; after a rebind, deletion or combination the lists are read
// again from the documents (pivoRead with ReloadOnly), with the used-key list emptied first.
// `actionCommands` are those reading needs for the action captions.
void updateKeyLists(WizardWorkingSet& ws, const BindRequest& request,
                    const QStringList& actionCommands);

struct BindOutcome {
    enum class Status {
        Done,
        Refused,    // nothing written: `message` says why
        SaveFailed, // `saves` says which file failed and why; the documents are as before
    };
    Status status = Status::Done;
    QString message;
    // Every save made, in order; the last one failed when the status says so.
    std::vector<WizardSaveResult> saves;
    bool done() const { return status == Status::Done; }
};

// The longest alias name the game accepts.
constexpr int kMaxAliasNameLength = 31;
// Whether a key's name holds a character the console splits a command on.
bool keySplitsInConsole(const QString& key);

// Why a request cannot be bound, or empty: a key whose name the console splits on, a script
// name longer than the game accepts, no key, a chat text with a double quote, a semicolon
// or characters Windows-1251 cannot hold, a config whose text could not be read (its document
// holds a message, not the file).
QString refusalFor(const WizardWorkingSet& ws, const BindRequest& request);

// The whole BIND command: refuse or write, save the autoexec document (in autoexec mode) and the
// working document, and only when both are on disk move the key lists. `onDocumentsPage` runs
// its argument where the documents may be read (the window switches to page 1 and back).
BindOutcome runBind(WizardWorkingSet& ws, const BindRequest& request,
                    const QStringList& actionCommands,
                    const std::function<void(const std::function<void()>&)>& onDocumentsPage = {});

} // namespace script
