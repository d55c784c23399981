// The indicator panels beyond the original five: one line (or a line with its signal) per
// panel, with the customary reference levels.
#include "charts/financechart.h"

#include "charts/indicators/momentum.h"
#include "charts/indicators/rangeoscillators.h"
#include "charts/indicators/volatility.h"
#include "charts/indicators/volume.h"
#include "charts/indicators/volumeflow.h"

namespace {

using Values = std::vector<double>;

constexpr int LineColor = 0x00acfc;
constexpr int SignalColor = 0xff00ff;
constexpr int HistogramColor = 0x008000;
constexpr int UpperLevelColor = 0xff6666;
constexpr int LowerLevelColor = 0x6666ff;
constexpr int ZeroLineColor = 0x808080;

QString number(double value)
{
    return QString::number(value);
}

} // namespace

void FinanceChart::addZeroLine(XYChart *panel)
{
    panel->yAxis()->addMark(0, ZeroLineColor);
}

void FinanceChart::addReferenceLevels(XYChart *panel, double lowest, double highest, double lower,
                                      double upper)
{
    panel->yAxis()->setLinearScale(lowest, highest);
    panel->yAxis()->addMark(upper, UpperLevelColor, number(upper), QString(), 8);
    panel->yAxis()->addMark(lower, LowerLevelColor, number(lower), QString(), 8);
}

XYChart *FinanceChart::addLinePanel(int height, const Values &values, int color,
                                    const QString &label)
{
    XYChart *panel = addIndicatorPanel(height);
    addLine(panel, values, color, label);
    return panel;
}

XYChart *FinanceChart::addVolumeSumPanel(int height, const Values &values, const QString &label)
{
    XYChart *panel = addIndicatorPanel(height);
    const auto scaled = Indicators::scaleVolumes(values);
    addLine(panel, scaled.volumes, LineColor, label, scaled.unit);
    panel->yAxis()->setLabelFormat(QStringLiteral("{value}") + scaled.unit);
    return panel;
}

XYChart *FinanceChart::addAccDistPanel(int height)
{
    return addVolumeSumPanel(
        height, Indicators::accumulationDistribution(highData, lowData, closeData, tradedVolumes),
        QStringLiteral("Accumulation/Distribution"));
}

XYChart *FinanceChart::addAroonOscPanel(int height, int period)
{
    XYChart *panel = addLinePanel(height, Indicators::aroonOscillator(highData, lowData, period),
                                  LineColor, QStringLiteral("Aroon Oscillator (%1)").arg(period));
    panel->yAxis()->setLinearScale(-100, 100);
    addZeroLine(panel);
    return panel;
}

XYChart *FinanceChart::addATRPanel(int height, int period)
{
    return addLinePanel(height, Indicators::averageTrueRange(highData, lowData, closeData, period),
                        LineColor, QStringLiteral("ATR (%1)").arg(period));
}

XYChart *FinanceChart::addBollingerWidthPanel(int height, int period, double width)
{
    return addLinePanel(height, Indicators::bollingerBandWidth(closeData, period, width), LineColor,
                        QStringLiteral("Bollinger Band Width (%1, %2)").arg(period).arg(width));
}

XYChart *FinanceChart::addChaikinMoneyFlowPanel(int height, int period)
{
    XYChart *panel = addLinePanel(
        height, Indicators::chaikinMoneyFlow(highData, lowData, closeData, tradedVolumes, period),
        LineColor, QStringLiteral("Chaikin Money Flow (%1)").arg(period));
    addZeroLine(panel);
    return panel;
}

XYChart *FinanceChart::addChaikinOscillatorPanel(int height, int fastPeriod, int slowPeriod)
{
    XYChart *panel = addVolumeSumPanel(
        height,
        Indicators::chaikinOscillator(highData, lowData, closeData, tradedVolumes, fastPeriod,
                                      slowPeriod),
        QStringLiteral("Chaikin Oscillator (%1, %2)").arg(fastPeriod).arg(slowPeriod));
    addZeroLine(panel);
    return panel;
}

XYChart *FinanceChart::addChaikinVolatilityPanel(int height, int emaPeriod, int rocPeriod)
{
    XYChart *panel = addLinePanel(
        height, Indicators::chaikinVolatility(highData, lowData, emaPeriod, rocPeriod), LineColor,
        QStringLiteral("Chaikin Volatility (%1, %2)").arg(emaPeriod).arg(rocPeriod));
    addZeroLine(panel);
    return panel;
}

