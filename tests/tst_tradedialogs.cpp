#include "portfolio/buystockclass.h"
#include "portfolio/cashtransactionclass.h"
#include "portfolio/portfoliostore.h"
#include "portfolio/sellstockclass.h"
#include "portfolio/tradeentry.h"
#include "portfolio/tradelookups.h"
#include "support/portfoliofixture.h"
#include "support/scriptedhttpserver.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringListModel>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

const QString SuggestPath = "/autoc.finance.yahoo.com/autoc";
const QString Callback = "&callback=YAHOO.Finance.SymbolSuggest.ssCallback";

QString suggestTarget(const QString &query)
{
    return SuggestPath + "?query=" + query + Callback;
}

QStringList completions(const TradeLookups *lookups)
{
    auto *model = qobject_cast<QStringListModel *>(lookups->completer()->model());
    return model ? model->stringList() : QStringList();
}

void fill(const TradeForm &form, const QString &symbol, const QString &shares, const QString &price,
          const QString &costs)
{
    form.symbolEdit->setText(symbol);
    form.sharesEdit->setText(shares);
    form.priceEdit->setText(price);
    form.costsEdit->setText(costs);
}

} // namespace

class TradeDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void buyDialogStartsWithItsDefaults();
    void buyingWritesHoldingAndCashRow();
    void buyingWithoutCashUpdateWritesTheHoldingOnly();
    void apostrophesAndBarsNeverBreakAStatement();
    void aPurchaseTheStoreRefusesStoresNothingAndKeepsTheDialogOpen();
    void aSaleTheStoreRefusesStoresNothingAndKeepsTheDialogOpen();
    void okRefusesBadInput_data();
    void okRefusesBadInput();
    void localeDecimalMarkIsAccepted();
    void sellReducesOrClosesTheHolding_data();
    void sellReducesOrClosesTheHolding();
    void sellingMoreThanHeldIsRefused();
    void sellingAVanishedHoldingStoresNothing();
    void sellDialogIsFilledFromTheHolding();
    void cashDialogRecordsDepositsAndWithdrawals();
    void suggestionLeavesOnlyTheSymbol();
    void fastTypingNeverNestsLookupsAndDropsLateAnswers();
    void livePriceFillsThePriceField();
    void livePriceNeverOverwritesNewerText();
    void livePriceGivesUpAfterTheWaitLimit();

private:
    std::unique_ptr<PortfolioFixture> fixture;
    // The symbol field's suggestions stay quiet: every test has a server that answers nothing.
    std::unique_ptr<ScriptedHttpServer> server;
    std::unique_ptr<ServiceUrlOverride> service;
};

void TradeDialogsTest::init()
{
    // The previous test's profile goes first: it restores HOME when it does.
    fixture.reset();
    service.reset();
    server = std::make_unique<ScriptedHttpServer>();
    service = std::make_unique<ServiceUrlOverride>(server->baseUrl());
    fixture = std::make_unique<PortfolioFixture>();
    QVERIFY(fixture->open());
    fixture->boxes().clear(); // the first-run question
}

void TradeDialogsTest::buyDialogStartsWithItsDefaults()
{
    BuyStockClass buy;
    const TradeForm &form = buy.form();
    QCOMPARE(buy.dialogWindow()->objectName(), QString("dialog"));
    QCOMPARE(form.symbolEdit->text(), QString());
    QCOMPARE(form.dateLabel->text(), QString("Date Purchased:"));
    QCOMPARE(form.calendar->selectedDate(), QDate::currentDate());
    QVERIFY(form.longRadio->isChecked());
    QCOMPARE(form.sharesEdit->text(), QString("100.0000"));
    QCOMPARE(form.priceEdit->text(), QString("10.0000"));
    QCOMPARE(form.costsEdit->text(), QString("10.0000"));
    QVERIFY(form.cashCheck->isChecked());
    QCOMPARE(form.cashCheck->text(), QString("Update your cash balance?"));
    QCOMPARE(form.livePriceButton->text(), QString("Get Live Price"));
    QCOMPARE(form.okButton->objectName(), QString("smallBtn"));
    QVERIFY(form.okButton->minimumWidth() >= 75 && form.okButton->minimumHeight() >= 25);

    SellStockClass sell;
    QCOMPARE(sell.form().dateLabel->text(), QString("Date Sold:"));
    QCOMPARE(sell.holding(), qint64(-1));
}

