#include "app/mainwindow.h"
#include "app/stylesheet.h"
#include "home/changestyle.h"
#include "home/newsboxclass.h"
#include "home/newsboxcontent.h"
#include "home/newshighlightsclass.h"
#include "home/tickerboxclass.h"
#include "home/tickerclass.h"
#include "home/tickerstepping.h"
#include "home/tickertabclass.h"
#include "marketdata/symbollookup.h"
#include "marketdata/welcomeclass.h"
#include "support/homefixture.h"
#include "support/logcapture.h"
#include "widgets/elidedlabel.h"

#include <QDateTime>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

namespace {

constexpr qint64 Noon = 1700000000000LL; // 14 Nov 2023 22:13 UTC

QString cellLabel(const QTableWidget *table, int row)
{
    const auto *label = qobject_cast<const QLabel *>(table->cellWidget(row, 2));
    return label ? label->text() : QString();
}

QStringList columnTexts(const QTableWidget *table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
    return texts;
}

} // namespace

class HomeTest : public QObject
{
    Q_OBJECT

private slots:
    void changeStyleFollowsTheSign_data();
    void changeStyleFollowsTheSign();
    void tickerSteppingWrapsAndReadsRows_data();
    void tickerSteppingWrapsAndReadsRows();
    void tickerCyclesThroughTheSymbolsAndWraps();
    void tickerSkipsASymbolDeletedWhileNextInTurn();
    void tickerWithoutSymbolsShowsNothingAndPicksUpANewOne();
    void symbolWithAnApostropheReadsItsOwnQuotes();
    void priceBoxShowsTheStoredSnapshot();
    void priceBoxFiguresSitInsideTheirStyledBox();
    void priceBoxesFollowSymbolAddsAndDeletes();
    void newsBoxShowsUnreadItemsOncePerTitleNewestFirst();
    void newsBoxShowsAtMostTwentyItems();
    void newsBoxTitleBarTakesTheFeedColour();
    void newsBoxOfAFeedWithoutRowSaysSo();
    void newsBoxRowsGrowToTheirWrappedTitles();
    void newsBoxEscapesMarkupInTitles();
    void newsBoxDatesAreLocalTime();
    void itemRowsKeepTheirDateWhenADescriptionHoldsABar();
    void doubleClickOpensTheArticleMarksItReadAndKeepsTheRow();
    void doubleClickOnANonWebLinkOpensNothingAndSaysWhy();
    void homePageHoldsPriceBoxesAndFourNewsBoxesInOrder();
    void mainWindowWiresTheHomePageAndTheTicker();
};

void HomeTest::changeStyleFollowsTheSign_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("tickerName");
    QTest::addColumn<QString>("boxName");
    QTest::newRow("plus") << "+1.25%"
                          << "ticker_labelUP"
                          << "changeUpGroupBox";
    QTest::newRow("minus") << "-0.40%"
                           << "ticker_labelDOWN"
                           << "changeDownGroupBox";
    QTest::newRow("neither") << "0.00%"
                             << "ticker_labelFLAT"
                             << "changeGroupBox";
    QTest::newRow("empty") << ""
                           << "ticker_labelFLAT"
                           << "changeGroupBox";
    QTest::newRow("not available") << "N/A"
                                   << "ticker_labelFLAT"
                                   << "changeGroupBox";
}

void HomeTest::changeStyleFollowsTheSign()
{
    QFETCH(QString, change);
    QFETCH(QString, tickerName);
    QFETCH(QString, boxName);
    HomeFixture home;
    home.addSymbol("IBM", "International Business Machines");
    // A box that was green must turn to the new colour, so start from the other extreme.
    home.setQuote("IBM", "PercentChange", change.startsWith('+') ? "-1%" : "+1%");
    home.setQuote("IBM", "ChangeinPercent", change.startsWith('+') ? "-1%" : "+1%");
    TickerClass ticker;
    TickerTabClass tab("IBM");

    home.setQuote("IBM", "PercentChange", change);
    home.setQuote("IBM", "ChangeinPercent", change);
    ticker.nextSymbol();
    tab.update();
    QCOMPARE(ticker.changeLabel()->text(), change);
    QCOMPARE(ticker.changeLabel()->objectName(), tickerName);
    QCOMPARE(ticker.changeLabel()->styleSheet(), QString("/* */"));
    QCOMPARE(tab.changeBox()->objectName(), boxName);
    QCOMPARE(tab.percentText()->text(), change);
}

