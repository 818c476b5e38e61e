// The wizard's search and editing over its documents, by commands as the game's console reads
// them: a setting is the command whose name is the setting's name (or the `setinfo` command of
// a user-info key), wherever it stands on its line; rewriting a setting changes only its value
// and keeps the rest of the line; deleting removes only that command, and its line when nothing
// else is left on it. The last command of a setting is the one the game keeps, so that is the
// one read and rewritten.
#pragma once

#include "language/config_commands.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class WizardDocument;
struct WizardWorkingSet;

// A setting as the wizard finds it: a console variable (`rate "2500"`, `rate 2500`) or a
// user-info key (`setinfo "_ah" "1"`, `setinfo _ah 1`).
struct SettingRef {
    QString name;
    bool setinfo = false;
};
inline SettingRef cvarSetting(const QString& name) {
    return {name, false};
}
inline SettingRef userInfoSetting(const QString& name) {
    return {name, true};
}

// One step of the find primitive on a wizard document with the shared find text: searches from
// the end of the selection (from the top when nothing is selected), selects the match and
// leaves its position, or -1, in the shared last found position.
int FindDialog1Find2(WizardWorkingSet& ws, WizardDocument& document);

// The command of a setting in a document: the last one, as the game keeps the last value.
std::optional<CommandSpan> findSetting(const WizardDocument& document, const SettingRef& setting);
// The text of the setting's value word (without quotes); empty for a command without a value.
QString settingValueText(const WizardDocument& document, const SettingRef& setting,
                         const CommandSpan& command);

struct SettingValue {
    bool found = false;
    QString value; // the value's text; empty when not found or when the command has none
};

// Finds a setting in mem1 and reads its value. The shared find state and the found position
// follow the search, and the value becomes mem1's selection.
SettingValue FindSettingValue(WizardWorkingSet& ws, const SettingRef& setting);
// Whether mem1 holds a command of that name (the bare keywords: drawradar, unbindall, ...).
bool hasCommand(const WizardDocument& document, const QString& name);
// The last command of that name, if any.
std::optional<CommandSpan> lastCommand(const WizardDocument& document, const QString& name);

// Rewrites the value of the setting's command in mem1 (nothing changes when it already holds
// that value), or, unless `noAdd`, appends `name "value"` (`setinfo "name" "value"`) as a new
// last line. lineWritten tells whether an existing command was rewritten.
void Savy(WizardWorkingSet& ws, const SettingRef& setting, const QString& value, bool noAdd);
// Replaces a whole command (a keyword such as hideradar) by `replacement`; false when absent.
bool replaceCommand(WizardDocument& document, const QString& name, const QString& replacement);
// Removes every command of that name; how many went.
int removeCommandsNamed(WizardDocument& document, const QString& name);

// The key bound to exactly `command` (`+forward`: `bind "w" "+forward"`, not
// `bind "w" "+forward;+jump"`), or empty; the first such binding counts.
QString FindKeyFor(WizardWorkingSet& ws, const QString& command);
// FindKeyFor for many commands in one pass over mem1's bindings: the same keys, same order.
QStringList findKeysFor(WizardWorkingSet& ws, const QStringList& commands);
// Moves every key that mem1 binds from the free-key list to the used-key list.
void CollectBoundKeys(WizardWorkingSet& ws);
// CollectBoundKeys and findKeysFor in one pass over mem1's bindings.
QStringList collectBoundKeysAndFindKeysFor(WizardWorkingSet& ws, const QStringList& commands);

// The bindings of a key in a document, any letter case; `bind` commands only.
QList<CommandSpan> bindingsOf(const WizardDocument& document, const QString& key);
// The command bound to a key (the last binding, as the game keeps it), without its quotes.
QString boundCommand(const WizardDocument& document, const QString& key);
// Removes every binding of a key; how many went.
int removeBindings(WizardDocument& document, const QString& key);
// The alias commands whose name is `name` (any letter case).
QList<CommandSpan> aliasesNamed(const WizardDocument& document, const QString& name);
// Removes every alias of that name; how many went.
int removeAliases(WizardDocument& document, const QString& name);
// Removes every alias whose name begins with `prefix` (any letter case); how many went.
int removeAliasesStartingWith(WizardDocument& document, const QString& prefix);
// The body of the last alias of that name, without its quotes; empty when there is none.
QString aliasBody(const WizardDocument& document, const QString& name);

// a-z raised, nothing else: how the program writes some key names.
QString asciiUpper(const QString& text);
