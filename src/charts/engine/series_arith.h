#pragma once
// Element-wise arithmetic over data series. A missing point (Chart::NoValue) in any operand
// gives a missing point in the result. Arrays of different lengths combine over the shorter.

#include <vector>

namespace Series {

using Array = std::vector<double>;

Array add(const Array &a, const Array &b);
Array add(const Array &a, double b);
Array sub(const Array &a, const Array &b);
Array sub(const Array &a, double b);
Array mul(const Array &a, const Array &b);
Array mul(const Array &a, double b);
// Division by zero gives a missing point.
Array div(const Array &a, const Array &b);
Array div(const Array &a, double b);
// a / b, with z wherever b is 0.
Array financeDiv(const Array &a, const Array &b, double z);
Array abs(const Array &a);
// a[i] - a[i - offset]; the first offset points have no value.
Array delta(const Array &a, int offset = 1);
// Moves the points offset places later (earlier for a negative offset), filling with fill.
Array shift(const Array &a, int offset = 1, double fill = 1.7e308);
Array max(const Array &a, const Array &b);
Array max(const Array &a, double b);
Array min(const Array &a, const Array &b);
Array min(const Array &a, double b);
// Replaces every point equal to from with to.
Array replace(const Array &a, double from, double to);

} // namespace Series
