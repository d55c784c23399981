#include "alerts/alertmonitor.h"
#include "alerts/alertpopup.h"
#include "alerts/maildelivery.h"
#include "alerts/mailpassword.h"
#include "alerts/mailsender.h"
#include "alerts/mailsettings.h"
#include "app/mainwindow.h"
#include "marketdata/welcomeclass.h"
#include "settings/settingsclass.h"
#include "support/alertfixture.h"
#include "support/simprocess.h"
#include "support/smtpsink.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimeZone>
#include <QTimer>
#include <QToolButton>

using Alert = AlertFixture::Alert;

class AlertDeliveryTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addressesAndServersAreChecked_data();
    void addressesAndServersAreChecked();
    void messageHeadersCannotBeInjected();
    void mailReachesTheServerWithRecipientSubjectAndBody();
    void refusedOrUnreachableServerIsReportedNotRetried();
    void firedAlertIsDeliveredByEveryChosenWay();
    void missingAddressIsReported();
    void popupShowsWithoutTakingFocusAndClosesItself();
    void settingsPageKeepsItsKeysAndRefusesBadAddresses();
    void settingsPageSendsATestMessage();
    void trayHidesAndRestoresTheWindow();
    void alertFiresOnceAgainstTheSimulator();

private:
    void configureMail(quint16 port);

    AlertFixture *fixture = nullptr;
    SmtpSink *sink = nullptr;
};

void AlertDeliveryTest::init()
{
    fixture = new AlertFixture;
    QVERIFY(fixture->open());
    sink = new SmtpSink;
    QVERIFY(sink->isListening());
}

void AlertDeliveryTest::cleanup()
{
    qDeleteAll(AlertPopup::openPopups());
    delete sink;
    delete fixture;
}

void AlertDeliveryTest::configureMail(quint16 port)
{
    AlertMailSettings settings;
    settings.server.host = "127.0.0.1";
    settings.server.port = port;
    settings.server.security = MailSender::Security::None;
    settings.server.sender = "corvane@example.com";
    settings.alertAddress = "investor@example.com";
    settings.smsAddress = "5551234567@sms.example.net";
    settings.save(fixture->store());
}

void AlertDeliveryTest::addressesAndServersAreChecked_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isAddress");
    QTest::addColumn<bool>("isHost");
    QTest::newRow("address") << "me@example.com" << true << false;
    QTest::newRow("host") << "smtp.example.com" << false << true;
    QTest::newRow("loopback") << "127.0.0.1" << false << true;
    QTest::newRow("line break") << "me@example.com\r\nRCPT TO:<x@y>" << false << false;
    QTest::newRow("angle brackets") << "<me@example.com>" << false << false;
    QTest::newRow("two addresses") << "a@example.com,b@example.com" << false << false;
    QTest::newRow("path in host") << "smtp.example.com/x" << false << false;
    QTest::newRow("empty") << "" << false << false;
}

void AlertDeliveryTest::addressesAndServersAreChecked()
{
    QFETCH(QString, text);
    QFETCH(bool, isAddress);
    QFETCH(bool, isHost);
    QCOMPARE(MailSender::isMailAddress(text), isAddress);
    MailSender::Settings settings;
    settings.host = text;
    settings.port = 2525;
    QCOMPARE(!MailSender::serverUrl(settings).isEmpty(), isHost);
    if (isHost) {
        QCOMPARE(MailSender::serverUrl(settings), "smtp://" + text + ":2525");
        settings.security = MailSender::Security::Tls;
        QVERIFY(MailSender::serverUrl(settings).startsWith("smtps://"));
    }
}

void AlertDeliveryTest::messageHeadersCannotBeInjected()
{
    MailSender::Settings settings;
    settings.sender = "corvane@example.com";
    const QByteArray text = MailSender::composeMessage(
        settings, {"me@example.com", "AAPL\r\nBcc: someone@example.org", "line one\nline two"},
        QDateTime(QDate(2026, 12, 9), QTime(21, 0), Qt::UTC));
    QVERIFY(text.contains("Subject: AAPL  Bcc: someone@example.org\r\n"));
    QVERIFY(!text.contains("\r\nBcc:"));
    QVERIFY(text.contains("Date: Wed, 09 Dec 2026 21:00:00 +0000\r\n"));
    QVERIFY(text.contains("To: <me@example.com>\r\n"));
    QVERIFY(text.endsWith("\r\n\r\nline one\r\nline two\r\n"));
    // Text that is not ASCII goes as an encoded word.
    const QByteArray euro = MailSender::composeMessage(
        settings, {"me@example.com", "Preis 5 €", ""}, QDateTime::currentDateTime());
    QVERIFY(euro.contains("Subject: =?UTF-8?B?" + QString("Preis 5 €").toUtf8().toBase64()));
}

