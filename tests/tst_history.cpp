#include "marketdata/pricehistory.h"
#include "support/logcapture.h"
#include "support/marketdatafixture.h"
#include "support/scriptedhttpserver.h"
#include "support/simprocess.h"

#include <QDate>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Sends the request and hands every reply, redirects included, to handleReply until the chain
// ends. Returns the last result.
PriceHistory::ReplyResult download(GDatabaseClass &store, const QString &symbol, int range)
{
    QNetworkAccessManager manager;
    QNetworkReply *reply = PriceHistory::request(manager, symbol, range);
    for (;;) {
        QSignalSpy finished(reply, &QNetworkReply::finished);
        if (!reply->isFinished() && !finished.wait(15000))
            return {};
        const PriceHistory::ReplyResult result = PriceHistory::handleReply(store, manager, reply);
        reply->deleteLater();
        if (result.outcome != PriceHistory::Outcome::Redirected)
            return result;
        reply = result.next;
    }
}

} // namespace

class HistoryTest : public QObject
{
    Q_OBJECT

private slots:
    // Request
    void rangeValuesFollowTheTimeFrameIndex();
    void requestAddressEncodesTheSymbolAsOnePathSegment();
    // Parsing
    void headerEndsAtTheFirstLineWhoseFirstFieldNamesVolume();
    void valuesLinePlacesEachColumnByName();
    void withoutValuesLineFieldsArePlacedByPosition();
    void bodyEndingWithLineBreakKeepsEveryLine();
    void lastLineWithoutLineBreakIsKept();
    void malformedAndHostileLinesAreSkipped();
    void bodyWithoutHeaderEndHasNoRows();
    // Storing and the reply
    void storingReplacesOnlyTheSymbolsRows();
    void everyNumberFormIsStoredWithTheColumnsType();
    void replyRowsAreStoredUnderTheRequestedSymbol();
    void networkErrorKeepsTheRows();
    void aReplyWithoutRowsKeepsTheStoredHistory_data();
    void aReplyWithoutRowsKeepsTheStoredHistory();
    void redirectIsFollowedForTheSameSymbol();
    // Against the simulated service
    void everyRangeFillsTheHistory();
};

void HistoryTest::rangeValuesFollowTheTimeFrameIndex()
{
    const QStringList expected{"1d", "5d", "3m", "6m", "12m", "2y", "5y", "my"};
    for (int index = 0; index < expected.size(); ++index)
        QCOMPARE(PriceHistory::rangeCode(index), expected.at(index));
    QCOMPARE(PriceHistory::rangeCode(-1), QString());
    QCOMPARE(PriceHistory::rangeCode(8), QString());
}

void HistoryTest::requestAddressEncodesTheSymbolAsOnePathSegment()
{
    ServiceUrlOverride service("http://127.0.0.1:9");
    const QUrl plain = PriceHistory::requestUrl("AAPL", 4);
    QCOMPARE(plain.toString(),
             QString("http://127.0.0.1:9/instrument/1.0/AAPL/chartdata;type=quote;range=12m/csv/"));
    const QUrl odd = PriceHistory::requestUrl("^GSPC/X?", 7);
    QCOMPARE(odd.path(QUrl::FullyEncoded),
             QString("/instrument/1.0/%5EGSPC%2FX%3F/chartdata;type=quote;range=my/csv/"));
    QVERIFY(odd.query().isEmpty());
    QCOMPARE(PriceHistory::symbolOfUrl(odd), QString("^GSPC/X?"));
    QCOMPARE(PriceHistory::symbolOfUrl(PriceHistory::requestUrl("BRK-B", -1)), QString("BRK-B"));
}

void HistoryTest::headerEndsAtTheFirstLineWhoseFirstFieldNamesVolume()
{
    const QString text = "uri:/x\n"
                         "note:high,volume,low\n" // "volume" after the first comma: still header
                         "Volume:1,2\n"           // capital V: still header
                         "volume:1,2\n"
                         "20240102,1,2,3,4,5\n";
    const PriceHistory::Parsed parsed = PriceHistory::parseReply(text);
    QCOMPARE(parsed.rows.size(), 1);
    QCOMPARE(parsed.rows.first().date, QString("20240102"));
}

