#include "series_window.h"

#include "chartconst.h"

#include <cmath>
#include <deque>

namespace Series {
namespace {

// Indexes of the points that have a value.
std::vector<size_t> validIndexes(const Array &a)
{
    std::vector<size_t> idx;
    idx.reserve(a.size());
    for (size_t i = 0; i < a.size(); ++i)
        if (!Chart::isNoValue(a[i]))
            idx.push_back(i);
    return idx;
}

// Sum over a sliding window of valid points; recomputed now and then to keep rounding small.
template <typename Emit> void slidingSums(const Array &a, int n, double shiftBy, Emit emit)
{
    if (n <= 0)
        return;
    const auto idx = validIndexes(a);
    double s1 = 0, s2 = 0;
    for (size_t k = 0; k < idx.size(); ++k) {
        const double v = a[idx[k]] - shiftBy;
        s1 += v;
        s2 += v * v;
        if (k >= static_cast<size_t>(n)) {
            const double old = a[idx[k - n]] - shiftBy;
            s1 -= old;
            s2 -= old * old;
        }
        if ((k & 1023) == 1023 && k + 1 >= static_cast<size_t>(n)) {
            s1 = s2 = 0;
            for (size_t j = k + 1 - n; j <= k; ++j) {
                const double w = a[idx[j]] - shiftBy;
                s1 += w;
                s2 += w * w;
            }
        }
        if (k + 1 >= static_cast<size_t>(n))
            emit(idx[k], s1, s2);
    }
}

template <typename Better> Array movExtreme(const Array &a, int n, Better better)
{
    Array r(a.size(), Chart::NoValue);
    if (n <= 0)
        return r;
    const auto idx = validIndexes(a);
    std::deque<size_t> q; // positions in idx, values monotonic
    for (size_t k = 0; k < idx.size(); ++k) {
        while (!q.empty() && !better(a[idx[q.back()]], a[idx[k]]))
            q.pop_back();
        q.push_back(k);
        if (q.front() + n <= k)
            q.pop_front();
        if (k + 1 >= static_cast<size_t>(n))
            r[idx[k]] = a[idx[q.front()]];
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
    slidingSums(a, n, 0.0, [&](size_t i, double s1, double) { r[i] = s1 / n; });
    return r;
}

Array movSum(const Array &a, int n)
{
    Array r(a.size(), Chart::NoValue);
    slidingSums(a, n, 0.0, [&](size_t i, double s1, double) { r[i] = s1; });
    return r;
}

Array movStdDev(const Array &a, int n)
{
    Array r(a.size(), Chart::NoValue);
    // Shifting by the first value keeps the sums of squares small for price-like data.
    slidingSums(a, n, firstValue(a), [&](size_t i, double s1, double s2) {
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
    return movExtreme(a, n, [](double kept, double incoming) { return kept < incoming; });
}

Array movMax(const Array &a, int n)
{
    return movExtreme(a, n, [](double kept, double incoming) { return kept > incoming; });
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
