#include "alerts/alertmonitor.h"

#include "alerts/alertmessages.h"
#include "alerts/alertpopup.h"
#include "alerts/maildelivery.h"
#include "alerts/mailsettings.h"
#include "store/gdatabaseclass.h"

#include <QDateTime>
#include <QDebug>

AlertMonitor::AlertMonitor(QObject *parent)
    : QObject(parent), mail(new MailDelivery(this)),
      now([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    connect(mail, &MailDelivery::finished, this, &AlertMonitor::reportMailResult);
}

void AlertMonitor::evaluateSnapshot()
{
    bool recorded = true;
    const QList<AlertEvaluation::Firing> firings =
        AlertEvaluation::run(GDatabaseClass::mainStore(), now(), &recorded);
    if (!recorded) {
        // After every snapshot: the status line rather than a box that would come back each time.
        emit statusMessage(tr("Alerts were not judged: the database refused to store their "
                              "results. They are judged again with the next quotes."),
                           StatusShownMs);
        return;
    }
    if (firings.isEmpty())
        return;
    for (const AlertEvaluation::Firing &firing : firings)
        deliver(firing);
    emit alertsFired(firings);
}

void AlertMonitor::deliver(const AlertEvaluation::Firing &firing)
{
    emit statusMessage(
        tr("Alert: %1, value %2").arg(AlertMessages::condition(firing), firing.value),
        StatusShownMs);
    if (firing.popup) {
        auto *popup = new AlertPopup(firing);
        popup->showWithoutFocus();
        emit notification(AlertMessages::subject(firing), AlertMessages::shortText(firing));
    }
    if (!firing.email && !firing.sms)
        return;

    const AlertMailSettings settings = AlertMailSettings::load(GDatabaseClass::mainStore());
    auto sendTo = [&](const MailSender::Message &message, const QString &missingAddress) {
        if (message.recipient.isEmpty()) {
            qDebug().noquote() << missingAddress;
            emit statusMessage(missingAddress, StatusShownMs);
            return;
        }
        mail->send(settings.server, message);
    };
    if (firing.email)
        sendTo({settings.alertAddress, AlertMessages::subject(firing), AlertMessages::body(firing)},
               tr("Alert e-mail not sent: there is no alert e-mail address on the Settings page."));
    if (firing.sms) {
        // The e-mail-to-SMS bridge forwards a short text; subject and body say the same.
        const QString text = AlertMessages::shortText(firing);
        sendTo({settings.smsAddress, text, text},
               tr("Alert SMS not sent: there is no SMS gateway address on the Settings page."));
    }
}

void AlertMonitor::reportMailResult(bool ok, const QString &recipient, const QString &error)
{
    if (ok)
        emit statusMessage(tr("Alert message sent to %1.").arg(recipient), StatusShownMs);
    else
        emit statusMessage(tr("Alert message to %1 failed: %2").arg(recipient, error),
                           StatusShownMs);
}