void HistoryTest::valuesLinePlacesEachColumnByName()
{
    const QString text = QString::fromLatin1(
        MarketDataFixture::historyReply("AAPL", {"20240102,185.64,188.44,183.89,187.15,82488700"}));
    const PriceHistory::Parsed parsed = PriceHistory::parseReply(text);
    QCOMPARE(parsed.rows.size(), 1);
    const PriceHistory::Row &row = parsed.rows.first();
    QCOMPARE(row.date, QString("20240102"));
    QCOMPARE(row.close, QString("185.64"));
    QCOMPARE(row.high, QString("188.44"));
    QCOMPARE(row.low, QString("183.89"));
    QCOMPARE(row.open, QString("187.15"));
    QCOMPARE(row.volume, QString("82488700"));

    const PriceHistory::Parsed intraday =
        PriceHistory::parseReply("unit:MIN\nvalues:Timestamp,open,close,high,low,volume\nvolume:1,"
                                 "2\n1704205800,10,11,12,9,100\n");
    QCOMPARE(intraday.rows.first().date, QString("1704205800"));
    QCOMPARE(intraday.rows.first().open, QString("10"));
    QCOMPARE(intraday.rows.first().close, QString("11"));
}

void HistoryTest::withoutValuesLineFieldsArePlacedByPosition()
{
    const QString text =
        QString::fromLatin1(MarketDataFixture::historyReply("AAPL", {"20240102,1,2,3,4,5"}, false));
    const PriceHistory::Row row = PriceHistory::parseReply(text).rows.first();
    QCOMPARE(QStringList({row.date, row.open, row.high, row.low, row.close, row.volume}),
             QStringList({"20240102", "1", "2", "3", "4", "5"}));
}

void HistoryTest::bodyEndingWithLineBreakKeepsEveryLine()
{
    const QString text = QString::fromLatin1(MarketDataFixture::historyReply(
        "KO", {"20240102,1,2,0.5,1,10", "20240103,2,3,1,1,20", "20240104,3,4,2,2,30"}));
    QVERIFY(text.endsWith('\n'));
    QCOMPARE(PriceHistory::parseReply(text).rows.size(), 3);
}

void HistoryTest::lastLineWithoutLineBreakIsKept()
{
    QString text = QString::fromLatin1(
        MarketDataFixture::historyReply("KO", {"20240102,1,2,0.5,1,10", "20240103,2,3,1,1,20"}));
    text.chop(1);
    const PriceHistory::Parsed parsed = PriceHistory::parseReply(text);
    QCOMPARE(parsed.rows.size(), 2);
    QCOMPARE(parsed.rows.last().date, QString("20240103"));
    // A line cut short in transfer lacks fields and is left out.
    const PriceHistory::Parsed cut = PriceHistory::parseReply(text + "\n20240104,3,4");
    QCOMPARE(cut.rows.size(), 2);
    QCOMPARE(cut.rejectedLines, 1);
}

void HistoryTest::malformedAndHostileLinesAreSkipped()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    LogCapture log;
    const QString text = QString::fromLatin1(MarketDataFixture::historyReply(
        "IBM", {"20240102,1,2,0.5,1,10", "20240103,abc,2,1,1,5",
                "1,2,3,4,5,6);DELETE FROM symbols;--", "20240104,2,3,1,1,20\r"}));
    const PriceHistory::Parsed parsed = PriceHistory::parseReply(text);
    QCOMPARE(parsed.rows.size(), 2);
    QCOMPARE(parsed.rejectedLines, 2);
    QVERIFY(log.contains("skipping malformed line"));
    fixture.addSymbol("IBM");
    PriceHistory::store(fixture.store(), "IBM", parsed.rows);
    QCOMPARE(fixture.rows("SELECT date, Volume FROM qData ORDER BY date"),
             QStringList({"20240102|10", "20240104|20"}));
    QCOMPARE(fixture.count("symbols"), 1);
}

void HistoryTest::bodyWithoutHeaderEndHasNoRows()
{
    QVERIFY(PriceHistory::parseReply("uri:/x\nticker:x\n20240102,1,2,3,4,5\n").rows.isEmpty());
    QVERIFY(PriceHistory::parseReply(QString()).rows.isEmpty());
}

