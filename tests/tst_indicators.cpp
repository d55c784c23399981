#include "arraymath.h"
#include "chartconst.h"
#include "charts/datelabelplan.h"
#include "charts/financechart.h"
#include "charts/indicatorcatalogue.h"
#include "charts/indicators/momentum.h"
#include "charts/indicators/movingaverages.h"
#include "charts/indicators/oscillators.h"
#include "charts/indicators/parabolicsar.h"
#include "charts/indicators/pricebands.h"
#include "charts/indicators/rangeoscillators.h"
#include "charts/indicators/volatility.h"
#include "charts/indicators/volume.h"
#include "charts/indicators/volumeflow.h"
#include "support/indicatorreference.h"

#include <QtTest>

#include <random>

using Values = std::vector<double>;
constexpr double NV = Chart::NoValue;

namespace {

// Compares series point by point; missing points must be missing on both sides.
bool near(const Values &actual, const Values &expected, double tolerance = 1e-6)
{
    if (actual.size() != expected.size())
        return false;
    for (size_t i = 0; i < actual.size(); ++i) {
        if (Chart::isNoValue(expected[i]) != Chart::isNoValue(actual[i]))
            return false;
        if (!Chart::isNoValue(expected[i]) && std::abs(actual[i] - expected[i]) > tolerance)
            return false;
    }
    return true;
}

QString show(const Values &values)
{
    QStringList parts;
    for (double value : values)
        parts << (Chart::isNoValue(value) ? QString("NV") : QString::number(value));
    return parts.join(", ");
}

#define COMPARE_SERIES(actual, ...)                                                                \
    do {                                                                                           \
        const Values expectedSeries = __VA_ARGS__;                                                 \
        QVERIFY2(near(actual, expectedSeries),                                                     \
                 qPrintable(show(actual) + " != " + show(expectedSeries)));                        \
    } while (false)

constexpr double Day = 86400;

Values dailyStamps(int count, double stepDays = 1)
{
    Values stamps;
    for (int i = 0; i < count; ++i)
        stamps.push_back(63800000000.0 + i * stepDays * Day);
    return stamps;
}

} // namespace

class IndicatorsTest : public QObject
{
    Q_OBJECT

private slots:
    void movingAveragesWaitForAFullWindow();
    void weightedAverageMatchesItsDefinitionOnLongSeries_data();
    void weightedAverageMatchesItsDefinitionOnLongSeries();
    void onePassPanelsMatchTheirComposition();
    void bollingerLowerBandStopsAtZero();
    void donchianAndEnvelope();
    void parabolicSarSwitchesTrendAndSkipsMissingPoints();
    void parabolicSarFollowsWildersRules_data();
    void parabolicSarFollowsWildersRules();
    void parabolicSarNeverLiesInsideItsBar();
    void adxKeepsOnlyTheDominantMove();
    void macdSignalAndDivergence();
    void rsiUsesWildersSmoothingAndIsNeutralWithoutMoves();
    void slowStochasticPlacesTheCloseInItsRange();
    void volumesAreScaledToAUnit();
    void volumesAreSplitByTheCloseChange();
    void dateLabelsChooseTheirCalendarLevel();
    void indicatorsMatchTheReference_data();
    void indicatorsMatchTheReference();
    void everyIndicatorStartsAfterItsLookBack();
    void seriesShorterThanTheLookBackGiveNoValues();
    void flatPricesAndZeroVolumeGiveNeutralValues();
    void missingPointsStayMissingAndAreSkipped();
    void everyPanelDrawsWhatItsEntryComputes();
    void listEntriesKeepTheirPlaceForStoredOptions();
};

