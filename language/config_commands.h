// The one reader of the console language: how the game's console splits a config into commands
// and a command into words. Every other part of the program (the wizard's index and rewriting,
// the highlighter, the check, the keyboard map, hover, completion, alias counting) reads through
// the functions here; nothing else looks at ";", quotes, "//" or blanks.
//
// The console's rules, as the engine's command buffer and tokenizer apply them:
// - a command ends at a line break, or at a ";" when the quotes since the command's start are
//   even; comments play no part in splitting;
// - before a word every character up to the blank is skipped (the line break aside), and so is
//   every non-ASCII character: the engine compares a signed char, so a word never begins with a
//   Russian letter; inside a bare word such characters continue it;
// - "{ } ( ) ' , :" are words of one character;
// - a bare word ends at a blank or control character or one of those: a quote or "//" inside it
//   stays in it; "//" is a comment only where a word would begin, and runs to the command's end;
// - a quoted word runs to the next quote or the command's end, with no escapes;
// - limits, in bytes of the file's encoding: a command longer than 1023 bytes runs its first 1023,
//   loses the next byte, and the rest runs as a new command; a word of 515 bytes or more is dropped
//   with every word after it; at most 80 words are kept.
// The scanners allocate nothing per command, so the wizard can walk a 16 MB config in one pass
// and rewrite exactly the characters of one command.
#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <type_traits>

namespace console {

// The console's limits, in bytes of the file.
constexpr int kCommandBytes = 1023;
constexpr int kWordBytes = 514;
constexpr int kMaxWords = 80;
constexpr int kAliasNameBytes = 31;
constexpr int kAliasBodyBytes = 1022;
// A file this long or longer is run line by line by the Steam-era engine.
constexpr qint64 kLineByLineFileBytes = 16382;

// How many bytes a character takes in the file: one in Windows-1251, one to four in UTF-8.
enum class Bytes : quint8 { Single, Utf8 };

constexpr bool isOneCharWord(char16_t c) {
    return c == u'{' || c == u'}' || c == u'(' || c == u')' || c == u'\'' || c == u',' ||
           c == u':';
}
// Skipped where a word would begin: blanks, control characters but the line break, and every
// non-ASCII character.
constexpr bool skippedBeforeWord(char16_t c) {
    return c >= 0x80 || (c <= u' ' && c != u'\n');
}
// Ends a bare word: a blank, a control character or a one-character word.
constexpr bool endsBareWord(char16_t c) {
    return c <= u' ' || isOneCharWord(c);
}

// The length of a text in the file's bytes.
int byteLength(QStringView text, Bytes bytes);

// Names compare as the console compares them: ASCII letters without regard to case, every other
// character as it is ("Rate" is "rate", "Огонь" is not "огонь").
bool sameName(QStringView a, QStringView b);
// A name in the form names are kept in: ASCII capitals lowered, nothing else changed.
QString foldedName(QStringView name);
void foldName(QStringView name, QString& into);
inline char16_t foldedChar(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

} // namespace console

using console::sameName;

struct CommandWord {
    int start = 0;  // the first character, the opening quote of a quoted word
    int length = 0; // quotes included
    bool quoted = false;
    bool closed = true; // false for a quoted word that runs to the end of its command