void HistoryTest::storingReplacesOnlyTheSymbolsRows()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fixture.store().ExecSQL("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
                            "VALUES(20200101,'IBM',1,1,1,1,1)");
    fixture.store().ExecSQL("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
                            "VALUES(20200101,'KO',1,1,1,1,1)");
    PriceHistory::store(fixture.store(), "IBM",
                        {{"20240102", "10.5", "11", "10", "10.75", "1000"}});
    QCOMPARE(fixture.rows(
                 "SELECT date, symbol, Open, High, Low, Close, Volume FROM qData ORDER BY symbol"),
             QStringList({"20240102|IBM|10.5|11|10|10.75|1000", "20200101|KO|1|1|1|1|1"}));
    // Stored as numbers, so they sort and compare as numbers.
    QCOMPARE(fixture.rows("SELECT typeof(Close), typeof(date) FROM qData WHERE symbol='IBM'"),
             QStringList({"real|integer"}));
    // A symbol with an apostrophe is no reason to lose the rows.
    PriceHistory::store(fixture.store(), "O'X", {{"20240102", "1", "1", "1", "1", "1"}});
    QCOMPARE(fixture.rows("SELECT symbol FROM qData WHERE symbol='O''X'"), QStringList({"O'X"}));
}

void HistoryTest::everyNumberFormIsStoredWithTheColumnsType()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fixture.store().ExecSQL("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
                            "VALUES(20200101,'O''X|',1,1,1,1,1)");
    QVERIFY(
        PriceHistory::store(fixture.store(), "O'X|",
                            {{"20240102", "+5", "5.", "007", ".5", "1e5"},
                             {"20240103", "-0", "1.0", "99999999999999999999", "-1.5", "1000.5"},
                             {"1704205800", "10.25", "1E-3", "0", "1", "12345678901234"}}));
    QCOMPARE(fixture.rows("SELECT id, symbol, date, typeof(date), Open, typeof(Open), High, Low, "
                          "typeof(Low), Close, Volume, typeof(Volume) FROM qData ORDER BY id"),
             QStringList({"1|O'X||20240102|integer|5|real|5|7|real|0.5|100000|integer",
                          "2|O'X||20240103|integer|0|real|1|1e+20|real|-1.5|1000.5|real",
                          "3|O'X||1704205800|integer|10.25|real|0.001|0|real|1|12345678901234|"
                          "integer"}));
}

void HistoryTest::replyRowsAreStoredUnderTheRequestedSymbol()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    ScriptedHttpServer server;
    server.scriptBody(
        "/instrument/1.0/AAPL/chartdata;type=quote;range=3m/csv/",
        MarketDataFixture::historyReply("AAPL", {"20240102,185.64,188.44,183.89,187.15,82488700"}));
    ServiceUrlOverride service(server.baseUrl());

    const PriceHistory::ReplyResult result = download(fixture.store(), "AAPL", 2);
    QCOMPARE(result.outcome, PriceHistory::Outcome::Stored);
    QCOMPARE(result.symbol, QString("AAPL"));
    QCOMPARE(result.rowsStored, 1);
    QCOMPARE(server.requests(),
             QStringList({"/instrument/1.0/AAPL/chartdata;type=quote;range=3m/csv/"}));
    // Open and close in their own columns: the candle is not turned round.
    QCOMPARE(fixture.rows("SELECT date, symbol, Open, High, Low, Close, Volume FROM qData"),
             QStringList({"20240102|AAPL|187.15|188.44|183.89|185.64|82488700"}));
}

void HistoryTest::networkErrorKeepsTheRows()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fixture.store().ExecSQL("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
                            "VALUES(20200101,'IBM',1,1,1,1,1)");
    ScriptedHttpServer server;
    server.scriptBody("/instrument/1.0/IBM/chartdata;type=quote;range=12m/csv/", "busy", 500);
    ServiceUrlOverride service(server.baseUrl());
    LogCapture log;

    const PriceHistory::ReplyResult result = download(fixture.store(), "IBM", 4);
    QCOMPARE(result.outcome, PriceHistory::Outcome::Failed);
    QCOMPARE(result.symbol, QString("IBM"));
    QCOMPARE(fixture.count("qData"), 1);
    // The line names the address that failed and what the server said.
    QVERIFY(log.contains("/instrument/1.0/IBM/chartdata;type=quote;range=12m/csv/"));
    QVERIFY(log.contains("server replied"));
}

