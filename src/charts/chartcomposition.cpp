#include "charts/chartcomposition.h"

#include "charts/chartnews.h"
#include "charts/comparison.h"
#include "charts/datelabelplan.h"
#include "charts/indicatorcatalogue.h"
#include "charts/signalmath.h"
#include "store/pricerows.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace ChartComposition {

namespace {

constexpr int PageChromeHeight = 266; // symbol bar, news-count chart and margins

void addMovingAverage(FinanceChart &chart, const MovingAverage &average)
{
    if (average.period < 1)
        return;
    switch (average.kind) {
    case 1:
        chart.addSimpleMovingAverage(average.period, 0x663300);
        break;
    case 2:
        chart.addExponentialMovingAverage(average.period, 0x663300);
        break;
    case 3:
        chart.addTriangularMovingAverage(average.period, 0x663300);
        break;
    case 4:
        chart.addWeightedMovingAverage(average.period, 0x663300);
        break;
    default:
        break;
    }
}

void addPriceBand(FinanceChart &chart, int band)
{
    switch (band) {
    case 1:
        chart.addBollingerBand(20, 2);
        break;
    case 2:
        chart.addDonchianChannel(20);
        break;
    case 3:
        chart.addEnvelope(20, 10);
        break;
    default:
        break;
    }
}

// The price layer of the type; the line for a type outside the list, whose points then offer
// no tooltips.
Layer *addPriceLayer(FinanceChart &chart, int priceType)
{
    switch (priceType) {
    case 1:
        return chart.addCandleSticks(0x99ff99, 0xff9999);
    case 2:
        return chart.addOhlcBars(0x99ff99, 0xff9999);
    default: {
        Layer *line = chart.addCloseLine(0x64dae3);
        return priceType == 0 ? line : nullptr;
    }
    }
}

void addSignalMarkers(FinanceChart &chart, const QStringList &dates,
                      const std::vector<double> &closes, const Options &options)
{
    // The rows just drawn, so marker i sits on point i, as "date|close" rows.
    QStringList priceRows;
    priceRows.reserve(dates.size());
    for (qsizetype i = 0; i < dates.size(); ++i)
        priceRows << dates[i] + QLatin1Char('|') +
                         QString::number(closes[size_t(i)], 'g', QLocale::FloatingPointShortest);
    const QStringList rows = SignalMath::signalRows(
        priceRows, options.signalTop, options.signalBottom, std::max(1, options.signalPeriod));
    std::vector<double> longs(size_t(chart.pointCount()), Chart::NoValue);
    std::vector<double> shorts(size_t(chart.pointCount()), Chart::NoValue);
    for (int i = 0; i < rows.size() && i < chart.pointCount(); ++i) {
        const QStringList fields = rows.at(i).split(QLatin1Char('|'));
        if (fields.value(2) == QLatin1String("LONG"))
            longs[size_t(i)] = fields.value(1).toDouble();
        else if (fields.value(2) == QLatin1String("SHORT"))
            shorts[size_t(i)] = fields.value(1).toDouble();
    }
    XYChart *panel = chart.mainPanel();
    ScatterLayer *longLayer = panel->addScatterLayer({}, longs, QStringLiteral("LONG"),
                                                     Chart::TriangleSymbol, 12, 0x00ff00, 0x00ff00);
    ScatterLayer *shortLayer = panel->addScatterLayer(
        {}, shorts, QStringLiteral("SHORT"), Chart::InvertedTriangleSymbol, 12, 0xff0000, 0xff0000);
    longLayer->moveFront();
    shortLayer->moveFront();
    chart.setMainChart(panel);
}

} // namespace

int mainPanelHeightFor(int pageHeight, int indicatorPanels)
{
    return std::max(MinimumMainPanelHeight,
                    pageHeight - PageChromeHeight - IndicatorPanelHeight * indicatorPanels);
}

PointRange visiblePoints(int count, double viewPortLeft, double viewPortWidth)
{
    if (count <= 0)
        return {0, 0};
    // A point is shown when its slot overlaps the viewport.
    constexpr double Tolerance = 1e-9;
    const int first = std::clamp(int(std::floor(viewPortLeft * count + Tolerance)), 0, count - 1);
    const int end = std::clamp(int(std::ceil((viewPortLeft + viewPortWidth) * count - Tolerance)),
                               first + 1, count);
    return {first, end};
}

