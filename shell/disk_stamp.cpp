// Noticing changes to the editor's file made by other programs.
#include "shell/disk_stamp.h"

#include "platform/text_file.h"

#include <QFileInfo>
#include <QHashFunctions>

#include <algorithm>
#include <cstring>

void ContentDigest::addBlock(const char* block) {
    m_first = qHashBits(block, kBlock, m_first);
    m_second = qHashBits(block, kBlock, m_second);
}

void ContentDigest::addData(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return; // an empty view may have no data at all
    m_total += bytes.size();
    const char* p = bytes.data();
    qsizetype left = bytes.size();
    if (m_pendingSize > 0) {
        const qsizetype n = std::min(left, kBlock - m_pendingSize);
        std::memcpy(m_pending.data() + m_pendingSize, p, size_t(n));
        m_pendingSize += n;
        p += n;
        left -= n;
        if (m_pendingSize < kBlock)
            return;
        addBlock(m_pending.data());
        m_pendingSize = 0;
    }
    for (; left >= kBlock; p += kBlock, left -= kBlock)
        addBlock(p);
    std::memcpy(m_pending.data(), p, size_t(left));
    m_pendingSize = left;
}

QByteArray ContentDigest::result() const {
    // The length goes into the last step, so bytes that only differ by trailing zeros differ.
    const size_t length = size_t(m_total);
    const size_t parts[] = {
        qHashBits(m_pending.data(), size_t(m_pendingSize), m_first ^ length),
        qHashBits(m_pending.data(), size_t(m_pendingSize), m_second + length),
    };
    return QByteArray(reinterpret_cast<const char*>(parts), sizeof parts);
}

QByteArray ContentDigest::of(QByteArrayView bytes) {
    ContentDigest digest;
    digest.addData(bytes);
    return digest.result();
}

namespace {

QByteArray digestOf(const QByteArray& bytes) {
    return ContentDigest::of(bytes);
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
