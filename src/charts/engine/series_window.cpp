#include "series_window.h"

#include "chartconst.h"

#include "series_running.h"

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

template <bool Largest> Array movExtreme(const Array &a, int n)
{
    Array r(a.size(), Chart::NoValue);
    if (n <= 0)
        return r;
    Running::Extreme<Largest> extreme(n);
    for (size_t i = 0; i < a.size(); ++i) {
        if (Chart::isNoValue(a[i]))
            continue;
        extreme.push(a[i]);
        if (extreme.full())
            r[i] = extreme.value();
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
    slidingSums<true>(a, n, firstValue(a), [&](size_t i, double s1, double s2) {
        const double mean = s1 / n;
        const double var = s2 / n - mean * mean;
        r[i] = var > 0 ? std::sqrt(var) : 0.0;
    });
    return r;
}

Array expAvg(const Array &a, double factor)
{
    Array r(a.size(), Chart::NoValue);
    bool seeded = false;
    double e = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Chart::isNoValue(a[i]))
            continue;
        if (!seeded) {
            e = a[i];
            seeded = true;
        } else {
            e += factor * (a[i] - e);
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
