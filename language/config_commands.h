// The commands of a config text as the game's console reads them, by position only: a command
// begins at the start of a line or after a ";" outside quotes (leading blanks and tabs skipped);
// "//" outside quotes starts a comment that runs to the end of its command (the next ";" outside
// quotes, as the console splits a line before it reads comments, or the line's end); a
// command's words are separated by any run of blanks; a word is quoted (up to its closing quote,
// never past the end of the line) or bare (up to the next blank, ";", quote or "//"). The
// scanner allocates nothing per command, so the wizard can walk a 16 MB config in one pass and
// rewrite exactly the characters of one command.
#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <type_traits>

struct CommandWord {
    int start = 0;  // the first character, the opening quote of a quoted word
    int length = 0; // quotes included
    bool quoted = false;
    bool closed = true; // false for a quoted word that runs to the end of its line

    int end() const { return start + length; }
    // Where the word's text begins and how long it is, without its quotes.
    int textStart() const { return quoted ? start + 1 : start; }
    int textLength() const { return quoted ? length - (closed ? 2 : 1) : length; }
};

struct CommandSpan {
    int lineStart = 0; // the line that holds the command
    int lineEnd = 0;   // its "\n", or the end of the text
    int start = 0;     // the first character of the command's name
    int end = 0;       // just after its last word
    int wordCount = 0; // every word, the name included
    // The first three words: the name and two arguments (enough for a setting, a setinfo, a
    // bind and an alias).
    std::array<CommandWord, 3> words{};

    QStringView word(QStringView text, int index) const {
        return index < wordCount && index < int(words.size())
                   ? text.mid(words[size_t(index)].textStart(), words[size_t(index)].textLength())
                   : QStringView();
    }
};

// The words of a command from `first` on, without their quotes, joined by single blanks: what
// `bind` and `alias` take as their command when it is not one quoted word
// (`bind k impulse 100` binds "impulse 100").
QString joinedArguments(QStringView text, const CommandSpan& command, int first);

// Walks the commands of a text in order. `from` must be the start of a line.
class CommandScanner {
public:
    explicit CommandScanner(QStringView text, int from = 0);
    // Starting at the first character of a command on the line from `lineStart` to `lineEnd`.
    CommandScanner(QStringView text, int lineStart, int lineEnd, int commandStart);
    // The next command; false at the end of the text.
    bool next(CommandSpan& command);

private:
    QStringView text_;
    int position_;
    int lineStart_;
    int lineEnd_;
};

// The command whose first character is `start`, on the line that begins at `lineStart`, read
// as CommandScanner reads it; its line's end is found on the way. The length of its name, when
// known (as forEachCommandFound gives it), spares reading the name again.
CommandSpan commandAt(QStringView text, int lineStart, int start, int nameLength = -1);

// Where the comment whose "//" is at `start` ends: at the ";" outside quotes that ends its command
// (the console splits a line at ";" before it reads comments), at a line break, or at `lineEnd`.
int commentEnd(QStringView text, int start, int lineEnd);

// Where the line that holds `from` ends: its "\n", or the end of the text.
int lineEndFrom(QStringView text, int from);

namespace commandstarts {
using Callback = void (*)(void* visitor, int lineStart, int start, QStringView name);
void forEach(QStringView text, Callback callback, void* visitor);
} // namespace commandstarts

// Where each command of a text begins, in order, as CommandScanner finds them:
// `visit(int lineStart, int start, QStringView name)` with the start of its line, its first
// character and its name (without quotes). Reads only the quotes, ";", "/", blanks and line
// breaks of the text, 64 characters at a time, so indexing a large config costs little more
// than one scan of it.
template <typename Visit> void forEachCommandFound(QStringView text, Visit&& visit) {
    using Visitor = std::remove_reference_t<Visit>;
    commandstarts::forEach(
        text,
        [](void* visitor, int lineStart, int start, QStringView name) {
            (*static_cast<Visitor*>(visitor))(lineStart, start, name);
        },
        const_cast<void*>(static_cast<const void*>(&visit)));
}

// The same, with the end of each command's line (its "\n" or the end of the text):
// `visit(int lineStart, int lineEnd, int start, QStringView name)`.
template <typename Visit> void forEachCommandStart(QStringView text, Visit&& visit) {
    int lineStart = -1;
    int lineEnd = 0;
    forEachCommandFound(text, [&](int commandLine, int start, QStringView name) {
        if (commandLine != lineStart) {
            lineStart = commandLine;
            lineEnd = lineEndFrom(text, start); // quotes never run past a line's end
        }
        visit(lineStart, lineEnd, start, name);
    });
}

// The whole-text form of a value as a command writes it: quoted, unless `bare` is asked for and
// the value needs no quotes (no blank, ";", quote or "//", and not empty).
QString commandValueText(const QString& value, bool bare = false);

// The game compares command and variable names without regard to ASCII letter case.
bool sameName(QStringView a, QStringView b);

// Whether a value can be written inside double quotes at all: a quote would end it early.
bool valueFitsInQuotes(QStringView value);
