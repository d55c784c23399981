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
    // A second y axis showing the change from the first shown close in percent.
    void setPercentageAxis();
    BarLayer *addVolumeBars(int height, int upColor, int downColor, int flatColor);

    // Indicator panels.
    XYChart *addAdxPanel(int height, int period = 14);
    XYChart *addMacdPanel(int height, int slowPeriod = 26, int fastPeriod = 12,
                          int signalPeriod = 9);
    XYChart *addRsiPanel(int height, int period = 14);
    XYChart *addSlowStochasticPanel(int height, int period = 14, int smoothing = 3);
    XYChart *addVolumePanel(int height, int upColor = 0x99ff99, int downColor = 0xff9999,
                            int flatColor = 0xc0c0c0);

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
                       const QString &label);
    void styleYAxis(Axis *axis, int panelHeight) const;

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
    QString unit;
    int extraPoints = 0;
    int timeLabelSpacing = 50;
    QString generalFormat = QStringLiteral("P3");

    XYChart *main = nullptr;
    XYChart *current = nullptr;
    std::vector<std::unique_ptr<XYChart>> panelCharts;
};
