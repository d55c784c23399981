// Array arithmetic of the charting engine against hand-computed values: window edges, missing
// points, financeDiv, selections, delta and shift.

#include "arraymath.h"
#include "chartconst.h"

#include <QtTest>
#include <cmath>
#include <functional>
#include <random>

namespace {

const double NV = Chart::NoValue;
using Array = std::vector<double>;

// Compares element by element; missing points must be missing on both sides.
bool same(const Array &got, const Array &want, double tol = 1e-9)
{
    if (got.size() != want.size()) {
        qWarning() << "size" << got.size() << "want" << want.size();
        return false;
    }
    for (size_t i = 0; i < got.size(); ++i) {
        const bool gm = Chart::isNoValue(got[i]), wm = Chart::isNoValue(want[i]);
        if (gm != wm || (!gm && std::fabs(got[i] - want[i]) > tol)) {
            qWarning() << "at" << i << "got" << got[i] << "want" << want[i];
            return false;
        }
    }
    return true;
}

// A random walk of `count` points with the points at `gaps` missing.
Array walkWithGaps(int count, const std::vector<int> &gaps)
{
    std::mt19937_64 random(7);
    std::normal_distribution<double> step(0, 1);
    Array walk;
    double price = 500;
    for (int i = 0; i < count; ++i)
        walk.push_back(price += step(random));
    for (int gap : gaps)
        walk[size_t(gap)] = NV;
    return walk;
}

// A window function by its definition: f over the last n points with a value, at every point
// that has a value and n points with values up to it.
Array byDefinition(const Array &a, int n, const std::function<double(const Array &)> &f)
{
    Array result(a.size(), NV);
    for (size_t i = 0; i < a.size(); ++i) {
        if (Chart::isNoValue(a[i]))
            continue;
        Array window;
        for (size_t j = i + 1; j-- > 0 && int(window.size()) < n;) {
            if (!Chart::isNoValue(a[j]))
                window.push_back(a[j]);
        }
        if (int(window.size()) == n)
            result[i] = f(window);
    }
    return result;
}

double sumOf(const Array &w)
{
    double total = 0;
    for (double v : w)
        total += v;
    return total;
}

} // namespace

class EngineArraysTest : public QObject
{
    Q_OBJECT

private slots:
    void movingAverageGivesNoValueUntilTheWindowIsFull()
    {
        QVERIFY(same(ArrayMath(Array{1, 2, 3, 4, 5}).movAvg(3).result(), {NV, NV, 2, 3, 4}));
        QVERIFY(same(ArrayMath(Array{1, 2}).movAvg(3).result(), {NV, NV}));
        QVERIFY(same(ArrayMath(Array{7}).movAvg(1).result(), {7}));
    }

    void windowsSkipMissingPoints()
    {
        // The window holds the last three points that have a value.
        QVERIFY(same(ArrayMath(Array{1, NV, 2, 3, 4}).movAvg(3).result(), {NV, NV, NV, 2, 3}));
        // A series that starts missing (an average of an average) starts later.
        QVERIFY(
            same(ArrayMath(Array{NV, NV, 2, 4, 6, 8}).movAvg(2).result(), {NV, NV, NV, 3, 5, 7}));
        QVERIFY(same(ArrayMath(Array{NV, 5, NV, 1, 9}).movMax(2).result(), {NV, NV, NV, 5, 9}));
    }

    void movingMinMaxAndStandardDeviation()
    {
        const Array a{5, 3, 8, 1, 4, 9};
        QVERIFY(same(ArrayMath(a).movMin(3).result(), {NV, NV, 3, 1, 1, 1}));
        QVERIFY(same(ArrayMath(a).movMax(3).result(), {NV, NV, 8, 8, 8, 9}));
        // Population deviation of {2, 4, 4, 4, 5, 5, 7, 9} is 2.
        const Array b{2, 4, 4, 4, 5, 5, 7, 9};
        QVERIFY(same(ArrayMath(b).movStdDev(8).result(), {NV, NV, NV, NV, NV, NV, NV, 2}));
        // Window of 2 over {100, 102}: deviation 1, with a price-sized offset.
        QVERIFY(same(ArrayMath(Array{100, 102, 102}).movStdDev(2).result(), {NV, 1, 0}));
    }

    void exponentialAverageStartsAtTheFirstValue()
    {
        QVERIFY(same(ArrayMath(Array{10, 20, 20}).expAvg(0.5).result(), {10, 15, 17.5}));
        QVERIFY(same(ArrayMath(Array{NV, 4, NV, 8}).expAvg(0.25).result(), {NV, 4, NV, 5}));
    }

    void financeDivGivesTheFallbackWhereTheDivisorIsZero()
    {
        QVERIFY(same(ArrayMath(Array{1, 2, 3, NV}).financeDiv({2, 0, 3, 1}, 0.5).result(),
                     {0.5, 0.5, 1, NV}));
        // Plain division by zero has no value.
        QVERIFY(same(ArrayMath(Array{1, 2}).div(Array{0, 4}).result(), {NV, 0.5}));
        QVERIFY(same(ArrayMath(Array{1, 2}).div2(0).result(), {NV, NV}));
    }

