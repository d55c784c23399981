#include "charts/indicators/movingaverages.h"

#include "chartconst.h"

#include "series_running.h"
#include "series_window.h"

#include <cstddef>

namespace Indicators {

Series simpleMovingAverage(const Series &values, int period)
{
    return ::Series::movAvg(values, period);
}

Series exponentialMovingAverage(const Series &values, int period)
{
    return ::Series::expAvg(values, 2.0 / (period + 1));
}

Series triangularMovingAverage(const Series &values, int period)
{
    // Two averages spanning `period` points together: for an even period n/2 + 1 and n/2
    // points, for an odd one (n + 1)/2 twice, so the weights rise to the middle and fall again.
    const int first = period / 2 + 1;
    const int second = period % 2 == 0 ? period / 2 : first;
    return ::Series::movAvg(::Series::movAvg(values, first), second);
}

Series weightedMovingAverage(const Series &values, int period)
{
    Series result(values.size(), Chart::NoValue);
    if (period < 1)
        return result;
    // The weighted sum moves by period × the newest value less the previous window's sum, so
    // each point costs the same whatever the period. Both sums are recomputed from the window
    // now and then so that rounding does not build up.
    const std::size_t window = std::size_t(period);
    const double weights = period * (period + 1) / 2.0;
    std::vector<double> ring(window);
    std::size_t slot = 0, seen = 0;
    double weighted = 0, plain = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double value = values[i];
        if (Chart::isNoValue(value))
            continue;
        weighted += period * value - plain;
        plain += value - (seen >= window ? ring[slot] : 0);
        ring[slot] = value;
        if (++slot == window)
            slot = 0;
        if (++seen < window)
            continue;
        if ((seen & 1023) == 0) {
            weighted = plain = 0;
            for (std::size_t j = 0; j < window; ++j) {
                const double w = ring[(slot + j) % window]; // oldest first, weight 1
                plain += w;
                weighted += double(j + 1) * w;
            }
        }
        result[i] = weighted / weights;
    }
    return result;
}

Series wilderAverage(const Series &values, int period)
{
    Series result(values.size(), Chart::NoValue);
    if (period < 1)
        return result;
    ::Series::Running::Wilder average(period);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!Chart::isNoValue(values[i]) && average.push(values[i]))
            result[i] = average.value();
    }
    return result;
}

} // namespace Indicators
