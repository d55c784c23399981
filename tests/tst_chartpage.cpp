#include "chartconst.h"
#include "charts/chartclass.h"
#include "charts/chartframeclass.h"
#include "charts/chartnews.h"
#include "charts/qchartviewer.h"
#include "imagemaphandler.h"
#include "store/settingskeys.h"
#include "support/chartpagefixture.h"
#include "support/logcapture.h"
#include "support/scriptedhttpserver.h"
#include "support/simprocess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace {

// Records the addresses the page asks the desktop to open instead of starting a browser.
class OpenedUrls : public QObject
{
    Q_OBJECT

public:
    OpenedUrls()
    {
        QDesktopServices::setUrlHandler("http", this, "open");
        QDesktopServices::setUrlHandler("https", this, "open");
    }
    ~OpenedUrls() override
    {
        QDesktopServices::unsetUrlHandler("http");
        QDesktopServices::unsetUrlHandler("https");
    }
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }
};

QCheckBox *checkBox(QWidget *host, const QString &text)
{
    for (QCheckBox *box : host->findChildren<QCheckBox *>()) {
        if (box->text() == text)
            return box;
    }
    return nullptr;
}

QList<QComboBox *> indicatorBoxes(QWidget *host)
{
    QList<QComboBox *> boxes;
    for (QComboBox *box : host->findChildren<QComboBox *>()) {
        if (box->count() == 34)
            boxes << box;
    }
    return boxes;
}

} // namespace

class ChartPageTest : public QObject
{
    Q_OBJECT

private slots:
    void optionsSurviveIntoTheNextPage();
    void storedDatesReadInBothForms();
    void newsDatesInSecondsBecomeMilliseconds();
    void intradayNewsIsCountedPerWholeHour();
    void headlinesAreGroupedUnderDateRows();
    void doubleClickOpensTheArticleButNotADateRow();
    void placeholderSymbolDownloadsNothing();
    void choosingASymbolDownloadsItsHistoryAndDrawsIt();
    void unsupportedIndicatorsShrinkTheMainPanelWithoutPanels();
    void mainPanelNeverDropsBelowItsMinimum();
    void crossHairFollowsTheMouse();
    void closingTheLastTabOpensANewOne();
    void newNewsRefreshesEveryChartTab();
};

void ChartPageTest::optionsSurviveIntoTheNextPage()
{
    ChartPageFixture fixture;
    QWidget *host = fixture.newHost();
    auto *page = new ChartFrameClass(host);
    page->chartTypeBox()->setCurrentIndex(1);
    checkBox(host, "Display Chart Crosshair?")->click();
    checkBox(host, "Show Volume")->setChecked(true);
    indicatorBoxes(host).at(2)->setCurrentIndex(27);
    page->drawChart();
    QCOMPARE(SettingsKeys::read(fixture.store(), SettingsKeys::DisplayCrossHairs), QString("2"));
    QCOMPARE(SettingsKeys::read(fixture.store(), SettingsKeys::Tech3), QString("27"));
    QCOMPARE(fixture.base().rows("SELECT COUNT(*) FROM config WHERE name='typeCombo'"),
             QStringList({"1"}));

    QWidget *secondHost = fixture.newHost();
    auto *second = new ChartFrameClass(secondHost);
    QCOMPARE(second->chartTypeBox()->currentIndex(), 1);
    QVERIFY(checkBox(secondHost, "Display Chart Crosshair?")->isChecked());
    QVERIFY(checkBox(secondHost, "Show Volume")->isChecked());
    QVERIFY(!checkBox(secondHost, "Show Log Scale")->isChecked());
    QCOMPARE(indicatorBoxes(secondHost).at(2)->currentIndex(), 27);
    QCOMPARE(indicatorBoxes(secondHost).at(0)->currentIndex(), 0);
}

