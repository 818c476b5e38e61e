// Windows-1251, the code page of every config, list and settings file the program reads.
// Our own table, byte-exact: every byte 0-255 decodes to one character and encodes back to the
// same byte, so opening and saving a file changes nothing but what the user changed.
#pragma once

#include "platform/cp1251_table.h"

#include <QByteArray>
#include <QString>

namespace cp1251 {

// Characters the code page cannot hold are written as "?"; when `unencodable` is given it
// receives each such character once, in order of first appearance.
QByteArray encode(const QString& text, QString* unencodable = nullptr);

// The same with every "\n" written as CR LF, in one pass over the text.
QByteArray encodeWithCrLf(const QString& text, QString* unencodable = nullptr);

} // namespace cp1251
