#include "charts/indicators/oscillators.h"

#include "chartconst.h"
#include "charts/indicators/movingaverages.h"

#include "series_arith.h"
#include "series_select.h"
#include "series_window.h"
#include <cstddef>

#include <algorithm>
#include <cmath>

namespace Indicators {

namespace {

// The larger of two directional moves survives; the smaller (and both when equal) become 0.
Series dominantMove(const Series &move, const Series &other)
{
    Series result(move.size(), Chart::NoValue);
    for (std::size_t i = 0; i < move.size() && i < other.size(); ++i) {
        if (Chart::isNoValue(move[i]) || Chart::isNoValue(other[i]))
            continue;
        result[i] = move[i] > other[i] ? move[i] : 0;
    }
    return result;
}

Series trueRange(const Series &high, const Series &low, const Series &close)
{
    const Series range = ::Series::sub(high, low);
    const Series previousClose = ::Series::shift(close, 1);
    Series result = range;
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (Chart::isNoValue(previousClose[i]) || Chart::isNoValue(result[i]))
            continue;
        result[i] = std::max(
            {range[i], std::abs(high[i] - previousClose[i]), std::abs(low[i] - previousClose[i])});
    }
    return result;
}

} // namespace

DirectionalMovement averageDirectionalIndex(const Series &high, const Series &low,
                                            const Series &close, int period)
{
    const double factor = 2.0 / (period + 1);
    const Series rise = ::Series::selectGTZ(::Series::delta(high, 1));
    const Series fall = ::Series::selectGTZ(::Series::mul(::Series::delta(low, 1), -1.0));
    const Series plusMove = dominantMove(rise, fall);
    const Series minusMove = dominantMove(fall, rise);
    const Series range = trueRange(high, low, close);

    DirectionalMovement result;
    result.plusDI =
        ::Series::expAvg(::Series::mul(::Series::financeDiv(plusMove, range, 0.25), 100), factor);
    result.minusDI =
        ::Series::expAvg(::Series::mul(::Series::financeDiv(minusMove, range, 0.25), 100), factor);
    const Series spread = ::Series::abs(::Series::sub(result.plusDI, result.minusDI));
    const Series total = ::Series::add(result.plusDI, result.minusDI);
    result.adx =
        ::Series::expAvg(::Series::mul(::Series::financeDiv(spread, total, 0), 100), factor);
    return result;
}

Macd movingAverageConvergenceDivergence(const Series &close, int slow, int fast, int signalPeriod)
{
    Macd result;
    result.macd =
        ::Series::sub(exponentialMovingAverage(close, fast), exponentialMovingAverage(close, slow));
    result.signal = ::Series::expAvg(result.macd, 2.0 / (signalPeriod + 1));
    result.divergence = ::Series::sub(result.macd, result.signal);
    return result;
}

Series relativeStrengthIndex(const Series &close, int period)
{
    const Series change = ::Series::delta(close, 1);
    const Series upAverage = wilderAverage(::Series::selectGTZ(change), period);
    const Series moveAverage = wilderAverage(::Series::abs(change), period);
    return ::Series::mul(::Series::financeDiv(upAverage, moveAverage, 0.5), 100);
}

Stochastic slowStochastic(const Series &high, const Series &low, const Series &close, int period,
                          int smoothing)
{
    const Series lowest = ::Series::movMin(low, period);
    const Series range = ::Series::sub(::Series::movMax(high, period), lowest);
    const Series fastK =
        ::Series::mul(::Series::financeDiv(::Series::sub(close, lowest), range, 0.5), 100);
    Stochastic result;
    result.percentK = ::Series::movAvg(fastK, smoothing);
    result.percentD = ::Series::movAvg(result.percentK, smoothing);
    return result;
}

} // namespace Indicators
