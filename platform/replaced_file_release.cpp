// Letting go of the file a save replaced.
#include "platform/replaced_file_release.h"

#include <QFile>

#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

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
