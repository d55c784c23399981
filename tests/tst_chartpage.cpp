#include "chartconst.h"
#include "charts/chartclass.h"
#include "charts/chartcomposition.h"
#include "charts/chartframeclass.h"
#include "charts/chartnews.h"
#include "charts/chartoptions.h"
#include "charts/financechart.h"
#include "charts/qchartviewer.h"
#include "imagemaphandler.h"
#include "store/pricerows.h"
#include "store/settingskeys.h"
#include "support/chartpagefixture.h"
#include "support/logcapture.h"
#include "support/scriptedhttpserver.h"
#include "support/simprocess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QWheelEvent>
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

// The title of the first hot spot found in the area, scanning it every 2 pixels.
QString tooltipIn(QChartViewer *viewer, const QRect &area)
{
    ImageMapHandler *handler = viewer->getImageMapHandler();
    if (!handler)
        return {};
    for (int x = area.right(); x >= area.left(); x -= 2) {
        for (int y = area.top(); y <= area.bottom(); y += 2) {
            if (handler->getHotSpot(x, y) != 0)
                return handler->getValue(QStringLiteral("title"));
        }
    }
    return {};
}

// Saves the viewer's picture where a developer can look at it when CORVANE_CHART_SHOTS names a
// folder.
void keepPicture(QChartViewer *viewer, const QString &name)
{
    const QString folder = qEnvironmentVariable("CORVANE_CHART_SHOTS");
    if (!folder.isEmpty())
        viewer->pixmap().save(QDir(folder).filePath(name + ".png"));
}

// Counts the pixels of one colour in a picture.
int pixelsOf(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            count += (line[x] & 0xffffff) == (colour & 0xffffff) ? 1 : 0;
    }
    return count;
}

void send(QWidget *target, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void wheel(QWidget *target, QPoint at, int angle)
{
    QWheelEvent event(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, angle),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &event);
}

// A page on its own host showing the symbol's stored history, without any download.
ChartFrameClass *pageShowing(ChartPageFixture &fixture, QWidget *host, const QString &symbol)
{
    auto *page = new ChartFrameClass(host);
    page->symbolBox()->blockSignals(true);
    page->symbolBox()->setCurrentIndex(page->symbolBox()->findText(symbol));
    page->symbolBox()->blockSignals(false);
    page->drawChart();
    Q_UNUSED(fixture);
    return page;
}

// The data names of a panel's layers, each data set's in turn.
QStringList dataNames(const XYChart *panel)
{
    QStringList names;
    for (int i = 0; i < panel->getLayerCount(); ++i) {
        for (int d = 0; d < panel->getLayer(i)->getDataSetCount(); ++d)
            names << panel->getLayer(i)->getDataSet(d)->getDataName();
    }
    return names;
}

bool anyStartsWith(const QStringList &names, const QString &prefix)
{
    return std::any_of(names.begin(), names.end(),
                       [&](const QString &name) { return name.startsWith(prefix); });
}

ChartComposition::Page pageOf(const QString &symbol, const QString &company)
{
    ChartComposition::Page page;
    page.symbol = symbol;
    page.companyName = company;
    page.renderedAt = QDateTime(QDate(2024, 3, 4), QTime(10, 0));
    page.width = 700;
    page.pageHeight = 800;
    return page;
}

} // namespace

