#pragma once

#include <QString>

#include <vector>

namespace Indicators {

struct ScaledVolumes
{
    std::vector<double> volumes;
    QString unit; // "", "K", "M" or "B"
};

// Divides the volumes by the largest power of 1000 (up to 1000^3) that does not exceed their
// largest magnitude, so the axis shows short numbers with a unit. Also scales volume-weighted
// sums, which may be negative.
ScaledVolumes scaleVolumes(const std::vector<double> &volumes);

struct VolumesByDirection
{
    std::vector<double> up;   // the close rose since the point before
    std::vector<double> down; // the close fell
    std::vector<double> flat; // the close did not change
};

VolumesByDirection volumesByDirection(const std::vector<double> &volumes,
                                      const std::vector<double> &close);

} // namespace Indicators
