// Noticing changes to the editor's file made by other programs.
#include "shell/disk_stamp.h"

#include "platform/text_file.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace {

QByteArray digestOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

} // namespace

DiskStamp DiskStamp::ofFile(const QString& path) {
    DiskStamp s;
    const textfile::BytesResult read = textfile::readBytes(path);
    if (!read.ok())
        return s;
    const QFileInfo info(path);
    s.m_known = true;
    s.m_size = read.bytes.size();
    s.m_modified = info.lastModified();
    s.m_digest = digestOf(read.bytes);
    return s;
}

DiskStamp DiskStamp::ofWrite(const QString& path, const QByteArray& bytes) {
    return ofWrite(path, bytes.size(), digestOf(bytes));
}

DiskStamp DiskStamp::ofWrite(const QString& path, qint64 size, const QByteArray& digest) {
    DiskStamp s;
    s.m_known = true;
    s.m_size = size;
    s.m_modified = QFileInfo(path).lastModified();
    s.m_digest = digest;
    return s;
}

bool DiskStamp::changedOnDisk(const QString& path) {
    if (!m_known)
        return false;
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    // Size and time as they were: the bytes are not read again.
    if (info.size() == m_size && info.lastModified() == m_modified)
        return false;
    const textfile::BytesResult read = textfile::readBytes(path);
    if (!read.ok())
        return false;
    if (digestOf(read.bytes) != m_digest)
        return true;
    m_size = read.bytes.size();
    m_modified = info.lastModified();
    return false;
}
