#include "charts/chartclass.h"
#include "charts/chartframeclass.h"
#include "portfolio/portfolioclass.h"
#include "portfolio/portfoliostore.h"
#include "portfolio/portfoliovaluation.h"
#include "support/portfoliofixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace PortfolioValuation;

namespace {

enum class Sign
{
    None,
    Green,
    Red
};

Sign signOf(const QTableWidgetItem *item)
{
    if (!item || item->foreground().style() == Qt::NoBrush)
        return Sign::None;
    const QColor colour = item->foreground().color();
    if (colour == QColor(Qt::green))
        return Sign::Green;
    if (colour == QColor(Qt::red))
        return Sign::Red;
    return Sign::None;
}

void select(QTableWidget *table, int row)
{
    table->clearSelection();
    table->selectRow(row);
}

} // namespace

class PortfolioTest : public QObject
{
    Q_OBJECT

private slots:
    void holdingIsValuedAtItsQuote_data();
    void holdingIsValuedAtItsQuote();
    void transactionValuesCountMoneyInAsPositive_data();
    void transactionValuesCountMoneyInAsPositive();
    void cashBalanceCountsDepositsTradesAndCosts();
    void emptyPortfolioShowsOnlyTotals();
    void holdingRowShowsItsFiguresAndColours();
    void unquotedHoldingHasNoGainAndIsLeftOutOfTotals();
    void twoHoldingsOfOneSymbolAreListedApart();
    void totalsRowSumsHoldingsAndCash();
    void transactionsTabListsCashRowsWithTotal();
    void deletingAsksFirstAndRefreshes();
    void rowsWithoutEntryCountAsNoSelection();
    void stockDetailsOpensAChartTab();
    void pageRefreshesOnItsTimer();
    void openingThePageShowsWhatWasStoredSinceItsLastRefresh();
    void refreshLeavesNothingOfTheEarlierFill();
    void alertsButtonOpensTheAlertList();
};

void PortfolioTest::holdingIsValuedAtItsQuote_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QStringList>("quote"); // last, change, percent; "-" = no row
    QTest::addColumn<double>("daysGain");
    QTest::addColumn<QString>("gain");        // "" = none
    QTest::addColumn<QString>("gainPercent"); // "" = none
    QTest::addColumn<double>("marketValue");

    QTest::newRow("100 at 10, costs 10, last 12")
        << "1|ACME|100|10|10" << QStringList{"12", "0.5", "+4.35%"} << 50.0 << "190"
        << "15.8333" << 1200.0;
    QTest::newRow("loss") << "2|ACME|10|20|0" << QStringList{"15", "-1", "-6.25%"} << -10.0 << "-50"
                          << "-33.3333" << 150.0;
    QTest::newRow("no quote row") << "3|NEW|100|10|10" << QStringList{"-", "-", "-"} << 0.0 << ""
                                  << "" << 0.0;
    QTest::newRow("price not a number")
        << "4|ACME|5|10|1" << QStringList{"N/A", "N/A", "N/A%"} << 0.0 << ""
        << "" << 0.0;
    QTest::newRow("garbled shares count as 0")
        << "5|ACME|lots|10|1" << QStringList{"12", "1", "+1%"} << 0.0 << "-1"
        << "" << 0.0;
    QTest::newRow("no shares: no gain percentage")
        << "6|ACME|-|10|0" << QStringList{"12", "0", "0%"} << 0.0 << "0"
        << "" << 0.0;
}

void PortfolioTest::holdingIsValuedAtItsQuote()
{
    QFETCH(QString, row);
    QFETCH(QStringList, quote);
    QFETCH(double, daysGain);
    QFETCH(QString, gain);
    QFETCH(QString, gainPercent);
    QFETCH(double, marketValue);

    QStringList quoteRows;
    const QStringList names{"LastTradePriceOnly", "Change", "PercentChange"};
    const QString symbol = row.section('|', 1, 1);
    for (int i = 0; i < 3; ++i) {
        if (quote.at(i) != "-")
            quoteRows << symbol + "|" + names.at(i) + "|" + quote.at(i);
    }
    // Another symbol's quote and a later duplicate never count.
    quoteRows << "OTHER|LastTradePriceOnly|99";
    if (quote.first() != "-")
        quoteRows << symbol + "|LastTradePriceOnly|1000";

    const Holding holding = valueHolding(row, readQuotes(quoteRows));
    QCOMPARE(holding.daysGain, daysGain);
    QCOMPARE(holding.gain ? plainNumber(*holding.gain) : QString(), gain);
    QCOMPARE(holding.gainPercent ? plainNumber(*holding.gainPercent) : QString(), gainPercent);
    QCOMPARE(holding.marketValue, marketValue);
    QVERIFY(std::isfinite(holding.gainPercent.value_or(0)));
}

