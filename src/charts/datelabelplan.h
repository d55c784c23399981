#pragma once

#include <QString>

#include <vector>

// Labels of an intraday date axis: the day and time at the first point of a day, the time at the
// others ("9:30am"). The price chart and the news-count chart below it share them.
inline const QString FirstHourLabelFormat = QStringLiteral("<*font=bold*>{value|d mmm\nh:nna}");
inline const QString OtherHourLabelFormat = QStringLiteral("{value|h:nna}");

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