void HomeTest::tickerSteppingWrapsAndReadsRows_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("company");
    QTest::addColumn<int>("next");
    const QStringList three{"AAPL|Apple Inc.", "IBM|", "MSFT|Microsoft"};
    QTest::newRow("first") << three << 0 << "AAPL"
                           << "Apple Inc." << 1;
    QTest::newRow("empty name") << three << 1 << "IBM"
                                << "" << 2;
    QTest::newRow("last") << three << 2 << "MSFT"
                          << "Microsoft" << 3;
    QTest::newRow("past the end wraps") << three << 3 << "AAPL"
                                        << "Apple Inc." << 1;
    QTest::newRow("far past the end wraps") << three << 17 << "AAPL"
                                            << "Apple Inc." << 1;
    QTest::newRow("no name column") << QStringList{"GE"} << 0 << "GE"
                                    << "" << 1;
    QTest::newRow("bar inside the name") << QStringList{"XY|A|B Corp"} << 0 << "XY"
                                         << "A|B Corp" << 1;
}

void HomeTest::tickerSteppingWrapsAndReadsRows()
{
    QFETCH(QStringList, rows);
    QFETCH(int, index);
    const TickerStepping::Step step = TickerStepping::step(rows, index);
    QVERIFY(!step.empty);
    QTEST(step.symbol, "symbol");
    QTEST(step.companyName, "company");
    QTEST(step.nextIndex, "next");
    QVERIFY(TickerStepping::step({}, 3).empty);
}

void HomeTest::tickerCyclesThroughTheSymbolsAndWraps()
{
    HomeFixture home;
    home.addSymbol("MSFT", "Microsoft Corporation");
    home.addSymbol("AAPL", "Apple Inc.");
    home.setQuote("AAPL", "Bid", "185.10");
    home.setQuote("MSFT", "Bid", "401.20");
    home.setQuote("MSFT", "PercentChange", "-0.40%");
    QWidget frame;
    auto *ticker = new TickerClass(&frame);
    QVERIFY(frame.layout() && frame.layout()->indexOf(ticker) >= 0);
    QCOMPARE(ticker->stepTimer()->interval(), 3000);
    QVERIFY(ticker->stepTimer()->isActive());
    for (QLabel *label :
         {static_cast<QLabel *>(ticker->companyLabel()), ticker->symbolLabel(), ticker->bidLabel()})
        QCOMPARE(label->objectName(), QString("ticker_labels"));

    // The first symbol is shown at once.
    QCOMPARE(ticker->symbolLabel()->text(), QString("AAPL"));
    QCOMPARE(ticker->companyLabel()->fullText(), QString("Apple Inc."));
    QCOMPARE(ticker->bidLabel()->text(), QString("185.10"));
    QCOMPARE(ticker->changeLabel()->text(), QString()); // no PercentChange stored
    QCOMPARE(ticker->nextIndex(), 1);

    ticker->nextSymbol();
    QCOMPARE(ticker->symbolLabel()->text(), QString("MSFT"));
    QCOMPARE(ticker->companyLabel()->fullText(), QString("Microsoft Corporation"));
    QCOMPARE(ticker->bidLabel()->text(), QString("401.20"));
    QCOMPARE(ticker->changeLabel()->text(), QString("-0.40%"));
    ticker->nextSymbol();
    QCOMPARE(ticker->symbolLabel()->text(), QString("AAPL"));
    QCOMPARE(ticker->nextIndex(), 1);

    // The timer steps on its own.
    QTRY_COMPARE_WITH_TIMEOUT(ticker->symbolLabel()->text(), QString("MSFT"), 5000);
}

