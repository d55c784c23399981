// Image maps: one area per point, coordinates matching the drawn geometry, attributes with
// substituted and escaped fields, and the handler that finds the hot spot under a point.

#include "corvanechart.h"
#include "imagemap.h"
#include "support/enginesamples.h"
#include "xylayout.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

namespace {

struct Area
{
    QRect rect;
    QString html;
};

QList<Area> areas(const QString &map)
{
    QList<Area> out;
    static const QRegularExpression re(QStringLiteral(
        "<area shape=\"rect\" coords=\"(-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+)\"[^>]*>"));
    auto it = re.globalMatch(map);
    while (it.hasNext()) {
        const auto m = it.next();
        out.append({QRect(QPoint(m.captured(1).toInt(), m.captured(2).toInt()),
                          QPoint(m.captured(3).toInt(), m.captured(4).toInt())),
                    m.captured(0)});
    }
    return out;
}

} // namespace

class EngineImageMapTest : public QObject
{
    Q_OBJECT

private slots:
    void lineLayerGivesOneAreaPerPointAroundItsPixel()
    {
        XYChart c(300, 200);
        c.setPlotArea(30, 20, 240, 150);
        c.xAxis()->setLabels({QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
                              QStringLiteral("Thu")});
        LineLayer *l =
            c.addLineLayer({10, Chart::NoValue, 30, 25}, 0xff0000, QStringLiteral("Close"));
        QVERIFY(c.makeChart());
        const QString map = l->getHTMLImageMap(QStringLiteral("clickable"), QString(),
                                               QStringLiteral("title='{xLabel}\n{value}'"));
        const auto a = areas(map);
        QCOMPARE(a.size(), 3); // the missing point has none
        const int index[] = {0, 2, 3};
        for (int k = 0; k < 3; ++k)
            QVERIFY(a[k].rect.contains(qRound(c.getXCoor(index[k])),
                                       qRound(c.getYCoor(l->getDataSet(0)->getValue(index[k])))));
        QVERIFY(a[1].html.contains(QStringLiteral("title='Wed\n30'")));
        QVERIFY(a[1].html.contains(QStringLiteral("href=\"clickable?x=2&amp;xLabel=Wed&amp;dataSet="
                                                  "0&amp;dataSetName=Close&amp;value=30\"")));
    }

    void candleAreasCoverTheCandleAndCarryPrices()
    {
        XYChart c(300, 200);
        c.setPlotArea(30, 20, 240, 150);
        c.xAxis()->setLabels2({Chart::chartTime(2024, 1, 2), Chart::chartTime(2024, 1, 3)});
        CandleStickLayer *k =
            c.addCandleStickLayer({12, 14}, {9, 10}, {10, 13}, {11.5, 11}, 0x00ff00, 0xff0000);
        QVERIFY(c.makeChart());
        const auto a =
            areas(k->getHTMLImageMap(QString(), QString(),
                                     QStringLiteral("title='[{xLabel|mmm d, yyyy}] Op:{open|P3}, "
                                                    "Hi:{high|P3}, Lo:{low|P3}, Cl:{close|P3}'")));
        QCOMPARE(a.size(), 2);
        const LayerShapes *s = c.layoutResult()->shapesOf(k);
        QVERIFY(a[0].rect.top() <= s->boxes[0].yHigh && a[0].rect.bottom() >= s->boxes[0].yLow);
        QVERIFY(a[0].rect.left() <= s->boxes[0].x - s->boxes[0].half &&
                a[0].rect.right() >= s->boxes[0].x + s->boxes[0].half - 1);
        QVERIFY(!a[0].rect.intersects(a[1].rect));
        QVERIFY(a[1].html.contains(
            QStringLiteral("title='[Jan 3, 2024] Op:13.0, Hi:14.0, Lo:10.0, Cl:11.0'")));
        QVERIFY(!a[0].html.contains(QStringLiteral("href")));
    }

    void layerSettingsWinAndChartMapsListTopLayersFirst()
    {
        XYChart c(300, 200);
        c.setPlotArea(30, 20, 240, 150);
        BarLayer *bars = c.addBarLayer({5, 6}, 0x0000ff, QStringLiteral("Volume"));
        LineLayer *line = c.addLineLayer({5, 6}, 0xff0000, QStringLiteral("Price"));
        line->setHTMLImageMap(QString(), QString(), QStringLiteral("title='line {value}'"));
        bars->setHTMLImageMap(QStringLiteral("{disable}"));
        const QString map =
            c.getHTMLImageMap(QStringLiteral("u"), QString(), QStringLiteral("title='chart'"));
        QCOMPARE(areas(map).size(), 2);
        QVERIFY(map.contains(QStringLiteral("title='line 5'")));
        QVERIFY(!map.contains(QStringLiteral("Volume")));
    }

