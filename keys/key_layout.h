// Where each key the game knows stands on the keyboard map: the main block, the function keys,
// the navigation keys, the numeric keypad, the mouse and the joystick buttons, in key units (a
// letter key is 1 x 1). The map draws from this one table, and the names a config binds are
// matched against it the way the game matches them.
#pragma once

#include "language/key_names.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

enum class KeyBlock { Main, Function, Navigation, Keypad, Mouse, Other };

struct KeyCap {
    QString name;  // the engine's name, as a config writes it ("SHIFT", "a", "KP_5", "MOUSE4")
    QString label; // what the cap shows
    QRectF rect;   // in key units
    KeyBlock block = KeyBlock::Main;
    // A second cap for the same key (the right SHIFT, CTRL and ALT send the left one's name).
    bool twin = false;
};

// Every cap of the map, each engine key name once (plus its twins).
const QList<KeyCap>& keyboardLayout();
// The size of the whole map in key units.
QSizeF keyboardLayoutSize();

// Every key name the engine takes in a bind: the named keys and the characters of the keys.
// Alternative spellings (SEMICOLON for ";", upper-case letters) are not in it.
const QStringList& engineKeyNames();

// The cap of a canonical name (not a twin), or nullptr.
const KeyCap* keyCapFor(const QString& canonicalName);
