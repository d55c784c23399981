// The store's write and read paths, and application start-up with a large store.
#include "marketdata/pricehistory.h"
#include "store/gdatabaseclass.h"
#include "support/benchreport.h"
#include "support/storefixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int HistoryRows = 200000;
constexpr int Runs = 3;

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

// A daily history as the service sends it, one row a day.
QList<PriceHistory::Row> longHistory(int count)
{
    QList<PriceHistory::Row> rows;
    rows.reserve(count);
    QDate day(1500, 1, 1);
    for (int i = 0; i < count; ++i, day = day.addDays(1)) {
        const double close = 50 + (i % 200) * 0.25;
        rows << PriceHistory::Row{day.toString("yyyyMMdd"),
                                  QString::number(close - 0.5, 'f', 4),
                                  QString::number(close + 1.5, 'f', 4),
                                  QString::number(close - 1.25, 'f', 4),
                                  QString::number(close, 'f', 4),
                                  QString::number(1000000 + i)};
    }
    return rows;
}

// The rows as a CSV file for the sqlite3 tool: every column of qData, ids included.
QString writeCsv(const QTemporaryDir &dir, const QList<PriceHistory::Row> &rows)
{
    const QString path = dir.filePath("history.csv");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    QByteArray text;
    text.reserve(rows.size() * 64);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const PriceHistory::Row &row = rows.at(i);
        text += QString("%1,%2,BENCH,%3,%4,%5,%6,%7\n")
                    .arg(i + 1)
                    .arg(row.date, row.open, row.high, row.low, row.close, row.volume)
                    .toLatin1();
    }
    file.write(text);
    return path;
}

[[noreturn]] void fail(const QString &why)
{
    std::fprintf(stderr, "bench_store: %s\n", qPrintable(why));
    std::exit(1);
}

// Each run writes into a store of its own, so that none finds what an earlier one left.
void replaceWithFreshStore(std::unique_ptr<StoreFixture> &fixture)
{
    fixture.reset();
    fixture = std::make_unique<StoreFixture>();
    fixture->open();
}

// Runs the sqlite3 tool on the store's database file with the store's own settings, so that
// both write the same way: `settings` before `command`, or before the statements of the file
// `input`. Ends the benchmark when the tool fails.
void runSqliteTool(StoreFixture &fixture, const QStringList &settings, const QString &command,
                   const QString &input = QString())
{
    QStringList arguments{"-cmd", "PRAGMA synchronous=NORMAL"};
    for (const QString &setting : settings)
        arguments << "-cmd" << setting;
    arguments << fixture.profile().databasePath();
    if (!command.isEmpty())
        arguments << command;
    QProcess sqlite;
    if (!input.isEmpty())
        sqlite.setStandardInputFile(input);
    sqlite.start("sqlite3", arguments);
    if (input.isEmpty())
        sqlite.closeWriteChannel();
    if (!sqlite.waitForFinished(120000) || sqlite.exitStatus() != QProcess::NormalExit ||
        sqlite.exitCode() != 0)
        fail("sqlite3 failed: " + QString::fromLocal8Bit(sqlite.readAllStandardError()));
}

// ExecSQL with the single-row INSERTs that scripts and pages send, into the indexed qData of a
// fresh store, in one transaction: every statement is parsed anew, unlike the bound bulk path.
void benchExecSql()
{
    const auto statement = [](int i) {
        return QString("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
                       "VALUES(%1,'S%2',%3.25,%3.5,%3.0,%3.75,%4)")
            .arg(19900101 + i / 50)
            .arg(i % 50)
            .arg(100 + i % 997)
            .arg(100000 + i);
    };
    QStringList statements;
    statements.reserve(HistoryRows);
    for (int i = 0; i < HistoryRows; ++i)
        statements << statement(i);
    std::unique_ptr<StoreFixture> fixture;
    const double ms = benchMedianMs(
        Runs, [&] { replaceWithFreshStore(fixture); },
        [&] {
            fixture->store().ExecSQL("BEGIN TRANSACTION;");
            for (const QString &text : statements)
                fixture->store().ExecSQL(text);
            fixture->store().ExecSQL("COMMIT;");
        });
    if (fixture->count("qData") != HistoryRows)
        fail("ExecSQL did not store every row");
    benchReport("store_execsql_single_row_inserts_per_second", HistoryRows / (ms / 1000), "rows/s");

    // SQLite's own pace for the same text: the sqlite3 tool running the same statements in one
    // transaction into the same table of another fresh store. Both parse every statement.
    QTemporaryDir scriptDir;
    const QString script = scriptDir.filePath("inserts.sql");
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly))
        fail("cannot write the SQL script");
    file.write("BEGIN TRANSACTION;\n");
    for (const QString &text : std::as_const(statements))
        file.write(text.toUtf8() + ";\n");
    file.write("COMMIT;\n");
    file.close();
    const double toolMs = benchMedianMs(
        Runs, [&] { replaceWithFreshStore(fixture); },
        [&] { runSqliteTool(*fixture, {}, QString(), script); });
    if (fixture->count("qData") != HistoryRows)
        fail("sqlite3 did not run every statement");
    benchReport("sqlite3_same_single_row_inserts_per_second", HistoryRows / (toolMs / 1000),
                "rows/s");
    // As for the history: our time over the tool's, so below 1 is faster than the tool.
    benchReport("store_execsql_vs_sqlite3_same_statements", ms / toolMs, "x");
}

