// Finance charts drawn from fixed rows must come out the same, pixel for pixel, as the pictures
// checked in under tests/golden/: any change of the engine's drawing shows up here.
#include "support/financechartsamples.h"
#include "support/goldenimage.h"

#include <QtTest>

using namespace FinanceChartSamples;

class ChartPixelsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void chartsDrawAsCheckedIn_data();
    void chartsDrawAsCheckedIn();
    void aChangedPixelIsReported();
};

void ChartPixelsTest::initTestCase()
{
    const QString fonts = GoldenImage::missingFonts();
    QVERIFY2(fonts.isEmpty(), qPrintable(fonts));
}

void ChartPixelsTest::chartsDrawAsCheckedIn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("intraday");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("price");
    QTest::addColumn<bool>("percentageAxis");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QList<int>>("panels");

    QTest::newRow("candles with bands, averages, volume, MACD and RSI")
        << "candles_macd_rsi" << false << 250 << int(Price::Candles) << false << QSize(1000, 640)
        << QList<int>{MacdEntry, RsiEntry};
    QTest::newRow("closing line on a percentage axis, stochastic and volume panels")
        << "closeline_percent" << false << 600 << int(Price::CloseLine) << true << QSize(900, 560)
        << QList<int>{SlowStochasticEntry, VolumeEntry};
    QTest::newRow("intraday bars over three days with Williams %R")
        << "intraday_ohlc" << true << 234 << int(Price::OhlcBars) << false << QSize(900, 500)
        << QList<int>{WilliamsREntry};
    QTest::newRow("ten years of one-pixel candles with four panels")
        << "dense_candles_four_panels" << false << 2600 << int(Price::Candles) << false
        << QSize(1200, 700) << QList<int>{RsiEntry, MacdEntry, SlowStochasticEntry, ObvEntry};
}

void ChartPixelsTest::chartsDrawAsCheckedIn()
{
    QFETCH(QString, name);
    QFETCH(bool, intraday);
    QFETCH(int, rows);
    QFETCH(int, price);
    QFETCH(bool, percentageAxis);
    QFETCH(QSize, size);
    QFETCH(QList<int>, panels);

    Look look;
    look.width = size.width();
    look.height = size.height();
    look.price = Price(price);
    look.percentageAxis = percentageAxis;
    look.panels.assign(panels.begin(), panels.end());
    auto composed = compose(intraday ? intradayWalk(rows) : dailyWalk(rows), look);
    const QImage drawn = composed.chart->makeImage();
    QVERIFY(!drawn.isNull());
    const QString difference = GoldenImage::mismatch(drawn, name);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void ChartPixelsTest::aChangedPixelIsReported()
{
    if (qEnvironmentVariable("CORVANE_UPDATE_GOLDEN") == QLatin1String("1"))
        QSKIP("the checked-in pictures are being rewritten");
    Look look;
    look.width = 1000;
    look.height = 640;
    look.panels = {MacdEntry, RsiEntry};
    QImage drawn = compose(dailyWalk(250), look).chart->makeImage().copy();
    drawn.setPixel(500, 300, drawn.pixel(500, 300) ^ 0x00010000u);
    const QString difference = GoldenImage::mismatch(drawn, "candles_macd_rsi");
    QVERIFY2(difference.startsWith("1 pixels differ, the first at (500, 300)"),
             qPrintable(difference));
    QVERIFY(difference.contains("CORVANE_UPDATE_GOLDEN=1"));
}

QTEST_MAIN(ChartPixelsTest)
#include "tst_chartpixels.moc"