void PortfolioTest::transactionValuesCountMoneyInAsPositive_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("cashEffect");
    QTest::newRow("sell") << "1|ACME|SELL|d|50|12|5" << 600.0 << 595.0;
    QTest::newRow("buy") << "2|ACME|BUY|d|100|10|10" << -1000.0 << -1010.0;
    QTest::newRow("deposit") << "3||DEPOSIT|d|1|5000|0" << 5000.0 << 5000.0;
    QTest::newRow("withdrawal") << "4||WITHDRAWL|d|1|250.5|0" << -250.5 << -250.5;
    QTest::newRow("garbled numbers") << "5|X|BUY|d|x||y" << 0.0 << 0.0;
}

void PortfolioTest::transactionValuesCountMoneyInAsPositive()
{
    QFETCH(QString, row);
    QFETCH(double, value);
    QFETCH(double, cashEffect);
    const Transaction transaction = valueTransaction(row);
    QCOMPARE(transaction.value, value);
    QCOMPARE(transaction.cashEffect, cashEffect);
}

void PortfolioTest::cashBalanceCountsDepositsTradesAndCosts()
{
    const QList<Transaction> transactions =
        valueTransactions({"1||DEPOSIT|d|1|5000|0", "2||WITHDRAWL|d|1|300|0",
                           "3|ACME|BUY|d|100|10|10", "4|ACME|SELL|d|40|12|7.5"});
    // 5000 − 300 − (1000 + 10) + (480 − 7.5)
    QCOMPARE(cashBalance(transactions), 4162.5);
    const Totals sums = totals({}, transactions);
    QCOMPARE(sums.cash, 4162.5);
    QCOMPARE(sums.transactionsValue, 4180.0); // costs are no part of the values
    QCOMPARE(cashBalance({}), 0.0);

    // The holdings refresh reads only the four fields the balance needs: same sums.
    const CashSums lean =
        sumCashRows({"DEPOSIT|1|5000|0", "WITHDRAWL|1|300|0", "BUY|100|10|10", "SELL|40|12|7.5"});
    QCOMPARE(lean.cash, 4162.5);
    QCOMPARE(lean.transactionsValue, 4180.0);
}

void PortfolioTest::emptyPortfolioShowsOnlyTotals()
{
    PortfolioFixture fixture;
    QVERIFY(fixture.open());
    QWidget host;
    PortfolioClass page(&host);

    QTableWidget *holdings = page.holdingsTable();
    QCOMPARE(holdings->rowCount(), 3);
    QCOMPARE(PortfolioFixture::rowTexts(holdings, 0), QStringList(11, QString()));
    QCOMPARE(PortfolioFixture::rowTexts(holdings, 1),
             QStringList({"", "Cash:", "", "", "", "", "", "", "", "", "$0"}));
    QCOMPARE(PortfolioFixture::rowTexts(holdings, 2),
             QStringList({"", "Total:", "", "", "", "$0", "", "", "$0", "0%", "$0"}));
    QCOMPARE(signOf(holdings->item(1, 10)), Sign::None);

    QTableWidget *transactions = page.transactionsTable();
    QCOMPARE(transactions->rowCount(), 1);
    QCOMPARE(PortfolioFixture::rowTexts(transactions, 0),
             QStringList({"", "", "", "", "", "", "Total:", "$ 0"}));
    QCOMPARE(transactions->item(0, 6)->textAlignment(), int(Qt::AlignCenter));
    QVERIFY(page.statusLabel()->text().startsWith("Last updated "));
    QCOMPARE(page.statusLabel()->objectName(), QString("updateLabel"));
}

