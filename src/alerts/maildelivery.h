#pragma once

#include "alerts/mailsender.h"

#include <QObject>

// Sends e-mails on a worker thread, one attempt each, and reports every outcome on the GUI
// thread. Nothing is retried: a failure is logged and reported once.
class MailDelivery : public QObject
{
    Q_OBJECT

public:
    explicit MailDelivery(QObject *parent = nullptr);

    void send(const MailSender::Settings &settings, const MailSender::Message &message);
    int pending() const { return running; }

signals:
    void finished(bool ok, const QString &recipient, const QString &error);

private:
    int running = 0;
};