class ChartPageTest : public QObject
{
    Q_OBJECT

private slots:
    void optionsSurviveIntoTheNextPage();
    void refusedOptionWriteKeepsEveryStoredOption();
    void storedDatesReadInBothForms();
    void storedDaysOutsideTheCalendarAreNoDates_data();
    void storedDaysOutsideTheCalendarAreNoDates();
    void priceRowsReadAsTheirRowStringsConvert();
    void newsDatesInSecondsBecomeMilliseconds();
    void intradayNewsIsCountedPerWholeHour();
    void headlinesAreGroupedUnderDateRows();
    void doubleClickOpensTheArticleButNotADateRow();
    void placeholderSymbolDownloadsNothing();
    void choosingASymbolDownloadsItsHistoryAndDrawsIt();
    void everyIndicatorEntryDrawsItsPanel();
    void mainPanelNeverDropsBelowItsMinimum();
    void visiblePointsCoverTheViewPort();
    void composedChartHoldsThePanelsAndOverlaysChosen();
    void composedChartShowsTheViewPortAndTheComparison();
    void composedNewsChartStacksEachFeedsCounts();
    void wheelZoomsDragScrollsAndDoubleClickResets();
    void comparisonDrawsTheOtherSymbolAndFetchesItsHistory();
    void editedPeriodFieldsRedraw();
    void lowPageScrollsInsteadOfCuttingPanels();
    void everyOptionShowsInTheDrawnChart();
    void newsCountsFillTheirFeedAndDay();
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

void ChartPageTest::refusedOptionWriteKeepsEveryStoredOption()
{
    ChartPageFixture fixture;
    ChartOptions stored;
    stored.setValue(SettingsKeys::TypeCombo, 1);
    stored.setValue(SettingsKeys::Tech3, 27);
    QVERIFY(stored.save(fixture.store()));
    const QStringList before = fixture.base().rows("SELECT name, value FROM config ORDER BY name");

    // The type is written before the fourth indicator; refusing the latter must undo the former.
    fixture.store().ExecSQL("CREATE TRIGGER refuseTech4 BEFORE INSERT ON config "
                            "WHEN NEW.name = 'tech4' "
                            "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END");
    ChartOptions changed = stored;
    changed.setValue(SettingsKeys::TypeCombo, 2);
    changed.setValue(SettingsKeys::Tech4, 5);
    QVERIFY(!changed.save(fixture.store()));
    QCOMPARE(fixture.base().rows("SELECT name, value FROM config ORDER BY name"), before);
    QCOMPARE(ChartOptions::load(fixture.store()).value(SettingsKeys::TypeCombo), 1);
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

void ChartPageTest::storedDaysOutsideTheCalendarAreNoDates_data()
{
    QTest::addColumn<qint64>("stored");
    QTest::newRow("leap day") << qint64(20240229);
    QTest::newRow("no 29 February") << qint64(20230229);
    QTest::newRow("month 13") << qint64(20241301);
    QTest::newRow("day 0") << qint64(20240100);
    QTest::newRow("seven digits") << qint64(9991231);
    QTest::newRow("seven digits, a short day") << qint64(2024011);
    QTest::newRow("six digits") << qint64(202401);
    QTest::newRow("five digits") << qint64(20241);
    QTest::newRow("zero") << qint64(0);
    QTest::newRow("negative") << qint64(-20240101);
    QTest::newRow("negative, nine digits") << qint64(-100001011);
    QTest::newRow("last day before seconds") << qint64(30110428);
}

void ChartPageTest::storedDaysOutsideTheCalendarAreNoDates()
{
    // As a date parser reads the digits: a day that does not exist is no date at all.
    QFETCH(qint64, stored);
    const QDate parsed = QDate::fromString(QString::number(stored), QStringLiteral("yyyyMMdd"));
    QCOMPARE(ChartNews::chartTimeOfStoredDate(stored),
             Chart::chartTime(parsed.year(), parsed.month(), parsed.day()));
}

void ChartPageTest::priceRowsReadAsTheirRowStringsConvert()
{
    ChartPageFixture fixture;
    fixture.store().ExecSQL("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) VALUES "
                            "(20240102,'O''NEIL',10.5,11,9.75,10.25,1200300),"
                            "(20240103,'O''NEIL','10.125','12.5e1',NULL,'n/a',0.1),"
                            "(1700000000,'O''NEIL',1e-7,3,2,2.5,123456789012),"
                            "(20240104,'OTHER',1,1,1,1,1)");
    const PriceRows::Columns rows = PriceRows::read(fixture.store(), "O'NEIL");
    const QStringList strings = fixture.store().GetSQLRecords(
        "SELECT date,Open,High,Low,Close,Volume FROM qData WHERE symbol='O''NEIL'");
    QCOMPARE(rows.size(), 3);
    QCOMPARE(strings.size(), 3);
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList f = strings[i].split('|');
        QCOMPARE(rows.dates[i], f[0]);
        QCOMPARE(rows.dateNumbers[size_t(i)], f[0].toLongLong());
        const std::vector<double> *columns[] = {&rows.open, &rows.high, &rows.low, &rows.close,
                                                &rows.volume};
        for (int c = 0; c < 5; ++c)
            QCOMPARE((*columns[c])[size_t(i)], f[c + 1].toDouble());
    }
    QCOMPARE(rows.high[1], 125.0);
    QCOMPARE(rows.low[1], 0.0);   // missing
    QCOMPARE(rows.close[1], 0.0); // unreadable
    QCOMPARE(PriceRows::read(fixture.store(), "NONE").size(), 0);
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

void ChartPageTest::everyIndicatorEntryDrawsItsPanel()
{
    ChartPageFixture fixture;
    fixture.addSymbol("KO", "Coca-Cola");
    fixture.addDailyHistory("KO", 60);
    QWidget *host = fixture.newHost(700, 800);
    auto *page = new ChartFrameClass(host);
    page->symbolBox()->blockSignals(true);
    page->symbolBox()->setCurrentIndex(1);
    page->symbolBox()->blockSignals(false);
    const QList<QComboBox *> boxes = indicatorBoxes(host);
    QCOMPARE(boxes.size(), 4);
    for (QComboBox *box : boxes)
        box->blockSignals(true);
    // Each box in turn shows every entry; the others stay at "None".
    for (int entry = 1; entry < boxes.first()->count(); ++entry) {
        QComboBox *box = boxes.at(entry % 4);
        box->setCurrentIndex(entry);
        page->drawChart();
        const QString name = box->currentText();
        QCOMPARE(page->lastMainPanelHeight(), 800 - 266 - 80);
        QVERIFY2(page->priceViewer()->pixmap().height() ==
                     page->lastMainPanelHeight() + 1 + 81 + 30 + 35,
                 qPrintable(name));
        // Every indicator line offers its values as tooltips: "[date] label: value".
        if (name != "Volume") {
            const int top = page->lastMainPanelHeight() + 1 + 30;
            const QString title = tooltipIn(page->priceViewer(), QRect(40, top, 700 - 80, 80));
            QVERIFY2(QRegularExpression(R"(^\[.+\] [^:]+: -?[0-9.e+-]+[KMB%]?$)")
                         .match(title)
                         .hasMatch(),
                     qPrintable(name + ": " + title));
        }
        box->setCurrentIndex(0);
    }
}

void ChartPageTest::mainPanelNeverDropsBelowItsMinimum()
{
    QCOMPARE(ChartFrameClass::mainPanelHeightFor(900, 1), 900 - 266 - 80);
    QCOMPARE(ChartFrameClass::mainPanelHeightFor(500, 4), ChartFrameClass::MinimumMainPanelHeight);
    QCOMPARE(ChartFrameClass::mainPanelHeightFor(0, 0), ChartFrameClass::MinimumMainPanelHeight);
}

void ChartPageTest::visiblePointsCoverTheViewPort()
{
    using Range = ChartFrameClass::PointRange;
    const auto check = [](Range range, int first, int end) {
        return range.first == first && range.end == end;
    };
    QVERIFY(check(ChartFrameClass::visiblePoints(200, 0, 1), 0, 200));
    QVERIFY(check(ChartFrameClass::visiblePoints(200, 0.25, 0.5), 50, 150));
    QVERIFY(check(ChartFrameClass::visiblePoints(200, 0.2501, 0.5), 50, 151));
    QVERIFY(check(ChartFrameClass::visiblePoints(200, 1, 0), 199, 200)); // never empty
    QVERIFY(check(ChartFrameClass::visiblePoints(0, 0, 1), 0, 0));
}

void ChartPageTest::composedChartHoldsThePanelsAndOverlaysChosen()
{
    ChartPageFixture fixture;
    fixture.addDailyHistory("KO", 120);
    const PriceRows::Columns rows = PriceRows::read(fixture.store(), "KO");
    ChartComposition::Options options;
    options.priceType = 1;
    options.priceBand = 2;
    options.movingAverages = {{{2, 30}, {0, 14}}};
    options.indicators = {27, 0, 15, 0}; // RSI, none, MACD, none
    options.volumeBars = true;
    const ChartComposition::PriceChart drawn =
        ChartComposition::composePriceChart(rows, pageOf("KO", "Coca-Cola"), options);

    const FinanceChart &chart = *drawn.chart;
    QCOMPARE(int(chart.panels().size()), 3); // the main panel and one per chosen indicator
    QCOMPARE(drawn.mainPanelHeight, ChartComposition::mainPanelHeightFor(800, 2));
    QCOMPARE(drawn.mainPanelHeight, 800 - 266 - 2 * 80);
    QCOMPARE(chart.getHeight(), drawn.mainPanelHeight + 1 + 2 * 81 + 30 + 35);
    QVERIFY(anyStartsWith(dataNames(chart.panels().at(1).get()), "RSI (14): "));
    QVERIFY(anyStartsWith(dataNames(chart.panels().at(2).get()), "MACD (26, 12): "));

    const QStringList main = dataNames(chart.mainPanel());
    QVERIFY(anyStartsWith(main, "Donchian (20): "));
    QVERIFY(anyStartsWith(main, "EMA (30): "));
    QVERIFY(!anyStartsWith(main, "SMA")); // the second average is "None"
    QVERIFY(anyStartsWith(main, "Vol: "));
    QVERIFY(!anyStartsWith(main, "LONG")); // no signal markers asked for
    QVERIFY(drawn.price && drawn.price->kind() == Layer::CandleStickKind);
    QVERIFY(!drawn.closeLine);
    QCOMPARE(chart.pointCount(), 120);
    QCOMPARE(chart.shownPointCount(), 120);

    // Once made, the candles and each indicator line offer a tooltip per point.
    drawn.chart->makeImage();
    const auto areas = ChartComposition::hotSpots(drawn);
    QCOMPARE(int(areas.size()), 1 + int(chart.indicatorLines().size()));
    QCOMPARE(int(chart.indicatorLines().size()), 3); // RSI; MACD and its signal line
    int candleAreas = 0;
    areas.front().forEachArea([&](const ImageMap::Coords &) { ++candleAreas; });
    QCOMPARE(candleAreas, 120);

    options.indicators = {0, 0, 0, 0};
    options.signalMarkers = true;
    const ChartComposition::PriceChart plain =
        ChartComposition::composePriceChart(rows, pageOf("KO", "Coca-Cola"), options);
    QCOMPARE(int(plain.chart->panels().size()), 1);
    QCOMPARE(plain.mainPanelHeight, 800 - 266);
    QVERIFY(anyStartsWith(dataNames(plain.chart->mainPanel()), "LONG"));
    QVERIFY(anyStartsWith(dataNames(plain.chart->mainPanel()), "SHORT"));
}

void ChartPageTest::composedChartShowsTheViewPortAndTheComparison()
{
    ChartPageFixture fixture;
    fixture.addDailyHistory("KO", 200);
    fixture.addDailyHistory("PEP", 200, 50, -0.1);
    const PriceRows::Columns rows = PriceRows::read(fixture.store(), "KO");
    ChartComposition::Page page = pageOf("KO", "Coca-Cola");
    page.viewPortLeft = 0.5;
    page.viewPortWidth = 0.25;
    page.comparedSymbol = "PEP";
    page.comparedRows = fixture.store().GetSQLRecords("SELECT date,Close FROM qData WHERE "
                                                      "symbol='PEP'");
    ChartComposition::Options options;
    options.indicators = {17, 0, 0, 0}; // Momentum
    const ChartComposition::PriceChart drawn =
        ChartComposition::composePriceChart(rows, page, options);

    QCOMPARE(drawn.shown.first, 100);
    QCOMPARE(drawn.shown.end, 150);
    // The points before the first shown one are there for the indicators' look-back only.
    QCOMPARE(drawn.chart->pointCount(), 150);
    QCOMPARE(drawn.chart->shownPointCount(), 50);
    const QStringList main = dataNames(drawn.chart->mainPanel());
    QVERIFY(anyStartsWith(main, "Closing Price: 249")); // the close of the last shown point
    QVERIFY(drawn.price && drawn.closeLine);
    const auto compared = std::find_if(main.begin(), main.end(), [](const QString &name) {
        return name.startsWith("Compare: PEP");
    });
    QVERIFY(compared != main.end());
    // Rebased to the first shown close, so both start together.
    const XYChart *panel = drawn.chart->mainPanel();
    for (int i = 0; i < panel->getLayerCount(); ++i) {
        const DataSet *set = panel->getLayer(i)->getDataSet(0);
        if (set && set->getDataName().startsWith("Compare: PEP"))
            QCOMPARE(set->getValue(100), 200.0);
    }

    // A symbol without stored rows is named but draws nothing.
    page.comparedSymbol = "XOM";
    page.comparedRows.clear();
    QVERIFY(!anyStartsWith(
        dataNames(ChartComposition::composePriceChart(rows, page, options).chart->mainPanel()),
        "Compare:"));
}

void ChartPageTest::composedNewsChartStacksEachFeedsCounts()
{
    ChartNews::CountTable table;
    table.categories = {"2024-03-01", "2024-03-04", "2024-03-05"};
    table.categoryTimes = {Chart::chartTime(2024, 3, 1), Chart::chartTime(2024, 3, 4),
                           Chart::chartTime(2024, 3, 5)};
    table.feedIds = {1, 2};
    table.counts = {{1, 0, 3}, {0, 2, 1}};
    const std::unique_ptr<XYChart> chart =
        ChartComposition::composeNewsChart(table, {"Company Headlines", "Wire"}, true, 640);
    QCOMPARE(chart->getWidth(), 640);
    QCOMPARE(chart->getHeight(), 145);
    QCOMPARE(chart->getLayerCount(), 1);
    const Layer *bars = chart->getLayer(0);
    QCOMPARE(bars->kind(), Layer::BarKind);
    QCOMPARE(bars->getDataSetCount(), 2);
    QCOMPARE(bars->getDataSet(0)->getDataName(), QString("Company Headlines"));
    QCOMPARE(bars->getDataSet(1)->getDataName(), QString("Wire"));
    QVERIFY(bars->getDataSet(1)->data() == std::vector<double>({0, 2, 1}));

    chart->makeImage();
    const QString map = ChartComposition::newsImageMap(*chart);
    QVERIFY(map.contains("3 items for Company Headlines"));
    QVERIFY(map.contains("2 items for Wire"));
}

void ChartPageTest::wheelZoomsDragScrollsAndDoubleClickResets()
{
    ScriptedHttpServer server; // a time-frame change downloads; nothing leaves the machine
    qputenv("CORVANE_HISTORY_URL", server.baseUrl().toUtf8());
    ChartPageFixture fixture;
    fixture.addSymbol("KO", "Coca-Cola");
    fixture.addDailyHistory("KO", 200);
    fixture.store().ExecSQL("INSERT OR REPLACE INTO config (name,value) VALUES('tech1',27)");
    QWidget *host = fixture.newHost(800, 700);
    ChartFrameClass *page = pageShowing(fixture, host, "KO");
    QChartViewer *viewer = page->priceViewer();
    QCOMPARE(page->lastShownPoints().first, 0);
    QCOMPARE(page->lastShownPoints().end, 200);
    const int left = viewer->getPlotAreaLeft(), width = viewer->getPlotAreaWidth();
    const int middle = viewer->getPlotAreaTop() + viewer->getPlotAreaHeight() / 2;
    QVERIFY(width > 100);

    // Wheel up at three quarters of the width: a quarter closer, the point there stays put.
    wheel(viewer, QPoint(left + width * 3 / 4, middle), 120);
    const auto zoomed = page->lastShownPoints();
    QCOMPARE(zoomed.end - zoomed.first, 160);
    QCOMPARE(zoomed.first, 30);
    keepPicture(viewer, "chartpage-zoomed");
    // The RSI panel follows: one hot spot per shown point in both the price and the RSI line.
    QCOMPARE(viewer->getImageMapHandler()->getHotSpotCount(), 2 * 160);

    // Dragging to the right brings earlier days in; the zoom stays.
    QTest::qWait(30); // past the viewer's hold interval
    const QPoint from(left + width / 2, middle);
    send(viewer, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(viewer, QEvent::MouseMove, from + QPoint(width / 8, 0), Qt::NoButton, Qt::LeftButton);
    send(viewer, QEvent::MouseButtonRelease, from + QPoint(width / 8, 0), Qt::LeftButton,
         Qt::NoButton);
    QTRY_VERIFY(page->lastShownPoints().first < zoomed.first);
    QCOMPARE(page->lastShownPoints().end - page->lastShownPoints().first, 160);
    QVERIFY(std::abs(viewer->getViewPortLeft() - (0.15 - 0.8 / 8)) < 0.01);

    // A wheel over the scale at the right leaves the zoom alone; wheel down zooms out.
    wheel(viewer, QPoint(left + width + 10, middle), 120);
    QTest::qWait(30);
    QCOMPARE(page->lastShownPoints().end - page->lastShownPoints().first, 160);
    wheel(viewer, QPoint(left + width / 2, middle), -120);
    QTRY_COMPARE(page->lastShownPoints().end - page->lastShownPoints().first, 200);

    // Double-click and a new time frame both show everything again.
    wheel(viewer, QPoint(left + width / 2, middle), 240);
    QTRY_VERIFY(page->lastShownPoints().first > 0);
    send(viewer, QEvent::MouseButtonDblClick, from, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(page->lastShownPoints().first, 0);
    QCOMPARE(page->lastShownPoints().end, 200);
    QTest::qWait(30);
    wheel(viewer, QPoint(left + width / 2, middle), 240);
    QTRY_VERIFY(page->lastShownPoints().first > 0);
    page->timeFrameBox()->setCurrentIndex(5);
    QCOMPARE(viewer->getViewPortWidth(), 1.0);
    QTRY_VERIFY(!server.requests().isEmpty());
    QTRY_COMPARE(page->lastShownPoints().first, 0);
    qunsetenv("CORVANE_HISTORY_URL");
}

void ChartPageTest::comparisonDrawsTheOtherSymbolAndFetchesItsHistory()
{
    ScriptedHttpServer server;
    qputenv("CORVANE_HISTORY_URL", server.baseUrl().toUtf8());
    ChartPageFixture fixture;
    fixture.addSymbol("KO", "Coca-Cola");
    fixture.addSymbol("PEP", "PepsiCo");
    fixture.addSymbol("XOM", "Exxon Mobil");
    fixture.addDailyHistory("KO", 80);
    fixture.addDailyHistory("PEP", 80, 50, -0.2);
    QWidget *host = fixture.newHost(800, 600);
    ChartFrameClass *page = pageShowing(fixture, host, "KO");
    const QRgb compareColour = 0xff9900;
    QCOMPARE(pixelsOf(page->priceViewer()->pixmap().toImage(), compareColour), 0);

    QComboBox *compare = nullptr;
    for (QComboBox *box : host->findChildren<QComboBox *>()) {
        if (box != page->symbolBox() && box->itemText(0) == "Select a Symbol...")
            compare = box;
    }
    QVERIFY(compare);
    compare->setCurrentIndex(compare->findText("PEP"));
    QVERIFY(pixelsOf(page->priceViewer()->pixmap().toImage(), compareColour) > 100);
    keepPicture(page->priceViewer(), "chartpage-compare");
    // Its history is fetched for the page's time frame.
    QTRY_VERIFY(!server.requests().isEmpty());
    QVERIFY(server.requests().last().contains("PEP"));

    // A symbol without stored history draws nothing yet, but is fetched.
    compare->setCurrentIndex(compare->findText("XOM"));
    QCOMPARE(pixelsOf(page->priceViewer()->pixmap().toImage(), compareColour), 0);
    QTRY_VERIFY(server.requests().last().contains("XOM"));

    compare->setCurrentIndex(compare->findText("PEP"));
    compare->setCurrentIndex(0); // "Select a Symbol..." takes it away
    QCOMPARE(pixelsOf(page->priceViewer()->pixmap().toImage(), compareColour), 0);
    qunsetenv("CORVANE_HISTORY_URL");
}

void ChartPageTest::editedPeriodFieldsRedraw()
{
    ChartPageFixture fixture;
    fixture.addSymbol("KO", "Coca-Cola");
    fixture.addDailyHistory("KO", 40);
    QWidget *host = fixture.newHost(700, 600);
    ChartFrameClass *page = pageShowing(fixture, host, "KO");
    QList<QLineEdit *> periods;
    for (QLineEdit *field : host->findChildren<QLineEdit *>()) {
        if (field->text() == "14")
            periods << field;
    }
    QCOMPARE(periods.size(), 3); // two averages and the signals' RSI
    for (QLineEdit *field : periods) {
        const qint64 before = page->priceViewer()->pixmap().cacheKey();
        QTest::keyClick(field, Qt::Key_Return); // unchanged: no new drawing
        QCOMPARE(page->priceViewer()->pixmap().cacheKey(), before);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(page->priceViewer()->pixmap().cacheKey() != before);
        QCOMPARE(field->text(), QString("1"));
        // Text that is not a period is not accepted.
        QTest::keyClicks(field, "x-");
        QCOMPARE(field->text(), QString("1"));
    }
}

void ChartPageTest::lowPageScrollsInsteadOfCuttingPanels()
{
    ChartPageFixture fixture;
    fixture.addSymbol("KO", "Coca-Cola");
    fixture.addDailyHistory("KO", 40);
    for (const char *key : {"tech1", "tech2", "tech3", "tech4"})
        fixture.store().ExecSQL(
            QString("INSERT OR REPLACE INTO config (name,value) VALUES('%1',17)").arg(key));
    QWidget *host = fixture.newHost(700, 450);
    host->show();
    ChartFrameClass *page = pageShowing(fixture, host, "KO");
    QCoreApplication::processEvents();
    page->drawChart();
    const int chartHeight = ChartFrameClass::MinimumMainPanelHeight + 1 + 4 * 81 + 30 + 35;
    QCOMPARE(page->priceViewer()->pixmap().height(), chartHeight);
    QCOMPARE(page->priceViewer()->height(), chartHeight);
    QScrollArea *scroll = nullptr;
    for (QScrollArea *area : host->findChildren<QScrollArea *>()) {
        if (area->widget()->objectName() == "chartWidget")
            scroll = area;
    }
    QVERIFY(scroll);
    QCOMPARE(host->height(), 450); // nothing on the page holds it higher
    QTRY_VERIFY(scroll->verticalScrollBar()->maximum() > 0);
    // The chart is as wide as what the scroll area shows, so nothing is cut at the right.
    QTRY_COMPARE(page->priceViewer()->width(), scroll->viewport()->width());
    host->hide();
}

void ChartPageTest::everyOptionShowsInTheDrawnChart()
{
    ChartPageFixture fixture;
    fixture.addSymbol("KO", "Coca-Cola");
    fixture.addDailyHistory("KO", 120);
    QWidget *host = fixture.newHost(700, 600);
    ChartFrameClass *page = pageShowing(fixture, host, "KO");
    const auto main = [page] { return page->lastChart()->mainPanel(); };
    const auto layerNamed = [&](const QString &prefix) -> const Layer * {
        for (int i = 0; i < main()->getLayerCount(); ++i) {
            const Layer *layer = main()->getLayer(i);
            if (layer->getDataSetCount() > 0 &&
                layer->getDataSet(0)->getDataName().startsWith(prefix))
                return layer;
        }
        return nullptr;
    };
    const auto hasKind = [&](Layer::Kind kind) {
        for (int i = 0; i < main()->getLayerCount(); ++i) {
            if (main()->getLayer(i)->kind() == kind)
                return true;
        }
        return false;
    };
    QVERIFY(page->lastChart());
    QVERIFY(page->priceViewer()->getChart() == page->lastChart()); // alive while shown
    QVERIFY(layerNamed("Closing Price: 219"));

    page->chartTypeBox()->setCurrentIndex(1);
    QVERIFY(hasKind(Layer::CandleStickKind));
    QVERIFY(!hasKind(Layer::HLOCKind));
    page->chartTypeBox()->setCurrentIndex(2);
    QVERIFY(hasKind(Layer::HLOCKind));
    QVERIFY(!hasKind(Layer::CandleStickKind));

    QComboBox *bands = nullptr, *average = nullptr;
    for (QComboBox *box : host->findChildren<QComboBox *>()) {
        if (box->itemText(1) == "Bollinger Bands")
            bands = box;
        else if (box->itemText(1) == "Simple" && !average)
            average = box;
    }
    QVERIFY(bands && average);
    const std::pair<int, QString> bandNames[] = {
        {1, "Bollinger (20, 2): "}, {2, "Donchian (20): "}, {3, "Envelop (SMA 20 +/- 10%): "}};
    for (const auto &[index, name] : bandNames) {
        bands->setCurrentIndex(index);
        QVERIFY2(layerNamed(name), qPrintable(name));
        QVERIFY(hasKind(Layer::InterLineKind));
    }
    bands->setCurrentIndex(0);
    QVERIFY(!hasKind(Layer::InterLineKind));

    const std::pair<int, QString> averageNames[] = {
        {1, "SMA (14): "}, {2, "EMA (14): "}, {3, "TMA (14): "}, {4, "WMA (14): "}};
    for (const auto &[index, name] : averageNames) {
        average->setCurrentIndex(index);
        const Layer *line = layerNamed(name);
        QVERIFY2(line, qPrintable(name));
        QCOMPARE(line->getDataSet(0)->getDataColor(), 0x663300);
    }

    checkBox(host, "Show Parabolic SAR")->setChecked(true);
    const Layer *sar = layerNamed("Parabolic SAR: ");
    QVERIFY(sar);
    QCOMPARE(sar->getDataSet(0)->symbol(), int(Chart::DiamondSymbol));

    checkBox(host, "Show Volume")->setChecked(true);
    QVERIFY(layerNamed("Vol: "));
    QVERIFY(layerNamed("Vol: ")->kind() == Layer::BarKind);

    QVERIFY(!main()->yAxis()->isLogScale());
    checkBox(host, "Show Log Scale")->setChecked(true);
    QVERIFY(main()->yAxis()->isLogScale());

    const auto percentAxes = [&] {
        int count = 0;
        for (const Axis *axis : main()->axes())
            count += axis->labelFormat() == "{={value}-100|@}%" ? 1 : 0;
        return count;
    };
    QCOMPARE(percentAxes(), 0);
    checkBox(host, "Show Percentage Scale")->setChecked(true);
    QCOMPARE(percentAxes(), 1);

    QGroupBox *signalBox = host->findChild<QGroupBox *>("stdGroupBox");
    QVERIFY(signalBox);
    signalBox->findChild<QCheckBox *>()->click();
    QVERIFY(layerNamed("LONG") && layerNamed("LONG")->kind() == Layer::ScatterKind);
    QVERIFY(layerNamed("SHORT") && layerNamed("SHORT")->kind() == Layer::ScatterKind);
}

void ChartPageTest::newsCountsFillTheirFeedAndDay()
{
    ChartPageFixture fixture;
    fixture.store().ExecSQL(
        "INSERT INTO feeds (id, title, colour, feedURL, desc, lastUpdate, template, active) "
        "VALUES(2,'Wire','red','http://127.0.0.1:9/w?s=<SYMBOL>','',0,1,2)");
    fixture.addNews("MCD'S", "Early", 1);
    fixture.addNews("MCD'S", "Later", 1, 30);
    fixture.addNews("MCD'S", "Older", 3);
    fixture.addNews("MCD'S", "Long ago", 40); // before the first price date: dropped
    fixture.addNews("KO", "Other symbol", 1);
    fixture.store().ExecSQL(
        QString("INSERT INTO newsItems (feedId, pubDate, title, desc, url, "
                "read, symbol) VALUES (2,%1,'Wire item','','http://w/1',0,"
                "'MCD''S')")
            .arg(QDateTime(QDate::currentDate().addDays(-1), QTime(12, 0)).toMSecsSinceEpoch()));
    QStringList dates;
    for (int daysAgo = 5; daysAgo >= 0; --daysAgo)
        dates << QDate::currentDate().addDays(-daysAgo).toString("yyyyMMdd");
    const QStringList rows = fixture.store().GetSQLRecords(ChartNews::countQuery("MCD'S", true));
    QVERIFY(!rows.isEmpty()); // the apostrophe is quoted, the query runs
    const ChartNews::CountTable table = ChartNews::countTable(dates, {1, 2, 9}, rows);
    QCOMPARE(table.categories.size(), 6);
    QCOMPARE(table.categories.first(), QDate::currentDate().addDays(-5).toString("yyyy-MM-dd"));
    QCOMPARE(table.categoryTimes.first(),
             ChartNews::chartTimeOfStoredDate(dates.first().toLongLong()));
    QCOMPARE(table.counts.size(), 3);
    QCOMPARE(table.counts.at(0), QList<double>({0, 0, 1, 0, 2, 0}));
    QCOMPARE(table.counts.at(1), QList<double>({0, 0, 0, 0, 1, 0}));
    QCOMPARE(table.counts.at(2), QList<double>(6, 0)); // a feed without items

    // Intraday prices bucket the news by whole hour: the 12:30 item counts in the 12:00 hour.
    const qint64 noon =
        QDateTime(QDate::currentDate().addDays(-1), QTime(12, 0)).toSecsSinceEpoch();
    const QStringList hours{QString::number(noon), QString::number(noon + 3600),
                            QString::number(noon + 7200)};
    const ChartNews::CountTable intraday = ChartNews::countTable(
        hours, {1, 2}, fixture.store().GetSQLRecords(ChartNews::countQuery("MCD'S", false)));
    QCOMPARE(intraday.categories.size(), 3);
    QCOMPARE(intraday.counts.at(0), QList<double>({2, 0, 0}));
    QCOMPARE(intraday.counts.at(1), QList<double>({1, 0, 0}));
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
