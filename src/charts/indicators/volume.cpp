#include "charts/indicators/volume.h"

#include "chartconst.h"
#include "series_arith.h"
#include "series_select.h"

#include <cmath>

namespace Indicators {

ScaledVolumes scaleVolumes(const std::vector<double> &volumes)
{
    double largest = 0;
    for (double volume : volumes) {
        if (!Chart::isNoValue(volume))
            largest = std::max(largest, std::abs(volume));
    }
    int power = 0;
    for (int candidate = 3; candidate >= 1; --candidate) {
        if (std::pow(1000.0, candidate) <= largest) {
            power = candidate;
            break;
        }
    }
    static const char *const units[] = {"", "K", "M", "B"};
    return {Series::div(volumes, std::pow(1000.0, power)), QString::fromLatin1(units[power])};
}

VolumesByDirection volumesByDirection(const std::vector<double> &volumes,
                                      const std::vector<double> &close)
{
    const auto change = Series::delta(close, 1);
    return {Series::selectGTZ(volumes, change), Series::selectLTZ(volumes, change),
            Series::selectEQZ(volumes, change)};
}

} // namespace Indicators