void TradeDialogsTest::buyingWritesHoldingAndCashRow()
{
    BuyStockClass buy;
    buy.form().symbolEdit->setText("acme");
    buy.form().calendar->setSelectedDate(QDate(2026, 12, 9));
    buy.okBtnClick();
    QCOMPARE(fixture->portfolioRows(),
             QStringList({"ACME|LONG|100|10|10|", "ACME|BUY|100|10|10|"}));
    QCOMPARE(fixture->rows("SELECT DISTINCT date FROM portfolio"), QStringList{"Wed Dec 9 2026"});
    QCOMPARE(buy.dialogWindow()->result(), int(QDialog::Accepted));

    BuyStockClass shortSale;
    fill(shortSale.form(), "BETA", "3", "7.5", "0");
    shortSale.form().shortRadio->setChecked(true);
    shortSale.okBtnClick();
    QCOMPARE(fixture->portfolioRows().mid(2),
             QStringList({"BETA|SHORT|3|7.5|0|", "BETA|BUY|3|7.5|0|"}));
}

void TradeDialogsTest::buyingWithoutCashUpdateWritesTheHoldingOnly()
{
    BuyStockClass buy;
    buy.form().symbolEdit->setText("ACME");
    buy.form().cashCheck->setChecked(false);
    buy.okBtnClick();
    QCOMPARE(fixture->portfolioRows(), QStringList({"ACME|LONG|100|10|10|"}));

    // Cancel writes nothing.
    BuyStockClass cancelled;
    cancelled.form().symbolEdit->setText("BETA");
    cancelled.form().cancelButton->click();
    QCOMPARE(fixture->count("portfolio"), 1);
}

void TradeDialogsTest::apostrophesAndBarsNeverBreakAStatement()
{
    BuyStockClass buy;
    fill(buy.form(), "O'K|X", "5", "2", "1");
    buy.form().commentsEdit->setText("Bob's | tip");
    buy.okBtnClick();
    QCOMPARE(fixture->portfolioRows(),
             QStringList({"O'KX|LONG|5|2|1|Bobs  tip", "O'KX|BUY|5|2|1|Bobs  tip"}));

    const qint64 holding =
        fixture->rows("SELECT id FROM portfolio WHERE transType='LONG'").first().toLongLong();
    SellStockClass sell;
    sell.setSymbol("O'KX");
    sell.setHoldingId(holding);
    fill(sell.form(), "O'KX", "5", "3", "0");
    sell.form().commentsEdit->setText("it's gone");
    sell.okBtnClick();
    QCOMPARE(fixture->portfolioRows(),
             QStringList({"O'KX|BUY|5|2|1|Bobs  tip", "O'KX|SELL|5|3|0|its gone"}));
}

void TradeDialogsTest::aPurchaseTheStoreRefusesStoresNothingAndKeepsTheDialogOpen()
{
    fixture->addEntry("BETA", "LONG", "5", "2");
    const QStringList before = fixture->rows("SELECT * FROM portfolio ORDER BY id");
    // The holding's insert goes through; the "BUY" row's fails.
    fixture->store().ExecSQL("CREATE TRIGGER refuseBuy BEFORE INSERT ON portfolio "
                             "WHEN NEW.transType = 'BUY' "
                             "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END");

    BuyStockClass buy;
    buy.form().symbolEdit->setText("ACME");
    buy.okBtnClick();
    QCOMPARE(fixture->rows("SELECT * FROM portfolio ORDER BY id"), before);
    QVERIFY(buy.dialogWindow()->result() != int(QDialog::Accepted));
    QCOMPARE(fixture->boxes().titles(), QStringList{"Not saved"});
    QCOMPARE(fixture->boxes().shown().first().text,
             QString("The purchase of 100 ACME could not be saved: the database refused the "
                     "change, so nothing of it was stored."));
    QCOMPARE(buy.form().symbolEdit->text(), QString("ACME")); // still there to try again

    // Once the store takes it, the same dialog goes through.
    fixture->store().ExecSQL("DROP TRIGGER refuseBuy");
    fixture->boxes().clear();
    buy.okBtnClick();
    QCOMPARE(buy.dialogWindow()->result(), int(QDialog::Accepted));
    QCOMPARE(fixture->portfolioRows(),
             QStringList({"BETA|LONG|5|2|0|", "ACME|LONG|100|10|10|", "ACME|BUY|100|10|10|"}));
    QVERIFY(fixture->boxes().shown().isEmpty());
}

