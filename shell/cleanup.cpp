// The cleanup passes and the replace-all step they share.
#include "shell/cleanup.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {
constexpr std::array kPasses{
    ReplacePass{u"  ", u" "},       // runs of blanks collapse to one
    ReplacePass{u";\n", u"\n"},     // a semicolon at the end of a line goes
    ReplacePass{u" \n", u"\n"},     // a blank at the end of a line goes
    ReplacePass{u"; ", u";"},       // blanks after a semicolon go
    ReplacePass{u";\"", u"\""},     // a semicolon before a quote goes
    ReplacePass{u";;", u";"},       // repeated semicolons collapse
    ReplacePass{u" \"\n", u"\"\n"}, // a blank before a closing quote at the end of a line goes
};
// Whether `pattern` occurs starting in buf[w - m + 1, w) and continuing at buf[rd].
bool straddlesReadPoint(const QChar* buf, qsizetype w, qsizetype rd, qsizetype n,
                        QStringView pattern) {
    const qsizetype m = pattern.size();
    for (qsizetype start = std::max<qsizetype>(0, w - m + 1); start < w; ++start) {
        const qsizetype read = w - start;
        if (m - read <= n - rd && QStringView(buf + start, read) == pattern.first(read) &&
            QStringView(buf + rd, m - read) == pattern.sliced(read))
            return true;
    }
    return false;
}
} // namespace

std::span<const ReplacePass> cleanupPasses() {
    return kPasses;
}

// Searching from the top after every replacement would be quadratic. It is not needed: the
// text before the replaced occurrence held no occurrence, so the next one must overlap the
// replacement, and it starts at most pattern length - 1 characters before it. The text is
// rewritten in place as two parts: the part already read (buf[0, w), replacements applied)
// and the part still to read (buf[rd, n)); since a replacement is shorter than its pattern,
// w never overtakes rd. Occurrences are found in order of their end, which for a fixed length
// is the order of their start, so the first one found is always the one nearest the top.
QString replaceToFixedPoint(QString text, QStringView pattern, QStringView replacement) {
    const qsizetype m = pattern.size();
    const qsizetype r = replacement.size();
    if (m == 0)
        return text;
    if (r >= m)
        return text.replace(pattern.toString(), replacement.toString());
    const qsizetype first = text.indexOf(pattern);
    if (first < 0)
        return text;

    QChar* buf = text.data();
    const QChar* pat = pattern.data();
    const QChar last = pat[m - 1];
    const qsizetype n = text.size();
    qsizetype w = first;
    qsizetype rd = first;
    // No occurrence in the current text buf[0, w) + buf[rd, n) ends at or before `checked`.
    qsizetype checked = first;
    for (;;) {
        if (checked < w) {
            const qsizetype end = ++checked;
            if (end < m || buf[end - 1] != last ||
                std::memcmp(buf + end - m, pat, size_t(m - 1) * sizeof(QChar)) != 0)
                continue;
            // Characters read past the occurrence go back to the unread part.
            const qsizetype after = w - end;
            rd -= after;
            std::memmove(buf + rd, buf + end, size_t(after) * sizeof(QChar));
            const qsizetype start = end - m;
            // An empty view may hold a null pointer, which memcpy must not be given.
            if (r > 0)
                std::memcpy(buf + start, replacement.data(), size_t(r) * sizeof(QChar));
            w = start + r;
            checked = start;
            continue;
        }
        if (rd == n)
            break;
        // An occurrence that begins in the last characters read and ends in the unread part is
        // taken one character at a time; otherwise the next occurrence lies wholly in the
        // unread part, and everything up to its end moves over in one piece.
        if (straddlesReadPoint(buf, w, rd, n, pattern)) {
            buf[w++] = buf[rd++];
            continue;
        }
        const qsizetype found = QStringView(buf + rd, n - rd).indexOf(pattern);
        const qsizetype take = found < 0 ? n - rd : found + m;
        if (rd != w)
            std::memmove(buf + w, buf + rd, size_t(take) * sizeof(QChar));
        w += take;
        rd += take;
        checked = found < 0 ? w : w - 1; // the found occurrence ends at w
    }
    text.truncate(w);
    return text;
}

QString cleanupText(QString text) {
    for (const ReplacePass& pass : kPasses)
        text = replaceToFixedPoint(std::move(text), pass.pattern, pass.replacement);
    return text;
}
