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
#include <algorithm>
#include <array>
#include <type_traits>

namespace console {

// The console's limits, in bytes of the file.
constexpr int kCommandBytes = 1023;
constexpr int kWordBytes = 514;
constexpr int kMaxWords = 80;
constexpr int kAliasNameBytes = 31;
constexpr int kAliasBodyBytes = 1022;
// The words of a setinfo that sets a key: setinfo, the key and its value. The console sets
// nothing from one of more words.
constexpr int kSetinfoWords = 3;
// A file this long or longer is run line by line by the Steam-era engine.
constexpr qint64 kLineByLineFileBytes = 16382;

// How many bytes a character takes in the file: one in Windows-1251, one to four in UTF-8.
enum class Bytes : quint8 { Single, Utf8 };

constexpr bool isOneCharWord(char16_t c) {
    // "'", "(", ")", "," and ":" below 64, "{" and "}" above: one test against a mask each.
    constexpr quint64 low =
        (1ull << '\'') | (1ull << '(') | (1ull << ')') | (1ull << ',') | (1ull << ':');
    constexpr quint64 high = (1ull << ('{' - 64)) | (1ull << ('}' - 64));
    return c < 64 ? (low >> c) & 1 : c < 128 && ((high >> (c - 64)) & 1);
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
inline char16_t foldedChar(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}
inline bool sameName(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    const char16_t* x = reinterpret_cast<const char16_t*>(a.data());
    const char16_t* y = reinterpret_cast<const char16_t*>(b.data());
    for (qsizetype i = 0; i < a.size(); ++i)
        if (x[i] != y[i] && foldedChar(x[i]) != foldedChar(y[i]))
            return false;
    return true;
}
// A name in the form names are kept in: ASCII capitals lowered, nothing else changed.
QString foldedName(QStringView name);
void foldName(QStringView name, QString& into);
// Where `name` (lower case, two characters or more) next stands in `text` from `from` on, as the
// console compares names (anywhere, not only as a word), or -1.
qsizetype findName(QStringView text, qsizetype from, QStringView name);

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
    int stop = 0;         // the ";" or line break that ends it, the character lost at the
                          // cut, or the end of the text; the next command begins after it
    int wordsEnd = 0;     // just after its last word kept
    int wordCount = 0;    // every word kept (at most kMaxWords)
    int comment = -1;     // where a comment begins in it, or -1
    int droppedWord = -1; // where a word too long for the console begins, or -1
    bool cut = false;     // longer than the console's line: its rest is another command
    bool unclosedQuote = false;
    // What the console reads otherwise than it looks (-1 for none): the first non-ASCII
    // character skipped where a word would begin (a word written with a Russian letter first,
    // outside quotes), the first bare word with a quote in it, and the first one-character
    // word after the name.
    int foreignStart = -1;
    int gluedQuote = -1;
    int oneCharWord = -1;
};

namespace console::detail {
// Where the command that begins at `start` ends (see CommandReading::stop), and whether the
// console cuts it.
int commandStop(const char16_t* s, int start, int size, Bytes bytes, bool& cut);
// The first quote or line break from `from` on (or ";" too, when `semicolon`), or `stop`.
int quotedWordEndFar(const char16_t* s, int from, int stop, bool semicolon);
inline int quotedWordEnd(const char16_t* s, int from, int stop, bool semicolon) {
    // Most quoted words are a few letters: those are read here, longer ones eight at a time.
    const int near = std::min(stop, from + 16);
    for (int i = from; i < near; ++i) {
        const char16_t c = s[i];
        if (c == u'"' || c == u'\n' || (semicolon && c == u';'))
            return i;
    }
    return near < stop ? quotedWordEndFar(s, near, stop, semicolon) : stop;
}
// Whether the characters from `from` to `to` take more than `limit` bytes.
bool longerThan(const char16_t* s, int from, int to, int limit, Bytes bytes);
inline bool mayBeLongerThan(int length, int limit, Bytes bytes) {
    return length > (bytes == Bytes::Single ? limit : limit / 3);
}

// Takes a word the reading found (`quoteInside`: a bare word with a quote in it): false when the
// console drops it (and every word after it).
template <typename Word>
inline bool keepWord(const char16_t* s, const CommandWord& w, bool quoteInside, Bytes bytes,
                     CommandReading& r, Word& word) {
    if (mayBeLongerThan(w.textLength(), kWordBytes, bytes) &&
        longerThan(s, w.textStart(), w.textStart() + w.textLength(), kWordBytes, bytes)) {
        r.droppedWord = w.start;
        return false;
    }
    r.unclosedQuote = r.unclosedQuote || !w.closed;
    if (!w.quoted) {
        if (r.wordCount > 0 && r.oneCharWord < 0 && w.length == 1 && isOneCharWord(s[w.start]))
            r.oneCharWord = w.start;
        if (quoteInside && r.gluedQuote < 0)
            r.gluedQuote = w.start;
    }
    if (r.wordCount < kMaxWords) {
        ++r.wordCount;
        r.wordsEnd = w.end();
        // A `word` that returns false has read enough: the words after are not read.
        if constexpr (std::is_same_v<decltype(word(std::as_const(w))), bool>) {
            if (!word(std::as_const(w)))
                return false;
        } else {
            word(std::as_const(w));
        }
    }
    return true;
}

// The blanks from `i` on, skipped; the first non-ASCII one noted.
inline int skipBlanks(const char16_t* s, int i, int size, CommandReading& r) {
    for (; i < size && skippedBeforeWord(s[i]); ++i)
        if (s[i] >= 0x80 && r.foreignStart < 0)
            r.foreignStart = i;
    return i;
}

// Reads the words from `i` up to `stop`, a command's known end.
template <typename Word>
void readWordsWithin(const char16_t* s, int i, int stop, Bytes bytes, CommandReading& r,
                     Word& word) {
    for (;;) {
        i = skipBlanks(s, i, stop, r);
        if (i >= stop)
            return;
        if (s[i] == u'/' && i + 1 < stop && s[i + 1] == u'/') {
            r.comment = i;
            return;
        }
        CommandWord w;
        w.start = i;
        bool quoteInside = false;
        if (s[i] == u'"') {
            w.quoted = true;
            const int close = quotedWordEnd(s, i + 1, stop, false);
            w.closed = close < stop && s[close] == u'"';
            i = w.closed ? close + 1 : stop;
        } else if (isOneCharWord(s[i])) {
            ++i;
        } else {
            for (++i; i < stop && !endsBareWord(s[i]); ++i)
                quoteInside = quoteInside || s[i] == u'"';
        }
        w.length = i - w.start;
        if (!keepWord(s, w, quoteInside, bytes, r, word))
            return;
    }
}
} // namespace console::detail

// Reads the command that begins at `start` (just after the ";" or line break before it): finds
// its end, then hands each word the console keeps to `word(const CommandWord&)` in order (a
// `word` that returns bool stops the reading with false; the reading's counts then stop there).
// `nameEnd`, when known (the end of a bare name, as forEachCommandFound gives it), spares
// finding the name's end again.
template <typename Word>
CommandReading readCommand(QStringView text, int start, console::Bytes bytes, Word&& word,
                           int nameEnd = -1, int knownStop = -1) {
    namespace detail = console::detail;
    const char16_t* s = reinterpret_cast<const char16_t*>(text.data());
    CommandReading r;
    if (knownStop >= 0)
        r.stop = knownStop;
    else
        r.stop = detail::commandStop(s, start, int(text.size()), bytes, r.cut);
    r.wordsEnd = start;
    int from = start;
    if (nameEnd > start && nameEnd <= r.stop && nameEnd - start <= console::kWordBytes / 3) {
        CommandWord name;
        name.start = start;
        name.length = nameEnd - start;
        bool quoteInside = false;
        for (int i = start + 1; i < nameEnd; ++i)
            quoteInside = quoteInside || s[i] == u'"';
        if (!detail::keepWord(s, name, quoteInside, bytes, r, word))
            return r;
        from = nameEnd;
    }
    detail::readWordsWithin(s, from, r.stop, bytes, r, word);
    return r;
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
// between the separator before the command and its name; `nameEnd` as readCommand takes it.)
CommandSpan commandAt(QStringView text, int lineStart, int start,
                      console::Bytes bytes = console::Bytes::Single, int nameEnd = -1);
// The same for a command whose end is known (as forEachCommandFound gives it): only its own
// characters are read.
CommandSpan commandWithin(QStringView text, int lineStart, int start, int stop, int nameEnd = -1,
                          console::Bytes bytes = console::Bytes::Single);

// The first argument (the word after the name, without its quotes) of a command whose end is
// known, as commandWithin reads it, and nothing after it: false for a command of one word.
bool firstArgumentWithin(QStringView text, int start, int stop, int nameEnd, QStringView& argument,
                         console::Bytes bytes = console::Bytes::Single);

// Where the line that holds `from` ends: its "\n", or the end of the text.
int lineEndFrom(QStringView text, int from);

// Whether a stretch of a line holds no word the console would run: only blanks, ";", comments
// and non-ASCII characters.
bool holdsNoCommand(QStringView line);

namespace commandstarts {
using Callback = void (*)(void* visitor, int lineStart, int start, QStringView name, int stop);
void forEach(QStringView text, console::Bytes bytes, Callback callback, void* visitor);
} // namespace commandstarts

// Where each command of a text begins, in order, as CommandScanner finds them:
// `visit(int lineStart, int start, QStringView name)` with the start of its line, its first
// character and its name (without quotes), or `visit(lineStart, start, name, int stop)` with its
// end too (see CommandSpan::stop). Reads only the marks of the text, 64 characters at a time, so
// indexing a large config costs little more than one scan of it; a line that holds a command
// longer than the console's line is read again command by command.
template <typename Visit>
void forEachCommandFound(QStringView text, Visit&& visit,
                         console::Bytes bytes = console::Bytes::Single) {
    using Visitor = std::remove_reference_t<Visit>;
    commandstarts::forEach(
        text, bytes,
        [](void* visitor, int lineStart, int start, QStringView name, int stop) {
            Visitor& v = *static_cast<Visitor*>(visitor);
            if constexpr (std::is_invocable_v<Visitor&, int, int, QStringView, int>)
                v(lineStart, start, name, stop);
            else
                v(lineStart, start, name);
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

// What to write in place of word `index` (one of its first three) of `command` so that the
// console reads `value` there as a word of its own and every word around it as before: the value
// as commandValueText writes it (bare where the old word was bare), with a blank before it where
// it would continue the word before (`ghosts)`, `sensitivity(2`) and one after it where the text
// after would continue it (`sensitivity (2`).
QString valueOverWord(QStringView text, const CommandSpan& command, int index,
                      const QString& value);
