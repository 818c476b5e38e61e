// Reading line lists.
#include "language/line_list.h"

#include "platform/cp1251.h"

QStringList parseLineList(const QByteArray& bytes) {
    // Decoded whole (one character a byte), then cut at the line breaks.
    const qsizetype nul = bytes.indexOf('\0');
    const QString text =
        cp1251::decode(QByteArray::fromRawData(bytes.constData(), nul >= 0 ? nul : bytes.size()));
    const QChar* s = text.constData();
    const qsizetype size = text.size();
    QStringList entries;
    qsizetype i = 0;
    while (i < size) {
        const qsizetype start = i;
        while (i < size && s[i] != u'\r' && s[i] != u'\n')
            ++i;
        entries.append(text.mid(start, i - start));
        if (i < size && s[i] == u'\r')
            ++i;
        if (i < size && s[i] == u'\n')
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
