#include "charts/financechart.h"

#include "arraymath.h"
#include "charts/datelabelplan.h"
#include "charts/indicators/movingaverages.h"
#include "charts/indicators/oscillators.h"
#include "charts/indicators/parabolicsar.h"
#include "charts/indicators/pricebands.h"
#include "charts/indicators/volume.h"

#include <algorithm>

namespace {

using Values = std::vector<double>;

constexpr double Day = 86400;

const QString YearFormat = QStringLiteral("{value|yyyy}");
const QString FirstMonthFormat = QStringLiteral("<*font=bold*>{value|mmm yy}");
const QString OtherMonthFormat = QStringLiteral("{value|mmm}");
const QString FirstDayFormat = QStringLiteral("<*font=bold*>{value|d mmm}");
const QString OtherDayFormat = QStringLiteral("{value|d}");

int lastValidIndex(const Values &values)
{
    for (int i = int(values.size()) - 1; i >= 0; --i) {
        if (!Chart::isNoValue(values[size_t(i)]))
            return i;
    }
    return -1;
}

} // namespace

FinanceChart::FinanceChart(int width)
    : MultiChart(width, 1, Chart::BackgroundColor, Chart::Transparent, 0), totalWidth(width)
{
}

FinanceChart::~FinanceChart() = default;

void FinanceChart::setPlotAreaStyle(int bgColor, int majorHGrid, int majorVGrid, int minorHGrid,
                                    int minorVGrid)
{
    plotAreaBgColor = bgColor;
    majorHGridColor = majorHGrid;
    majorVGridColor = majorVGrid;
    minorHGridColor = minorHGrid;
    minorVGridColor = minorVGrid;
}

void FinanceChart::setPlotAreaBorder(int borderColor, int panelGap)
{
    plotAreaBorder = borderColor;
    plotAreaGap = panelGap;
}

void FinanceChart::setMargins(int left, int top, int right, int bottom)
{
    leftMargin = left;
    topMargin = top;
    rightMargin = right;
    bottomMargin = bottom;
}

void FinanceChart::setLegendStyle(const QString &font, double size, int color, int bgColor)
{
    legendFont = font;
    legendFontSize = size;
    legendFontColor = color;
    legendBgColor = bgColor;
}

void FinanceChart::setXAxisStyle(const QString &font, double size, int color, double angle)
{
    xAxisFont = font;
    xAxisFontSize = size;
    xAxisFontColor = color;
    xAxisFontAngle = angle;
}

void FinanceChart::setYAxisStyle(const QString &font, double size, int color, int topMarginPixels)
{
    yAxisFont = font;
    yAxisFontSize = size;
    yAxisFontColor = color;
    yAxisMargin = topMarginPixels;
}

void FinanceChart::setLogScale(bool log)
{
    logScale = log;
    if (main)
        log ? main->yAxis()->setLogScale3() : main->yAxis()->setLinearScale3();
}

void FinanceChart::setData(const Values &timeStamps, const Values &high, const Values &low,
                           const Values &open, const Values &close, const Values &volume, int extra)
{
    timeStampData = timeStamps;
    highData = high;
    lowData = low;
    openData = open;
    closeData = close;
    tradedVolumes = volume;
    extraPoints = std::max(0, extra);
    const auto scaled = Indicators::scaleVolumes(volume);
    volumeData = scaled.volumes;
    unit = scaled.unit;
}

QString FinanceChart::legendName(const QString &label, const Values &values) const
{
    const int last = lastValidIndex(values);
    if (last < 0)
        return label;
    return QStringLiteral("%1: %2").arg(label, formatGeneral(values[size_t(last)]));
}

void FinanceChart::styleYAxis(Axis *axis, int panelHeight) const
{
    axis->setAutoScale(0, 0.05, 0);
    if (panelHeight < 100)
        axis->setTickDensity(15);
    axis->setMargin(yAxisMargin);
    axis->setLabelStyle(yAxisFont, yAxisFontSize, yAxisFontColor, 0);
    axis->setTickLength2(-4, -2);
    axis->setColors(Chart::Transparent, yAxisFontColor, yAxisFontColor, yAxisFontColor);
}

