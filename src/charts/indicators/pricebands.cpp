#include "charts/indicators/pricebands.h"

#include "chartconst.h"
#include "series_arith.h"
#include "series_window.h"

namespace Indicators {

Band bollingerBand(const std::vector<double> &close, int period, double width)
{
    const auto middle = Series::movAvg(close, period);
    const auto deviation = Series::mul(Series::movStdDev(close, period), width);
    Band band{Series::add(middle, deviation), Series::sub(middle, deviation)};
    for (double &value : band.lower) {
        if (!Chart::isNoValue(value) && value <= 0)
            value = 0; // a price band below zero means nothing
    }
    return band;
}

Band donchianChannel(const std::vector<double> &high, const std::vector<double> &low, int period)
{
    return {Series::movMax(high, period), Series::movMin(low, period)};
}

Band envelope(const std::vector<double> &close, int period, double percent)
{
    const auto middle = Series::movAvg(close, period);
    return {Series::mul(middle, 1 + percent / 100), Series::mul(middle, 1 - percent / 100)};
}

} // namespace Indicators
