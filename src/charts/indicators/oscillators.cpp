#include "charts/indicators/oscillators.h"

#include "chartconst.h"
#include "charts/indicators/runningwindows.h"
#include "series_window.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace Indicators {

using namespace Running;

namespace {

// Wilder's running sum: the first period - 1 values added up, from then on each value replaces
// a period-th of the sum.
class WilderSum
{
public:
    explicit WilderSum(int period) : period(period), share(1.0 / period) {}

    // True once the sum spans the period.
    bool push(double value)
    {
        if (++seen < period) {
            total += value;
            return false;
        }
        total += value - total * share;
        return true;
    }
    double sum() const { return total; }

private:
    long long period;
    double share; // multiplied rather than divided: the divider is the slowest unit here
    long long seen = 0;
    double total = 0;
};

} // namespace

DirectionalMovement averageDirectionalIndex(const Series &high, const Series &low,
                                            const Series &close, int period)
{
    const std::size_t n = std::min({high.size(), low.size(), close.size()});
    DirectionalMovement result{Series(n, Chart::NoValue), Series(n, Chart::NoValue),
                               Series(n, Chart::NoValue)};
    if (period < 1)
        return result;
    WilderSum plusMoves(period), minusMoves(period), ranges(period);
    Wilder adx(period);
    double previousHigh = 0, previousLow = 0, previousClose = 0;
    bool first = true;
    for (std::size_t i = 0; i < n; ++i) {
        const double h = high[i], l = low[i], c = close[i];
        if (anyMissing(h, l, c))
            continue;
        if (!first) {
            // Only the larger of the two moves counts, and neither when they are equal.
            const double rise = h - previousHigh, fall = previousLow - l;
            const double plusMove = rise > 0 && rise > fall ? rise : 0;
            const double minusMove = fall > 0 && fall > rise ? fall : 0;
            const double trueRange =
                std::max({h - l, std::abs(h - previousClose), std::abs(l - previousClose)});
            plusMoves.push(plusMove);
            minusMoves.push(minusMove);
            if (ranges.push(trueRange)) {
                const double scale = ratioOr(100, ranges.sum(), 0);
                const double plusDI = plusMoves.sum() * scale;
                const double minusDI = minusMoves.sum() * scale;
                result.plusDI[i] = plusDI;
                result.minusDI[i] = minusDI;
                const double dx = 100 * ratioOr(std::abs(plusDI - minusDI), plusDI + minusDI, 0);
                if (adx.push(dx))
                    result.adx[i] = adx.value();
            }
        }
        first = false;
        previousHigh = h;
        previousLow = l;
        previousClose = c;
    }
    return result;
}

Macd movingAverageConvergenceDivergence(const Series &close, int slow, int fast, int signalPeriod)
{
    Macd result{Series(close.size(), Chart::NoValue), Series(close.size(), Chart::NoValue),
                Series(close.size(), Chart::NoValue)};
    Ema fastAverage(fast), slowAverage(slow), signal(signalPeriod);
    for (std::size_t i = 0; i < close.size(); ++i) {
        if (anyMissing(close[i]))
            continue;
        const double macd = fastAverage.push(close[i]) - slowAverage.push(close[i]);
        result.macd[i] = macd;
        result.signal[i] = signal.push(macd);
        result.divergence[i] = macd - result.signal[i];
    }
    return result;
}

Series relativeStrengthIndex(const Series &close, int period)
{
    Series result(close.size(), Chart::NoValue);
    if (period < 1)
        return result;
    // Wilder's averages of the up moves and of all moves, kept as period × the average: the
    // ratio is the same and each point needs one division instead of three.
    const double keep = double(period - 1) / period;
    double up = 0, moved = 0;
    long long changes = 0;
    for (std::size_t i = 1; i < close.size(); ++i) {
        // A change needs the point before to have a value too.
        if (anyMissing(close[i], close[i - 1]))
            continue;
        const double change = close[i] - close[i - 1];
        const double gain = change > 0 ? change : 0;
        if (++changes <= period) {
            up += gain;
            moved += std::abs(change);
            if (changes < period)
                continue;
        } else {
            up = up * keep + gain;
            moved = moved * keep + std::abs(change);
        }
        result[i] = ratioOr(up, moved, 0.5) * 100;
    }
    return result;
}

Stochastic slowStochastic(const Series &high, const Series &low, const Series &close, int period,
                          int smoothing)
{
    const std::size_t n = std::min({high.size(), low.size(), close.size()});
    Stochastic result{Series(n, Chart::NoValue), Series(n, Chart::NoValue)};
    if (period < 1 || smoothing < 1)
        return result;
    // The highest high and the lowest low each span the last points where they have a value;
    // the two averages span the last points where the one before has one.
    const Series highest = ::Series::movMax(high, period), lowest = ::Series::movMin(low, period);
    Sum fastK(smoothing), slowK(smoothing);
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(highest[i], lowest[i], close[i]))
            continue;
        fastK.push(ratioOr(close[i] - lowest[i], highest[i] - lowest[i], 0.5) * 100);
        if (!fastK.full())
            continue;
        result.percentK[i] = fastK.mean();
        slowK.push(result.percentK[i]);
        if (slowK.full())
            result.percentD[i] = slowK.mean();
    }
    return result;
}

} // namespace Indicators
