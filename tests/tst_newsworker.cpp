#include "news/downloadthread.h"
#include "news/newsrun.h"
#include "support/logcapture.h"
#include "support/newsfixture.h"
#include "support/scriptedhttpserver.h"

#include <QDateTime>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QtTest>

namespace {

// What one run reported, in the order the GUI thread received it.
struct RunRecord
{
    QStringList events; // "status:<text>", "newRss", "done"
    bool finished() const { return events.contains(QStringLiteral("done")); }
    QStringList statuses() const
    {
        QStringList texts;
        for (const QString &event : events) {
            if (event.startsWith(QLatin1String("status:")))
                texts << event.mid(7);
        }
        return texts;
    }
};

// Runs one worker the way the fundamentals page does and waits until it has deleted itself.
RunRecord runOnce(int transferTimeoutMs = 0, QTimer *timer = nullptr)
{
    QTimer ownTimer;
    QTimer *newsTimer = timer ? timer : &ownTimer;
    RunRecord record;
    QObject receiver;
    QPointer<downloadThread> running = NewsRun::start(newsTimer, [&](downloadThread *worker) {
        if (transferTimeoutMs > 0)
            worker->setTransferTimeout(transferTimeoutMs);
        QObject::connect(worker, &downloadThread::updateStatus, &receiver,
                         [&record](const QString &text) { record.events << "status:" + text; });
        QObject::connect(worker, &downloadThread::newRss, &receiver,
                         [&record] { record.events << "newRss"; });
        QObject::connect(worker, &downloadThread::done, &receiver,
                         [&record] { record.events << "done"; });
    });
    for (int waited = 0; (!record.finished() || running) && waited < 20000; waited += 10)
        QTest::qWait(10);
    return record;
}

QByteArray feedOf(const QStringList &titles)
{
    QList<RssItem> items;
    for (const QString &title : titles)
        items << RssItem{title, "http://news.example/" + QString(title).replace(' ', '-'),
                         "d",   "Tue, 05 Mar 2024 12:00:00 +0000",
                         "",    "",
                         ""};
    return rssDocument(items);
}

} // namespace

class NewsWorkerTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fetchesEachDueTemplateForEachSymbolInOrder();
    void storesItemsTaggedWithTemplateAndSymbol();
    void templateWithoutPlaceholderIsFetchedAndStoredOncePerSymbol();
    void lastUpdateMovesAnHourAheadEvenWhenEveryRequestFails();
    void inactiveNotDueAndNonTemplateFeedsAreNotFetched();
    void withNothingDueTheRunEndsWithDoneAlone();
    void newItemsAreAnnouncedBeforeDoneAndRefetchedItemsAreNot();
    void itemsOfAMovedFeedAreStoredUnderItsTemplateAndSymbol();
    void aMoveThatIsStillPendingAtTheEndOfTheRunIsWaitedFor();
    void unparsableFeedIsLoggedAndTheRunGoesOn();
    void aSilentServerEndsAsANetworkErrorAndTheRunGoesOn();
    void theNewsTimerIsStoppedForTheRunAndRestartedByDone();

private:
    NewsFixture *news = nullptr;
    ScriptedHttpServer *server = nullptr;
};

void NewsWorkerTest::init()
{
    news = new NewsFixture;
    server = new ScriptedHttpServer;
}

void NewsWorkerTest::cleanup()
{
    delete server;
    delete news;
}

void NewsWorkerTest::fetchesEachDueTemplateForEachSymbolInOrder()
{
    // Templates go newest lastUpdate first, symbols alphabetically.
    news->addTemplate(1, "Older", server->url("/a?s=<SYMBOL>"), 100);
    news->addTemplate(2, "Newer", server->url("/b?s=<SYMBOL>"), 200);
    news->addSymbols({"MSFT", "AAPL"});
    server->scriptBody("/a", feedOf({"x"}));
    server->scriptBody("/b", feedOf({"y"}));

    const RunRecord run = runOnce();
    QCOMPARE(server->requests(), QStringList({"/b?s=AAPL", "/b?s=MSFT", "/a?s=AAPL", "/a?s=MSFT"}));
    QCOMPARE(run.statuses(), QStringList({"Updating: Newer for AAPL", "Updating: Newer for MSFT",
                                          "Updating: Older for AAPL", "Updating: Older for MSFT"}));
    QCOMPARE(run.events.last(), QString("done"));
}

