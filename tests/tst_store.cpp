#include "store/gdatabaseclass.h"
#include "store/settingskeys.h"
#include "store/sqlitestatement.h"
#include "store/sqlquoting.h"
#include "store/sqlscript.h"
#include "support/logcapture.h"
#include "support/scriptedhttpserver.h"
#include "support/simprocess.h"
#include "support/storefixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>

namespace {

QString writeScript(QTemporaryDir &dir, const QString &text)
{
    const QString path = dir.filePath(QStringLiteral("script.txt"));
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(text.toUtf8());
    return path;
}

// Cancels the progress dialog of a download as soon as it shows.
void cancelProgressDialogWhenShown()
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QProgressDialog *>(widget);
                dialog && dialog->isVisible()) {
                dialog->cancel();
                poll->deleteLater();
                return;
            }
        }
    });
    poll->start(20);
}

class ServiceUrl
{
public:
    explicit ServiceUrl(const QString &url) : previous(qgetenv("CORVANE_SERVICE_URL"))
    {
        qputenv("CORVANE_SERVICE_URL", url.toUtf8());
    }
    ~ServiceUrl() { qputenv("CORVANE_SERVICE_URL", previous); }

private:
    QByteArray previous;
};

} // namespace

class StoreTest : public QObject
{
    Q_OBJECT

private slots:
    void rowStringsJoinColumnsAndShowNullAsEmpty();
    void rowTextOfEveryStorageClassMatchesQtConversion_data();
    void rowTextOfEveryStorageClassMatchesQtConversion();
    void manyRowsComeBackInOrderWithEveryColumn();
    void multipleStatementsInOneCallAreRefused();
    void boundRowsAreStoredInOneTransactionOrNotAtAll_data();
    void boundRowsAreStoredInOneTransactionOrNotAtAll();
    void emptyQueryIsLoggedAndYieldsNothing();
    void failingStatementsAreLoggedAndYieldNothing();
    void scriptStatementsJoinLinesAndDropTheUnterminatedTail();
    void scriptFileRunsInOneCommittedTransaction();
    void firstRunCreatesProfileSchemaAndVersionAndAsks();
    void answeringNoExplainsTheEmptyStore();
    void secondRunWithSameVersionAddsMissingTablesAndAsksNothing();
    void versionChangeRunsSchemaAgainButDoesNotAskWhenPopulated();
    void answeringYesFillsTheStoreFromTheVendor();
    void failedDownloadIsReportedAndLeavesAnEmptyStore();
    void cancelledDownloadLeavesNoFileAndAnEmptyStore();
    void populationIsOfferedAgainUntilItHasSucceeded();
    void aFailingStatementLeavesTheWholeTransactionUndone();
    void configKeyWrittenTwiceKeepsTheSecondValue();
    void reinsertedNewsItemStaysOneRow();
    void quotedNumbersCompareAndSortAsNumbers();
    void apostrophesSurviveTheQuotingHelper();
    void workerConnectionWritesWhileGuiThreadReads();
};

void StoreTest::rowStringsJoinColumnsAndShowNullAsEmpty()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    fixture.store().ExecSQL(
        "INSERT INTO symbols (symbol, companyName, exchange) VALUES('', 'Blank', NULL)");
    fixture.store().ExecSQL(
        "INSERT INTO symbols (symbol, companyName, exchange) VALUES('IBM', 'IBM Corp', 'NYQ')");
    const QStringList rows =
        fixture.rows("SELECT symbol, companyName, exchange FROM symbols ORDER BY id");
    QCOMPARE(rows, QStringList({"|Blank|", "IBM|IBM Corp|NYQ"}));
}

// Row strings are what 60 pages parse: every storage class must read back exactly as Qt's own
// QVariant conversion renders it, column separators included.
void StoreTest::rowTextOfEveryStorageClassMatchesQtConversion_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("text");
    QTest::newRow("null") << "NULL"
                          << "";
    QTest::newRow("empty text") << "''"
                                << "";
    QTest::newRow("integer") << "42"
                             << "42";
    QTest::newRow("smallest integer") << "-9223372036854775807 - 1"
                                      << "-9223372036854775808";
    QTest::newRow("whole real") << "10.0"
                                << "10";
    QTest::newRow("tenth") << "0.1"
                           << "0.1";
    QTest::newRow("third") << "1.0 / 3"
                           << "0.3333333333333333";
    QTest::newRow("large real") << "1e20"
                                << "1e+20";
    QTest::newRow("small real") << "1.5e-7"
                                << "1.5e-07";
    QTest::newRow("negative real") << "-123456.789"
                                   << "-123456.789";
    QTest::newRow("negative zero") << "-0.0"
                                   << "0";
    QTest::newRow("blob") << "x'414243'"
                          << "ABC";
    QTest::newRow("unicode text") << "'Zürich ✓ 株'"
                                  << "Zürich ✓ 株";
    QTest::newRow("text holding a separator") << "'a|b'"
                                              << "a|b";
    QTest::newRow("text holding a zero")
        << "'a' || char(0) || 'b'" << QString("a") + QChar(0) + "b";
    QTest::newRow("three columns") << "1, NULL, 2.5"
                                   << "1||2.5";
}