PriceChart composePriceChart(const PriceRows::Columns &rows, const Page &page,
                             const Options &options)
{
    PriceChart drawn;
    const PointRange shown = visiblePoints(rows.size(), page.viewPortLeft, page.viewPortWidth);
    drawn.shown = shown;
    const auto upToLastShown = [&](const std::vector<double> &column) {
        return std::vector<double>(column.begin(), column.begin() + shown.end);
    };
    const std::vector<double> open = upToLastShown(rows.open), high = upToLastShown(rows.high),
                              low = upToLastShown(rows.low), close = upToLastShown(rows.close),
                              volume = upToLastShown(rows.volume);
    const QStringList dates = rows.dates.mid(0, shown.end);
    std::vector<double> times;
    times.reserve(size_t(shown.end));
    for (int i = 0; i < shown.end; ++i)
        times.push_back(ChartNews::chartTimeOfStoredDate(rows.dateNumbers[size_t(i)]));
    const int indicatorPanels =
        int(std::count_if(options.indicators.begin(), options.indicators.end(),
                          [](int entry) { return entry != 0; }));

    drawn.chart = std::make_unique<FinanceChart>(page.width);
    FinanceChart &chart = *drawn.chart;
    chart.setPlotAreaStyle(BaseChart::linearGradientColor(0, 0, 350, 0, 0x132c4e, 0xffffff),
                           0x21486e, 0x21486e, 0x21486e, 0x21486e);
    chart.setPlotAreaBorder(0x21486e, 0);
    chart.addTitle2(Chart::TopLeft, QStringLiteral("%1 (%2)").arg(page.companyName, page.symbol),
                    QString(), 12, 0xffffff);
    // The page's own wording, in the page's translation context.
    chart.addTitle2(Chart::TopRight,
                    QCoreApplication::translate("ChartFrameClass", "Chart Rendered: %1")
                        .arg(page.renderedAt.toString()),
                    QStringLiteral("Verdana"), 8, 0xd1d6db);
    chart.setBgImage(QStringLiteral("Images/ChartWatermark.png"), Chart::Center);
    chart.setXAxisStyle(QStringLiteral("arial.ttf"), 7, 0xd1d6db, 0);
    chart.setYAxisStyle(QStringLiteral("arial.ttf"), 7, 0xd1d6db, 0);
    chart.setData(times, high, low, open, close, volume, shown.first);

    drawn.mainPanelHeight = mainPanelHeightFor(page.pageHeight, indicatorPanels);
    chart.addMainPanel(drawn.mainPanelHeight);
    if (options.volumeBars)
        chart.addVolumeBars(75, 0x99ff99, 0xff9999, 0x808080);
    if (options.parabolicSar)
        chart.addParabolicSar();
    if (options.logScale)
        chart.setLogScale(true);
    if (options.percentageScale)
        chart.setPercentageAxis();
    addPriceBand(chart, options.priceBand);
    for (const MovingAverage &average : options.movingAverages)
        addMovingAverage(chart, average);
    drawn.price = addPriceLayer(chart, options.priceType);
    drawn.closeLine = options.priceType == 0;
    if (!page.comparedSymbol.isEmpty())
        chart.addComparison(Comparison::closesOnDates(dates, page.comparedRows),
                            page.comparedSymbol);
    for (int entry : options.indicators)
        IndicatorPanels::add(chart, entry, IndicatorPanelHeight);

    chart.setBackground(
        BaseChart::linearGradientColor(0, 0, 0, chart.getHeight(), 0x132c4e, 0x060e17),
        Chart::Transparent);
    chart.setBorder(0x21486e);
    if (options.signalMarkers)
        addSignalMarkers(chart, dates, close, options);
    return drawn;
}

std::vector<ImageMap::LayerAreas> hotSpots(const PriceChart &drawn)
{
    const QString attributes =
        drawn.closeLine
            ? QStringLiteral("title='{xLabel}\n{value}'")
            : QStringLiteral(
                  "title='{xLabel}\nHigh:{high}\nOpen:{open}\nClose:{close}\nLow:{low}'");
    std::vector<ImageMap::LayerAreas> areas;
    if (drawn.price)
        areas.push_back(
            drawn.price->getImageMapAreas(QStringLiteral("clickable"), QString(), attributes));
    for (const Layer *line : drawn.chart->indicatorLines())
        areas.push_back(line->getImageMapAreas(QStringLiteral("clickable")));
    return areas;
}

std::unique_ptr<XYChart> composeNewsChart(const ChartNews::CountTable &table,
                                          const QStringList &feedTitles, bool daily, int width)
{
    auto chart = std::make_unique<XYChart>(width, 145, Chart::BackgroundColor, Chart::Transparent);
    chart->setBackground(BaseChart::linearGradientColor(0, 0, 0, 190, 0x132c4e, 0x060e17),
                         Chart::Transparent);
    chart->setPlotArea(40, 10, width - 80, 110, Chart::Transparent, -1, 0x21486e, 0xc0c0c0,
                       Chart::Transparent);
    chart->getPlotArea()->setGridColor(0x21486e, 0x21486e);
    BarLayer *bars = chart->addBarLayer2(Chart::Stack, 0);
    bars->setBorderColor(Chart::SameAsMainColor);
    for (int feed = 0; feed < table.feedIds.size(); ++feed) {
        const QList<double> &counts = table.counts.at(feed);
        bars->addDataSet(std::vector<double>(counts.begin(), counts.end()), -1,
                         feedTitles.value(feed));
    }
    const std::vector<double> times(table.categoryTimes.begin(), table.categoryTimes.end());
    Axis *x = chart->xAxis();
    x->setLabels2(times);
    if (daily) {
        x->setMultiFormat(Chart::encodeFilter(Chart::StartOfYearFilter, 1, 0.05),
                          QStringLiteral("<*font=arial.ttf*>{value|yyyy}"),
                          Chart::encodeFilter(Chart::StartOfMonthFilter, 1, 0.05),
                          QStringLiteral("{value|mmm}"), 3);
    } else {
        // Hour buckets labelled as the price chart above labels its hours, as many as fit.
        const int every = planDateLabels(times, 0, width - 80).labelEvery;
        x->setMultiFormat(
            Chart::encodeFilter(Chart::StartOfDayFilter, 1, 0.5), FirstHourLabelFormat,
            Chart::encodeFilter(Chart::StartOfHourFilter, 1, 0.5), OtherHourLabelFormat, every);
    }
    x->setLabelStyle(QStringLiteral("arial.ttf"), 7, 0xd1d6db);
    chart->yAxis()->setLabelStyle(QStringLiteral("arial.ttf"), 7, 0xd1d6db);
    chart->setBgImage(QStringLiteral("images/ChartWatermark.png"), Chart::Center);
    return chart;
}

QString newsImageMap(XYChart &chart)
{
    return chart.getHTMLImageMap(
        QStringLiteral("clickable"), QString(),
        QStringLiteral("title='{xLabel}\n{value} items for {dataSetName}'"));
}

} // namespace ChartComposition
