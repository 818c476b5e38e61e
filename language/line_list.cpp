// Reading line lists.
#include "language/line_list.h"

#include "platform/cp1251.h"

QStringList parseLineList(const QByteArray& bytes) {
    // Decoded whole (one character a byte), then cut where the bytes are cut: each line break
    // and the NUL are one byte, and one character, in Windows-1251.
    const qsizetype nul = bytes.indexOf('\0');
    const QString text =
        cp1251::decode(QByteArray::fromRawData(bytes.constData(), nul >= 0 ? nul : bytes.size()));
    QStringList entries;
    forEachListLine(bytes, [&](QByteArrayView line) {
        entries.append(text.mid(line.data() - bytes.constData(), line.size()));
    });
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
