// Whole-file reading and writing of the program's text files (Windows-1251, CR LF on disk,
// "\n" in memory) and the one routine every write goes through.
#pragma once

#include <QByteArray>
#include <QString>

namespace textfile {

enum class ReadError {
    None,
    Missing,    // no such file
    Unreadable, // exists but cannot be opened or read
    Binary,     // holds NUL bytes (only when the caller asks for text)
    TooLarge,   // larger than the caller's limit
};

struct ReadResult {
    ReadError error = ReadError::None;
    QString text;   // "\n" line breaks
    QString reason; // the system's reason for a failure
    bool ok() const { return error == ReadError::None; }
};

struct BytesResult {
    ReadError error = ReadError::None;
    QByteArray bytes;
    QString reason;
    bool ok() const { return error == ReadError::None; }
};

struct WriteResult {
    bool ok = true;
    QString reason; // the system's reason for a failure
};

// Files the editor refuses to open: more than this, or holding a NUL byte.
constexpr qint64 kMaxEditableBytes = 16 * 1024 * 1024;

BytesResult readBytes(const QString& path, qint64 maxBytes = -1);

// Reads a Windows-1251 text file. CR LF, LF and lone CR all become "\n".
ReadResult readText(const QString& path);

// The editor's read: also refuses binary files and files over kMaxEditableBytes.
ReadResult readEditableText(const QString& path);

QString normalizeLineBreaks(const QString& text);

// "\n" becomes CR LF and the text is encoded to Windows-1251.
QByteArray toFileBytes(const QString& text, QString* unencodable = nullptr);

// The one write routine: the bytes go to a temporary file that replaces `path` only when every
// byte was written, so a failure (a full disk, a read-only folder) leaves the old file whole.
WriteResult writeBytes(const QString& path, const QByteArray& bytes);

WriteResult writeText(const QString& path, const QString& text);

// Copies a file through writeBytes, so the target is either the old file or the whole new one.
WriteResult copyFile(const QString& from, const QString& to);

// A message naming the path and the reason, for error boxes.
QString describeFailure(const QString& path, const QString& reason);
QString describeReadFailure(const QString& path, const ReadResult& result);
// The error box for a file that could not be read into a window: "Файл не открыт:", the path
// and the reason.
QString notOpenedMessage(const QString& path, const ReadResult& result);

} // namespace textfile