void ChartPageTest::storedDatesReadInBothForms()
{
    QCOMPARE(ChartNews::chartTimeOfStoredDate(20240315), Chart::chartTime(2024, 3, 15));
    QVERIFY(!ChartNews::isIntradayDate(30110428));
    QVERIFY(ChartNews::isIntradayDate(30110429));
    const QDateTime local = QDateTime::fromSecsSinceEpoch(1700000000);
    QCOMPARE(ChartNews::chartTimeOfStoredDate(1700000000),
             Chart::chartTime(local.date().year(), local.date().month(), local.date().day(),
                              local.time().hour(), local.time().minute(), local.time().second()));
}

void ChartPageTest::newsDatesInSecondsBecomeMilliseconds()
{
    ChartPageFixture fixture;
    fixture.store().ExecSQL("INSERT INTO newsItems (feedId, pubDate, title, url, symbol) VALUES "
                            "(1,1300000000,'s','a','X')");
    fixture.store().ExecSQL("INSERT INTO newsItems (feedId, pubDate, title, url, symbol) VALUES "
                            "(1,1200000000000,'ms','b','X')");
    new ChartFrameClass(fixture.newHost());
    QCOMPARE(fixture.base().rows("SELECT pubDate FROM newsItems ORDER BY title"),
             QStringList({"1200000000000", "1300000000000"}));
}

void ChartPageTest::intradayNewsIsCountedPerWholeHour()
{
    ChartPageFixture fixture;
    GDatabaseClass &store = fixture.store();
    store.ExecSQL("INSERT INTO feeds (id, title, colour, feedURL, template) VALUES "
                  "(7,'Wire','teal','http://w.example/<SYMBOL>',1)");
    // Five-minute bars from 9:30 to 11:55, local time, as the history service sends them.
    const QDate day(2024, 3, 5);
    QStringList dates;
    for (QTime bar(9, 30); bar <= QTime(11, 55) && bar.isValid(); bar = bar.addSecs(300)) {
        const qint64 seconds = QDateTime(day, bar).toSecsSinceEpoch();
        dates << QString::number(seconds);
        store.ExecSQL(QString("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
                              "VALUES(%1,'IBM',1,1,1,1,1)")
                          .arg(seconds));
    }
    // Items at minutes no bar falls on.
    int id = 0;
    for (const QTime at : {QTime(9, 11), QTime(9, 47), QTime(10, 11), QTime(11, 59)}) {
        store.ExecSQL(QString("INSERT INTO newsItems (feedId, pubDate, title, url, symbol) VALUES "
                              "(7,%1,'n%2','u%2','IBM')")
                          .arg(QDateTime(day, at).toMSecsSinceEpoch())
                          .arg(++id));
    }
    const ChartNews::CountTable table =
        ChartNews::countTable(dates, {7}, store.GetSQLRecords(ChartNews::countQuery("IBM", false)));
    QCOMPARE(table.categories,
             QStringList({"2024-03-05 09:00", "2024-03-05 10:00", "2024-03-05 11:00"}));
    QCOMPARE(table.categoryTimes, QList<double>({Chart::chartTime(2024, 3, 5, 9, 0, 0),
                                                 Chart::chartTime(2024, 3, 5, 10, 0, 0),
                                                 Chart::chartTime(2024, 3, 5, 11, 0, 0)}));
    QCOMPARE(table.counts, QList<QList<double>>({{2, 1, 1}}));
}

