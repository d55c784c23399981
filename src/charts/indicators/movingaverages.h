#pragma once

#include <vector>

// Moving averages of a price series. Missing points are Chart::NoValue; a window that is not
// yet full gives no value.
namespace Indicators {

using Series = std::vector<double>;

Series simpleMovingAverage(const Series &values, int period);
// Exponential average with the factor 2 / (period + 1).
Series exponentialMovingAverage(const Series &values, int period);
// The average of the average, spanning period points together: over period / 2 + 1 and then
// period / 2 points for an even period, over (period + 1) / 2 points twice for an odd one.
Series triangularMovingAverage(const Series &values, int period);
// Weights 1..period, the latest point weighing most.
Series weightedMovingAverage(const Series &values, int period);
// Wilder's smoothing: the mean of the first `period` values, then (average × (period - 1) +
// value) / period. Missing points stay missing and are not counted.
Series wilderAverage(const Series &values, int period);

} // namespace Indicators
