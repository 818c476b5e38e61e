// A mod's title and version from its "liblist.gam": the text after `game "` and after
// `version "`, up to the next quotation mark (or the end of the text when it has none).
#pragma once

#include <QString>

struct ModInfo {
    QString title;
    QString version;
    bool readable = false; // false: the file is missing or could not be read
    // Where the last search (for the version) found its key, or -1: the launcher's searches
    // leave this in the program's shared find state.
    int lastFoundPos = -1;
};

QString titleKey();   // game "
QString versionKey(); // version "

// Case-sensitive search for `what` from position `from`; -1 when not found.
int findFrom(const QString& text, const QString& what, int from);

// The value after the first `key` (which ends with the opening quotation mark); empty when
// the key is absent.
QString valueAfterKey(const QString& text, const QString& key, int* foundAt = nullptr);

ModInfo parseLiblist(const QString& text);
ModInfo readModInfo(const QString& modFolder);
