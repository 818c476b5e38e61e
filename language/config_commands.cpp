// The config command scanner.
#include "language/config_commands.h"

#include <QVarLengthArray>

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

// The first quote, ";", "/" or line break from `from` on, or `size`: what ends or changes the
// reading of a command once its name is read.
int findMark(const char16_t* s, int from, int size) {
    int i = from;
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi16(short(u'"'));
    const __m128i semicolon = _mm_set1_epi16(short(u';'));
    const __m128i slash = _mm_set1_epi16(short(u'/'));
    const __m128i lineFeed = _mm_set1_epi16(short(u'\n'));
    for (; i + 8 <= size; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i hit =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, quote), _mm_cmpeq_epi16(v, semicolon)),
                         _mm_or_si128(_mm_cmpeq_epi16(v, slash), _mm_cmpeq_epi16(v, lineFeed)));
        const int m = _mm_movemask_epi8(hit);
        if (m != 0)
            return i + __builtin_ctz(unsigned(m)) / 2;
    }
#endif
    for (; i < size; ++i)
        if (s[i] == u'"' || s[i] == u';' || s[i] == u'/' || s[i] == u'\n')
            return i;
    return size;
}

int lineEndFrom(QStringView text, int from) {
    return findEither(reinterpret_cast<const char16_t*>(text.data()), from, int(text.size()), u'\n',
                      u'\n');
}

} // namespace

void forEachCommandStart(QStringView text, const CommandStartVisitor& visit) {
    const char16_t* const s = reinterpret_cast<const char16_t*>(text.data());
    const int size = int(text.size());
    auto blank = [](char16_t c) { return c <= u' ' && c != u'\n'; };
    auto comment = [&](int i) { return s[i] == u'/' && i + 1 < size && s[i + 1] == u'/'; };
    // A line's commands go out once its end is known.
    QVarLengthArray<std::pair<int, QStringView>, 8> line;
    int lineStart = 0;
    auto endLine = [&](int lineEnd) {
        for (const auto& [start, name] : line)
            visit(lineStart, lineEnd, start, name);
        line.clear();
        lineStart = lineEnd + 1;
    };
    int i = 0;
    while (i < size) {
        // Up to a command's first character, as the scanner skips.
        while (i < size && (blank(s[i]) || s[i] == u';'))
            ++i;
        if (i >= size)
            break;
        if (s[i] == u'\n' || comment(i)) {
            i = s[i] == u'\n' ? i : findEither(s, i, size, u'\n', u'\n');
            endLine(i);
            i = lineStart;
            continue;
        }
        // The name: a quoted word up to its closing quote on the line, or a bare word.
        const int start = i;
        if (s[i] == u'"') {
            const int close = findEither(s, i + 1, size, u'"', u'\n');
            line.append({start, text.sliced(i + 1, close - i - 1)});
            i = close < size && s[close] == u'"' ? close + 1 : close;
        } else {
            while (i < size && !blank(s[i]) && s[i] != u'\n' && s[i] != u';' && s[i] != u'"' &&
                   !comment(i))
                ++i;
            line.append({start, text.sliced(start, i - start)});
        }
        // The rest of the command: quoted words are passed over whole; ";" ends the command,
        // "//" and a line break end the line.
        for (;;) {
            i = findMark(s, i, size);
            if (i >= size)
                break;
            if (s[i] == u'"') {
                const int close = findEither(s, i + 1, size, u'"', u'\n');
                i = close < size && s[close] == u'"' ? close + 1 : close;
            } else if (s[i] == u'/' && !comment(i)) {
                ++i;
            } else {
                break; // ";" or "//" or the line break: the loop above takes it
            }
        }
    }
    if (lineStart <= size)
        endLine(size);
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
        if (position_ >= lineEnd_ || commentAt(text_, position_, lineEnd_)) {
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
    command = CommandSpan();
    command.lineStart = lineStart_;
    command.lineEnd = lineEnd_;
    command.start = position_;
    int i = position_;
    for (;;) {
        while (i < lineEnd_ && isBlank(text_[i]))
            ++i;
        if (i >= lineEnd_ || text_[i] == u';' || commentAt(text_, i, lineEnd_))
            break;
        CommandWord word;
        word.start = i;
        if (text_[i] == u'"') {
            word.quoted = true;
            const int close = findEither(reinterpret_cast<const char16_t*>(text_.data()), i + 1,
                                         lineEnd_, u'"', u'"');
            if (close >= lineEnd_) {
                word.closed = false;
                i = lineEnd_;
            } else {
                i = close + 1;
            }
        } else {
            while (i < lineEnd_ && !isBlank(text_[i]) && text_[i] != u';' && text_[i] != u'"' &&
                   !commentAt(text_, i, lineEnd_))
                ++i;
        }
        word.length = i - word.start;
        if (command.wordCount < int(command.words.size()))
            command.words[size_t(command.wordCount)] = word;
        ++command.wordCount;
        command.end = i;
    }
    position_ = i;
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
