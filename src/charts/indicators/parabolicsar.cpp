#include "charts/indicators/parabolicsar.h"

#include "chartconst.h"

#include <algorithm>
#include <cstddef>

namespace Indicators {

std::vector<double> parabolicSar(const std::vector<double> &high, const std::vector<double> &low,
                                 double start, double step, double cap)
{
    const std::size_t count = std::min(high.size(), low.size());
    std::vector<double> sar(count, Chart::NoValue);
    int seen = 0;
    bool longTrend = true;
    double acceleration = start, extreme = 0, current = 0;
    double previousHigh = 0, previousLow = 0, secondPreviousHigh = 0, secondPreviousLow = 0;

    for (std::size_t i = 0; i < count; ++i) {
        const double h = high[i], l = low[i];
        if (Chart::isNoValue(h) || Chart::isNoValue(l))
            continue;
        ++seen;
        if (seen == 2) {
            longTrend = !(l < previousLow);
            current = longTrend ? previousLow : std::max(h, previousHigh);
            extreme = longTrend ? h : l;
            sar[i] = current;
        } else if (seen > 2) {
            current += (extreme - current) * acceleration;
            // The stop is placed outside the two bars before it first, then tested against this
            // bar; a stop that is hit flips to the far side of the trend just ended, and never
            // inside this bar either.
            if (longTrend) {
                current = std::min({current, previousLow, secondPreviousLow});
                if (l < current) {
                    longTrend = false;
                    current = std::max({extreme, previousHigh, h});
                    extreme = l;
                    acceleration = start;
                } else if (h > extreme) {
                    extreme = h;
                    acceleration = std::min(acceleration + step, cap);
                }
            } else {
                current = std::max({current, previousHigh, secondPreviousHigh});
                if (h > current) {
                    longTrend = true;
                    current = std::min({extreme, previousLow, l});
                    extreme = h;
                    acceleration = start;
                } else if (l < extreme) {
                    extreme = l;
                    acceleration = std::min(acceleration + step, cap);
                }
            }
            sar[i] = current;
        }
        secondPreviousHigh = previousHigh;
        secondPreviousLow = previousLow;
        previousHigh = h;
        previousLow = l;
    }
    return sar;
}

} // namespace Indicators