void NewsWorkerTest::storesItemsTaggedWithTemplateAndSymbol()
{
    news->addTemplate(4, "Heads", server->url("/n/<SYMBOL>.xml"));
    news->addSymbols({"IBM"});
    server->scriptBody("/n/IBM.xml", feedOf({"Big Blue's day", "Second | story"}));
    runOnce();
    // Apostrophes and bars are cleaned out of title and link alike.
    QCOMPARE(
        news->rows(
            "SELECT feedId, pubDate, title, url, read, symbol FROM newsItems ORDER BY title"),
        QStringList({"4|1709640000000|Big Blues day|http://news.example/Big-Blues-day|0|IBM",
                     "4|1709640000000|Second  story|http://news.example/Second--story|0|IBM"}));
}

void NewsWorkerTest::templateWithoutPlaceholderIsFetchedAndStoredOncePerSymbol()
{
    news->addTemplate(1, "Fixed", server->url("/fixed.xml"));
    news->addSymbols({"AAA", "BBB", "CCC"});
    server->scriptBody("/fixed.xml", feedOf({"same story"}));
    runOnce();
    QCOMPARE(server->requests(), QStringList({"/fixed.xml", "/fixed.xml", "/fixed.xml"}));
    QCOMPARE(news->rows("SELECT symbol FROM newsItems WHERE title='same story' ORDER BY symbol"),
             QStringList({"AAA", "BBB", "CCC"}));
}

void NewsWorkerTest::lastUpdateMovesAnHourAheadEvenWhenEveryRequestFails()
{
    news->addTemplate(1, "Broken", server->url("/missing?s=<SYMBOL>"));
    news->addTemplate(2, "Dropped", server->url("/drop?s=<SYMBOL>"));
    ScriptedHttpServer::Reply drop;
    drop.dropConnection = true;
    server->script("/drop", drop);
    news->addSymbols({"IBM"});
    LogCapture log;

    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    const RunRecord run = runOnce();
    const qint64 after = QDateTime::currentMSecsSinceEpoch();
    QVERIFY(run.finished());
    for (const QString &stamp : news->rows("SELECT lastUpdate FROM feeds")) {
        QVERIFY(stamp.toLongLong() >= before + 3600000);
        QVERIFY(stamp.toLongLong() <= after + 3600000);
    }
    QVERIFY(log.contains("downloadThread: Error: "));
    QVERIFY(log.contains("forL " + server->url("/drop?s=IBM")));
    QCOMPARE(news->count("newsItems"), 0);
}

void NewsWorkerTest::inactiveNotDueAndNonTemplateFeedsAreNotFetched()
{
    news->addTemplate(1, "Off", server->url("/off?s=<SYMBOL>"), 0, 0);
    news->addTemplate(2, "Later", server->url("/later?s=<SYMBOL>"),
                      QDateTime::currentMSecsSinceEpoch() + 600000);
    news->addTemplate(3, "On", server->url("/on?s=<SYMBOL>"));
    news->store().ExecSQL("INSERT INTO feeds (id, title, feedURL, lastUpdate, template, active) "
                          "VALUES(4,'Plain','" +
                          server->url("/plain") + "',0,0,2)");
    news->addSymbols({"IBM"});
    runOnce();
    QCOMPARE(server->requests(), QStringList({"/on?s=IBM"}));
}

void NewsWorkerTest::withNothingDueTheRunEndsWithDoneAlone()
{
    news->addTemplate(1, "Later", server->url("/later?s=<SYMBOL>"),
                      QDateTime::currentMSecsSinceEpoch() + 600000);
    news->addSymbols({"IBM"});
    QCOMPARE(runOnce().events, QStringList({"done"}));

    // A due template with no symbols sends nothing either, but is advanced.
    NewsFixture empty;
    ScriptedHttpServer quiet;
    empty.addTemplate(1, "Due", quiet.url("/due?s=<SYMBOL>"));
    QCOMPARE(runOnce().events, QStringList({"done"}));
    QVERIFY(quiet.requests().isEmpty());
    QVERIFY(empty.value("SELECT lastUpdate FROM feeds").toLongLong() >
            QDateTime::currentMSecsSinceEpoch());
}

void NewsWorkerTest::newItemsAreAnnouncedBeforeDoneAndRefetchedItemsAreNot()
{
    news->addTemplate(1, "Heads", server->url("/h?s=<SYMBOL>"));
    news->addSymbols({"IBM"});
    server->scriptBody("/h", feedOf({"one", "two"}));
    RunRecord first = runOnce();
    QCOMPARE(first.events.mid(first.events.size() - 2), QStringList({"newRss", "done"}));
    QCOMPARE(news->count("newsItems"), 2);

    news->store().ExecSQL("UPDATE feeds SET lastUpdate=0");
    const RunRecord again = runOnce();
    QVERIFY(!again.events.contains("newRss"));
    QCOMPARE(again.events.last(), QString("done"));
    QCOMPARE(news->count("newsItems"), 2);
}

