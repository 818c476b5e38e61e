// The fingerprint the versions store names its files by.
#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// A fingerprint of bytes that stays the same from run to run and machine to machine (unlike
// Qt's qHash), fast enough to take at every save.
class StableHash {
public:
    void addData(QByteArrayView bytes);
    quint64 result() const;
    static quint64 of(QByteArrayView bytes);

private:
    static constexpr int kBlock = 32; // four lanes of eight bytes, mixed independently
    void addBlocks(const char* at, qsizetype blocks);
    quint64 m_lanes[4] = {0x243F6A8885A308D3u, 0x13198A2E03707344u, 0xA4093822299F31D0u,
                          0x082EFA98EC4E6C89u};
    quint64 m_total = 0;
    char m_pending[kBlock] = {};
    int m_pendingSize = 0;
};
