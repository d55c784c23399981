#include "common/requests.h"
#include "marketdata/gmanagesymbols.h"
#include "marketdata/gsymbolsearchclass.h"
#include "marketdata/symbollookup.h"
#include "support/logcapture.h"
#include "support/marketdatafixture.h"
#include "support/scriptedhttpserver.h"
#include "support/simprocess.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>

namespace {

using Suggestion = MarketDataFixture::Suggestion;

QStringList gridRow(const QTableWidget *grid, int row)
{
    QStringList cells;
    for (int column = 0; column < grid->columnCount(); ++column) {
        const QTableWidgetItem *item = grid->item(row, column);
        cells << (item ? item->text() : QString());
    }
    return cells;
}

// Runs `action` once the dialog's event loop is running.
void whenShown(QDialog *dialog, std::function<void()> action)
{
    QTimer::singleShot(0, dialog, [dialog, action] {
        QTRY_VERIFY(dialog->isVisible());
        action();
    });
}

} // namespace

class SymbolsTest : public QObject
{
    Q_OBJECT

private slots:
    // Suggest replies and addresses
    void suggestReplyIsReadAsDataWithTypeTextForMissingExchange();
    void suggestReplyThatIsNoObjectIsRejected();
    void suggestTextsComeWithoutSurroundingBlanks();
    void suggestedSymbolsThatCouldNotBeStoredAreRefusedWithAReason_data();
    void suggestedSymbolsThatCouldNotBeStoredAreRefusedWithAReason();
    void addressesEncodeTheTypedTextAndSymbol();
    // Search dialog
    void searchDialogSettings();
    void eachKeystrokeAsksAndOnlyTheNewestAnswerIsShown();
    void doubleClickAddsTheMatchOnceAndCloses();
    void apostropheInANameIsStored();
    // Waiting lookups
    void symbolListGivesCompletionTexts();
    void lookupsGiveUpAfterTheTimeLimit();
    void quoteLineIsReadAsCsv_data();
    void quoteLineIsReadAsCsv();
    void quoteLineRedirectsAreFollowed();
    void simulatorAnswersSuggestAndQuoteLine();
    // Symbol manager
    void managerListsSymbolsWithTheFirstSelected();
    void deletingRemovesTheSymbolAndItsNewsOnly();
    void deleteWithoutCurrentRowOnlyReloads();
};

void SymbolsTest::suggestReplyIsReadAsDataWithTypeTextForMissingExchange()
{
    const QByteArray body =
        MarketDataFixture::suggestReply("app", {{"AAPL", "Apple Inc.", "NMS", "Equity"},
                                                {"^GSPC", "S&P 500 (Index)", "", "Index"}});
    const auto matches = SymbolLookup::parseSuggestReply(body);
    QVERIFY(matches.has_value());
    QCOMPARE(matches->size(), 2);
    QCOMPARE(matches->at(0).symbol, QString("AAPL"));
    QCOMPARE(matches->at(0).exchange, QString("NMS"));
    QCOMPARE(matches->at(1).name, QString("S&P 500 (Index)"));
    QCOMPARE(matches->at(1).exchange, QString("Index"));
    QCOMPARE(SymbolLookup::completionText(matches->at(0)), QString("AAPL (Apple Inc.)"));

    // UTF-8 names survive the byte-wise reading.
    const auto accented = SymbolLookup::parseSuggestReply(
        MarketDataFixture::suggestReply("nes", {{"NSRGY", "Nestlé S.A.", "PNK", "Equity"}}));
    QCOMPARE(accented->first().name, QString("Nestlé S.A."));
}

void SymbolsTest::suggestReplyThatIsNoObjectIsRejected()
{
    QVERIFY(!SymbolLookup::parseSuggestReply("cb(alert('x'))").has_value());
    QVERIFY(!SymbolLookup::parseSuggestReply("cb({\"ResultSet\":{\"Result\":5}})").has_value());
    QVERIFY(!SymbolLookup::parseSuggestReply("no wrapper at all").has_value());
    QVERIFY(!SymbolLookup::parseSuggestReply("").has_value());
    const auto empty =
        SymbolLookup::parseSuggestReply("cb({\"ResultSet\":{\"Query\":\"zz\",\"Result\":[]}})");
    QVERIFY(empty.has_value());
    QVERIFY(empty->isEmpty());
}