void AlertDeliveryTest::mailReachesTheServerWithRecipientSubjectAndBody()
{
    MailSender::Settings settings{"127.0.0.1", sink->port(), MailSender::Security::None,
                                  "alice",     "s3cret",     "corvane@example.com"};
    MailDelivery delivery;
    QSignalSpy finished(&delivery, &MailDelivery::finished);
    delivery.send(settings, {"investor@example.com", "Corvane alert: AAPL Last > 180",
                             "Value seen: 180.52\n.\nend"});
    QCOMPARE(delivery.pending(), 1);
    QVERIFY(finished.wait(15000));
    QCOMPARE(finished.first().at(0).toBool(), true);
    QCOMPARE(sink->mails().size(), 1);
    const SmtpSink::Mail mail = sink->mails().first();
    QCOMPARE(mail.from, "corvane@example.com");
    QCOMPARE(mail.recipients, QStringList("investor@example.com"));
    QCOMPARE(mail.header("Subject"), "Corvane alert: AAPL Last > 180");
    // A line holding only a dot arrives intact instead of ending the message.
    QCOMPARE(mail.body(), "Value seen: 180.52\r\n.\r\nend\r\n");
    QCOMPARE(sink->lastLogin(), QByteArray("\0alice\0s3cret", 13));
    QCOMPARE(delivery.pending(), 0);
}

