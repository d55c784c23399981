#include "charts/indicators/movingaverages.h"

#include "chartconst.h"

#include "series_arith.h"
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
    const int half = period / 2 + 1;
    return ::Series::movAvg(::Series::movAvg(values, half), half);
}

Series weightedMovingAverage(const Series &values, int period)
{
    if (period < 1)
        return Series(values.size(), Chart::NoValue);
    Series sum(values.size(), 0.0);
    for (int i = 1; i <= period; ++i)
        sum = ::Series::add(sum, ::Series::mul(::Series::movAvg(values, i), double(i)));
    return ::Series::div(sum, period * (period + 1) / 2.0);
}

Series wilderAverage(const Series &values, int period)
{
    Series result(values.size(), Chart::NoValue);
    if (period < 1)
        return result;
    double average = 0;
    int seen = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (Chart::isNoValue(values[i]))
            continue;
        ++seen;
        if (seen < period) {
            average += values[i];
            continue;
        }
        if (seen == period)
            average = (average + values[i]) / period;
        else
            average = (average * (period - 1) + values[i]) / period;
        result[i] = average;
    }
    return result;
}

} // namespace Indicators