void HomeTest::tickerSkipsASymbolDeletedWhileNextInTurn()
{
    HomeFixture home;
    for (const char *symbol : {"AAPL", "IBM", "MSFT"})
        home.addSymbol(symbol);
    TickerClass ticker; // shows AAPL, IBM is next
    QCOMPARE(ticker.symbolLabel()->text(), QString("AAPL"));
    SymbolLookup::deleteSymbol(home.store(), "IBM");
    ticker.nextSymbol();
    QCOMPARE(ticker.symbolLabel()->text(), QString("MSFT"));
    ticker.nextSymbol();
    QCOMPARE(ticker.symbolLabel()->text(), QString("AAPL"));
}

void HomeTest::tickerWithoutSymbolsShowsNothingAndPicksUpANewOne()
{
    HomeFixture home;
    TickerClass ticker;
    ticker.nextSymbol();
    for (QLabel *label : {ticker.symbolLabel(), ticker.bidLabel(), ticker.changeLabel()})
        QVERIFY(label->text().isEmpty());
    QVERIFY(ticker.companyLabel()->fullText().isEmpty());
    QCOMPARE(ticker.changeLabel()->objectName(), QString("ticker_labelFLAT"));
    QCOMPARE(ticker.nextIndex(), 0);

    home.addSymbol("GE", "General Electric");
    home.setQuote("GE", "PercentChange", "+0.10%");
    ticker.nextSymbol();
    QCOMPARE(ticker.symbolLabel()->text(), QString("GE"));
    QCOMPARE(ticker.changeLabel()->objectName(), QString("ticker_labelUP"));
}

void HomeTest::symbolWithAnApostropheReadsItsOwnQuotes()
{
    HomeFixture home;
    home.addSymbol("O'K", "O'Kay Holdings");
    home.setQuote("O'K", "Bid", "12.50");
    home.setQuote("O'K", "LastTradePriceOnly", "12.60");
    home.setQuote("O'K", "ChangeinPercent", "-2.00%");
    LogCapture log;
    TickerClass ticker;
    TickerBoxClass boxes;
    QCOMPARE(ticker.bidLabel()->text(), QString("12.50"));
    TickerTabClass *tab = boxes.box("O'K");
    QVERIFY(tab);
    QCOMPARE(tab->companyText()->fullText(), QString("O'Kay Holdings"));
    QCOMPARE(tab->priceText()->text(), QString("12.60"));
    QCOMPARE(tab->changeBox()->objectName(), QString("changeDownGroupBox"));
    QVERIFY(!log.contains("GetSQL"));
}

void HomeTest::priceBoxShowsTheStoredSnapshot()
{
    HomeFixture home;
    home.addSymbol("AAPL", "Apple Inc.");
    home.setQuote("AAPL", "LastTradePriceOnly", "185.10");
    home.setQuote("AAPL", "ChangeRealtime", "+2.31");
    home.setQuote("AAPL", "ChangeinPercent", "+1.25%");
    LogCapture log;
    TickerTabClass tab("AAPL");
    QVERIFY(log.contains("creating: AAPL"));
    QVERIFY(log.contains("updating: AAPL"));
    QCOMPARE(tab.symbol, QString("AAPL"));
    QCOMPARE(tab.symbolText()->text(), QString("AAPL"));
    QCOMPARE(tab.companyText()->fullText(), QString("Apple Inc."));
    QCOMPARE(tab.priceText()->text(), QString("185.10"));
    QCOMPARE(tab.changeText()->text(), QString("+2.31"));
    QCOMPARE(tab.percentText()->text(), QString("+1.25%"));
    QCOMPARE(tab.changeBox()->objectName(), QString("changeUpGroupBox"));
    QCOMPARE(tab.descBox()->objectName(), QString("descGroupBox"));
    QCOMPARE(tab.descBox()->width(), 180);
    QVERIFY(tab.descBox()->maximumHeight() <= 30);
    QCOMPARE(tab.refreshTimer()->interval(), 120000);
    QVERIFY(tab.refreshTimer()->isActive());

    // A box without a snapshot shows empty figures, not the previous symbol's or placeholders.
    home.store().ExecSQL("DELETE FROM fData");
    tab.update();
    QVERIFY(tab.priceText()->text().isEmpty());
    QCOMPARE(tab.changeBox()->objectName(), QString("changeGroupBox"));
}

