#include "app/singleinstance.h"
#include "support/testprofile.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <cstdio>

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void aSecondStartFindsTheFirstAndAsksItToShow();
    void theLockGoesWithTheInstance();
    void aLockLeftByADeadProcessIsTakenOver();
    void theApplicationStartedTwiceEndsTheSecondStart();
};

void SingleInstanceTest::aSecondStartFindsTheFirstAndAsksItToShow()
{
    TestProfile home;
    SingleInstance first(home.profileDirectory());
    QVERIFY(first.acquire());
    QVERIFY(QFile::exists(first.lockPath()));
    QSignalSpy shown(&first, &SingleInstance::showRequested);

    SingleInstance second(home.profileDirectory());
    QVERIFY(!second.acquire());
    QVERIFY(second.askRunningInstanceToShow());
    QVERIFY(shown.wait(5000));

    // Another profile is another instance.
    TestProfile other;
    SingleInstance elsewhere(other.profileDirectory());
    QVERIFY(elsewhere.acquire());
}

void SingleInstanceTest::theLockGoesWithTheInstance()
{
    TestProfile home;
    QString lock;
    {
        SingleInstance first(home.profileDirectory());
        QVERIFY(first.acquire());
        lock = first.lockPath();
    }
    QVERIFY(!QFile::exists(lock));
    SingleInstance again(home.profileDirectory());
    QVERIFY(again.acquire());
    // Nobody listens for a profile without a running instance.
    SingleInstance nobody(TestProfile().profileDirectory());
    QVERIFY(!nobody.askRunningInstanceToShow(200));
}

void SingleInstanceTest::aLockLeftByADeadProcessIsTakenOver()
{
    TestProfile home;
    // A start that crashes: it holds the lock and is killed without a chance to remove it.
    QProcess crashed;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("CORVANE_LOCK_CHILD", home.profileDirectory());
    crashed.setProcessEnvironment(environment);
    crashed.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(crashed.waitForReadyRead(10000));
    QCOMPARE(crashed.readAllStandardOutput(), QByteArray("locked\n"));
    SingleInstance meanwhile(home.profileDirectory());
    QVERIFY(!meanwhile.acquire());
    crashed.kill();
    QVERIFY(crashed.waitForFinished(5000));
    QVERIFY(QFile::exists(home.profileDirectory() + "/corvane.lock"));

    SingleInstance next(home.profileDirectory());
    QVERIFY(next.acquire());
}

void SingleInstanceTest::theApplicationStartedTwiceEndsTheSecondStart()
{
    TestProfile home;
    SingleInstance running(home.profileDirectory());
    QVERIFY(running.acquire());
    QSignalSpy shown(&running, &SingleInstance::showRequested);
    QProcess second;
    second.setWorkingDirectory(CORVANE_BIN_DIR);
    second.start(QStringLiteral(CORVANE_BIN_DIR) + "/corvane", {});
    QVERIFY(second.waitForStarted(10000));
    // It asks the running one to show itself and ends, without building a window of its own.
    QVERIFY(shown.wait(20000));
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitCode(), 0);
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (qEnvironmentVariableIsSet("CORVANE_LOCK_CHILD")) {
        SingleInstance instance(qEnvironmentVariable("CORVANE_LOCK_CHILD"));
        if (!instance.acquire())
            return 1;
        std::fputs("locked\n", stdout);
        std::fflush(stdout);
        return application.exec(); // until killed
    }
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_singleinstance.moc"
