#include "support/simprocess.h"
#include "support/updatefixture.h"
#include "update/updateclass.h"
#include "update/versionfile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>
#include <QtTest>

namespace {

const QString Installer = QStringLiteral("/Downloads/corVane/CorvaneSetup-1.12.03.17.sh");

QByteArray installerBody()
{
    return QByteArray("#!/bin/sh\nexit 0\n") + QByteArray(200000, '#');
}

QString savedInstaller(UpdateFixture &fixture)
{
    return fixture.profile().profileDirectory() + "/updates/CorvaneSetup-1.12.03.17.sh";
}

// Runs `action` on the progress dialog once it is up.
void whenProgressShows(std::function<void(QProgressDialog *)> action)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        if (auto *dialog = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            action(dialog);
        }
    });
    poll->start(20);
}

} // namespace

class UpdateTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void versionsCompareNumberByNumberFromTheFirst_data();
    void versionsCompareNumberByNumberFromTheFirst();
    void theVersionFileIgnoresCarriageReturnsAndMissingLines();

    void anEqualVersionOffersNothing();
    void aNewerVersionIsDownloadedAndStartedOnlyAfterYes();
    void anInstallerNamedLikeAProfileFileLeavesThatFileAlone();
    void aDeclinedOfferDownloadsNothing();
    void aRedirectedVersionFileIsFollowed();
    void aWindowsLineEndStillOffersTheVersion();
    void aMissingInstallerLineIsReported();
    void aFailedOrCutShortDownloadIsReportedAndNeverStarted_data();
    void aFailedOrCutShortDownloadIsReportedAndNeverStarted();
    void cancellingTheDownloadLeavesNoFile();
    void aSilentServerDoesNotHoldStartUpForLong();
    void anUnreachableServerIsSaidOnlyOnDemand();
    void theSimulatorsOfferIsDownloadedWithProgress();

private:
    UpdateFixture *fixture = nullptr;
};

void UpdateTest::init()
{
    fixture = new UpdateFixture;
}

void UpdateTest::cleanup()
{
    delete fixture;
}

void UpdateTest::versionsCompareNumberByNumberFromTheFirst_data()
{
    QTest::addColumn<QString>("remote");
    QTest::addColumn<bool>("newer");
    QTest::newRow("fourth number 17 > 16") << "1.12.03.17" << true;
    QTest::newRow("equal") << "1.12.03.16" << false;
    QTest::newRow("0.13.0.0 is older") << "0.13.0.0" << false;
    QTest::newRow("older fourth number") << "1.12.03.15" << false;
    QTest::newRow("next minor") << "1.13.0.0" << true;
    QTest::newRow("next major") << "2.0.0.0" << true;
    QTest::newRow("leading zeros") << "1.12.3.16" << false;
    QTest::newRow("two digits beat one") << "1.12.10.0" << true;
    QTest::newRow("no version") << "" << false;
    QTest::newRow("not a number") << "one.two" << false;
}

void UpdateTest::versionsCompareNumberByNumberFromTheFirst()
{
    QFETCH(QString, remote);
    QFETCH(bool, newer);
    QCOMPARE(VersionFile::isNewer(remote, "1.12.03.16"), newer);
}

void UpdateTest::theVersionFileIgnoresCarriageReturnsAndMissingLines()
{
    const VersionFile::Contents windows =
        VersionFile::read("1.12.03.17\r\nhttp://vendor.example/Setup.sh\r\n");
    QCOMPARE(windows.version, QString("1.12.03.17"));
    QCOMPARE(windows.installerUrl, QString("http://vendor.example/Setup.sh"));
    QCOMPARE(VersionFile::numbers(windows.version), (std::array<int, 4>{1, 12, 3, 17}));
    const VersionFile::Contents single = VersionFile::read("1.12.03.17");
    QCOMPARE(single.installerUrl, QString());
    QCOMPARE(VersionFile::numbers("1.2.x.4"), (std::array<int, 4>{1, 2, 0, 4}));
}

void UpdateTest::anEqualVersionOffersNothing()
{
    fixture->scriptVersionFile("1.12.03.16", Installer);
    UpdateClass updater;
    QVERIFY(fixture->boxes().shown().isEmpty());
    QCOMPARE(fixture->server().requests(), QStringList{UpdateFixture::versionFilePath()});

    // The menu entry runs the same check and says so.
    QCOMPARE(updater.check(true), UpdateClass::Outcome::UpToDate);
    QCOMPARE(fixture->boxes().titles(), QStringList{"Update"});
    QCOMPARE(fixture->boxes().shown().first().text, QString("Corvane is up to date."));
    QVERIFY(fixture->startedInstallers().isEmpty());
}

