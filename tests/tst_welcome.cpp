#include "app/mainwindow.h"
#include "marketdata/fundgrid.h"
#include "marketdata/welcomeclass.h"
#include "support/marketdatafixture.h"
#include "support/scriptedhttpserver.h"
#include "support/simprocess.h"

#include <QFrame>
#include <QHeaderView>
#include <QLayout>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

QStringList headers(const QTableWidget *grid)
{
    QStringList texts;
    for (int column = 0; column < grid->columnCount(); ++column)
        texts << grid->horizontalHeaderItem(column)->text();
    return texts;
}

QStringList column(const QTableWidget *grid, int index)
{
    QStringList texts;
    for (int row = 0; row < grid->rowCount(); ++row)
        texts << (grid->item(row, index) ? grid->item(row, index)->text() : QString());
    return texts;
}

// Two symbols with a snapshot and one without; fields Last (1), Name (2), Change % (3), Bid hidden.
void fillStore(MarketDataFixture &fixture)
{
    fixture.addSymbol("MSFT");
    fixture.addSymbol("AAPL");
    fixture.addSymbol("NEW");
    fixture.addField("LastTradePriceOnly", "Last", "right", 1);
    fixture.addField("Name", "Name", "left", 2);
    fixture.addField("ChangeinPercent", "Change %", "center", 3);
    fixture.addField("Bid", "Bid", "right", 99);
    fixture.addField("Symbol", "Symbol", "left", 4);
    for (const auto &[symbol, last, name, change] :
         {std::tuple{"AAPL", "185.10", "Apple Inc.", "+1.25%"},
          std::tuple{"MSFT", "401.20", "Microsoft", "-0.40%"}}) {
        fixture.addSnapshotValue(symbol, "LastTradePriceOnly", last);
        fixture.addSnapshotValue(symbol, "Name", name);
        fixture.addSnapshotValue(symbol, "ChangeinPercent", change);
        fixture.addSnapshotValue(symbol, "Bid", "1");
        fixture.addSnapshotValue(symbol, "Symbol", symbol);
    }
}

} // namespace

class WelcomeTest : public QObject
{
    Q_OBJECT

private slots:
    void pageHasItsTopBarButtonsAndQuoteTimer();
    void gridShowsChosenFieldsInOrderWithTheirAlignment();
    void symbolWithoutSnapshotKeepsOnlyItsSymbolCell();
    void eachValueStandsUnderItsOwnFieldsHeader();
    void headerClicksRecordAndApplyTheOrder();
    void cellValuesSortAsNumbersWhereTheyAreNumbers();
    void mainWindowCreatesThePageOnItsStackedPage();
    void followedSymbolsAppearWithinSecondsAgainstTheSimulator();
};

void WelcomeTest::pageHasItsTopBarButtonsAndQuoteTimer()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    ServiceUrlOverride service("http://127.0.0.1:9");
    QWidget container;
    auto *page = new WelcomeClass(&container);
    auto *bar = page->findChild<QFrame *>("topFrame");
    QVERIFY(bar);
    QCOMPARE(bar->height(), 40);
    const QList<QToolButton *> buttons = bar->findChildren<QToolButton *>();
    QCOMPARE(buttons.size(), 2);
    QCOMPARE(buttons.at(0)->text(), QString("&Add Another Symbol"));
    QCOMPARE(buttons.at(0)->objectName(), QString("smallBtn"));
    QCOMPARE(buttons.at(1)->objectName(), QString("smallBtn"));
    QVERIFY(!buttons.at(0)->icon().isNull());
    QVERIFY(page->quoteTimer()->isActive());
    QCOMPARE(page->quoteTimer()->interval(), 120000);
    QCOMPARE(page->sortColumn, QString("Symbol"));
    QCOMPARE(page->sortOrder, QString("ASC"));
    QVERIFY(container.layout() && container.layout()->indexOf(page) >= 0);
    QVERIFY(page->fundGrid()->verticalHeader()->isHidden());
    QCOMPARE(page->fundGrid()->selectionBehavior(), QAbstractItemView::SelectRows);
}