void SymbolsTest::suggestTextsComeWithoutSurroundingBlanks()
{
    const auto matches = SymbolLookup::parseSuggestReply(MarketDataFixture::suggestReply(
        "wts", {{" WTS.WS ", "Watsco Inc. (WTS) ", "NYQ ", "Equity"},
                {"WTS", "Watts Water Technologies ", "", " Equity "}}));
    QVERIFY(matches.has_value());
    QCOMPARE(matches->at(0).symbol, QString("WTS.WS"));
    QCOMPARE(matches->at(0).name, QString("Watsco Inc. (WTS)"));
    QCOMPARE(matches->at(0).exchange, QString("NYQ"));
    QCOMPARE(matches->at(1).exchange, QString("Equity"));
    QCOMPARE(SymbolLookup::completionText(matches->at(1)),
             QString("WTS (Watts Water Technologies)"));

    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    SymbolLookup::addSymbol(fixture.store(), matches->at(0));
    QCOMPARE(fixture.rows("SELECT symbol, companyName, exchange FROM symbols"),
             QStringList({"WTS.WS|Watsco Inc. (WTS)|NYQ"}));
}

void SymbolsTest::suggestedSymbolsThatCouldNotBeStoredAreRefusedWithAReason_data()
{
    QTest::addColumn<QByteArray>("symbol");
    QTest::addColumn<QString>("reason");
    QTest::newRow("NUL") << QByteArray("AB\\u0000C") << "a NUL character";
    QTest::newRow("NUL first") << QByteArray("\\u0000") << "a NUL character";
    QTest::newRow("line break") << QByteArray("AB\\nC") << "a control character";
    QTest::newRow("bar") << QByteArray("A|B") << "\"|\"";
}

void SymbolsTest::suggestedSymbolsThatCouldNotBeStoredAreRefusedWithAReason()
{
    QFETCH(QByteArray, symbol);
    QFETCH(QString, reason);
    LogCapture log;
    const auto matches = SymbolLookup::parseSuggestReply(
        "cb({\"ResultSet\":{\"Result\":[{\"symbol\":\"" + symbol +
        "\",\"name\":\"Odd\",\"exch\":\"X\"},{\"symbol\":\"IBM\",\"name\":\"IBM\","
        "\"exch\":\"NYQ\"}]}})");
    QVERIFY(matches.has_value());
    QCOMPARE(matches->size(), 1);
    QCOMPARE(matches->first().symbol, QString("IBM"));
    QVERIFY(log.contains("suggested symbol refused: it contains " + reason));
}

void SymbolsTest::addressesEncodeTheTypedTextAndSymbol()
{
    ServiceUrlOverride service("http://127.0.0.1:9");
    const QUrl suggest = SymbolLookup::suggestUrl("AT&T #1");
    QVERIFY(suggest.path().endsWith("/autoc"));
    const QUrlQuery query(suggest);
    QCOMPARE(query.queryItemValue("query", QUrl::FullyDecoded), QString("AT&T #1"));
    QCOMPARE(query.queryItemValue("callback"), QString("YAHOO.Finance.SymbolSuggest.ssCallback"));
    const QUrl line = SymbolLookup::quoteLineUrl("BRK+B&x=1");
    QCOMPARE(line.path(), QString("/d/quotes.csv"));
    QCOMPARE(QUrlQuery(line).queryItemValue("s", QUrl::FullyDecoded), QString("BRK+B&x=1"));
    QCOMPARE(QUrlQuery(line).queryItemValue("f"), QString("sx0l1n0"));
}