XYChart *FinanceChart::addIndicatorPanel(int height)
{
    auto owned = std::make_unique<XYChart>(totalWidth, height + topMargin + bottomMargin,
                                           Chart::Transparent, Chart::Transparent, 0);
    XYChart *panel = owned.get();
    panelCharts.push_back(std::move(owned));
    panel->setTrimData(extraPoints);

    if (current) {
        current->xAxis()->setColors(Chart::Transparent, Chart::Transparent);
        panel->xAxis()->copyAxis(current->xAxis());
        addChart(0, totalHeight + plotAreaGap, panel);
        totalHeight += plotAreaGap + height + 1;
    } else {
        labelDates(panel);
        addChart(0, totalHeight, panel);
        totalHeight += height + 1;
    }
    current = panel;
    setSize(totalWidth, totalHeight + topMargin + bottomMargin);

    panel->setPlotArea(leftMargin, topMargin, totalWidth - leftMargin - rightMargin, height,
                       plotAreaBgColor, -1, plotAreaBorder, 0xc0c0c0, Chart::Transparent);
    panel->getPlotArea()->setGridColor(majorHGridColor, majorVGridColor, minorHGridColor,
                                       minorVGridColor);
    panel->setAntiAlias(antiAlias, Chart::AutoAntiAlias);

    LegendBox *legend = panel->addLegend(leftMargin, topMargin, false, legendFont, legendFontSize);
    legend->setFontColor(legendFontColor);
    legend->setBackground(legendBgColor, Chart::Transparent);
    legend->setMargin2(5, 0, 2, 1);
    legend->setSize(totalWidth - leftMargin - rightMargin + 1, 0);

    Axis *x = panel->xAxis();
    x->setIndent(true);
    x->setTickLength2(2, 0);
    x->setColors(Chart::Transparent, xAxisFontColor, xAxisFontColor, xAxisFontColor);
    x->setLabelStyle(xAxisFont, xAxisFontSize, xAxisFontColor, xAxisFontAngle);

    panel->setYAxisOnRight(axisOnRight);
    styleYAxis(panel->yAxis(), height);
    return panel;
}

void FinanceChart::labelDates(XYChart *panel)
{
    Axis *x = panel->xAxis();
    x->setLabels2(timeStampData);
    const DateLabelPlan plan =
        planDateLabels(timeStampData, extraPoints, plotWidth(), timeLabelSpacing);
    const int every = plan.labelEvery;
    switch (plan.level) {
    case DateLabelPlan::Level::Year:
        x->setMultiFormat(Chart::encodeFilter(Chart::StartOfYearFilter, 1, 0.05), YearFormat,
                          every);
        break;
    case DateLabelPlan::Level::Month:
        x->setMultiFormat(Chart::encodeFilter(Chart::StartOfYearFilter, 1, 0.05), FirstMonthFormat,
                          Chart::encodeFilter(Chart::StartOfMonthFilter, plan.monthStep, 0.05),
                          OtherMonthFormat, every);
        x->setMultiFormat2(Chart::encodeFilter(Chart::StartOfMonthFilter, 1, 0.05),
                           QStringLiteral("-"), 1, false);
        break;
    case DateLabelPlan::Level::Day:
        x->setMultiFormat(Chart::encodeFilter(Chart::StartOfMonthFilter, 1, 0.05), FirstDayFormat,
                          Chart::encodeFilter(Chart::StartOfDayFilter, 1, 0.5), OtherDayFormat,
                          every);
        break;
    case DateLabelPlan::Level::Hour:
        x->setMultiFormat(
            Chart::encodeFilter(Chart::StartOfDayFilter, 1, 0.5), FirstHourLabelFormat,
            Chart::encodeFilter(Chart::StartOfHourFilter, 1, 0.5), OtherHourLabelFormat, every);
        break;
    }
}

XYChart *FinanceChart::addMainPanel(int height)
{
    main = addIndicatorPanel(height);
    setMainChart(main);
    main->yAxis()->setMargin(2 * yAxisMargin);
    logScale ? main->yAxis()->setLogScale3() : main->yAxis()->setLinearScale3();
    return main;
}

LineLayer *FinanceChart::addLine(XYChart *panel, const Values &values, int color,
                                 const QString &label, const QString &unitSuffix)
{
    QString name = legendName(label, values);
    if (lastValidIndex(values) >= 0)
        name += unitSuffix;
    LineLayer *layer = panel->addLineLayer(values, color, name);
    if (panel != main) {
        // The title sits between single quotes in the image map: keep the label's apostrophes
        // out of its way.
        QString shown = label;
        shown.replace(QLatin1Char('\''), QChar(0x2019));
        layer->setHTMLImageMap(QString(), QString(),
                               QStringLiteral("title='%1 %2: {value|%3}%4'")
                                   .arg(tooltipDateFormat(), shown, generalFormat, unitSuffix));
        indicatorLineLayers.push_back(layer);
    }
    return layer;
}

