#include "common/requests.h"
#include "marketdata/quotesnapshot.h"
#include "marketdata/welcomeclass.h"
#include "support/logcapture.h"
#include "support/marketdatafixture.h"
#include "support/scriptedhttpserver.h"
#include "support/simprocess.h"

#include <QDomDocument>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableWidget>
#include <QUrlQuery>
#include <QtTest>

namespace {

using Fields = MarketDataFixture::Fields;

// The quote requests among everything the page asked the server for.
QStringList quoteRequests(const ScriptedHttpServer &server)
{
    return server.requests().filter(QRegularExpression("/yql"));
}

QString decodedStatement(const QString &requestTarget)
{
    return QUrlQuery(QUrl(requestTarget)).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded);
}

} // namespace

class QuotesTest : public QObject
{
    Q_OBJECT

private slots:
    // Request
    void symbolListIsQuotedAndJoined();
    void followedSymbolsComeFromThreeTablesOnceEach();
    void requestCarriesTheStatementWithUnsafeSymbolsEncoded();
    // Reply
    void replyGivesQuotesWithEmptyElementsAsDash();
    void replyThatIsNoXmlIsRejected();
    void theQuotesAreInTheResultsElementFoundByName();
    void storingReplacesTheSnapshotAndKeepsApostrophes();
    void storedRowsKeepTheirIdsTextAndOrder();
    // The page's round trip
    void pageSendsOneRequestAndStoresTheReply();
    void aReplyWithoutSomeQuotesKeepsTheirRows_data();
    void aReplyWithoutSomeQuotesKeepsTheirRows();
    void httpErrorKeepsTheSnapshotAndTheGrid();
    void unparsableReplyKeepsTheSnapshotButRefillsTheGrid();
    void redirectIsFollowed();
    // The simulated service
    void simulatorAnswersEveryFieldConsistently();
    void simulatorGivesUnknownSymbolsEmptyFields();
};

void QuotesTest::symbolListIsQuotedAndJoined()
{
    QCOMPARE(QuoteSnapshot::quotedSymbolList({"A", "B"}), QString("\"A\",\"B\""));
    QCOMPARE(QuoteSnapshot::quotedSymbolList({"IBM"}), QString("\"IBM\""));
    QCOMPARE(QuoteSnapshot::quotedSymbolList({}), QString("\"\""));
    QCOMPARE(QuoteSnapshot::statement({"A", "B"}),
             QString("SELECT * FROM yahoo.finance.quotes where symbol in (\"A\",\"B\")"));
}

void QuotesTest::followedSymbolsComeFromThreeTablesOnceEach()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    QVERIFY(QuoteSnapshot::followedSymbols(fixture.store()).isEmpty());
    fixture.addSymbol("MSFT");
    fixture.addSymbol("AAPL");
    fixture.store().ExecSQL("INSERT INTO portfolio (symbol, transType) VALUES('XOM','BUY')");
    fixture.store().ExecSQL("INSERT INTO portfolio (symbol, transType) VALUES('AAPL','BUY')");
    fixture.store().ExecSQL("INSERT INTO watchedSymbols (symbol, listId) VALUES('MSFT',1)");
    fixture.store().ExecSQL("INSERT INTO watchedSymbols (symbol, listId) VALUES('CSCO',1)");
    fixture.store().ExecSQL("INSERT INTO portfolio (symbol, transType) VALUES('','DEPOSIT')");
    QCOMPARE(QuoteSnapshot::followedSymbols(fixture.store()),
             QStringList({"AAPL", "MSFT", "XOM", "CSCO"}));
}