void UpdateTest::aNewerVersionIsDownloadedAndStartedOnlyAfterYes()
{
    fixture->scriptVersionFile("1.12.03.17", Installer);
    fixture->server().scriptBody(Installer, installerBody());
    fixture->boxes().answer("Downloader", QMessageBox::Yes);
    // The first run: the profile folder does not exist yet.
    QVERIFY(!QFileInfo::exists(fixture->profile().profileDirectory()));

    UpdateClass updater;
    QCOMPARE(fixture->boxes().titles(), QStringList{"Downloader"});
    const MessageBoxes::Box offer = fixture->boxes().shown().first();
    QVERIFY(offer.text.contains("1.12.03.17"));
    QVERIFY(offer.buttons.testFlag(QMessageBox::No));
    QCOMPARE(fixture->startedInstallers(), QStringList{savedInstaller(*fixture)});
    QFile saved(savedInstaller(*fixture));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), installerBody());
    QVERIFY(saved.permissions().testFlag(QFile::ExeOwner));
}

void UpdateTest::anInstallerNamedLikeAProfileFileLeavesThatFileAlone()
{
    const QString sameName = QStringLiteral("/Downloads/mydb.db3");
    fixture->scriptVersionFile("1.12.03.17", sameName);
    fixture->server().scriptBody(sameName, installerBody());
    fixture->boxes().answer("Downloader", QMessageBox::Yes);
    QDir().mkpath(fixture->profile().profileDirectory());
    const QString store = fixture->profile().profileDirectory() + "/mydb.db3";
    QFile stored(store);
    QVERIFY(stored.open(QIODevice::WriteOnly));
    stored.write("the investor's data");
    stored.close();

    UpdateClass updater;
    const QString saved = fixture->profile().profileDirectory() + "/updates/mydb.db3";
    QCOMPARE(fixture->startedInstallers(), QStringList{saved});
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), QByteArray("the investor's data"));
}

void UpdateTest::aDeclinedOfferDownloadsNothing()
{
    fixture->scriptVersionFile("1.12.03.17", Installer);
    fixture->server().scriptBody(Installer, installerBody());
    fixture->boxes().answer("Downloader", QMessageBox::No);
    UpdateClass updater;
    QCOMPARE(fixture->boxes().titles(), QStringList{"Downloader"});
    QCOMPARE(fixture->server().requests(), QStringList{UpdateFixture::versionFilePath()});
    QVERIFY(fixture->startedInstallers().isEmpty());
    QVERIFY(!QFileInfo::exists(savedInstaller(*fixture)));
}

void UpdateTest::aRedirectedVersionFileIsFollowed()
{
    fixture->server().scriptRedirect(UpdateFixture::versionFilePath(), "/moved/update.ini");
    fixture->server().scriptBody(
        "/moved/update.ini", ("1.12.03.17\n" + fixture->server().url(Installer) + "\n").toUtf8());
    fixture->boxes().answer("Downloader", QMessageBox::No);
    UpdateClass updater;
    QCOMPARE(fixture->server().requests(),
             QStringList({UpdateFixture::versionFilePath(), "/moved/update.ini"}));
    QCOMPARE(fixture->boxes().titles(), QStringList{"Downloader"}); // the offer
}

void UpdateTest::aWindowsLineEndStillOffersTheVersion()
{
    fixture->scriptVersionFile("1.12.03.17", Installer, "\r\n");
    fixture->server().scriptBody(Installer, installerBody());
    fixture->boxes().answer("Downloader", QMessageBox::Yes);
    UpdateClass updater;
    QCOMPARE(fixture->startedInstallers(), QStringList{savedInstaller(*fixture)});
}

void UpdateTest::aMissingInstallerLineIsReported()
{
    fixture->scriptVersionFile("1.12.03.17", QString());
    UpdateClass updater;
    QCOMPARE(fixture->boxes().titles(), QStringList{"Downloader"});
    QVERIFY(fixture->boxes().shown().first().text.contains("names no installer"));
    QCOMPARE(fixture->server().requests().size(), 1);
    QVERIFY(fixture->startedInstallers().isEmpty());
}

