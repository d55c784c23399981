#pragma once

#include <vector>

namespace Indicators {

// Parabolic stop-and-reverse points over high and low. Points with a missing high or low get no
// value and are not counted as previous points. The acceleration starts at `start`, grows by
// `step` with each new extreme and never exceeds `cap`.
std::vector<double> parabolicSar(const std::vector<double> &high, const std::vector<double> &low,
                                 double start = 0.02, double step = 0.02, double cap = 20.0);

} // namespace Indicators