void TradeDialogsTest::aSaleTheStoreRefusesStoresNothingAndKeepsTheDialogOpen()
{
    const qint64 id = fixture->addEntry("ACME", "LONG", "100", "10", "10");
    const QStringList before = fixture->rows("SELECT * FROM portfolio ORDER BY id");
    // The "SELL" row's insert goes through; taking the shares off the holding fails.
    fixture->store().ExecSQL("CREATE TRIGGER refuseUpdate BEFORE UPDATE ON portfolio "
                             "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END");

    SellStockClass sell;
    sell.setSymbol("ACME");
    sell.setHoldingId(id);
    fill(sell.form(), "ACME", "40", "12", "5");
    sell.okBtnClick();
    QCOMPARE(fixture->rows("SELECT * FROM portfolio ORDER BY id"), before);
    QVERIFY(sell.dialogWindow()->result() != int(QDialog::Accepted));
    QCOMPARE(fixture->boxes().titles(), QStringList{"Not saved"});
    QVERIFY(fixture->boxes().shown().first().text.startsWith("The sale of 40 ACME could not be "
                                                             "saved"));

    PortfolioStore::Sale sale;
    sale.holdingId = id;
    sale.shares = 40;
    sale.cashRow.symbol = "ACME";
    QCOMPARE(PortfolioStore::recordSale(fixture->store(), sale),
             PortfolioStore::SaleResult::NotStored);
    QCOMPARE(fixture->rows("SELECT * FROM portfolio ORDER BY id"), before);
}

void TradeDialogsTest::okRefusesBadInput_data()
{
    QTest::addColumn<QStringList>("fields"); // symbol, shares, price, costs
    QTest::addColumn<QString>("message");
    const QString symbol = "Please enter a symbol.";
    const QString shares = "\"Number of Shares\" must be a number greater than 0.";
    const QString price = "\"Buy Price\" must be a number of 0 or more.";
    const QString costs = "\"Transaction Costs\" must be a number of 0 or more.";
    QTest::newRow("no symbol") << QStringList{"", "1", "1", "1"} << symbol;
    QTest::newRow("blank symbol") << QStringList{"   ", "1", "1", "1"} << symbol;
    QTest::newRow("shares empty") << QStringList{"A", "", "1", "1"} << shares;
    QTest::newRow("shares text") << QStringList{"A", "ten", "1", "1"} << shares;
    QTest::newRow("shares zero") << QStringList{"A", "0", "1", "1"} << shares;
    QTest::newRow("shares negative") << QStringList{"A", "-5", "1", "1"} << shares;
    QTest::newRow("shares infinite") << QStringList{"A", "inf", "1", "1"} << shares;
    QTest::newRow("price loading") << QStringList{"A", "1", "Loading...", "1"} << price;
    QTest::newRow("price negative") << QStringList{"A", "1", "-0.01", "1"} << price;
    QTest::newRow("price nan") << QStringList{"A", "1", "nan", "1"} << price;
    QTest::newRow("costs empty") << QStringList{"A", "1", "0", ""} << costs;
    QTest::newRow("costs negative") << QStringList{"A", "1", "0", "-1"} << costs;
}

void TradeDialogsTest::okRefusesBadInput()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, message);
    const qint64 holding = fixture->addEntry("A", "LONG", "10", "1");
    BuyStockClass buy;
    SellStockClass sell;
    sell.setSymbol("A");
    sell.setHoldingId(holding);
    for (const TradeForm *form : {&buy.form(), &sell.form()}) {
        fixture->boxes().clear();
        fill(*form, fields.at(0), fields.at(1), fields.at(2), fields.at(3));
        if (form == &buy.form())
            buy.okBtnClick();
        else
            sell.okBtnClick();
        QCOMPARE(fixture->boxes().shown().size(), 1);
        QCOMPARE(fixture->boxes().shown().first().title, QString("Warning"));
        QCOMPARE(fixture->boxes().shown().first().text, message);
        QCOMPARE(fixture->portfolioRows(), QStringList{"A|LONG|10|1|0|"});
    }
    // Neither dialog closed itself.
    QCOMPARE(buy.dialogWindow()->result(), 0);
    QCOMPARE(sell.dialogWindow()->result(), 0);
}

