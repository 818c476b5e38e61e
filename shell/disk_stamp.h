// What the editor knows of its file as it last read or wrote it, to notice when another program
// (the wizard, a text editor, the game) has changed the file since.
#pragma once

#include "platform/file_identity.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <functional>

// A fingerprint of a file's bytes to tell a changed file from a touched one: two 64-bit chains
// of the processor's fastest hash over fixed blocks, so the bytes may come in pieces of any size
// and give the same fingerprint as the whole. Meant for one run of the program, not for storing.
class ContentDigest {
public:
    void addData(QByteArrayView bytes);
    QByteArray result() const;
    static QByteArray of(QByteArrayView bytes);

private:
    static constexpr qsizetype kBlock = 4096;
    void addBlock(const char* block);

    std::array<char, kBlock> m_pending{};
    qsizetype m_pendingSize = 0;
    qint64 m_total = 0;
    size_t m_first = 0x9E3779B97F4A7C15u;
    size_t m_second = 0xC2B2AE3D27D4EB4Fu;
};

class DiskStamp {
public:
    // What the file system says of the file without reading it.
    using Identity = FileIdentity;
    static Identity identityOf(const QString& path) { return fileIdentity(path); }

    // Nothing known: every comparison says "unchanged" (an untitled document).
    DiskStamp() = default;
    // What the editor knows it holds of a file's bytes, handed to `visit` piece by piece.
    using Bytes = std::function<void(const std::function<void(QByteArrayView)>& visit)>;

    // The file as it is now on disk.
    static DiskStamp ofFile(const QString& path);
    // The file as the editor just wrote `bytes` to it.
    static DiskStamp ofWrite(const QString& path, const QByteArray& bytes);
    // The same for a write made in pieces: `size` bytes whose ContentDigest is `digest`.
    static DiskStamp ofWrite(const QString& path, qint64 size, const QByteArray& digest);
    // The same with the bytes the editor keeps of the write: their fingerprint is taken only
    // when the file's identity changes, and they are held until then.
    static DiskStamp ofWrite(const QString& path, qint64 size, Bytes bytes);
    // The file as the editor just read `bytes` from it, `before` its identity before the read.
    static DiskStamp ofRead(const Identity& before, const QByteArray& bytes);

    bool isKnown() const { return m_known; }
    // True when the file at `path` no longer holds what this stamp saw. A file that is gone
    // counts as unchanged: there is nothing to load, and a save writes it anew. When only the
    // time differs (touched, or rewritten with the same bytes) the stamp takes the new time.
    bool changedOnDisk(const QString& path);

private:
    // The fingerprint, taken from m_bytes at the first need.
    const QByteArray& digest();

    bool m_known = false;
    Identity m_identity;
    QByteArray m_digest;
    Bytes m_bytes;
};
