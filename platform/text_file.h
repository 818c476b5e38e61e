// Whole-file reading and writing of the program's text files ("\n" in memory; on disk the form
// each file was found in, Windows-1251 with CR LF for a new one) and the one routine every write
// goes through.
#pragma once

#include "platform/text_form.h"

#include <QByteArray>
#include <QSaveFile>
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
    QString text;     // "\n" line breaks
    TextForm form;    // the encoding and line breaks the file had, for writing it back
    QString reason;   // the system's reason for a failure
    QByteArray bytes; // the editor's read only: the file's bytes, for its next save
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

// No read takes more than this, whatever the caller's limit.
constexpr qint64 kMaxReadBytes = 64 * 1024 * 1024;

// Reads a regular file whole; anything else (a folder, a FIFO, a device) is Unreadable. A file
// over `maxBytes` (-1: kMaxReadBytes) is TooLarge, however small it says it is.
BytesResult readBytes(const QString& path, qint64 maxBytes = -1);

// Reads a text file in the form detectForm finds. CR LF, LF and lone CR all become "\n".
ReadResult readText(const QString& path);

// The editor's read: also refuses binary files and files over kMaxEditableBytes.
ReadResult readEditableText(const QString& path);
// The same read with the text as the game's console takes it: a lone CR is not a line break
// (decodeConsoleText), for the command-line check.
ReadResult readConsoleText(const QString& path);

// A new file's bytes: "\n" becomes CR LF and the text is encoded to Windows-1251.
QByteArray toFileBytes(const QString& text, QString* unencodable = nullptr);

// The one write routine, in steps for bytes made as they are written: they go to a temporary
// file that replaces `path` only at commit(), when every byte was written and synced, so a
// failure (a full disk, a read-only folder) or cancel() leaves the old file whole.
class AtomicWrite {
public:
    explicit AtomicWrite(const QString& path);
    AtomicWrite(const AtomicWrite&) = delete;
    AtomicWrite& operator=(const AtomicWrite&) = delete;
    ~AtomicWrite(); // an uncommitted write is cancelled

    // False once anything failed; nothing more is written then. Each stretch of kWriteback
    // bytes written is started on its way to the disk at once, so the sync at commit() waits for
    // the last stretch only.
    bool append(QByteArrayView bytes);
    // Syncs the new file without putting it in place yet (commit() then only renames), so that
    // a file is put in place only once another written with it is safe.
    WriteResult sync();
    WriteResult commit();
    void cancel();

    static constexpr qint64 kWriteback = 512 * 1024;

private:
    void fail(const QString& reason);

    QSaveFile m_file;
    qint64 m_written = 0;
    qint64 m_writebackFrom = 0; // the bytes before were started on their way to the disk
    bool m_done = false;
    bool m_synced = false;
    WriteResult m_result;
};

// The one write routine for bytes made in advance.
WriteResult writeBytes(const QString& path, QByteArrayView bytes);

WriteResult writeText(const QString& path, const QString& text, const TextForm& form = {});

// Copies a file through writeBytes, so the target is either the old file or the whole new one.
WriteResult copyFile(const QString& from, const QString& to);

// A message naming the path and the reason, for error boxes.
QString describeFailure(const QString& path, const QString& reason);
QString describeReadFailure(const QString& path, const ReadResult& result);
// The error box for a file that could not be read into a window: "Файл не открыт:", the path
// and the reason.
QString notOpenedMessage(const QString& path, const ReadResult& result);

} // namespace textfile
