// A thread for work done beside the windows' thread: reading the words while the windows are
// built, finding the aliases of a large text while the editor takes it, encoding half of a save.
// It starts on another core than the thread that makes it, then may run on any.
//
// A new thread is otherwise queued on its maker's core. There it either waits for that core or
// takes it from its maker while the other core idles, and the maker then waits to be moved: in a
// virtual machine, waking an idle core can take milliseconds.
#pragma once

#include <functional>
#include <future>
#include <memory>
#include <type_traits>

#include <pthread.h>
#include <sched.h>

class SideThread {
public:
    // Starts `work`; throws std::system_error when no thread can be had, as std::thread does.
    explicit SideThread(std::function<void()> work);
    SideThread(const SideThread&) = delete;
    SideThread& operator=(const SideThread&) = delete;
    ~SideThread(); // waits for the work to end

    struct Start; // what the thread is handed

private:
    pthread_t m_thread;
};

// The cores a thread made on `here` starts on: those of `allowed` but `here`, unless that leaves
// none (one core, or `here` unknown: -1), when it is `allowed` itself.
cpu_set_t coresBesides(const cpu_set_t& allowed, int here);

// A result computed on a side thread, and that thread: ending it waits for the work.
template <class R>
struct SideWork {
    std::future<R> result;
    std::unique_ptr<SideThread> thread; // after `result`: joined before the future goes
};

template <class F>
SideWork<std::invoke_result_t<F>> startSideWork(F work) {
    using R = std::invoke_result_t<F>;
    auto task = std::make_shared<std::packaged_task<R()>>(std::move(work));
    SideWork<R> side;
    side.result = task->get_future();
    side.thread = std::make_unique<SideThread>([task] { (*task)(); });
    return side;
}
