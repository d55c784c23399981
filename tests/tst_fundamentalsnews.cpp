#include "marketdata/chartpicture.h"
#include "marketdata/welcomeclass.h"
#include "support/newsfixture.h"
#include "support/scriptedhttpserver.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>

// Receives the addresses the page hands to the desktop's browser.
class BrowserStandIn : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }
};

class FundamentalsNewsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void theNewsGridShowsTheNewestUnreadItemOncePerTitle();
    void doubleClickingAHeadlineOpensItAndBringsInTheNext();
    void theChartPictureAddressFollowsTheSelectors();
    void theChartShowsTheSymbolDoubleClickedInTheFundGrid();
    void workerStatusIsRelayedForFifteenSecondsAndNewItemsAreAnnounced();
    void aNewsRunStopsTheTimerAndRefreshesTheGridWithNewItems();

private:
    NewsFixture *news = nullptr;
    ScriptedHttpServer *server = nullptr;
    QWidget *container = nullptr;
    BrowserStandIn browser;
    QByteArray previousServices;
};

void FundamentalsNewsTest::init()
{
    news = new NewsFixture;
    server = new ScriptedHttpServer;
    previousServices = qgetenv("CORVANE_SERVICE_URL");
    qputenv("CORVANE_SERVICE_URL", server->baseUrl().toUtf8());
    container = new QWidget;
    QDesktopServices::setUrlHandler("http", &browser, "open");
    browser.opened.clear();
}

void FundamentalsNewsTest::cleanup()
{
    QDesktopServices::unsetUrlHandler("http");
    delete container;
    qputenv("CORVANE_SERVICE_URL", previousServices);
    delete server;
    delete news;
}

void FundamentalsNewsTest::theNewsGridShowsTheNewestUnreadItemOncePerTitle()
{
    news->addTemplate(1, "Heads", "http://h.example/<SYMBOL>", 0, 2, "crimson");
    news->addTemplate(2, "Views", "http://v.example/<SYMBOL>", 0, 2, "teal");
    for (int n = 0; n < 14; ++n)
        news->store().ExecSQL(
            QString("INSERT INTO newsItems (feedId, pubDate, title, url, read, symbol) "
                    "VALUES(%1,%2,'Story %3','http://a.example/%3',0,'IBM')")
                .arg(1 + n % 2)
                .arg(1700000000000LL + n * 60000)
                .arg(n));
    news->store().ExecSQL("INSERT INTO newsItems (feedId, pubDate, title, url, read, symbol) VALUES"
                          "(1,1800000000000,'Already read','u',1,'KO'),"
                          "(2,1700000780000,'Story 13','http://b.example/13',0,'KO')");
    WelcomeClass page(container);
    QTableWidget *grid = page.newsGrid();
    QCOMPARE(grid->rowCount(), 11);
    QCOMPARE(grid->columnCount(), 5);
    QCOMPARE(grid->item(0, 3)->text(), QString("Story 13"));
    QCOMPARE(grid->item(10, 3)->text(), QString("Story 3"));
    for (int row = 0; row < grid->rowCount(); ++row)
        QVERIFY(grid->item(row, 3)->text() != "Already read");
    QCOMPARE(grid->item(1, 2)->text(), QString("IBM"));
    QCOMPARE(grid->item(1, 4)->text(), QString("http://a.example/12"));
    QCOMPARE(grid->item(0, 0)->background().color(), QColor("teal"));
    QCOMPARE(grid->item(1, 0)->background().color(), QColor("crimson"));
    QCOMPARE(grid->item(1, 0)->flags(), Qt::NoItemFlags);
    QCOMPARE(grid->item(1, 1)->text(),
             QDateTime::fromMSecsSinceEpoch(1700000000000LL + 12 * 60000).toString("hh:mm:ss"));
    QCOMPARE(grid->horizontalHeaderItem(3)->text(), QString("Title"));
    QCOMPARE(grid->columnWidth(0), 7);
    QCOMPARE(grid->columnWidth(4), 0);
    QCOMPARE(grid->horizontalHeader()->sectionResizeMode(3), QHeaderView::Stretch);
}

void FundamentalsNewsTest::doubleClickingAHeadlineOpensItAndBringsInTheNext()
{
    news->addTemplate(1, "Heads", "http://h.example/<SYMBOL>");
    news->addTemplate(2, "Fixed", "http://f.example/all");
    for (int n = 0; n < 12; ++n)
        news->store().ExecSQL(
            QString("INSERT INTO newsItems (feedId, pubDate, title, url, read, symbol) "
                    "VALUES(1,%1,'Story %2','http://a.example/%2',0,'IBM')")
                .arg(1700000000000LL + n * 60000)
                .arg(n));
    // The same article for two symbols shows once, and once read it is gone for both.
    news->store().ExecSQL("INSERT INTO newsItems (feedId, pubDate, title, url, read, symbol) VALUES"
                          "(2,1800000000000,'Shared','http://s.example/1',0,'IBM'),"
                          "(2,1800000000000,'Shared','http://s.example/1',0,'KO')");
    WelcomeClass page(container);
    QTableWidget *grid = page.newsGrid();
    QCOMPARE(grid->item(0, 3)->text(), QString("Shared"));
    QCOMPARE(grid->item(10, 3)->text(), QString("Story 2"));

    emit grid->cellDoubleClicked(0, 3);
    QCOMPARE(browser.opened, QList<QUrl>({QUrl("http://s.example/1")}));
    QCOMPARE(news->value("SELECT COUNT(*) FROM newsItems WHERE title='Shared' AND read=1"),
             QString("2"));
    QCOMPARE(grid->rowCount(), 11);
    QCOMPARE(grid->item(0, 3)->text(), QString("Story 11"));
    QCOMPARE(grid->item(10, 3)->text(), QString("Story 1"));
}