void TradeDialogsTest::localeDecimalMarkIsAccepted()
{
    const QLocale german(QLocale::German, QLocale::Germany);
    QCOMPARE(TradeEntry::parseNumber("2,5", german), 2.5);
    QCOMPARE(TradeEntry::parseNumber("1.234,5", german), 1234.5);
    QCOMPARE(TradeEntry::parseNumber(" 10.0000 ", german), 10.0); // the dialogs' defaults
    QCOMPARE(TradeEntry::parseNumber("27.40", QLocale::c()), 27.4);
    QVERIFY(!TradeEntry::parseNumber("2,5x", german));

    const QLocale previous;
    QLocale::setDefault(german);
    BuyStockClass buy;
    fill(buy.form(), "ACME", "2,5", "1.234,5", "0,75");
    buy.okBtnClick();
    QLocale::setDefault(previous);
    QCOMPARE(fixture->portfolioRows().value(0), QString("ACME|LONG|2.5|1234.5|0.75|"));
}

void TradeDialogsTest::sellReducesOrClosesTheHolding_data()
{
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("sold");
    QTest::addColumn<bool>("updateCash");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("40 of 100") << "100"
                               << "40" << true
                               << QStringList{"ACME|LONG|60|10|10|", "ACME|SELL|40|12|5|"};
    QTest::newRow("100 of 100") << "100"
                                << "100" << true << QStringList{"ACME|SELL|100|12|5|"};
    QTest::newRow("2.5 of 10") << "10"
                               << "2.5" << true
                               << QStringList{"ACME|LONG|7.5|10|10|", "ACME|SELL|2.5|12|5|"};
    QTest::newRow("0.1 of 0.3") << "0.3"
                                << "0.1" << true
                                << QStringList{"ACME|LONG|0.2|10|10|", "ACME|SELL|0.1|12|5|"};
    QTest::newRow("large holding keeps every share")
        << "1234567"
        << "1" << false << QStringList{"ACME|LONG|1234566|10|10|"};
    QTest::newRow("without cash update") << "100"
                                         << "40" << false << QStringList{"ACME|LONG|60|10|10|"};
}

void TradeDialogsTest::sellReducesOrClosesTheHolding()
{
    QFETCH(QString, held);
    QFETCH(QString, sold);
    QFETCH(bool, updateCash);
    QFETCH(QStringList, rows);
    const qint64 id = fixture->addEntry("ACME", "LONG", held, "10", "10");
    SellStockClass sell;
    sell.setSymbol("ACME");
    sell.setHoldingId(id);
    fill(sell.form(), "ACME", sold, "12", "5");
    sell.form().cashCheck->setChecked(updateCash);
    sell.okBtnClick();
    QCOMPARE(fixture->portfolioRows(), rows);
    QCOMPARE(sell.dialogWindow()->result(), int(QDialog::Accepted));
    QVERIFY(fixture->boxes().shown().isEmpty());
}

void TradeDialogsTest::sellingMoreThanHeldIsRefused()
{
    const qint64 id = fixture->addEntry("ACME", "LONG", "100", "10", "10");
    SellStockClass sell;
    sell.setSymbol("ACME");
    sell.setHoldingId(id);
    fill(sell.form(), "ACME", "150", "12", "5");
    sell.okBtnClick();
    QCOMPARE(fixture->portfolioRows(), QStringList{"ACME|LONG|100|10|10|"});
    QCOMPARE(fixture->boxes().shown().size(), 1);
    QCOMPARE(fixture->boxes().shown().first().text,
             QString("You hold 100 shares of ACME; you cannot sell 150."));
    QCOMPARE(sell.dialogWindow()->result(), 0);
}

