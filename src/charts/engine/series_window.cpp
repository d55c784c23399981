#include "series_window.h"

#include "chartconst.h"

#include "series_running.h"

#include <algorithm>
#include <cmath>

namespace Series {
namespace {

// Running sums over a window.
struct WindowSums
{
    double plain = 0, shifted = 0, squares = 0;

    template <bool Plain, bool Shifted> void add(double value, double shiftBy)
    {
        if constexpr (Plain)
            plain += value;
        if constexpr (Shifted) {
            const double v = value - shiftBy;
            shifted += v;
            squares += v * v;
        }
    }
    // Adds the newest value and drops the oldest with one addition to each sum, so that a sum
    // waits for one addition a point, not two.
    template <bool Plain, bool Shifted> void slide(double value, double oldest, double shiftBy)
    {
        if constexpr (Plain)
            plain += value - oldest;
        if constexpr (Shifted) {
            const double v = value - shiftBy, old = oldest - shiftBy;
            shifted += v - old;
            squares += v * v - old * old;
        }
    }
};

// Calls emit(i, sums) at every point i whose window of the last n points with a value is full,
// with the sum of the window's values (when Plain) and the sums of the values minus shiftBy and
// of their squares (when Shifted). One pass; the sums are recomputed from the window every 1024
// points so that rounding does not build up.
template <bool Plain, bool Shifted, typename Emit>
void slidingSums(const Array &a, int n, double shiftBy, Emit emit)
{
    if (n <= 0)
        return;
    const size_t window = static_cast<size_t>(n), count = a.size();
    // Allocated up front: a call between the two loops would keep the sums out of registers.
    std::vector<double> ring(window);
    size_t i = 0;
    while (i < count && Chart::isNoValue(a[i]))
        ++i;
    const size_t first = i;
    size_t k = 0; // points with a value so far
    WindowSums sums;
    // Until the first gap the window is simply the last n points of the series.
    for (; i < count && !Chart::isNoValue(a[i]); ++i, ++k) {
        if (k >= window)
            sums.slide<Plain, Shifted>(a[i], a[i - window], shiftBy);
        else
            sums.add<Plain, Shifted>(a[i], shiftBy);
        if ((k & 1023) == 1023 && k + 1 >= window) {
            sums = {};
            for (size_t j = i + 1 - window; j <= i; ++j)
                sums.add<Plain, Shifted>(a[j], shiftBy);
        }
        if (k + 1 >= window)
            emit(i, sums);
    }
    if (i == count)
        return;
    // From there on a ring keeps the last n values: value number q sits at q mod n.
    for (size_t q = k > window ? k - window : 0; q < k; ++q)
        ring[q % window] = a[first + q];
    size_t slot = k % window; // the oldest value once the window is full
    for (; i < count; ++i) {
        if (Chart::isNoValue(a[i]))
            continue;
        if (k >= window)
            sums.slide<Plain, Shifted>(a[i], ring[slot], shiftBy);
        else
            sums.add<Plain, Shifted>(a[i], shiftBy);
        ring[slot] = a[i];
        if (++slot == window)
            slot = 0;
        if ((k & 1023) == 1023 && k + 1 >= window) {
            sums = {};
            for (size_t j = 0; j < window; ++j)
                sums.add<Plain, Shifted>(ring[(slot + j) % window], shiftBy);
        }
        if (k + 1 >= window)
            emit(i, sums);
        ++k;
    }
}

// The population standard deviation of n values from the sums of their differences to a shift
// and of their squares.
double deviationOf(const WindowSums &sums, double inverseCount)
{
    // Multiplying by the inverse saves a division a point: the divider, not the sums, sets the
    // pace here.
    const double mean = sums.shifted * inverseCount;
    const double variance = sums.squares * inverseCount - mean * mean;
    return variance > 0 ? std::sqrt(variance) : 0.0;
}

// The window's extreme with a monotonic queue, from point `from` on, the queue first filled with
// the points before it that fall in the first window.
template <bool Largest> void movExtremeFrom(const Array &a, int n, size_t from, Array &r)
{
    Running::Extreme<Largest> extreme(n);
    for (size_t i = from >= size_t(n) ? from - size_t(n) + 1 : 0; i < from; ++i) {
        if (!Chart::isNoValue(a[i]))
            extreme.push(a[i]);
    }
    for (size_t i = from; i < a.size(); ++i) {
        if (Chart::isNoValue(a[i]))
            continue;
        extreme.push(a[i]);
        if (extreme.full())
            r[i] = extreme.value();
    }
}

// Cuts the series into blocks of n points: a window ending at point j of a block covers the
// previous block from j + 1 on and this block up to j, so its extreme is that of the previous
// block's suffix and this block's prefix (van Herk, Gil and Werman). Three comparisons a point
// and no branches to mispredict. From the first block with a missing point on, the queue takes
// over, as windows then span the last n points with a value.
template <bool Largest> Array movExtreme(const Array &a, int n)
{
    Array r(a.size(), Chart::NoValue);
    if (n <= 0)
        return r;
    const auto better = [](double x, double y) {
        return Largest ? std::max(x, y) : std::min(x, y);
    };
    const size_t window = size_t(n), count = a.size();
    std::vector<double> suffix(window); // of the previous block
    for (size_t start = 0; start < count; start += window) {
        const size_t length = std::min(window, count - start);
        const double *block = a.data() + start;
        bool complete = true;
        for (size_t j = 0; j < length; ++j)
            complete &= !Chart::isNoValue(block[j]);
        if (!complete) {
            movExtremeFrom<Largest>(a, n, start, r);
            break;
        }
        double prefix = block[0];
        for (size_t j = 0; j < length; ++j) {
            prefix = better(prefix, block[j]);
            if (j + 1 == window)
                r[start + j] = prefix;
            else if (start > 0)
                r[start + j] = better(suffix[j + 1], prefix);
        }
        if (length == window) {
            suffix[window - 1] = block[window - 1];
            for (size_t j = window - 1; j-- > 0;)
                suffix[j] = better(block[j], suffix[j + 1]);
        }
    }
    return r;
}

double firstValue(const Array &a)
{
    for (double v : a)
        if (!Chart::isNoValue(v))
            return v;
    return 0;
}

} // namespace

Array movAvg(const Array &a, int n)
{
    Array r(a.size(), Chart::NoValue);
    double *out = r.data();
    const double count = n;
    slidingSums<true, false>(
        a, n, 0.0, [out, count](size_t i, const WindowSums &s) { out[i] = s.plain / count; });
    return r;
}

Array movSum(const Array &a, int n)
{
    Array r(a.size(), Chart::NoValue);
    double *out = r.data();
    slidingSums<true, false>(a, n, 0.0, [out](size_t i, const WindowSums &s) { out[i] = s.plain; });
    return r;
}

Array movStdDev(const Array &a, int n)
{
    Array r(a.size(), Chart::NoValue);
    // Shifting by the first value keeps the sums of squares small for price-like data.
    const double inverse = n > 0 ? 1.0 / n : 0;
    double *out = r.data();
    slidingSums<false, true>(a, n, firstValue(a), [out, inverse](size_t i, const WindowSums &s) {
        out[i] = deviationOf(s, inverse);
    });
    return r;
}

AverageAndDeviation movAvgAndStdDev(const Array &a, int n)
{
    AverageAndDeviation r{Array(a.size(), Chart::NoValue), Array(a.size(), Chart::NoValue)};
    const double inverse = n > 0 ? 1.0 / n : 0;
    double *average = r.average.data(), *deviation = r.deviation.data();
    const double count = n;
    slidingSums<true, true>(a, n, firstValue(a), [=](size_t i, const WindowSums &s) {
        average[i] = s.plain / count;
        deviation[i] = deviationOf(s, inverse);
    });
    return r;
}

Array expAvg(const Array &a, double factor)
{
    Array r(a.size(), Chart::NoValue);
    bool seeded = false;
    double e = 0;
    const double keep = 1 - factor;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Chart::isNoValue(a[i]))
            continue;
        if (!seeded) {
            e = a[i];
            seeded = true;
        } else {
            // The previous average passes through one multiplication and one addition only.
            e = e * keep + factor * a[i];
        }
        r[i] = e;
    }
    return r;
}

Array movMin(const Array &a, int n)
{
    return movExtreme<false>(a, n);
}

Array movMax(const Array &a, int n)
{
    return movExtreme<true>(a, n);
}

Array accumulate(const Array &a)
{
    Array r(a.size(), Chart::NoValue);
    double s = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Chart::isNoValue(a[i]))
            continue;
        s += a[i];
        r[i] = s;
    }
    return r;
}

} // namespace Series