void SymbolsTest::searchDialogSettings()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    GSymbolSearchClass search;
    QCOMPARE(search.dialog()->windowTitle(), QString("Add Symbol"));
    QCOMPARE(search.dialog()->objectName(), QString("form"));
    QVERIFY(search.dialog()->maximumWidth() <= 350);
    QVERIFY(search.dialog()->maximumHeight() <= 220);
    QCOMPARE(search.searchEdit()->placeholderText(), QString("Search for symbol..."));
    QCOMPARE(search.resultGrid()->columnCount(), 3);
    QVERIFY(search.resultGrid()->horizontalHeader()->isHidden());
    QCOMPARE(search.resultGrid()->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void SymbolsTest::eachKeystrokeAsksAndOnlyTheNewestAnswerIsShown()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    ScriptedHttpServer server;
    const QString path =
        "/autoc.finance.yahoo.com/autoc?query=%1&callback=YAHOO.Finance.SymbolSuggest.ssCallback";
    ScriptedHttpServer::Reply slow;
    slow.body =
        MarketDataFixture::suggestReply("I", {{"INTC", "Intel Corporation", "NMS", "Equity"}});
    slow.delayMs = 600; // the answer to the first keystroke arrives last
    server.script(path.arg("I"), slow);
    server.scriptBody(
        path.arg("IB"),
        MarketDataFixture::suggestReply("IB", {{"IBKR", "Interactive Brokers", "NMS", "Equity"}}));
    server.scriptBody(path.arg("IBM"),
                      MarketDataFixture::suggestReply(
                          "IBM", {{"IBM", "International Business Machines", "NYQ", "Equity"}}));
    ServiceUrlOverride service(server.baseUrl());

    GSymbolSearchClass search;
    QTest::keyClicks(search.searchEdit(), "IBM");
    QTRY_COMPARE_WITH_TIMEOUT(server.requests().size(), 3, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(gridRow(search.resultGrid(), 0).value(0), QString("IBM"), 5000);
    QTest::qWait(900); // the slow answer for "I" has come and gone
    QCOMPARE(search.resultGrid()->rowCount(), 1);
    QCOMPARE(gridRow(search.resultGrid(), 0),
             QStringList({"IBM", "International Business Machines", "NYQ"}));
}

void SymbolsTest::doubleClickAddsTheMatchOnceAndCloses()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    ScriptedHttpServer server;
    server.scriptBody("/autoc.finance.yahoo.com/autoc",
                      MarketDataFixture::suggestReply("spx", {{"^GSPC", "S&P 500", "", "Index"}}));
    ServiceUrlOverride service(server.baseUrl());
    LogCapture log;

    for (int attempt = 0; attempt < 2; ++attempt) {
        GSymbolSearchClass search;
        whenShown(search.dialog(), [&search] {
            search.searchEdit()->setText("spx");
            QTRY_COMPARE_WITH_TIMEOUT(search.resultGrid()->rowCount(), 1, 5000);
            emit search.resultGrid()->cellDoubleClicked(0, 1);
        });
        search.exec();
        QVERIFY(!search.dialog()->isVisible());
    }
    QCOMPARE(fixture.rows("SELECT symbol, companyName, exchange FROM symbols"),
             QStringList({"^GSPC|S&P 500|Index"}));
    QVERIFY(log.contains("Duplicate symbol."));
}

void SymbolsTest::apostropheInANameIsStored()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    QCOMPARE(SymbolLookup::addSymbol(fixture.store(), {"MCD", "McDonald's Corporation", "NYQ"}),
             SymbolLookup::AddResult::Added);
    QCOMPARE(SymbolLookup::addSymbol(fixture.store(), {"O'X", "O'Brien | Sons", "L'X"}),
             SymbolLookup::AddResult::Added);
    QCOMPARE(SymbolLookup::addSymbol(fixture.store(), {"O'X", "again", ""}),
             SymbolLookup::AddResult::Duplicate);
    QCOMPARE(fixture.rows("SELECT symbol, companyName, exchange FROM symbols ORDER BY symbol"),
             QStringList({"MCD|McDonald's Corporation|NYQ", "O'X|O'Brien  Sons|L'X"}));
}

void SymbolsTest::symbolListGivesCompletionTexts()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    ScriptedHttpServer server;
    server.scriptBody(
        "/autoc.finance.yahoo.com/autoc",
        MarketDataFixture::suggestReply("ko", {{"KO", "The Coca-Cola Company", "NYQ", "Equity"},
                                               {"KOF", "Coca-Cola FEMSA", "NYQ", "Equity"}}));
    ServiceUrlOverride service(server.baseUrl());
    GSymbolSearchClass search;
    QCOMPARE(search.getSymbolList("ko"),
             QStringList({"KO (The Coca-Cola Company)", "KOF (Coca-Cola FEMSA)"}));

    server.scriptBody("/autoc.finance.yahoo.com/autoc", "garbage");
    LogCapture log;
    QVERIFY(search.getSymbolList("ko").isEmpty());
    QVERIFY(log.contains("cannot evaluate"));
}