void QuotesTest::requestCarriesTheStatementWithUnsafeSymbolsEncoded()
{
    ServiceUrlOverride service("http://127.0.0.1:9");
    const QUrl url = QuoteSnapshot::requestUrl({"AT&T", "BRK+A", "X#Y"});
    QCOMPARE(url.path(), QString("/v1/public/yql"));
    const QUrlQuery query(url);
    QCOMPARE(
        query.queryItemValue("q", QUrl::FullyDecoded),
        QString("SELECT * FROM yahoo.finance.quotes where symbol in (\"AT&T\",\"BRK+A\",\"X#Y\")"));
    QVERIFY(!query.queryItemValue("env").isEmpty());
    const QString sent = QString::fromLatin1(url.toEncoded());
    QVERIFY(sent.contains("AT%26T"));
    QVERIFY(sent.contains("BRK%2BA"));
    QVERIFY(!sent.contains('#'));
}

void QuotesTest::replyGivesQuotesWithEmptyElementsAsDash()
{
    const QByteArray body = MarketDataFixture::quoteReply(
        {{"AAPL", Fields{{"Bid", ""}, {"LastTradePriceOnly", "585.57"}, {"Name", "Apple Inc."}}},
         {"IBM", Fields{{"Bid", "190.10"}}}});
    const auto quotes = QuoteSnapshot::parseReply(body);
    QVERIFY(quotes.has_value());
    QCOMPARE(quotes->size(), 2);
    QCOMPARE(quotes->at(0).symbol, QString("AAPL"));
    QCOMPARE(quotes->at(0).fields.size(), 3);
    QCOMPARE(quotes->at(0).fields.at(0).name, QString("Bid"));
    QCOMPARE(quotes->at(0).fields.at(0).value, QString(" - "));
    QCOMPARE(quotes->at(0).fields.at(1).value, QString("585.57"));
    QCOMPARE(quotes->at(1).fields.at(0).value, QString("190.10"));
}

void QuotesTest::replyThatIsNoXmlIsRejected()
{
    QVERIFY(!QuoteSnapshot::parseReply("<html><body>Service unavailable").has_value());
    QVERIFY(!QuoteSnapshot::parseReply("").has_value());
    QVERIFY(!QuoteSnapshot::parseReply("{\"query\":{}}").has_value());
}

void QuotesTest::theQuotesAreInTheResultsElementFoundByName()
{
    // The service reports on itself in a "diagnostics" element, sometimes before the results.
    const QByteArray body =
        "<?xml version=\"1.0\"?><query><diagnostics><quote symbol=\"B\"><Bid>2</Bid></quote>"
        "</diagnostics><results><quote symbol=\"A\"><Bid>1</Bid></quote>"
        "<other symbol=\"X\"><Bid>3</Bid></other></results>"
        "<results><quote symbol=\"C\"><Bid>4</Bid></quote></results></query>";
    const auto quotes = QuoteSnapshot::parseReply(body);
    QVERIFY(quotes.has_value());
    QCOMPARE(quotes->size(), 1);
    QCOMPARE(quotes->first().symbol, QString("A"));
    QVERIFY(QuoteSnapshot::parseReply("<query><diagnostics/></query>")->isEmpty());
}

void QuotesTest::storingReplacesTheSnapshotAndKeepsApostrophes()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fixture.addSnapshotValue("OLD", "Bid", "1");
    QuoteSnapshot::store(fixture.store(),
                         {{"MCD", {{"Name", "McDonald's Corporation"}, {"Bid", " - "}}},
                          {"X|Y", {{"Name", "Pipe | Co"}}}});
    QCOMPARE(fixture.rows("SELECT symbol, name, value FROM fData ORDER BY id"),
             QStringList({"MCD|Name|McDonald's Corporation", "MCD|Bid| - ", "XY|Name|Pipe  Co"}));
}

