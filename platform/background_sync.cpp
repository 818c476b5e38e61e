// The background sync of a file being written.
#include "platform/background_sync.h"

#include <cerrno>
#include <unistd.h>

BackgroundSync::BackgroundSync(int fd) : m_fd(fd), m_thread([this] { run(); }) {}

BackgroundSync::~BackgroundSync() {
    finish();
}

void BackgroundSync::written(qint64 total) {
    // The thread is woken only when another stretch is there to sync, not for every chunk.
    if (total - m_told < kStretch)
        return;
    m_told = total;
    {
        const std::lock_guard lock(m_mutex);
        m_written = total;
    }
    m_wake.notify_one();
}

int BackgroundSync::finish() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
    return m_error;
}

void BackgroundSync::run() {
    qint64 synced = 0;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [&] { return m_stop || m_written - synced >= kStretch; });
        if (m_stop)
            return;
        const qint64 upTo = m_written;
        lock.unlock();
        const int error = ::fdatasync(m_fd) == 0 ? 0 : errno;
        lock.lock();
        synced = upTo;
        if (error != 0 && m_error == 0)
            m_error = error;
        if (error != 0)
            return; // the writer learns of it at finish(); more syncs would not mend it
    }
}
