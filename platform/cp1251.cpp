// Windows-1251 codec: a fixed table for the upper half, Latin-1 identity for the lower half.
#include "platform/cp1251.h"

#include "platform/text_form.h"

namespace cp1251 {

QString decode(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = QChar(b < 0x80 ? char16_t(b) : detail::kUpperHalf[b - 0x80]);
    }
    return text;
}

// Without a line-break conversion "\n" is a character like any other: LF is its own byte.
QByteArray encode(const QString& text, QString* unencodable) {
    return textfile::encodeText(text, {textfile::Encoding::Windows1251, textfile::LineBreak::Lf},
                                unencodable);
}

QByteArray encodeWithCrLf(const QString& text, QString* unencodable) {
    return textfile::encodeText(text, {}, unencodable);
}

bool canEncode(const QString& text) {
    for (QChar c : text)
        if (byteOf(c.unicode()) < 0)
            return false;
    return true;
}

} // namespace cp1251
