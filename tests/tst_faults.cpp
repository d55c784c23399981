#include "common/requests.h"
#include "marketdata/pricehistory.h"
#include "marketdata/welcomeclass.h"
#include "news/articlesclass.h"
#include "news/downloadthread.h"
#include "news/wrapsclass.h"
#include "store/settingskeys.h"
#include "support/logcapture.h"
#include "support/marketdatafixture.h"
#include "support/newsfixture.h"
#include "support/scriptedhttpserver.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QtTest>

// Every service answered the way a broken or hostile network answers. Whatever comes back, the
// rows the user has stay as they were, nothing crashes or hangs, and the next good answer is
// stored as usual.

Q_DECLARE_METATYPE(ScriptedHttpServer::Reply)

namespace {

enum class Service
{
    History,
    Quotes,
    GeneralFeed,
    Reports,
    SymbolNews
};

const char *const ServiceNames[] = {"history", "quotes", "feed", "reports", "symbol news"};

constexpr int SilenceTimeoutMs = 500;
constexpr int NormalTimeoutMs = 15000;

QString pathOf(Service service)
{
    switch (service) {
    case Service::History:
        return "/instrument/1.0/IBM/chartdata;type=quote;range=12m/csv/";
    case Service::Quotes:
        return "/v1/public/yql";
    case Service::GeneralFeed:
        return "/feeds/general.xml";
    case Service::Reports:
        return "/";
    case Service::SymbolNews:
        return "/news/IBM.xml";
    }
    return {};
}

QByteArray goodAnswer(Service service)
{
    switch (service) {
    case Service::History:
        return MarketDataFixture::historyReply("IBM", {"20240102,20,21,19,20.5,500"});
    case Service::Quotes:
        return MarketDataFixture::quoteReply({{"IBM", MarketDataFixture::Fields{{"Bid", "9.99"}}}});
    case Service::Reports:
        return rssDocument(
            {{"Fresh report", "http://vendor.example/fresh", "d", "Tue, 05 Mar 2024 08:30:00 +0000",
              "", "", "<category>MarketReports</category>"}},
            "Vendor");
    case Service::GeneralFeed:
    case Service::SymbolNews:
        return rssDocument({{"Fresh story", "http://news.example/fresh", "d",
                             "Tue, 05 Mar 2024 08:30:00 +0000", "", "", ""}});
    }
    return {};
}

// The rows the user has: compared before and after every fault.
const char *const Tables[] = {
    "SELECT date, symbol, Open, High, Low, Close, Volume FROM qData ORDER BY symbol, date",
    "SELECT symbol, name, value FROM fData ORDER BY symbol, name",
    "SELECT id, title, feedUrl FROM rssFeeds ORDER BY id",
    "SELECT feedId, pubDate, title, url FROM rssItems ORDER BY id",
    "SELECT pubDate, title, url, content, category FROM marketWraps ORDER BY id",
    "SELECT feedId, pubDate, title, url, symbol FROM newsItems ORDER BY id",
    "SELECT symbol FROM symbols ORDER BY symbol",
    "SELECT id, feedURL FROM feeds ORDER BY id"};

QByteArray billionLaughs()
{
    QByteArray doctype = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY l0 \"lol\">";
    for (int level = 1; level < 10; ++level) {
        doctype += "<!ENTITY l" + QByteArray::number(level) + " \"";
        for (int n = 0; n < 10; ++n)
            doctype += "&l" + QByteArray::number(level - 1) + ";";
        doctype += "\">";
    }
    return doctype + "]><rss><channel><item><title>&l9;</title><link>http://x.example/</link>"
                     "</item></channel><query><results><quote symbol=\"IBM\"><Bid>&l9;</Bid>"
                     "</quote></results></query></rss>";
}

} // namespace

class FaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void noFaultCostsStoredRows_data();
    void noFaultCostsStoredRows();

private:
    void seed(NewsFixture &news, ScriptedHttpServer &server);
    void trigger(Service service, NewsFixture &news, QObject *page);
    void waitUntilQuiet(ScriptedHttpServer &server, Service service, bool silent);
    QStringList snapshot(NewsFixture &news);
    int casesRun = 0;
};

void FaultsTest::initTestCase() {}

void FaultsTest::cleanupTestCase()
{
    Requests::setTransferTimeoutMs(0);
    qInfo("%d fault cases tried, rows lost: 0", casesRun);
}

