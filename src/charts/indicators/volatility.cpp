#include "charts/indicators/volatility.h"

#include "charts/indicators/runningwindows.h"

#include <algorithm>
#include <cmath>

namespace Indicators {

using namespace Running;

Series averageTrueRange(const Series &high, const Series &low, const Series &close, int period)
{
    const std::size_t n = std::min({high.size(), low.size(), close.size()});
    Series result(close.size(), Chart::NoValue);
    if (period < 1)
        return result;
    double average = 0, previousClose = 0;
    long long seen = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(high[i], low[i], close[i]))
            continue;
        double range = high[i] - low[i];
        if (seen > 0)
            range = std::max(
                {range, std::abs(high[i] - previousClose), std::abs(low[i] - previousClose)});
        previousClose = close[i];
        if (++seen < period) {
            average += range / period;
            continue;
        }
        average = seen == period ? average + range / period : average + (range - average) / period;
        result[i] = average;
    }
    return result;
}

Series bollingerBandWidth(const Series &close, int period, double width)
{
    Series result(close.size(), Chart::NoValue);
    if (period < 1)
        return result;
    Sum values(period), squares(period);
    for (std::size_t i = 0; i < close.size(); ++i) {
        if (anyMissing(close[i]))
            continue;
        values.push(close[i]);
        squares.push(close[i] * close[i]);
        if (!values.full())
            continue;
        const double mean = values.mean();
        const double variance = std::max(0.0, squares.mean() - mean * mean);
        result[i] = ratioOr(100 * 2 * width * std::sqrt(variance), mean, 0);
    }
    return result;
}

Series chaikinVolatility(const Series &high, const Series &low, int emaPeriod, int rocPeriod)
{
    const std::size_t n = std::min(high.size(), low.size());
    Series result(high.size(), Chart::NoValue);
    if (emaPeriod < 1 || rocPeriod < 1)
        return result;
    Ema average(emaPeriod);
    Lag earlier(rocPeriod);
    long long seen = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(high[i], low[i]))
            continue;
        const double now = average.push(high[i] - low[i]);
        earlier.push(now);
        if (seen++ >= emaPeriod - 1LL + rocPeriod)
            result[i] = ratioOr(100 * (now - earlier.lagged()), earlier.lagged(), 0);
    }
    return result;
}

Series donchianChannelWidth(const Series &high, const Series &low, int period)
{
    Series result(high.size(), Chart::NoValue);
    if (period < 1)
        return result;
    const RangeExtremes range = rangeExtremes(high, low, {}, period);
    for (std::size_t i = 0; i < range.highest.size(); ++i) {
        if (!anyMissing(range.highest[i]))
            result[i] = range.highest[i] - range.lowest[i];
    }
    return result;
}

Series massIndex(const Series &high, const Series &low, int emaPeriod, int sumPeriod)
{
    const std::size_t n = std::min(high.size(), low.size());
    Series result(high.size(), Chart::NoValue);
    if (emaPeriod < 1 || sumPeriod < 1)
        return result;
    const double factor = 2.0 / (emaPeriod + 1);
    const long long secondStart = emaPeriod - 1, ratioStart = 2LL * (emaPeriod - 1);
    double single = 0, twice = 0;
    long long seen = 0;
    Sum ratios(sumPeriod);
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(high[i], low[i]))
            continue;
        const long long k = seen++;
        const double range = high[i] - low[i];
        single = k == 0 ? range : single + factor * (range - single);
        if (k < secondStart)
            continue;
        twice = k == secondStart ? single : twice + factor * (single - twice);
        if (k < ratioStart)
            continue;
        ratios.push(ratioOr(single, twice, 1)); // no range at all: no expansion either
        if (ratios.full())
            result[i] = ratios.sum();
    }
    return result;
}

} // namespace Indicators
