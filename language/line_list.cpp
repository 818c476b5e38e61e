// Reading line lists.
#include "language/line_list.h"

#include "platform/cp1251.h"

QStringList parseLineList(const QByteArray& bytes) {
    QByteArray text = bytes;
    if (const qsizetype nul = text.indexOf('\0'); nul >= 0)
        text.truncate(nul);
    QStringList entries;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype start = i;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n')
            ++i;
        entries.append(cp1251::decode(text.mid(start, i - start)));
        if (i < text.size() && text[i] == '\r')
            ++i;
        if (i < text.size() && text[i] == '\n')
            ++i;
    }
    return entries;
}

LineListRead readLineList(const QString& path) {
    const textfile::BytesResult raw = textfile::readBytes(path, kMaxLineListBytes);
    LineListRead result;
    result.error = raw.error;
    result.reason = raw.reason;
    if (raw.ok())
        result.entries = parseLineList(raw.bytes);
    return result;
}