void AlertDeliveryTest::refusedOrUnreachableServerIsReportedNotRetried()
{
    sink->refuseRecipients(true);
    configureMail(sink->port());
    fixture->addAlert({"AAPL", "Last", 0, "100", 0, 2, 0, 2});
    fixture->setQuote("AAPL", "LastTradePriceOnly", "182.31");
    AlertMonitor monitor;
    QSignalSpy status(&monitor, &AlertMonitor::statusMessage);
    monitor.evaluateSnapshot();
    QTRY_VERIFY_WITH_TIMEOUT(monitor.mailDelivery()->pending() == 0, 15000);
    QVERIFY(sink->mails().isEmpty());
    const QString last = status.last().at(0).toString();
    QVERIFY2(last.contains("investor@example.com") && last.contains("failed"), qPrintable(last));

    // A server that is not there: reported the same way, the application carries on.
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 deadPort = closed.serverPort();
    closed.close();
    configureMail(deadPort);
    fixture->setQuote("AAPL", "LastTradePriceOnly", "90");
    monitor.evaluateSnapshot();
    fixture->setQuote("AAPL", "LastTradePriceOnly", "182.31");
    status.clear();
    monitor.evaluateSnapshot();
    QCOMPARE(monitor.mailDelivery()->pending(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(monitor.mailDelivery()->pending() == 0, 15000);
    QVERIFY(status.last().at(0).toString().contains("failed"));
    // Nothing was tried again.
    QTest::qWait(300);
    QCOMPARE(monitor.mailDelivery()->pending(), 0);
}

void AlertDeliveryTest::firedAlertIsDeliveredByEveryChosenWay()
{
    configureMail(sink->port());
    fixture->addAlert({"AAPL", "Last", 0, "180", 2, 2, 2, 2});
    fixture->setQuote("AAPL", "LastTradePriceOnly", "180.52");
    AlertMonitor monitor;
    QSignalSpy notified(&monitor, &AlertMonitor::notification);
    monitor.evaluateSnapshot();
    QCOMPARE(AlertPopup::openPopups().size(), 1);
    QCOMPARE(notified.size(), 1);
    QCOMPARE(notified.first().at(0).toString(), "Corvane alert: AAPL Last > 180");
    QTRY_COMPARE_WITH_TIMEOUT(sink->mails().size(), 2, 15000);
    QList<SmtpSink::Mail> mails = sink->mails();
    std::sort(mails.begin(), mails.end(), [](const auto &a, const auto &b) {
        return a.recipients.first() < b.recipients.first();
    });
    QCOMPARE(mails[0].recipients, QStringList("5551234567@sms.example.net"));
    QVERIFY(mails[0].body().startsWith("AAPL Last > 180: 180.52 at "));
    QCOMPARE(mails[1].recipients, QStringList("investor@example.com"));
    QCOMPARE(mails[1].header("Subject"), "Corvane alert: AAPL Last > 180");
    QVERIFY(mails[1].body().contains("Value seen: 180.52"));

    // The next snapshots, still above the threshold, send nothing more.
    monitor.evaluateSnapshot();
    monitor.evaluateSnapshot();
    QTest::qWait(300);
    QCOMPARE(sink->mails().size(), 2);
    QCOMPARE(AlertPopup::openPopups().size(), 1);
}

void AlertDeliveryTest::missingAddressIsReported()
{
    fixture->addAlert({"AAPL", "Last", 0, "100", 0, 2, 2, 2});
    fixture->setQuote("AAPL", "LastTradePriceOnly", "182.31");
    AlertMonitor monitor;
    QSignalSpy status(&monitor, &AlertMonitor::statusMessage);
    monitor.evaluateSnapshot();
    QCOMPARE(monitor.mailDelivery()->pending(), 0);
    QStringList texts;
    for (const QList<QVariant> &message : status)
        texts << message.at(0).toString();
    QCOMPARE(texts.size(), 3);
    QVERIFY(texts[0].startsWith("Alert: AAPL Last > 100, value 182.31"));
    QVERIFY(texts[1].contains("no alert e-mail address"));
    QVERIFY(texts[2].contains("no SMS gateway address"));
    QCOMPARE(fixture->count("alertEvents"), 1);
}

void AlertDeliveryTest::popupShowsWithoutTakingFocusAndClosesItself()
{
    QWidget typing;
    auto *edit = new QLineEdit(&typing);
    typing.show();
    typing.activateWindow();
    edit->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&typing));

    AlertEvaluation::Firing firing;
    firing.symbol = "AAPL";
    firing.field = "Last";
    firing.threshold = "180";
    firing.value = "<b>180.52</b>";
    firing.time = QDateTime::currentMSecsSinceEpoch();
    auto *popup = new AlertPopup(firing, 200);
    QCOMPARE(AlertPopup(firing).closeTimer()->interval(), 30000);
    popup->showWithoutFocus();
    QVERIFY(popup->isVisible());
    QVERIFY(popup->testAttribute(Qt::WA_ShowWithoutActivating));
    QVERIFY(!popup->testAttribute(Qt::WA_QuitOnClose));
    QTest::qWait(50);
    QCOMPARE(QApplication::activeWindow(), &typing);
    QCOMPARE(QApplication::focusWidget(), edit);
    // The value is shown as text, never as markup.
    bool shownAsText = false;
    for (QLabel *label : popup->findChildren<QLabel *>())
        shownAsText |= label->text() == "<b>180.52</b>" && label->textFormat() == Qt::PlainText;
    QVERIFY(shownAsText);
    QTRY_VERIFY_WITH_TIMEOUT(AlertPopup::openPopups().isEmpty(), 3000);
}

void AlertDeliveryTest::settingsPageKeepsItsKeysAndRefusesBadAddresses()
{
    configureMail(2525);
    QWidget container;
    SettingsClass page(&container);
    QCOMPARE(page.hostEdit()->text(), "127.0.0.1");
    QCOMPARE(page.portBox()->value(), 2525);
    QCOMPARE(page.securityBox()->currentIndex(), 0);
    QCOMPARE(page.alertAddressEdit()->text(), "investor@example.com");

    // Choosing TLS over a port of one's own keeps the port; over a usual port, follows it.
    page.securityBox()->setCurrentIndex(2);
    QCOMPARE(page.portBox()->value(), 2525);
    page.portBox()->setValue(587);
    page.securityBox()->setCurrentIndex(1);
    QCOMPARE(page.portBox()->value(), 587);
    page.securityBox()->setCurrentIndex(2);
    QCOMPARE(page.portBox()->value(), 465);

    page.alertAddressEdit()->setText("not an address");
    page.saveClick();
    QVERIFY(fixture->boxes().wasShown("Warning"));
    QCOMPARE(AlertMailSettings::load(fixture->store()).alertAddress, "investor@example.com");

    page.alertAddressEdit()->setText("new@example.com");
    page.hostEdit()->setText("smtp.example.com");
    page.saveClick();
    const AlertMailSettings saved = AlertMailSettings::load(fixture->store());
    QCOMPARE(saved.alertAddress, "new@example.com");
    QCOMPARE(saved.server.host, "smtp.example.com");
    QCOMPARE(saved.server.port, 465);
    QCOMPARE(saved.server.security, MailSender::Security::Tls);
    // The password never goes into the store.
    page.passwordEdit()->setText("s3cret");
    page.saveClick();
    QVERIFY(fixture->rows("SELECT value FROM config WHERE value LIKE '%s3cret%'").isEmpty());
    QCOMPARE(MailPassword::instance().password(), "s3cret");
    QTRY_VERIFY(MailPassword::instance().keyring() != MailPassword::Keyring::Unknown);
    QVERIFY(!page.keyringLabel()->text().isEmpty());
    if (MailPassword::instance().keyring() == MailPassword::Keyring::Unavailable)
        QVERIFY(page.keyringLabel()->text().contains("this run only"));
    MailPassword::instance().store(QString());
}

