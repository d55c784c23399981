#include "charts/financechart.h"
#include "charts/indicatorcatalogue.h"
#include "support/pricefixture.h"

#include <QDir>
#include <QImage>
#include <QtTest>

namespace {

constexpr double NV = Chart::NoValue;

bool sameSeries(const std::vector<double> &actual, const std::vector<double> &expected)
{
    if (actual.size() != expected.size())
        return false;
    for (size_t i = 0; i < actual.size(); ++i) {
        if (Chart::isNoValue(actual[i]) != Chart::isNoValue(expected[i]) ||
            (!Chart::isNoValue(expected[i]) && std::abs(actual[i] - expected[i]) > 1e-9))
            return false;
    }
    return true;
}

std::unique_ptr<FinanceChart> chartOf(const PriceSeries &prices, int width = 800)
{
    auto chart = std::make_unique<FinanceChart>(width);
    chart->setData(prices.timeStamps, prices.high, prices.low, prices.open, prices.close,
                   prices.volume, 0);
    return chart;
}

// Pixels within `tolerance` of a colour (per channel) inside a rectangle of the picture.
int pixelsNear(const QImage &image, const QRect &area, int colour, int tolerance = 40)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    const QRect inside = area.intersected(rgb.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb p = line[x];
            if (std::abs(qRed(p) - ((colour >> 16) & 0xff)) <= tolerance &&
                std::abs(qGreen(p) - ((colour >> 8) & 0xff)) <= tolerance &&
                std::abs(qBlue(p) - (colour & 0xff)) <= tolerance)
                ++count;
        }
    }
    return count;
}

// Saves the picture where a developer can look at it when CORVANE_CHART_SHOTS names a folder.
void keepPicture(FinanceChart &chart, const QString &name)
{
    const QString folder = qEnvironmentVariable("CORVANE_CHART_SHOTS");
    if (!folder.isEmpty())
        chart.makeImage().save(QDir(folder).filePath(name + ".png"));
}

} // namespace

class FinanceChartTest : public QObject
{
    Q_OBJECT

private slots:
    void volumesGetAUnit();
    void panelsStackWithTheirGaps();
    void candleGapAndWidthFollowThePointDensity();
    void legendsShowTheLatestValues();
    void emptyDataStillDrawsPanels();
    void everyOptionRendersAChart();
    void indicatorPanelsNameTheirParametersAndLatestValues_data();
    void indicatorPanelsNameTheirParametersAndLatestValues();
    void volumeSumsAreShownInTheVolumeUnit();
    void comparisonIsRebasedToTheFirstShownClose();
};

void FinanceChartTest::volumesGetAUnit()
{
    auto chart = chartOf(PriceSeries::daily(30));
    QCOMPARE(chart->volumeUnit(), QString("M"));
    QVERIFY(chart->volumes().front() < 10);
    FinanceChart small(400);
    small.setData({1, 2}, {1, 1}, {1, 1}, {1, 1}, {1, 1}, {999, 10}, 0);
    QCOMPARE(small.volumeUnit(), QString());
    QCOMPARE(small.volumes().front(), 999.0);
}

void FinanceChartTest::panelsStackWithTheirGaps()
{
    auto chart = chartOf(PriceSeries::daily(100));
    chart->setPlotAreaBorder(0x21486e, 0);
    chart->addMainPanel(300);
    chart->addRsiPanel(80);
    chart->addMacdPanel(80);
    QCOMPARE(int(chart->panels().size()), 3);
    QCOMPARE(chart->mainPanel(), chart->panels().front().get());
    // 300 + 1, then 80 + 1 twice (gap 0), plus the top and bottom margins.
    QCOMPARE(chart->getHeight(), 301 + 81 + 81 + 30 + 35);
    QCOMPARE(chart->panels().at(1)->offsetY(), 301);
    QCOMPARE(chart->panels().at(2)->offsetY(), 382);
}

void FinanceChartTest::candleGapAndWidthFollowThePointDensity()
{
    auto few = chartOf(PriceSeries::daily(60));
    few->addMainPanel(200);
    CandleStickLayer *wide = few->addCandleSticks();
    QCOMPARE(wide->dataGap(), 0.2);
    QCOMPARE(wide->dataWidth(), -1);

    auto many = chartOf(PriceSeries::daily(200), 800); // 720 px for 200 points: 3 px each
    many->addMainPanel(200);
    CandleStickLayer *dense = many->addCandleSticks();
    QCOMPARE(dense->dataGap(), 0.0);
    QCOMPARE(dense->dataWidth(), 3);

    auto even = chartOf(PriceSeries::daily(180), 800); // 4 px each: 3 keeps a centre and a gap
    even->addMainPanel(200);
    QCOMPARE(even->addCandleSticks()->dataWidth(), 3);
}

