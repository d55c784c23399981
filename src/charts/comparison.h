#pragma once

#include <QStringList>

#include <vector>

// Lining up another symbol's stored closes with the points of the chart.
namespace Comparison {

// For each stored date of the chart (qData's date text), the other symbol's close on the same
// date from its "date|close" rows, or Chart::NoValue when it has none there.
std::vector<double> closesOnDates(const QStringList &dates, const QStringList &otherRows);

} // namespace Comparison
