#pragma once

#include <QStringList>

class FinanceChart;
class XYChart;

// The chart page's list of technical indicators and the finance-chart panel each entry draws.
namespace IndicatorPanels {

// The entries in list order; entry 0 is "None".
const QStringList &names();

// Adds the panel of list entry `index` with the customary parameters; null for "None" or an
// index outside the list.
XYChart *add(FinanceChart &chart, int index, int height);

} // namespace IndicatorPanels
