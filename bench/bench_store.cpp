// Store throughput and application start-up with a large store.
#include "store/gdatabaseclass.h"
#include "store/settingskeys.h"
#include "support/benchreport.h"
#include "support/storefixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

namespace {

void insertMany(GDatabaseClass &store, int count, const std::function<QString(int)> &statement)
{
    store.ExecSQL("BEGIN TRANSACTION;");
    for (int i = 0; i < count; ++i)
        store.ExecSQL(statement(i));
    store.ExecSQL("COMMIT;");
}

void fillLargeStore(GDatabaseClass &store)
{
    insertMany(store, 50, [](int i) {
        return QString("INSERT INTO symbols (symbol, companyName, exchange) VALUES('S%1','Company "
                       "%1','NMS')")
            .arg(i);
    });
    insertMany(store, 100000, [](int i) {
        return QString("INSERT INTO newsItems (feedId, pubDate, title, desc, url, read, symbol) "
                       "VALUES (%1,%2,'Headline %3','Text of item %3','http://news/%3',0,'S%4')")
            .arg(1 + i % 9)
            .arg(1700000000000LL + qint64(i) * 60000)
            .arg(i)
            .arg(i % 50);
    });
    insertMany(store, 200000, [](int i) {
        const double close = 100 + (i % 997) * 0.1;
        return QString("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
                       "VALUES(%1,'S%2',%3,%4,%5,%6,%7)")
            .arg(19900101 + i / 50)
            .arg(i % 50)
            .arg(close - 0.5)
            .arg(close + 1)
            .arg(close - 1)
            .arg(close)
            .arg(100000 + i);
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    StoreFixture fixture;
    fixture.open();
    GDatabaseClass &store = fixture.store();

    QElapsedTimer clock;
    clock.start();
    insertMany(store, 10000, [](int i) {
        return QString("INSERT INTO tmpFeeds (url) VALUES('http://example.com/feed/%1')").arg(i);
    });
    const double insertSeconds = clock.nsecsElapsed() / 1e9;
    benchReport("store_execsql_inserts_per_second", 10000 / insertSeconds, "rows/s");

    fillLargeStore(store);
    clock.restart();
    const QStringList rows =
        store.GetSQLRecords("SELECT id, feedId, pubDate, title, desc, url, read, symbol "
                            "FROM newsItems LIMIT 100000");
    const double readSeconds = clock.nsecsElapsed() / 1e9;
    benchReport("store_getsqlrecords_rows_per_second", rows.size() / readSeconds, "rows/s");

    // Start-up: a fresh process until its main window is shown (and it has quit again).
    QProcess corvane;
    corvane.setProgram(QCoreApplication::applicationDirPath() + "/../bin/corvane");
    corvane.setWorkingDirectory(QCoreApplication::applicationDirPath() + "/../bin");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", fixture.profile().home());
    environment.insert("CORVANE_QUIT_WHEN_SHOWN", "1");
    environment.insert("CORVANE_SERVICE_URL",
                       "http://127.0.0.1:9"); // nothing answers: no waiting on the net
    corvane.setProcessEnvironment(environment);
    corvane.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    corvane.setStandardOutputFile(QProcess::nullDevice());
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        clock.restart();
        corvane.start();
        corvane.waitForFinished(60000);
        best = qMin(best, clock.nsecsElapsed() / 1e6);
    }
    benchReport("startup_to_window_shown_large_store", best, "ms");
    return 0;
}
