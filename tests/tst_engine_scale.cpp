// Scale and tick choice: linear auto scales with extensions, zero affinity and margins, log
// scales, fixed scales, and axes synchronised with another axis.

#include "corvanechart.h"
#include "scale.h"
#include "xylayout.h"

#include <QtTest>
#include <cmath>

namespace {

Scale::Options options(double pixels, double spacing = 30)
{
    Scale::Options o;
    o.pixelLength = pixels;
    o.majorSpacing = spacing;
    return o;
}

bool roundNumbers(const std::vector<double> &ticks, double step)
{
    for (double t : ticks) {
        const double k = t / step;
        if (std::fabs(k - std::round(k)) > 1e-9)
            return false;
    }
    return true;
}

} // namespace

class EngineScaleTest : public QObject
{
    Q_OBJECT

private slots:
    void niceSteps()
    {
        QCOMPARE(Scale::niceStep(0.7), 1.0);
        QCOMPARE(Scale::niceStep(1.3), 2.0);
        QCOMPARE(Scale::niceStep(3), 5.0);
        QCOMPARE(Scale::niceStep(6), 10.0);
        QCOMPARE(Scale::niceStep(0.013), 0.02);
        QCOMPARE(Scale::decimalsFor(0.25), 2);
        QCOMPARE(Scale::decimalsFor(5), 0);
    }

    void linearAutoScaleRoundsToTicksOnRoundNumbers()
    {
        Scale::Options o = options(300);
        o.zeroAffinity = 0;
        const auto r = Scale::autoLinear(43.2, 88.9, o);
        QVERIFY(r.min <= 43.2 && r.max >= 88.9);
        QVERIFY(r.majorStep == 5 || r.majorStep == 10);
        QVERIFY(roundNumbers(r.majorTicks, r.majorStep));
        QCOMPARE(r.majorTicks.front(), r.min);
        QCOMPARE(r.majorTicks.back(), r.max);
        // Ticks at least the wanted spacing apart.
        QVERIFY((r.max - r.min) / r.majorStep * 30 <= 300 + 1e-6);
    }

    void zeroAffinityTakesZeroInWhenTheDataStartsCloseEnough()
    {
        Scale::Options o = options(300);
        o.topExtension = o.bottomExtension = 0;
        o.zeroAffinity = 0.8;
        QCOMPARE(Scale::autoLinear(30, 70, o).min, 0.0); // 30 <= 0.8 * 70
        QVERIFY(Scale::autoLinear(60, 70, o).min > 0);   // 60 > 0.8 * 70
        o.zeroAffinity = 0;
        QVERIFY(Scale::autoLinear(30, 70, o).min > 0);
        // Non-negative data is never extended below zero.
        o.bottomExtension = 0.5;
        QVERIFY(Scale::autoLinear(1, 70, o).min >= 0);
    }

    void extensionsAndPixelMarginsLeaveRoomAboveTheData()
    {
        Scale::Options o = options(200);
        o.topExtension = 0;
        o.bottomExtension = 0;
        o.zeroAffinity = 0;
        o.roundMin = o.roundMax = false;
        o.marginTop = 20;
        const auto r = Scale::autoLinear(100, 180, o);
        QCOMPARE(r.dataLow, 100.0);
        QCOMPARE(r.dataHigh, 180.0);
        // 20 of 200 pixels above the data: 80 over 180 pixels, so 80 / 9 more at the top.
        QVERIFY(std::fabs(r.max - (180 + 80.0 / 9)) < 1e-9);
        for (double t : r.majorTicks)
            QVERIFY(t <= 180 + 1e-9);
    }

    void flatAndEmptyDataStillGiveAScale()
    {
        const auto flat = Scale::autoLinear(50, 50, options(200));
        QVERIFY(flat.min < 50 && flat.max > 50);
        const auto zero = Scale::autoLinear(0, 0, options(200));
        QVERIFY(zero.max > zero.min);
        QVERIFY(!zero.majorTicks.empty());
    }