void IndicatorsTest::movingAveragesWaitForAFullWindow()
{
    const Values rising{1, 2, 3, 4, 5, 6};
    COMPARE_SERIES(Indicators::simpleMovingAverage(rising, 3), {NV, NV, 2, 3, 4, 5});
    COMPARE_SERIES(Indicators::exponentialMovingAverage({1, 2, 3, 4}, 3), {1, 1.5, 2.25, 3.125});
    // Even periods: averages over 3 and then 2 points span exactly 4; odd ones: 3 and 3 span 5.
    COMPARE_SERIES(Indicators::triangularMovingAverage(rising, 4), {NV, NV, NV, 2.5, 3.5, 4.5});
    COMPARE_SERIES(Indicators::triangularMovingAverage({1, 2, 3, 4, 8, 6}, 5),
                   {NV, NV, NV, NV, 30.0 / 9, 42.0 / 9}); // weights 1 2 3 2 1
    COMPARE_SERIES(Indicators::weightedMovingAverage({1, 2, 3, 4}, 3),
                   {NV, NV, 14.0 / 6, 20.0 / 6});
    COMPARE_SERIES(Indicators::wilderAverage({NV, 1, 0, 2}, 2), {NV, NV, 0.5, 1.25});
}

namespace {

// A random walk with the points at `gaps` missing.
Values walk(int count, const std::vector<int> &gaps, unsigned seed = 3)
{
    std::mt19937_64 random(seed);
    std::normal_distribution<double> step(0, 1);
    Values values;
    double price = 300;
    for (int i = 0; i < count; ++i)
        values.push_back(price += step(random));
    for (int gap : gaps)
        values[size_t(gap)] = NV;
    return values;
}

} // namespace

void IndicatorsTest::weightedAverageMatchesItsDefinitionOnLongSeries_data()
{
    QTest::addColumn<Values>("values");
    QTest::addColumn<int>("period");
    // Long enough to cross the points where the running sums are recomputed.
    QTest::newRow("20") << walk(5000, {}) << 20;
    QTest::newRow("1") << walk(100, {}) << 1;
    QTest::newRow("14 with gaps") << walk(5000, {0, 13, 14, 1030, 2048}) << 14;
}

void IndicatorsTest::weightedAverageMatchesItsDefinitionOnLongSeries()
{
    QFETCH(Values, values);
    QFETCH(int, period);
    Values expected(values.size(), NV);
    std::vector<double> seen; // the values so far, without the gaps
    for (size_t i = 0; i < values.size(); ++i) {
        if (Chart::isNoValue(values[i]))
            continue;
        seen.push_back(values[i]);
        if (int(seen.size()) < period)
            continue;
        double weighted = 0;
        for (int w = 1; w <= period; ++w)
            weighted += w * seen[seen.size() - size_t(period) + size_t(w) - 1];
        expected[i] = weighted / (period * (period + 1) / 2.0);
    }
    QVERIFY(near(Indicators::weightedMovingAverage(values, period), expected, 1e-9));
}

void IndicatorsTest::onePassPanelsMatchTheirComposition()
{
    // The panels are computed in one pass each; composed from the array arithmetic they must
    // come out the same, gaps included (here in different points of each input).
    const Values high = walk(3000, {40, 41, 900}, 4);
    const Values low = ArrayMath(high).sub(2.0).result();
    Values close(high.size());
    for (size_t i = 0; i < close.size(); ++i)
        close[i] = Chart::isNoValue(high[i]) ? 150 : high[i] - 1 + std::sin(double(i)) * 0.9;
    close[300] = close[1200] = NV;

    const auto stochastic = Indicators::slowStochastic(high, low, close, 14, 3);
    const Values lowest = ArrayMath(low).movMin(14).result();
    const Values range = ArrayMath(high).movMax(14).sub(lowest).result();
    const Values percentK =
        ArrayMath(close).sub(lowest).financeDiv(range, 0.5).mul(100.0).movAvg(3).result();
    QVERIFY(near(stochastic.percentK, percentK, 1e-9));
    QVERIFY(near(stochastic.percentD, ArrayMath(percentK).movAvg(3).result(), 1e-9));

    const Values change = ArrayMath(close).delta(1).result();
    const Values up = Indicators::wilderAverage(ArrayMath(change).selectGTZ().result(), 14);
    const Values moved = Indicators::wilderAverage(ArrayMath(change).abs().result(), 14);
    QVERIFY(near(Indicators::relativeStrengthIndex(close, 14),
                 ArrayMath(up).financeDiv(moved, 0.5).mul(100.0).result(), 1e-9));

    const auto macd = Indicators::movingAverageConvergenceDivergence(close, 26, 12, 9);
    const Values line =
        ArrayMath(close).expAvg(2.0 / 13).sub(ArrayMath(close).expAvg(2.0 / 27)).result();
    const Values signal = ArrayMath(line).expAvg(0.2).result();
    QVERIFY(near(macd.macd, line, 1e-9));
    QVERIFY(near(macd.signal, signal, 1e-9));
    QVERIFY(near(macd.divergence, ArrayMath(line).sub(signal).result(), 1e-9));
}

