// The words of the keyboard map: what each colour means, the hover text of a key (its bind
// lines, what it finally runs, its combinations, the explanation of a known command) and the
// filter that lights keys by the commands they run.
#pragma once

#include "keys/key_resolution.h"

#include <functional>

// "Свободна", "Действие игры", ...: the legend's captions.
QString keyKindCaption(KeyKind kind);

// True when the filter text occurs (letter case aside) in the key's command, in what it finally
// runs (pressed or released) or in what it runs as part of a combination.
bool bindingMatches(const KeyBinding& binding, const QString& filter);

struct KeyDescriptionSources {
    // The text of a 0-based line of the document.
    std::function<QString(int)> lineText;
    // The explanation of a command name, or an empty string for none.
    std::function<QString(const QString&)> explanation;
};

// The hover text of a key, as rich text.
QString keyDescription(const QString& key, const KeyBinding& binding,
                       const KeyDescriptionSources& sources);

// The line a click on the key goes to: the bind in force, or the modifier's bind for a key
// that only a combination uses; -1 for a free key.
int lineForKey(const KeyMapResult& map, const QString& key);

// The line a click on a free key offers to add.
QString newBindLine(const QString& key);

// The names under the keyboard for unknown keys: "LWIN (строки 6, 8)".
QString unknownKeysText(const QList<UnknownKeyName>& unknown, int maxNames = 40);