    void valuesAreEscapedForHtmlAndUrls()
    {
        XYChart c(300, 200);
        c.setPlotArea(30, 20, 240, 150);
        c.xAxis()->setLabels({QStringLiteral("A&B 'x'")});
        c.addLineLayer({1}, 0xff0000, QStringLiteral("<Name>"));
        const QString map = c.getHTMLImageMap(QStringLiteral("go"), QString(),
                                              QStringLiteral("title='{xLabel} {dataSetName}'"));
        QVERIFY(map.contains(QStringLiteral("title='A&amp;B &#39;x&#39; &lt;Name&gt;'")));
        QVERIFY(map.contains(QStringLiteral("xLabel=A%26B%20%27x%27")));
        // The handler reads it back unescaped.
        ImageMapHandler h(map);
        const QRect r = areas(map).front().rect;
        QCOMPARE(h.getHotSpot(r.center().x(), r.center().y()), 1);
        QCOMPARE(h.getValue(QStringLiteral("title")), QStringLiteral("A&B 'x' <Name>"));
        QCOMPARE(h.getValue(QStringLiteral("xLabel")), QStringLiteral("A&B 'x'"));
        QCOMPARE(h.getValue(QStringLiteral("path")), QStringLiteral("go"));
    }

    void handlerFindsTheFirstAreaUnderAPoint()
    {
        const QString map = QStringLiteral(
            "<area shape=\"rect\" coords=\"10,10,20,20\" href=\"a?x=1\" title='one'>\n"
            "<area shape=\"rect\" coords=\"15,15,40,40\" title=\"two\">\n"
            "<area shape=\"circle\" coords=\"100,100,10\" href='c'>\n"
            "<area shape=\"poly\" coords=\"200,200,220,200,210,220\" href=\"d\">\n");
        ImageMapHandler h(map);
        QCOMPARE(h.getHotSpotCount(), 4);
        QCOMPARE(h.getHotSpot(16, 16), 1);
        QCOMPARE(h.getValue(QStringLiteral("title")), QStringLiteral("one"));
        QCOMPARE(h.getValue(QStringLiteral("x")), QStringLiteral("1"));
        QCOMPARE(h.getKey(0), QStringLiteral("path"));
        QCOMPARE(h.getValue(0), QStringLiteral("a"));
        QCOMPARE(h.getHotSpot(30, 30), 2);
        QVERIFY(h.getValue(QStringLiteral("path")).isNull());
        QCOMPARE(h.getHotSpot(105, 105), 3);
        QCOMPARE(h.getHotSpot(109, 109), 0); // outside the circle
        QCOMPARE(h.getHotSpot(210, 205), 4);
        QCOMPARE(h.getHotSpot(500, 5), 0);
        QVERIFY(h.getValue(QStringLiteral("title")).isNull());
        QVERIFY(h.getKey(0).isNull());
    }

    void handlerFindsWhatASearchOfEveryAreaFinds()
    {
        // Thousands of one-pixel candles beside a few wide areas, written in every way the
        // handler reads: upper-case tags, decimal and negative coordinates.
        struct Box
        {
            double x0, y0, x1, y1;
        };
        std::vector<Box> boxes;
        QString map;
        QRandomGenerator random(11);
        for (int i = 0; i < 3000; ++i) {
            const double x = 40 + i * 0.37, y0 = random.bounded(200), h = random.bounded(60);
            boxes.push_back({std::floor(x), y0, std::floor(x), y0 + h});
            map += QStringLiteral("<area shape=\"rect\" coords=\"%1,%2,%3,%4\" title='c%5'>\n")
                       .arg(std::floor(x))
                       .arg(y0)
                       .arg(std::floor(x))
                       .arg(y0 + h)
                       .arg(i);
        }
        boxes.push_back({-20.5, 10.25, 600.75, 30.5});
        map += QStringLiteral("<AREA SHAPE=\"RECT\" COORDS=\"-20.5, 10.25, 600.75, 30.5\" "
                              "title='legend'>\n");
        boxes.push_back({300, -5, 1400, 400});
        map += QStringLiteral("<area coords=\"1400,400,300,-5\" title=\"panel\"/>\n");
        ImageMapHandler h(map);
        QCOMPARE(h.getHotSpotCount(), int(boxes.size()));
        int hits = 0;
        for (int k = 0; k < 20000; ++k) {
            // Whole pixels, as the mouse gives them, and points between them.
            const double x = -30 + (k % 2 ? random.bounded(1500.0) : random.bounded(1500));
            const double y = -10 + random.bounded(420.0);
            int expected = 0;
            for (size_t i = 0; i < boxes.size() && !expected; ++i) {
                const Box &b = boxes[i];
                if (x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1)
                    expected = int(i) + 1;
            }
            QCOMPARE(h.getHotSpot(x, y), expected);
            hits += expected > 0 && expected <= 3000;
        }
        QVERIFY(hits > 0); // some points landed on candles, not only on the wide areas
        QCOMPARE(h.getHotSpot(boxes[1].x0, boxes[1].y0 + 1), 2);
        QCOMPARE(h.getValue(QStringLiteral("title")), QStringLiteral("c1"));
    }

