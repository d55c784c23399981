#pragma once

#include "alerts/alertevaluation.h"

#include <QObject>

#include <functional>

class MailDelivery;

// Judges the alerts after every stored quote snapshot and tells the investor about each one
// that fired, by the ways the alert asks for: popup (with a desktop notification), e-mail and
// text message.
class AlertMonitor : public QObject
{
    Q_OBJECT

public:
    explicit AlertMonitor(QObject *parent = nullptr);

    MailDelivery *mailDelivery() const { return mail; }
    // Milliseconds since the epoch of "now"; tests may fix it.
    void setClock(std::function<qint64()> clock) { now = std::move(clock); }

    static constexpr int StatusShownMs = 15000;

public slots:
    // Evaluates every enabled alert and delivers the firings; returns at once, sending runs on
    // a worker thread.
    void evaluateSnapshot();

signals:
    // A desktop notification (shown through the tray icon where there is one).
    void notification(const QString &title, const QString &text);
    void statusMessage(const QString &text, int timeout);
    void alertsFired(const QList<AlertEvaluation::Firing> &firings);

private:
    void deliver(const AlertEvaluation::Firing &firing);
    void reportMailResult(bool ok, const QString &recipient, const QString &error);

    MailDelivery *mail = nullptr;
    std::function<qint64()> now;
};
