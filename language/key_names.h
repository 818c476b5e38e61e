// The key names of the console's bind: the one list the check, the keyboard map, the key choice
// dialog and the insert dialog all take theirs from.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The engine's named keys as its key table spells them ("SHIFT", "KP_5", "MOUSE4", "AUX32",
// "SEMICOLON"). Besides these, the engine takes any single ASCII character as the key that types
// it.
const QStringList& namedEngineKeys();

// The key a config's key name binds, as the keyboard map names it, or an empty string for a
// name the engine does not know: a named key in any letter case ("SEMICOLON" is the ";" key),
// or a single printable ASCII character, a capital letter being its letter key.
QString canonicalKeyName(QStringView written);
inline bool isEngineKeyName(QStringView written) {
    return !canonicalKeyName(written).isEmpty();
}

constexpr qsizetype kKeyCount = 109;

// The keys the program offers to bind, in the order the insert dialog lists them. Each name is
// written into a config exactly as it stands here; the key choice dialog and the wizard's
// free-key list take their copies from here.
const QStringList& keyNames();