void WelcomeTest::gridShowsChosenFieldsInOrderWithTheirAlignment()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fillStore(fixture);
    ServiceUrlOverride service("http://127.0.0.1:9");
    WelcomeClass page;
    QCOMPARE(page.fundGrid()->rowCount(), 0); // empty until the first quote reply
    page.refillFundGrid();
    QTableWidget *grid = page.fundGrid();
    QCOMPARE(headers(grid), QStringList({"Symbol", "Last", "Name", "Change %"}));
    QCOMPARE(column(grid, 0), QStringList({"AAPL", "MSFT", "NEW"}));
    QCOMPARE(column(grid, 1), QStringList({"185.10", "401.20", ""}));
    QCOMPARE(grid->item(0, 1)->textAlignment() & Qt::AlignHorizontal_Mask, int(Qt::AlignRight));
    QCOMPARE(grid->item(0, 2)->textAlignment() & Qt::AlignHorizontal_Mask, int(Qt::AlignLeft));
    QCOMPARE(grid->item(0, 3)->textAlignment() & Qt::AlignHorizontal_Mask, int(Qt::AlignHCenter));
    // Rises in green, falls in red.
    QVERIFY(grid->item(0, 3)->foreground().color().green() >
            grid->item(0, 3)->foreground().color().red());
    QVERIFY(grid->item(1, 3)->foreground().color().red() >
            grid->item(1, 3)->foreground().color().green());
    QCOMPARE(page.currentSymbol, QString("AAPL"));
    QCOMPARE(grid->horizontalHeader()->sectionResizeMode(2), QHeaderView::Stretch);
}

void WelcomeTest::symbolWithoutSnapshotKeepsOnlyItsSymbolCell()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fillStore(fixture);
    const FundGrid::Table table = FundGrid::load(fixture.store());
    QCOMPARE(table.rows.size(), 3);
    QCOMPARE(table.rows.at(2).symbol, QString("NEW"));
    QCOMPARE(table.rows.at(2).cells.size(), 3);
    for (const FundGrid::Cell &cell : table.rows.at(2).cells)
        QVERIFY(cell.value.isEmpty());
    // The last symbol has no snapshot; the others keep their columns all the same.
    QCOMPARE(table.headers, QStringList({"Symbol", "Last", "Name", "Change %"}));
}

void WelcomeTest::eachValueStandsUnderItsOwnFieldsHeader()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fillStore(fixture);
    // KO's snapshot lacks the middle field, ZZ's the first; BRK has one only the others lack.
    fixture.addSymbol("KO");
    fixture.addSnapshotValue("KO", "LastTradePriceOnly", "60.10");
    fixture.addSnapshotValue("KO", "ChangeinPercent", "+0.20%");
    fixture.addSymbol("ZZ");
    fixture.addSnapshotValue("ZZ", "Name", "Zed Corp");
    fixture.addField("PERatio", "P/E", "right", 5);
    fixture.addSymbol("BRK");
    fixture.addSnapshotValue("BRK", "PERatio", "9.5");

    const FundGrid::Table table = FundGrid::load(fixture.store());
    QCOMPARE(table.headers, QStringList({"Symbol", "Last", "Name", "Change %", "P/E"}));
    const auto cells = [&](const QString &symbol) {
        QStringList values;
        for (const FundGrid::Row &row : table.rows) {
            if (row.symbol == symbol) {
                for (const FundGrid::Cell &cell : row.cells)
                    values << cell.value;
            }
        }
        return values;
    };
    QCOMPARE(cells("AAPL"), QStringList({"185.10", "Apple Inc.", "+1.25%", ""}));
    QCOMPARE(cells("KO"), QStringList({"60.10", "", "+0.20%", ""}));
    QCOMPARE(cells("ZZ"), QStringList({"", "Zed Corp", "", ""}));
    QCOMPARE(cells("BRK"), QStringList({"", "", "", "9.5"}));

    ServiceUrlOverride service("http://127.0.0.1:9");
    WelcomeClass page;
    page.refillFundGrid();
    QTableWidget *grid = page.fundGrid();
    QCOMPARE(headers(grid), table.headers);
    QCOMPARE(column(grid, 0), QStringList({"AAPL", "BRK", "KO", "MSFT", "NEW", "ZZ"}));
    QCOMPARE(column(grid, 2), QStringList({"Apple Inc.", "", "", "Microsoft", "", "Zed Corp"}));
    QCOMPARE(column(grid, 3), QStringList({"+1.25%", "", "+0.20%", "-0.40%", "", ""}));
    QCOMPARE(grid->item(2, 3)->textAlignment() & Qt::AlignHorizontal_Mask, int(Qt::AlignHCenter));
}

