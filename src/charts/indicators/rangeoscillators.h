#pragma once

#include <vector>

// Oscillators that place the latest price within its recent range. A point missing any input
// gives no value and is skipped: windows span the last points with values. A window without
// range gives the middle of the scale. Each function names its look-back: the number of points
// with values it needs before its first value.
namespace Indicators {

using Series = std::vector<double>;

struct StochasticLines
{
    Series percentK;
    Series percentD;
};

// %K = 100 × (close - lowest low) / (highest high - lowest low) over the period, unsmoothed;
// %D = its simple average over `smoothing`. Look-back period - 1 (%K), + smoothing - 1 (%D).
StochasticLines fastStochastic(const Series &high, const Series &low, const Series &close,
                               int period, int smoothing);

// -100 × (highest high - close) / (highest high - lowest low) over the period, -100..0.
// Look-back period - 1.
Series williamsR(const Series &high, const Series &low, const Series &close, int period);

// Aroon up minus Aroon down: 100 × (points since the lowest low - points since the highest
// high) / period, over the last period + 1 points; of equal extremes the latest counts.
// Look-back period.
Series aroonOscillator(const Series &high, const Series &low, int period);

// The stochastic of Wilder's RSI: the RSI's place in its range over `stochasticPeriod`, 0..100,
// as %K (averaged over kPeriod) and %D (%K averaged over dPeriod). The RSI starts with the mean
// of the first rsiPeriod moves and is 50 without moves. Look-back rsiPeriod + stochasticPeriod
// - 1 + kPeriod - 1 (%K), + dPeriod - 1 (%D).
StochasticLines stochasticRsi(const Series &close, int rsiPeriod, int stochasticPeriod, int kPeriod,
                              int dPeriod);

// Williams' ultimate oscillator: buying pressure (close - true low) over true range, summed over
// three periods and weighted 4 : 2 : 1, 0..100. Look-back longPeriod.
Series ultimateOscillator(const Series &high, const Series &low, const Series &close,
                          int shortPeriod, int mediumPeriod, int longPeriod);

} // namespace Indicators