void AlertDeliveryTest::settingsPageSendsATestMessage()
{
    QWidget container;
    SettingsClass page(&container);
    page.sendTestClick();
    QVERIFY(fixture->boxes().wasShown("Warning")); // nothing filled in yet
    page.hostEdit()->setText("127.0.0.1");
    page.portBox()->setValue(sink->port());
    page.securityBox()->setCurrentIndex(0);
    page.portBox()->setValue(sink->port());
    page.senderEdit()->setText("corvane@example.com");
    page.alertAddressEdit()->setText("investor@example.com");
    QSignalSpy status(&page, &SettingsClass::statusMessage);
    page.sendTestClick();
    QVERIFY(!page.testButton()->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(page.testButton()->isEnabled(), 15000);
    QCOMPARE(sink->mails().size(), 1);
    QCOMPARE(sink->mails().first().header("Subject"), "Corvane test message");
    QCOMPARE(page.resultLabel()->text(), "Test message sent to investor@example.com.");
    QCOMPARE(status.size(), 1);
}

void AlertDeliveryTest::trayHidesAndRestoresTheWindow()
{
    MainWindow window;
    auto *exitToTray = window.findChild<QAction *>("actionExit_to_Systray");
    QVERIFY(exitToTray);
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        QVERIFY(!exitToTray->isEnabled());
        QSKIP("This desktop has no system tray: the entry is disabled, nothing to hide to.");
    }
    window.show();
    QVERIFY(exitToTray->isEnabled());
    exitToTray->trigger();
    QVERIFY(window.isHidden());
    auto *icon = window.findChild<QSystemTrayIcon *>();
    QVERIFY(icon && icon->isVisible());
    emit icon->activated(QSystemTrayIcon::Trigger);
    QVERIFY(window.isVisible());
}

void AlertDeliveryTest::alertFiresOnceAgainstTheSimulator()
{
    SimProcess sim;
    QVERIFY(sim.isRunning());
    AlertMailSettings settings;
    settings.server = {"127.0.0.1", sink->port(), MailSender::Security::None,
                       {},          {},           "corvane@example.com"};
    settings.alertAddress = "investor@example.com";
    settings.save(fixture->store());
    // "AAPL Last > a price below the current one", by popup and e-mail.
    fixture->addAlert({"AAPL", "Last", 0, "1", 2, 2, 0, 2});

    AlertMonitor monitor;
    WelcomeClass page;
    connect(&page, &WelcomeClass::quoteSnapshotStored, &monitor, &AlertMonitor::evaluateSnapshot);
    QSignalSpy stored(&page, &WelcomeClass::quoteSnapshotStored);
    QVERIFY(stored.wait(10000));
    QCOMPARE(AlertPopup::openPopups().size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(sink->mails().size(), 1, 15000);
    QCOMPARE(sink->mails().first().header("Subject"), "Corvane alert: AAPL Last > 1");
    QCOMPARE(fixture->rows("SELECT symbol,field,threshold FROM alertEvents"),
             QStringList("AAPL|Last|1"));

    page.getFundData();
    QVERIFY(stored.wait(10000));
    QTest::qWait(300);
    QCOMPARE(sink->mails().size(), 1);
    QCOMPARE(AlertPopup::openPopups().size(), 1);
    QCOMPARE(fixture->count("alertEvents"), 1);
}

QTEST_MAIN(AlertDeliveryTest)
#include "tst_alertdelivery.moc"