void QuotesTest::storedRowsKeepTheirIdsTextAndOrder()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fixture.addSymbol("IBM");
    fixture.addSymbol("KEEP");
    fixture.addSnapshotValue("IBM", "Bid", "1");
    fixture.addSnapshotValue("KEEP", "Bid", "7");
    fixture.addSnapshotValue("GONE", "Bid", "2"); // followed by no list
    fixture.addSnapshotValue("IBM", "Ask", "1.5");
    // Kept although the reply leaves them out: followed by the portfolio and by a watchlist.
    fixture.store().ExecSQL("INSERT INTO portfolio (symbol) VALUES('PF')");
    fixture.store().ExecSQL("INSERT INTO watchedSymbols (symbol, listId) VALUES('WL', 1)");
    fixture.addSnapshotValue("WL", "Bid", "8");
    fixture.addSnapshotValue("PF", "Bid", "9");
    fixture.addSnapshotValue("", "Bid", "0"); // followed by nobody either
    QVERIFY(QuoteSnapshot::store(fixture.store(),
                                 {{"IBM", {{"Name", "Int'l | Business"}, {"Bid", " - "}}},
                                  {"X|Y", {{"N|ame", "1e5"}, {"Bid", "0012"}}},
                                  {"", {{"Bid", "3"}}},
                                  {"|", {{"Bid", "4"}}},
                                  {"NOF", {}},
                                  {"IBM", {{"Ask", "3"}}},
                                  {"ÅSE", {{"Name", "Øre ✓"}}}}));
    QCOMPARE(
        fixture.rows("SELECT id, symbol, name, value, typeof(value) FROM fData ORDER BY id"),
        QStringList({"2|KEEP|Bid|7|text", "5|WL|Bid|8|text", "6|PF|Bid|9|text",
                     "8|IBM|Name|Int'l  Business|text", "9|IBM|Bid| - |text", "10|XY|Name|1e5|text",
                     "11|XY|Bid|0012|text", "12|IBM|Ask|3|text", "13|ÅSE|Name|Øre ✓|text"}));
}

void QuotesTest::pageSendsOneRequestAndStoresTheReply()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fixture.addSymbol("IBM");
    fixture.addSymbol("AAPL");
    fixture.store().ExecSQL("INSERT INTO watchedSymbols (symbol, listId) VALUES('IBM',1)");
    fixture.addField("LastTradePriceOnly", "Last", "right", 1);
    ScriptedHttpServer server;
    server.scriptBody("/v1/public/yql", MarketDataFixture::quoteReply(
                                            {{"AAPL", Fields{{"LastTradePriceOnly", "585.57"}}},
                                             {"IBM", Fields{{"LastTradePriceOnly", "190.10"}}}}));
    ServiceUrlOverride service(server.baseUrl());
    LogCapture log;

    WelcomeClass page;
    QSignalSpy refilled(&page, &WelcomeClass::fundGridRefilled);
    QVERIFY(refilled.wait(5000));
    QCOMPARE(quoteRequests(server).size(), 1);
    QCOMPARE(decodedStatement(quoteRequests(server).first()),
             QString("SELECT * FROM yahoo.finance.quotes where symbol in (\"AAPL\",\"IBM\")"));
    QCOMPARE(fixture.rows("SELECT symbol, name, value FROM fData ORDER BY symbol"),
             QStringList({"AAPL|LastTradePriceOnly|585.57", "IBM|LastTradePriceOnly|190.10"}));
    QCOMPARE(page.fundGrid()->rowCount(), 2);
    QCOMPARE(page.fundGrid()->item(1, 1)->text(), QString("190.10"));
    for (const char *line : {"getFundData...", "getFundData: done.",
                             "getFundData: processing reply.", "getFundData: processing done."})
        QVERIFY2(log.contains(line), line);
}