void HomeTest::priceBoxFiguresSitInsideTheirStyledBox()
{
    HomeFixture home;
    home.addSymbol("AAPL", "Apple Inc.");
    home.setQuote("AAPL", "LastTradePriceOnly", "185.10");
    qApp->setStyleSheet(StyleSheet::read(CORVANE_BIN_DIR "/stylesheet.txt"));
    QWidget column;
    auto *tab = new TickerTabClass("AAPL", &column);
    column.show();
    QVERIFY(QTest::qWaitForWindowExposed(&column));
    // Without the style sheet's own margins the figures would sit below the room a group box
    // keeps for a title, outside the thin box.
    for (const QGroupBox *box : {tab->descBox(), tab->changeBox()}) {
        const QRect inside = box->contentsRect();
        QVERIFY2(inside.top() < 6, qPrintable(box->objectName()));
        for (const QLabel *label : box->findChildren<QLabel *>())
            QVERIFY2(inside.contains(label->geometry()), qPrintable(label->text()));
    }
    QVERIFY(tab->priceText()->isVisible());
    qApp->setStyleSheet(QString());
}

void HomeTest::priceBoxesFollowSymbolAddsAndDeletes()
{
    HomeFixture home;
    home.addSymbol("MSFT");
    home.addSymbol("AAPL");
    QWidget column;
    auto *boxes = new TickerBoxClass(&column);
    QCOMPARE(boxes->boxSymbols(), QStringList({"AAPL", "MSFT"}));
    TickerTabClass *apple = boxes->box("AAPL");
    QVERIFY(apple);
    const auto loading = boxes->findChildren<QGroupBox *>();
    QVERIFY(std::any_of(loading.begin(), loading.end(), [](const QGroupBox *box) {
        return box->title() == "Loading..." && box->isHidden();
    }));

    SymbolLookup::addSymbol(home.store(), {"IBM", "International Business Machines", "NYQ"});
    QCOMPARE(boxes->boxSymbols(), QStringList({"AAPL", "IBM", "MSFT"}));
    QCOMPARE(boxes->box("AAPL"), apple); // the others stay as they are
    QCOMPARE(boxes->box("IBM")->companyText()->fullText(),
             QString("International Business Machines"));

    // A duplicate adds nothing.
    SymbolLookup::addSymbol(home.store(), {"IBM", "International Business Machines", "NYQ"});
    QCOMPARE(boxes->findChildren<TickerTabClass *>().size(), 3);

    SymbolLookup::deleteSymbol(home.store(), "AAPL");
    QCOMPARE(boxes->boxSymbols(), QStringList({"IBM", "MSFT"}));
    QVERIFY(!boxes->box("AAPL"));
    QCOMPARE(boxes->findChildren<TickerTabClass *>().size(), 2);

    SymbolLookup::deleteSymbol(home.store(), "IBM");
    SymbolLookup::deleteSymbol(home.store(), "MSFT");
    QVERIFY(boxes->boxSymbols().isEmpty());
    QVERIFY(boxes->findChildren<TickerTabClass *>().isEmpty());
}

void HomeTest::newsBoxShowsUnreadItemsOncePerTitleNewestFirst()
{
    HomeFixture home;
    home.addFeed(1, "Company Headlines", "steelblue");
    home.addNewsItem(1, "AAPL", "Chips rally", "http://a.example/1", Noon);
    home.addNewsItem(1, "MSFT", "Chips rally", "http://a.example/2", Noon + 1000);
    home.addNewsItem(1, "IBM", "Older story", "http://a.example/3", Noon - 3600000);
    home.addNewsItem(1, "IBM", "Newest but read", "http://a.example/4", Noon + 7200000, 1);
    home.addNewsItem(2, "IBM", "Other feed", "http://a.example/5", Noon + 7200000);
    LogCapture log;
    NewsBoxClass box;
    box.feedId = 1;
    box.updateDisplay();
    QVERIFY(log.contains("updateDisplay: 1"));
    QTableWidget *table = box.table();
    QCOMPARE(table->columnCount(), 3);
    QCOMPARE(table->rowCount(), 2);
    QVERIFY(cellLabel(table, 0).startsWith("Chips rally<br>"));
    QVERIFY(cellLabel(table, 1).startsWith("Older story<br>"));
    QCOMPARE(columnTexts(table, 1).at(1), QString("IBM"));
    QVERIFY(table->isColumnHidden(0));
    QCOMPARE(table->columnWidth(1), 50);
    QVERIFY(table->alternatingRowColors());
    QVERIFY(!table->showGrid());
    QCOMPARE(table->frameShape(), QFrame::NoFrame);
    QCOMPARE(box.groupBox()->objectName(), QString("newsGroupBox"));
    QCOMPARE(box.refreshTimer()->interval(), 120000);
    QVERIFY(box.refreshTimer()->isActive());
}

