// Line lists: the category files and the value libraries (".dlz"). One entry per line, kept
// exactly as written (no trimming, no comments); the entries keep the order of the file.
#pragma once

#include "platform/text_file.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Splits Windows-1251 bytes into entries. CR LF, a lone CR and a lone LF each end a line (so LF
// followed by CR leaves an empty entry between them); a last line without a line end counts, a
// line end at the very end adds nothing; a NUL byte ends the text.
QStringList parseLineList(const QByteArray& bytes);

struct LineListRead {
    textfile::ReadError error = textfile::ReadError::None;
    QStringList entries;
    QString reason; // the system's reason for a failure
    bool ok() const { return error == textfile::ReadError::None; }
};

// A list file larger than this is refused rather than loaded into a list box.
constexpr qint64 kMaxLineListBytes = 16 * 1024 * 1024;

LineListRead readLineList(const QString& path);
