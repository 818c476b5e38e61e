// The console language's reader.
#include "language/config_commands.h"

#include "language/block_marks.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using namespace Qt::Literals::StringLiterals;
using console::Bytes;

namespace {

const char16_t* chars(QStringView text) {
    return reinterpret_cast<const char16_t*>(text.data());
}

// The first of `a`, `b` or `c` from `from` on, or `size`. Eight at a time: lines and words are
// short and many, too short for a library call each.
int findAny(const char16_t* s, int from, int size, char16_t a, char16_t b, char16_t c) {
    int i = from;
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi16(short(a));
    const __m128i vb = _mm_set1_epi16(short(b));
    const __m128i vc = _mm_set1_epi16(short(c));
    for (; i + 8 <= size; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i hit = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi16(v, va), _mm_cmpeq_epi16(v, vb)), _mm_cmpeq_epi16(v, vc));
        if (const int m = _mm_movemask_epi8(hit); m != 0)
            return i + __builtin_ctz(unsigned(m)) / 2;
    }
#endif
    for (; i < size; ++i)
        if (s[i] == a || s[i] == b || s[i] == c)
            return i;
    return size;
}

int byteWidth(char16_t c) {
    return c < 0x80 ? 1 : c < 0x800 ? 2 : (c >= 0xD800 && c < 0xE000) ? 2 : 3;
}

} // namespace

// A stretch short enough in characters is not counted.
bool console::detail::longerThan(const char16_t* s, int from, int to, int limit, Bytes bytes) {
    if (!mayBeLongerThan(to - from, limit, bytes))
        return false;
    if (bytes == Bytes::Single)
        return true;
    int count = 0;
    for (int i = from; i < to; ++i)
        if ((count += byteWidth(s[i])) > limit)
            return true;
    return false;
}

namespace {

using console::detail::longerThan;

// The character that holds byte `n` counted from `from` (which must lie before `to`).
int characterAtByte(const char16_t* s, int from, int to, int n, Bytes bytes) {
    if (bytes == Bytes::Single)
        return std::min(from + n, to);
    int count = 0;
    for (int i = from; i < to; ++i) {
        count += byteWidth(s[i]);
        if (count > n)
            return i;
    }
    return to;
}

// The ";" (the quotes before it even) or line break that ends the command from `i` on, or `size`.
int splitFrom(const char16_t* s, int i, int size) {
    int quotes = 0;
    // Eight characters at a time, each mark of a block taken in turn: a command is short, and
    // its quotes would restart a plain search again and again.
    const auto endsAt = [&](int at) {
        const char16_t c = s[at];
        if (c == u'"') {
            ++quotes;
            return false;
        }
        return c == u'\n' || quotes % 2 == 0;
    };
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi16(short(u'"'));
    const __m128i semicolon = _mm_set1_epi16(short(u';'));
    const __m128i lineBreak = _mm_set1_epi16(short(u'\n'));
    for (; i + 8 <= size; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        unsigned m = unsigned(_mm_movemask_epi8(
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, quote), _mm_cmpeq_epi16(v, semicolon)),
                         _mm_cmpeq_epi16(v, lineBreak))));
        for (; m != 0; m &= m - 1, m &= m - 1) { // two bits a character
            const int at = i + __builtin_ctz(m) / 2;
            if (endsAt(at))
                return at;
        }
    }
#endif
    for (; i < size; ++i)
        if ((s[i] == u'"' || s[i] == u';' || s[i] == u'\n') && endsAt(i))
            return i;
    return size;
}

} // namespace

// Its ";" outside quotes or its line break (the quotes counted from the command's start), or the
// character lost where the console's line ends.
int console::detail::commandStop(const char16_t* s, int start, int size, Bytes bytes, bool& cut) {
    const int i = splitFrom(s, start, size);
    cut = mayBeLongerThan(i - start, console::kCommandBytes, bytes) &&
          longerThan(s, start, i, console::kCommandBytes, bytes);
    return cut ? characterAtByte(s, start, i, console::kCommandBytes, bytes) : i;
}

int console::detail::quotedWordEndFar(const char16_t* s, int from, int stop, bool semicolon) {
    return findAny(s, from, stop, u'"', u'\n', semicolon ? u';' : u'\n');
}

namespace {

bool commentAt(const char16_t* s, int i, int end) {
    return s[i] == u'/' && i + 1 < end && s[i + 1] == u'/';
}

} // namespace

int console::byteLength(QStringView text, Bytes bytes) {
    if (bytes == Bytes::Single)
        return int(text.size());
    int count = 0;
    for (const QChar c : text)
        count += byteWidth(c.unicode());
    return count;
}

