#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include "common/requests.h"

class GDatabaseClass;
class QNetworkAccessManager;
class QNetworkReply;

// The per-symbol news worker. One object serves one run on a thread of its own: for every active
// template that is due and every followed symbol it fetches the template's feed, one request at a
// time, and stores the items in newsItems. It reaches the store through a connection of its own.
class downloadThread : public QObject
{
    Q_OBJECT

public:
    downloadThread();
    ~downloadThread() override;

    // How long a request may stay silent before it ends as a network error.
    void setTransferTimeout(int milliseconds) { transferTimeoutMs = milliseconds; }
    // Time the last run spent handling replies (parsing and storing), as opposed to waiting.
    qint64 replyHandlingMs() const { return handlingNs / 1000000; }
    // Time the last run waited for the network (replies being handled not counted).
    qint64 networkWaitMs() const { return (waitingNs - handlingNs) / 1000000; }

signals:
    void newRss();
    void updateStatus(const QString &message);
    void done();

public slots:
    void run();
    void downloadRss();
    void rssReplyFinished();

private:
    void storeItems(QNetworkReply *reply, const QByteArray &body);
    void finishReply(QNetworkReply *reply);
    qint64 totalChanges();

    GDatabaseClass *store = nullptr;
    QNetworkAccessManager *manager = nullptr;
    QString currentSymbol;
    qint32 currentFeedId = 0;
    QString currentUrl;
    bool allIssued = false;
    QHash<QNetworkReply *, QString> pendingReplies;
    qint64 storedThisRun = 0;
    qint64 handlingNs = 0;
    qint64 waitingNs = 0;
    int transferTimeoutMs = Requests::TransferTimeoutMs;
};
