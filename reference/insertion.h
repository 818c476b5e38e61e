// The text the value list inserts into the config at the caret: an entry of a command or
// variable list, or a "bind", "setinfo" or "alias" line the insert dialog prepared. Near the start
// of a line (columns 0 to 7) the text takes its line form with quoted values; further right it
// takes the inline form that fits after other commands on the line.
#pragma once

#include <QString>
#include <optional>

// InsertMode: which insertion is made.
namespace insert_mode {
constexpr int kVariable = 1; // an entry of a variable category or a library
constexpr int kCommand = 2;  // an entry of a command category
constexpr int kBind = 5;
constexpr int kSetinfo = 6;
constexpr int kAlias = 7;
} // namespace insert_mode

// The first column at which the inline form is used.
constexpr int kInlineColumn = 8;

// What an insertion is made of: the selected entry of the value list and the insert dialog's
// key, parameter, value and alias name. Each mode reads only its own pieces.
struct InsertionPieces {
    QString entry;
    QString key;
    QString parameter;
    QString value;
    QString aliasName;
};

struct Insertion {
    QString text;
    // The caret goes back one character after the text, between the closing quotes or before
    // the final ";", where the user types the value next.
    bool caretOneLeft = false;
};

// Why the dialog's fields cannot be inserted in `mode` as the console would read them back (a
// double quote, or longer than the console takes), naming the field; empty when they can.
QString insertionRefusal(int mode, const InsertionPieces& pieces);

// The insertion of `mode` at caret column `column`; nothing for an unknown mode. Every value is
// written so that the console reads it back as it stands.
std::optional<Insertion> buildInsertion(int mode, int column, const InsertionPieces& pieces);

// The mode of an entry inserted from the value list: the command form after a click on a command
// category, the variable form otherwise (libraries inherit the form of the last such click).
int listInsertMode(int lastRefPage);