void IndicatorsTest::bollingerLowerBandStopsAtZero()
{
    const auto band = Indicators::bollingerBand({10, 1, 1}, 3, 2);
    COMPARE_SERIES(band.upper, {NV, NV, 4 + 2 * std::sqrt(18.0)});
    COMPARE_SERIES(band.lower, {NV, NV, 0});
    const auto calm = Indicators::bollingerBand({10, 10, 10}, 3, 2);
    COMPARE_SERIES(calm.lower, {NV, NV, 10});
}

void IndicatorsTest::donchianAndEnvelope()
{
    const auto channel = Indicators::donchianChannel({5, 7, 6, 4}, {3, 2, 4, 1}, 2);
    COMPARE_SERIES(channel.upper, {NV, 7, 7, 6});
    COMPARE_SERIES(channel.lower, {NV, 2, 2, 1});
    const auto envelope = Indicators::envelope({10, 20}, 2, 10);
    COMPARE_SERIES(envelope.upper, {NV, 16.5});
    COMPARE_SERIES(envelope.lower, {NV, 13.5});
}

void IndicatorsTest::parabolicSarSwitchesTrendAndSkipsMissingPoints()
{
    const Values high{10, 11, 12, 9, 8, 13};
    const Values low{9, 10, 11, 7, 6, 8};
    // Long from the second point, reversed short by the drop at point 3, long again at point 5.
    COMPARE_SERIES(Indicators::parabolicSar(high, low), {NV, 9, 9, 12, 12, 6});

    const Values gappedHigh{10, NV, 11, 12, 9, 8, 13};
    const Values gappedLow{9, 5, 10, 11, 7, 6, 8};
    COMPARE_SERIES(Indicators::parabolicSar(gappedHigh, gappedLow), {NV, NV, 9, 9, 12, 12, 6});
}

void IndicatorsTest::parabolicSarFollowsWildersRules_data()
{
    QTest::addColumn<Values>("high");
    QTest::addColumn<Values>("low");
    QTest::addColumn<int>("point");
    QTest::addColumn<double>("expected");
    // An inside second bar still gives the first extreme: 9 + 0.02 × (11 - 9) at point 2, then
    // the new high 11.5 raises the acceleration to 0.04.
    QTest::newRow("extreme from the second bar")
        << Values{12, 11, 11.5, 11.6} << Values{9, 10, 10.2, 10.3} << 3 << 9 + 0.04 * (11.5 - 9);
    // The stop of point 4 (15.25) is first lowered to the low two bars before (10.5); the low
    // of 12 stays above it, so the trend holds.
    QTest::newRow("limited before the penetration test")
        << Values{10, 11, 30, 100, 101} << Values{9, 10, 10.5, 29, 12} << 4 << 10.5;
    // The bar that ends the rise reaches a new high of 20: the stop goes above it.
    QTest::newRow("reversal bar limited")
        << Values{10, 11, 12, 13, 20} << Values{9, 10, 11, 12, 5} << 4 << 20.0;
    // A steady rise of one a bar: with the acceleration capped at 0.2 the stop trails the high
    // by 5, where its gap g settles at g = 0.8 g + 1.
    Values high, low;
    for (int i = 0; i < 200; ++i) {
        high.push_back(100 + i + 1);
        low.push_back(100 + i);
    }
    QTest::newRow("acceleration capped") << high << low << 199 << high.back() - 5;
}

void IndicatorsTest::parabolicSarFollowsWildersRules()
{
    QFETCH(Values, high);
    QFETCH(Values, low);
    QFETCH(int, point);
    QFETCH(double, expected);
    const Values sar = Indicators::parabolicSar(high, low);
    QVERIFY(std::abs(sar.at(point) - expected) < 1e-6);
}

