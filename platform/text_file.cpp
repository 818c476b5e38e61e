// Whole-file reading and the atomic write routine.
#include "platform/text_file.h"

#include "platform/cp1251.h"
#include "platform/log_categories.h"
#include "platform/replaced_file_release.h"
#include "platform/system_reasons.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace textfile {

namespace {

BytesResult readFailure(ReadError error, const QString& reason) {
    BytesResult result;
    result.error = error;
    result.reason = reason;
    return result;
}

// Closes the descriptor on every way out of readBytes.
struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};

BytesResult readBytesOf(const QString& path, qint64 maxBytes) {
    QFileInfo info(path);
    if (!info.exists())
        return readFailure(ReadError::Missing, u"Файл не найден"_s);
    if (info.isDir())
        return readFailure(ReadError::Unreadable, u"Это папка, а не файл"_s);
    const qint64 limit = maxBytes < 0 ? kMaxReadBytes : std::min(maxBytes, kMaxReadBytes);
    // Opened without blocking, so a FIFO with no writer cannot hang the program before the
    // check below turns it away; the check is made on what was opened, not on the name.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return readFailure(ReadError::Unreadable, russianSystemReason(qt_error_string(errno)));
    const FdCloser closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return readFailure(ReadError::Unreadable, russianSystemReason(qt_error_string(errno)));
    // A FIFO, a socket or a device has no size to check and may never end (/dev/zero).
    if (!S_ISREG(st.st_mode))
        return readFailure(ReadError::Unreadable, u"Это не обычный файл"_s);
    if (st.st_size > limit)
        return readFailure(ReadError::TooLarge, tooLargeReason(limit));
    // The reported size is only a hint (files under /proc report 0, a file may grow while it
    // is read): the read itself stops one byte past the limit.
    BytesResult result;
    QByteArray& bytes = result.bytes;
    bytes.resize(qsizetype(std::min<qint64>(st.st_size, limit) + 1));
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > limit)
                break;
            bytes.resize(qsizetype(std::min<qint64>(qint64(got) * 2, limit + 1)));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return readFailure(ReadError::Unreadable, russianSystemReason(qt_error_string(errno)));
        if (n == 0)
            break;
        got += n;
    }
    if (got > limit)
        return readFailure(ReadError::TooLarge, tooLargeReason(limit));
    bytes.truncate(got);
    return result;
}

} // namespace

BytesResult readBytes(const QString& path, qint64 maxBytes) {
    BytesResult result = readBytesOf(path, maxBytes);
    // Many reads look for a file that may well be missing; a failure the user is told of is
    // logged again with the message shown (tessera.messages).
    if (result.ok())
        qCDebug(lcFiles) << "read" << path << result.bytes.size() << "bytes";
    else
        qCDebug(lcFiles) << "not read:" << path << result.reason;
    return result;
}

static ReadResult textFrom(BytesResult&& raw, bool asConsole = false, bool keepBytes = false) {
    ReadResult result;
    result.error = raw.error;
    result.reason = raw.reason;
    if (raw.ok()) {
        result.form = detectForm(raw.bytes);
        result.text = asConsole ? decodeConsoleText(raw.bytes, result.form)
                                : decodeText(raw.bytes, result.form);
        if (keepBytes)
            result.bytes = std::move(raw.bytes);
    }
    return result;
}

ReadResult readText(const QString& path) {
    return textFrom(readBytes(path));
}

static ReadResult editableTextFrom(const QString& path, bool asConsole) {
    BytesResult raw = readBytes(path, kMaxEditableBytes);
    if (raw.ok() && raw.bytes.contains('\0')) {
        ReadResult result;
        result.error = ReadError::Binary;
        result.reason = u"Файл не текстовый (содержит нулевые байты)"_s;
        return result;
    }
    return textFrom(std::move(raw), asConsole, !asConsole);
}

ReadResult readEditableText(const QString& path) {
    return editableTextFrom(path, false);
}

ReadResult readConsoleText(const QString& path) {
    return editableTextFrom(path, true);
}