void FinanceChartTest::legendsShowTheLatestValues()
{
    FinanceChart chart(600);
    chart.setData({1, 2, 3}, {11, 12, 13}, {9, 10, 11}, {10, 11, 12}, {10.5, 11.5, 12.26},
                  {1e6, 2e6, 3e6}, 0);
    chart.addMainPanel(200);
    QCOMPARE(chart.addCloseLine()->getDataSet(0)->getDataName(), QString("Closing Price: 12.3"));
    QCOMPARE(chart.legendName("SMA (5)", {Chart::NoValue, Chart::NoValue}), QString("SMA (5)"));
    QCOMPARE(chart.addSimpleMovingAverage(2)->getDataSet(0)->getDataName(),
             QString("SMA (2): 11.9"));
    BarLayer *volume = chart.addVolumeBars(75, 0x99ff99, 0xff9999, 0x808080);
    QCOMPARE(volume->getDataSet(0)->getDataName(), QString("Vol: 3.00M"));
    InterLineLayer *band = chart.addEnvelope(2, 10);
    QVERIFY(band);
    QCOMPARE(chart.mainPanel()
                 ->getLayer(chart.mainPanel()->getLayerCount() - 3)
                 ->getDataSet(0)
                 ->getDataName(),
             QString("Envelop (SMA 2 +/- 10%): 10.7 - 13.1"));
}

void FinanceChartTest::emptyDataStillDrawsPanels()
{
    FinanceChart chart(600);
    chart.setData({}, {}, {}, {}, {}, {}, 0);
    chart.addMainPanel(200);
    chart.addCandleSticks();
    chart.addBollingerBand();
    chart.addParabolicSar();
    chart.setPercentageAxis();
    XYChart *rsi = chart.addRsiPanel(80);
    const QImage &image = chart.makeImage();
    QCOMPARE(image.width(), 600);
    QCOMPARE(image.height(), 201 + 81 + 2 + 65);
    // Without values the legends show the labels alone.
    QStringList names;
    for (XYChart *panel : {chart.mainPanel(), rsi}) {
        for (int i = 0; i < panel->getLayerCount(); ++i) {
            if (panel->getLayer(i)->getDataSetCount() > 0)
                names << panel->getLayer(i)->getDataSet(0)->getDataName();
        }
    }
    QVERIFY2(names.contains("Bollinger (20, 2)"), qPrintable(names.join('|')));
    QVERIFY(names.contains("Parabolic SAR"));
    QVERIFY(names.contains("RSI (14)"));
    keepPicture(chart, "financechart-empty");
    // Both panels are drawn: plot-area borders (#888888) around the main panel and the RSI.
    QVERIFY(pixelsNear(image, QRect(39, 29, 523, 203), 0x888888) >= 2 * 520);
    QVERIFY(pixelsNear(image, QRect(39, 232, 523, 83), 0x888888) >= 2 * 520);
    // The RSI's 70 and 30 lines are there even without values.
    QVERIFY(pixelsNear(image, QRect(40, 233, 520, 80), 0xff6666) >= 400);
}

