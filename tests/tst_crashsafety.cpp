#include "marketdata/pricehistory.h"
#include "store/gdatabaseclass.h"
#include "support/storefixture.h"

#include <QApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <cstdio>

// A process storing a large history is killed at random moments. Whatever the moment, the store
// must come back intact, holding the symbol's old rows or its new ones, never neither or a mix.

namespace {

const char *const ChildVariable = "CORVANE_CRASH_CHILD";
constexpr int OldRows = 6000;
constexpr int NewRows = 9000;
constexpr int Kills = 20;

// Two histories told apart by their size and their close.
QList<PriceHistory::Row> history(int count, const QString &close)
{
    QList<PriceHistory::Row> rows;
    rows.reserve(count);
    const QDate start(1950, 1, 1);
    for (int day = 0; day < count; ++day)
        rows << PriceHistory::Row{start.addDays(day).toString("yyyyMMdd"),
                                  "10",
                                  "12",
                                  "9",
                                  close,
                                  QString::number(1000 + day)};
    return rows;
}

// The child: opens the store of the HOME it was given and replaces the history again and again,
// saying on its output when each replace starts, until it is killed.
int storeUntilKilled()
{
    GDatabaseClass store;
    if (!store.openDatabase())
        return 2;
    const QList<PriceHistory::Row> oldRows = history(OldRows, "1");
    const QList<PriceHistory::Row> newRows = history(NewRows, "2");
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (bool useNew = true;; useNew = !useNew) {
        std::fputs("storing\n", stdout);
        std::fflush(stdout);
        if (!PriceHistory::store(store, "CRASH", useNew ? newRows : oldRows))
            return 3;
    }
}

} // namespace

class CrashSafetyTest : public QObject
{
    Q_OBJECT

private slots:
    void aKilledReplaceLeavesTheOldRowsOrTheNewOnes();
};

void CrashSafetyTest::aKilledReplaceLeavesTheOldRowsOrTheNewOnes()
{
    StoreFixture fixture;
    QVERIFY(fixture.open());
    fixture.store().ExecSQL("INSERT INTO symbols (symbol) VALUES('CRASH')");
    QVERIFY(PriceHistory::store(fixture.store(), "CRASH", history(OldRows, "1")));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(ChildVariable, "1");
    environment.insert("HOME", fixture.profile().home());
    int storesStarted = 0;
    int foundOld = 0;
    int foundNew = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted(10000));
        QByteArray said;
        while (!said.contains("ready\n") && child.waitForReadyRead(20000))
            said += child.readAllStandardOutput();
        QVERIFY2(said.contains("ready\n"), said.constData());
        // Anywhere in a replace or between two: a store of these sizes takes a few hundred ms.
        QTest::qWait(int(QRandomGenerator::global()->bounded(20, 600)));
        child.kill();
        QVERIFY(child.waitForFinished(10000));
        said += child.readAllStandardOutput();
        storesStarted += int(said.count("storing\n"));

        QCOMPARE(fixture.rows("PRAGMA integrity_check"), QStringList({"ok"}));
        const QString shape = fixture
                                  .rows("SELECT COUNT(*), MIN(Close), MAX(Close) FROM qData "
                                        "WHERE symbol='CRASH'")
                                  .value(0);
        QVERIFY2(shape == QString("%1|1|1").arg(OldRows) || shape == QString("%1|2|2").arg(NewRows),
                 qPrintable(QString("kill %1 left %2").arg(kill + 1).arg(shape)));
        (shape.startsWith(QString::number(OldRows)) ? foundOld : foundNew) += 1;
    }
    // The kills must have hit replaces in flight, or the test proved nothing.
    QVERIFY(storesStarted >= Kills);
    qInfo("%d kills, %d replaces started, old rows found %d times, new rows %d times", Kills,
          storesStarted, foundOld, foundNew);
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(ChildVariable)) {
        QCoreApplication child(argc, argv); // quick to start: no window is ever shown
        return storeUntilKilled();
    }
    QApplication application(argc, argv);
    CrashSafetyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashsafety.moc"
