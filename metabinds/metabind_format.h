// The MetaBind file: a piece of config script with numbered key placeholders ("<<1>>", "<<2>>",
// ...) and an INI header ("[MetaBind]" with "name", "but" and "label") after it. Reading the
// header, cutting it off the script, and putting the chosen keys into the placeholders.
#pragma once

#include "platform/text_file.h"

#include <QString>
#include <QStringList>

namespace metabind {

// The most key slots a MetaBind can have: the slot count is an 8-bit number.
constexpr int kMaxSlots = 255;

struct Header {
    QString name;  // empty: the MetaBind has no name and is not listed
    QString label; // empty: no description
    int slotCount = 0;
};

// The header read as INI data from the whole text (section and keys in any letter case). A name
// or label that is missing, empty or exactly "error" counts as missing.
Header readHeader(const QString& text);

// The slot count a "but" value gives: decimal, or hexadecimal after "0x" or "$", counted by its
// low 8 bits; an empty, non-numeric or out-of-range value gives none.
int slotCountFrom(const QString& value);

// Where the script ends: the position of the line break before the first of the header forms
// "[Metabind]", "[MetaBind]", "[metabind]", "[METABIND]" (tried in this order, the first form
// found anywhere wins), or -1 when none follows a line break.
qsizetype headerStart(const QString& text);

// The script: the text up to the header, or the whole text when no header form is found.
QString scriptOf(const QString& text);

// "<<n>>".
QString placeholder(int slot);
// The slot list's entry before a key is chosen: "Кнопка <<n>>".
QString slotCaption(int slot);
QStringList slotCaptions(int slotCount);
// A slot still waiting for its key: its entry begins with "К" (no key name does).
bool isUnassigned(const QString& entry);
bool allAssigned(const QStringList& entries);

// Puts `key` in place of every placeholder of `slot`. The result is that of replacing the first
// placeholder from the top of the text again and again until none is left (a key may complete a
// new placeholder with the text around it: "<<" "<<1>>" ">>" with the key "1" becomes "1"), got
// in one pass. A key holding ">" could make that repetition endless; such a key (no key name
// has one) replaces each placeholder of the text once.
QString fillSlot(const QString& script, int slot, const QString& key);
// Why a key cannot fill a slot, or an empty string: a key the console splits a command on or
// skips (";", "'", ",", ...) would break the script where it stands bare.
QString slotKeyRefusal(const QString& key);
// Fills slot 1 with keys[0], then slot 2 with keys[1], and so on.
QString fillSlots(const QString& script, const QStringList& keys);

// One MetaBind file read whole: its header and its script.
struct MetaBindFile {
    textfile::ReadResult file; // the read; on failure nothing else is set
    Header header;
    QString script;
    bool ok() const { return file.ok(); }
};

// Reads a MetaBind the way the editor reads a file (a binary file or one larger than the
// editor takes is refused).
MetaBindFile readMetaBind(const QString& path);

} // namespace metabind
