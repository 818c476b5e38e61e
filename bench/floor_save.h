// The saving benchmarks' floor: the bytes to a QSaveFile, synced with fdatasync, then put in
// place, which no save can beat.
#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <unistd.h>

inline void floorSave(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.flush() || ::fdatasync(file.handle()) != 0 ||
        !file.commit())
        qFatal("the floor's write failed");
}
