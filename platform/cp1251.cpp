// Windows-1251 encoding, through the text encoder of platform/text_form.h.
#include "platform/cp1251.h"

#include "platform/text_form.h"

namespace cp1251 {

// Without a line-break conversion "\n" is a character like any other: LF is its own byte.
QByteArray encode(const QString& text, QString* unencodable) {
    return textfile::encodeText(text, {textfile::Encoding::Windows1251, textfile::LineBreak::Lf},
                                unencodable);
}

QByteArray encodeWithCrLf(const QString& text, QString* unencodable) {
    return textfile::encodeText(text, {}, unencodable);
}

} // namespace cp1251