void PortfolioTest::holdingRowShowsItsFiguresAndColours()
{
    PortfolioFixture fixture;
    QVERIFY(fixture.open());
    fixture.addEntry("ACME", "LONG", "100", "10", "10");
    fixture.addQuote("ACME", "12", "0.5", "+4.35%");
    fixture.addEntry("DOWN", "SHORT", "10", "20", "0");
    fixture.addQuote("DOWN", "15", "-1", "-6.25%");
    fixture.addEntry("FLAT", "LONG", "1", "1000", "0");
    fixture.addQuote("FLAT", "1234.5", "0", "0.00%");
    QWidget host;
    PortfolioClass page(&host);
    QTableWidget *table = page.holdingsTable();
    QCOMPARE(table->rowCount(), 6);

    QStringList acme = PortfolioFixture::rowTexts(table, 0);
    acme.removeFirst(); // the id
    QCOMPARE(acme, QStringList({"ACME", "12", "0.5", "4.35%", "$50", "100", "10", "$190",
                                "15.8333%", "$1200"}));
    for (int column : {3, 4, 5, 8, 9})
        QCOMPARE(signOf(table->item(0, column)), Sign::Green);
    for (int column : {1, 2, 6, 7, 10})
        QCOMPARE(signOf(table->item(0, column)), Sign::None);
    QCOMPARE(table->item(0, 2)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    QVERIFY(!table->item(0, 1)->icon().isNull());

    for (int column : {3, 4, 5, 8, 9})
        QCOMPARE(signOf(table->item(1, column)), Sign::Red);
    // A change of exactly 0 keeps the default colour; the last price uses the locale's grouping.
    for (int column : {3, 4, 5})
        QCOMPARE(signOf(table->item(2, column)), Sign::None);
    QCOMPARE(table->item(2, 2)->text(), QLocale().toString(1234.5, 'g', 6));
}

void PortfolioTest::unquotedHoldingHasNoGainAndIsLeftOutOfTotals()
{
    PortfolioFixture fixture;
    QVERIFY(fixture.open());
    fixture.addEntry("ACME", "LONG", "100", "10", "10");
    fixture.addQuote("ACME", "12", "0.5", "+4.35%");
    fixture.addEntry("NEW", "LONG", "100", "10", "10");
    QWidget host;
    PortfolioClass page(&host);
    QTableWidget *table = page.holdingsTable();
    QCOMPARE(table->item(1, 1)->text(), QString("NEW"));
    QCOMPARE(table->item(1, 2)->text(), QString("0"));
    QVERIFY(!table->item(1, 8));
    QVERIFY(!table->item(1, 9)); // never "inf" or "nan"
    QCOMPARE(table->item(1, 10)->text(), QString("$0"));
    QVERIFY(!table->item(1, 2)->toolTip().isEmpty());
    const int total = table->rowCount() - 1;
    QCOMPARE(table->item(total, 4)->text(), QString("4.35%"));
    QCOMPARE(table->item(total, 8)->text(), QString("$190"));
    QCOMPARE(table->item(total, 9)->text(), QString("15.8333%"));
}

void PortfolioTest::twoHoldingsOfOneSymbolAreListedApart()
{
    PortfolioFixture fixture;
    QVERIFY(fixture.open());
    fixture.addEntry("ACME", "LONG", "100", "10", "10");
    fixture.addEntry("ACME", "LONG", "50", "14", "0");
    fixture.addQuote("ACME", "12", "0.5", "+4.35%");
    QWidget host;
    PortfolioClass page(&host);
    QTableWidget *table = page.holdingsTable();
    QCOMPARE(table->rowCount(), 5);
    QCOMPARE(table->item(0, 8)->text(), QString("$190"));
    QCOMPARE(table->item(1, 8)->text(), QString("$-100"));
    QCOMPARE(signOf(table->item(1, 8)), Sign::Red);
    QCOMPARE(table->item(4, 8)->text(), QString("$90"));
    // Each holding counts once in the percent total, whatever its cash rows.
    QCOMPARE(table->item(4, 4)->text(), QString("8.7%"));
}

void PortfolioTest::totalsRowSumsHoldingsAndCash()
{
    PortfolioFixture fixture;
    QVERIFY(fixture.open());
    fixture.addEntry("ACME", "LONG", "100", "10", "10");
    fixture.addEntry("ACME", "BUY", "100", "10", "10");
    fixture.addEntry("", "DEPOSIT", "1", "5000", "0");
    fixture.addQuote("ACME", "12", "-0.25", "-2.04%");
    QWidget host;
    PortfolioClass page(&host);
    QTableWidget *table = page.holdingsTable();
    QCOMPARE(table->rowCount(), 4);
    QCOMPARE(table->item(2, 1)->text(), QString("Cash:"));
    QCOMPARE(table->item(2, 10)->text(), QString("$3990"));
    QCOMPARE(signOf(table->item(2, 10)), Sign::Green);
    QCOMPARE(
        PortfolioFixture::rowTexts(table, 3),
        QStringList({"", "Total:", "", "", "-2.04%", "$-25", "", "", "$190", "15.8333%", "$5190"}));
    QCOMPARE(signOf(table->item(3, 5)), Sign::Red);
    QCOMPARE(signOf(table->item(3, 4)), Sign::None);
    QCOMPARE(signOf(table->item(3, 9)), Sign::None);

    // Overdrawn: the cash reads red.
    fixture.addEntry("", "WITHDRAWL", "1", "10000", "0");
    page.displayPortfolio();
    QCOMPARE(table->item(2, 10)->text(), QString("$-6010"));
    QCOMPARE(signOf(table->item(2, 10)), Sign::Red);
}

void PortfolioTest::transactionsTabListsCashRowsWithTotal()
{
    PortfolioFixture fixture;
    QVERIFY(fixture.open());
    const qint64 buy = fixture.addEntry("ACME", "BUY", "100", "10", "10", "Mon Dec 7 2026");
    fixture.addEntry("ACME", "SELL", "50", "12", "5");
    fixture.addEntry("ACME", "LONG", "100", "10", "10");
    QWidget host;
    PortfolioClass page(&host);
    QTableWidget *table = page.transactionsTable();
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(PortfolioFixture::rowTexts(table, 0),
             QStringList({QString::number(buy), "ACME", "BUY", "Mon Dec 7 2026", "100", "10", "10",
                          "-1000"}));
    QCOMPARE(table->item(1, 7)->text(), QString("600"));
    QCOMPARE(PortfolioFixture::rowTexts(table, 2),
             QStringList({"", "", "", "", "", "", "Total:", "$ -400"}));
    QCOMPARE(signOf(table->item(0, 7)), Sign::None);

    fixture.addEntry("", "DEPOSIT", "1", "5000", "0");
    fixture.addEntry("", "WITHDRAWL", "1", "100", "0");
    page.displayTransactions();
    QCOMPARE(table->rowCount(), 5);
    // Ordered by symbol: the cash rows without one come first.
    QCOMPARE(table->item(0, 2)->text(), QString("DEPOSIT"));
    QCOMPARE(table->item(0, 7)->text(), QString("5000"));
    QCOMPARE(table->item(1, 7)->text(), QString("-100"));
    QCOMPARE(table->item(4, 7)->text(), QString("$ 4500"));
}

void PortfolioTest::deletingAsksFirstAndRefreshes()
{
    PortfolioFixture fixture;
    QVERIFY(fixture.open());
    fixture.addEntry("ACME", "BUY", "100", "10", "10");
    fixture.addEntry("", "DEPOSIT", "1", "5000", "0");
    QWidget host;
    PortfolioClass page(&host);
    QTableWidget *table = page.transactionsTable();
    QCOMPARE(page.holdingsTable()->item(1, 10)->text(), QString("$3990"));

    select(table, 1); // ACME, after the deposit
    fixture.boxes().answer("Delete", QMessageBox::No);
    page.delTransClick();
    QCOMPARE(fixture.count("portfolio"), 2);
    const MessageBoxes::Box asked = fixture.boxes().shown().last();
    QCOMPARE(asked.text, QString("Are you sure you want to delete ACME"));
    QCOMPARE(asked.informativeText, QString("This action will remove the transaction completely."));
    QCOMPARE(asked.defaultButton, QMessageBox::No);

    select(table, 1);
    fixture.boxes().answer("Delete", QMessageBox::Yes);
    page.delTransClick();
    QCOMPARE(fixture.count("portfolio"), 1);
    QCOMPARE(table->rowCount(), 2);
    // The cash balance follows at once.
    QCOMPARE(page.holdingsTable()->item(1, 10)->text(), QString("$5000"));

    // A deposit has no symbol: the question names its type.
    select(table, 0);
    page.delTransClick();
    QCOMPARE(fixture.boxes().shown().last().text,
             QString("Are you sure you want to delete DEPOSIT"));
    QCOMPARE(fixture.count("portfolio"), 0);
}

void PortfolioTest::rowsWithoutEntryCountAsNoSelection()
{
    PortfolioFixture fixture;
    QVERIFY(fixture.open());
    fixture.addEntry("ACME", "LONG", "100", "10", "10");
    fixture.addEntry("ACME", "BUY", "100", "10", "10");
    QWidget host;
    PortfolioClass page(&host);

    // Nothing selected, then the blank, cash and total rows of the Overview tab.
    for (int row : {-1, 1, 2, 3}) {
        fixture.boxes().clear();
        select(page.holdingsTable(), row);
        page.sellStockClick();
        QCOMPARE(fixture.boxes().shown().size(), 1);
        QCOMPARE(fixture.boxes().shown().first().text, QString("No transaction selected!"));
        QCOMPARE(fixture.boxes().shown().first().informativeText,
                 QString("Please select a transaction from the Portfolio Table before clicking "
                         "Sell."));
    }
    for (int row : {-1, 1}) {
        fixture.boxes().clear();
        select(page.transactionsTable(), row);
        page.delTransClick();
        QCOMPARE(fixture.boxes().shown().size(), 1);
        QCOMPARE(fixture.boxes().shown().first().informativeText,
                 QString("Please select an entry from the Transaction Table before clicking Del "
                         "Transaction."));
    }
    fixture.boxes().clear();
    select(page.holdingsTable(), 3);
    page.stockDetailsClick();
    QCOMPARE(fixture.boxes().shown().size(), 1);
    QCOMPARE(fixture.count("portfolio"), 2);
}

void PortfolioTest::stockDetailsOpensAChartTab()
{
    PortfolioFixture fixture;
    QVERIFY(fixture.open());
    ServiceUrlOverride offline("http://127.0.0.1:9"); // the chart's download fails quietly
    fixture.addEntry("ACME", "LONG", "100", "10", "10");
    QWidget chartHost;
    ChartClass charts(&chartHost);
    ChartClass::setInstance(&charts);
    QWidget host;
    PortfolioClass page(&host);
    QSignalSpy rowWanted(&page, &PortfolioClass::changeListWidgetRow);

    select(page.holdingsTable(), 0);
    page.detailsButton()->click();
    QCOMPARE(charts.tabs()->count(), 2);
    QCOMPARE(charts.tabs()->currentIndex(), 1);
    QCOMPARE(charts.latestChart()->symbolBox()->currentText(), QString("ACME"));
    QCOMPARE(rowWanted.size(), 1);
    QCOMPARE(rowWanted.first().first().toInt(), 1);
    ChartClass::setInstance(nullptr);
}

void PortfolioTest::refreshLeavesNothingOfTheEarlierFill()
{
    PortfolioFixture fixture;
    QVERIFY(fixture.open());
    fixture.addEntry("ACME", "LONG", "100", "10", "10");
    fixture.addQuote("ACME", "12", "-1", "-7.7%");
    const qint64 gone = fixture.addEntry("BETA", "LONG", "5", "10", "0");
    fixture.addEntry("CORP", "LONG", "1", "10", "0"); // not quoted yet
    fixture.addEntry("", "DEPOSIT", "1", "1000", "0");
    fixture.addEntry("ACME", "BUY", "100", "10", "10");
    QWidget host;
    PortfolioClass page(&host);
    QTableWidget *holdings = page.holdingsTable();
    QTableWidget *transactions = page.transactionsTable();
    QCOMPARE(signOf(holdings->item(0, 3)), Sign::Red);
    QVERIFY(!holdings->item(2, 2)->toolTip().isEmpty());
    QVERIFY(!holdings->item(2, 8));

    // The day's change goes to 0, CORP gets its first price, BETA is sold off: the rows move up
    // and the old rows' colours, tips and cells must not stay behind.
    fixture.store().ExecSQL("DELETE FROM fData WHERE symbol='ACME'");
    fixture.addQuote("ACME", "12", "0", "0%");
    fixture.addQuote("CORP", "11", "1", "10%");
    fixture.store().ExecSQL(QString("DELETE FROM portfolio WHERE id=%1").arg(gone));
    fixture.addEntry("AAA", "DEPOSIT", "1", "5", "0"); // sorts first: every row shifts
    page.displayPortfolio();
    page.displayTransactions();

    QCOMPARE(holdings->rowCount(), 5);
    for (int column : {3, 4, 5})
        QCOMPARE(signOf(holdings->item(0, column)), Sign::None);
    QCOMPARE(holdings->item(1, 1)->text(), QString("CORP"));
    QVERIFY(holdings->item(1, 2)->toolTip().isEmpty());
    QCOMPARE(holdings->item(1, 8)->text(), QString("$1"));
    QCOMPARE(signOf(holdings->item(1, 8)), Sign::Green);
    QCOMPARE(PortfolioFixture::rowTexts(holdings, 2), QStringList(11, QString()));
    QCOMPARE(PortfolioFixture::rowTexts(holdings, 3),
             QStringList({"", "Cash:", "", "", "", "", "", "", "", "", "$-5"}));
    QVERIFY(holdings->item(3, 1)->icon().isNull());
    QCOMPARE(holdings->item(4, 1)->text(), QString("Total:"));

    QCOMPARE(transactions->rowCount(), 4);
    QCOMPARE(transactions->item(1, 1)->text(), QString("AAA"));
    QCOMPARE(transactions->item(2, 2)->text(), QString("BUY"));
    QCOMPARE(PortfolioFixture::rowTexts(transactions, 3).mid(0, 6), QStringList(6, QString()));
    QCOMPARE(transactions->item(3, 7)->text(), QString("$ 5")); // costs are no part of it
}

void PortfolioTest::pageRefreshesOnItsTimer()
{
    PortfolioFixture fixture;
    QVERIFY(fixture.open());
    QWidget host;
    PortfolioClass page(&host);
    QCOMPARE(page.refreshTimer()->interval(), 120000);
    QVERIFY(page.refreshTimer()->isActive());
    fixture.addEntry("ACME", "LONG", "100", "10", "10");
    QCOMPARE(page.holdingsTable()->rowCount(), 3);
    page.refreshTimer()->setInterval(20);
    QTRY_COMPARE(page.holdingsTable()->rowCount(), 4);
    // The page fills the container it is given.
    QCOMPARE(host.layout()->indexOf(&page), 0);
}

void PortfolioTest::openingThePageShowsWhatWasStoredSinceItsLastRefresh()
{
    PortfolioFixture fixture;
    QVERIFY(fixture.open());
    QWidget host;
    PortfolioClass page(&host);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QCOMPARE(page.holdingsTable()->rowCount(), 3);

    // Stored while another page is in front.
    page.hide();
    fixture.addEntry("ACME", "LONG", "100", "10", "10");
    page.show();
    QCOMPARE(page.holdingsTable()->rowCount(), 4);
}

void PortfolioTest::alertsButtonOpensTheAlertList()
{
    PortfolioFixture fixture;
    QVERIFY(fixture.open());
    QWidget host;
    PortfolioClass page(&host);
    QString opened;
    QTimer::singleShot(0, &page, [&opened] {
        QWidget *modal = QApplication::activeModalWidget();
        opened = modal ? modal->objectName() : QString();
        if (modal)
            modal->close();
    });
    page.alertsButton()->click();
    QCOMPARE(opened, QString("manageAlertDialog"));
}

QTEST_MAIN(PortfolioTest)
#include "tst_portfolio.moc"