void SymbolsTest::lookupsGiveUpAfterTheTimeLimit()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    ScriptedHttpServer server;
    ScriptedHttpServer::Reply silent;
    silent.neverAnswer = true;
    server.script("/autoc.finance.yahoo.com/autoc", silent);
    server.script("/d/quotes.csv", silent);
    ServiceUrlOverride service(server.baseUrl());

    GSymbolSearchClass search;
    search.setLookupTimeout(400);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(search.getSymbolList("ibm").isEmpty());
    QVERIFY(search.getSymbolStats("IBM").isEmpty());
    QVERIFY(clock.elapsed() < 5000);

    // The application waits ten seconds; a lookup made without a limit of its own takes the
    // process-wide bound.
    QCOMPARE(Requests::blockingWaitMs(), 10000);
    BlockingWaitOverride shorter(300);
    GSymbolSearchClass defaults;
    clock.restart();
    QVERIFY(defaults.getSymbolStats("IBM").isEmpty());
    QVERIFY(clock.elapsed() < 5000); // the application's ten seconds would exceed this
}

void SymbolsTest::quoteLineIsReadAsCsv_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("comma in a quoted name")
        << QByteArray("\"CSCO\",\"NMS\",27.40,\"Cisco Systems, Inc.\"\r\n")
        << QStringList({"CSCO", "NMS", "27.40", "Cisco Systems, Inc."});
    QTest::newRow("doubled quote") << QByteArray("\"XX\",\"N/A\",1.5,\"The \"\"Best\"\" Co\"\n")
                                   << QStringList({"XX", "N/A", "1.5", "The \"Best\" Co"});
    QTest::newRow("empty fields kept")
        << QByteArray("\"A\",,0.00,\"\"\r\n") << QStringList({"A", "", "0.00", ""});
    QTest::newRow("only the first line")
        << QByteArray("\"A\",\"X\",1,\"A Co\"\r\n\"B\",\"Y\",2,\"B Co\"\r\n")
        << QStringList({"A", "X", "1", "A Co"});
    QTest::newRow("no line end") << QByteArray("\"A\",\"X\",1,\"A Co\"")
                                 << QStringList({"A", "X", "1", "A Co"});
    QTest::newRow("empty reply") << QByteArray() << QStringList();
}

void SymbolsTest::quoteLineIsReadAsCsv()
{
    QFETCH(QByteArray, line);
    QFETCH(QStringList, fields);
    QCOMPARE(SymbolLookup::splitQuoteLine(line), fields);
}

void SymbolsTest::quoteLineRedirectsAreFollowed()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    ScriptedHttpServer server;
    server.scriptRedirect("/d/quotes.csv", "/d/moved.csv");
    server.scriptBody("/d/moved.csv", "\"CSCO\",\"NMS\",27.40,\"Cisco Systems, Inc.\"\r\n");
    ServiceUrlOverride service(server.baseUrl());
    GSymbolSearchClass search;
    QCOMPARE(search.getSymbolStats("CSCO"),
             QStringList({"CSCO", "NMS", "27.40", "Cisco Systems, Inc."}));
    QCOMPARE(server.requests().size(), 2);
}