void IndicatorsTest::parabolicSarNeverLiesInsideItsBar()
{
    // A random walk with wide bars and frequent reversals.
    std::mt19937_64 random(20261210);
    std::normal_distribution<double> step(0, 1);
    std::uniform_real_distribution<double> spread(0.01, 2);
    Values high, low;
    double price = 1000;
    for (int i = 0; i < 100000; ++i) {
        price = std::max(1.0, price + step(random));
        high.push_back(price + spread(random));
        low.push_back(price - spread(random));
    }
    const Values sar = Indicators::parabolicSar(high, low);
    int reversals = 0;
    for (size_t i = 1; i < sar.size(); ++i) {
        QVERIFY2(
            !(sar[i] > low[i] && sar[i] < high[i]),
            qPrintable(
                QString("point %1: %2 inside %3..%4").arg(i).arg(sar[i]).arg(low[i]).arg(high[i])));
        reversals += i > 1 && (sar[i] >= high[i]) != (sar[i - 1] >= high[i - 1]);
    }
    QVERIFY(reversals > 1000); // the walk did test the reversals
}

void IndicatorsTest::adxKeepsOnlyTheDominantMove()
{
    // Period 1 makes every exponential average the identity, so the raw values show.
    const auto adx = Indicators::averageDirectionalIndex({10, 12, 11}, {8, 9, 7}, {9, 11, 8}, 1);
    COMPARE_SERIES(adx.plusDI, {NV, 200.0 / 3, 0});
    COMPARE_SERIES(adx.minusDI, {NV, 0, 50});
    COMPARE_SERIES(adx.adx, {NV, 100, 100});
    // Equal rise and fall cancel each other.
    const auto even = Indicators::averageDirectionalIndex({10, 11}, {9, 8}, {9.5, 9.5}, 1);
    COMPARE_SERIES(even.plusDI, {NV, 0});
    COMPARE_SERIES(even.minusDI, {NV, 0});
    COMPARE_SERIES(even.adx, {NV, 0});
}

void IndicatorsTest::macdSignalAndDivergence()
{
    const auto macd = Indicators::movingAverageConvergenceDivergence({1, 2, 3}, 3, 1, 1);
    COMPARE_SERIES(macd.macd, {0, 0.5, 0.75});
    COMPARE_SERIES(macd.signal, {0, 0.5, 0.75});
    COMPARE_SERIES(macd.divergence, {0, 0, 0});
    // The standard signal line smooths with 0.2.
    const auto standard = Indicators::movingAverageConvergenceDivergence({0, 0, 10}, 26, 12, 9);
    QVERIFY(std::abs(standard.signal[2] - 0.2 * standard.macd[2]) < 1e-9);
}

void IndicatorsTest::rsiUsesWildersSmoothingAndIsNeutralWithoutMoves()
{
    COMPARE_SERIES(Indicators::relativeStrengthIndex({1, 2, 1, 3}, 2), {NV, NV, 50, 250.0 / 3});
    COMPARE_SERIES(Indicators::relativeStrengthIndex({5, 5, 5}, 2), {NV, NV, 50});
}

void IndicatorsTest::slowStochasticPlacesTheCloseInItsRange()
{
    const auto stochastic = Indicators::slowStochastic({2, 4, 3}, {1, 2, 1}, {1.5, 3, 2}, 2, 1);
    COMPARE_SERIES(stochastic.percentK, {NV, 200.0 / 3, 100.0 / 3});
    COMPARE_SERIES(stochastic.percentD, {NV, 200.0 / 3, 100.0 / 3});
    const auto smoothed = Indicators::slowStochastic({2, 4, 3}, {1, 2, 1}, {1.5, 3, 2}, 2, 2);
    COMPARE_SERIES(smoothed.percentK, {NV, NV, 50});
    const auto flat = Indicators::slowStochastic({5, 5}, {5, 5}, {5, 5}, 2, 1);
    COMPARE_SERIES(flat.percentK, {NV, 50});
}

void IndicatorsTest::volumesAreScaledToAUnit()
{
    const auto millions = Indicators::scaleVolumes({1000000, 2500000});
    QCOMPARE(millions.unit, QString("M"));
    COMPARE_SERIES(millions.volumes, {1, 2.5});
    const auto plain = Indicators::scaleVolumes({999, 10});
    QCOMPARE(plain.unit, QString());
    COMPARE_SERIES(plain.volumes, {999, 10});
    QCOMPARE(Indicators::scaleVolumes({1000}).unit, QString("K"));
    QCOMPARE(Indicators::scaleVolumes({4e9, NV}).unit, QString("B"));
}