    void selectionsKeepMatchingPointsAndPutZeroElsewhere()
    {
        const Array v{10, 20, 30, 40, 50};
        const Array sel{1, -1, 0, NV, 2};
        QVERIFY(same(ArrayMath(v).selectGTZ(sel).result(), {10, 0, 0, NV, 50}));
        QVERIFY(same(ArrayMath(v).selectLTZ(sel).result(), {0, 20, 0, NV, 0}));
        QVERIFY(same(ArrayMath(v).selectEQZ(sel).result(), {0, 0, 30, NV, 0}));
        // Without a selector the series selects itself.
        QVERIFY(same(ArrayMath(Array{-2, 3, 0}).selectGTZ().result(), {0, 3, 0}));
        QVERIFY(same(ArrayMath(Array{-2, 3}).selectLTZ(Array{}, 7).result(), {-2, 7}));
    }

    void deltaAndShift()
    {
        QVERIFY(same(ArrayMath(Array{1, 4, 9, 16}).delta().result(), {NV, 3, 5, 7}));
        QVERIFY(same(ArrayMath(Array{1, 4, 9, 16}).delta(2).result(), {NV, NV, 8, 12}));
        QVERIFY(same(ArrayMath(Array{1, NV, 9}).delta().result(), {NV, NV, NV}));
        QVERIFY(same(ArrayMath(Array{1, 2, 3}).shift().result(), {NV, 1, 2}));
        QVERIFY(same(ArrayMath(Array{1, 2, 3}).shift(-1, 0).result(), {2, 3, 0}));
    }

    void elementWiseArithmeticPropagatesMissingPoints()
    {
        QVERIFY(same(ArrayMath(Array{1, NV, 3}).add(Array{1, 1, NV}).result(), {2, NV, NV}));
        QVERIFY(same(ArrayMath(Array{1, 2, 3}).sub(Array{3, 2, 1}).abs().result(), {2, 0, 2}));
        QVERIFY(same(ArrayMath(Array{1, -5, 3}).max(Array{2, -6, NV}).result(), {2, -5, NV}));
        QVERIFY(same(ArrayMath(Array{1, 2}).mul2(100).add(1).result(), {101, 201}));
        // Arrays of different lengths combine over the shorter one.
        QVERIFY(same(ArrayMath(Array{1, 2, 3}).add(Array{1}).result(), {2}));
    }

    // Long series cross the points where running sums are recomputed and the block boundaries
    // of the window extremes; gaps hand the extremes over to the queue.
    void windowFunctionsMatchTheirDefinition_data()
    {
        QTest::addColumn<Array>("series");
        QTest::addColumn<int>("window");
        QTest::newRow("no gaps, 20") << walkWithGaps(5000, {}) << 20;
        QTest::newRow("no gaps, 1") << walkWithGaps(300, {}) << 1;
        QTest::newRow("no gaps, 7, uneven end") << walkWithGaps(3001, {}) << 7;
        QTest::newRow("gap late, 20") << walkWithGaps(5000, {4321}) << 20;
        QTest::newRow("gaps at the start, 14") << walkWithGaps(3000, {0, 1, 5, 2047}) << 14;
        QTest::newRow("gap in the second block, 20") << walkWithGaps(3000, {25, 26, 27}) << 20;
        QTest::newRow("window longer than the series") << walkWithGaps(50, {}) << 60;
        QTest::newRow("window of 1500") << walkWithGaps(5000, {100}) << 1500;
    }

    void windowFunctionsMatchTheirDefinition()
    {
        QFETCH(Array, series);
        QFETCH(int, window);
        const auto largest = [](const Array &w) { return *std::max_element(w.begin(), w.end()); };
        const auto smallest = [](const Array &w) { return *std::min_element(w.begin(), w.end()); };
        const auto deviation = [](const Array &w) {
            const double mean = sumOf(w) / double(w.size());
            double squares = 0;
            for (double v : w)
                squares += (v - mean) * (v - mean);
            return std::sqrt(squares / double(w.size()));
        };
        const auto average = [](const Array &w) { return sumOf(w) / double(w.size()); };
        QVERIFY(same(Series::movMax(series, window), byDefinition(series, window, largest), 0));
        QVERIFY(same(Series::movMin(series, window), byDefinition(series, window, smallest), 0));
        QVERIFY(same(Series::movAvg(series, window), byDefinition(series, window, average), 1e-9));
        QVERIFY(same(Series::movSum(series, window), byDefinition(series, window, sumOf), 1e-7));
        QVERIFY(
            same(Series::movStdDev(series, window), byDefinition(series, window, deviation), 1e-6));
        // The band's one-pass pair gives exactly the values of the two separate functions.
        const auto both = Series::movAvgAndStdDev(series, window);
        QVERIFY(same(both.average, Series::movAvg(series, window), 0));
        QVERIFY(same(both.deviation, Series::movStdDev(series, window), 0));
    }

    void summaryValuesSkipMissingPoints()
    {
        const ArrayMath a(Array{NV, 3, 9, 1, NV});
        QCOMPARE(a.maxValue(), 9.0);
        QCOMPARE(a.minValue(), 1.0);
        QCOMPARE(a.lastValue(), 1.0);
        QVERIFY(Chart::isNoValue(ArrayMath(Array{NV}).lastValue()));
    }
};

QTEST_APPLESS_MAIN(EngineArraysTest)
#include "tst_engine_arrays.moc"
