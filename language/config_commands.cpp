// The config command scanner.
#include "language/config_commands.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace {

// The console takes every control character and the blank as a separator.
bool isBlank(QChar c) {
    return c.unicode() <= u' ' && c != u'\n';
}

bool commentAt(QStringView text, int i, int end) {
    return text[i] == u'/' && i + 1 < end && text[i + 1] == u'/';
}

// The first of `a` or `b` from `from` on, or `size`. Inline and eight at a time: lines and words
// are short and many, too short for a library call each.
int findEither(const char16_t* s, int from, int size, char16_t a, char16_t b) {
    int i = from;
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi16(short(a));
    const __m128i vb = _mm_set1_epi16(short(b));
    for (; i + 8 <= size; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const int m =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(v, va), _mm_cmpeq_epi16(v, vb)));
        if (m != 0)
            return i + __builtin_ctz(unsigned(m)) / 2;
    }
#endif
    for (; i < size; ++i)
        if (s[i] == a || s[i] == b)
            return i;
    return size;
}

// Where a bare word from `from` ends: at a blank or line break, ";", a quote or "//", or at
// `size`. Eight characters at a time, as findEither.
int bareWordEnd(const char16_t* s, int from, int size) {
    auto endsAt = [&](int i) {
        const char16_t c = s[i];
        return c <= u' ' || c == u';' || c == u'"' ||
               (c == u'/' && i + 1 < size && s[i + 1] == u'/');
    };
    int i = from;
#if defined(__SSE2__)
    const __m128i blank = _mm_set1_epi16(short(u' '));
    const __m128i semicolon = _mm_set1_epi16(short(u';'));
    const __m128i quote = _mm_set1_epi16(short(u'"'));
    const __m128i slash = _mm_set1_epi16(short(u'/'));
    for (; i + 8 <= size; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i blankOrBreak = _mm_cmpeq_epi16(_mm_subs_epu16(v, blank), _mm_setzero_si128());
        const __m128i hit =
            _mm_or_si128(_mm_or_si128(blankOrBreak, _mm_cmpeq_epi16(v, semicolon)),
                         _mm_or_si128(_mm_cmpeq_epi16(v, quote), _mm_cmpeq_epi16(v, slash)));
        // Two bits a character; a "/" alone is part of the word.
        for (unsigned m = unsigned(_mm_movemask_epi8(hit)); m != 0;) {
            const int bit = __builtin_ctz(m);
            m &= ~(3u << bit);
            if (endsAt(i + bit / 2))
                return i + bit / 2;
        }
    }
#endif
    while (i < size && !endsAt(i))
        ++i;
    return i;
}

} // namespace

int commentEnd(QStringView text, int start, int lineEnd) {
    bool quoted = false;
    int i = start + 2;
    for (; i < lineEnd && text[i] != u'\n' && (quoted || text[i] != u';'); ++i)
        quoted = quoted != (text[i] == u'"');
    return i;
}

int lineEndFrom(QStringView text, int from) {
    return findEither(reinterpret_cast<const char16_t*>(text.data()), from, int(text.size()), u'\n',
                      u'\n');
}

namespace {

// One bit per character of a block of 64.
struct BlockMarks {
    quint64 quotes = 0;
    quint64 breaks = 0;
    quint64 stops = 0;  // ";" and "/"
    quint64 blanks = 0; // blanks and control characters but the line break
    // Where a bare word may end: a blank, a line break, ";", a quote, or a "/" (which ends it
    // only when another follows).
    quint64 wordEnds() const { return blanks | breaks | stops | quotes; }
};

constexpr int kBlock = 64;

#if defined(__SSE2__)
__m128i equal(__m128i bytes, char c) {
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c));
}

quint64 bitsOf(__m128i bytes) {
    return quint64(unsigned(_mm_movemask_epi8(bytes)));
}

