#include "news/wrapsclass.h"
#include "store/settingskeys.h"
#include "support/newsfixture.h"
#include "support/scriptedhttpserver.h"

#include <QComboBox>
#include <QDateTime>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

namespace {

QStringList itemsOf(const QComboBox *box)
{
    QStringList texts;
    for (int index = 0; index < box->count(); ++index)
        texts << box->itemText(index);
    return texts;
}

QString report(const QString &title, const QString &date, const QStringList &categories,
               const QString &body)
{
    QString xml = "<item><title>" + title.toHtmlEscaped() +
                  "</title><link>http%3A//vendor.example/" + QString::number(qHash(title)) +
                  "</link><description>d</description><pubDate>" + date + "</pubDate>";
    for (const QString &category : categories)
        xml += "<category>" + category + "</category>";
    return xml + "<content:encoded><![CDATA[" + body + "]]></content:encoded></item>";
}

QByteArray reportFeed()
{
    const QString items = report("Older report", "Mon, 04 Mar 2024 21:30:00 +0000",
                                 {"Markets", "MarketReports"}, "<p>older</p>") +
                          report("Traders' report", "Tue, 05 Mar 2024 08:30:00 -0500",
                                 {"Markets", "MarketReports"}, "<p>the traders' view</p>") +
                          report("Announcement", "Tue, 05 Mar 2024 17:00:00 +0000",
                                 {"Announcements"}, "<p>news</p>") +
                          // Categories first, then tags, as blog software writes them.
                          report("Tagged report", "Tue, 05 Mar 2024 18:00:00 +0000",
                                 {"MarketReports", "Markets", "Fed"}, "<p>x</p>");
    return ("<?xml version=\"1.0\" encoding=\"UTF-8\"?><rss version=\"2.0\" "
            "xmlns:content=\"http://purl.org/rss/1.0/modules/content/\"><channel><title>Vendor</"
            "title>" +
            items + "</channel></rss>")
        .toUtf8();
}

QString pageText(QWebEngineView *view)
{
    QString text;
    bool done = false;
    view->page()->toPlainText([&](const QString &result) {
        text = result;
        done = true;
    });
    for (int waited = 0; !done && waited < 10000; waited += 10)
        QTest::qWait(10);
    return done ? text : QStringLiteral("<no answer from the page>");
}

} // namespace

class ReportsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void theFeedIsFetchedAtMostOnceAnHour();
    void everyItemIsStoredButOnlyMarketReportsAreListed();
    void choosingAReportShowsItsContent();
    void theHourlyRebuildKeepsTheReportBeingRead();

private:
    NewsFixture *news = nullptr;
    ScriptedHttpServer *server = nullptr;
    QWidget *container = nullptr;
    QByteArray previousVendor;
};

void ReportsTest::init()
{
    news = new NewsFixture;
    server = new ScriptedHttpServer;
    server->scriptBody("/?feed=rss2", reportFeed());
    previousVendor = qgetenv("CORVANE_VENDOR_URL");
    qputenv("CORVANE_VENDOR_URL", server->baseUrl().toUtf8());
    container = new QWidget;
}

void ReportsTest::cleanup()
{
    delete container;
    qputenv("CORVANE_VENDOR_URL", previousVendor);
    delete server;
    delete news;
}

void ReportsTest::theFeedIsFetchedAtMostOnceAnHour()
{
    WrapsClass page(container);
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    page.getMarketWraps();
    QTRY_COMPARE(news->count("marketWraps"), 4);
    QCOMPARE(server->requests(), QStringList({"/?feed=rss2"}));
    const qint64 gate = SettingsKeys::readNumber(news->store(), SettingsKeys::MarketWrapsUpdate);
    QVERIFY(gate >= before + 3600000 && gate <= QDateTime::currentMSecsSinceEpoch() + 3600000);

    page.getMarketWraps();
    QTest::qWait(100);
    QCOMPARE(server->requests().size(), 1);

    // A refetch after the hour stores nothing twice.
    SettingsKeys::write(news->store(), SettingsKeys::MarketWrapsUpdate, qint64(0));
    page.getMarketWraps();
    QTRY_COMPARE(server->requests().size(), 2);
    QTest::qWait(100);
    QCOMPARE(news->count("marketWraps"), 4);
}

void ReportsTest::everyItemIsStoredButOnlyMarketReportsAreListed()
{
    WrapsClass page(container);
    auto *list = container->findChild<QComboBox *>();
    QCOMPARE(itemsOf(list), QStringList({"Select a Report..."}));
    page.getMarketWraps();
    QTRY_COMPARE(news->count("marketWraps"), 4);
    QCOMPARE(itemsOf(list), QStringList({"Select a Report...", "Tagged report", "Traders report",
                                         "Older report"}));
    QCOMPARE(news->rows("SELECT category FROM marketWraps ORDER BY pubDate"),
             QStringList({"MarketReports", "MarketReports", "Announcements", "MarketReports"}));
    QCOMPARE(news->value("SELECT url FROM marketWraps WHERE title='Older report'").left(22),
             QString("http://vendor.example/"));
    // 08:30 in New York is 13:30 UTC.
    QCOMPARE(
        news->value("SELECT pubDate FROM marketWraps WHERE title='Traders report'").toLongLong(),
        QDateTime(QDate(2024, 3, 5), QTime(13, 30), QTimeZone::utc()).toMSecsSinceEpoch());
}

void ReportsTest::choosingAReportShowsItsContent()
{
    WrapsClass page(container);
    page.getMarketWraps();
    QTRY_COMPARE(news->count("marketWraps"), 4);
    auto *list = container->findChild<QComboBox *>();
    auto *view = container->findChild<QWebEngineView *>("webView");
    list->setCurrentText("Traders report");
    QTRY_COMPARE(pageText(view).trimmed(), QString("the traders view"));
    list->setCurrentIndex(0);
    QTRY_COMPARE(pageText(view).trimmed(), QString());
}

void ReportsTest::theHourlyRebuildKeepsTheReportBeingRead()
{
    WrapsClass page(container);
    page.getMarketWraps();
    QTRY_COMPARE(news->count("marketWraps"), 4);
    auto *list = container->findChild<QComboBox *>();
    list->setCurrentText("Older report");
    page.reloadReports();
    QCOMPARE(list->currentText(), QString("Older report"));

    news->store().ExecSQL("DELETE FROM marketWraps WHERE title='Older report'");
    page.reloadReports();
    QCOMPARE(list->currentIndex(), 0);
}

NEWS_TEST_MAIN(ReportsTest)
#include "tst_reports.moc"