    void logScaleTicksFollowDecadesOrRoundSteps()
    {
        Scale::Options o = options(400);
        o.topExtension = o.bottomExtension = 0;
        const auto wide = Scale::autoLog(2, 9000, o);
        QVERIFY(wide.log);
        QVERIFY(wide.min <= 2 && wide.max >= 9000);
        for (double t : wide.majorTicks) {
            const double mant = t / std::pow(10.0, std::floor(std::log10(t) + 1e-9));
            QVERIFY2(std::fabs(mant - std::round(mant)) < 1e-9, qPrintable(QString::number(t)));
        }
        // Within one decade the ticks are round steps, spaced at least the tick density apart.
        const auto narrow = Scale::autoLog(52, 81, o);
        QVERIFY(narrow.majorTicks.size() >= 3);
        QVERIFY(roundNumbers(narrow.majorTicks, narrow.majorStep));
        const double pxPerDecade = 400 / (std::log10(narrow.max) - std::log10(narrow.min));
        for (size_t i = 1; i < narrow.majorTicks.size(); ++i)
            QVERIFY((std::log10(narrow.majorTicks[i]) - std::log10(narrow.majorTicks[i - 1])) *
                        pxPerDecade >=
                    30 - 1e-6);
    }

    void chartAxisUsesTheLayersDataAndTrimmedRange()
    {
        XYChart c(400, 300);
        c.setPlotArea(50, 20, 300, 250);
        c.addLineLayer({1000, 2000, 50, 60, 70}, 0xff0000);
        c.yAxis()->setAutoScale(0, 0, 0);
        c.setTrimData(2);
        QVERIFY(c.makeChart());
        // Only points 2..4 count: the scale fits 50..70, not the trimmed 2000.
        QVERIFY(c.yAxis()->getMinValue() <= 50 && c.yAxis()->getMaxValue() >= 70);
        QVERIFY(c.yAxis()->getMaxValue() < 100);
        QCOMPARE(c.getXCoor(2), 50.0);
        QCOMPARE(c.getXCoor(4), 350.0);
    }

    void logAxisOnAChartMapsValuesLogarithmically()
    {
        XYChart c(400, 300);
        c.setPlotArea(50, 20, 300, 200);
        c.addLineLayer({1, 10, 100}, 0xff0000);
        c.yAxis()->setLogScale(1, 100);
        QVERIFY(c.makeChart());
        QVERIFY(c.yAxis()->isLogScale());
        QCOMPARE(c.getYCoor(1), 220.0);
        QCOMPARE(c.getYCoor(100), 20.0);
        QCOMPARE(c.getYCoor(10), 120.0);
    }

    void synchronisedAxisFollowsItsSourceByFactorAndOffset()
    {
        XYChart c(400, 300);
        c.setPlotArea(50, 20, 300, 200);
        c.addLineLayer({40, 50, 60}, 0xff0000);
        Axis *pct = c.addAxis(Chart::Right, 0);
        pct->syncAxis(c.yAxis(), 100.0 / 40, -100);
        pct->setLabelFormat(QStringLiteral("{value}%"));
        QVERIFY(c.makeChart());
        // 50 on the price axis is +25 % on the synchronised one, at the same pixel.
        QCOMPARE(pct->getCoor(25), c.getYCoor(50));
        QCOMPARE(pct->getCoor(0), c.getYCoor(40));
        const AxisScale *s = c.layoutResult()->scaleOf(pct);
        QVERIFY(s && !s->labels.empty());
        for (const auto &l : s->labels)
            QVERIFY(l.text.plainText().endsWith(u'%'));
        // Labels at round percentages.
        QVERIFY(std::any_of(s->labels.begin(), s->labels.end(),
                            [](const PlacedLabel &l) { return l.text.plainText() == u"0%"; }));
    }

    void valueLabelsNeverOverlap()
    {
        XYChart c(300, 120);
        c.setPlotArea(40, 10, 200, 60);
        c.addLineLayer({0.001, 1234567.0}, 0x0000ff);
        c.yAxis()->setTickDensity(5);
        QVERIFY(c.makeChart());
        const auto &labels = c.layoutResult()->scaleOf(c.yAxis())->labels;
        QVERIFY(labels.size() >= 2);
        for (size_t i = 0; i < labels.size(); ++i)
            for (size_t j = i + 1; j < labels.size(); ++j)
                QVERIFY(!labels[i].bounds.intersects(labels[j].bounds));
    }
};

QTEST_MAIN(EngineScaleTest)
#include "tst_engine_scale.moc"