    int end() const { return start + length; }
    // Where the word's text begins and how long it is, without its quotes.
    int textStart() const { return quoted ? start + 1 : start; }
    int textLength() const { return quoted ? length - (closed ? 2 : 1) : length; }
};

// Where a command ends and how its words were read.
struct CommandReading {
    int stop = 0;       // the ";" or line break that ends it, the character lost at the
                        // cut, or the end of the text; the next command begins after it
    int wordsEnd = 0;   // just after its last word kept
    int wordCount = 0;  // every word kept (at most kMaxWords)
    int comment = -1;   // where a comment begins in it, or -1
    int droppedWord = -1; // where a word too long for the console begins, or -1
    bool cut = false;   // longer than the console's line: its rest is another command
    bool unclosedQuote = false;
    // What the console reads otherwise than it looks (-1 for none): the first non-ASCII
    // character skipped where a word would begin (a word written with a Russian letter first,
    // outside quotes), the first bare word with a quote in it, and the first one-character
    // word after the name.
    int foreignStart = -1;
    int gluedQuote = -1;
    int oneCharWord = -1;
};

// Reads the command that begins at `start` (just after the ";" or line break before it): finds
// its end, then hands each word the console keeps to `word(const CommandWord&)` in order.
CommandReading readCommand(QStringView text, int start, console::Bytes bytes,
                           void (*word)(void*, const CommandWord&), void* visitor);
template <typename Word>
CommandReading readCommand(QStringView text, int start, console::Bytes bytes, Word&& word) {
    using Visitor = std::remove_reference_t<Word>;
    return readCommand(
        text, start, bytes,
        [](void* visitor, const CommandWord& w) { (*static_cast<Visitor*>(visitor))(w); },
        const_cast<void*>(static_cast<const void*>(&word)));
}

struct CommandSpan {
    int lineStart = 0; // the line that holds the command
    int lineEnd = 0;   // its "\n", or the end of the text
    int start = 0;     // the first character of the command's name
    int end = 0;       // just after its last word
    int stop = 0;      // its ";", its line's "\n", the character lost at a cut, or the text's end
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
// `bind` and `alias` take as their command (`bind k impulse 100` binds "impulse 100",
// `bind k "" x` binds " x").
QString joinedArguments(QStringView text, const CommandSpan& command, int first,
                        console::Bytes bytes = console::Bytes::Single);

// Walks the commands of a text in order, leaving out empty ones. `from` must be the start of a
// line.
class CommandScanner {
public:
    explicit CommandScanner(QStringView text, int from = 0,
                            console::Bytes bytes = console::Bytes::Single);
    // Starting at the first character of a command on the line from `lineStart` to `lineEnd`.
    CommandScanner(QStringView text, int lineStart, int lineEnd, int commandStart,
                   console::Bytes bytes = console::Bytes::Single);
    // The next command; false at the end of the text.
    bool next(CommandSpan& command);

private:
    QStringView text_;
    int position_;
    int lineStart_;
    int lineEnd_;
    console::Bytes bytes_;
};

// The command whose first character is `start`, on the line that begins at `lineStart`, read
// as CommandScanner reads it; its line's end is found on the way. (`start` may be anywhere
// between the separator before the command and its name.)
CommandSpan commandAt(QStringView text, int lineStart, int start,
                      console::Bytes bytes = console::Bytes::Single);

// Where the line that holds `from` ends: its "\n", or the end of the text.
int lineEndFrom(QStringView text, int from);

// Whether a stretch of a line holds no word the console would run: only blanks, ";", comments
// and non-ASCII characters.
bool holdsNoCommand(QStringView line);

namespace commandstarts {
using Callback = void (*)(void* visitor, int lineStart, int start, QStringView name);
void forEach(QStringView text, console::Bytes bytes, Callback callback, void* visitor);
} // namespace commandstarts

// Where each command of a text begins, in order, as CommandScanner finds them:
// `visit(int lineStart, int start, QStringView name)` with the start of its line, its first
// character and its name (without quotes). Reads only the marks of the text, 64 characters at a
// time, so indexing a large config costs little more than one scan of it; a line that holds a
// command longer than the console's line is read again command by command.
template <typename Visit>
void forEachCommandFound(QStringView text, Visit&& visit,
                         console::Bytes bytes = console::Bytes::Single) {
    using Visitor = std::remove_reference_t<Visit>;
    commandstarts::forEach(
        text, bytes,
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
            lineEnd = lineEndFrom(text, start);
        }
        visit(lineStart, lineEnd, start, name);
    });
}

// How a value is written so that the console reads it back as exactly that value: bare when
// `bare` is asked for and nothing in it would split or end it, else in quotes. Quotes are needed
// for an empty value and for one that holds a blank or control character, ";", "//", a
// one-character word or a non-ASCII character.
QString commandValueText(const QString& value, bool bare = false);
// Whether a value needs quotes to be read back as itself.
bool valueNeedsQuotes(QStringView value);

// Whether a value can be written at all: a quote or a line break would end it early.
bool valueFitsInQuotes(QStringView value);