void StoreTest::rowTextOfEveryStorageClassMatchesQtConversion()
{
    QFETCH(QString, expression);
    QFETCH(QString, text);
    StoreFixture fixture;
    QVERIFY(fixture.open());
    const QString query = "SELECT " + expression;
    QCOMPARE(fixture.rows(query), QStringList({text}));
    QCOMPARE(fixture.store().GetSQL(query),
             expression.contains(',') ? text.section('|', 0, 0) : text);

    // The same row through a plain QSqlQuery.
    QSqlQuery plain(QSqlDatabase::database(fixture.store().connectionName()));
    QVERIFY(plain.exec(query) && plain.next());
    QStringList columns;
    for (int column = 0; column < plain.record().count(); ++column)
        columns << (plain.isNull(column) ? QString() : plain.value(column).toString());
    QCOMPARE(columns.join('|'), text);
}

void StoreTest::manyRowsComeBackInOrderWithEveryColumn()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    QVERIFY(fixture.store().runInTransaction(
        {"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
         "INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
         "SELECT 20000000 + i, 'S' || (i % 7), i * 0.5, i, NULL, i / 4.0, i * 1000 FROM n"}));
    const QStringList rows = fixture.rows(
        "SELECT date, symbol, Open, High, Low, Close, Volume FROM qData ORDER BY date DESC");
    QCOMPARE(rows.size(), 3000);
    QCOMPARE(rows.first(), QString("20003000|S4|1500|3000||750|3000000"));
    QCOMPARE(rows.at(2998), QString("20000002|S2|1|2||0.5|2000"));
    QCOMPARE(rows.last(), QString("20000001|S1|0.5|1||0.25|1000"));
}

void StoreTest::multipleStatementsInOneCallAreRefused()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    LogCapture log;
    fixture.store().ExecSQL("INSERT INTO watchlists (title) VALUES('a'); DROP TABLE symbols");
    QVERIFY(log.contains("ExecSQL: "));
    QCOMPARE(fixture.count("watchlists"), 0);
    QVERIFY(fixture.rows("SELECT 1; DROP TABLE symbols").isEmpty());
    QCOMPARE(fixture.count("symbols"), 0); // the table is still there
    // A final semicolon with blanks after it is one statement.
    fixture.store().ExecSQL("INSERT INTO watchlists (title) VALUES('b');  \n");
    QCOMPARE(fixture.rows("SELECT title FROM watchlists;\n"), QStringList({"b"}));
}

void StoreTest::boundRowsAreStoredInOneTransactionOrNotAtAll_data()
{
    QTest::addColumn<int>("failAt"); // the row whose insert fails, -1 for none
    QTest::addColumn<bool>("workSucceeds");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("all rows") << -1 << true << QStringList({"B0", "B1", "B2"});
    QTest::newRow("a row fails") << 1 << true << QStringList({"KEEP"});
    QTest::newRow("work gives up") << -1 << false << QStringList({"KEEP"});
}