    void handlerOfLayerAreasAnswersAsTheMapText_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("query");
        QTest::newRow("candles with a title")
            << int(EngineSamples::Candles) << QString() << QString();
        QTest::newRow("bars with links and a query")
            << int(EngineSamples::Ohlc) << QStringLiteral("details.html?from=chart&kind=\"bar\"")
            << QStringLiteral("&when={xLabel|yyyy-mm-dd}&close={close}");
        QTest::newRow("closing line with the default query")
            << int(EngineSamples::CloseLine) << QStringLiteral("clickable") << QString();
    }

    void handlerOfLayerAreasAnswersAsTheMapText()
    {
        QFETCH(int, style);
        QFETCH(QString, url);
        QFETCH(QString, query);
        EngineSamples::StackOptions o;
        o.style = EngineSamples::PriceStyle(style);
        o.indicatorPanels = 2;
        auto s = EngineSamples::stackedChart(EngineSamples::randomWalk(700, 3), o);
        QVERIFY(s.chart->makeChart());
        // The price layer, then a panel's line and the MACD divergence bars, as a page joins
        // them.
        const Layer *layers[] = {s.priceLayer, s.panels[1]->getLayer(0), s.panels[2]->getLayer(2)};
        QString text;
        std::vector<ImageMap::LayerAreas> areas;
        const QString extra =
            QStringLiteral("title='{xLabel|mmm d} <{value}> & \"{dataSetName}\"'");
        for (const Layer *layer : layers) {
            text += layer->getHTMLImageMap(url, query, extra);
            areas.push_back(layer->getImageMapAreas(url, query, extra));
        }
        ImageMapHandler fromText(text), fromLayers(std::move(areas));
        QCOMPARE(fromLayers.getHotSpotCount(), fromText.getHotSpotCount());
        QVERIFY(fromText.getHotSpotCount() > 700);
        int hits = 0;
        for (int y = 0; y < s.chart->getHeight(); y += 3) {
            for (int x = 0; x < s.chart->getWidth(); x += 2) {
                const int spot = fromText.getHotSpot(x, y);
                QCOMPARE(fromLayers.getHotSpot(x, y), spot);
                if (spot == 0 || (x + y) % 7 != 0)
                    continue;
                ++hits;
                QCOMPARE(fromLayers.getAttributeCount(), fromText.getAttributeCount());
                for (int i = 0; i < fromText.getAttributeCount(); ++i) {
                    QCOMPARE(fromLayers.getKey(i), fromText.getKey(i));
                    QCOMPARE(fromLayers.getValue(i), fromText.getValue(i));
                }
            }
        }
        QVERIFY(hits > 100);
    }

    void stackedChartMapUsesImageCoordinatesOfThePanel()
    {
        EngineSamples::StackOptions o;
        o.indicatorPanels = 1;
        auto s = EngineSamples::stackedChart(EngineSamples::randomWalk(120), o);
        QVERIFY(s.chart->makeChart());
        // An indicator-panel layer: its areas lie within that panel's band of the image.
        XYChart *rsiPanel = s.panels[1].get();
        Layer *rsi = rsiPanel->getLayer(0);
        const auto a = areas(rsi->getHTMLImageMap(QStringLiteral("x")));
        QVERIFY(!a.isEmpty());
        const int top = rsiPanel->offsetY() + rsiPanel->plotArea().getTopY();
        for (const auto &area : a)
            QVERIFY(area.rect.center().y() >= top - 6 &&
                    area.rect.center().y() <= top + rsiPanel->plotArea().getHeight() + 6);
        // The handler finds the candle under the mouse in the full image.
        const QString map = s.priceLayer->getHTMLImageMap(QStringLiteral("clickable"));
        QCOMPARE(areas(map).size(), 120);
        ImageMapHandler h(map);
        const LayerShapes *shapes = s.main->layoutResult()->shapesOf(s.priceLayer);
        const BoxShape &b = shapes->boxes[57];
        QCOMPARE(h.getHotSpot(b.x, (b.yHigh + b.yLow) / 2 + s.main->offsetY()), 58);
        QVERIFY(h.getValue(QStringLiteral("title")).startsWith(u'['));
    }
};

QTEST_MAIN(EngineImageMapTest)
#include "tst_engine_imagemap.moc"
