// The Windows-1251 layer: every byte string decodes and encodes back to itself, any text encodes
// to one byte per character, and line breaks come out as CR LF only.
// Seeds: data/dlls/*.dll data/dlls/*.pro demo/Half-Life/cstrike/*.cfg
#include "platform/cp1251.h"
#include "platform/text_file.h"
#include "support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString text = cp1251::decode(bytes);
    fuzz::check(text.size() == bytes.size(), "one character per byte");
    fuzz::check(cp1251::encode(text) == bytes, "bytes survive a round trip");
    fuzz::check(cp1251::canEncode(text), "decoded text is encodable");

    // The same bytes read as UTF-16: any character at all.
    const QString wide(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    QString lost;
    const QByteArray encoded = cp1251::encode(wide, &lost);
    fuzz::check(encoded.size() == wide.size(), "one byte per character");
    fuzz::check(lost.isEmpty() == cp1251::canEncode(wide), "canEncode agrees with encode");

    const QString lines = textfile::normalizeLineBreaks(text);
    fuzz::check(!lines.contains(u'\r'), "no CR after normalising");
    const QByteArray file = textfile::toFileBytes(lines);
    for (qsizetype i = 0; i < file.size(); ++i) {
        if (file[i] == '\n')
            fuzz::check(i > 0 && file[i - 1] == '\r', "every LF follows a CR");
        if (file[i] == '\r')
            fuzz::check(i + 1 < file.size() && file[i + 1] == '\n', "every CR precedes an LF");
    }
    fuzz::check(textfile::normalizeLineBreaks(cp1251::decode(file)) == lines,
                "writing and reading again gives the same text");
    return 0;
}