void StoreTest::boundRowsAreStoredInOneTransactionOrNotAtAll()
{
    QFETCH(int, failAt);
    QFETCH(bool, workSucceeds);
    QFETCH(QStringList, titles);
    StoreFixture fixture;
    QVERIFY(fixture.open());
    fixture.store().ExecSQL("INSERT INTO watchlists (title) VALUES('KEEP')");
    fixture.store().ExecSQL(
        "CREATE TABLE boundCheck (id INTEGER PRIMARY KEY, title TEXT NOT NULL)");
    const bool stored = fixture.store().runInTransaction([&](sqlite3 *handle) {
        SqliteStatement remove(handle, u"DELETE FROM watchlists");
        // A title of NULL breaks the NOT NULL constraint of the check table below.
        SqliteStatement insert(handle, u"INSERT INTO boundCheck (title) VALUES(?)");
        if (!remove.execute() || !insert.isPrepared())
            return false;
        for (int row = 0; row < 3; ++row) {
            const QString title = QString("B%1").arg(row);
            if (row == failAt)
                insert.bindNull(1);
            else
                insert.bindText(1, title);
            if (!insert.execute())
                return false;
        }
        return workSucceeds;
    });
    QCOMPARE(stored, titles.first() != "KEEP");
    if (stored)
        QCOMPARE(fixture.rows("SELECT title FROM boundCheck ORDER BY id"), titles);
    else
        QCOMPARE(fixture.count("boundCheck"), 0);
    QCOMPARE(fixture.rows("SELECT title FROM watchlists"),
             stored ? QStringList() : QStringList({"KEEP"}));
    // Nothing is left open behind the call.
    QVERIFY(fixture.store().runInTransaction({"SELECT 1"}));
}

void StoreTest::emptyQueryIsLoggedAndYieldsNothing()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    LogCapture log;
    QVERIFY(fixture.store().GetSQLRecords(QString()).isEmpty());
    QVERIFY(log.contains("Empty Query."));
}

void StoreTest::failingStatementsAreLoggedAndYieldNothing()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    LogCapture log;
    QVERIFY(fixture.store().GetSQLRecords("SELECT nothing FROM nowhere").isEmpty());
    QVERIFY(log.contains("GetSQLRecords: "));
    QVERIFY(log.contains("SELECT nothing FROM nowhere"));
    fixture.store().ExecSQL("INSERT INTO nowhere VALUES(1)");
    QVERIFY(log.contains("ExecSQL: "));
    QCOMPARE(fixture.store().GetSQL("SELECT nothing FROM nowhere"), QString());
    QVERIFY(log.contains("GetSQL: "));
    QCOMPARE(fixture.store().GetSQL("SELECT value FROM config WHERE name='dbver'"),
             QString("1.12.03.16"));
}

void StoreTest::scriptStatementsJoinLinesAndDropTheUnterminatedTail()
{
    const QStringList lines{"CREATE TABLE t (a", "INTEGER);", "INSERT INTO t VALUES(1);",
                            "INSERT INTO t VALUES(2)"};
    QCOMPARE(sqlScriptStatements(lines),
             QStringList({"CREATE TABLE t (aINTEGER);", "INSERT INTO t VALUES(1);"}));
    QVERIFY(sqlScriptStatements({}).isEmpty());
}

void StoreTest::scriptFileRunsInOneCommittedTransaction()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    QTemporaryDir dir;
    const QString path = writeScript(dir, "INSERT INTO watchlists (title)\n VALUES('One');\n"
                                          "INSERT INTO broken VALUES(1);\n"
                                          "INSERT INTO watchlists (title) VALUES('Two');\n"
                                          "INSERT INTO watchlists (title) VALUES('Never')");
    LogCapture log;
    fixture.store().runSqlFile(path);
    QVERIFY(log.contains("ExecSQL: ")); // the broken statement, the run goes on
    QCOMPARE(fixture.rows("SELECT title FROM watchlists ORDER BY id"), QStringList({"One", "Two"}));
    // Committed: a new statement outside any transaction works.
    fixture.store().ExecSQL("BEGIN TRANSACTION;");
    fixture.store().ExecSQL("COMMIT;");
    QVERIFY(!log.contains("cannot start a transaction within a transaction"));
}

void StoreTest::firstRunCreatesProfileSchemaAndVersionAndAsks()
{
    StoreFixture fixture;
    QVERIFY(!QDir(fixture.profile().profileDirectory()).exists());
    QVERIFY(fixture.open());
    QVERIFY(QFile::exists(fixture.profile().databasePath()));
    QCOMPARE(SettingsKeys::read(fixture.store(), SettingsKeys::SchemaVersion),
             QString("1.12.03.16"));
    const QStringList tables = fixture.rows("SELECT name FROM sqlite_master WHERE type='table'");
    for (const char *table : {"config", "symbols", "fData", "fields", "qData", "feeds", "newsItems",
                              "tmpFeeds", "rssFeeds", "rssItems", "marketWraps", "portfolio",
                              "watchlists", "watchedSymbols", "alerts", "economicCalendar"})
        QVERIFY2(tables.contains(QString::fromLatin1(table)), table);
    QCOMPARE(fixture.boxes().titles().first(), QString("Populate Database?"));
    QCOMPARE(fixture.rows("PRAGMA journal_mode"), QStringList({"wal"}));
}

