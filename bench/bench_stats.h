// What every benchmark prints beside its figures: the median and quartiles of its samples, and
// the machine's load while it ran (a ratio measured on a busy machine is read with that in mind).
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <ctime>
#include <vector>

struct Quartiles {
    double q1 = 0;
    double median = 0;
    double q3 = 0;
};

inline Quartiles quartilesOf(std::vector<double> samples) {
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) { return samples[size_t(q * double(samples.size() - 1) + 0.5)]; };
    return {at(0.25), at(0.5), at(0.75)};
}

// "load 1.23 1.10 0.98": the load averages over 1, 5 and 15 minutes.
inline void printLoad(const char* when = "") {
    double load[3] = {};
    if (getloadavg(load, 3) == 3)
        std::printf("%smachine load %.2f %.2f %.2f (1, 5, 15 min)\n", when, load[0], load[1],
                    load[2]);
}

// The CPU time of the whole process, every thread's (a large save works on two at once) and the
// kernel's work for it included.
inline double cpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// One row: ours and the anchor with their quartiles, and the ratio. When the two were measured
// in pairs (alternate below: ours[i] beside anchor[i]), the ratio is the median of the per-pair
// ratios with their quartiles, so a change of load between pairs cancels out; otherwise the
// ratio of the medians.
inline void printRatioRow(const char* name, const std::vector<double>& ours,
                          const std::vector<double>& anchor, const char* unit, double goal = 0) {
    const Quartiles o = quartilesOf(ours);
    const Quartiles a = quartilesOf(anchor);
    std::printf("%-40s ours %8.3f %s (%.3f-%.3f)  anchor %8.3f %s (%.3f-%.3f)", name, o.median,
                unit, o.q1, o.q3, a.median, unit, a.q1, a.q3);
    if (ours.size() == anchor.size() && !ours.empty()) {
        std::vector<double> pairs;
        for (size_t i = 0; i < ours.size(); ++i)
            pairs.push_back(anchor[i] > 0 ? ours[i] / anchor[i] : 0);
        const Quartiles r = quartilesOf(pairs);
        std::printf("  ratio %5.2fx (%.2f-%.2f)", r.median, r.q1, r.q3);
    } else {
        std::printf("  ratio of medians %5.2fx", o.median / a.median);
    }
    if (goal > 0)
        std::printf("  goal %.1fx", goal);
    std::printf("\n");
    std::fflush(stdout);
}

// Milliseconds that `step` and the events it causes take.
template <typename Step> double timedWithEvents(Step&& step) {
    QElapsedTimer timer;
    timer.start();
    step();
    QCoreApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Wall-clock and CPU milliseconds of steps, each with the events it causes: the wall clock also
// counts the time others had the processor, the CPU time (every thread's, the kernel's work for
// the process included) does not.
struct Timed {
    std::vector<double> wall;
    std::vector<double> cpu;
    std::function<void()> before; // run untimed before each step
    template <typename Step> void run(Step&& step) {
        if (before)
            before();
        const double cpu0 = cpuMilliseconds();
        wall.push_back(timedWithEvents(step));
        cpu.push_back(cpuMilliseconds() - cpu0);
    }
};

// The row in wall-clock time, and under it the same in CPU time.
inline void printTimedRows(const char* name, const Timed& ours, const Timed& anchor,
                           const char* unit, double goal = 0) {
    printRatioRow(name, ours.wall, anchor.wall, unit, goal);
    printRatioRow("  cpu", ours.cpu, anchor.cpu, unit);
}

// Runs `ours` and `anchor` in turn `count` times, which goes first alternating, so both see the
// same machine load; each appends its own sample.
template <typename Ours, typename Anchor> void alternate(int count, Ours&& ours, Anchor&& anchor) {
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0) {
            ours(i);
            anchor(i);
        } else {
            anchor(i);
            ours(i);
        }
    }
}
