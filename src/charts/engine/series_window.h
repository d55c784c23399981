#pragma once
// Moving-window functions over data series. A window covers the last n points that have a
// value: missing points are skipped (and stay missing), and a window gives no value until it
// holds n points.

#include <vector>

namespace Series {

using Array = std::vector<double>;

Array movAvg(const Array &a, int n);
// Exponential average: e = e + factor × (v - e), seeded by the first value.
Array expAvg(const Array &a, double factor);
Array movMin(const Array &a, int n);
Array movMax(const Array &a, int n);
// Population standard deviation over the window.
Array movStdDev(const Array &a, int n);
// movAvg and movStdDev over the same windows, in one pass.
struct AverageAndDeviation
{
    Array average;
    Array deviation;
};
AverageAndDeviation movAvgAndStdDev(const Array &a, int n);
Array movSum(const Array &a, int n);
// Running sum from the first point.
Array accumulate(const Array &a);

} // namespace Series