// A 200 000-row history replacing a symbol's rows in a fresh store, against the sqlite3 tool
// importing the same rows into the same table of another fresh store.
void benchHistoryAgainstSqliteImport()
{
    const QList<PriceHistory::Row> rows = longHistory(HistoryRows);
    std::unique_ptr<StoreFixture> fixture;
    const auto freshStore = [&] { replaceWithFreshStore(fixture); };
    const double storeMs = benchMedianMs(Runs, freshStore, [&] {
        if (!PriceHistory::store(fixture->store(), "BENCH", rows))
            fail("the history was not stored");
    });
    if (fixture->count("qData") != HistoryRows)
        fail("the history store lost rows");
    benchReport("history_store_200000_rows", storeMs, "ms");
    // The bulk write rate: rows replacing a symbol's history, into the indexed qData.
    benchReport("store_bulk_write_rows_per_second", HistoryRows / (storeMs / 1000), "rows/s");

    QTemporaryDir csvDir;
    const QString csv = writeCsv(csvDir, rows);
    if (csv.isEmpty())
        fail("cannot write the CSV file");
    const double importMs = benchMedianMs(Runs, freshStore, [&] {
        runSqliteTool(*fixture, {".mode csv"}, QString(".import %1 qData").arg(csv));
    });
    if (fixture->count("qData") != HistoryRows)
        fail("sqlite3 did not import every row");
    fixture.reset();
    benchReport("history_sqlite3_import_200000_rows", importMs, "ms");
    benchReport("history_store_vs_sqlite3_import", storeMs / importMs, "x");
}

// Start-up: a fresh process until its main window has been painted (and it has quit again).
void benchStartup(StoreFixture &fixture)
{
    QProcess corvane;
    corvane.setProgram(QCoreApplication::applicationDirPath() + "/../bin/corvane");
    corvane.setWorkingDirectory(QCoreApplication::applicationDirPath() + "/../bin");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", fixture.profile().home());
    environment.insert("CORVANE_QUIT_WHEN_SHOWN", "1");
    // As in the tests: the web views' sandbox cannot start under root in a container.
    environment.insert("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
    environment.insert("CORVANE_SERVICE_URL",
                       "http://127.0.0.1:9"); // nothing answers: no waiting on the net
    corvane.setProcessEnvironment(environment);
    corvane.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    corvane.setStandardOutputFile(QProcess::nullDevice());
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        corvane.start();
        const bool finished = corvane.waitForFinished(60000);
        times.push_back(clock.nsecsElapsed() / 1e6);
        if (!finished || corvane.exitStatus() != QProcess::NormalExit || corvane.exitCode() != 0)
            fail(QString("the application failed to start (exit code %1)").arg(corvane.exitCode()));
    }
    benchReport("startup_to_window_shown_large_store", benchMedian(times), "ms");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // Each of these uses fresh stores of its own, one after the other.
    benchExecSql();
    benchHistoryAgainstSqliteImport();

    StoreFixture fixture;
    fixture.open();
    GDatabaseClass &store = fixture.store();
    fillLargeStore(store);
    std::vector<double> rates;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        const QStringList rows =
            store.GetSQLRecords("SELECT id, feedId, pubDate, title, desc, url, read, symbol "
                                "FROM newsItems LIMIT 100000");
        rates.push_back(rows.size() / (clock.nsecsElapsed() / 1e9));
        if (rows.size() != 100000)
            fail("GetSQLRecords lost rows");
    }
    benchReport("store_getsqlrecords_rows_per_second", benchMedian(rates), "rows/s");

    benchStartup(fixture);
    return 0;
}
