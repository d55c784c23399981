#pragma once

#include <vector>

// Indicators of how widely prices swing. A point missing any input gives no value and is
// skipped. Each function names its look-back: the number of points with values it needs before
// its first value.
namespace Indicators {

using Series = std::vector<double>;

// Wilder's average of the true range: the mean of the first `period` true ranges (the first
// point's is its high - low), then (average × (period - 1) + true range) / period.
// Look-back period - 1.
Series averageTrueRange(const Series &high, const Series &low, const Series &close, int period);

// Width of the Bollinger band in percent of its middle: 100 × 2 × width × standard deviation /
// simple average over the period (population deviation). Look-back period - 1.
Series bollingerBandWidth(const Series &close, int period, double width);

// Change in percent, over rocPeriod points, of the exponential average (seeded with the first
// value) of high - low. Look-back emaPeriod - 1 + rocPeriod.
Series chaikinVolatility(const Series &high, const Series &low, int emaPeriod, int rocPeriod);

// Highest high - lowest low over the period. Look-back period - 1.
Series donchianChannelWidth(const Series &high, const Series &low, int period);

// Sum over sumPeriod of EMA(high - low) / EMA(EMA(high - low)), both over emaPeriod; the first
// average is seeded with the first range, the second with the first one's value once that has
// run emaPeriod points. Look-back 2 × (emaPeriod - 1) + sumPeriod - 1.
Series massIndex(const Series &high, const Series &low, int emaPeriod, int sumPeriod);

} // namespace Indicators
