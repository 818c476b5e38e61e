// Windows-1251 decoding: a fixed table for the upper half, Latin-1 identity for the lower half.
#include "platform/cp1251_table.h"

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

bool canEncode(const QString& text) {
    for (QChar c : text)
        if (byteOf(c.unicode()) < 0)
            return false;
    return true;
}

} // namespace cp1251
