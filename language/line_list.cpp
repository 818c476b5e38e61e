// Reading line lists.
#include "language/line_list.h"

#include "platform/cp1251.h"

QStringList parseLineList(const QByteArray& bytes) {
    // Decoded whole (one character a byte), then cut where forEachListLine cuts the bytes (it
    // alone knows the line ends and the NUL): each is one byte, and one character, in
    // Windows-1251.
    const QString text = cp1251::decode(bytes);
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
