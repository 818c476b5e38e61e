#include "platform/stable_hash.h"

#include <cstring>

// 64-bit words mixed as the 64-bit MurmurHash finishes them

namespace {
inline quint64 mix(quint64 k) {
    k ^= k >> 33;
    k *= 0xFF51AFD7ED558CCDu;
    k ^= k >> 33;
    k *= 0xC4CEB9FE1A85EC53u;
    k ^= k >> 33;
    return k;
}

inline quint64 lane(quint64 h, const char* word) {
    quint64 w;
    // The machine's byte order: the program runs on little-endian machines only.
    std::memcpy(&w, word, 8);
    h ^= w * 0x87C37B91114253D5u;
    return ((h << 31) | (h >> 33)) * 0x4CF5AD432745937Fu + 0x52DCE729u;
}
} // namespace

void StableHash::addBlocks(const char* at, qsizetype blocks) {
    // The lanes in locals: kept in the object, each store would make the next load wait.
    quint64 a = m_lanes[0], b = m_lanes[1], c = m_lanes[2], d = m_lanes[3];
    for (; blocks > 0; --blocks, at += kBlock) {
        a = lane(a, at);
        b = lane(b, at + 8);
        c = lane(c, at + 16);
        d = lane(d, at + 24);
    }
    m_lanes[0] = a, m_lanes[1] = b, m_lanes[2] = c, m_lanes[3] = d;
}

void StableHash::addData(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return;
    const char* at = bytes.data();
    qsizetype left = bytes.size();
    m_total += quint64(left);
    if (m_pendingSize > 0) {
        const qsizetype take = std::min<qsizetype>(left, kBlock - m_pendingSize);
        std::memcpy(m_pending + m_pendingSize, at, size_t(take));
        m_pendingSize += int(take);
        at += take;
        left -= take;
        if (m_pendingSize < kBlock)
            return;
        addBlocks(m_pending, 1);
        m_pendingSize = 0;
    }
    addBlocks(at, left / kBlock);
    at += left / kBlock * kBlock;
    left %= kBlock;
    std::memcpy(m_pending, at, size_t(left));
    m_pendingSize = int(left);
}

quint64 StableHash::result() const {
    quint64 h = m_total;
    for (int lane = 0; lane < 4; ++lane)
        h = mix(h ^ m_lanes[lane]) + quint64(lane);
    // The bytes not yet a whole block, eight at a time.
    for (int at = 0; at < m_pendingSize; at += 8) {
        quint64 w = 0;
        std::memcpy(&w, m_pending + at, size_t(std::min(8, m_pendingSize - at)));
        h = mix(h ^ (w * 0x87C37B91114253D5u)) + 0x52DCE729u;
    }
    return mix(h);
}

quint64 StableHash::of(QByteArrayView bytes) {
    StableHash h;
    h.addData(bytes);
    return h.result();
}
