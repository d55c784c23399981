#include "charts/datelabelplan.h"

namespace {
constexpr double Hour = 3600;
constexpr double Day = 86400;
} // namespace

DateLabelPlan planDateLabels(const std::vector<double> &timestamps, int extraPoints, int plotWidth,
                             int labelSpacing)
{
    DateLabelPlan plan;
    const int count = int(timestamps.size());
    const int shown = count - extraPoints;
    if (count == 0 || shown <= 0 || plotWidth <= 0)
        return plan;

    const double span = timestamps.back() - timestamps.at(extraPoints);
    double step = span / plotWidth * labelSpacing;
    if (span >= step * shown) {
        // Every point has room for a label of its own.
        step = count >= 2 ? timestamps.at(count - 1) - timestamps.at(count - 2) : Day;
        plan.labelEvery = 1;
    } else {
        plan.labelEvery = shown * labelSpacing / plotWidth + 1;
    }
    plan.secondsPerSlot = step;

    if (step > 360 * Day || (step > 90 * Day && span >= 720 * Day)) {
        plan.level = DateLabelPlan::Level::Year;
    } else if (step >= 30 * Day || (step > 7 * Day && span >= 60 * Day)) {
        plan.level = DateLabelPlan::Level::Month;
        plan.monthStep = int(step / (31 * Day)) + 1;
    } else if (step >= Day || (step > 6 * Hour && span >= Day)) {
        plan.level = DateLabelPlan::Level::Day;
    } else {
        plan.level = DateLabelPlan::Level::Hour;
    }
    return plan;
}