void HomeTest::newsBoxShowsAtMostTwentyItems()
{
    HomeFixture home;
    home.addFeed(5, "Earnings Watch", "goldenrod");
    for (int n = 0; n < 25; ++n)
        home.addNewsItem(5, "KO", QString("Story %1").arg(n), "http://a.example/", Noon + n);
    NewsBoxClass box;
    box.feedId = 5;
    box.updateDisplay();
    QCOMPARE(box.table()->rowCount(), 20);
    QVERIFY(cellLabel(box.table(), 0).startsWith("Story 24<br>"));
    QVERIFY(cellLabel(box.table(), 19).startsWith("Story 5<br>"));
}

void HomeTest::newsBoxTitleBarTakesTheFeedColour()
{
    HomeFixture home;
    home.addFeed(2, "Analyst Views", "darkorange");
    home.addFeed(9, "Top Stories", "#102030");
    NewsBoxClass orange;
    orange.feedId = 2;
    orange.updateDisplay();
    QCOMPARE(orange.groupBox()->title(), QString("Analyst Views"));
    QVERIFY(orange.groupBox()->styleSheet().contains("stop: 0 rgb(255,140,0), stop: 1 #002f60"));
    NewsBoxClass hex;
    hex.feedId = 9;
    hex.updateDisplay();
    QVERIFY(hex.groupBox()->styleSheet().contains("rgb(16,32,48)"));
}

void HomeTest::newsBoxOfAFeedWithoutRowSaysSo()
{
    HomeFixture home;
    home.addNewsItem(7, "GE", "Left over", "http://a.example/", Noon);
    NewsBoxClass box;
    box.feedId = 7;
    box.updateDisplay();
    QCOMPARE(box.groupBox()->title(), QString("News template 7 is not set up"));
    // Not black: the bar starts from the frame's own blue.
    QVERIFY(box.groupBox()->styleSheet().contains("rgb(33,72,110)"));
    QCOMPARE(box.table()->rowCount(), 1);
}

void HomeTest::newsBoxRowsGrowToTheirWrappedTitles()
{
    HomeFixture home;
    home.addFeed(1, "Company Headlines", "steelblue");
    for (int n = 0; n < 15; ++n)
        home.addNewsItem(1, "MSFT",
                         QString("Story %1: shares climb on stronger-than-expected demand in "
                                 "Europe and Asia")
                             .arg(n),
                         "http://a.example/", Noon + n);
    NewsBoxClass box;
    box.feedId = 1;
    box.updateDisplay();
    const auto everyTitleFits = [&box] {
        const QTableWidget *table = box.table();
        for (int row = 0; row < table->rowCount(); ++row) {
            const QWidget *label = table->cellWidget(row, 2);
            if (label->width() < 20 ||
                table->rowHeight(row) < label->heightForWidth(label->width()))
                return false;
        }
        return true;
    };
    box.resize(420, 300); // the rows overflow: a scroll bar narrows the column
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTRY_VERIFY(everyTitleFits());
    const int oneLine = box.table()->rowHeight(0);
    box.resize(220, 300);
    QTRY_VERIFY(everyTitleFits());
    QVERIFY(box.table()->rowHeight(0) > oneLine);
}