XYChart *FinanceChart::addCLVPanel(int height)
{
    XYChart *panel =
        addLinePanel(height, Indicators::closeLocationValue(highData, lowData, closeData),
                     LineColor, QStringLiteral("Close Location Value"));
    panel->yAxis()->setLinearScale(-1, 1);
    addZeroLine(panel);
    return panel;
}

XYChart *FinanceChart::addCCIPanel(int height, int period)
{
    XYChart *panel = addLinePanel(
        height, Indicators::commodityChannelIndex(highData, lowData, closeData, period), LineColor,
        QStringLiteral("CCI (%1)").arg(period));
    panel->yAxis()->addMark(100, UpperLevelColor, QStringLiteral("100"), QString(), 8);
    panel->yAxis()->addMark(-100, LowerLevelColor, QStringLiteral("-100"), QString(), 8);
    addZeroLine(panel);
    return panel;
}

XYChart *FinanceChart::addDPOPanel(int height, int period)
{
    XYChart *panel = addLinePanel(height, Indicators::detrendedPriceOscillator(closeData, period),
                                  LineColor, QStringLiteral("DPO (%1)").arg(period));
    addZeroLine(panel);
    return panel;
}

XYChart *FinanceChart::addDonchianWidthPanel(int height, int period)
{
    return addLinePanel(height, Indicators::donchianChannelWidth(highData, lowData, period),
                        LineColor, QStringLiteral("Donchian Width (%1)").arg(period));
}

XYChart *FinanceChart::addEaseOfMovementPanel(int height, int period)
{
    XYChart *panel =
        addLinePanel(height, Indicators::easeOfMovement(highData, lowData, tradedVolumes, period),
                     LineColor, QStringLiteral("EMV (%1)").arg(period));
    addZeroLine(panel);
    return panel;
}

XYChart *FinanceChart::addFastStochasticPanel(int height, int period, int smoothing)
{
    XYChart *panel = addIndicatorPanel(height);
    const auto lines = Indicators::fastStochastic(highData, lowData, closeData, period, smoothing);
    addLine(panel, lines.percentK, LineColor,
            QStringLiteral("Fast Stochastic %K (%1)").arg(period));
    addLine(panel, lines.percentD, SignalColor, QStringLiteral("%D (%1)").arg(smoothing));
    addReferenceLevels(panel, 0, 100, 20, 80);
    return panel;
}

XYChart *FinanceChart::addMassIndexPanel(int height, int emaPeriod, int sumPeriod)
{
    XYChart *panel = addLinePanel(
        height, Indicators::massIndex(highData, lowData, emaPeriod, sumPeriod), LineColor,
        QStringLiteral("Mass Index (%1, %2)").arg(emaPeriod).arg(sumPeriod));
    // A bulge above 27 is the customary reversal warning.
    panel->yAxis()->addMark(27, UpperLevelColor, QStringLiteral("27"), QString(), 8);
    return panel;
}

XYChart *FinanceChart::addMomentumPanel(int height, int period)
{
    XYChart *panel = addLinePanel(height, Indicators::momentum(closeData, period), LineColor,
                                  QStringLiteral("Momentum (%1)").arg(period));
    addZeroLine(panel);
    return panel;
}

XYChart *FinanceChart::addMFIPanel(int height, int period)
{
    XYChart *panel = addLinePanel(
        height, Indicators::moneyFlowIndex(highData, lowData, closeData, tradedVolumes, period),
        LineColor, QStringLiteral("Money Flow Index (%1)").arg(period));
    addReferenceLevels(panel, 0, 100, 20, 80);
    return panel;
}

XYChart *FinanceChart::addNVIPanel(int height)
{
    return addLinePanel(height, Indicators::negativeVolumeIndex(closeData, tradedVolumes),
                        LineColor, QStringLiteral("Negative Volume Index"));
}

XYChart *FinanceChart::addOBVPanel(int height)
{
    return addVolumeSumPanel(height, Indicators::onBalanceVolume(closeData, tradedVolumes),
                             QStringLiteral("On Balance Volume"));
}

XYChart *FinanceChart::addPerformancePanel(int height)
{
    XYChart *panel = addIndicatorPanel(height);
    addLine(panel, Indicators::performance(closeData, extraPoints), LineColor,
            QStringLiteral("Performance"), QStringLiteral("%"));
    panel->yAxis()->setLabelFormat(QStringLiteral("{value}%"));
    addZeroLine(panel);
    return panel;
}

