// Array arithmetic of the charting engine against hand-computed values: window edges, missing
// points, financeDiv, selections, delta and shift.

#include "arraymath.h"
#include "chartconst.h"

#include <QtTest>
#include <cmath>

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