void StoreTest::answeringNoExplainsTheEmptyStore()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    QCOMPARE(fixture.boxes().titles(), QStringList({"Populate Database?", "Empty DB."}));
    QCOMPARE(fixture.count("symbols"), 0);
}

void StoreTest::secondRunWithSameVersionAddsMissingTablesAndAsksNothing()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    fixture.store().ExecSQL(
        "INSERT INTO symbols (symbol, companyName, exchange) VALUES('KO','Coca-Cola','NYQ')");
    // A profile made by an earlier build of this version lacks the tables added since.
    fixture.store().ExecSQL("DROP TABLE economicCalendar");
    fixture.boxes().clear();

    GDatabaseClass second;
    QVERIFY(second.openDatabase());
    QVERIFY(fixture.boxes().shown().isEmpty());
    QCOMPARE(
        second.GetSQLRecords("SELECT name FROM sqlite_master WHERE name='economicCalendar'").size(),
        1);
    // Existing rows are untouched.
    QCOMPARE(second.GetSQLRecords("SELECT symbol FROM symbols"), QStringList({"KO"}));
}

void StoreTest::versionChangeRunsSchemaAgainButDoesNotAskWhenPopulated()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    fixture.store().ExecSQL(
        "INSERT INTO symbols (symbol, companyName, exchange) VALUES('KO','Coca-Cola','NYQ')");
    fixture.store().ExecSQL("DROP TABLE economicCalendar");
    fixture.store().ExecSQL("UPDATE config SET value='1.11.00.01' WHERE name='dbver'");
    fixture.boxes().clear();

    GDatabaseClass second;
    QVERIFY(second.openDatabase());
    QVERIFY(fixture.boxes().shown().isEmpty());
    QCOMPARE(
        second.GetSQLRecords("SELECT name FROM sqlite_master WHERE name='economicCalendar'").size(),
        1);
    QCOMPARE(SettingsKeys::read(second, SettingsKeys::SchemaVersion), QString("1.12.03.16"));
    QCOMPARE(second.GetSQLRecords("SELECT symbol FROM symbols"), QStringList({"KO"}));
}

void StoreTest::answeringYesFillsTheStoreFromTheVendor()
{
    SimProcess sim;
    QVERIFY(sim.isRunning());
    StoreFixture fixture;
    fixture.boxes().answer("Populate Database?", QMessageBox::Yes);
    QVERIFY(fixture.open());
    QVERIFY(!fixture.boxes().wasShown("Download failed"));
    QVERIFY(fixture.count("symbols") >= 12);
    QCOMPARE(fixture.count("fields"), 82);
    QCOMPARE(fixture.rows("SELECT companyName FROM symbols WHERE symbol='MCD'"),
             QStringList({"McDonald's Corporation"}));
    QCOMPARE(fixture.rows("SELECT id FROM feeds WHERE id IN (1,2,5,9) ORDER BY id"),
             QStringList({"1", "2", "5", "9"}));
    const QStringList templates = fixture.rows("SELECT feedURL FROM feeds");
    for (const QString &address : templates) {
        QVERIFY(address.startsWith(sim.baseUrl()));
        QVERIFY(address.contains("<SYMBOL>"));
    }
    QVERIFY(fixture.count("rssFeeds") >= 2);
    QCOMPARE(fixture.count("watchlists"), 1);
    QVERIFY(fixture.rows("SELECT code FROM fields WHERE pos < 99 ORDER BY pos")
                .contains("LastTradePriceOnly"));
}

void StoreTest::failedDownloadIsReportedAndLeavesAnEmptyStore()
{
    ScriptedHttpServer server;
    server.scriptBody("/Downloads/Data.txt", "INSERT INTO symbols (symbol) VALUES('HALF');", 500);
    ServiceUrl url(server.baseUrl());
    StoreFixture fixture;
    fixture.boxes().answer("Populate Database?", QMessageBox::Yes);
    QVERIFY(fixture.open());
    QVERIFY(fixture.boxes().wasShown("Download failed"));
    QCOMPARE(fixture.count("symbols"), 0);
    QVERIFY(!QFile::exists(fixture.profile().profileDirectory() + "/Data.txt"));
}

