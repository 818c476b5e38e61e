// Side threads: placed at their start with the thread attribute, free once running.
#include "platform/side_thread.h"

#include <system_error>

struct SideThread::Start {
    std::function<void()> work;
    cpu_set_t free; // the maker's cores, all of which the work may then use
    bool placed = false;
};

namespace {

void* runSide(void* arg) {
    std::unique_ptr<SideThread::Start> start(static_cast<SideThread::Start*>(arg));
    if (start->placed)
        pthread_setaffinity_np(pthread_self(), sizeof start->free, &start->free);
    start->work();
    return nullptr;
}

} // namespace

cpu_set_t coresBesides(const cpu_set_t& allowed, int here) {
    cpu_set_t cores = allowed;
    if (here >= 0 && here < CPU_SETSIZE && CPU_ISSET(here, &cores) && CPU_COUNT(&cores) > 1)
        CPU_CLR(here, &cores);
    return cores;
}

SideThread::SideThread(std::function<void()> work) {
    auto start = std::make_unique<Start>();
    start->work = std::move(work);
    pthread_attr_t attr;
    if (int err = pthread_attr_init(&attr))
        throw std::system_error(err, std::generic_category(), "pthread_attr_init");
    if (sched_getaffinity(0, sizeof start->free, &start->free) == 0) {
        const cpu_set_t first = coresBesides(start->free, sched_getcpu());
        start->placed = !CPU_EQUAL(&first, &start->free) &&
                        pthread_attr_setaffinity_np(&attr, sizeof first, &first) == 0;
    }
    int err = pthread_create(&m_thread, &attr, runSide, start.get());
    pthread_attr_destroy(&attr);
    // A system that will not place threads still runs them where it likes.
    if (err && start->placed) {
        start->placed = false;
        err = pthread_create(&m_thread, nullptr, runSide, start.get());
    }
    if (err)
        throw std::system_error(err, std::generic_category(), "pthread_create");
    start.release(); // the thread's now
}

SideThread::~SideThread() {
    pthread_join(m_thread, nullptr);
}
