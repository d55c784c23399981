#include "charts/indicators/rangeoscillators.h"

#include "charts/indicators/runningwindows.h"

#include <algorithm>

namespace Indicators {

using namespace Running;

namespace {

Series averageOver(const Series &values, int period)
{
    Series result(values.size(), Chart::NoValue);
    Sum window(period);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (anyMissing(values[i]))
            continue;
        window.push(values[i]);
        if (window.full())
            result[i] = window.mean();
    }
    return result;
}

// The close's place in the range of the last `period` highs and lows: 0 at the low, 1 at the
// high, 0.5 without range.
template <typename Place>
Series placeInRange(const Series &high, const Series &low, const Series &close, int period,
                    Place place)
{
    Series result(close.size(), Chart::NoValue);
    if (period < 1)
        return result;
    const RangeExtremes range = rangeExtremes(high, low, close, period);
    for (std::size_t i = 0; i < range.highest.size(); ++i) {
        const double highest = range.highest[i], lowest = range.lowest[i];
        if (!anyMissing(highest, close[i]))
            result[i] = place(ratioOr(close[i] - lowest, highest - lowest, 0.5));
    }
    return result;
}

} // namespace

StochasticLines fastStochastic(const Series &high, const Series &low, const Series &close,
                               int period, int smoothing)
{
    StochasticLines result;
    result.percentK =
        placeInRange(high, low, close, period, [](double place) { return 100 * place; });
    result.percentD = averageOver(result.percentK, smoothing);
    return result;
}

Series williamsR(const Series &high, const Series &low, const Series &close, int period)
{
    return placeInRange(high, low, close, period, [](double place) { return -100 * (1 - place); });
}

Series aroonOscillator(const Series &high, const Series &low, int period)
{
    const std::size_t n = std::min(high.size(), low.size());
    Series result(high.size(), Chart::NoValue);
    if (period < 1)
        return result;
    Highest highest(period + 1);
    Lowest lowest(period + 1);
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(high[i], low[i]))
            continue;
        highest.push(high[i]);
        lowest.push(low[i]);
        if (highest.full())
            result[i] = 100.0 * double(lowest.age() - highest.age()) / period;
    }
    return result;
}

StochasticLines stochasticRsi(const Series &close, int rsiPeriod, int stochasticPeriod, int kPeriod,
                              int dPeriod)
{
    Series raw(close.size(), Chart::NoValue);
    if (rsiPeriod >= 1 && stochasticPeriod >= 1) {
        Highest highest(stochasticPeriod);
        Lowest lowest(stochasticPeriod);
        double up = 0, down = 0, previous = 0;
        long long moves = -1; // the first point has no move
        for (std::size_t i = 0; i < close.size(); ++i) {
            if (anyMissing(close[i]))
                continue;
            const double change = moves < 0 ? 0 : close[i] - previous;
            previous = close[i];
            if (++moves == 0)
                continue;
            const double gain = change > 0 ? change : 0, loss = change < 0 ? -change : 0;
            if (moves <= rsiPeriod) {
                up += gain / rsiPeriod;
                down += loss / rsiPeriod;
                if (moves < rsiPeriod)
                    continue;
            } else {
                up += (gain - up) / rsiPeriod;
                down += (loss - down) / rsiPeriod;
            }
            const double rsi = ratioOr(100 * up, up + down, 50);
            highest.push(rsi);
            lowest.push(rsi);
            if (highest.full())
                raw[i] = 100 * ratioOr(rsi - lowest.value(), highest.value() - lowest.value(), 0.5);
        }
    }
    StochasticLines result;
    result.percentK = averageOver(raw, kPeriod);
    result.percentD = averageOver(result.percentK, dPeriod);
    return result;
}

Series ultimateOscillator(const Series &high, const Series &low, const Series &close,
                          int shortPeriod, int mediumPeriod, int longPeriod)
{
    const std::size_t n = std::min({high.size(), low.size(), close.size()});
    Series result(close.size(), Chart::NoValue);
    Sum shortPressure(shortPeriod), mediumPressure(mediumPeriod), longPressure(longPeriod);
    Sum shortRange(shortPeriod), mediumRange(mediumPeriod), longRange(longPeriod);
    double previousClose = 0;
    bool first = true;
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(high[i], low[i], close[i]))
            continue;
        if (!first) {
            const double trueLow = std::min(low[i], previousClose);
            const double trueRange = std::max(high[i], previousClose) - trueLow;
            const double pressure = close[i] - trueLow;
            shortPressure.push(pressure);
            mediumPressure.push(pressure);
            longPressure.push(pressure);
            shortRange.push(trueRange);
            mediumRange.push(trueRange);
            longRange.push(trueRange);
            if (longRange.full() && mediumRange.full() && shortRange.full()) {
                const double weighted = 4 * ratioOr(shortPressure.sum(), shortRange.sum(), 0.5) +
                                        2 * ratioOr(mediumPressure.sum(), mediumRange.sum(), 0.5) +
                                        ratioOr(longPressure.sum(), longRange.sum(), 0.5);
                result[i] = 100 * weighted / 7;
            }
        }
        first = false;
        previousClose = close[i];
    }
    return result;
}

} // namespace Indicators
