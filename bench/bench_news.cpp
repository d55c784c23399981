// News benchmarks: a whole news run against the simulator, and parsing and storing one big feed.
#include "news/downloadthread.h"
#include "news/feeditems.h"
#include "news/newsstatements.h"
#include "store/sqlquoting.h"
#include "support/newsfixture.h"
#include "support/simprocess.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cstdio>

namespace {

void report(const char *name, double value, const char *unit)
{
    std::printf("BENCH %s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

void newsRun(NewsFixture &news, const QString &base)
{
    const QStringList sources = {"headlines", "analysts", "press",     "chatter",    "earnings",
                                 "sector",    "insiders", "dividends", "topstories", "wires"};
    for (int id = 1; id <= 20; ++id)
        news.addTemplate(
            id, QString("Template %1").arg(id),
            QString("%1/news/%2?s=<SYMBOL>&edition=%3").arg(base, sources[id % 10]).arg(id));
    QStringList symbols;
    for (int n = 0; n < 50; ++n)
        symbols << QString("S%1%2").arg(QChar('A' + n % 26)).arg(n, 2, 10, QChar('0'));
    news.addSymbols(symbols);

    // The GUI thread keeps a 5 ms timer; the longest gap between its ticks is how long the
    // worker ever kept the GUI thread from running.
    QElapsedTimer sinceTick;
    qint64 longestGapNs = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGapNs = std::max(longestGapNs, sinceTick.nsecsElapsed());
        sinceTick.restart();
    });

    auto *thread = new QThread;
    auto *worker = new downloadThread;
    worker->moveToThread(thread);
    bool done = false;
    int statuses = 0;
    QObject receiver;
    QObject::connect(thread, &QThread::started, worker, &downloadThread::downloadRss);
    QObject::connect(worker, &downloadThread::updateStatus, &receiver, [&] { ++statuses; });
    QObject::connect(worker, &downloadThread::done, &receiver, [&] { done = true; });

    QElapsedTimer total;
    total.start();
    sinceTick.start();
    tick.start(5);
    thread->start();
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double totalMs = double(total.nsecsElapsed()) / 1e6;
    tick.stop();

    const double waitMs = double(worker->networkWaitMs());
    const double handlingMs = double(worker->replyHandlingMs());
    thread->quit();
    thread->wait();
    delete worker;
    delete thread;

    const int stored = news.count("newsItems");
    report("news_run_requests", statuses, "requests");
    report("news_run_items_stored", stored, "items");
    report("news_run_total", totalMs / 1000.0, "s");
    report("news_run_network_wait", waitMs / 1000.0, "s");
    report("news_run_outside_network_wait_share", 100.0 * (totalMs - waitMs) / totalMs, "%");
    report("news_run_reply_handling", handlingMs / 1000.0, "s");
    report("news_run_gui_longest_block", double(longestGapNs) / 1e6 - 5.0, "ms");
}

void parseAndStore(NewsFixture &news)
{
    QList<double> timings;
    for (int round = 0; round < 7; ++round) {
        QList<RssItem> items;
        for (int n = 0; n < 500; ++n)
            items << RssItem{QString("Round %1 story %2: Bank's shares climb").arg(round).arg(n),
                             QString("http://track.example/rd/%1*http%3A//news.example/%2/%1.html")
                                 .arg(n)
                                 .arg(round),
                             "<p>Markets moved as investors weighed the data.</p>",
                             "Tue, 05 Mar 2024 09:15:00 -0500",
                             "",
                             "",
                             ""};
        const QByteArray body = rssDocument(items);

        QElapsedTimer clock;
        clock.start();
        QDomDocument document;
        FeedItems::parse(body, document);
        const QList<FeedItems::Item> parsed = FeedItems::readItems(
            document, FeedItems::FeedKind::SymbolNews, QDateTime::currentDateTime());
        news.store().ExecSQL("BEGIN TRANSACTION;\n");
        for (const FeedItems::Item &item : parsed)
            news.store().ExecSQL(NewsStatements::newsItemInsert(1, item, "IBM"));
        news.store().ExecSQL("COMMIT;");
        timings << double(clock.nsecsElapsed()) / 1e6;
    }
    std::sort(timings.begin(), timings.end());
    report("feed_500_items_parse_and_store_median", timings[timings.size() / 2], "ms");
    report("feed_500_items_parse_and_store_worst", timings.last(), "ms");
    report("feed_500_items_stored", news.count("newsItems"), "items");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    SimProcess sim;
    if (!sim.isRunning()) {
        std::fprintf(stderr, "bench_news: the simulator did not start\n");
        return 1;
    }
    {
        NewsFixture news;
        newsRun(news, sim.baseUrl());
    }
    {
        NewsFixture news;
        parseAndStore(news);
    }
    return 0;
}