void FundamentalsNewsTest::theChartPictureAddressFollowsTheSelectors()
{
    const QString base = server->baseUrl();
    QCOMPARE(ChartPicture::address("IBM", 0, 0, 0).toString(),
             base + "/z?s=IBM&l=on&z=s&q=l&t=1d&p=v");
    QCOMPARE(ChartPicture::address("IBM", 2, 3, 3).toString(),
             base + "/z?s=IBM&l=on&z=s&q=b&t=6m&p=s");
    QCOMPARE(ChartPicture::address("IBM", 1, 2, 1).toString(),
             base + "/z?s=IBM&l=on&z=s&q=c&t=3m&p=b");
    QCOMPARE(ChartPicture::address("", 5, -1, 2).toString(), base + "/z?s=&l=on&z=s&p=p");
    QCOMPARE(QUrlQuery(ChartPicture::address("A&B", 0, 0, 0)).queryItemValue("s"), QString("A&B"));

    WelcomeClass page(container);
    const QList<QComboBox *> boxes = container->findChildren<QComboBox *>();
    QCOMPARE(boxes.size(), 3);
    QCOMPARE(boxes[1]->itemText(3), QString("6Months"));
    boxes[0]->setCurrentIndex(1);
    boxes[1]->setCurrentIndex(1);
    boxes[2]->setCurrentIndex(2);
    QCOMPARE(page.chartUrl().toString(), base + "/z?s=&l=on&z=s&q=c&t=5d&p=p");
}

void FundamentalsNewsTest::theChartShowsTheSymbolDoubleClickedInTheFundGrid()
{
    WelcomeClass page(container);
    QTableWidget *fund = page.fundGrid();
    fund->setRowCount(2);
    fund->setColumnCount(1);
    fund->setItem(0, 0, new QTableWidgetItem("AAPL"));
    fund->setItem(1, 0, new QTableWidgetItem("MSFT"));
    emit fund->cellDoubleClicked(1, 0);
    QCOMPARE(page.currentSymbol, QString("MSFT"));
    QCOMPARE(QUrlQuery(page.chartUrl()).queryItemValue("s"), QString("MSFT"));
}

void FundamentalsNewsTest::workerStatusIsRelayedForFifteenSecondsAndNewItemsAreAnnounced()
{
    WelcomeClass page(container);
    QSignalSpy status(&page, &WelcomeClass::statusUpdate);
    QSignalSpy fresh(&page, &WelcomeClass::newRss);
    page.on_statusUpdate("Updating: Heads for IBM");
    QCOMPARE(status.size(), 1);
    QCOMPARE(status[0][0].toString(), QString("Updating: Heads for IBM"));
    QCOMPARE(status[0][1].toInt(), 15000);
    page.gotNewRss();
    QCOMPARE(fresh.size(), 1);
    QCOMPARE(page.newsTimer()->interval(), 60000);
    QVERIFY(page.newsTimer()->isActive());
}

void FundamentalsNewsTest::aNewsRunStopsTheTimerAndRefreshesTheGridWithNewItems()
{
    news->addTemplate(1, "Heads", server->url("/news?s=<SYMBOL>"));
    news->addSymbols({"IBM"});
    ScriptedHttpServer::Reply feed;
    feed.body = rssDocument({{"Fresh story", "http://a.example/fresh", "d",
                              "Tue, 05 Mar 2024 12:00:00 GMT", "", "", ""}});
    feed.delayMs = 200;
    server->script("/news", feed);

    WelcomeClass page(container);
    QSignalSpy status(&page, &WelcomeClass::statusUpdate);
    QSignalSpy fresh(&page, &WelcomeClass::newRss);
    QCOMPARE(page.newsGrid()->rowCount(), 0);
    page.getNewRSS();
    QVERIFY(!page.newsTimer()->isActive());
    QTRY_VERIFY(page.newsTimer()->isActive());
    QCOMPARE(fresh.size(), 1);
    QCOMPARE(status.size(), 1);
    QCOMPARE(status[0][0].toString(), QString("Updating: Heads for IBM"));
    QCOMPARE(page.newsGrid()->rowCount(), 1);
    QCOMPARE(page.newsGrid()->item(0, 3)->text(), QString("Fresh story"));
}

NEWS_TEST_MAIN(FundamentalsNewsTest)
#include "tst_fundamentalsnews.moc"
