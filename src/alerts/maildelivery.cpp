#include "alerts/maildelivery.h"

#include <QDebug>
#include <QFutureWatcher>
#include <QtConcurrent>

MailDelivery::MailDelivery(QObject *parent) : QObject(parent) {}

void MailDelivery::send(const MailSender::Settings &settings, const MailSender::Message &message)
{
    ++running;
    auto *watcher = new QFutureWatcher<MailSender::Result>(this);
    const QString recipient = message.recipient;
    connect(watcher, &QFutureWatcher<MailSender::Result>::finished, this,
            [this, watcher, recipient] {
                const MailSender::Result result = watcher->result();
                watcher->deleteLater();
                --running;
                if (result.ok)
                    qDebug().noquote() << QStringLiteral("MailDelivery: sent to %1").arg(recipient);
                else
                    qDebug().noquote() << QStringLiteral("MailDelivery: sending to %1 failed: %2")
                                              .arg(recipient, result.error);
                emit finished(result.ok, recipient, result.error);
            });
    watcher->setFuture(QtConcurrent::run(MailSender::send, settings, message));
}