LineLayer *FinanceChart::addCloseLine(int color)
{
    LineLayer *layer = addLine(main, closeData, color, QStringLiteral("Closing Price"));
    layer->setLineWidth(2);
    return layer;
}

QString FinanceChart::priceTooltip() const
{
    return QStringLiteral("title='%1 Op:{open|%2}, Hi:{high|%2}, Lo:{low|%2}, Cl:{close|%2}'")
        .arg(tooltipDateFormat(), generalFormat);
}

QString FinanceChart::tooltipDateFormat() const
{
    const int count = int(timeStampData.size());
    const double spacing =
        count > 1 ? (timeStampData.back() - timeStampData.front()) / (count - 1) : Day;
    if (spacing >= 30 * Day)
        return QStringLiteral("[{xLabel|mmm yyyy}]");
    if (spacing >= Day)
        return QStringLiteral("[{xLabel|mmm d, yyyy}]");
    return QStringLiteral("[{xLabel|mmm d, yyyy hh:nn:ss}]");
}

QString FinanceChart::priceLegendKey() const
{
    const int last = lastValidIndex(closeData);
    if (last < 0)
        return {};
    const auto valueAt = [](const Values &values, int i) {
        return i < int(values.size()) ? values[size_t(i)] : Chart::NoValue;
    };
    QStringList parts;
    const std::pair<const char *, double> entries[] = {{"Op:", valueAt(openData, last)},
                                                       {"Hi:", valueAt(highData, last)},
                                                       {"Lo:", valueAt(lowData, last)},
                                                       {"Cl:", valueAt(closeData, last)}};
    for (const auto &[label, value] : entries) {
        if (!Chart::isNoValue(value))
            parts << QString::fromLatin1(label) + formatGeneral(value);
    }
    return parts.join(QStringLiteral(", "));
}

CandleStickLayer *FinanceChart::addCandleSticks(int riseColor, int fallColor)
{
    const int last = lastValidIndex(closeData);
    const bool rising = last < 0 || Chart::isNoValue(openData.at(size_t(last))) ||
                        closeData[size_t(last)] - openData[size_t(last)] >= 0;
    main->getLegend()->addKey(priceLegendKey(), rising ? riseColor : fallColor);

    CandleStickLayer *layer = main->addCandleStickLayer(highData, lowData, openData, closeData,
                                                        riseColor, fallColor, Chart::LineColor);
    const int shown = shownPointCount();
    if (shown > 60)
        layer->setDataGap(0);
    if (shown > 0) {
        const int pixelsPerPoint = plotWidth() / shown;
        // An odd width keeps the wick in the middle of the body; rounding an even slot down
        // (not up) keeps neighbouring candles from overlapping.
        if (pixelsPerPoint < 6)
            layer->setDataWidth(std::max(1, pixelsPerPoint - 1 + pixelsPerPoint % 2));
    }
    layer->setHTMLImageMap(QString(), QString(), priceTooltip());
    return layer;
}

HLOCLayer *FinanceChart::addOhlcBars(int upColor, int downColor)
{
    const int last = lastValidIndex(closeData);
    bool rising = true;
    if (last > 0 && !Chart::isNoValue(closeData[size_t(last - 1)]))
        rising = closeData[size_t(last)] - closeData[size_t(last - 1)] >= 0;
    main->getLegend()->addKey(priceLegendKey(), rising ? upColor : downColor);

    HLOCLayer *layer = main->addHLOCLayer(highData, lowData, openData, closeData);
    layer->setColorMethod(Chart::HLOCUpDown, upColor, downColor);
    layer->setDataGap(0);
    layer->setHTMLImageMap(QString(), QString(), priceTooltip());
    return layer;
}

InterLineLayer *FinanceChart::addBand(const Values &upper, const Values &lower,
                                      const QString &label)
{
    QString name = label;
    for (int i = int(std::min(upper.size(), lower.size())) - 1; i >= 0; --i) {
        if (!Chart::isNoValue(upper[size_t(i)]) && !Chart::isNoValue(lower[size_t(i)])) {
            name =
                QStringLiteral("%1: %2 - %3")
                    .arg(label, formatGeneral(lower[size_t(i)]), formatGeneral(upper[size_t(i)]));
            break;
        }
    }
    constexpr int lineColor = 0x9999ff;
    LineLayer *upperLayer = main->addLineLayer(upper, lineColor, name);
    LineLayer *lowerLayer = main->addLineLayer(lower, lineColor);
    lowerLayer->setLegend(false);
    return main->addInterLineLayer(upperLayer->getLine(), lowerLayer->getLine(), int(0xc06666ffu));
}

