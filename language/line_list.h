// Line lists: the category files and the value libraries (".dlz"). One entry per line, kept
// exactly as written (no trimming, no comments); the entries keep the order of the file.
#pragma once

#include "platform/text_file.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <cstring>

// Splits Windows-1251 bytes into entries. CR LF, a lone CR and a lone LF each end a line (so LF
// followed by CR leaves an empty entry between them); a last line without a line end counts, a
// line end at the very end adds nothing; a NUL byte ends the text.
QStringList parseLineList(const QByteArray& bytes);

// The same entries as parseLineList, each handed over as its bytes, undecoded: for a reader that
// wants a few fields of long lines (the text is not decoded or copied whole).
template <typename Found> void forEachListLine(QByteArrayView bytes, Found&& found) {
    const qsizetype nul = bytes.indexOf('\0');
    const char* s = bytes.data();
    const qsizetype size = nul >= 0 ? nul : bytes.size();
    qsizetype i = 0;
    while (i < size) {
        // The line ends at the first CR or LF: the LF is looked for, then a CR before it.
        const auto* lf = static_cast<const char*>(std::memchr(s + i, '\n', size_t(size - i)));
        const qsizetype lfAt = lf ? lf - s : size;
        const auto* cr = static_cast<const char*>(std::memchr(s + i, '\r', size_t(lfAt - i)));
        const qsizetype end = cr ? cr - s : lfAt;
        found(QByteArrayView(s + i, end - i));
        i = end;
        if (i < size && s[i] == '\r')
            ++i;
        if (i < size && s[i] == '\n')
            ++i;
    }
}

struct LineListRead {
    textfile::ReadError error = textfile::ReadError::None;
    QStringList entries;
    QString reason; // the system's reason for a failure
    bool ok() const { return error == textfile::ReadError::None; }
};

// A list file larger than this is refused rather than loaded into a list box.
constexpr qint64 kMaxLineListBytes = 16 * 1024 * 1024;

LineListRead readLineList(const QString& path);