void SymbolsTest::simulatorAnswersSuggestAndQuoteLine()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    SimProcess sim;
    QVERIFY(sim.isRunning());
    GSymbolSearchClass search;
    const QStringList apple = search.getSymbolList("aapl");
    QVERIFY(!apple.isEmpty());
    QCOMPARE(apple.first(), QString("AAPL (Apple Inc.)"));
    // Names match too, and indices come without an exchange.
    QVERIFY(search.getSymbolList("coca-cola").contains("KO (The Coca-Cola Company)"));
    GSymbolSearchClass grid;
    grid.searchEdit()->setText("^GSPC");
    QTRY_COMPARE_WITH_TIMEOUT(grid.resultGrid()->rowCount(), 1, 5000);
    QCOMPARE(gridRow(grid.resultGrid(), 0), QStringList({"^GSPC", "S&P 500", "Index"}));

    const QStringList cisco = search.getSymbolStats("CSCO");
    QCOMPARE(cisco.size(), 4);
    QCOMPARE(cisco.at(0), QString("CSCO"));
    QVERIFY(cisco.at(2).toDouble() > 0);
    QCOMPARE(cisco.at(3), QString("Cisco Systems, Inc."));
    QCOMPARE(search.getSymbolStats("ZZZZ9"), QStringList({"ZZZZ9", "N/A", "0.00", "ZZZZ9"}));
}

void SymbolsTest::managerListsSymbolsWithTheFirstSelected()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fixture.addSymbol("MSFT", "Microsoft Corporation", "NMS");
    fixture.addSymbol("AAPL", "Apple Inc.", "NMS");
    GManageSymbols manager;
    QCOMPARE(manager.dialog()->windowTitle(), QString("Manage Symbols"));
    QTableWidget *grid = manager.symbolGrid();
    QCOMPARE(grid->columnCount(), 3);
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QString("Name"));
    QCOMPARE(gridRow(grid, 0), QStringList({"AAPL", "Apple Inc.", "NMS"}));
    QCOMPARE(gridRow(grid, 1), QStringList({"MSFT", "Microsoft Corporation", "NMS"}));
    QCOMPARE(grid->currentRow(), 0);
    QCOMPARE(manager.selectedSymbol, QString("AAPL"));
}

void SymbolsTest::deletingRemovesTheSymbolAndItsNewsOnly()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fixture.addSymbol("AAPL", "Apple Inc.", "NMS");
    fixture.addSymbol("IBM", "IBM", "NYQ");
    GDatabaseClass &store = fixture.store();
    store.ExecSQL("INSERT INTO newsItems (feedId, pubDate, title, url, symbol) VALUES(1, 1, 'a', "
                  "'u1', 'AAPL')");
    store.ExecSQL("INSERT INTO newsItems (feedId, pubDate, title, url, symbol) VALUES(1, 1, 'b', "
                  "'u2', 'IBM')");
    store.ExecSQL("INSERT INTO fData (symbol, name, value) VALUES('AAPL','Bid','1')");
    store.ExecSQL("INSERT INTO qData (date, symbol, Open, High, Low, Close, Volume) "
                  "VALUES(20240102,'AAPL',1,1,1,1,1)");
    store.ExecSQL("INSERT INTO portfolio (symbol, transType) VALUES('AAPL','BUY')");
    store.ExecSQL("INSERT INTO watchedSymbols (symbol, listId) VALUES('AAPL',1)");
    store.ExecSQL("INSERT INTO alerts (symbol, column) VALUES('AAPL','Bid')");
    LogCapture log;

    GManageSymbols manager;
    manager.delSymbolBtnClick(); // row 0 is current right away
    QVERIFY(log.contains("Deleting: AAPL"));
    QCOMPARE(fixture.rows("SELECT symbol FROM symbols"), QStringList({"IBM"}));
    QCOMPARE(fixture.rows("SELECT symbol FROM newsItems"), QStringList({"IBM"}));
    for (const char *table : {"fData", "qData", "portfolio", "watchedSymbols", "alerts"})
        QVERIFY2(fixture.count(table) == 1, table);
    QCOMPARE(manager.symbolGrid()->rowCount(), 1);
}

void SymbolsTest::deleteWithoutCurrentRowOnlyReloads()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fixture.addSymbol("AAPL", "Apple Inc.", "NMS");
    GManageSymbols manager;
    manager.symbolGrid()->setCurrentCell(-1, -1);
    fixture.addSymbol("KO", "The Coca-Cola Company", "NYQ");
    manager.delSymbolBtnClick();
    QCOMPARE(fixture.count("symbols"), 2);
    QCOMPARE(manager.symbolGrid()->rowCount(), 2);
}

QTEST_MAIN(SymbolsTest)
#include "tst_symbols.moc"