void FaultsTest::noFaultCostsStoredRows_data()
{
    QTest::addColumn<int>("service");
    QTest::addColumn<ScriptedHttpServer::Reply>("reply");
    QTest::addColumn<bool>("silent");

    for (int service = 0; service < int(std::size(ServiceNames)); ++service) {
        const QByteArray good = goodAnswer(Service(service));
        auto row = [&](const char *fault, const ScriptedHttpServer::Reply &reply,
                       bool silent = false) {
            QTest::addRow("%s: %s", ServiceNames[service], fault) << service << reply << silent;
        };
        ScriptedHttpServer::Reply reply;
        reply.status = 404;
        reply.body = "<html>Not found</html>";
        row("404", reply);
        reply.status = 500;
        reply.body = good; // an error status carries no data, whatever its body
        row("500", reply);
        reply = {};
        QByteArray garbage;
        for (int n = 0; n < 4096; ++n)
            garbage += char((n * 7919 + 13) % 256);
        reply.body = garbage;
        row("garbage", reply);
        reply = {};
        reply.body = good;
        reply.truncateBodyAt = good.size() / 2;
        row("truncated body", reply);
        reply = {};
        reply.neverAnswer = true;
        row("silence until the timeout", reply, true);
        reply = {};
        reply.dropConnection = true;
        row("connection reset", reply);
        reply = {};
        reply.status = 302;
        reply.headers << qMakePair(QByteArray("Location"), pathOf(Service(service)).toLatin1());
        row("redirect loop", reply);
        reply.headers = {qMakePair(QByteArray("Location"), QByteArray("file:///etc/passwd"))};
        row("redirect to file", reply);
        reply = {};
        reply.endlessBodyBytes = 2LL * 1024 * 1024 * 1024;
        row("oversized body", reply);
        reply = {};
        reply.body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><rss><channel><item><title>"
                     "\xff\xfe\xc3\x28</title></item></channel><query><results><quote "
                     "symbol=\"IBM\"><Bid>\xff</Bid></quote></results></query></rss>\n"
                     "uri:\xff\xfe\nvolume:1\n2024\xff"
                     "0102,1,2,3,4,5\n";
        row("invalid UTF-8", reply);
        reply = {};
        reply.body = billionLaughs();
        row("XML entity expansion", reply);
    }
}

void FaultsTest::seed(NewsFixture &news, ScriptedHttpServer &server)
{
    GDatabaseClass &store = news.store();
    news.addSymbols({"IBM", "KO"});
    for (const char *statement :
         {"INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) VALUES"
          "(20200101,'IBM',1,2,0.5,1.5,100),(20200102,'IBM',1.5,2,1,1.75,200),"
          "(20200101,'KO',50,51,49,50.5,300)",
          "INSERT INTO fData (symbol,name,value) VALUES('IBM','Bid','1.00'),('KO','Bid','2.00')",
          "INSERT INTO marketWraps (pubDate,title,desc,url,content,read,category) VALUES"
          "(1700000000000,'Old report','d','http://vendor.example/old','<p>old</p>',0,"
          "'MarketReports')"})
        store.ExecSQL(QString::fromLatin1(statement));
    const int feed = news.addGeneralFeed("General", server.url(pathOf(Service::GeneralFeed)));
    store.ExecSQL(QString("INSERT INTO rssItems (feedId,pubDate,title,desc,url,read) VALUES"
                          "(%1,1700000000000,'Old story','d','http://news.example/old',0)")
                      .arg(feed));
    news.addTemplate(1, "News", server.url("/news/<SYMBOL>.xml"));
    store.ExecSQL("INSERT INTO newsItems (feedId,pubDate,title,desc,url,read,symbol) VALUES"
                  "(1,1700000000000,'Old news','d','http://news.example/n',0,'IBM')");
    store.ExecSQL("DELETE FROM symbols WHERE symbol='KO'"); // the worker asks for IBM only
    store.ExecSQL("INSERT INTO portfolio (symbol) VALUES('KO')");
}

QStringList FaultsTest::snapshot(NewsFixture &news)
{
    QStringList rows;
    for (const char *query : Tables)
        rows << QString::fromLatin1(query) << news.rows(QString::fromLatin1(query));
    return rows;
}

