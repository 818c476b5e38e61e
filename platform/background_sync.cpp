// The background sync of a file being written.
#include "platform/background_sync.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
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

namespace {

// The closes under way. Never destroyed: a closing thread may outlive the program's statics.
struct Releases {
    std::mutex mutex;
    std::condition_variable idle;
    int pending = 0;
};

Releases& releases() {
    static auto* const all = new Releases;
    return *all;
}

} // namespace

ReplacedFileRelease::ReplacedFileRelease(const QString& path) {
    // Non-blocking, so a named pipe in the file's place cannot hold the save up.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= kLeastSize)
        m_fd = fd;
    else
        ::close(fd);
}

ReplacedFileRelease::~ReplacedFileRelease() {
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    Releases& all = releases();
    {
        const std::lock_guard lock(all.mutex);
        ++all.pending;
    }
    auto release = [fd, &all] {
        ::close(fd);
        const std::lock_guard lock(all.mutex);
        if (--all.pending == 0)
            all.idle.notify_all();
    };
    try {
        std::thread(release).detach();
    } catch (const std::system_error&) {
        release();
    }
}

void ReplacedFileRelease::waitForAll() {
    Releases& all = releases();
    std::unique_lock lock(all.mutex);
    all.idle.wait(lock, [&all] { return all.pending == 0; });
}