void StoreTest::cancelledDownloadLeavesNoFileAndAnEmptyStore()
{
    ScriptedHttpServer server;
    ScriptedHttpServer::Reply silent;
    silent.neverAnswer = true;
    server.script("/Downloads/Data.txt", silent);
    ServiceUrl url(server.baseUrl());
    StoreFixture fixture;
    fixture.boxes().answer("Populate Database?", QMessageBox::Yes);
    cancelProgressDialogWhenShown();
    QVERIFY(fixture.open());
    QCOMPARE(fixture.count("symbols"), 0);
    QVERIFY(!QFile::exists(fixture.profile().profileDirectory() + "/Data.txt"));
    QCOMPARE(fixture.boxes().titles(), QStringList({"Populate Database?"}));
}

void StoreTest::populationIsOfferedAgainUntilItHasSucceeded()
{
    ScriptedHttpServer server;
    server.scriptBody("/Downloads/Data.txt", "busy", 503);
    ServiceUrl url(server.baseUrl());
    StoreFixture fixture;
    fixture.boxes().answer("Populate Database?", QMessageBox::Yes);
    QVERIFY(fixture.open());
    QVERIFY(fixture.boxes().wasShown("Download failed"));
    QCOMPARE(fixture.count("symbols"), 0);

    // Next start, same version: asked again; this time the download works.
    fixture.boxes().clear();
    server.scriptBody("/Downloads/Data.txt",
                      "INSERT INTO symbols (symbol, companyName) VALUES('IBM','IBM Corp');\n");
    {
        GDatabaseClass second;
        QVERIFY(second.openDatabase());
    }
    QCOMPARE(fixture.boxes().titles(), QStringList({"Populate Database?"}));
    QCOMPARE(fixture.count("symbols"), 1);

    // Populated: never asked again, even should the symbols be deleted later.
    fixture.store().ExecSQL("DELETE FROM symbols");
    fixture.boxes().clear();
    {
        GDatabaseClass third;
        QVERIFY(third.openDatabase());
    }
    QVERIFY(fixture.boxes().shown().isEmpty());
}

void StoreTest::aFailingStatementLeavesTheWholeTransactionUndone()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    fixture.store().ExecSQL("INSERT INTO symbols (symbol) VALUES('KEEP')");
    LogCapture log;
    QVERIFY(!fixture.store().runInTransaction({"DELETE FROM symbols",
                                               "INSERT INTO symbols (symbol) VALUES('NEW')",
                                               "INSERT INTO nosuchtable VALUES(1)"}));
    QVERIFY(log.contains("runInTransaction: "));
    QCOMPARE(fixture.rows("SELECT symbol FROM symbols"), QStringList({"KEEP"}));
    QVERIFY(fixture.store().runInTransaction(
        {"DELETE FROM symbols", "INSERT INTO symbols (symbol) VALUES('NEW')"}));
    QCOMPARE(fixture.rows("SELECT symbol FROM symbols"), QStringList({"NEW"}));
    // No transaction is left open behind either call.
    QVERIFY(fixture.store().runInTransaction({"SELECT 1"}));
}

void StoreTest::configKeyWrittenTwiceKeepsTheSecondValue()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    SettingsKeys::write(fixture.store(), SettingsKeys::TypeCombo, 1);
    SettingsKeys::write(fixture.store(), SettingsKeys::TypeCombo, 3);
    QCOMPARE(fixture.rows("SELECT value FROM config WHERE name='typeCombo'"), QStringList({"3"}));
    QCOMPARE(SettingsKeys::readNumber(fixture.store(), SettingsKeys::TypeCombo), 3);
    QCOMPARE(SettingsKeys::readNumber(fixture.store(), SettingsKeys::Tech4, -1), -1);
}

void StoreTest::reinsertedNewsItemStaysOneRow()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    const QString insert =
        "INSERT OR IGNORE INTO newsItems (feedId, pubDate, title, desc, url, read, symbol) "
        "VALUES (1,'1300000000000','Title','Desc','http://x/1',0,'IBM');";
    fixture.store().ExecSQL(insert);
    fixture.store().ExecSQL(insert);
    QCOMPARE(fixture.count("newsItems"), 1);
    // The same article for another symbol is another item.
    fixture.store().ExecSQL(QString(insert).replace("'IBM'", "'KO'"));
    QCOMPARE(fixture.count("newsItems"), 2);
}

