// Binding one key to one action.
#include "wizard/key_assignment.h"

#include "wizard/action_table.h"
#include "wizard/line_search.h"
#include "wizard/pivo.h"
#include "wizard/wizard_working_set.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// The action's binding to its old key becomes the binding to the new key, in place, the rest of
// its line kept; an action that had none gets a new last line.
void rebindAction(WizardDocument& document, const QString& oldKey, const QString& key,
                  const QString& command) {
    const QString bound = command.size() >= 2 && command.startsWith(u'"') && command.endsWith(u'"')
                              ? command.mid(1, command.size() - 2)
                              : command;
    if (!oldKey.isEmpty()) {
        for (const CommandSpan& c : bindingsOf(document, oldKey)) {
            if (c.word(document.content(), 2) == bound) {
                document.replaceRange(c.start, c.end - c.start, actionBindLine(key, command));
                return;
            }
        }
    }
    document.appendLine(actionBindLine(key, command));
}

// The used-key list holds the key, spelled as in the config, in either case.
bool usedEntryMatches(const QString& entry, const QString& key) {
    return entry == key || asciiUpper(entry) == key || console::foldedName(entry) == key;
}

} // namespace

QStringList actionCommands() {
    QStringList commands;
    for (const ActionRow& row : actionTable())
        commands.append(actionCommand(row));
    return commands;
}

QString actionBindLine(const QString& key, const QString& command) {
    return u"bind \""_s + key + u"\" "_s + command;
}

QString vopli(WizardWorkingSet& ws, const QString& caption) {
    if (caption.isEmpty())
        return caption;
    const QString lower = console::foldedName(caption);
    const QString upper = asciiUpper(caption);
    for (qsizetype i = 0; i < ws.usedKeys.size(); ++i) {
        const QString& entry = ws.usedKeys.at(i);
        if (entry == caption || entry == lower || entry == upper) {
            ws.usedKeys.removeAt(i);
            ws.freeKeys.append(caption);
            break;
        }
    }
    return caption;
}

QString reassignmentQuestion(const QString& key, const QString& holder) {
    const QString question = u"Вы действительно хотите переназначить выбранную клавишу?"_s;
    if (holder.isEmpty())
        return u"Клавиша "_s + key + u" уже занята.\n"_s + question;
    return u"Клавиша "_s + key + u" сейчас назначена на «"_s + holder + u"».\n"_s + question;
}

bool usedKeysHold(const QStringList& usedKeys, const QString& key) {
    const QString upper = asciiUpper(key);
    for (const QString& entry : usedKeys)
        if (asciiUpper(entry) == upper)
            return true;
    return false;
}

KompotResult assignChosenKey(WizardWorkingSet& ws, const QString& caption, const QString& key,
                             const QString& command) {
    KompotResult result;
    result.previousActionKey = vopli(ws, caption);
    result.caption = key;
    for (const QString& entry : ws.usedKeys)
        if (usedEntryMatches(entry, key))
            return result;
    ws.usedKeys.append(key);
    ws.freeKeys.removeAll(key);
    // A key that runs an action is no modifier: binding it to "+<mod>key" would undo the action.
    ws.comboKeys.removeIf([&](const QString& k) { return usedEntryMatches(k, key); });
    if (!ws.unbindallPresent) {
        ws.mem1.insertAtStart(u"unbindall"_s);
        ws.unbindallPresent = true;
    }
    rebindAction(ws.mem1, result.previousActionKey, key, command);
    result.written = true;
    return result;
}

KeyChoiceResult keyChoiceOk(WizardWorkingSet& ws, const QString& selectedKey,
                            const QString& actionCaption, const QString& command,
                            KeyReassignment& wizard) {
    KeyChoiceResult result;
    if (selectedKey.isEmpty())
        return result;
    // Compared without regard to case: a config's `bind "mouse1"` holds the key "MOUSE1" too,
    // and taking it unasked would leave kompot nothing to write.
    if (!usedKeysHold(ws.usedKeys, selectedKey)) {
        result.outcome = KeyChoice::Accepted;
        return result;
    }
    if (!wizard.confirmReassignment()) {
        result.outcome = KeyChoice::Declined;
        return result;
    }
    wizard.onDocuments([&] {
        pivoFreeKey(ws, selectedKey, actionCaption);
        // The reading appends to the used-key list: it starts empty, as after page 1's showing.
        ws.usedKeys.clear();
        ws.reloadOnly = true;
        pivoRead(ws, actionCommands());
        ws.reloadOnly = false;
        ws.mem1.appendLine(actionBindLine(selectedKey, command));
    });
    result.outcome = KeyChoice::Accepted;
    result.reassigned = true;
    result.caption = selectedKey;
    return result;
}
