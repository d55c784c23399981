#pragma once

#include <vector>

// Indicators of how fast and how far a series moved. A missing point gives no value and is
// skipped: "n points ago" counts points with a value. Each function names its look-back: the
// number of points with values it needs before its first value.
namespace Indicators {

using Series = std::vector<double>;

// The change from `period` points ago. Look-back period.
Series momentum(const Series &values, int period);

// The change from `period` points ago in percent of that value (no value where it is 0).
// Look-back period.
Series rateOfChange(const Series &values, int period);

// The change in percent from the first value at or after `from` that is not 0; no value before
// it.
Series performance(const Series &values, int from);

// One-point change in percent of a triple exponential average. The first average is seeded with
// the first value, the second and third with the one before them once that has run `period`
// points. Look-back 3 × (period - 1) + 1.
Series trix(const Series &values, int period);

struct PercentageOscillator
{
    Series line;      // 100 × (fast EMA - slow EMA) / slow EMA
    Series signal;    // exponential average of the line
    Series histogram; // line - signal
};

// Percentage price (or volume) oscillator. All averages are exponential and seeded with their
// first value. Look-back 1.
PercentageOscillator percentageOscillator(const Series &values, int fast, int slow,
                                          int signalPeriod);

// The value period / 2 + 1 points ago minus the period's simple average (the latest-point form,
// not the centred one, so the last point has a value). Look-back max(period - 1, period / 2 + 1).
Series detrendedPriceOscillator(const Series &values, int period);

// (typical price - its simple average) / (0.015 × mean absolute deviation from that average),
// all over the period; 0 when the deviation is 0. Look-back period - 1.
Series commodityChannelIndex(const Series &high, const Series &low, const Series &close,
                             int period);

} // namespace Indicators
