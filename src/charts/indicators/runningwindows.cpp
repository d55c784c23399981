#include "charts/indicators/runningwindows.h"

#include "chartconst.h"
#include "series_window.h"

#include <algorithm>
#include <cstddef>

namespace Indicators {

RangeExtremes rangeExtremes(const std::vector<double> &high, const std::vector<double> &low,
                            const std::vector<double> &also, int period)
{
    std::size_t n = std::min(high.size(), low.size());
    if (!also.empty())
        n = std::min(n, also.size());
    bool gaps = false;
    for (std::size_t i = 0; i < n; ++i)
        gaps |= Chart::isNoValue(high[i]) || Chart::isNoValue(low[i]) ||
                (!also.empty() && Chart::isNoValue(also[i]));
    if (!gaps && period >= 1 && high.size() == n && low.size() == n)
        return {::Series::movMax(high, period), ::Series::movMin(low, period)};

    RangeExtremes result{std::vector<double>(n, Chart::NoValue),
                         std::vector<double>(n, Chart::NoValue)};
    if (period < 1)
        return result;
    Running::Highest highest(period);
    Running::Lowest lowest(period);
    for (std::size_t i = 0; i < n; ++i) {
        if (Chart::isNoValue(high[i]) || Chart::isNoValue(low[i]) ||
            (!also.empty() && Chart::isNoValue(also[i])))
            continue;
        highest.push(high[i]);
        lowest.push(low[i]);
        if (highest.full()) {
            result.highest[i] = highest.value();
            result.lowest[i] = lowest.value();
        }
    }
    return result;
}

} // namespace Indicators
