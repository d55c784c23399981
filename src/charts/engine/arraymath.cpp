#include "arraymath.h"

#include "chartconst.h"

#include <algorithm>

ArrayMath &ArrayMath::trim(int start, int count)
{
    const int n = size();
    start = std::clamp(start, 0, n);
    const int end = count < 0 ? n : std::min(n, start + count);
    return set(Array(m_a.begin() + start, m_a.begin() + end));
}

double ArrayMath::maxValue() const
{
    double best = Chart::NoValue;
    for (double v : m_a)
        if (!Chart::isNoValue(v) && (Chart::isNoValue(best) || v > best))
            best = v;
    return best;
}

double ArrayMath::minValue() const
{
    double best = Chart::NoValue;
    for (double v : m_a)
        if (!Chart::isNoValue(v) && (Chart::isNoValue(best) || v < best))
            best = v;
    return best;
}

double ArrayMath::lastValue() const
{
    for (auto it = m_a.rbegin(); it != m_a.rend(); ++it)
        if (!Chart::isNoValue(*it))
            return *it;
    return Chart::NoValue;
}