void ChartPageTest::headlinesAreGroupedUnderDateRows()
{
    ChartPageFixture fixture;
    fixture.addSymbol("IBM", "International Business Machines");
    for (int i = 0; i < 3; ++i)
        fixture.addNews("IBM", QString("Today %1").arg(i), 0, -i);
    for (int i = 0; i < 2; ++i)
        fixture.addNews("IBM", QString("Earlier %1").arg(i), 2, -i);
    fixture.addNews("KO", "Other symbol", 0);

    QWidget *host = fixture.newHost();
    auto *page = new ChartFrameClass(host);
    page->timeFrameBox()->blockSignals(true);
    page->timeFrameBox()->setCurrentIndex(1); // 5 days
    page->timeFrameBox()->blockSignals(false);
    page->symbolBox()->blockSignals(true);
    page->symbolBox()->setCurrentIndex(page->symbolBox()->findText("IBM"));
    page->symbolBox()->blockSignals(false);
    page->newRssAlert();

    QTableWidget *table = page->headlineTable();
    QCOMPARE(table->rowCount(), 7);
    QVERIFY(!table->item(0, 0));
    QCOMPARE(table->item(0, 1)->foreground().color(), QColor(100, 218, 227));
    QCOMPARE(table->item(1, 1)->text(), QString("Today 0"));
    QCOMPARE(table->item(1, 0)->background().color(), QColor("steelblue"));
    QCOMPARE(table->item(4, 1)->foreground().color(), QColor(100, 218, 227));
    QCOMPARE(table->item(6, 1)->text(), QString("Earlier 1"));
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QString("Latest News"));

    // One day back only: the older group is gone.
    page->timeFrameBox()->blockSignals(true);
    page->timeFrameBox()->setCurrentIndex(0);
    page->timeFrameBox()->blockSignals(false);
    page->newRssAlert();
    QCOMPARE(table->rowCount(), 4);
}

void ChartPageTest::doubleClickOpensTheArticleButNotADateRow()
{
    ChartPageFixture fixture;
    fixture.addSymbol("IBM", "International Business Machines");
    fixture.addNews("IBM", "Big news", 0);
    QWidget *host = fixture.newHost();
    auto *page = new ChartFrameClass(host);
    page->symbolBox()->blockSignals(true);
    page->symbolBox()->setCurrentIndex(1);
    page->symbolBox()->blockSignals(false);
    page->newRssAlert();

    OpenedUrls opened;
    page->rssTableDblClick(0, 1);
    QVERIFY(opened.urls.isEmpty());
    page->rssTableDblClick(1, 1);
    QCOMPARE(opened.urls, QList<QUrl>({QUrl("http://news.example/Big-news")}));
}

void ChartPageTest::placeholderSymbolDownloadsNothing()
{
    ScriptedHttpServer server;
    qputenv("CORVANE_HISTORY_URL", server.baseUrl().toUtf8());
    ChartPageFixture fixture;
    fixture.addSymbol("IBM", "International Business Machines");
    QTabWidget tabs;
    auto *host = new QWidget;
    tabs.addTab(host, "My New Chart");
    auto *page = new ChartFrameClass(host);
    page->symbolComboChanged();
    page->timeFrameBox()->setCurrentIndex(3);
    QTest::qWait(100);
    QVERIFY(server.requests().isEmpty());
    QCOMPARE(tabs.tabText(0), QString("My New Chart"));
    qunsetenv("CORVANE_HISTORY_URL");
}

void ChartPageTest::choosingASymbolDownloadsItsHistoryAndDrawsIt()
{
    SimProcess sim;
    QVERIFY(sim.isRunning());
    ChartPageFixture fixture;
    fixture.addSymbol("IBM", "International Business Machines");
    QTabWidget tabs;
    tabs.resize(1100, 800);
    auto *host = new QWidget;
    tabs.addTab(new QWidget, "Other");
    tabs.addTab(host, "My New Chart");
    auto *page = new ChartFrameClass(host);
    page->timeFrameBox()->setCurrentIndex(2);
    page->symbolBox()->setCurrentIndex(page->symbolBox()->findText("IBM"));

    QTRY_VERIFY_WITH_TIMEOUT(fixture.base().count("qData WHERE symbol='IBM'") > 30, 10000);
    QCOMPARE(tabs.tabText(1), QString("International Business Machines (IBM)"));
    QCOMPARE(tabs.tabText(0), QString("Other"));
    QTRY_VERIFY_WITH_TIMEOUT(!page->priceViewer()->pixmap().isNull(), 5000);
    QVERIFY(page->priceViewer()->getImageMapHandler());
    QVERIFY(page->priceViewer()->getImageMapHandler()->getHotSpotCount() > 30);
    QVERIFY(!page->newsViewer()->pixmap().isNull());
    QCOMPARE(page->newsViewer()->pixmap().height(), 145);
}

