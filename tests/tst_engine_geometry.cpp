// Geometry of the drawn picture: candles, HLOC bars, lines, bars and fills at the pixels the
// scales give, with the expected colours; the outputs' sizes and formats.

#include "corvanechart.h"
#include "support/enginesamples.h"
#include "xylayout.h"

#include <QBuffer>
#include <QImageReader>
#include <QtTest>
#include <cmath>

namespace {

const int Bg = 0xffffff;

QColor px(const QImage &img, double x, double y)
{
    return img.pixelColor(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
}

QColor rgb(int c)
{
    return QColor(QRgb(0xff000000u | static_cast<unsigned>(c)));
}

// A 200 x 200 chart with a white plot area of 160 x 160 at (20, 20) and a fixed 0..100 scale.
std::unique_ptr<XYChart> chart()
{
    auto c = std::make_unique<XYChart>(200, 200, Bg);
    c->setPlotArea(20, 20, 160, 160, Bg, -1, Chart::Transparent, Chart::Transparent,
                   Chart::Transparent);
    c->yAxis()->setLinearScale(0, 100);
    return c;
}

} // namespace

class EngineGeometryTest : public QObject
{
    Q_OBJECT

private slots:
    void candleBodyWickAndColoursSitAtTheScalePixels()
    {
        auto c = chart();
        // Four slots of 40 pixels: candle 1 rises (open 30, close 60), candle 2 falls.
        CandleStickLayer *l =
            c->addCandleStickLayer({80, 90, 50, 50}, {10, 20, 40, 40}, {30, 70, 45, 45},
                                   {60, 40, 45, 45}, 0x00ff00, 0xff0000, 0x000000);
        QVERIFY(c->makeChart());
        const QImage &img = c->image();
        const double x1 = c->getXCoor(0), x2 = c->getXCoor(1);
        QCOMPARE(x1, 40.0);
        QCOMPARE(x2 - x1, 40.0);
        // Rising body between close (60 -> y 84) and open (30 -> y 132), in the rise colour.
        QCOMPARE(px(img, x1 + 5, c->getYCoor(45)), rgb(0x00ff00));
        // Wick above the body in the edge colour, background beside it.
        QCOMPARE(px(img, x1, c->getYCoor(70)), rgb(0x000000));
        QCOMPARE(px(img, x1 + 5, c->getYCoor(70)), rgb(Bg));
        // Nothing above the high or below the low.
        QCOMPARE(px(img, x1, c->getYCoor(85)), rgb(Bg));
        QCOMPARE(px(img, x1, c->getYCoor(5)), rgb(Bg));
        // Body width: slot 40 with the default gap 0.2 -> 32 pixels, framed in the edge colour.
        QCOMPARE(px(img, x1 - 15, c->getYCoor(45)), rgb(0x00ff00));
        QCOMPARE(px(img, x1 - 17, c->getYCoor(45)), rgb(Bg));
        QCOMPARE(px(img, x1 - 16, c->getYCoor(45)), rgb(0x000000));
        // The falling candle is red.
        QCOMPARE(px(img, x2 + 5, c->getYCoor(55)), rgb(0xff0000));
        // A fixed data width overrides the gap.
        l->setDataWidth(9);
        QVERIFY(c->makeChart());
        QCOMPARE(px(c->image(), x1 - 3, c->getYCoor(45)), rgb(0x00ff00));
        QCOMPARE(px(c->image(), x1 - 8, c->getYCoor(45)), rgb(Bg));
    }

    void hlocBarsColourByTheChangeFromThePreviousClose()
    {
        auto c = chart();
        HLOCLayer *h =
            c->addHLOCLayer({80, 90, 50, 50}, {10, 20, 40, 30}, {30, 70, 45, 45}, {60, 65, 45, 35});
        h->setColorMethod(Chart::HLOCUpDown, 0x00aa00, 0xcc0000);
        QVERIFY(c->makeChart());
        const QImage &img = c->image();
        // Point 1 closes above point 0 (65 > 60) even though it closes below its open: rising.
        QCOMPARE(px(img, c->getXCoor(1), c->getYCoor(50)), rgb(0x00aa00));
        // Point 2 closes below point 1: falling; its close tick points right.
        QCOMPARE(px(img, c->getXCoor(2), c->getYCoor(42)), rgb(0xcc0000));
        QCOMPARE(px(img, c->getXCoor(2) + 5, c->getYCoor(45)), rgb(0xcc0000));
        QCOMPARE(px(img, c->getXCoor(2) - 5, c->getYCoor(45)), rgb(0xcc0000));
        QCOMPARE(px(img, c->getXCoor(2) + 5, c->getYCoor(48)), rgb(Bg));
    }

    void lineLayerPassesThroughItsPointsPixels()
    {
        auto c = chart();
        const std::vector<double> v{10, 90, 35, Chart::NoValue, 60, 20};
        LineLayer *l = c->addLineLayer(v, 0x0000ff);
        l->setLineWidth(3);
        QVERIFY(c->makeChart());
        const QImage &img = c->image();
        // The first and last points sit on the plot edges; the inner ones are drawn whole.
        for (int i : {1, 2, 4})
            QCOMPARE(px(img, c->getXCoor(i), c->getYCoor(v[i])), rgb(0x0000ff));
        // The missing point leaves a gap: nothing halfway between points 2 and 4 at the height
        // a joining line would have.
        const double midX = c->getXCoor(3);
        QCOMPARE(px(img, midX, (c->getYCoor(35) + c->getYCoor(60)) / 2), rgb(Bg));
    }