void WelcomeTest::headerClicksRecordAndApplyTheOrder()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    fillStore(fixture);
    ServiceUrlOverride service("http://127.0.0.1:9");
    WelcomeClass page;
    page.refillFundGrid();
    QHeaderView *header = page.fundGrid()->horizontalHeader();

    emit header->sectionClicked(1); // "Last"
    QCOMPARE(page.sortColumn, QString("Last"));
    QCOMPARE(page.sortOrder, QString("ASC"));
    QCOMPARE(column(page.fundGrid(), 0), QStringList({"AAPL", "MSFT", "NEW"}));
    emit header->sectionClicked(1);
    QCOMPARE(page.sortOrder, QString("DESC"));
    QCOMPARE(column(page.fundGrid(), 0),
             QStringList({"MSFT", "AAPL", "NEW"})); // no value stays last
    emit header->sectionClicked(0);
    QCOMPARE(page.sortColumn, QString("Symbol"));
    QCOMPARE(page.sortOrder, QString("ASC"));
    emit header->sectionClicked(0);
    QCOMPARE(page.sortOrder, QString("DESC"));
    QCOMPARE(column(page.fundGrid(), 0), QStringList({"NEW", "MSFT", "AAPL"}));
}

void WelcomeTest::cellValuesSortAsNumbersWhereTheyAreNumbers()
{
    double value = 0;
    QVERIFY(FundGrid::numericValue("+1.25%", &value));
    QCOMPARE(value, 1.25);
    QVERIFY(FundGrid::numericValue("583.2B", &value));
    QCOMPARE(value, 583.2e9);
    QVERIFY(FundGrid::numericValue("-0.40", &value));
    QCOMPARE(value, -0.4);
    QVERIFY(!FundGrid::numericValue(" - ", &value));
    QVERIFY(!FundGrid::numericValue("Apple Inc.", &value));
    QCOMPARE(FundGrid::signOf("+0.10"), 1);
    QCOMPARE(FundGrid::signOf("-3%"), -1);
    QCOMPARE(FundGrid::signOf("12.5"), 0);
    QCOMPARE(FundGrid::signOf(" - "), 0);

    FundGrid::Table table{{"Symbol", "Cap"},
                          {{"A", {{"9.5M", {}}}}, {"B", {{"1.2B", {}}}}, {"C", {{" - ", {}}}}}};
    FundGrid::sortRows(table, "Cap", Qt::DescendingOrder);
    QCOMPARE(table.rows.at(0).symbol, QString("B"));
    QCOMPARE(table.rows.at(2).symbol, QString("C"));
}

void WelcomeTest::mainWindowCreatesThePageOnItsStackedPage()
{
    StoreFixture fixture;
    ServiceUrlOverride service("http://127.0.0.1:9");
    MainWindow window;
    QWidget *stackedPage = window.findChild<QWidget *>("page_3");
    QVERIFY(stackedPage);
    auto *page = stackedPage->findChild<WelcomeClass *>();
    QVERIFY(page);
    QCOMPARE(window.findChildren<WelcomeClass *>().size(), 1);
    const QStringList splash = window.splashMessagesShown();
    QVERIFY(splash.contains("Loading FundamentalClass."));
}

void WelcomeTest::followedSymbolsAppearWithinSecondsAgainstTheSimulator()
{
    SimProcess sim;
    QVERIFY(sim.isRunning());
    MarketDataFixture fixture;
    fixture.storeFixture().boxes().answer("Populate Database?", QMessageBox::Yes);
    QVERIFY(fixture.open());
    const QStringList followed = fixture.rows("SELECT symbol FROM symbols ORDER BY symbol");
    QVERIFY(followed.size() >= 10);

    WelcomeClass page;
    QSignalSpy refilled(&page, &WelcomeClass::fundGridRefilled);
    QVERIFY(refilled.wait(5000));
    QTableWidget *grid = page.fundGrid();
    QCOMPARE(column(grid, 0), followed);
    const QStringList shown =
        fixture.rows("SELECT name FROM fields WHERE pos<99 AND code<>'Symbol' ORDER BY pos");
    QCOMPARE(headers(grid), QStringList{"Symbol"} + shown);
    const int last = int(headers(grid).indexOf("Last"));
    QVERIFY(last > 0);
    for (int row = 0; row < grid->rowCount(); ++row)
        QVERIFY2(grid->item(row, last)->text().toDouble() > 0, qPrintable(column(grid, 0).at(row)));
    // Every followed symbol, watched ones included, got its fields.
    QCOMPARE(fixture.rows("SELECT COUNT(DISTINCT symbol) FROM fData"),
             QStringList({QString::number(followed.size())}));
}

QTEST_MAIN(WelcomeTest)
#include "tst_welcome.moc"
