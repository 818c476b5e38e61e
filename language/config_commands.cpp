// The config command scanner.
#include "language/config_commands.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// The console takes every control character and the blank as a separator.
bool isBlank(QChar c) {
    return c.unicode() <= u' ' && c != u'\n';
}

bool commentAt(QStringView text, int i, int end) {
    return text[i] == u'/' && i + 1 < end && text[i + 1] == u'/';
}

int lineEndFrom(QStringView text, int from) {
    const qsizetype end = text.indexOf(u'\n', from);
    return end < 0 ? int(text.size()) : int(end);
}

} // namespace

CommandScanner::CommandScanner(QStringView text, int from)
    : text_(text), position_(from), lineStart_(from), lineEnd_(lineEndFrom(text, from)) {}

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
            const qsizetype close = text_.mid(i + 1, lineEnd_ - i - 1).indexOf(u'"');
            if (close < 0) {
                word.closed = false;
                i = lineEnd_;
            } else {
                i = i + 1 + int(close) + 1;
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
