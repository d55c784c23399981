#pragma once

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// One benchmark figure per line: "BENCH <name> <value> <unit>".
inline void benchReport(const char *name, double value, const char *unit)
{
    std::printf("BENCH %s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

// The median of several figures.
inline double benchMedian(std::vector<double> figures)
{
    std::sort(figures.begin(), figures.end());
    return figures.at(figures.size() / 2);
}

// The median time of several runs of the work, in milliseconds. Each run first calls prepare,
// untimed, so that every run can start from the same state (a fresh store, say).
inline double benchMedianMs(int runs, const std::function<void()> &prepare,
                            const std::function<void()> &work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        prepare();
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    return benchMedian(times);
}

inline double benchMedianMs(int runs, const std::function<void()> &work)
{
    return benchMedianMs(
        runs, [] {}, work);
}