void IndicatorsTest::volumesAreSplitByTheCloseChange()
{
    const auto split = Indicators::volumesByDirection({10, 20, 30, 40}, {5, 6, 4, 4});
    COMPARE_SERIES(split.up, {NV, 20, 0, 0});
    COMPARE_SERIES(split.down, {NV, 0, 30, 0});
    COMPARE_SERIES(split.flat, {NV, 0, 0, 40});
}

void IndicatorsTest::dateLabelsChooseTheirCalendarLevel()
{
    using Level = DateLabelPlan::Level;
    const auto fewDays = planDateLabels(dailyStamps(20), 0, 1000);
    QCOMPARE(fewDays.level, Level::Day);
    QCOMPARE(fewDays.labelEvery, 1);

    const auto oneYear = planDateLabels(dailyStamps(250, 365.0 / 250), 0, 1000);
    QCOMPARE(oneYear.level, Level::Month);
    QCOMPARE(oneYear.labelEvery, 13);
    QCOMPARE(oneYear.monthStep, 1);

    QCOMPARE(planDateLabels(dailyStamps(1260, 1825.0 / 1260), 0, 1000).level, Level::Year);

    // A short span switches from day to month labels once a slot covers 30 days.
    QCOMPARE(planDateLabels(dailyStamps(50), 0, 200).level, Level::Day);
    QCOMPARE(planDateLabels(dailyStamps(50), 0, 80).level, Level::Month);

    Values intraday;
    for (int i = 0; i < 78; ++i)
        intraday.push_back(63800000000.0 + i * 300);
    const auto oneDay = planDateLabels(intraday, 0, 1000);
    QCOMPARE(oneDay.level, Level::Hour);
    QCOMPARE(oneDay.labelEvery, 4);
}

namespace {

IndicatorInputs referenceInputs()
{
    return {IndicatorReference::high, IndicatorReference::low, IndicatorReference::close,
            IndicatorReference::volume};
}

// The first point from which every output has a value, or -1 when one never has.
int firstCompletePoint(const std::vector<Values> &outputs)
{
    const size_t n = outputs.front().size();
    for (size_t i = n; i-- > 0;) {
        for (const Values &output : outputs) {
            if (Chart::isNoValue(output[i]))
                return i + 1 < n ? int(i + 1) : -1;
        }
    }
    return 0;
}

bool allMissing(const Values &values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return Chart::isNoValue(v); });
}

} // namespace

