// Work beside a large save's writer: syncing the file while it is still being written (on a 16 MB
// save the final sync would otherwise wait for the disk to take the whole file, after all of it
// was made), and releasing the file it replaces.
#pragma once

#include <QString>
#include <QtGlobal>

#include <condition_variable>
#include <mutex>
#include <thread>

// A thread that syncs an open file's data (fdatasync) each time another stretch of it has been
// written, so the writer's own sync at the end waits for the last stretch only. It only ever
// syncs: the descriptor stays the writer's, who must call finish() before closing it.
class BackgroundSync {
public:
    explicit BackgroundSync(int fd);
    BackgroundSync(const BackgroundSync&) = delete;
    BackgroundSync& operator=(const BackgroundSync&) = delete;
    ~BackgroundSync(); // finishes

    // The writer has written `total` bytes so far.
    void written(qint64 total);
    // Stops the thread once its sync under way (if any) is done; returns the first failed sync's
    // errno, or 0. A failed sync means written bytes may never reach the disk.
    int finish();

    // How much newly written data starts a sync. Half a megabyte: a 1 MB file then has its first
    // half on the way to the disk while the second is made; smaller stretches cost more syncs.
    static constexpr qint64 kStretch = 512 * 1024;

private:
    void run();

    const int m_fd;
    qint64 m_told = 0; // what the thread was last told of (the writer's own)
    std::mutex m_mutex;
    std::condition_variable m_wake;
    qint64 m_written = 0; // guarded by m_mutex, as are the two below
    bool m_stop = false;
    int m_error = 0;
    std::thread m_thread;
};

// The file a save replaces, held open across the rename: the last close of a replaced file frees
// its blocks and cached pages, which takes about as long as syncing them, so a large one is
// closed on a thread of its own after the save instead of inside the rename. Small files and
// anything that is not a regular file are not held.
class ReplacedFileRelease {
public:
    explicit ReplacedFileRelease(const QString& path);
    ReplacedFileRelease(const ReplacedFileRelease&) = delete;
    ReplacedFileRelease& operator=(const ReplacedFileRelease&) = delete;
    ~ReplacedFileRelease(); // closes it on another thread (on this one if no thread can be had)

    // Waits until every file let go of so far is closed (for measurements and tests).
    static void waitForAll();

    // Files from this size up are held.
    static constexpr qint64 kLeastSize = 256 * 1024;

private:
    int m_fd = -1;
};
