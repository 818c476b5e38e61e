// The wizard's line search and line editing over its documents: a setting is found by the first
// occurrence of a fixed prefix and changed by rewriting, appending or deleting its whole line.
// Every search goes through the program's one find state (the find text and the last found
// position), so afterwards the main window's find dialog holds the last prefix searched for.
#pragma once

#include <QString>
#include <QStringList>

class WizardDocument;
struct WizardWorkingSet;

// Which occurrences of a prefix count.
enum class MatchRule {
    // Only an occurrence that begins a command: at the start of a line or after a blank, a tab,
    // a double quote or a semicolon. A setting's prefix (`rate "`) is never taken from the
    // middle of another name (`cl_updaterate "`).
    CommandStart,
    // Any occurrence: texts that carry their own quote or keyword (`bind "F1"`, `" "+jump"`).
    Anywhere,
};

// One step of the find primitive on a wizard document with the shared find text: searches from
// the end of the selection (from the top when nothing is selected), selects the match and
// leaves its position, or -1, in the shared last found position.
int FindDialog1Find2(WizardWorkingSet& ws, WizardDocument& document);

struct SettingValue {
    bool found = false;
    QString value; // the keyword itself for a bare keyword; empty when not found
};

// The four prefixes that stand alone on their line.
bool isBareKeyword(const QString& prefix);

// Finds the first occurrence of `prefix` in mem1 and reads the quoted value after it (see the
// cases in line_search.cpp). Sets foundPosition when the prefix occurs.
SettingValue FindSettingValue(WizardWorkingSet& ws, const QString& prefix,
                              MatchRule rule = MatchRule::CommandStart);
// "1" when `text` occurs in mem2 (the match stays selected), else empty.
QString FindInMem2(WizardWorkingSet& ws, const QString& text);
// The key bound to exactly the command of `commandText` (`" "+forward"`), or empty.
QString FindKeyFor(WizardWorkingSet& ws, const QString& commandText);
// FindKeyFor for many command texts in one pass down mem1: the same keys, in the same order.
QStringList findKeysFor(WizardWorkingSet& ws, const QStringList& commandTexts);
// Moves every key that mem1 binds from the free-key list to the used-key list.
void CollectBoundKeys(WizardWorkingSet& ws);
// Deletes the line of the last occurrence a search found in `document`; nothing when none.
void DeleteFoundLine(WizardDocument& document);

// Rewrites the line of the first occurrence of `prefix` in mem1 or appends a new last line, by
// ExactLineMode/Min/Max and `noAdd`; sets lineWritten and the found position.
void Savy(WizardWorkingSet& ws, const QString& prefix, const QString& value, bool noAdd);

// Looks `prefix` up in mem1 (with FindSettingValue's rule for "found") and deletes its line;
// true when a line went. The key pages' removals go through this.
bool deleteSettingLine(WizardWorkingSet& ws, const QString& prefix,
                       MatchRule rule = MatchRule::Anywhere);
// The same in mem2 with FindInMem2's plain search.
bool deleteMem2Line(WizardWorkingSet& ws, const QString& text);
// Deletes every line of mem1 (or of mem2 when `inMem2`) on which `prefix` occurs, in one pass
// down the document; returns how many went.
int deleteEveryLineWith(WizardWorkingSet& ws, const QString& prefix, bool inMem2);

// A-Z only, as config key names fold.
QString asciiLower(const QString& text);
QString asciiUpper(const QString& text);