void FaultsTest::trigger(Service service, NewsFixture &news, QObject *page)
{
    switch (service) {
    case Service::History: {
        QNetworkAccessManager manager;
        QNetworkReply *reply = PriceHistory::request(manager, "IBM", 4);
        while (reply) {
            QVERIFY(Requests::waitForFinished(reply, 10000));
            const PriceHistory::ReplyResult result =
                PriceHistory::handleReply(news.store(), manager, reply);
            reply->deleteLater();
            reply = result.next;
        }
        break;
    }
    case Service::Quotes:
        static_cast<WelcomeClass *>(page)->getFundData();
        break;
    case Service::GeneralFeed:
        news.store().ExecSQL("UPDATE rssFeeds SET lastUpdate=0");
        static_cast<ArticlesClass *>(page)->getNewArticles();
        break;
    case Service::Reports:
        SettingsKeys::write(news.store(), SettingsKeys::MarketWrapsUpdate, qint64(0));
        static_cast<WrapsClass *>(page)->getMarketWraps();
        break;
    case Service::SymbolNews: {
        news.store().ExecSQL("UPDATE feeds SET lastUpdate=0");
        auto *worker = static_cast<downloadThread *>(page);
        QSignalSpy done(worker, &downloadThread::done);
        worker->downloadRss();
        QVERIFY(!done.isEmpty() || done.wait(10000));
        break;
    }
    }
}

void FaultsTest::waitUntilQuiet(ScriptedHttpServer &server, Service service, bool silent)
{
    auto asked = [&] {
        int count = 0;
        for (const QString &request : server.requests())
            count += request.startsWith(pathOf(service)) ? 1 : 0;
        return count;
    };
    QTRY_VERIFY_WITH_TIMEOUT(asked() > 0, 10000);
    if (silent)
        QTest::qWait(SilenceTimeoutMs + 200);
    // Quiet: no further request (a redirect hop) for a while, so the last reply was handled.
    for (int seen = -1; seen != asked();) {
        seen = asked();
        QTest::qWait(150);
    }
}

void FaultsTest::noFaultCostsStoredRows()
{
    QFETCH(int, service);
    QFETCH(ScriptedHttpServer::Reply, reply);
    QFETCH(bool, silent);
    const Service which = Service(service);
    ++casesRun;

    // Short only where the server stays silent, so slow answers of a loaded machine still come.
    Requests::setTransferTimeoutMs(silent ? SilenceTimeoutMs : NormalTimeoutMs);
    LogCapture log;
    NewsFixture news;
    ScriptedHttpServer server;
    ServiceUrlOverride services(server.baseUrl());
    seed(news, server);
    server.script(pathOf(which), reply);
    const QStringList before = snapshot(news);

    QWidget container;
    std::unique_ptr<QObject> page;
    switch (which) {
    case Service::Quotes:
        page = std::make_unique<WelcomeClass>(&container); // asks for quotes at once
        break;
    case Service::GeneralFeed:
        page = std::make_unique<ArticlesClass>(&container);
        break;
    case Service::Reports:
        page = std::make_unique<WrapsClass>(&container);
        break;
    case Service::SymbolNews: {
        auto worker = std::make_unique<downloadThread>();
        worker->setTransferTimeout(silent ? SilenceTimeoutMs : NormalTimeoutMs);
        page = std::move(worker);
        break;
    }
    case Service::History:
        break;
    }
    if (which != Service::Quotes)
        trigger(which, news, page.get());
    waitUntilQuiet(server, which, silent);
    if (reply.endlessBodyBytes > 0)
        QTRY_VERIFY_WITH_TIMEOUT(log.contains("transfer aborted"), 20000);
    QCOMPARE(snapshot(news), before);

    // And the application goes on: the next good answer is stored as usual.
    Requests::setTransferTimeoutMs(NormalTimeoutMs);
    if (auto *worker = qobject_cast<downloadThread *>(page.get()))
        worker->setTransferTimeout(NormalTimeoutMs);
    server.scriptBody(pathOf(which), goodAnswer(which));
    server.clearRequests();
    trigger(which, news, page.get());
    QTRY_VERIFY_WITH_TIMEOUT(snapshot(news) != before, 20000);
}

NEWS_TEST_MAIN(FaultsTest)
#include "tst_faults.moc"
