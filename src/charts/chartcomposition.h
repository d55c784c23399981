#pragma once
// The chart page's two charts composed from plain inputs: the price chart (price layer,
// overlays, comparison, indicator panels and signal markers) from the options chosen and the
// stored rows, and the news-count chart below it from the counted items. No widget is involved,
// so what a drawing holds can be checked without a window; the page reads its widgets and the
// store, and shows what is composed here.

#include "charts/financechart.h"
#include "imagemap.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

namespace ChartNews {
struct CountTable;
}
namespace PriceRows {
struct Columns;
}

namespace ChartComposition {

inline constexpr int MinimumMainPanelHeight = 120;
inline constexpr int IndicatorPanelHeight = 80;

// Main panel height for a page of the given height with n indicator panels: what is left above
// the panels, never below a readable minimum.
int mainPanelHeightFor(int pageHeight, int indicatorPanels);

// Points first .. end - 1 of a series.
struct PointRange
{
    int first = 0;
    int end = 0;
};
// The points of count that lie in the viewport (left and width as fractions of the whole
// range); at least one when there are any.
PointRange visiblePoints(int count, double viewPortLeft, double viewPortWidth);

// A moving average of the main panel: kind is the entry of the page's list (none, simple,
// exponential, triangular, weighted).
struct MovingAverage
{
    int kind = 0;
    int period = 14;
};

// What the page's options ask for. Lists are given by entry, as the page saves them.
struct Options
{
    int priceType = 0; // line, candles, OHLC bars
    bool volumeBars = false;
    bool parabolicSar = false;
    bool logScale = false;
    bool percentageScale = false;
    int priceBand = 0; // none, Bollinger, Donchian, envelope
    std::array<MovingAverage, 2> movingAverages{};
    std::array<int, 4> indicators{}; // entries of IndicatorPanels::names(), 0 for none
    bool signalMarkers = false;
    int signalPeriod = 14;
    int signalTop = 70;
    int signalBottom = 30;
};

// What the page shows besides its options.
struct Page
{
    QString symbol;
    QString companyName;
    QDateTime renderedAt;
    double viewPortLeft = 0;
    double viewPortWidth = 1;
    int width = 0;
    int pageHeight = 0;
    // Another symbol drawn on the main panel (none when empty) and its "date|close" rows.
    QString comparedSymbol;
    QStringList comparedRows;
};

struct PriceChart
{
    std::unique_ptr<FinanceChart> chart;
    // The layer whose points offer the prices as tooltips; null for a price type outside the
    // list.
    Layer *price = nullptr;
    bool closeLine = true;
    PointRange shown;
    int mainPanelHeight = 0;
};

// Indicators see every point up to the last one shown, so that their look-back is filled by the
// points before the first one shown.
PriceChart composePriceChart(const PriceRows::Columns &rows, const Page &page,
                             const Options &options);

// The hot spots of the price layer, then of each indicator line, each with its own title. The
// chart must have been made (as showing it does). Read from the layers rather than from map
// text: a long history's map runs to tens of megabytes, of which a tooltip needs one area.
std::vector<ImageMap::LayerAreas> hotSpots(const PriceChart &drawn);

// Stacked bars of each feed's items per day (or hour, for intraday prices), one data set per
// entry of the table's feeds, named by feedTitles.
std::unique_ptr<XYChart> composeNewsChart(const ChartNews::CountTable &table,
                                          const QStringList &feedTitles, bool daily, int width);

// The news-count chart's image map, once it has been made.
QString newsImageMap(XYChart &chart);

} // namespace ChartComposition
