#include "series_window.h"

#include "chartconst.h"

#include "series_running.h"

#include <algorithm>
#include <cmath>

namespace Series {
namespace {

// Calls emit(i, s1, s2) at every point i whose window of the last n points with a value is full,
// with the sum (s1) and, when asked for, the sum of squares (s2) of the window's values minus
// shiftBy. One pass over a ring of the window's values; the sums are recomputed from the ring
// every 1024 points so that rounding does not build up over long series.
template <bool Squares, typename Emit>
void slidingSums(const Array &a, int n, double shiftBy, Emit emit)
{
    if (n <= 0)
        return;
    const size_t window = static_cast<size_t>(n);
    std::vector<double> ring(window);
    size_t slot = 0; // where the next value goes: the oldest value once the window is full
    size_t k = 0;    // points with a value so far
    double s1 = 0, s2 = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Chart::isNoValue(a[i]))
            continue;
        const double v = a[i] - shiftBy;
        s1 += v;
        if constexpr (Squares)
            s2 += v * v;
        if (k >= window) {
            const double old = ring[slot];
            s1 -= old;
            if constexpr (Squares)
                s2 -= old * old;
        }
        ring[slot] = v;
        if (++slot == window)
            slot = 0;
        if ((k & 1023) == 1023 && k + 1 >= window) {
            s1 = s2 = 0;
            for (size_t j = 0; j < window; ++j) {
                const double w = ring[(slot + j) % window];
                s1 += w;
                if constexpr (Squares)
                    s2 += w * w;
            }
        }
        if (k + 1 >= window)
            emit(i, s1, s2);
        ++k;
    }
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
    slidingSums<false>(a, n, 0.0, [&](size_t i, double s1, double) { r[i] = s1 / n; });
    return r;
}

Array movSum(const Array &a, int n)
{
    Array r(a.size(), Chart::NoValue);
    slidingSums<false>(a, n, 0.0, [&](size_t i, double s1, double) { r[i] = s1; });
    return r;
}

Array movStdDev(const Array &a, int n)
{
    Array r(a.size(), Chart::NoValue);
    // Shifting by the first value keeps the sums of squares small for price-like data.
    // One division fewer a point: the divider, not the sums, sets the pace here.
    const double inverse = n > 0 ? 1.0 / n : 0;
    slidingSums<true>(a, n, firstValue(a), [&](size_t i, double s1, double s2) {
        const double mean = s1 * inverse;
        const double var = s2 * inverse - mean * mean;
        r[i] = var > 0 ? std::sqrt(var) : 0.0;
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
