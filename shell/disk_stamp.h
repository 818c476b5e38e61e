// What the editor knows of its file as it last read or wrote it, to notice when another program
// (the wizard, a text editor, the game) has changed the file since.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class DiskStamp {
public:
    // Nothing known: every comparison says "unchanged" (an untitled document).
    DiskStamp() = default;
    // The file as it is now on disk.
    static DiskStamp ofFile(const QString& path);
    // The file as the editor just wrote `bytes` to it.
    static DiskStamp ofWrite(const QString& path, const QByteArray& bytes);
    // The same for a write made in pieces: `size` bytes whose SHA-1 is `digest`.
    static DiskStamp ofWrite(const QString& path, qint64 size, const QByteArray& digest);

    bool isKnown() const { return m_known; }
    // True when the file at `path` no longer holds what this stamp saw. A file that is gone
    // counts as unchanged: there is nothing to load, and a save writes it anew. When only the
    // time differs (touched, or rewritten with the same bytes) the stamp takes the new time.
    bool changedOnDisk(const QString& path);

private:
    bool m_known = false;
    qint64 m_size = -1;
    QDateTime m_modified;
    QByteArray m_digest;
};
