// What the file system says of a file without reading it.
#pragma once

#include <QString>

// A file's size, the time of its last change to the nanosecond, and which file it is (a safe
// save puts a new one in its place). Equal for two looks means nothing was written in between.
// Taken with one stat(): no time zone is looked at, so it takes no lock that Qt's own reading of
// the environment takes (a QDateTime in local time does), and a thread may take it while the
// windows are built.
struct FileIdentity {
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Nothing (a size of -1) for a path that is not a regular file.
FileIdentity fileIdentity(const QString& path);