void UpdateTest::aFailedOrCutShortDownloadIsReportedAndNeverStarted_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("cutAfter");
    QTest::newRow("server error") << 500 << -1;
    QTest::newRow("not found") << 404 << -1;
    QTest::newRow("cut short") << 200 << 1000;
}

void UpdateTest::aFailedOrCutShortDownloadIsReportedAndNeverStarted()
{
    QFETCH(int, status);
    QFETCH(int, cutAfter);
    fixture->scriptVersionFile("1.12.03.17", Installer);
    ScriptedHttpServer::Reply reply;
    reply.status = status;
    reply.body = installerBody();
    reply.truncateBodyAt = cutAfter;
    fixture->server().script(Installer, reply);
    fixture->boxes().answer("Downloader", QMessageBox::Yes);

    UpdateClass updater;
    QCOMPARE(fixture->boxes().titles(), QStringList({"Downloader", "Download failed"}));
    QVERIFY(fixture->boxes().shown().last().text.contains("1.12.03.17"));
    QVERIFY(fixture->startedInstallers().isEmpty());
    QVERIFY(!QFileInfo::exists(savedInstaller(*fixture)));
}

void UpdateTest::cancellingTheDownloadLeavesNoFile()
{
    fixture->scriptVersionFile("1.12.03.17", Installer);
    ScriptedHttpServer::Reply slow;
    slow.body = installerBody();
    slow.delayMs = 5000;
    fixture->server().script(Installer, slow);
    fixture->boxes().answer("Downloader", QMessageBox::Yes);
    bool cancelled = false;
    whenProgressShows([&cancelled](QProgressDialog *dialog) {
        QCOMPARE(dialog->labelText(), QString("Downloading new features & updates..."));
        dialog->cancel();
        cancelled = true;
    });

    QElapsedTimer clock;
    clock.start();
    UpdateClass updater;
    QVERIFY(cancelled);
    QVERIFY(clock.elapsed() < 4000);
    QCOMPARE(fixture->boxes().titles(), QStringList{"Downloader"}); // a cancel is no failure
    QVERIFY(fixture->startedInstallers().isEmpty());
    QVERIFY(!QFileInfo::exists(savedInstaller(*fixture)));
}

void UpdateTest::aSilentServerDoesNotHoldStartUpForLong()
{
    ScriptedHttpServer::Reply silent;
    silent.neverAnswer = true;
    fixture->server().script(UpdateFixture::versionFilePath(), silent);
    QElapsedTimer clock;
    clock.start();
    UpdateClass updater;
    QVERIFY(clock.elapsed() < 15000);
    QVERIFY(fixture->boxes().shown().isEmpty());
}

void UpdateTest::anUnreachableServerIsSaidOnlyOnDemand()
{
    // Nothing scripted: the version file is not found.
    UpdateClass updater;
    QVERIFY(fixture->boxes().shown().isEmpty());
    QCOMPARE(updater.check(true), UpdateClass::Outcome::Unreachable);
    QCOMPARE(fixture->boxes().titles(), QStringList{"Downloader"});
    QVERIFY(fixture->boxes().shown().first().text.contains("could not be reached"));
}

void UpdateTest::theSimulatorsOfferIsDownloadedWithProgress()
{
    SimProcess sim({"--offer-update"});
    QVERIFY(sim.isRunning());
    qputenv("CORVANE_VENDOR_URL", sim.baseUrl().toUtf8());
    fixture->boxes().answer("Downloader", QMessageBox::Yes);
    int largestValue = 0;
    int maximum = 0;
    whenProgressShows([&](QProgressDialog *dialog) {
        auto *watch = new QTimer(dialog);
        QObject::connect(watch, &QTimer::timeout, dialog, [&, dialog] {
            largestValue = qMax(largestValue, dialog->value());
            maximum = dialog->maximum();
        });
        watch->start(10);
    });

    UpdateClass updater;
    QCOMPARE(fixture->startedInstallers().size(), 1);
    const QFileInfo saved(fixture->startedInstallers().first());
    QCOMPARE(saved.fileName(), QString("CorvaneSetup-1.12.03.17.sh"));
    QVERIFY(saved.size() > 1000000);
    QCOMPARE(qint64(maximum), saved.size());
    QVERIFY(largestValue > 0);
}

QTEST_MAIN(UpdateTest)
#include "tst_update.moc"
