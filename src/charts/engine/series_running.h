#pragma once

// Small O(1) building blocks for the window functions and the indicators: each keeps a fixed
// window of the last values pushed, allocated once, so a series is computed in one pass without
// allocating per point. Callers push only points that have a value, so a window always spans the
// last n points with a value.

#include "chartconst.h"

#include <vector>

namespace Series::Running {

inline bool anyMissing(double a)
{
    return Chart::isNoValue(a);
}
template <typename... More> bool anyMissing(double a, More... more)
{
    return Chart::isNoValue(a) || anyMissing(more...);
}

// The last n values pushed and their sum.
class Sum
{
public:
    explicit Sum(int n) : window(n < 1 ? 1 : n), values(std::size_t(window), 0.0) {}

    void push(double value)
    {
        if (count < window)
            ++count;
        else
            total -= values[next];
        values[next] = value;
        total += value;
        if (++next == std::size_t(window))
            next = 0;
    }
    bool full() const { return count >= window; }
    double sum() const { return total; }
    double mean() const { return total / window; }

private:
    int window;
    std::vector<double> values;
    std::size_t next = 0;
    int count = 0;
    double total = 0;
};

// The value pushed `lag` pushes ago (lag >= 1), once that many have been pushed.
class Lag
{
public:
    explicit Lag(int lag) : values(std::size_t(lag < 1 ? 1 : lag) + 1, 0.0) {}

    void push(double value)
    {
        values[next] = value;
        if (++next == values.size())
            next = 0;
        if (count < values.size())
            ++count;
    }
    bool ready() const { return count == values.size(); }
    // The oldest value kept: pushed `lag` pushes before the latest.
    double lagged() const { return values[next]; }

private:
    std::vector<double> values;
    std::size_t next = 0;
    std::size_t count = 0;
};

// The largest (or smallest) of the last n values pushed and how many pushes ago it came, kept
// in a monotonic queue: amortised O(1) per push. Of equal extremes the latest counts.
template <bool Largest> class Extreme
{
public:
    explicit Extreme(int n)
        : window(n < 1 ? 1 : n), queue(capacityFor(window)), mask(queue.size() - 1)
    {
    }

    void push(double value)
    {
        ++pushed;
        while (size > 0 && !beats(back().value, value))
            popBack();
        pushBack({pushed, value});
        if (front().position <= pushed - window)
            popFront();
    }
    bool full() const { return pushed >= window; }
    double value() const { return front().value; }
    // 0 when the extreme is the latest value pushed.
    long long age() const { return pushed - front().position; }

private:
    struct Entry
    {
        long long position;
        double value;
    };
    // An older entry survives only when it is strictly more extreme than the newcomer.
    static bool beats(double older, double newer)
    {
        return Largest ? older > newer : older < newer;
    }
    const Entry &front() const { return queue[head]; }
    const Entry &back() const { return queue[(head + size - 1) & mask]; }
    void pushBack(Entry entry)
    {
        queue[(head + size) & mask] = entry;
        ++size;
    }
    void popBack() { --size; }
    void popFront()
    {
        head = (head + 1) & mask;
        --size;
    }
    // A power of two above the window, so positions wrap with a mask.
    static std::size_t capacityFor(long long window)
    {
        std::size_t capacity = 2;
        while (capacity < std::size_t(window) + 1)
            capacity *= 2;
        return capacity;
    }

    long long window;
    std::vector<Entry> queue;
    std::size_t mask;
    std::size_t head = 0;
    std::size_t size = 0;
    long long pushed = 0;
};

using Highest = Extreme<true>;
using Lowest = Extreme<false>;

// Exponential average with factor 2 / (period + 1), seeded with the first value pushed.
class Ema
{
public:
    explicit Ema(int period) : factor(2.0 / ((period < 1 ? 1 : period) + 1)), keep(1 - factor) {}

    double push(double value)
    {
        average = started ? average * keep + factor * value : value;
        started = true;
        return average;
    }
    double value() const { return average; }

private:
    double factor;
    double keep;
    double average = 0;
    bool started = false;
};

// Wilder's smoothing: the mean of the first `period` values pushed, then
// (average × (period - 1) + value) / period.
class Wilder
{
public:
    explicit Wilder(int period) : period(period < 1 ? 1 : period) {}

    // True once the average has a value.
    bool push(double value)
    {
        if (++seen < period) {
            average += value;
            return false;
        }
        average =
            seen == period ? (average + value) / period : (average * (period - 1) + value) / period;
        return true;
    }
    double value() const { return average; }

private:
    long long period;
    long long seen = 0;
    double average = 0;
};

// a / b, or `otherwise` when b is 0.
inline double ratioOr(double a, double b, double otherwise)
{
    return b != 0 ? a / b : otherwise;
}

} // namespace Series::Running