void HistoryTest::aReplyWithoutRowsKeepsTheStoredHistory_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbage") << QByteArray("\x01\x02 not a history \xff\n");
    QTest::newRow("xml") << QByteArray("<?xml version=\"1.0\"?><error>busy</error>");
    // What the service answers for a symbol it does not know: a few header lines, no data.
    QTest::newRow("unknown symbol")
        << QByteArray("uri:/instrument/1.0/NOPE/chartdata;type=quote;range=5y/csv/\n"
                      "ticker:nope\nmessage:No symbol found\n");
    QTest::newRow("header only") << MarketDataFixture::historyReply("IBM", {});
    QTest::newRow("only malformed lines")
        << MarketDataFixture::historyReply("IBM", {"20240102,x,y,z,w,v", "bad"});
}

void HistoryTest::aReplyWithoutRowsKeepsTheStoredHistory()
{
    QFETCH(QByteArray, body);
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fixture.store().ExecSQL("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
                            "VALUES(20200101,'IBM',1,2,0.5,1.5,100)");
    ScriptedHttpServer server;
    server.scriptBody("/instrument/1.0/IBM/chartdata;type=quote;range=5y/csv/", body);
    ServiceUrlOverride service(server.baseUrl());
    LogCapture log;

    QCOMPARE(download(fixture.store(), "IBM", 6).outcome, PriceHistory::Outcome::Failed);
    QCOMPARE(fixture.rows("SELECT date, symbol, Open, High, Low, Close, Volume FROM qData"),
             QStringList({"20200101|IBM|1|2|0.5|1.5|100"}));
    QVERIFY(log.contains("stored history kept"));
}

void HistoryTest::redirectIsFollowedForTheSameSymbol()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    ScriptedHttpServer server;
    server.scriptRedirect("/instrument/1.0/KO/chartdata;type=quote;range=2y/csv/", "/cache/ko.csv");
    server.scriptBody("/cache/ko.csv",
                      MarketDataFixture::historyReply("KO", {"20240102,60,61,59,59.5,100"}));
    ServiceUrlOverride service(server.baseUrl());

    const PriceHistory::ReplyResult result = download(fixture.store(), "KO", 5);
    QCOMPARE(result.outcome, PriceHistory::Outcome::Stored);
    QCOMPARE(server.requests().size(), 2);
    QCOMPARE(fixture.rows("SELECT symbol, Open, Close FROM qData"), QStringList({"KO|59.5|60"}));
}

void HistoryTest::everyRangeFillsTheHistory()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    SimProcess sim;
    QVERIFY(sim.isRunning());
    int previousDays = 0;
    for (int range = 0; range < 8; ++range) {
        const PriceHistory::ReplyResult result = download(fixture.store(), "CSCO", range);
        QCOMPARE(result.outcome, PriceHistory::Outcome::Stored);
        const int rows = fixture.count("qData");
        QVERIFY2(rows > 0, qPrintable(PriceHistory::rangeCode(range)));
        QCOMPARE(rows, result.rowsStored);
        QCOMPARE(fixture.rows(
                     "SELECT COUNT(*) FROM qData WHERE High < Low OR High < Open OR High < Close "
                     "OR Low > Open OR Low > Close OR Close <= 0"),
                 QStringList({"0"}));
        const qint64 first = fixture.rows("SELECT MIN(date) FROM qData").first().toLongLong();
        if (range < 2) {
            QVERIFY(first >= 30110429); // Unix seconds
        } else {
            QVERIFY(QDate::fromString(QString::number(first), "yyyyMMdd").isValid());
            QVERIFY(rows > previousDays);
            previousDays = rows;
        }
    }
}

QTEST_MAIN(HistoryTest)
#include "tst_history.moc"