void QuotesTest::aReplyWithoutSomeQuotesKeepsTheirRows_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("rows");
    const QStringList kept{"IBM|Bid|1.00", "KO|Bid|2.00"};
    QTest::newRow("empty results") << MarketDataFixture::quoteReply({}) << kept;
    QTest::newRow("no results element")
        << QByteArray("<query><diagnostics><quote symbol=\"IBM\"><Bid>9</Bid></quote>"
                      "</diagnostics></query>")
        << kept;
    QTest::newRow("diagnostics first")
        << QByteArray("<query><diagnostics><url>x</url></diagnostics><results>"
                      "<quote symbol=\"IBM\"><Bid>3.00</Bid></quote></results></query>")
        << QStringList({"IBM|Bid|3.00", "KO|Bid|2.00"});
    QTest::newRow("one symbol left out")
        << MarketDataFixture::quoteReply({{"KO", Fields{{"Bid", "2.50"}, {"Ask", "2.60"}}}})
        << QStringList({"IBM|Bid|1.00", "KO|Ask|2.60", "KO|Bid|2.50"});
    QTest::newRow("quote without fields")
        << QByteArray("<query><results><quote symbol=\"IBM\"/></results></query>") << kept;
}

void QuotesTest::aReplyWithoutSomeQuotesKeepsTheirRows()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, rows);
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fixture.addSymbol("IBM");
    fixture.addSymbol("KO");
    fixture.addSnapshotValue("IBM", "Bid", "1.00");
    fixture.addSnapshotValue("KO", "Bid", "2.00");
    fixture.addSnapshotValue("DROPPED", "Bid", "3.00"); // followed by no list any more
    ScriptedHttpServer server;
    server.scriptBody("/v1/public/yql", body);
    ServiceUrlOverride service(server.baseUrl());

    WelcomeClass page;
    QSignalSpy refilled(&page, &WelcomeClass::fundGridRefilled);
    QVERIFY(refilled.wait(5000));
    const bool storedSomething = rows != QStringList({"IBM|Bid|1.00", "KO|Bid|2.00"});
    if (!storedSomething)
        rows << "DROPPED|Bid|3.00"; // nothing stored, nothing tidied
    rows.sort();
    QCOMPARE(fixture.rows("SELECT symbol, name, value FROM fData ORDER BY symbol, name"), rows);
}

void QuotesTest::httpErrorKeepsTheSnapshotAndTheGrid()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fixture.addSymbol("IBM");
    fixture.addSnapshotValue("IBM", "Bid", "1.00");
    ScriptedHttpServer server;
    server.scriptBody("/v1/public/yql", "<error>overloaded</error>", 503);
    ServiceUrlOverride service(server.baseUrl());

    WelcomeClass page;
    QSignalSpy refilled(&page, &WelcomeClass::fundGridRefilled);
    QTRY_COMPARE_WITH_TIMEOUT(quoteRequests(server).size(), 1, 5000);
    QVERIFY(!refilled.wait(500));
    QCOMPARE(fixture.rows("SELECT symbol, name, value FROM fData"), QStringList({"IBM|Bid|1.00"}));
    QCOMPARE(page.fundGrid()->rowCount(), 0);
}

void QuotesTest::unparsableReplyKeepsTheSnapshotButRefillsTheGrid()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fixture.addSymbol("IBM");
    fixture.addField("Bid", "Bid", "right", 1);
    fixture.addSnapshotValue("IBM", "Bid", "1.00");
    ScriptedHttpServer server;
    server.scriptBody("/v1/public/yql", "<html><p>maintenance");
    ServiceUrlOverride service(server.baseUrl());
    LogCapture log;

    WelcomeClass page;
    QSignalSpy refilled(&page, &WelcomeClass::fundGridRefilled);
    QVERIFY(refilled.wait(5000));
    QVERIFY(log.contains("Failed to parse the file into a DOM tree: " + server.baseUrl() +
                         "/v1/public/yql"));
    QCOMPARE(fixture.rows("SELECT symbol, name, value FROM fData"), QStringList({"IBM|Bid|1.00"}));
    QCOMPARE(page.fundGrid()->item(0, 1)->text(), QString("1.00"));
}