void StoreTest::quotedNumbersCompareAndSortAsNumbers()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    GDatabaseClass &store = fixture.store();
    store.ExecSQL("INSERT INTO newsItems (feedId, pubDate, title, url, symbol) VALUES "
                  "(1,'999999999999','a','u1','X')");
    store.ExecSQL("INSERT INTO newsItems (feedId, pubDate, title, url, symbol) VALUES "
                  "(1,'1200000000000','b','u2','X')");
    QCOMPARE(fixture.rows("SELECT title FROM newsItems WHERE pubDate < 1200000000000"),
             QStringList({"a"}));
    QCOMPARE(fixture.rows("SELECT typeof(pubDate) FROM newsItems LIMIT 1"),
             QStringList({"integer"}));
    store.ExecSQL("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
                  "VALUES('20240102','X','9.5','10','9','9.5','100')");
    store.ExecSQL("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
                  "VALUES('20240103','X','10.25','11','10','10.25','200')");
    QCOMPARE(fixture.rows("SELECT Close FROM qData ORDER BY Close DESC"),
             QStringList({"10.25", "9.5"}));
    store.ExecSQL("INSERT INTO feeds (title, feedURL, lastUpdate) VALUES('f','u','5')");
    QCOMPARE(fixture.rows("SELECT title FROM feeds WHERE lastUpdate < 10"), QStringList({"f"}));
}

void StoreTest::apostrophesSurviveTheQuotingHelper()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    QCOMPARE(sqlQuoted("McDonald's"), QString("'McDonald''s'"));
    fixture.store().ExecSQL("INSERT INTO watchlists (title) VALUES(" +
                            sqlQuoted("Bob's 'best' picks") + ")");
    QCOMPARE(fixture.rows("SELECT title FROM watchlists"), QStringList({"Bob's 'best' picks"}));
    QCOMPARE(GDatabaseClass::stripSqlDelimiters("a'b|c''|"), QString("abc"));
    QVERIFY(isSqlNumber("12.5") && isSqlNumber("-3") && !isSqlNumber("1; DROP TABLE x") &&
            !isSqlNumber(""));
}

void StoreTest::workerConnectionWritesWhileGuiThreadReads()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    LogCapture log;
    constexpr int transactions = 300;
    constexpr int half = transactions / 2;
    std::atomic<int> committed{0};
    std::atomic<bool> guiSawHalf{false};

    // Halfway the worker waits (at most 30 s) until the GUI thread has seen its rows, so the GUI
    // thread is sure to read and write while the worker is still at work.
    QThread *worker = QThread::create([&committed, &guiSawHalf] {
        GDatabaseClass own;
        own.attachToConnection();
        for (int i = 0; i < transactions; ++i) {
            own.ExecSQL("BEGIN TRANSACTION;");
            own.ExecSQL(QString("INSERT INTO tmpFeeds (url) VALUES('worker-%1')").arg(i));
            own.ExecSQL("COMMIT;");
            committed = i + 1;
            for (int waited = 0; i + 1 == half && !guiSawHalf && waited < 30000; waited += 5)
                QThread::msleep(5);
        }
    });
    worker->start();
    int gotWhileRunning = 0;
    for (int i = 0; !worker->isFinished(); ++i) {
        const int before = committed;
        fixture.store().ExecSQL("BEGIN TRANSACTION;");
        fixture.store().ExecSQL(QString("INSERT INTO watchlists (title) VALUES('gui-%1')").arg(i));
        fixture.store().ExecSQL("COMMIT;");
        const int seen = fixture.count("tmpFeeds");
        QVERIFY(seen >= before); // every committed worker row is visible to the GUI thread
        if (!worker->isFinished())
            gotWhileRunning = qMax(gotWhileRunning, seen);
        if (seen >= half)
            guiSawHalf = true;
    }
    // The GUI thread read the worker's rows while the worker was running.
    QVERIFY2(gotWhileRunning >= half, qPrintable(QString::number(gotWhileRunning)));
    QVERIFY(worker->wait(60000));
    delete worker;
    QCOMPARE(fixture.count("tmpFeeds"), transactions);
    QVERIFY(!log.contains("database is locked"));
    QVERIFY(!log.contains("ExecSQL: "));
    // And the worker sees what the GUI thread committed.
    GDatabaseClass reader;
    reader.attachToConnection();
    QCOMPARE(reader.GetSQLRecords("SELECT COUNT(*) FROM watchlists").first().toInt(),
             fixture.count("watchlists"));
}

QTEST_MAIN(StoreTest)
#include "tst_store.moc"
