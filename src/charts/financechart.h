#pragma once

#include "multichart.h"
#include "xychart.h"

#include <QString>

#include <memory>
#include <vector>

// A stock chart: a main price panel (price layer, bands, moving averages, Parabolic SAR, volume
// bars) and indicator panels below it, stacked in one image and sharing one x axis of trading
// days (x = point index; the timestamps only label the axis). Each legend shows the latest
// values. Built afresh for every drawing.
class FinanceChart : public MultiChart
{
public:
    explicit FinanceChart(int width);
    ~FinanceChart() override;

    // Look (set before adding panels).
    void setPlotAreaStyle(int bgColor, int majorHGridColor, int majorVGridColor,
                          int minorHGridColor, int minorVGridColor);
    void setPlotAreaBorder(int borderColor, int panelGap);
    void setMargins(int left, int top, int right, int bottom);
    void setLegendStyle(const QString &font, double size, int color, int bgColor);
    void setXAxisStyle(const QString &font, double size, int color, double angle);
    void setYAxisStyle(const QString &font, double size, int color, int topMargin);
    void setAxisOnRight(bool onRight) { axisOnRight = onRight; }
    void setLogScale(bool log);
    void setAntiAlias(bool on) { antiAlias = on; }

    // Timestamps are chart times. Volumes are scaled to K, M or B for the axis.
    void setData(const std::vector<double> &timeStamps, const std::vector<double> &high,
                 const std::vector<double> &low, const std::vector<double> &open,
                 const std::vector<double> &close, const std::vector<double> &volume,
                 int extraPoints);

    XYChart *addMainPanel(int height);
    XYChart *addIndicatorPanel(int height);

    // Price layers.
    LineLayer *addCloseLine(int color = 0x64dae3);
    CandleStickLayer *addCandleSticks(int riseColor = 0x99ff99, int fallColor = 0xff9999);
    HLOCLayer *addOhlcBars(int upColor = 0x99ff99, int downColor = 0xff9999);

    // Bands, averages and stops on the main panel.
    InterLineLayer *addBollingerBand(int period = 20, double width = 2);
    InterLineLayer *addDonchianChannel(int period = 20);
    InterLineLayer *addEnvelope(int period = 20, double percent = 10);
    LineLayer *addSimpleMovingAverage(int period, int color = 0x663300);
    LineLayer *addExponentialMovingAverage(int period, int color = 0x663300);
    LineLayer *addTriangularMovingAverage(int period, int color = 0x663300);
    LineLayer *addWeightedMovingAverage(int period, int color = 0x663300);
    LineLayer *addParabolicSar();
    // A second y axis showing the change from the first shown close in percent (once).
    void setPercentageAxis();
    // Another symbol's closes on the same points, drawn on the main panel rebased to the first
    // shown close, so that both read as percent changes on the percentage axis it turns on.
    // Null (and nothing drawn) when either series has no shown close above 0.
    LineLayer *addComparison(const std::vector<double> &otherCloses, const QString &symbol,
                             int color = 0xff9900);
    BarLayer *addVolumeBars(int height, int upColor, int downColor, int flatColor);

    // Indicator panels.
    XYChart *addAdxPanel(int height, int period = 14);
    XYChart *addMacdPanel(int height, int slowPeriod = 26, int fastPeriod = 12,
                          int signalPeriod = 9);
    XYChart *addRsiPanel(int height, int period = 14);
    XYChart *addSlowStochasticPanel(int height, int period = 14, int smoothing = 3);
    XYChart *addVolumePanel(int height, int upColor = 0x99ff99, int downColor = 0xff9999,
                            int flatColor = 0xc0c0c0);

    // The other indicator panels, with the customary parameters by default (the definitions
    // are those of the functions in indicators/). Volume sums are shown in the volume unit.
    XYChart *addAccDistPanel(int height);
    XYChart *addAroonOscPanel(int height, int period = 25);
    XYChart *addATRPanel(int height, int period = 14);
    XYChart *addBollingerWidthPanel(int height, int period = 20, double width = 2);
    XYChart *addChaikinMoneyFlowPanel(int height, int period = 20);
    XYChart *addChaikinOscillatorPanel(int height, int fastPeriod = 3, int slowPeriod = 10);
    XYChart *addChaikinVolatilityPanel(int height, int emaPeriod = 10, int rocPeriod = 10);
    XYChart *addCLVPanel(int height);
    XYChart *addCCIPanel(int height, int period = 20);
    XYChart *addDPOPanel(int height, int period = 20);
    XYChart *addDonchianWidthPanel(int height, int period = 20);
    XYChart *addEaseOfMovementPanel(int height, int period = 14);
    XYChart *addFastStochasticPanel(int height, int period = 14, int smoothing = 3);
    XYChart *addMassIndexPanel(int height, int emaPeriod = 9, int sumPeriod = 25);
    XYChart *addMomentumPanel(int height, int period = 10);
    XYChart *addMFIPanel(int height, int period = 14);
    XYChart *addNVIPanel(int height);
    XYChart *addOBVPanel(int height);
    XYChart *addPerformancePanel(int height);
    XYChart *addPPOPanel(int height, int fastPeriod = 12, int slowPeriod = 26,
                         int signalPeriod = 9);
    XYChart *addPVOPanel(int height, int fastPeriod = 12, int slowPeriod = 26,
                         int signalPeriod = 9);
    XYChart *addPVIPanel(int height);
    XYChart *addPVTPanel(int height);
    XYChart *addROCPanel(int height, int period = 12);
    XYChart *addStochRSIPanel(int height, int rsiPeriod = 14, int stochasticPeriod = 14,
                              int kPeriod = 3, int dPeriod = 3);
    XYChart *addTRIXPanel(int height, int period = 15);
    XYChart *addUltimateOscillatorPanel(int height, int shortPeriod = 7, int mediumPeriod = 14,
                                        int longPeriod = 28);
    XYChart *addWilliamRPanel(int height, int period = 14);