InterLineLayer *FinanceChart::addBollingerBand(int period, double width)
{
    const auto band = Indicators::bollingerBand(closeData, period, width);
    return addBand(band.upper, band.lower,
                   QStringLiteral("Bollinger (%1, %2)").arg(period).arg(width));
}

InterLineLayer *FinanceChart::addDonchianChannel(int period)
{
    const auto band = Indicators::donchianChannel(highData, lowData, period);
    return addBand(band.upper, band.lower, QStringLiteral("Donchian (%1)").arg(period));
}

InterLineLayer *FinanceChart::addEnvelope(int period, double percent)
{
    const auto band = Indicators::envelope(closeData, period, percent);
    return addBand(band.upper, band.lower,
                   QStringLiteral("Envelop (SMA %1 +/- %2%)").arg(period).arg(percent));
}

LineLayer *FinanceChart::addSimpleMovingAverage(int period, int color)
{
    return addLine(main, Indicators::simpleMovingAverage(closeData, period), color,
                   QStringLiteral("SMA (%1)").arg(period));
}

LineLayer *FinanceChart::addExponentialMovingAverage(int period, int color)
{
    return addLine(main, Indicators::exponentialMovingAverage(closeData, period), color,
                   QStringLiteral("EMA (%1)").arg(period));
}

LineLayer *FinanceChart::addTriangularMovingAverage(int period, int color)
{
    return addLine(main, Indicators::triangularMovingAverage(closeData, period), color,
                   QStringLiteral("TMA (%1)").arg(period));
}

LineLayer *FinanceChart::addWeightedMovingAverage(int period, int color)
{
    return addLine(main, Indicators::weightedMovingAverage(closeData, period), color,
                   QStringLiteral("WMA (%1)").arg(period));
}

LineLayer *FinanceChart::addParabolicSar()
{
    const Values sar = Indicators::parabolicSar(highData, lowData);
    LineLayer *layer = addLine(main, sar, 0x008800, QStringLiteral("Parabolic SAR"));
    layer->setLineWidth(0);
    layer->getDataSet(0)->setDataSymbol(Chart::DiamondSymbol, 5, 0x008800, 0x000000);
    return layer;
}

double FinanceChart::firstShownPositive(const Values &values) const
{
    for (size_t i = size_t(extraPoints); i < values.size(); ++i) {
        if (!Chart::isNoValue(values[i]) && values[i] > 0)
            return values[i];
    }
    return Chart::NoValue;
}

void FinanceChart::setPercentageAxis()
{
    const double firstClose = firstShownPositive(closeData);
    if (Chart::isNoValue(firstClose) || !main || percentageAxis)
        return;
    Axis *percent = main->addAxis(axisOnRight ? Chart::Right : Chart::Left, 0);
    percentageAxis = percent;
    percent->setAutoScale(0, 0.05, 0);
    percent->setMargin(yAxisMargin);
    percent->setLabelStyle(yAxisFont, yAxisFontSize, yAxisFontColor, 0);
    percent->setColors(Chart::Transparent, yAxisFontColor, yAxisFontColor, yAxisFontColor);
    percent->setTickLength2(-4, -2);
    percent->syncAxis(main->yAxis(), 100 / firstClose, 0);
    percent->setRounding(false, false);
    percent->setLabelFormat(QStringLiteral("{={value}-100|@}%"));
    main->yAxis()->setColors(Chart::Transparent, Chart::Transparent);
    main->getPlotArea()->setGridAxis(nullptr, percent);
}

LineLayer *FinanceChart::addComparison(const Values &otherCloses, const QString &symbol, int color)
{
    const double firstClose = firstShownPositive(closeData);
    const double otherFirst = firstShownPositive(otherCloses);
    if (!main || Chart::isNoValue(firstClose) || Chart::isNoValue(otherFirst))
        return nullptr;
    LineLayer *layer =
        main->addLineLayer(ArrayMath(otherCloses).mul(firstClose / otherFirst).result(), color,
                           QStringLiteral("Compare: %1").arg(symbol));
    layer->setLineWidth(2);
    setPercentageAxis();
    return layer;
}

