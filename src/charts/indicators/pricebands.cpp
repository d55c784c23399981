#include "charts/indicators/pricebands.h"

#include "chartconst.h"
#include "series_window.h"

#include <cstddef>
#include <utility>

namespace Indicators {

Band bollingerBand(const std::vector<double> &close, int period, double width)
{
    // The upper line takes the average's storage and the lower the deviation's.
    auto [average, deviations] = Series::movAvgAndStdDev(close, period);
    Band band{std::move(average), std::move(deviations)};
    for (std::size_t i = 0; i < band.upper.size(); ++i) {
        const double middle = band.upper[i], deviation = band.lower[i];
        if (Chart::isNoValue(middle) || Chart::isNoValue(deviation)) {
            band.upper[i] = band.lower[i] = Chart::NoValue;
            continue;
        }
        band.upper[i] = middle + deviation * width;
        const double lower = middle - deviation * width;
        band.lower[i] = lower > 0 ? lower : 0; // a price band below zero means nothing
    }
    return band;
}

Band donchianChannel(const std::vector<double> &high, const std::vector<double> &low, int period)
{
    return {Series::movMax(high, period), Series::movMin(low, period)};
}

Band envelope(const std::vector<double> &close, int period, double percent)
{
    Band band{Series::movAvg(close, period), {}};
    band.lower = band.upper;
    const double up = 1 + percent / 100, down = 1 - percent / 100;
    for (std::size_t i = 0; i < band.upper.size(); ++i) {
        if (!Chart::isNoValue(band.upper[i])) {
            band.upper[i] *= up;
            band.lower[i] *= down;
        }
    }
    return band;
}

} // namespace Indicators
