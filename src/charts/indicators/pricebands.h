#pragma once

#include <vector>

// Bands drawn around the price: an upper and a lower line.
namespace Indicators {

struct Band
{
    std::vector<double> upper;
    std::vector<double> lower;
};

// Moving average ± width standard deviations; the lower line never goes below 0.
Band bollingerBand(const std::vector<double> &close, int period, double width);
// Highest high and lowest low over the period.
Band donchianChannel(const std::vector<double> &high, const std::vector<double> &low, int period);
// Moving average ± percent.
Band envelope(const std::vector<double> &close, int period, double percent);

} // namespace Indicators
