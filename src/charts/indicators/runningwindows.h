#pragma once

// The indicators use the engine's running windows under a shorter name, and share the range of
// recent highs and lows.
#include "series_running.h"

#include <vector>

namespace Indicators {

namespace Running = ::Series::Running;

struct RangeExtremes
{
    std::vector<double> highest;
    std::vector<double> lowest;
};

// The highest high and the lowest low of the last `period` points where the high, the low and
// `also` (when not empty) all have a value, at those points once the window is full; no value
// elsewhere. Without gaps the engine's block-wise window extremes do the work.
RangeExtremes rangeExtremes(const std::vector<double> &high, const std::vector<double> &low,
                            const std::vector<double> &also, int period);

} // namespace Indicators