BlockMarks marksOf(const char16_t* s) {
    BlockMarks m;
    for (int part = 0; part < kBlock / 16; ++part) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + part * 16));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + part * 16 + 8));
        // As bytes: the ASCII characters as they are, every other one as 0x7F or 0x80, which
        // is neither a mark nor a blank.
        const __m128i bytes = _mm_packs_epi16(a, b);
        const __m128i upToBlank = _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(' ')), bytes);
        const __m128i breaks = equal(bytes, '\n');
        const int shift = part * 16;
        m.quotes |= bitsOf(equal(bytes, '"')) << shift;
        m.breaks |= bitsOf(breaks) << shift;
        m.stops |= bitsOf(_mm_or_si128(equal(bytes, ';'), equal(bytes, '/'))) << shift;
        m.blanks |= bitsOf(_mm_andnot_si128(breaks, upToBlank)) << shift;
    }
    return m;
}
#else
BlockMarks marksOf(const char16_t* s) {
    BlockMarks m;
    for (int i = 0; i < kBlock; ++i) {
        const quint64 bit = quint64(1) << i;
        m.quotes |= s[i] == u'"' ? bit : 0;
        m.breaks |= s[i] == u'\n' ? bit : 0;
        m.stops |= s[i] == u';' || s[i] == u'/' ? bit : 0;
        m.blanks |= s[i] <= u' ' && s[i] != u'\n' ? bit : 0;
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

// The pass behind forEachCommandFound. Only marks outside quotes matter, and a quote runs at
// most to its line's end; each ";" or line break outside quotes may begin a command. The
// marks of the block at hand also give where a name begins and ends.
class CommandStartPass {
public:
    CommandStartPass(QStringView text, commandstarts::Callback callback, void* visitor)
        : text_(text), s_(reinterpret_cast<const char16_t*>(text.data())), size_(int(text.size())),
          callback_(callback), visitor_(visitor) {}

    void run() {
        quint64 openQuote = 0; // all ones when a quote is open across a block's start
        for (base_ = 0; base_ < size_; base_ += kBlock) {
            marks_ = marksAt(base_);
            if (base_ == 0)
                readName(0);
            const quint64 inQuotes = quotedChars(marks_, openQuote);
            openQuote = quint64(0) - (inQuotes >> 63);
            for (quint64 events = marks_.breaks | (marks_.stops & ~inQuotes); events != 0;
                 events &= events - 1)
                onMark(base_ + lowestBit(events));
        }
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

    void onMark(int i) {
        const char16_t c = s_[i];
        // A "/" only ends a bare word. A comment needs no state: it ends at the next ";"
        // outside quotes like any command, as the console splits a line before reading comments.
        if (c == u'\n') {
            lineStart_ = i + 1;
            readName(i + 1);
        } else if (c == u';') {
            readName(i + 1);
        }
    }

    bool commentAt(int i) const { return s_[i] == u'/' && i + 1 < size_ && s_[i + 1] == u'/'; }

    // The bits of a mask of the block at hand from `i` on; `i` must lie in the block.
    quint64 from(quint64 mask, int i) const { return mask >> (i - base_); }
    bool inBlock(int i) const { return i - base_ < kBlock; }

    int firstNonBlank(int i) const {
        if (inBlock(i)) {
            if (const quint64 rest = from(~marks_.blanks, i))
                return i + lowestBit(rest);
            i = base_ + kBlock;
        }
        while (i < size_ && s_[i] <= u' ' && s_[i] != u'\n')
            ++i;
        return i;
    }

    int bareWordEndFrom(int i) const {
        if (inBlock(i)) {
            for (quint64 ends = from(marks_.wordEnds(), i); ends != 0; ends &= ends - 1) {
                const int at = i + lowestBit(ends);
                if (at >= size_) // the padding of the last block
                    return size_;
                if (s_[at] != u'/' || commentAt(at))
                    return at;
            }
            i = base_ + kBlock;
        }
        return bareWordEnd(s_, i, size_);
    }

    // The command whose first character may follow the blanks from `i`; a ";", a line break or
    // a comment there is a mark of its own.
    void readName(int i) {
        i = firstNonBlank(i);
        if (i >= size_ || s_[i] == u'\n' || s_[i] == u';' || commentAt(i))
            return;
        QStringView name;
        if (s_[i] == u'"') {
            const int close = findEither(s_, i + 1, size_, u'"', u'\n');
            name = text_.sliced(i + 1, close - i - 1);
        } else {
            name = text_.sliced(i, bareWordEndFrom(i) - i);
        }
        callback_(visitor_, lineStart_, i, name);
    }

    QStringView text_;
    const char16_t* s_;
    int size_;
    commandstarts::Callback callback_;
    void* visitor_;
    int base_ = 0; // the block at hand
    BlockMarks marks_;
    int lineStart_ = 0;
};

} // namespace

void commandstarts::forEach(QStringView text, Callback callback, void* visitor) {
    CommandStartPass(text, callback, visitor).run();
}

namespace {

void clearWord(CommandWord& word) {
    word.start = 0;
    word.length = 0;
    word.quoted = false;
    word.closed = true;
}

// Reads the words of the command that begins at `start`, up to a ";", a comment or the end of
// its line. `end` is the line's end, or the text's end when that is not known yet: a line break
// stops the reading too. A bare name's end may be known already (`nameEnd`, else -1). Returns
// where the reading stopped; the line is the caller's to set.
int readWords(const char16_t* s, int start, int end, int nameEnd, CommandSpan& command) {
    // Field by field: a whole fresh span, built aside and copied in, costs more than reading
    // the command (its one-byte fields are read back before they are written).
    command.start = start;
    command.end = start;
    command.wordCount = 0;
    for (CommandWord& word : command.words)
        clearWord(word);
    int i = start;
    if (nameEnd > start) {
        command.words[0].length = nameEnd - start;
        command.words[0].start = start;
        command.wordCount = 1;
        command.end = i = nameEnd;
    }
    for (;;) {
        while (i < end && isBlank(s[i]))
            ++i;
        if (i >= end || s[i] == u'\n' || s[i] == u';' ||
            (s[i] == u'/' && i + 1 < end && s[i + 1] == u'/'))
            break;
        CommandWord beyond; // the words after the third are only counted
        CommandWord& word = command.wordCount < int(command.words.size())
                                ? command.words[size_t(command.wordCount)]
                                : beyond;
        word.start = i;
        if (s[i] == u'"') {
            word.quoted = true;
            const int close = findEither(s, i + 1, end, u'"', u'\n');
            if (close >= end || s[close] == u'\n') {
                word.closed = false;
                i = close;
            } else {
                i = close + 1;
            }
        } else {
            i = bareWordEnd(s, i, end);
        }
        word.length = i - word.start;
        ++command.wordCount;
        command.end = i;
    }
    return i;
}

} // namespace

CommandSpan commandAt(QStringView text, int lineStart, int start, int nameLength) {
    const char16_t* s = reinterpret_cast<const char16_t*>(text.data());
    const int size = int(text.size());
    CommandSpan command;
    const int nameEnd = nameLength > 0 && s[start] != u'"' ? start + nameLength : -1;
    const int stop = readWords(s, start, size, nameEnd, command);
    command.lineStart = lineStart;
    command.lineEnd = stop >= size || s[stop] == u'\n' ? stop : lineEndFrom(text, stop);
    return command;
}

CommandScanner::CommandScanner(QStringView text, int from)
    : text_(text), position_(from), lineStart_(from), lineEnd_(lineEndFrom(text, from)) {}

CommandScanner::CommandScanner(QStringView text, int lineStart, int lineEnd, int commandStart)
    : text_(text), position_(commandStart), lineStart_(lineStart), lineEnd_(lineEnd) {}

bool CommandScanner::next(CommandSpan& command) {
    const int size = int(text_.size());
    for (;;) {
        // Skip blanks and empty commands up to a command's first character.
        while (position_ < lineEnd_ && (isBlank(text_[position_]) || text_[position_] == u';'))
            ++position_;
        if (position_ < lineEnd_ && commentAt(text_, position_, lineEnd_)) {
            position_ = commentEnd(text_, position_, lineEnd_);
            continue;
        }
        if (position_ >= lineEnd_) {
            if (lineEnd_ >= size) {
                position_ = size;
                return false;
            }
            lineStart_ = lineEnd_ + 1;
            position_ = lineStart_;
            lineEnd_ = lineEndFrom(text_, lineStart_);
            continue;
        }
        break;
    }
    position_ = readWords(reinterpret_cast<const char16_t*>(text_.data()), position_, lineEnd_, -1,
                          command);
    command.lineStart = lineStart_;
    command.lineEnd = lineEnd_;
    return true;
}

QString joinedArguments(QStringView text, const CommandSpan& command, int first) {
    if (first >= command.wordCount || first >= int(command.words.size()))
        return QString();
    if (command.wordCount == first + 1)
        return command.word(text, first).toString();
    // Only three words are kept per command: the rest are read again from the first one on.
    const QStringView rest = text.mid(command.words[size_t(first)].start,
                                      command.end - command.words[size_t(first)].start);
    QString joined;
    int i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && isBlank(rest[i]))
            ++i;
        if (i >= rest.size())
            break;
        int start = i;
        int end = i;
        if (rest[i] == u'"') {
            const qsizetype close = rest.mid(i + 1).indexOf(u'"');
            start = i + 1;
            end = close < 0 ? int(rest.size()) : i + 1 + int(close);
            i = close < 0 ? int(rest.size()) : end + 1;
        } else {
            while (i < rest.size() && !isBlank(rest[i]) && rest[i] != u'"')
                ++i;
            end = i;
        }
        if (!joined.isEmpty())
            joined.append(u' ');
        joined.append(rest.mid(start, end - start));
    }
    return joined;
}

QString commandValueText(const QString& value, bool bare) {
    const bool needsQuotes = value.isEmpty() || value.contains(u' ') || value.contains(u'\t') ||
                             value.contains(u';') || value.contains(u'"') ||
                             value.contains(u"//"_s);
    if (bare && !needsQuotes)
        return value;
    return u'"' + value + u'"';
}

bool sameName(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x = char16_t(x + 32);
        if (y >= u'A' && y <= u'Z')
            y = char16_t(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

bool valueFitsInQuotes(QStringView value) {
    return !value.contains(u'"') && !value.contains(u'\n');
}