void FinanceChartTest::everyOptionRendersAChart()
{
    const PriceSeries prices = PriceSeries::daily(260);
    for (int type = 0; type < 3; ++type) {
        auto chart = chartOf(prices, 900);
        chart->setPlotAreaStyle(BaseChart::linearGradientColor(0, 0, 350, 0, 0x132c4e, 0xffffff),
                                0x21486e, 0x21486e, 0x21486e, 0x21486e);
        chart->setPlotAreaBorder(0x21486e, 0);
        chart->setXAxisStyle("arial.ttf", 7, 0xd1d6db, 0);
        chart->setYAxisStyle("arial.ttf", 7, 0xd1d6db, 0);
        chart->addMainPanel(320);
        chart->addVolumeBars(75, 0x99ff99, 0xff9999, 0x808080);
        chart->addParabolicSar();
        chart->addBollingerBand();
        chart->addSimpleMovingAverage(14);
        chart->addExponentialMovingAverage(30, 0xffaa00);
        if (type == 0)
            chart->addCloseLine();
        else if (type == 1)
            chart->addCandleSticks();
        else
            chart->addOhlcBars();
        chart->addAdxPanel(80);
        chart->addMacdPanel(80);
        chart->addRsiPanel(80);
        chart->addSlowStochasticPanel(80);
        chart->setBackground(
            BaseChart::linearGradientColor(0, 0, 0, chart->getHeight(), 0x132c4e, 0x060e17));
        const QImage &image = chart->makeImage();
        QCOMPARE(image.width(), 900);
        QCOMPARE(image.height(), 321 + 4 * 81 + 65);
        keepPicture(*chart, QString("financechart-type%1").arg(type));
        QVERIFY(!chart->getHTMLImageMap("clickable").isEmpty());

        // Every series shows in its own panel, in its own colour.
        const QRect mainPlot(40, 30, 820, 320);
        const auto panelPlot = [](int i) { return QRect(40, 351 + 81 * i, 820, 80); };
        const std::pair<QRect, int> expected[] = {
            {mainPlot, 0x008800},     // Parabolic SAR
            {mainPlot, 0x663300},     // SMA
            {mainPlot, 0xffaa00},     // EMA
            {mainPlot, 0x9999ff},     // Bollinger band lines
            {mainPlot, 0xff9999},     // falling volumes (and falling candles)
            {mainPlot, 0x808080},     // unchanged volumes
            {panelPlot(0), 0x008000}, // +DI
            {panelPlot(0), 0x800000}, // -DI
            {panelPlot(1), 0x00acfc}, // MACD
            {panelPlot(1), 0xff00ff}, // its signal
            {panelPlot(2), 0x800080}, // RSI
            {panelPlot(2), 0xff6666}, // above 70
            {panelPlot(3), 0x00acfc}, // %K
        };
        for (const auto &[area, colour] : expected)
            QVERIFY2(pixelsNear(image, area, colour) >= 15,
                     qPrintable(QString("type %1: colour %2 in %3,%4: %5 pixels")
                                    .arg(type)
                                    .arg(colour, 6, 16, QChar('0'))
                                    .arg(area.x())
                                    .arg(area.y())
                                    .arg(pixelsNear(image, area, colour))));
        if (type == 0)
            QVERIFY(pixelsNear(image, mainPlot, 0x64dae3) >= 100); // the close line
        // Candles and OHLC bars draw their rising days where the close line draws none.
        QCOMPARE(pixelsNear(image, mainPlot, 0x64dae3) >= 100, type == 0);
    }
}

void FinanceChartTest::indicatorPanelsNameTheirParametersAndLatestValues_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("legends");
    QTest::addColumn<QList<double>>("levels"); // reference lines on the y axis
    const auto row = [](int index, const QStringList &legends, const QList<double> &levels) {
        QTest::newRow(qPrintable(IndicatorPanels::names().at(index))) << index << legends << levels;
    };
    row(1, {"Accumulation/Distribution"}, {});
    row(2, {"Aroon Oscillator (25)"}, {0});
    row(4, {"ATR (14)"}, {});
    row(5, {"Bollinger Band Width (20, 2)"}, {});
    row(6, {"Chaikin Money Flow (20)"}, {0});
    row(7, {"Chaikin Oscillator (3, 10)"}, {0});
    row(8, {"Chaikin Volatility (10, 10)"}, {0});
    row(9, {"Close Location Value"}, {0});
    row(10, {"CCI (20)"}, {100, -100, 0});
    row(11, {"DPO (20)"}, {0});
    row(12, {"Donchian Width (20)"}, {});
    row(13, {"EMV (14)"}, {0});
    row(14, {"Fast Stochastic %K (14)", "%D (3)"}, {80, 20});
    row(16, {"Mass Index (9, 25)"}, {27});
    row(17, {"Momentum (10)"}, {0});
    row(18, {"Money Flow Index (14)"}, {80, 20});
    row(19, {"Negative Volume Index"}, {});
    row(20, {"On Balance Volume"}, {});
    row(21, {"Performance"}, {0});
    row(22, {"PPO (12, 26)", "EXP (9)"}, {0});
    row(23, {"PVO (12, 26)", "EXP (9)"}, {0});
    row(24, {"Positive Volume Index"}, {});
    row(25, {"Price Volume Trend"}, {});
    row(26, {"ROC (12)"}, {0});
    row(29, {"StochRSI %K (14, 14, 3)", "%D (3)"}, {80, 20});
    row(30, {"TRIX (15)"}, {0});
    row(31, {"Ultimate Oscillator (7, 14, 28)"}, {70, 30});
    row(33, {"William's %R (14)"}, {-20, -80});
}