void HomeTest::newsBoxEscapesMarkupInTitles()
{
    HomeFixture home;
    home.addFeed(1, "Company Headlines", "steelblue");
    home.addNewsItem(1, "AAPL", "<img src=x onerror=alert(1)> Q&A <b>bold</b>", "http://a/", Noon);
    NewsBoxClass box;
    box.feedId = 1;
    box.updateDisplay();
    const QString label = cellLabel(box.table(), 0);
    QVERIFY(
        label.startsWith("&lt;img src=x onerror=alert(1)&gt; Q&amp;A &lt;b&gt;bold&lt;/b&gt;<br>"));
    QVERIFY(!label.contains("<b>"));
}

void HomeTest::newsBoxDatesAreLocalTime()
{
    const QByteArray previous = qgetenv("TZ");
    qputenv("TZ", "Asia/Tokyo"); // UTC+9 all year
    tzset();
    const NewsBoxContent::Item item{"1", "AAPL", "Title", Noon};
    // 22:13 UTC on Tuesday 14 November is 07:13 on Wednesday in Tokyo.
    QCOMPARE(NewsBoxContent::localDate(Noon), QString("Wed, 15 Nov 07:13"));
    QCOMPARE(NewsBoxContent::itemLabel(item),
             QString("Title<br><font size=1 color=grey>(Wed, 15 Nov 07:13)</font>"));
    if (previous.isEmpty())
        qunsetenv("TZ");
    else
        qputenv("TZ", previous);
    tzset();
}

void HomeTest::itemRowsKeepTheirDateWhenADescriptionHoldsABar()
{
    const QList<NewsBoxContent::Item> items = NewsBoxContent::fromRows(
        {"12|AAPL|Title|a | b|1700000000000", "13|IBM|Plain||1700000060000", "broken"});
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.at(0).id, QString("12"));
    QCOMPARE(items.at(0).title, QString("Title"));
    QCOMPARE(items.at(0).pubDate, Noon);
    QCOMPARE(items.at(1).symbol, QString("IBM"));
    QCOMPARE(items.at(1).pubDate, Noon + 60000);
}

void HomeTest::doubleClickOpensTheArticleMarksItReadAndKeepsTheRow()
{
    HomeFixture home;
    OpenedLinks browser;
    home.addFeed(1, "Company Headlines", "steelblue");
    const QString first = home.addNewsItem(1, "AAPL", "Chips rally", "http://a.example/1", Noon);
    const QString twin =
        home.addNewsItem(1, "MSFT", "Chips rally", "http://a.example/2", Noon - 1000);
    home.addNewsItem(1, "IBM", "Older story", "https://a.example/3", Noon - 3600000);
    NewsBoxClass box;
    box.feedId = 1;
    box.updateDisplay();
    QCOMPARE(box.table()->rowCount(), 2);

    const QString shownId = box.table()->item(0, 0)->text();
    QVERIFY(shownId == first || shownId == twin);
    emit box.table()->cellDoubleClicked(0, 2);
    QCOMPARE(browser.urls.size(), 1);
    QVERIFY(browser.urls.first().toString().startsWith("http://a.example/"));
    // Read in the store, still in the box until the next refresh.
    QCOMPARE(home.store().GetSQL("SELECT read FROM newsItems WHERE id=" + shownId), QString("1"));
    QCOMPARE(box.table()->rowCount(), 2);

    box.updateDisplay();
    // The same article under its other symbol does not come back in its place.
    QCOMPARE(box.table()->rowCount(), 1);
    QVERIFY(cellLabel(box.table(), 0).startsWith("Older story<br>"));
}

void HomeTest::doubleClickOnANonWebLinkOpensNothingAndSaysWhy()
{
    HomeFixture home;
    OpenedLinks browser;
    home.addFeed(1, "Company Headlines", "steelblue");
    home.addNewsItem(1, "AAPL", "Sneaky", "file:///etc/passwd", Noon);
    home.addNewsItem(1, "AAPL", "No link", "", Noon - 1000);
    QMainWindow window;
    auto *box = new NewsBoxClass;
    window.setCentralWidget(box);
    box->feedId = 1;
    box->updateDisplay();

    emit box->table()->cellDoubleClicked(0, 2);
    QVERIFY(browser.urls.isEmpty());
    QVERIFY(window.statusBar()->currentMessage().contains("\"file\""));
    emit box->table()->cellDoubleClicked(1, 2);
    QVERIFY(browser.urls.isEmpty());
    QVERIFY(window.statusBar()->currentMessage().contains("without a link"));
    QCOMPARE(home.store().GetSQL("SELECT COUNT(*) FROM newsItems WHERE read=1"), QString("2"));
}