void ChartPageTest::unsupportedIndicatorsShrinkTheMainPanelWithoutPanels()
{
    ChartPageFixture fixture;
    fixture.addSymbol("KO", "Coca-Cola");
    fixture.addDailyHistory("KO", 120);
    QWidget *host = fixture.newHost(1000, 800);
    auto *page = new ChartFrameClass(host);
    page->symbolBox()->blockSignals(true);
    page->symbolBox()->setCurrentIndex(1);
    page->symbolBox()->blockSignals(false);
    const QList<QComboBox *> boxes = indicatorBoxes(host);
    for (int i = 0; i < 3; ++i) {
        boxes.at(i)->blockSignals(true);
        boxes.at(i)->setCurrentIndex(QList<int>{1, 2, 4}.at(i)); // offered, never drawn
        boxes.at(i)->blockSignals(false);
    }
    page->drawChart();
    QCOMPARE(page->lastMainPanelHeight(), 800 - 266 - 240);
    QCOMPARE(page->priceViewer()->pixmap().height(), page->lastMainPanelHeight() + 1 + 30 + 35);

    boxes.at(0)->setCurrentIndex(27); // RSI draws a panel of 80 pixels
    QCOMPARE(page->priceViewer()->pixmap().height(),
             page->lastMainPanelHeight() + 1 + 81 + 30 + 35);
}

void ChartPageTest::mainPanelNeverDropsBelowItsMinimum()
{
    QCOMPARE(ChartFrameClass::mainPanelHeightFor(900, 1), 900 - 266 - 80);
    QCOMPARE(ChartFrameClass::mainPanelHeightFor(500, 4), ChartFrameClass::MinimumMainPanelHeight);
    QCOMPARE(ChartFrameClass::mainPanelHeightFor(0, 0), ChartFrameClass::MinimumMainPanelHeight);
}

void ChartPageTest::crossHairFollowsTheMouse()
{
    ChartPageFixture fixture;
    QWidget *host = fixture.newHost();
    auto *page = new ChartFrameClass(host);
    page->priceViewer()->resize(600, 400);
    QMouseEvent move(QEvent::MouseMove, QPointF(120, 80), QPointF(120, 80), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    page->onMouseMove(&move);
    QCOMPARE(page->verticalCrossHair()->geometry(),
             QRect(120, 0, 2, page->priceViewer()->height()));
    QCOMPARE(page->horizontalCrossHair()->geometry(),
             QRect(0, 80, page->priceViewer()->width(), 2));
    QVERIFY(page->verticalCrossHair()->isHidden()); // moved, but shown only when asked for
}

void ChartPageTest::closingTheLastTabOpensANewOne()
{
    ChartPageFixture fixture;
    QWidget *container = fixture.newHost();
    ChartClass charts(container);
    QTabWidget *tabs = charts.tabs();
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->tabText(0), QString("My New Chart"));
    charts.newChart();
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->currentIndex(), 1);
    charts.on_tabWidget_tabCloseRequested(0);
    charts.on_tabWidget_tabCloseRequested(0);
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->tabText(0), QString("My New Chart"));
    QVERIFY(charts.latestChart());
    QVERIFY(tabs->widget(0)->layout());
}

void ChartPageTest::newNewsRefreshesEveryChartTab()
{
    ChartPageFixture fixture;
    fixture.addSymbol("IBM", "International Business Machines");
    QWidget *container = fixture.newHost();
    ChartClass charts(container);
    charts.newChart();
    QList<ChartFrameClass *> pages = container->findChildren<ChartFrameClass *>();
    QCOMPARE(pages.size(), 2);
    for (ChartFrameClass *page : pages) {
        page->symbolBox()->blockSignals(true);
        page->symbolBox()->setCurrentIndex(1);
        page->symbolBox()->blockSignals(false);
        QCOMPARE(page->headlineTable()->rowCount(), 0);
    }
    fixture.addNews("IBM", "Fresh", 0);
    charts.newRSS();
    for (ChartFrameClass *page : pages)
        QCOMPARE(page->headlineTable()->rowCount(), 2);
}

QTEST_MAIN(ChartPageTest)
#include "tst_chartpage.moc"