void FinanceChartTest::indicatorPanelsNameTheirParametersAndLatestValues()
{
    QFETCH(int, index);
    QFETCH(QStringList, legends);
    QFETCH(QList<double>, levels);
    auto chart = chartOf(PriceSeries::daily(120), 600);
    chart->addMainPanel(200);
    XYChart *panel = IndicatorPanels::add(*chart, index, 80);
    QVERIFY(panel);
    QCOMPARE(int(chart->panels().size()), 2);
    QCOMPARE(chart->getHeight(), 201 + 2 + 81 + 65);
    for (int i = 0; i < legends.size(); ++i) {
        const QString name = panel->getLayer(i)->getDataSet(0)->getDataName();
        // "label: latest value", the value in the general format, maybe with a unit.
        QVERIFY2(QRegularExpression("^" + QRegularExpression::escape(legends.at(i)) +
                                    R"(: -?[0-9.]+(e[+-]?[0-9]+)?[KMB%]?$)")
                     .match(name)
                     .hasMatch(),
                 qPrintable(name));
    }
    QList<double> marks;
    for (const auto &mark : panel->yAxis()->marks())
        marks << mark->value();
    QCOMPARE(marks, levels);
    QCOMPARE(int(chart->indicatorLines().size()), legends.size());
    keepPicture(*chart, QString("indicator-%1").arg(index));
}

void FinanceChartTest::volumeSumsAreShownInTheVolumeUnit()
{
    FinanceChart chart(600);
    // Rising closes: on-balance volume adds 2 and 3 million to 0.
    chart.setData({1, 2, 3}, {11, 12, 13}, {9, 10, 11}, {10, 11, 12}, {10, 11, 12}, {1e6, 2e6, 3e6},
                  0);
    chart.addMainPanel(200);
    XYChart *panel = chart.addOBVPanel(80);
    QCOMPARE(panel->getLayer(0)->getDataSet(0)->getDataName(), QString("On Balance Volume: 5.00M"));
    QCOMPARE(panel->yAxis()->labelFormat(), QString("{value}M"));
}

void FinanceChartTest::comparisonIsRebasedToTheFirstShownClose()
{
    const auto compared = [](int extraPoints, const std::vector<double> &other) {
        auto chart = std::make_unique<FinanceChart>(600);
        chart->setData({1, 2, 3, 4}, {11, 12, 13, 14}, {9, 10, 11, 12}, {10, 11, 12, 13},
                       {10, 11, 12, 10}, {1e6, 1e6, 1e6, 1e6}, extraPoints);
        chart->addMainPanel(200);
        chart->addCloseLine();
        chart->addComparison(other, "PEP");
        return chart;
    };
    const std::vector<double> other{50, 60, Chart::NoValue, 30};
    auto whole = compared(0, other);
    XYChart *main = whole->mainPanel();
    QCOMPARE(main->getLayerCount(), 2);
    const DataSet *line = main->getLayer(1)->getDataSet(0);
    QCOMPARE(line->getDataName(), QString("Compare: PEP"));
    // 60 is 20% above 50, so it sits 20% above the first close of 10; gaps stay gaps.
    QVERIFY(sameSeries(line->data(), {10, 12, NV, 6}));
    // The percentage axis reads both as changes: one axis, even when asked for again.
    const auto axesBefore = main->axes().size();
    whole->setPercentageAxis();
    QCOMPARE(main->axes().size(), axesBefore);

    // Zoomed in from the second point: both start there.
    auto zoomed = compared(1, other);
    QVERIFY(sameSeries(zoomed->mainPanel()->getLayer(1)->getDataSet(0)->data(),
                       {50.0 * 11 / 60, 11, NV, 5.5}));

    // Nothing to compare over the shown points: no line.
    auto empty = compared(2, {50, 60, Chart::NoValue, Chart::NoValue});
    QCOMPARE(empty->mainPanel()->getLayerCount(), 1);
}

QTEST_MAIN(FinanceChartTest)
#include "tst_financechart.moc"