void NewsWorkerTest::itemsOfAMovedFeedAreStoredUnderItsTemplateAndSymbol()
{
    news->addTemplate(7, "Moved", server->url("/old?s=<SYMBOL>"));
    news->addSymbols({"AAA", "BBB"});
    server->scriptRedirect("/old?s=AAA", "/new.xml");
    server->scriptBody("/new.xml", feedOf({"moved story"}));
    // The next request is slow, so the follow-up is handled while the run waits for it.
    ScriptedHttpServer::Reply slow;
    slow.body = feedOf({"slow story"});
    slow.delayMs = 400;
    server->script("/old?s=BBB", slow);
    const RunRecord run = runOnce();
    QCOMPARE(server->requests(), QStringList({"/old?s=AAA", "/new.xml", "/old?s=BBB"}));
    QCOMPARE(news->rows("SELECT feedId, title, symbol FROM newsItems ORDER BY title"),
             QStringList({"7|moved story|AAA", "7|slow story|BBB"}));
    QCOMPARE(run.events.count("done"), 1);
    QCOMPARE(run.events.last(), QString("done"));
}

void NewsWorkerTest::aMoveThatIsStillPendingAtTheEndOfTheRunIsWaitedFor()
{
    news->addTemplate(3, "Moved", server->url("/old?s=<SYMBOL>"));
    news->addSymbols({"AAA"});
    server->scriptRedirect("/old?s=AAA", "/late.xml");
    ScriptedHttpServer::Reply late;
    late.body = feedOf({"late story"});
    late.delayMs = 300;
    server->script("/late.xml", late);
    const RunRecord run = runOnce();
    QCOMPARE(news->rows("SELECT title, symbol FROM newsItems"), QStringList({"late story|AAA"}));
    // The pages hear of the stored item, and of the end of the run once, after it.
    QCOMPARE(run.events.filter(QRegularExpression("^(newRss|done)$")),
             QStringList({"newRss", "done"}));
}

void NewsWorkerTest::unparsableFeedIsLoggedAndTheRunGoesOn()
{
    news->addTemplate(1, "Html", server->url("/page?s=<SYMBOL>"));
    news->addSymbols({"AAA", "BBB"});
    server->scriptBody("/page?s=AAA", "<html><p>unclosed</html>");
    server->scriptBody("/page?s=BBB", feedOf({"fine"}));
    LogCapture log;
    runOnce();
    QVERIFY(
        log.contains("Failed to parse the file into a DOM tree: " + server->url("/page?s=AAA")));
    QCOMPARE(news->rows("SELECT symbol FROM newsItems"), QStringList({"BBB"}));
}

void NewsWorkerTest::aSilentServerEndsAsANetworkErrorAndTheRunGoesOn()
{
    news->addTemplate(1, "Heads", server->url("/h?s=<SYMBOL>"));
    news->addSymbols({"AAA", "BBB"});
    ScriptedHttpServer::Reply silent;
    silent.neverAnswer = true;
    server->script("/h?s=AAA", silent);
    server->scriptBody("/h?s=BBB", feedOf({"after the silence"}));
    LogCapture log;
    const RunRecord run = runOnce(300);
    QVERIFY(run.finished());
    QVERIFY(log.contains("forL " + server->url("/h?s=AAA")));
    QCOMPARE(news->rows("SELECT symbol FROM newsItems"), QStringList({"BBB"}));
}

void NewsWorkerTest::theNewsTimerIsStoppedForTheRunAndRestartedByDone()
{
    news->addTemplate(1, "Slow", server->url("/slow?s=<SYMBOL>"));
    news->addSymbols({"IBM"});
    ScriptedHttpServer::Reply slow;
    slow.body = feedOf({"late"});
    slow.delayMs = 300;
    server->script("/slow", slow);

    QTimer newsTimer;
    newsTimer.setInterval(60000);
    newsTimer.start();
    LogCapture log;
    bool stoppedDuringRun = false;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!server->requests().isEmpty() && news->count("newsItems") == 0 && !newsTimer.isActive())
            stoppedDuringRun = true;
    });
    probe.start(20);
    runOnce(0, &newsTimer);
    QVERIFY(stoppedDuringRun);
    QVERIFY(newsTimer.isActive());
    QCOMPARE(newsTimer.interval(), 60000);
    QVERIFY(log.contains("Updating RSS"));
    QVERIFY(log.contains("downloadThread Destructor."));
}

QTEST_MAIN(NewsWorkerTest)
#include "tst_newsworker.moc"
