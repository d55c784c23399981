#include "charts/indicators/volumeflow.h"

#include "charts/indicators/runningwindows.h"

#include <algorithm>

namespace Indicators {

using namespace Running;

namespace {

double location(double high, double low, double close)
{
    const double range = high - low;
    return range > 0 ? ((close - low) - (high - close)) / range : 0;
}

// Index that follows the relative close change on days whose volume moved the chosen way.
template <typename VolumeMove>
Series volumeIndex(const Series &close, const Series &volume, VolumeMove counts)
{
    const std::size_t n = std::min(close.size(), volume.size());
    Series result(close.size(), Chart::NoValue);
    double index = 1000;
    double previousClose = 0, previousVolume = 0;
    bool first = true;
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(close[i], volume[i]))
            continue;
        if (!first && counts(volume[i], previousVolume) && previousClose != 0)
            index += (close[i] - previousClose) / previousClose * index;
        first = false;
        previousClose = close[i];
        previousVolume = volume[i];
        result[i] = index;
    }
    return result;
}

// Running total, from 0, of what each close change adds given the day's volume.
template <typename Addition>
Series closeChangeTotal(const Series &close, const Series &volume, Addition addition)
{
    const std::size_t n = std::min(close.size(), volume.size());
    Series result(close.size(), Chart::NoValue);
    double total = 0, previous = 0;
    bool first = true;
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(close[i], volume[i]))
            continue;
        if (!first)
            total += addition(close[i], previous, volume[i]);
        first = false;
        previous = close[i];
        result[i] = total;
    }
    return result;
}

} // namespace

Series closeLocationValue(const Series &high, const Series &low, const Series &close)
{
    const std::size_t n = std::min({high.size(), low.size(), close.size()});
    Series result(close.size(), Chart::NoValue);
    for (std::size_t i = 0; i < n; ++i) {
        if (!anyMissing(high[i], low[i], close[i]))
            result[i] = location(high[i], low[i], close[i]);
    }
    return result;
}

Series accumulationDistribution(const Series &high, const Series &low, const Series &close,
                                const Series &volume)
{
    const std::size_t n = std::min({high.size(), low.size(), close.size(), volume.size()});
    Series result(close.size(), Chart::NoValue);
    double total = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(high[i], low[i], close[i], volume[i]))
            continue;
        total += location(high[i], low[i], close[i]) * volume[i];
        result[i] = total;
    }
    return result;
}

Series chaikinMoneyFlow(const Series &high, const Series &low, const Series &close,
                        const Series &volume, int period)
{
    const std::size_t n = std::min({high.size(), low.size(), close.size(), volume.size()});
    Series result(close.size(), Chart::NoValue);
    Sum flow(period), traded(period);
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(high[i], low[i], close[i], volume[i]))
            continue;
        flow.push(location(high[i], low[i], close[i]) * volume[i]);
        traded.push(volume[i]);
        if (traded.full())
            result[i] = ratioOr(flow.sum(), traded.sum(), 0);
    }
    return result;
}

Series chaikinOscillator(const Series &high, const Series &low, const Series &close,
                         const Series &volume, int fast, int slow)
{
    const std::size_t n = std::min({high.size(), low.size(), close.size(), volume.size()});
    Series result(close.size(), Chart::NoValue);
    Ema fastAverage(fast), slowAverage(slow);
    double total = 0;
    int seen = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(high[i], low[i], close[i], volume[i]))
            continue;
        total += location(high[i], low[i], close[i]) * volume[i];
        const double difference = fastAverage.push(total) - slowAverage.push(total);
        if (++seen >= slow)
            result[i] = difference;
    }
    return result;
}

Series onBalanceVolume(const Series &close, const Series &volume)
{
    return closeChangeTotal(close, volume, [](double today, double before, double traded) {
        return today > before ? traded : today < before ? -traded : 0;
    });
}

Series priceVolumeTrend(const Series &close, const Series &volume)
{
    return closeChangeTotal(close, volume, [](double today, double before, double traded) {
        return before != 0 ? traded * (today - before) / before : 0;
    });
}

Series negativeVolumeIndex(const Series &close, const Series &volume)
{
    return volumeIndex(close, volume, [](double today, double before) { return today < before; });
}

Series positiveVolumeIndex(const Series &close, const Series &volume)
{
    return volumeIndex(close, volume, [](double today, double before) { return today > before; });
}

Series moneyFlowIndex(const Series &high, const Series &low, const Series &close,
                      const Series &volume, int period)
{
    const std::size_t n = std::min({high.size(), low.size(), close.size(), volume.size()});
    Series result(close.size(), Chart::NoValue);
    Sum rising(period), falling(period);
    double previousTypical = 0;
    bool first = true;
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(high[i], low[i], close[i], volume[i]))
            continue;
        const double typical = (high[i] + low[i] + close[i]) / 3;
        if (!first) {
            const double flow = typical * volume[i];
            rising.push(typical > previousTypical ? flow : 0);
            falling.push(typical < previousTypical ? flow : 0);
            if (rising.full())
                result[i] = ratioOr(100 * rising.sum(), rising.sum() + falling.sum(), 50);
        }
        first = false;
        previousTypical = typical;
    }
    return result;
}

Series easeOfMovement(const Series &high, const Series &low, const Series &volume, int period)
{
    const std::size_t n = std::min({high.size(), low.size(), volume.size()});
    Series result(high.size(), Chart::NoValue);
    Sum daily(period);
    double previousMidpoint = 0;
    bool first = true;
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(high[i], low[i], volume[i]))
            continue;
        const double midpoint = (high[i] + low[i]) / 2;
        if (!first) {
            const double range = high[i] - low[i];
            const double boxRatio = volume[i] / 10000 / range;
            daily.push(range > 0 && volume[i] > 0 ? (midpoint - previousMidpoint) / boxRatio : 0);
            if (daily.full())
                result[i] = daily.mean();
        }
        first = false;
        previousMidpoint = midpoint;
    }
    return result;
}

} // namespace Indicators
