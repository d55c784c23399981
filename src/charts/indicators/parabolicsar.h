#pragma once

#include <vector>

namespace Indicators {

// Wilder's parabolic stop-and-reverse points over high and low. Points with a missing high or
// low get no value and are not counted as previous points. The trend starts long unless the
// second low is below the first; the first stop is then the first low (the higher of the first
// two highs when short) and the first extreme the second high (low). The acceleration starts at
// `start`, grows by `step` with each new extreme and never exceeds `cap`. A stop never lies
// inside the high-low range of its own bar.
std::vector<double> parabolicSar(const std::vector<double> &high, const std::vector<double> &low,
                                 double start = 0.02, double step = 0.02, double cap = 0.2);

} // namespace Indicators