BarLayer *FinanceChart::addVolumeBars(int height, int upColor, int downColor, int flatColor)
{
    XYChart *panel = current;
    if (!panel)
        return nullptr;
    const auto split = Indicators::volumesByDirection(volumeData, closeData);
    BarLayer *layer = panel->addBarLayer2(Chart::Overlay, 0);
    layer->setBorderColor(Chart::Transparent);
    layer->addDataSet(
        split.up, upColor,
        QStringLiteral("%1%2").arg(legendName(QStringLiteral("Vol"), volumeData),
                                   lastValidIndex(volumeData) < 0 ? QString() : unit));
    layer->addDataSet(split.down, downColor);
    layer->addDataSet(split.flat, flatColor);

    Axis *axis = panel->yAxis();
    if (panel == main) {
        layer->setUseYAxis2();
        axis = panel->yAxis2();
        axis->setAutoScale(0, 0.05, 0);
        if (height < 100)
            axis->setTickDensity(15);
        axis->setLabelStyle(yAxisFont, yAxisFontSize, yAxisFontColor, 0);
        axis->setColors(Chart::Transparent, yAxisFontColor, yAxisFontColor, yAxisFontColor);
        axis->setTickLength2(-4, -2);
        const int plotHeight = panel->getHeight() - topMargin - bottomMargin;
        axis->setMargin(yAxisMargin + std::max(0, plotHeight - height));
    }
    const double largest = ArrayMath(volumeData).maxValue();
    const bool small = Chart::isNoValue(largest) || largest < 10;
    axis->setLabelFormat((small ? QStringLiteral("{value|1}") : QStringLiteral("{value}")) + unit);
    return layer;
}

XYChart *FinanceChart::addAdxPanel(int height, int period)
{
    XYChart *panel = addIndicatorPanel(height);
    const auto adx = Indicators::averageDirectionalIndex(highData, lowData, closeData, period);
    addLine(panel, adx.plusDI, 0x008000, QStringLiteral("+DI (%1)").arg(period));
    addLine(panel, adx.minusDI, 0x800000, QStringLiteral("-DI (%1)").arg(period));
    addLine(panel, adx.adx, 0x000080, QStringLiteral("ADX (%1)").arg(period));
    return panel;
}

XYChart *FinanceChart::addMacdPanel(int height, int slowPeriod, int fastPeriod, int signalPeriod)
{
    XYChart *panel = addIndicatorPanel(height);
    const auto macd = Indicators::movingAverageConvergenceDivergence(closeData, slowPeriod,
                                                                     fastPeriod, signalPeriod);
    addLine(panel, macd.macd, 0x00acfc,
            QStringLiteral("MACD (%1, %2)").arg(slowPeriod).arg(fastPeriod));
    addLine(panel, macd.signal, 0xff00ff, QStringLiteral("EXP (%1)").arg(signalPeriod));
    BarLayer *divergence =
        panel->addBarLayer(macd.divergence, 0x008000, QStringLiteral("Divergence"));
    divergence->setBorderColor(Chart::Transparent);
    return panel;
}

XYChart *FinanceChart::addRsiPanel(int height, int period)
{
    XYChart *panel = addIndicatorPanel(height);
    const Values rsi = Indicators::relativeStrengthIndex(closeData, period);
    LineLayer *line = addLine(panel, rsi, 0x800080, QStringLiteral("RSI (%1)").arg(period));
    panel->yAxis()->setLinearScale(0, 100);
    Mark *top = panel->yAxis()->addMark(70, 0xff6666, QStringLiteral("70"), QString(), 8);
    Mark *bottom = panel->yAxis()->addMark(30, 0x6666ff, QStringLiteral("30"), QString(), 8);
    panel->addInterLineLayer(line->getLine(), top->getLine(), 0xff6666, Chart::Transparent);
    panel->addInterLineLayer(line->getLine(), bottom->getLine(), Chart::Transparent, 0x6666ff);
    return panel;
}

XYChart *FinanceChart::addSlowStochasticPanel(int height, int period, int smoothing)
{
    XYChart *panel = addIndicatorPanel(height);
    const auto stochastic =
        Indicators::slowStochastic(highData, lowData, closeData, period, smoothing);
    addLine(panel, stochastic.percentK, 0x00acfc,
            QStringLiteral("Slow Stochastic %K (%1)").arg(period));
    addLine(panel, stochastic.percentD, 0xff00ff, QStringLiteral("%D (%1)").arg(smoothing));
    panel->yAxis()->setLinearScale(0, 100);
    return panel;
}

XYChart *FinanceChart::addVolumePanel(int height, int upColor, int downColor, int flatColor)
{
    XYChart *panel = addIndicatorPanel(height);
    addVolumeBars(height, upColor, downColor, flatColor);
    return panel;
}