    // The indicator lines below the main panel, each with its own hot-spot title, so that the
    // page can offer their values as tooltips.
    const std::vector<Layer *> &indicatorLines() const { return indicatorLineLayers; }

    XYChart *mainPanel() const { return main; }
    XYChart *currentPanel() const { return current; }
    const std::vector<std::unique_ptr<XYChart>> &panels() const { return panelCharts; }
    int plotWidth() const { return totalWidth - leftMargin - rightMargin; }
    int pointCount() const { return int(closeData.size()); }
    int shownPointCount() const { return pointCount() - extraPoints; }
    const QString &volumeUnit() const { return unit; }
    const std::vector<double> &volumes() const { return volumeData; }

    // "label: value" with the last valid value of the series (the label alone without one).
    QString legendName(const QString &label, const std::vector<double> &values) const;
    QString formatGeneral(double value) const { return formatValue(value, generalFormat); }

private:
    void labelDates(XYChart *panel);
    QString tooltipDateFormat() const;
    // Image-map title of the candle and OHLC layers.
    QString priceTooltip() const;
    QString priceLegendKey() const;
    InterLineLayer *addBand(const std::vector<double> &upper, const std::vector<double> &lower,
                            const QString &label);
    LineLayer *addLine(XYChart *panel, const std::vector<double> &values, int color,
                       const QString &label, const QString &unitSuffix = QString());
    void styleYAxis(Axis *axis, int panelHeight) const;
    // The first value above 0 from the first shown point on; NoValue without one.
    double firstShownPositive(const std::vector<double> &values) const;
    // A panel with one line of the given values.
    XYChart *addLinePanel(int height, const std::vector<double> &values, int color,
                          const QString &label);
    // A panel with one line of a volume-weighted sum, scaled to a volume unit.
    XYChart *addVolumeSumPanel(int height, const std::vector<double> &values, const QString &label);
    // A percentage oscillator of the values, its signal line and their difference as bars, as
    // in the MACD panel.
    XYChart *addPercentageOscillatorPanel(int height, const std::vector<double> &values,
                                          const QString &name, int fastPeriod, int slowPeriod,
                                          int signalPeriod);
    // A fixed scale with labelled reference lines, upper in red and lower in blue.
    static void addReferenceLevels(XYChart *panel, double lowest, double highest, double lower,
                                   double upper);
    static void addZeroLine(XYChart *panel);

    int totalWidth;
    int totalHeight = 0;
    bool antiAlias = true;
    bool logScale = false;
    bool axisOnRight = true;
    int leftMargin = 40, rightMargin = 40, topMargin = 30, bottomMargin = 35;
    int plotAreaBgColor = 0xffffff;
    int plotAreaBorder = 0x888888;
    int plotAreaGap = 2;
    int majorHGridColor = 0xdddddd, minorHGridColor = 0xdddddd;
    int majorVGridColor = 0xdddddd, minorVGridColor = 0xdddddd;
    QString legendFont = QStringLiteral("normal");
    double legendFontSize = 8;
    int legendFontColor = Chart::TextColor;
    int legendBgColor = int(0x80ccccccu);
    QString yAxisFont = QStringLiteral("normal");
    double yAxisFontSize = 8;
    int yAxisFontColor = Chart::TextColor;
    int yAxisMargin = 14;
    QString xAxisFont = QStringLiteral("normal");
    double xAxisFontSize = 8;
    int xAxisFontColor = Chart::TextColor;
    double xAxisFontAngle = 0;

    std::vector<double> timeStampData, highData, lowData, openData, closeData, volumeData;
    std::vector<double> tradedVolumes; // volumeData before scaling to its unit
    QString unit;
    int extraPoints = 0;
    int timeLabelSpacing = 50;
    QString generalFormat = QStringLiteral("P3");

    XYChart *main = nullptr;
    XYChart *current = nullptr;
    std::vector<std::unique_ptr<XYChart>> panelCharts;
    std::vector<Layer *> indicatorLineLayers;
    Axis *percentageAxis = nullptr;
};