    void longLinesAreDrawnCompletely()
    {
        // More points than pixels: the drawn line still reaches every extreme.
        auto c = chart();
        std::vector<double> v(5000, 50);
        v[1234] = 95;
        v[4321] = 5;
        c->addLineLayer(v, 0xff0000)->setLineWidth(1);
        QVERIFY(c->makeChart());
        const QImage &img = c->image();
        auto columnHas = [&](double x, double y) {
            for (int dx = -1; dx <= 1; ++dx)
                if (px(img, x + dx, y).red() > 200 && px(img, x + dx, y).green() < 120)
                    return true;
            return false;
        };
        QVERIFY(columnHas(c->getXCoor(1234), c->getYCoor(95) + 1));
        QVERIFY(columnHas(c->getXCoor(4321), c->getYCoor(5) - 1));
    }

    void barsStandOnZeroAndStackUpwards()
    {
        auto c = chart();
        BarLayer *b = c->addBarLayer2(Chart::Stack);
        b->addDataSet({20, 30}, 0xff0000);
        b->addDataSet({30, 10}, 0x0000ff);
        b->setBorderColor(Chart::Transparent);
        QVERIFY(c->makeChart());
        const QImage &img = c->image();
        const double x = c->getXCoor(0);
        QCOMPARE(px(img, x, c->getYCoor(10)), rgb(0xff0000));
        QCOMPARE(px(img, x, c->getYCoor(40)), rgb(0x0000ff));
        QCOMPARE(px(img, x, c->getYCoor(55)), rgb(Bg));
        const LayerShapes *s = c->layoutResult()->shapesOf(b);
        QCOMPARE(static_cast<int>(s->bars.size()), 4);
        QCOMPARE(s->bars[1].rect.bottom(), c->getYCoor(20));
    }

    void interLineFillColoursBySide()
    {
        auto c = chart();
        LineLayer *l = c->addLineLayer({80, 80, 20, 20}, Chart::Transparent);
        Mark *m = c->yAxis()->addMark(50, Chart::Transparent);
        c->addInterLineLayer(l->getLine(), m->getLine(), 0xff0000, 0x0000ff);
        QVERIFY(c->makeChart());
        const QImage &img = c->image();
        QCOMPARE(px(img, c->getXCoor(0) + 5, c->getYCoor(60)), rgb(0xff0000));
        QCOMPARE(px(img, c->getXCoor(3) - 5, c->getYCoor(40)), rgb(0x0000ff));
        QCOMPARE(px(img, c->getXCoor(0) + 5, c->getYCoor(90)), rgb(Bg));
    }

    void scatterSymbolsAreCentredOnTheirPoints()
    {
        auto c = chart();
        const double nv = Chart::NoValue;
        c->addScatterLayer({}, {nv, nv, 50, nv, nv}, QString(), Chart::TriangleSymbol, 12, 0x00ff00,
                           0x00ff00);
        QVERIFY(c->makeChart());
        const QImage &img = c->image();
        QCOMPARE(px(img, c->getXCoor(2), c->getYCoor(50) + 3), rgb(0x00ff00));
        QCOMPARE(px(img, c->getXCoor(2), c->getYCoor(50) + 9), rgb(Bg));
        QCOMPARE(px(img, c->getXCoor(1), c->getYCoor(50)), rgb(Bg));
    }

    void outputsHaveTheChartsSizeAndFormat()
    {
        auto s = EngineSamples::stackedChart(EngineSamples::randomWalk(300), {});
        const MemBlock bmp = s.chart->makeChart2(Chart::BMP);
        QVERIFY(bmp.len > 0);
        QCOMPARE(QByteArray(bmp.data, 2), QByteArray("BM"));
        const QImage fromBmp = QImage::fromData(QByteArray(bmp.data, bmp.len), "BMP");
        QCOMPARE(fromBmp.size(), QSize(s.chart->getWidth(), s.chart->getHeight()));
        const QByteArray png = s.chart->makeChart(Chart::PNG);
        QVERIFY(png.startsWith("\x89PNG"));
        QCOMPARE(s.chart->getDrawArea()->getHeight(), s.chart->getHeight());
        // Panels stack without overlapping: each starts below the previous one.
        for (size_t i = 1; i < s.panels.size(); ++i)
            QVERIFY(s.panels[i]->offsetY() > s.panels[i - 1]->offsetY());
        // Metrics describe the main panel's plot area in image coordinates.
        QVERIFY(s.chart->getChartMetrics().contains(QStringLiteral("plot:40,30,")));
    }

    void emptyChartsRenderWithAxes()
    {
        XYChart c(300, 200);
        c.setPlotArea(30, 10, 240, 150);
        c.addLineLayer({}, 0xff0000);
        QVERIFY(c.makeChart());
        QVERIFY(!c.layoutResult()->scaleOf(c.yAxis())->labels.empty());
        XYChart zero(0, 0);
        QVERIFY(!zero.makeChart());
        QVERIFY(zero.makeChart(Chart::PNG).isEmpty());
    }
};

QTEST_MAIN(EngineGeometryTest)
#include "tst_engine_geometry.moc"
