#include "chartconst.h"
#include "charts/datelabelplan.h"
#include "charts/indicators/movingaverages.h"
#include "charts/indicators/oscillators.h"
#include "charts/indicators/parabolicsar.h"
#include "charts/indicators/pricebands.h"
#include "charts/indicators/volume.h"

#include <QtTest>

using Series = std::vector<double>;
constexpr double NV = Chart::NoValue;

namespace {

// Compares series point by point; missing points must be missing on both sides.
bool near(const Series &actual, const Series &expected, double tolerance = 1e-6)
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

QString show(const Series &values)
{
    QStringList parts;
    for (double value : values)
        parts << (Chart::isNoValue(value) ? QString("NV") : QString::number(value));
    return parts.join(", ");
}

#define COMPARE_SERIES(actual, ...)                                                                \
    do {                                                                                           \
        const Series expectedSeries = __VA_ARGS__;                                                 \
        QVERIFY2(near(actual, expectedSeries),                                                     \
                 qPrintable(show(actual) + " != " + show(expectedSeries)));                        \
    } while (false)

constexpr double Day = 86400;

Series dailyStamps(int count, double stepDays = 1)
{
    Series stamps;
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
    void bollingerLowerBandStopsAtZero();
    void donchianAndEnvelope();
    void parabolicSarSwitchesTrendAndSkipsMissingPoints();
    void adxKeepsOnlyTheDominantMove();
    void macdSignalAndDivergence();
    void rsiUsesWildersSmoothingAndIsNeutralWithoutMoves();
    void slowStochasticPlacesTheCloseInItsRange();
    void volumesAreScaledToAUnit();
    void volumesAreSplitByTheCloseChange();
    void dateLabelsChooseTheirCalendarLevel();
};

void IndicatorsTest::movingAveragesWaitForAFullWindow()
{
    const Series rising{1, 2, 3, 4, 5, 6};
    COMPARE_SERIES(Indicators::simpleMovingAverage(rising, 3), {NV, NV, 2, 3, 4, 5});
    COMPARE_SERIES(Indicators::exponentialMovingAverage({1, 2, 3, 4}, 3), {1, 1.5, 2.25, 3.125});
    COMPARE_SERIES(Indicators::triangularMovingAverage(rising, 4), {NV, NV, NV, NV, 3, 4});
    COMPARE_SERIES(Indicators::weightedMovingAverage({1, 2, 3, 4}, 3),
                   {NV, NV, 14.0 / 6, 20.0 / 6});
    COMPARE_SERIES(Indicators::wilderAverage({NV, 1, 0, 2}, 2), {NV, NV, 0.5, 1.25});
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
    const Series high{10, 11, 12, 9, 8, 13};
    const Series low{9, 10, 11, 7, 6, 8};
    // Long from the second point, reversed short by the drop at point 3, long again at point 5.
    COMPARE_SERIES(Indicators::parabolicSar(high, low), {NV, 9, 9, 12, 12, 6});

    const Series gappedHigh{10, NV, 11, 12, 9, 8, 13};
    const Series gappedLow{9, 5, 10, 11, 7, 6, 8};
    COMPARE_SERIES(Indicators::parabolicSar(gappedHigh, gappedLow), {NV, NV, 9, 9, 12, 12, 6});
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

    Series intraday;
    for (int i = 0; i < 78; ++i)
        intraday.push_back(63800000000.0 + i * 300);
    const auto oneDay = planDateLabels(intraday, 0, 1000);
    QCOMPARE(oneDay.level, Level::Hour);
    QCOMPARE(oneDay.labelEvery, 4);
}

QTEST_MAIN(IndicatorsTest)
#include "tst_indicators.moc"
