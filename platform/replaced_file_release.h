// The file a save replaces, held open across the rename: the last close of a replaced file frees
// its blocks and cached pages, which takes about as long as syncing them, so a large one is
// closed on a thread of its own after the save instead of inside the rename. Smaller files (as
// small as a save done on one thread) and anything that is not a regular file are not held: on a
// busy machine a thread waits its turn longer than their close takes.
#pragma once

#include <QString>
#include <QtGlobal>

class ReplacedFileRelease {
public:
    explicit ReplacedFileRelease(const QString& path);
    ReplacedFileRelease(const ReplacedFileRelease&) = delete;
    ReplacedFileRelease& operator=(const ReplacedFileRelease&) = delete;
    ~ReplacedFileRelease(); // closes it on another thread (on this one if no thread can be had)

    // Waits until every file let go of so far is closed (for measurements and tests).
    static void waitForAll();

    // Files from this size up are held.
    static constexpr qint64 kLeastSize = 8 * 1024 * 1024;

private:
    int m_fd = -1;
};
