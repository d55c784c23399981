#include "charts/financechart.h"
#include "support/pricefixture.h"

#include <QDir>
#include <QImage>
#include <QtTest>

namespace {

std::unique_ptr<FinanceChart> chartOf(const PriceSeries &prices, int width = 800)
{
    auto chart = std::make_unique<FinanceChart>(width);
    chart->setData(prices.timeStamps, prices.high, prices.low, prices.open, prices.close,
                   prices.volume, 0);
    return chart;
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
    chart.addRsiPanel(80);
    const QImage &image = chart.makeImage();
    QCOMPARE(image.width(), 600);
    QCOMPARE(image.height(), 201 + 81 + 2 + 65);
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
    }
}

QTEST_MAIN(FinanceChartTest)
#include "tst_financechart.moc"
