#include "charts/signalmath.h"
#include "charts/signalsclass.h"
#include "support/storefixture.h"

#include <QtTest>

namespace {

QStringList priceRows(const QList<double> &closes)
{
    QStringList rows;
    for (int i = 0; i < closes.size(); ++i)
        rows << QStringLiteral("%1|%2").arg(20240101 + i).arg(SignalMath::number(closes.at(i)));
    return rows;
}

QList<double> falling(double from, int count)
{
    QList<double> closes;
    for (int i = 0; i < count; ++i)
        closes << from - i;
    return closes;
}

double macdField(const QString &row, int index)
{
    return row.split('|').at(index).toDouble();
}

// Values travel as text with six significant digits.
bool close6(double actual, double expected)
{
    return qAbs(actual - expected) <= 2e-4 * qMax(1.0, qAbs(expected));
}

} // namespace

class SignalsTest : public QObject
{
    Q_OBJECT

private slots:
    void rsiFollowsWildersSmoothingAfterThePeriod();
    void rsiPeriodZeroMeansFourteen();
    void macdSeedsItsAveragesAndAveragesTheSignalOverNine();
    void macdEndsWithTheRangeOfItsValues();
    void longWhenRsiRisesThroughTheBottomWithMacdAtItsSignal();
    void shortWhenRsiFallsThroughTheTop();
    void fewerThanElevenRowsNeverSignal();
    void storedPricesGiveOneEntryPerRowForTheGivenPeriod();
    void testDisplayUsesItsOwnFixedLevels();
};

void SignalsTest::rsiFollowsWildersSmoothingAfterThePeriod()
{
    const QStringList rsi = SignalMath::rsi(priceRows({10, 11, 10.5, 12, 11}), 3);
    QCOMPARE(rsi.size(), 5);
    QCOMPARE(rsi.mid(0, 3), QStringList({"0", "0", "0"}));
    QVERIFY(qAbs(rsi.at(3).toDouble() - 86.666667) < 1e-4);
    QVERIFY(qAbs(rsi.at(4).toDouble() - 54.166667) < 1e-4);
    // Only gains: the strength is infinite and the index 100; no change at all also reads 100.
    QCOMPARE(SignalMath::rsi(priceRows({1, 2, 3}), 1).last(), QString("100"));
    QCOMPARE(SignalMath::rsi(priceRows({5, 5, 5}), 1).last(), QString("100"));
}

void SignalsTest::rsiPeriodZeroMeansFourteen()
{
    QList<double> rising;
    for (int i = 1; i <= 15; ++i)
        rising << i;
    const QStringList rsi = SignalMath::rsi(priceRows(rising), 0);
    QCOMPARE(rsi.at(13), QString("0"));
    QCOMPARE(rsi.at(14), QString("100"));
}

void SignalsTest::macdSeedsItsAveragesAndAveragesTheSignalOverNine()
{
    QList<double> closes;
    for (int i = 1; i <= 30; ++i)
        closes << i;
    const QStringList rows = SignalMath::macd(priceRows(closes));
    QCOMPARE(rows.size(), 31);
    QVERIFY(rows.at(0).endsWith('|'));
    QCOMPARE(macdField(rows.at(10), 0), 0.0);
    QCOMPARE(macdField(rows.at(11), 0), 6.5); // mean of 1..12
    QVERIFY(close6(macdField(rows.at(12), 0), (13 + 6.5 * 11) / 12));
    QCOMPARE(macdField(rows.at(24), 1), 0.0);
    QCOMPARE(macdField(rows.at(25), 1), 13.5); // mean of 1..26
    QCOMPARE(macdField(rows.at(25), 2), 0.0);  // no MACD before row 26
    QVERIFY(close6(macdField(rows.at(26), 1), (27 + 13.5 * 25) / 26));
    const double first = macdField(rows.at(26), 2);
    QVERIFY(close6(first, macdField(rows.at(26), 0) - macdField(rows.at(26), 1)));
    QVERIFY(close6(macdField(rows.at(26), 3), first / 9));
    const double second = macdField(rows.at(27), 2);
    QVERIFY(close6(macdField(rows.at(27), 3), (first + second) / 9));
}