void QuotesTest::redirectIsFollowed()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fixture.addSymbol("KO");
    ScriptedHttpServer server;
    server.scriptRedirect("/v1/public/yql", "/mirror/yql");
    server.scriptBody("/mirror/yql",
                      MarketDataFixture::quoteReply({{"KO", Fields{{"Bid", "60.10"}}}}));
    ServiceUrlOverride service(server.baseUrl());

    WelcomeClass page;
    QSignalSpy refilled(&page, &WelcomeClass::fundGridRefilled);
    QTRY_COMPARE_WITH_TIMEOUT(fixture.rows("SELECT symbol, name, value FROM fData"),
                              QStringList({"KO|Bid|60.10"}), 5000);
    QCOMPARE(quoteRequests(server).size(), 2);
    QVERIFY(quoteRequests(server).at(1).startsWith("/mirror/yql"));
    // The grid was drawn from the old rows at the redirect and again from the new ones.
    QTRY_COMPARE(refilled.size(), 2);
}

void QuotesTest::simulatorAnswersEveryFieldConsistently()
{
    SimProcess sim;
    QVERIFY(sim.isRunning());
    const Requests::BlockingResult result =
        Requests::fetchBlocking(QuoteSnapshot::requestUrl({"AAPL", "MCD"}), Requests::Caps::Quotes);
    QVERIFY2(result.ok, qPrintable(result.errorText));
    QDomDocument document;
    QVERIFY(document.setContent(result.body, true));
    const QDomElement root = document.documentElement();
    QCOMPARE(root.tagName(), QString("query"));
    QCOMPARE(root.attributeNS("http://www.yahooapis.com/v1/base.rng", "count"), QString("2"));
    QVERIFY(!root.attributeNS("http://www.yahooapis.com/v1/base.rng", "created").isEmpty());

    const auto quotes = QuoteSnapshot::parseReply(result.body);
    QVERIFY(quotes.has_value());
    QCOMPARE(quotes->size(), 2);
    for (const QuoteSnapshot::Quote &quote : *quotes) {
        QCOMPARE(quote.fields.size(), 82);
        QCOMPARE(quote.fields.first().name, QString("Ask"));
        QCOMPARE(quote.fields.last().name, QString("PercentChange"));
        QHash<QString, QString> value;
        for (const QuoteSnapshot::Field &field : quote.fields)
            value.insert(field.name, field.value);
        QCOMPARE(value.value("Symbol"), quote.symbol);
        const double last = value.value("LastTradePriceOnly").toDouble();
        const double previous = value.value("PreviousClose").toDouble();
        QVERIFY(last > 0 && previous > 0);
        QCOMPARE(value.value("Change").toDouble(), std::round((last - previous) * 100) / 100);
        QVERIFY(QRegularExpression("^[+-]\\d+\\.\\d\\d%$")
                    .match(value.value("ChangeinPercent"))
                    .hasMatch());
        QCOMPARE(value.value("PercentChange"), value.value("ChangeinPercent"));
        QVERIFY(value.value("DaysLow").toDouble() <= last &&
                last <= value.value("DaysHigh").toDouble());
        QVERIFY(value.value("Bid").toDouble() < value.value("Ask").toDouble());
    }
    QCOMPARE(quotes->at(1).fields.at(52).name, QString("Name"));
    QCOMPARE(quotes->at(1).fields.at(52).value, QString("McDonald's Corporation"));
}

void QuotesTest::simulatorGivesUnknownSymbolsEmptyFields()
{
    SimProcess sim;
    QVERIFY(sim.isRunning());
    const Requests::BlockingResult result =
        Requests::fetchBlocking(QuoteSnapshot::requestUrl({"NOPE42"}), Requests::Caps::Quotes);
    QVERIFY(result.ok);
    QVERIFY(result.body.contains("<Bid/>"));
    const auto quotes = QuoteSnapshot::parseReply(result.body);
    QVERIFY(quotes.has_value());
    QCOMPARE(quotes->size(), 1);
    int filled = 0;
    for (const QuoteSnapshot::Field &field : quotes->first().fields)
        filled += field.value != " - ";
    QCOMPARE(filled, 1); // the symbol itself
}

QTEST_MAIN(QuotesTest)
#include "tst_quotes.moc"