qsizetype console::findName(QStringView text, qsizetype from, QStringView name) {
    const char16_t* s = chars(text);
    const char16_t* n = chars(name);
    const qsizetype last = text.size() - name.size(); // the last place it may start
    const auto matchesAt = [&](qsizetype i) {
        for (qsizetype k = 0; k < name.size(); ++k)
            if (foldedChar(s[i + k]) != n[k])
                return false;
        return true;
    };
    qsizetype i = std::max<qsizetype>(from, 0);
#if defined(__SSE2__)
    // Eight places at a time, each kept when its first two characters match: with the ASCII
    // capitals' 0x20 bit set, "A" is "a" (a few other characters pass too, and are checked).
    const __m128i lowerBit = _mm_set1_epi16(0x20);
    const __m128i first = _mm_set1_epi16(short(n[0]));
    const __m128i second = _mm_set1_epi16(short(n[1]));
    for (; i + 8 <= last; i += 8) {
        const __m128i a =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)), lowerBit);
        const __m128i b =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 1)), lowerBit);
        unsigned m = unsigned(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi16(a, first), _mm_cmpeq_epi16(b, second))));
        while (m != 0) {
            const qsizetype at = i + __builtin_ctz(m) / 2;
            if (matchesAt(at))
                return at;
            m &= m - 1; // the place's two bytes
            m &= m - 1;
        }
    }
#endif
    for (; i <= last; ++i)
        if (matchesAt(i))
            return i;
    return -1;
}

void console::foldName(QStringView name, QString& into) {
    into.resize(name.size());
    char16_t* out = reinterpret_cast<char16_t*>(into.data());
    for (qsizetype i = 0; i < name.size(); ++i)
        out[i] = foldedChar(name[i].unicode());
}

QString console::foldedName(QStringView name) {
    QString folded;
    foldName(name, folded);
    return folded;
}

int lineEndFrom(QStringView text, int from) {
    return findAny(chars(text), from, int(text.size()), u'\n', u'\n', u'\n');
}

namespace {

// Reads one command into a span: its first three words kept, every word counted.
CommandReading readSpan(QStringView text, int start, Bytes bytes, CommandSpan& command,
                        int nameEnd = -1, int knownStop = -1) {
    command.wordCount = 0;
    command.words = {};
    const CommandReading r = readCommand(
        text, start, bytes,
        [&](const CommandWord& w) {
            if (command.wordCount < int(command.words.size()))
                command.words[size_t(command.wordCount)] = w;
            ++command.wordCount;
        },
        nameEnd, knownStop);
    command.start = command.wordCount > 0 ? command.words[0].start : start;
    command.end = command.wordCount > 0 ? r.wordsEnd : command.start;
    command.stop = r.stop;
    return r;
}

} // namespace

CommandSpan commandAt(QStringView text, int lineStart, int start, Bytes bytes, int nameEnd) {
    CommandSpan command;
    readSpan(text, start, bytes, command, nameEnd);
    command.lineStart = lineStart;
    const int stop = command.stop;
    command.lineEnd = stop >= text.size() || text[stop] == u'\n' ? stop : lineEndFrom(text, stop);
    return command;
}

CommandSpan commandWithin(QStringView text, int lineStart, int start, int stop, int nameEnd,
                          Bytes bytes) {
    CommandSpan command;
    readSpan(text, start, bytes, command, nameEnd, stop);
    command.lineStart = lineStart;
    command.lineEnd = stop >= text.size() || text[stop] == u'\n' ? stop : lineEndFrom(text, stop);
    return command;
}

bool firstArgumentWithin(QStringView text, int start, int stop, int nameEnd, QStringView& argument,
                         Bytes bytes) {
    int index = 0;
    bool found = false;
    readCommand(
        text, start, bytes,
        [&](const CommandWord& w) {
            if (index++ == 0)
                return true;
            argument = text.mid(w.textStart(), w.textLength());
            found = true;
            return false;
        },
        nameEnd, stop);
    return found;
}

CommandScanner::CommandScanner(QStringView text, int from, Bytes bytes)
    : text_(text), position_(from), lineStart_(from), lineEnd_(lineEndFrom(text, from)),
      bytes_(bytes) {}

CommandScanner::CommandScanner(QStringView text, int lineStart, int lineEnd, int commandStart,
                               Bytes bytes)
    : text_(text), position_(commandStart), lineStart_(lineStart), lineEnd_(lineEnd),
      bytes_(bytes) {}

bool CommandScanner::next(CommandSpan& command) {
    const int size = int(text_.size());
    while (position_ <= size) {
        if (position_ > lineEnd_) {
            lineStart_ = position_;
            lineEnd_ = lineEndFrom(text_, position_);
        }
        if (position_ == size)
            break;
        readSpan(text_, position_, bytes_, command);
        position_ = command.stop + 1;
        if (command.wordCount > 0) {
            command.lineStart = lineStart_;
            command.lineEnd = lineEnd_;
            return true;
        }
    }
    position_ = size + 1;
    return false;
}

