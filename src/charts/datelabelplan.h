#pragma once

#include <vector>

// How the shared date axis of a finance chart is labelled: which calendar level the labels mark
// and how many points lie between label slots.
struct DateLabelPlan
{
    enum class Level
    {
        Year,
        Month,
        Day,
        Hour
    };

    Level level = Level::Day;
    int labelEvery = 1; // label every n-th point
    int monthStep = 1;  // with month labels: every n-th month start
    double secondsPerSlot = 86400;
};

// timestamps: chart times in seconds; extraPoints: leading points not drawn; plotWidth and
// labelSpacing in pixels.
DateLabelPlan planDateLabels(const std::vector<double> &timestamps, int extraPoints, int plotWidth,
                             int labelSpacing = 50);
