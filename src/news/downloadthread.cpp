#include "news/downloadthread.h"

#include "news/feeditems.h"
#include "news/newsstatements.h"
#include "store/gdatabaseclass.h"

#include <QDateTime>
#include <QDebug>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>

downloadThread::downloadThread()
{
    manager = new QNetworkAccessManager(this);
    // A child, so it moves to the worker thread too; its connection is opened there, on the
    // first run, because a database connection belongs to the thread that opened it.
    store = new GDatabaseClass(this);
}

downloadThread::~downloadThread()
{
    delete manager;
    delete store;
    qDebug() << "downloadThread Destructor.";
}

void downloadThread::run()
{
    downloadRss();
}

void downloadThread::downloadRss()
{
    if (!store->isOpen())
        store->attachToConnection();

    pendingReplies.clear();
    allIssued = false;
    storedThisRun = 0;
    handlingNs = 0;
    waitingNs = 0;

    const QDateTime now = QDateTime::currentDateTime();
    const qint64 cutOff = now.toMSecsSinceEpoch();
    const QStringList templates = store->GetSQLRecords(NewsStatements::dueTemplates(cutOff));
    const QStringList symbols = store->GetSQLRecords(NewsStatements::followedSymbols());
    const qint64 next = now.addSecs(3600).toMSecsSinceEpoch();

    for (const QString &row : templates) {
        const QStringList fields = row.split(QLatin1Char('|'));
        const QString id = fields.value(0);
        const QString feedUrl = fields.value(1);
        const QString title = fields.value(3);
        for (const QString &symbol : symbols) {
            currentUrl = QString(feedUrl).replace(QLatin1String("<SYMBOL>"), symbol);
            currentFeedId = id.toInt();
            currentSymbol = symbol;
            qDebug().noquote() << "downloadThread: Getting: " + currentUrl;
            emit updateStatus(tr("Updating: %1 for %2").arg(title, symbol));

            QNetworkRequest request = Requests::request(QUrl(currentUrl), Requests::Caps::Feeds);
            request.setTransferTimeout(transferTimeoutMs);
            QNetworkReply *reply = Requests::get(*manager, request);
            QEventLoop wait;
            connect(reply, &QNetworkReply::finished, this, &downloadThread::rssReplyFinished);
            connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
            pendingReplies.insert(reply, QStringLiteral("%1|%2|%3").arg(id, symbol, currentUrl));
            QElapsedTimer waiting;
            waiting.start();
            if (!reply->isFinished())
                wait.exec();
            waitingNs += waiting.nsecsElapsed();
        }
        // Advanced whatever the requests returned, so a failing template is tried once an hour.
        store->ExecSQL(NewsStatements::advanceTemplate(id, next));
    }

    allIssued = true;
    if (pendingReplies.isEmpty()) {
        // Tell the pages when this run stored something; otherwise the headline views would only
        // learn of new items by a redirect's late reply.
        if (storedThisRun > 0)
            emit newRss();
        emit done();
    }
}

void downloadThread::rssReplyFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return;
    QElapsedTimer handling;
    handling.start();
    const QString address = reply->url().toString();

    const Requests::ReplyOutcome outcome = Requests::finishReply(*manager, reply);
    if (outcome.redirected()) {
        // A feed that moved still belongs to its template and symbol: the follow-up takes over
        // the bookkeeping, so its items are stored and the run ends after it.
        pendingReplies.insert(outcome.next, pendingReplies.value(reply));
        connect(outcome.next, &QNetworkReply::finished, this, &downloadThread::rssReplyFinished);
    } else if (outcome.hasBody()) {
        storeItems(reply, outcome.body);
    } else if (!outcome.redirectRefused) {
        qDebug().noquote()
            << QStringLiteral("downloadThread: Error: %1 forL %2").arg(outcome.errorText, address);
    }
    handlingNs += handling.nsecsElapsed();
    finishReply(reply);
}

void downloadThread::storeItems(QNetworkReply *reply, const QByteArray &body)
{
    const QString address = reply->url().toString();
    QDomDocument document;
    if (!FeedItems::parse(body, document)) {
        qDebug().noquote()
            << QStringLiteral("Failed to parse the file into a DOM tree: %1").arg(address);
        return;
    }
    const QStringList bookkeeping = pendingReplies.value(reply).split(QLatin1Char('|'));
    const int feedId = bookkeeping.value(0).toInt();
    const bool hasSymbol = bookkeeping.size() >= 2;
    const QString symbol = bookkeeping.value(1);

    const QList<FeedItems::Item> items = FeedItems::readItems(
        document, FeedItems::FeedKind::SymbolNews, QDateTime::currentDateTime());
    QStringList inserts;
    for (const FeedItems::Item &item : items) {
        const QString statement = NewsStatements::newsItemInsert(feedId, item, symbol);
        if (hasSymbol)
            inserts << statement;
        else
            qDebug().noquote() << statement;
    }
    const qint64 changesBefore = totalChanges();
    if (!store->runInTransaction(inserts)) {
        // Rolled back: none of the feed's items count as stored this run.
        qDebug().noquote() << "downloadThread: the items of " + address + " could not be stored";
        return;
    }
    storedThisRun += totalChanges() - changesBefore;
    qDebug().noquote() << "downloadThread: Processed " + address;
}

qint64 downloadThread::totalChanges()
{
    // Rows written through this worker's own connection (ignored duplicates do not count).
    return store->GetSQL(QStringLiteral("SELECT total_changes()")).toLongLong();
}

void downloadThread::finishReply(QNetworkReply *reply)
{
    pendingReplies.remove(reply);
    if (allIssued && pendingReplies.isEmpty()) {
        emit newRss();
        emit done();
    }
    reply->deleteLater();
}