bool holdsNoCommand(QStringView line) {
    const int size = int(line.size());
    for (int start = 0; start < size;) {
        CommandSpan command;
        readSpan(line, start, Bytes::Single, command);
        if (command.wordCount > 0)
            return false;
        start = command.stop + 1;
    }
    return true;
}

QString joinedArguments(QStringView text, const CommandSpan& command, int first, Bytes bytes) {
    if (first >= command.wordCount)
        return QString();
    if (command.wordCount == first + 1 && first < int(command.words.size()))
        return command.word(text, first).toString();
    // Only three words are kept per command: the command is read again.
    QString joined;
    int index = 0;
    readCommand(text, command.start, bytes, [&](const CommandWord& w) {
        if (index++ < first)
            return;
        if (index > first + 1)
            joined.append(u' ');
        joined.append(text.mid(w.textStart(), w.textLength()));
    });
    return joined;
}

// ---------------------------------------------------------------------------------------------
// The pass behind forEachCommandFound.

namespace {

constexpr int kBlock = kMarkBlock;

#if defined(__SSE2__)
BlockMarks marksOf(const char16_t* s) {
    return blockMarks(s);
}
#else
BlockMarks marksOf(const char16_t* s) {
    BlockMarks m;
    for (int i = 0; i < kBlock; ++i) {
        const quint64 bit = quint64(1) << i;
        const char16_t c = s[i];
        m.quotes |= c == u'"' ? bit : 0;
        m.breaks |= c == u'\n' ? bit : 0;
        m.semicolons |= c == u';' ? bit : 0;
        m.blanks |= c <= u' ' && c != u'\n' ? bit : 0;
        m.singles |= console::isOneCharWord(c) ? bit : 0;
    }
    return m;
}
#endif

// Bit i set when an odd number of bits at or below i are: with quote bits, the characters
// from an opening quote up to (not including) its closing one.
quint64 prefixParity(quint64 x) {
    for (int shift = 1; shift < 64; shift *= 2)
        x ^= x << shift;
    return x;
}

int lowestBit(quint64 x) {
#if defined(__GNUC__)
    return __builtin_ctzll(x);
#else
    int i = 0;
    while (!(x & 1)) {
        x >>= 1;
        ++i;
    }
    return i;
#endif
}

// Only marks outside quotes matter, and the quotes count from a command's start, which is even
// at every ";" that ends one: so the parity runs through a line and starts again at its break.
// Each ";" or line break outside quotes may begin a command; the marks of the block at hand also
// give where a name begins and ends. A command longer than the console's line changes where
// the rest of its line splits: that line is read again by readCommand.
class CommandStartPass {
public:
    CommandStartPass(QStringView text, Bytes bytes, commandstarts::Callback callback, void* visitor)
        : text_(text), s_(chars(text)), size_(int(text.size())), bytes_(bytes), callback_(callback),
          visitor_(visitor) {}

    void run() {
        quint64 openQuote = 0; // all ones when a quote is open across a block's start
        base_ = 0;
        while (base_ < size_) {
            marks_ = marksAt(base_);
            if (base_ == 0)
                readName(0);
            const quint64 inQuotes = quotedChars(marks_, openQuote);
            openQuote = quint64(0) - (inQuotes >> 63);
            int resume = -1;
            for (quint64 events = marks_.breaks | (marks_.semicolons & ~inQuotes); events != 0;
                 events &= events - 1) {
                resume = onMark(base_ + lowestBit(events));
                if (resume >= 0)
                    break;
            }
            if (resume >= 0) {
                // At the line break after a line read again, where no quote is open.
                base_ = resume;
                openQuote = 0;
                continue;
            }
            base_ += kBlock;
        }
        if (commandStart_ < size_ &&
            longerThan(s_, commandStart_, size_, console::kCommandBytes, bytes_))
            readLineAgain(commandStart_);
        else
            report(size_);
    }

private:
    BlockMarks marksAt(int base) const {
        if (base + kBlock <= size_)
            return marksOf(s_ + base);
        // The last, short block, read from a copy padded with blanks (a zero is one).
        char16_t padded[kBlock] = {};
        std::copy(s_ + base, s_ + size_, padded);
        return marksOf(padded);
    }

    // The characters inside quotes: a line break closes a quote left open on its line.
    static quint64 quotedChars(const BlockMarks& m, quint64 openQuote) {
        quint64 inQuotes = prefixParity(m.quotes) ^ openQuote;
        for (quint64 open = inQuotes & m.breaks; open != 0; open = inQuotes & m.breaks) {
            const quint64 lineBreak = open & (~open + 1);
            inQuotes ^= ~(lineBreak - 1); // the parity starts again at the break
        }
        return inQuotes;
    }