void IndicatorsTest::indicatorsMatchTheReference_data()
{
    using namespace Indicators;
    namespace R = IndicatorReference;
    QTest::addColumn<Values>("actual");
    QTest::addColumn<Values>("expected");
    QTest::addColumn<bool>("sameStart");
    const auto &h = R::high, &l = R::low, &c = R::close, &v = R::volume;
    const auto ppo = percentageOscillator(c, 12, 26, 9);
    const auto pvo = percentageOscillator(v, 12, 26, 9);
    const auto fast = fastStochastic(h, l, c, 14, 3);
    const auto stochRsi = stochasticRsi(c, 14, 14, 3, 3);
    const std::pair<const char *, std::pair<Values, Values>> rows[] = {
        {"A/D", {accumulationDistribution(h, l, c, v), R::accumulationDistribution}},
        {"CLV", {closeLocationValue(h, l, c), R::closeLocationValue}},
        {"CMF 20", {chaikinMoneyFlow(h, l, c, v, 20), R::chaikinMoneyFlow}},
        {"Chaikin osc 3/10", {chaikinOscillator(h, l, c, v, 3, 10), R::chaikinOscillator}},
        {"OBV", {onBalanceVolume(c, v), R::onBalanceVolume}},
        {"PVT", {priceVolumeTrend(c, v), R::priceVolumeTrend}},
        {"NVI", {negativeVolumeIndex(c, v), R::negativeVolumeIndex}},
        {"PVI", {positiveVolumeIndex(c, v), R::positiveVolumeIndex}},
        {"MFI 14", {moneyFlowIndex(h, l, c, v, 14), R::moneyFlowIndex}},
        {"EMV 14", {easeOfMovement(h, l, v, 14), R::easeOfMovement}},
        {"Momentum 10", {momentum(c, 10), R::momentum}},
        {"ROC 12", {rateOfChange(c, 12), R::rateOfChange}},
        {"TRIX 15", {trix(c, 15), R::trix}},
        {"PPO line", {ppo.line, R::ppoLine}},
        {"PPO signal", {ppo.signal, R::ppoSignal}},
        {"PVO line", {pvo.line, R::pvoLine}},
        {"PVO signal", {pvo.signal, R::pvoSignal}},
        {"DPO 20", {detrendedPriceOscillator(c, 20), R::detrendedPriceOscillator}},
        {"CCI 20", {commodityChannelIndex(h, l, c, 20), R::commodityChannelIndex}},
        {"Fast %K 14", {fast.percentK, R::fastStochasticK}},
        {"Fast %D 3", {fast.percentD, R::fastStochasticD}},
        {"Williams %R 14", {williamsR(h, l, c, 14), R::williamsR}},
        {"Aroon osc 25", {aroonOscillator(h, l, 25), R::aroonOscillator}},
        {"StochRSI %K", {stochRsi.percentK, R::stochasticRsiK}},
        {"StochRSI %D", {stochRsi.percentD, R::stochasticRsiD}},
        {"Ultimate 7/14/28", {ultimateOscillator(h, l, c, 7, 14, 28), R::ultimateOscillator}},
        {"ATR 14", {averageTrueRange(h, l, c, 14), R::averageTrueRange}},
        {"BB width 20/2", {bollingerBandWidth(c, 20, 2), R::bollingerBandWidth}},
        {"Chaikin volatility 10", {chaikinVolatility(h, l, 10, 10), R::chaikinVolatility}},
        {"Donchian width 20", {donchianChannelWidth(h, l, 20), R::donchianChannelWidth}},
        {"Mass index 9/25", {massIndex(h, l, 9, 25), R::massIndex}},
    };
    for (const auto &[name, series] : rows)
        QTest::newRow(name) << series.first << series.second << false;

    // These also start where the reference starts.
    const auto dm = averageDirectionalIndex(h, l, c, 14);
    const std::pair<const char *, std::pair<Values, Values>> sameStart[] = {
        {"Parabolic SAR", {parabolicSar(h, l), R::parabolicSar}},
        {"TMA 14", {triangularMovingAverage(c, 14), R::triangularAverage14}},
        {"TMA 15", {triangularMovingAverage(c, 15), R::triangularAverage15}},
        {"+DI 14", {dm.plusDI, R::plusDI}},
        {"-DI 14", {dm.minusDI, R::minusDI}},
        {"ADX 14", {dm.adx, R::averageDirectionalIndex}},
    };
    for (const auto &[name, series] : sameStart)
        QTest::newRow(name) << series.first << series.second << true;
}

void IndicatorsTest::indicatorsMatchTheReference()
{
    QFETCH(Values, actual);
    QFETCH(Values, expected);
    QFETCH(bool, sameStart);
    QCOMPARE(actual.size(), expected.size());
    int compared = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (Chart::isNoValue(expected[i])) {
            // The reference may start later (its CCI waits twice the period).
            QVERIFY2(!sameStart || Chart::isNoValue(actual[i]),
                     qPrintable(QString("point %1 has a value").arg(i)));
            continue;
        }
        QVERIFY2(!Chart::isNoValue(actual[i]), qPrintable(QString("point %1 missing").arg(i)));
        const double tolerance = 1e-9 * std::max(1.0, std::abs(expected[i]));
        QVERIFY2(std::abs(actual[i] - expected[i]) <= tolerance,
                 qPrintable(QString("point %1: %2 != %3")
                                .arg(i)
                                .arg(actual[i], 0, 'g', 15)
                                .arg(expected[i], 0, 'g', 15)));
        ++compared;
    }
    QVERIFY(compared >= 40);
}

