#pragma once
// The chart page's technical indicators, one entry each: the name its lists show, the customary
// parameters, the look-back, the pure computation and the finance-chart panel that draws it. The
// page, its option lists, the tests and the indicator benchmark all read this one list, so an
// indicator is added in one place. Saved chart options refer to the list by position: entries
// are only ever appended, never reordered or renamed.

#include <QString>
#include <QStringList>

#include <functional>
#include <type_traits>
#include <vector>

class FinanceChart;
class XYChart;

struct IndicatorInputs
{
    std::vector<double> high, low, close, volume;
};

struct CatalogueEntry
{
    QString name;
    // Points with values needed before the first value of every output.
    int lookBack;
    // The outputs, in the order the panel draws them, with the entry's parameters.
    std::function<std::vector<std::vector<double>>(const IndicatorInputs &)> compute;
    // One of the panels whose formulas predate the reference tests and keep their own rules for
    // missing points.
    bool original = false;
    // Periods and factors, in the order the panel's legend names them.
    std::vector<int> parameters;
    // Adds the entry's panel of the given height below the chart's panels.
    std::function<XYChart *(FinanceChart &, int)> addPanel;
};

// The outputs of one indicator, moved rather than copied (a benchmark measures this too).
template <typename... Outputs> std::vector<std::vector<double>> outputsOf(Outputs &&...outputs)
{
    static_assert((!std::is_lvalue_reference_v<Outputs> && ...) &&
                      (!std::is_const_v<std::remove_reference_t<Outputs>> && ...),
                  "move the outputs in");
    std::vector<std::vector<double>> result;
    result.reserve(sizeof...(Outputs));
    (result.push_back(std::move(outputs)), ...);
    return result;
}

// Every indicator in list order.
const std::vector<CatalogueEntry> &indicatorCatalogue();

// The catalogue as the page's indicator lists show it: entry 0 is "None", entry i the
// catalogue's (i - 1).
namespace IndicatorPanels {

const QStringList &names();

// Adds the panel of list entry `index`; null for "None" or an index outside the list.
XYChart *add(FinanceChart &chart, int index, int height);

} // namespace IndicatorPanels