    // A ";" or line break that ends a command at `i`: -1, or where to go on after reading the
    // rest of the line again.
    int onMark(int i) {
        if (console::detail::mayBeLongerThan(i - commandStart_, console::kCommandBytes, bytes_) &&
            longerThan(s_, commandStart_, i, console::kCommandBytes, bytes_))
            return readLineAgain(commandStart_);
        report(i);
        if (s_[i] == u'\n')
            lineStart_ = i + 1;
        readName(i + 1);
        return -1;
    }

    // The command found last, now that its end is known.
    void report(int stop) {
        if (found_.isNull())
            return;
        callback_(visitor_, lineStart_, foundStart_, found_, stop);
        found_ = QStringView();
    }

    // The line from the command at `start`, which the console cuts, to its end, command by
    // command; the first was reported already. Returns its line break or the text's end.
    int readLineAgain(int start) {
        bool first = true;
        for (int at = start;;) {
            CommandSpan command;
            readSpan(text_, at, bytes_, command);
            const int stop = command.stop;
            if (first)
                report(stop);
            else if (command.wordCount > 0)
                callback_(visitor_, lineStart_, command.start, command.word(text_, 0), stop);
            first = false;
            if (stop >= size_ || s_[stop] == u'\n') {
                commandStart_ = stop; // nothing is left of the line to check
                return stop;
            }
            at = stop + 1;
        }
    }

    // The bits of a mask of the block at hand from `i` on; `i` must lie in the block.
    quint64 from(quint64 mask, int i) const { return mask >> (i - base_); }
    bool inBlock(int i) const { return i - base_ < kBlock; }

    int firstNonBlank(int i) const {
        if (inBlock(i)) {
            if (const quint64 rest = from(~marks_.blanks, i))
                i += lowestBit(rest);
            else
                i = base_ + kBlock;
        }
        // Past the block, or at a non-ASCII letter, which is skipped too.
        while (i < size_ && console::skippedBeforeWord(s_[i]))
            ++i;
        return i;
    }

    // Where a bare name from `i` ends; a quote in it lets a ";" after it stand inside the name.
    int bareNameEnd(int i) const {
        if (inBlock(i)) {
            for (quint64 ends = from(marks_.nameEnds(), i) & ~quint64(1); ends != 0;
                 ends &= ends - 1) {
                const int at = i + lowestBit(ends);
                if (at >= size_) // the padding of the last block
                    return size_;
                if (s_[at] == u'"')
                    break;
                return at;
            }
        }
        int quotes = 0;
        for (++i; i < size_; ++i) {
            const char16_t c = s_[i];
            if (console::endsBareWord(c) || (c == u';' && quotes % 2 == 0))
                return i;
            quotes += c == u'"';
        }
        return i;
    }

    // The command whose first character may follow the blanks from `i`; a ";" or a line break
    // there is a mark of its own.
    void readName(int i) {
        commandStart_ = i;
        i = firstNonBlank(i);
        if (i >= size_ || s_[i] == u'\n' || s_[i] == u';' || commentAt(s_, i, size_))
            return;
        QStringView name;
        if (s_[i] == u'"') {
            const int close = findAny(s_, i + 1, size_, u'"', u'\n', u'\n');
            name = text_.sliced(i + 1, close - i - 1);
        } else if (console::isOneCharWord(s_[i])) {
            name = text_.sliced(i, 1);
        } else {
            name = text_.sliced(i, bareNameEnd(i) - i);
        }
        if (console::detail::mayBeLongerThan(int(name.size()), console::kWordBytes, bytes_) &&
            longerThan(chars(name), 0, int(name.size()), console::kWordBytes, bytes_))
            return; // the console drops the word, and the command has none
        // A name view is never null: an empty quoted name views the text where it stands.
        found_ = name.isNull() ? text_.sliced(i, 0) : name;
        foundStart_ = i;
    }

    QStringView text_;
    const char16_t* s_;
    int size_;
    Bytes bytes_;
    commandstarts::Callback callback_;
    void* visitor_;
    int base_ = 0; // the block at hand
    BlockMarks marks_;
    int lineStart_ = 0;
    int commandStart_ = 0; // just after the ";" or line break before the command at hand
    // The command whose name was read, reported at its end.
    QStringView found_;
    int foundStart_ = 0;
};

} // namespace

void commandstarts::forEach(QStringView text, Bytes bytes, Callback callback, void* visitor) {
    CommandStartPass(text, bytes, callback, visitor).run();
}