QByteArray toFileBytes(const QString& text, QString* unencodable) {
    return encodeText(text, TextForm{}, unencodable);
}

AtomicWrite::AtomicWrite(const QString& path) : m_file(path) {
    // Unbuffered, so a short write shows in write()'s count and not only after commit().
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        m_result = {false, russianSystemReason(m_file.errorString())};
        m_done = true;
        qCWarning(lcFiles) << "cannot write" << path << m_file.errorString();
    }
}

AtomicWrite::~AtomicWrite() {
    cancel();
}

void AtomicWrite::fail(const QString& reason) {
    qCWarning(lcFiles) << "write failed, the old file stays:" << m_file.fileName() << reason;
    m_result = {false, reason};
    m_file.cancelWriting();
    m_done = true;
}

bool AtomicWrite::append(QByteArrayView bytes) {
    if (m_done)
        return false;
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = m_file.write(bytes.data() + written, bytes.size() - written);
        if (n <= 0)
            break;
        written += n;
    }
    if (written != bytes.size()) {
        QString reason = russianSystemReason(m_file.errorString());
        if (reason.isEmpty() || m_file.error() == QFileDevice::NoError)
            reason =
                u"Записано %1 байт из %2"_s.arg(m_written + written).arg(m_written + bytes.size());
        fail(reason);
        return false;
    }
    m_written += written;
#if defined(__linux__)
    // Without waiting for it (a thread to wait would, on a busy machine, wait its turn longer
    // than a small file's whole write takes); a failed write-out shows at the sync.
    if (m_written - m_writebackFrom >= kWriteback) {
        ::sync_file_range(m_file.handle(), m_writebackFrom, m_written - m_writebackFrom,
                          SYNC_FILE_RANGE_WRITE);
        m_writebackFrom = m_written;
    }
#endif
    return true;
}

WriteResult AtomicWrite::sync() {
    if (m_done || m_synced)
        return m_result;
    // commit() syncs as well but ignores a failure, and a failed sync (EIO) means the bytes
    // may never reach the disk: the new file is synced here and dropped when that fails.
    const bool flushed = m_file.flush();
    const int syncError = flushed && ::fdatasync(m_file.handle()) != 0 ? errno : 0;
    if (!flushed || syncError != 0) {
        fail(russianSystemReason(flushed ? qt_error_string(syncError) : m_file.errorString()));
        return m_result;
    }
    m_synced = true;
    return m_result;
}

WriteResult AtomicWrite::commit() {
    if (m_done)
        return m_result;
    if (!sync().ok)
        return m_result;
    m_done = true;
    // The file replaced is let go of after the save, not inside the rename.
    const ReplacedFileRelease replaced(m_file.fileName());
    if (!m_file.commit()) {
        m_result = {false, russianSystemReason(m_file.errorString())};
        qCWarning(lcFiles) << "write failed at the rename, the old file stays:" << m_file.fileName()
                           << m_file.errorString();
    } else {
        qCDebug(lcFiles) << "wrote" << m_file.fileName() << m_written << "bytes";
    }
    return m_result;
}

void AtomicWrite::cancel() {
    if (m_done)
        return;
    m_file.cancelWriting();
    m_done = true;
    m_result = {false, QString()};
}

WriteResult writeBytes(const QString& path, QByteArrayView bytes) {
    AtomicWrite file(path);
    file.append(bytes);
    return file.commit();
}

WriteResult writeText(const QString& path, const QString& text, const TextForm& form) {
    return writeBytes(path, encodeText(text, form));
}

WriteResult copyFile(const QString& from, const QString& to) {
    BytesResult raw = readBytes(from);
    if (!raw.ok())
        return WriteResult{false, raw.reason};
    return writeBytes(to, raw.bytes);
}

QString describeFailure(const QString& path, const QString& reason) {
    return path + u"\n"_s + reason;
}

QString describeReadFailure(const QString& path, const ReadResult& result) {
    return describeFailure(path, result.reason);
}

QString notOpenedMessage(const QString& path, const ReadResult& result) {
    return u"Файл не открыт:\n"_s + describeReadFailure(path, result);
}

} // namespace textfile