void TradeDialogsTest::sellingAVanishedHoldingStoresNothing()
{
    const qint64 id = fixture->addEntry("ACME", "LONG", "100", "10", "10");
    SellStockClass sell;
    sell.setSymbol("ACME");
    sell.setHoldingId(id);
    fill(sell.form(), "ACME", "40", "12", "5");
    PortfolioStore::deleteEntry(fixture->store(), id); // deleted while the dialog was open
    sell.okBtnClick();
    QCOMPARE(fixture->count("portfolio"), 0);
    QCOMPARE(fixture->boxes().shown().size(), 1);
    QVERIFY(fixture->boxes().shown().first().text.contains("no longer in your portfolio"));

    // The store's own check refuses too, inside the sale's transaction.
    PortfolioStore::Sale sale;
    sale.holdingId = id;
    sale.shares = 1;
    QCOMPARE(PortfolioStore::recordSale(fixture->store(), sale),
             PortfolioStore::SaleResult::HoldingGone);
    QCOMPARE(fixture->count("portfolio"), 0);
}

void TradeDialogsTest::sellDialogIsFilledFromTheHolding()
{
    server->scriptBody("/d/quotes.csv", "\"ACME\",\"NMS\",12.75,\"Acme, Inc.\"\r\n");
    const qint64 id = fixture->addEntry("ACME", "LONG", "60", "10", "10");
    SellStockClass sell;
    sell.setSymbol("ACME");
    sell.setHoldingId(id);
    QVERIFY(sell.form().symbolEdit->isReadOnly());
    // The dialog runs modally: close it once the price has arrived.
    QTimer::singleShot(0, &sell, [&sell] {
        QTRY_COMPARE(sell.form().priceEdit->text(), QString("12.75"));
        sell.dialogWindow()->close();
    });
    sell.execDialog();
    QCOMPARE(sell.form().sharesEdit->text(), QString("60"));
    QCOMPARE(sell.form().priceEdit->text(), QString("12.75"));
    // Setting the symbol asked for no suggestions.
    QCOMPARE(server->requests().size(), 1);
    QCOMPARE(fixture->count("portfolio"), 1);
}

void TradeDialogsTest::cashDialogRecordsDepositsAndWithdrawals()
{
    CashTransactionClass deposit;
    QCOMPARE(deposit.dialogWindow()->windowTitle(), QString("New Transaction"));
    deposit.amountEdit()->setText("5000");
    deposit.dateEdit()->setDate(QDate(2026, 12, 9));
    deposit.commentsEdit()->setText("Savings' | top-up");
    deposit.okBtnClick();

    CashTransactionClass withdrawal;
    withdrawal.typeBox()->setCurrentIndex(1);
    QCOMPARE(withdrawal.typeBox()->currentText(), QString("Withdrawal"));
    withdrawal.amountEdit()->setText("250.5");
    withdrawal.okBtnClick();
    QCOMPARE(fixture->portfolioRows(),
             QStringList({"|DEPOSIT|1|5000|0|Savings  top-up", "|WITHDRAWL|1|250.5|0|"}));
    QCOMPARE(fixture->rows("SELECT date FROM portfolio").first(), QString("Wed Dec 9 2026"));
    QCOMPARE(PortfolioStore::read(fixture->store()).totals.cash, 4749.5);

    for (const char *bad : {"", "0", "-10", "lots"}) {
        fixture->boxes().clear();
        CashTransactionClass refused;
        refused.amountEdit()->setText(bad);
        refused.okBtnClick();
        QCOMPARE(fixture->boxes().shown().size(), 1);
        QCOMPARE(fixture->boxes().shown().first().text,
                 QString("\"Amount\" must be a number greater than 0."));
        QCOMPARE(refused.dialogWindow()->result(), 0);
    }
    QCOMPARE(fixture->count("portfolio"), 2);
}

void TradeDialogsTest::suggestionLeavesOnlyTheSymbol()
{
    server->scriptBody(
        suggestTarget("app"),
        MarketDataFixture::suggestReply("app", {{"AAPL", "Apple Inc.", "NMS", "Equity"},
                                                {"APP", "AppLovin Corporation", "NMS", "Equity"}}));
    BuyStockClass buy;
    buy.form().symbolEdit->setText("app");
    QCOMPARE(completions(buy.lookups()),
             QStringList({"AAPL (Apple Inc.)", "APP (AppLovin Corporation)"}));
    QCOMPARE(buy.form().symbolEdit->completer(), buy.lookups()->completer());
    QCOMPARE(buy.lookups()->completer()->caseSensitivity(), Qt::CaseInsensitive);

    buy.form().symbolEdit->setText("AAPL (Apple Inc.)");
    QCOMPARE(buy.form().symbolEdit->text(), QString("AAPL"));
    QCOMPARE(TradeEntry::symbolOfSuggestion("BRK-B (Berkshire (B))"), QString("BRK-B"));
    QVERIFY(!TradeEntry::symbolOfSuggestion("AAPL"));
}