void SignalsTest::macdEndsWithTheRangeOfItsValues()
{
    QList<double> closes = falling(60, 40);
    const QStringList rows = SignalMath::macd(priceRows(closes));
    double lowest = 0, highest = 0;
    for (int i = 0; i < closes.size(); ++i) {
        lowest = qMin(lowest, macdField(rows.at(i), 2));
        highest = qMax(highest, macdField(rows.at(i), 2));
    }
    QVERIFY(lowest < 0);
    QCOMPARE(rows.last(), SignalMath::number(lowest) + "|" + SignalMath::number(highest));
}

void SignalsTest::longWhenRsiRisesThroughTheBottomWithMacdAtItsSignal()
{
    QList<double> closes = falling(20, 13);
    closes << 12;
    const QStringList signals_ = SignalMath::signalRows(priceRows(closes), 70, 30);
    QCOMPARE(signals_.size(), closes.size());
    for (int i = 0; i < 13; ++i)
        QVERIFY2(signals_.at(i).isEmpty(), qPrintable(signals_.at(i)));
    QCOMPARE(signals_.at(13), QString("20240114|12|LONG"));
}

void SignalsTest::shortWhenRsiFallsThroughTheTop()
{
    QList<double> closes;
    for (int i = 0; i < 13; ++i)
        closes << 8 + i;
    closes << 16;
    const QStringList signals_ = SignalMath::signalRows(priceRows(closes), 70, 30);
    QCOMPARE(signals_.at(13), QString("20240114|16|SHORT"));
    QVERIFY(signals_.at(12).isEmpty());
}

void SignalsTest::fewerThanElevenRowsNeverSignal()
{
    const QStringList signals_ =
        SignalMath::signalRows(priceRows({5, 9, 3, 12, 2, 15, 1, 20, 4, 30}), 70, 30);
    QCOMPARE(signals_.size(), 10);
    for (const QString &entry : signals_)
        QVERIFY(entry.isEmpty());
}

void SignalsTest::storedPricesGiveOneEntryPerRowForTheGivenPeriod()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    GDatabaseClass::setMainInstance(&fixture.store());
    QList<double> closes = falling(20, 13);
    closes << 12;
    for (int i = 0; i < closes.size(); ++i)
        fixture.store().ExecSQL(
            QString("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
                    "VALUES(%1,'MCD''S',1,1,1,%2,1)")
                .arg(20240101 + i)
                .arg(closes.at(i)));
    SignalsClass signalsCalculator;
    const QStringList withTen = signalsCalculator.signalRows("MCD'S", 10, 70, 30);
    QCOMPARE(withTen.size(), closes.size());
    QCOMPARE(withTen.last(), QString("20240114|12|LONG"));
    // The period is the RSI's: over six rows only a short one has its first value.
    const QList<double> dip{10, 9, 8, 7, 6, 7};
    for (int i = 0; i < dip.size(); ++i)
        fixture.store().ExecSQL(
            QString("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
                    "VALUES(%1,'DIP',1,1,1,%2,1)")
                .arg(20240101 + i)
                .arg(dip.at(i)));
    QCOMPARE(signalsCalculator.signalRows("DIP", 3, 70, 30).last(), QString("20240106|7|LONG"));
    QCOMPARE(signalsCalculator.signalRows("DIP", 10, 70, 30), QStringList(6, QString()));
    // No period at all falls back to the customary 14.
    QCOMPARE(signalsCalculator.signalRows("MCD'S", 0, 70, 30),
             signalsCalculator.signalRows("MCD'S", 14, 70, 30));
    QVERIFY(signalsCalculator.signalRows("NONE", 14, 70, 30).isEmpty());
    GDatabaseClass::setMainInstance(nullptr);
}

void SignalsTest::testDisplayUsesItsOwnFixedLevels()
{
    QCOMPARE(SignalMath::testDisplaySignal(75, 70, 1, 0), QString("Short"));
    QCOMPARE(SignalMath::testDisplaySignal(75, 70, 0, 0), QString());
    QCOMPARE(SignalMath::testDisplaySignal(25, 30, 0, 1), QString("Long"));
    QCOMPARE(SignalMath::testDisplaySignal(25, 29, 0, 1), QString());
}

QTEST_MAIN(SignalsTest)
#include "tst_signals.moc"