XYChart *FinanceChart::addPPOPanel(int height, int fastPeriod, int slowPeriod, int signalPeriod)
{
    return addPercentageOscillatorPanel(height, closeData, QStringLiteral("PPO"), fastPeriod,
                                        slowPeriod, signalPeriod);
}

XYChart *FinanceChart::addPVOPanel(int height, int fastPeriod, int slowPeriod, int signalPeriod)
{
    return addPercentageOscillatorPanel(height, tradedVolumes, QStringLiteral("PVO"), fastPeriod,
                                        slowPeriod, signalPeriod);
}

XYChart *FinanceChart::addPercentageOscillatorPanel(int height, const Values &values,
                                                    const QString &name, int fastPeriod,
                                                    int slowPeriod, int signalPeriod)
{
    const auto oscillator =
        Indicators::percentageOscillator(values, fastPeriod, slowPeriod, signalPeriod);
    XYChart *panel = addIndicatorPanel(height);
    addLine(panel, oscillator.line, LineColor,
            QStringLiteral("%1 (%2, %3)").arg(name).arg(fastPeriod).arg(slowPeriod));
    addLine(panel, oscillator.signal, SignalColor, QStringLiteral("EXP (%1)").arg(signalPeriod));
    BarLayer *bars =
        panel->addBarLayer(oscillator.histogram, HistogramColor, QStringLiteral("Divergence"));
    bars->setBorderColor(Chart::Transparent);
    addZeroLine(panel);
    return panel;
}

XYChart *FinanceChart::addPVIPanel(int height)
{
    return addLinePanel(height, Indicators::positiveVolumeIndex(closeData, tradedVolumes),
                        LineColor, QStringLiteral("Positive Volume Index"));
}

XYChart *FinanceChart::addPVTPanel(int height)
{
    return addVolumeSumPanel(height, Indicators::priceVolumeTrend(closeData, tradedVolumes),
                             QStringLiteral("Price Volume Trend"));
}

XYChart *FinanceChart::addROCPanel(int height, int period)
{
    XYChart *panel = addLinePanel(height, Indicators::rateOfChange(closeData, period), LineColor,
                                  QStringLiteral("ROC (%1)").arg(period));
    addZeroLine(panel);
    return panel;
}

XYChart *FinanceChart::addStochRSIPanel(int height, int rsiPeriod, int stochasticPeriod,
                                        int kPeriod, int dPeriod)
{
    XYChart *panel = addIndicatorPanel(height);
    const auto lines =
        Indicators::stochasticRsi(closeData, rsiPeriod, stochasticPeriod, kPeriod, dPeriod);
    addLine(panel, lines.percentK, LineColor,
            QStringLiteral("StochRSI %K (%1, %2, %3)")
                .arg(rsiPeriod)
                .arg(stochasticPeriod)
                .arg(kPeriod));
    addLine(panel, lines.percentD, SignalColor, QStringLiteral("%D (%1)").arg(dPeriod));
    addReferenceLevels(panel, 0, 100, 20, 80);
    return panel;
}

XYChart *FinanceChart::addTRIXPanel(int height, int period)
{
    XYChart *panel = addLinePanel(height, Indicators::trix(closeData, period), LineColor,
                                  QStringLiteral("TRIX (%1)").arg(period));
    addZeroLine(panel);
    return panel;
}

XYChart *FinanceChart::addUltimateOscillatorPanel(int height, int shortPeriod, int mediumPeriod,
                                                  int longPeriod)
{
    XYChart *panel =
        addLinePanel(height,
                     Indicators::ultimateOscillator(highData, lowData, closeData, shortPeriod,
                                                    mediumPeriod, longPeriod),
                     LineColor,
                     QStringLiteral("Ultimate Oscillator (%1, %2, %3)")
                         .arg(shortPeriod)
                         .arg(mediumPeriod)
                         .arg(longPeriod));
    addReferenceLevels(panel, 0, 100, 30, 70);
    return panel;
}

XYChart *FinanceChart::addWilliamRPanel(int height, int period)
{
    XYChart *panel =
        addLinePanel(height, Indicators::williamsR(highData, lowData, closeData, period), LineColor,
                     QStringLiteral("William's %R (%1)").arg(period));
    addReferenceLevels(panel, -100, 0, -80, -20);
    return panel;
}
