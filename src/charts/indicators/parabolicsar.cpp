#include "charts/indicators/parabolicsar.h"

#include "chartconst.h"

#include <cstddef>

#include <algorithm>

namespace Indicators {

std::vector<double> parabolicSar(const std::vector<double> &high, const std::vector<double> &low,
                                 double start, double step, double cap)
{
    const size_t count = std::min(high.size(), low.size());
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
            if (longTrend) {
                current = previousLow;
                extreme = std::max(h, previousHigh);
            } else {
                current = std::max(h, previousHigh);
                extreme = l;
            }
            sar[i] = current;
        } else if (seen > 2) {
            acceleration = std::min(acceleration, cap);
            current += (extreme - current) * acceleration;
            if (!longTrend) {
                if (h <= current) {
                    if (l < extreme) {
                        extreme = l;
                        acceleration += step;
                    }
                    current = std::max({current, previousHigh, secondPreviousHigh});
                } else {
                    longTrend = true;
                    current = extreme;
                    acceleration = start;
                    extreme = h;
                }
            } else {
                if (l >= current) {
                    if (h > extreme) {
                        extreme = h;
                        acceleration += step;
                    }
                    current = std::min({current, previousLow, secondPreviousLow});
                } else {
                    longTrend = false;
                    current = extreme;
                    acceleration = start;
                    extreme = l;
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