void IndicatorsTest::everyIndicatorStartsAfterItsLookBack()
{
    const IndicatorInputs inputs = referenceInputs();
    for (const CatalogueEntry &entry : indicatorCatalogue()) {
        const auto outputs = entry.compute(inputs);
        QVERIFY2(firstCompletePoint(outputs) == entry.lookBack,
                 qPrintable(QString("%1 starts at %2, not %3")
                                .arg(entry.name)
                                .arg(firstCompletePoint(outputs))
                                .arg(entry.lookBack)));
    }
}

void IndicatorsTest::seriesShorterThanTheLookBackGiveNoValues()
{
    for (const CatalogueEntry &entry : indicatorCatalogue()) {
        if (entry.lookBack == 0)
            continue;
        const auto shorten = [&](const Values &s) {
            return Values(s.begin(), s.begin() + entry.lookBack);
        };
        const IndicatorInputs inputs{
            shorten(IndicatorReference::high), shorten(IndicatorReference::low),
            shorten(IndicatorReference::close), shorten(IndicatorReference::volume)};
        const auto outputs = entry.compute(inputs);
        QVERIFY2(firstCompletePoint(outputs) == -1, qPrintable(entry.name));
        QCOMPARE(outputs.front().size(), size_t(entry.lookBack));
    }
    QVERIFY(allMissing(Indicators::commodityChannelIndex({}, {}, {}, 20)));
}

void IndicatorsTest::flatPricesAndZeroVolumeGiveNeutralValues()
{
    const IndicatorInputs flat{Values(60, 10), Values(60, 10), Values(60, 10), Values(60, 0)};
    for (const CatalogueEntry &entry : indicatorCatalogue()) {
        for (const Values &output : entry.compute(flat)) {
            for (double value : output)
                QVERIFY2(Chart::isNoValue(value) || std::isfinite(value), qPrintable(entry.name));
        }
    }
    using namespace Indicators;
    const Values &h = flat.high, &l = flat.low, &c = flat.close, &v = flat.volume;
    QCOMPARE(fastStochastic(h, l, c, 14, 3).percentK.back(), 50.0);
    QCOMPARE(williamsR(h, l, c, 14).back(), -50.0);
    QCOMPARE(stochasticRsi(c, 14, 14, 3, 3).percentD.back(), 50.0);
    QCOMPARE(ultimateOscillator(h, l, c, 7, 14, 28).back(), 50.0);
    QCOMPARE(moneyFlowIndex(h, l, c, v, 14).back(), 50.0);
    QCOMPARE(closeLocationValue(h, l, c).back(), 0.0);
    QCOMPARE(chaikinMoneyFlow(h, l, c, v, 20).back(), 0.0);
    QCOMPARE(commodityChannelIndex(h, l, c, 20).back(), 0.0);
    QCOMPARE(easeOfMovement(h, l, v, 14).back(), 0.0);
    QCOMPARE(bollingerBandWidth(c, 20, 2).back(), 0.0);
    QCOMPARE(massIndex(h, l, 9, 25).back(), 25.0);
    QCOMPARE(chaikinVolatility(h, l, 10, 10).back(), 0.0);
    QCOMPARE(aroonOscillator(h, l, 25).back(), 0.0); // the latest equal extremes count
    const auto directional = averageDirectionalIndex(h, l, c, 14);
    QCOMPARE(directional.plusDI.back(), 0.0);
    QCOMPARE(directional.adx.back(), 0.0);
    QCOMPARE(negativeVolumeIndex(c, v).back(), 1000.0);
    // A zero price has no percentage change.
    QVERIFY(Chart::isNoValue(rateOfChange({0, 1, 2}, 1)[1]));
    QCOMPARE(rateOfChange({0, 1, 2}, 1)[2], 100.0);
    COMPARE_SERIES(performance({NV, 0, 50, 55, 45}, 0), {NV, NV, 0, 10, -10});
    COMPARE_SERIES(performance({50, 60, 66}, 1), {NV, 0, 10});
}

