// Side threads: where they start, that they may then run anywhere their maker could, and that
// their results, failures and ends reach the code that made them.
#include "platform/side_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

cpu_set_t cores(std::initializer_list<int> list) {
    cpu_set_t set;
    CPU_ZERO(&set);
    for (int c : list)
        CPU_SET(c, &set);
    return set;
}

bool same(const cpu_set_t& a, const cpu_set_t& b) {
    return CPU_EQUAL(&a, &b);
}

} // namespace

TEST(SideThread, StartsOnEveryAllowedCoreButItsMakersWhileOneIsLeft) {
    EXPECT_TRUE(same(coresBesides(cores({0, 1}), 0), cores({1})));
    EXPECT_TRUE(same(coresBesides(cores({0, 1}), 1), cores({0})));
    EXPECT_TRUE(same(coresBesides(cores({0, 2, 5}), 2), cores({0, 5})));
    // One core, an unknown core, a core the maker may not use: nowhere else to go.
    EXPECT_TRUE(same(coresBesides(cores({3}), 3), cores({3})));
    EXPECT_TRUE(same(coresBesides(cores({0, 1}), -1), cores({0, 1})));
    EXPECT_TRUE(same(coresBesides(cores({0, 1}), 4), cores({0, 1})));
    EXPECT_TRUE(same(coresBesides(cores({0, 1}), CPU_SETSIZE), cores({0, 1})));
}

TEST(SideThread, WorkMayRunOnEveryCoreItsMakerMay) {
    cpu_set_t maker;
    ASSERT_EQ(sched_getaffinity(0, sizeof maker, &maker), 0);
    SideWork<cpu_set_t> side = startSideWork([] {
        cpu_set_t mine;
        CPU_ZERO(&mine);
        sched_getaffinity(0, sizeof mine, &mine);
        return mine;
    });
    EXPECT_TRUE(same(side.result.get(), maker));
}

TEST(SideThread, ResultsAndFailuresReachTheFuture) {
    SideWork<int> answer = startSideWork([] { return 42; });
    EXPECT_EQ(answer.result.get(), 42);
    SideWork<int> failure = startSideWork([]() -> int { throw std::runtime_error("unreadable"); });
    EXPECT_THROW(failure.result.get(), std::runtime_error);
}

TEST(SideThread, EndingTheWorkWaitsForIt) {
    std::atomic<bool> done = false;
    {
        SideWork<void> side = startSideWork([&done] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            done = true;
        });
        // Never asked for its result.
    }
    EXPECT_TRUE(done);
}