void TradeDialogsTest::fastTypingNeverNestsLookupsAndDropsLateAnswers()
{
    ScriptedHttpServer::Reply slow;
    slow.delayMs = 300;
    slow.body = MarketDataFixture::suggestReply("a", {{"A", "Agilent", "NYQ", "Equity"}});
    server->script(suggestTarget("a"), slow);
    server->scriptBody(
        suggestTarget("abc"),
        MarketDataFixture::suggestReply("abc", {{"ABC", "AmerisourceBergen", "NYQ", "Equity"}}));
    BuyStockClass buy;
    QLineEdit *edit = buy.form().symbolEdit;
    // Two more keystrokes while the first lookup waits.
    QTimer::singleShot(50, edit, [edit] { edit->setText("ab"); });
    QTimer::singleShot(100, edit, [edit] { edit->setText("abc"); });
    edit->setText("a");
    QVERIFY(!buy.lookups()->suggesting());
    // "a" was looked up, then straight away the newest text: "ab" never was.
    QCOMPARE(buy.lookups()->suggestionLookups(), 2);
    QCOMPARE(server->requests().size(), 2);
    QCOMPARE(completions(buy.lookups()), QStringList{"ABC (AmerisourceBergen)"});
}

void TradeDialogsTest::livePriceFillsThePriceField()
{
    server->scriptBody("/d/quotes.csv", "\"CSCO\",\"NMS\",27.40,\"Cisco Systems, Inc.\"\r\n");
    BuyStockClass buy;
    buy.form().symbolEdit->setText("CSCO");
    buy.getStockPrice();
    QCOMPARE(buy.form().priceEdit->text(), QString("27.40"));
    QVERIFY(buy.form().livePriceButton->isEnabled());
    buy.okBtnClick();
    QCOMPARE(fixture->portfolioRows().first(), QString("CSCO|LONG|100|27.4|10|"));

    // Nothing to look up without a symbol.
    BuyStockClass empty;
    empty.getStockPrice();
    QCOMPARE(fixture->boxes().shown().last().text, QString("Please enter a symbol."));
    QCOMPARE(empty.form().priceEdit->text(), QString("10.0000"));
}

void TradeDialogsTest::livePriceNeverOverwritesNewerText()
{
    ScriptedHttpServer::Reply slow;
    slow.delayMs = 200;
    slow.body = "\"CSCO\",\"NMS\",27.40,\"Cisco\"\r\n";
    server->script("/d/quotes.csv", slow);

    BuyStockClass typed;
    typed.form().symbolEdit->setText("CSCO");
    QLineEdit *price = typed.form().priceEdit;
    QTimer::singleShot(50, price, [price, &typed] {
        QCOMPARE(price->text(), QString("Loading..."));
        QVERIFY(!typed.form().livePriceButton->isEnabled());
        typed.getStockPrice(); // a second click while waiting starts nothing
        price->setText("26.5");
    });
    server->clearRequests();
    typed.getStockPrice();
    QCOMPARE(price->text(), QString("26.5"));
    QCOMPARE(server->requests().size(), 1);

    // A reply for a symbol no longer in the field is not shown.
    BuyStockClass changed;
    changed.form().symbolEdit->setText("CSCO");
    QLineEdit *symbol = changed.form().symbolEdit;
    QTimer::singleShot(50, symbol, [symbol] { symbol->setText("IBM"); });
    changed.getStockPrice();
    QCOMPARE(changed.form().priceEdit->text(), QString());
}

void TradeDialogsTest::livePriceGivesUpAfterTheWaitLimit()
{
    ScriptedHttpServer::Reply silent;
    silent.neverAnswer = true;
    server->script("/d/quotes.csv", silent);
    BuyStockClass buy;
    buy.lookups()->setLookupTimeout(300);
    buy.form().symbolEdit->setText("CSCO");
    QElapsedTimer clock;
    clock.start();
    buy.getStockPrice();
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(buy.form().priceEdit->text(), QString());
    QVERIFY(buy.form().livePriceButton->isEnabled());
}

QTEST_MAIN(TradeDialogsTest)
#include "tst_tradedialogs.moc"