void IndicatorsTest::missingPointsStayMissingAndAreSkipped()
{
    const IndicatorInputs whole = referenceInputs();
    const std::vector<size_t> gaps{30, 31, 60};
    IndicatorInputs gapped = whole;
    for (size_t gap : gaps) {
        for (Values *series : {&gapped.high, &gapped.low, &gapped.close, &gapped.volume})
            series->insert(series->begin() + gap, NV);
    }
    for (const CatalogueEntry &entry : indicatorCatalogue()) {
        if (entry.original)
            continue; // the five original panels keep their own rules for gaps
        const auto expected = entry.compute(whole);
        const auto actual = entry.compute(gapped);
        for (size_t o = 0; o < expected.size(); ++o) {
            Values withoutGaps;
            for (size_t i = 0; i < actual[o].size(); ++i) {
                if (std::find(gaps.begin(), gaps.end(), i) != gaps.end())
                    QVERIFY2(Chart::isNoValue(actual[o][i]), qPrintable(entry.name));
                else
                    withoutGaps.push_back(actual[o][i]);
            }
            QVERIFY2(near(withoutGaps, expected[o], 1e-7), qPrintable(entry.name));
        }
    }
}

void IndicatorsTest::everyPanelDrawsWhatItsEntryComputes()
{
    const IndicatorInputs inputs = referenceInputs();
    const Values stamps = dailyStamps(int(inputs.close.size()));
    for (const CatalogueEntry &entry : indicatorCatalogue()) {
        FinanceChart chart(600);
        chart.setData(stamps, inputs.high, inputs.low, inputs.close, inputs.close, inputs.volume,
                      0);
        chart.addMainPanel(200);
        const XYChart *panel = entry.addPanel(chart, 80);
        QVERIFY2(panel && chart.currentPanel() == panel, qPrintable(entry.name));
        std::vector<Values> drawn;
        for (int i = 0; i < panel->getLayerCount(); ++i) {
            for (int d = 0; d < panel->getLayer(i)->getDataSetCount(); ++d)
                drawn.push_back(panel->getLayer(i)->getDataSet(d)->data());
        }
        // Each output is one of the panel's series, in the volume unit where the panel has one.
        for (const Values &output : entry.compute(inputs)) {
            const Values inUnit = Indicators::scaleVolumes(output).volumes;
            QVERIFY2(std::any_of(drawn.begin(), drawn.end(),
                                 [&](const Values &series) {
                                     return near(series, output) || near(series, inUnit);
                                 }),
                     qPrintable(entry.name));
        }
    }
}

void IndicatorsTest::listEntriesKeepTheirPlaceForStoredOptions()
{
    // Saved chart options hold the position in this list: an entry never moves.
    const QStringList expected{"None",
                               "Accumulation/Distribution",
                               "Aroon Oscillator",
                               "Avg Directional Index",
                               "Avg True Range",
                               "Bollinger Band Width",
                               "Chaikin Money Flow",
                               "Chaikin Oscilator",
                               "Chaikin Volatility",
                               "Close Location Value",
                               "Commodity Channel Index",
                               "Detrended Price Osc",
                               "Donchian Channel Width",
                               "Ease of Movement",
                               "Fast Stochastic",
                               "MACD",
                               "Mass Index",
                               "Momentum",
                               "Money Flow Index",
                               "Neg Volume Index",
                               "On Balance Volume",
                               "Performance",
                               "% Price Oscillator",
                               "% Volume Oscillator",
                               "Pos Volume Index",
                               "Price Volume Trend",
                               "Rate of Change",
                               "Relative Strength Index",
                               "Slow Stochastic",
                               "StochRSI",
                               "TRIX",
                               "Ultimate Oscillator",
                               "Volume",
                               "William's %R"};
    QCOMPARE(IndicatorPanels::names(), expected);
    const IndicatorInputs inputs = referenceInputs();
    FinanceChart chart(400);
    chart.setData(dailyStamps(int(inputs.close.size())), inputs.high, inputs.low, inputs.close,
                  inputs.close, inputs.volume, 0);
    chart.addMainPanel(100);
    for (int outside : {0, -1, int(expected.size())})
        QVERIFY(!IndicatorPanels::add(chart, outside, 80));
    QCOMPARE(int(chart.panels().size()), 1);
    QVERIFY(IndicatorPanels::add(chart, int(expected.size()) - 1, 80));
    QCOMPARE(int(chart.panels().size()), 2);
}

QTEST_MAIN(IndicatorsTest)
#include "tst_indicators.moc"