void HomeTest::homePageHoldsPriceBoxesAndFourNewsBoxesInOrder()
{
    HomeFixture home;
    home.addSymbol("AAPL", "Apple Inc.");
    home.addSymbol("KO", "Coca-Cola");
    for (const int id : {1, 2, 5, 9})
        home.addFeed(id, QString("Feed %1").arg(id), "teal");
    home.addNewsItem(9, "KO", "Fizz", "http://a.example/", Noon);
    QWidget page;
    auto *highlights = new NewsHighlightsClass(&page);
    QVERIFY(page.layout() && page.layout()->indexOf(highlights) >= 0);
    auto *bar = highlights->findChild<QFrame *>("topFrame");
    QVERIFY(bar);
    QCOMPARE(bar->height(), 40);
    const auto logos = bar->findChildren<QLabel *>();
    QCOMPARE(logos.size(), 1);
    QVERIFY(!logos.first()->pixmap().isNull());
    QCOMPARE(highlights->tickerBox()->boxSymbols(), QStringList({"AAPL", "KO"}));

    QList<int> ids;
    for (const NewsBoxClass *box : highlights->newsBoxes())
        ids << box->feedId;
    QCOMPARE(ids, QList<int>({1, 2, 5, 9}));
    QCOMPARE(highlights->newsBoxes().at(3)->table()->rowCount(), 1);

    home.addNewsItem(1, "AAPL", "Fresh", "http://a.example/f", Noon);
    LogCapture log;
    highlights->updateNewsBoxes();
    QCOMPARE(log.lines().filter("updateDisplay: "),
             QStringList(
                 {"updateDisplay: 1", "updateDisplay: 2", "updateDisplay: 5", "updateDisplay: 9"}));
    QCOMPARE(highlights->newsBoxes().at(0)->table()->rowCount(), 1);

    page.resize(1100, 700);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCOMPARE(highlights->tickerBox()->parentWidget()->parentWidget()->parentWidget()->width(), 240);
}

void HomeTest::mainWindowWiresTheHomePageAndTheTicker()
{
    StoreFixture profile; // a fresh HOME; the first-run question is answered No
    MainWindow window;
    GDatabaseClass &store = GDatabaseClass::mainStore();
    auto *page = window.findChild<QWidget *>("page");
    auto *highlights = page->findChild<NewsHighlightsClass *>();
    QVERIFY(highlights);
    QVERIFY(window.findChild<QWidget *>("frame_2")->findChild<TickerClass *>());
    auto *welcome = window.findChild<WelcomeClass *>();
    QVERIFY(welcome);

    store.ExecSQL("INSERT INTO feeds (id, title, colour, template, active) "
                  "VALUES(2,'Analyst Views','darkorange',1,2)");
    store.ExecSQL("INSERT INTO newsItems (feedId, pubDate, title, url, read, symbol) "
                  "VALUES(2,1700000000000,'Upgrade','http://a.example/',0,'IBM')");
    emit welcome->newRss();
    QCOMPARE(highlights->newsBoxes().at(1)->table()->rowCount(), 1);

    store.ExecSQL("INSERT INTO symbols (symbol, companyName) VALUES('IBM','IBM Corp')");
    store.ExecSQL("INSERT INTO fData (symbol, name, value) VALUES('IBM','LastTradePriceOnly',"
                  "'140.10')");
    emit store.symbolListChanged();
    store.ExecSQL("UPDATE fData SET value='141.00' WHERE symbol='IBM'");
    emit welcome->fundGridRefilled();
    QCOMPARE(highlights->tickerBox()->box("IBM")->priceText()->text(), QString("141.00"));
}

QTEST_MAIN(HomeTest)
#include "tst_home.moc"
