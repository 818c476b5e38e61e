// Noticing changes to the editor's file made by other programs.
#include "shell/disk_stamp.h"

#include "platform/text_file.h"

#include <QFile>
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
    // Looked at before the read: a write while it reads shows as a change at the next look.
    const Identity identity = identityOf(path);
    const textfile::BytesResult read = textfile::readBytes(path);
    if (!read.ok())
        return s;
    s.m_known = true;
    s.m_identity = identity;
    s.m_identity.size = read.bytes.size();
    s.m_digest = digestOf(read.bytes);
    return s;
}

DiskStamp DiskStamp::ofWrite(const QString& path, const QByteArray& bytes) {
    return ofWrite(path, bytes.size(), digestOf(bytes));
}

DiskStamp DiskStamp::ofWrite(const QString& path, qint64 size, const QByteArray& digest) {
    DiskStamp s;
    s.m_known = true;
    s.m_identity = identityOf(path);
    s.m_identity.size = size;
    s.m_digest = digest;
    return s;
}

DiskStamp DiskStamp::ofWrite(const QString& path, qint64 size, Bytes bytes) {
    DiskStamp s;
    s.m_known = true;
    s.m_identity = identityOf(path);
    s.m_identity.size = size;
    s.m_bytes = std::move(bytes);
    return s;
}

DiskStamp DiskStamp::ofRead(const Identity& before, const QByteArray& bytes) {
    DiskStamp s;
    if (before.size < 0)
        return s;
    s.m_known = true;
    s.m_identity = before;
    s.m_identity.size = bytes.size();
    s.m_bytes = [bytes](const std::function<void(QByteArrayView)>& visit) { visit(bytes); };
    return s;
}

const QByteArray& DiskStamp::digest() {
    if (m_bytes) {
        ContentDigest digest;
        m_bytes([&digest](QByteArrayView piece) { digest.addData(piece); });
        m_digest = digest.result();
        m_bytes = {};
    }
    return m_digest;
}

bool DiskStamp::changedOnDisk(const QString& path) {
    if (!m_known)
        return false;
    const Identity now = identityOf(path);
    if (now.size < 0)
        return false;
    // The same file, size and time: the bytes are not read again.
    if (now == m_identity)
        return false;
    const textfile::BytesResult read = textfile::readBytes(path);
    if (!read.ok())
        return false;
    if (digestOf(read.bytes) != digest())
        return true;
    m_identity = now;
    m_identity.size = read.bytes.size();
    return false;
}
