#include "common/requests.h"

#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

#include <atomic>

namespace Requests {

namespace {

const auto RedirectCountAttribute =
    static_cast<QNetworkRequest::Attribute>(QNetworkRequest::User + 1);
const auto CapAttribute = static_cast<QNetworkRequest::Attribute>(QNetworkRequest::User + 2);
const char *const ExceededCapProperty = "corvaneReplyExceededCap";

std::atomic<int> transferTimeout{TransferTimeoutMs};

// The reply to an address this application does not request: finished before it started.
class RefusedReply : public QNetworkReply
{
public:
    RefusedReply(const QNetworkRequest &request, QObject *parent) : QNetworkReply(parent)
    {
        setRequest(request);
        setUrl(request.url());
        setOperation(QNetworkAccessManager::GetOperation);
        setError(ProtocolUnknownError,
                 QStringLiteral("Refused: only http and https addresses are requested"));
        open(QIODevice::ReadOnly);
        setFinished(true);
        // Queued, so that the caller has connected to the signals by then.
        QMetaObject::invokeMethod(
            this,
            [this] {
                emit errorOccurred(error());
                emit finished();
            },
            Qt::QueuedConnection);
    }
    void abort() override {}

protected:
    qint64 readData(char *, qint64) override { return -1; }
};

void abortOversized(QNetworkReply *reply, qint64 cap, qint64 seen)
{
    if (reply->property(ExceededCapProperty).toBool())
        return;
    reply->setProperty(ExceededCapProperty, true);
    // Nothing of an oversized reply is handed on, even when it had arrived completely.
    reply->skip(reply->bytesAvailable());
    qDebug().noquote() << QStringLiteral("Requests: reply from %1 exceeds %2 bytes (%3 seen), "
                                         "transfer aborted")
                              .arg(reply->url().toString().left(200))
                              .arg(cap)
                              .arg(seen);
    reply->abort();
}

// Ends the transfer as soon as the reply announces or delivers more than its cap, so that an
// endless or huge answer never sits in memory.
void watchCap(QNetworkReply *reply, qint64 cap)
{
    if (cap <= 0)
        return;
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, cap] {
        bool known = false;
        const qint64 announced =
            reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known && announced > cap)
            abortOversized(reply, cap, announced);
    });
    // Progress signals come at most every few hundred milliseconds; readyRead comes with the
    // data, so a caller that reads at the end never gets to see more than the cap.
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, cap] {
        if (reply->bytesAvailable() > cap)
            abortOversized(reply, cap, reply->bytesAvailable());
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply, cap](qint64 received, qint64) {
                         if (received > cap)
                             abortOversized(reply, cap, received);
                     });
}

std::atomic<int> blockingWait{BlockingWaitMs};

} // namespace

int blockingWaitMs()
{
    return blockingWait;
}

void setBlockingWaitMs(int milliseconds)
{
    blockingWait = milliseconds;
}

QByteArray userAgent()
{
    QString version = QCoreApplication::applicationVersion();
    if (version.isEmpty())
        version = QStringLiteral(CORVANE_VERSION);
    return QStringLiteral("Corvane/%1 (Qt %2)")
        .arg(version, QString::fromLatin1(qVersion()))
        .toLatin1();
}

bool isRequestable(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

QNetworkRequest request(const QUrl &url, ReplyCap cap)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(transferTimeoutMs());
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    request.setAttribute(CapAttribute, cap.bytes);
    return request;
}

QNetworkReply *get(QNetworkAccessManager &manager, const QNetworkRequest &request)
{
    if (!isRequestable(request.url())) {
        // QNetworkAccessManager would read file:, qrc: and data: addresses without a word.
        qDebug().noquote() << "Requests: refused to request" << request.url().toString().left(200);
        return new RefusedReply(request, &manager);
    }
    QNetworkReply *reply = manager.get(request);
    watchCap(reply, capOf(request));
    return reply;
}

QNetworkReply *get(QNetworkAccessManager &manager, const QUrl &url, ReplyCap cap)
{
    return get(manager, request(url, cap));
}

qint64 capOf(const QNetworkRequest &request)
{
    return request.attribute(CapAttribute, 0).toLongLong();
}

bool exceededCap(const QNetworkReply *reply)
{
    return reply->property(ExceededCapProperty).toBool();
}

void setTransferTimeoutMs(int milliseconds)
{
    transferTimeout = milliseconds > 0 ? milliseconds : TransferTimeoutMs;
}

int transferTimeoutMs()
{
    return transferTimeout;
}

QUrl redirectTarget(const QNetworkReply *reply)
{
    const QVariant target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute);
    if (!target.isValid())
        return {};
    const QUrl url = target.toUrl();
    if (url.isEmpty())
        return {};
    return reply->url().resolved(url);
}

int redirectCount(const QNetworkReply *reply)
{
    return reply->request().attribute(RedirectCountAttribute, 0).toInt();
}

QNetworkReply *followRedirect(QNetworkAccessManager &manager, const QNetworkReply *reply)
{
    const QUrl target = redirectTarget(reply);
    if (target.isEmpty())
        return nullptr;
    if (!isRequestable(target)) {
        qDebug().noquote() << "Requests: refused to follow a redirect to"
                           << target.toString().left(200);
        return nullptr;
    }
    const int hops = redirectCount(reply) + 1;
    if (hops > MaxRedirects) {
        qDebug() << "Requests: too many redirects, giving up at" << target.toString();
        return nullptr;
    }
    QNetworkRequest next = request(target, ReplyCap{capOf(reply->request())});
    next.setAttribute(RedirectCountAttribute, hops);
    return get(manager, next);
}

ReplyOutcome finishReply(QNetworkAccessManager &manager, QNetworkReply *reply,
                         const FinishOptions &options)
{
    ReplyOutcome outcome;
    outcome.exceededCap = exceededCap(reply);
    if (reply->error() != QNetworkReply::NoError) {
        outcome.errorText = reply->errorString();
        return outcome;
    }
    if (options.followRedirects) {
        outcome.redirectTarget = redirectTarget(reply);
        if (!outcome.redirectTarget.isEmpty()) {
            outcome.next = followRedirect(manager, reply);
            if (outcome.next) {
                outcome.kind = ReplyOutcome::Kind::Redirected;
            } else {
                outcome.redirectRefused = true;
                outcome.errorText = QStringLiteral("redirect not followed");
            }
            return outcome;
        }
    }
    if (outcome.exceededCap) {
        // The last bytes and the end came together: finished without an error, but nothing of
        // it may be used.
        outcome.errorText = QStringLiteral("reply too large");
        return outcome;
    }
    outcome.kind = ReplyOutcome::Kind::Body;
    if (options.readBody)
        outcome.body = reply->readAll();
    return outcome;
}

bool waitForFinished(QNetworkReply *reply, int timeoutMs)
{
    if (reply->isFinished())
        return true;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    loop.exec();
    if (reply->isFinished())
        return true;
    qDebug() << "Requests: no answer within" << timeoutMs << "ms from" << reply->url().toString();
    reply->abort();
    return false;
}

BlockingResult fetchBlocking(const QUrl &url, ReplyCap cap, int timeoutMs)
{
    BlockingResult result;
    QNetworkAccessManager manager;
    QElapsedTimer clock;
    clock.start();
    QNetworkReply *reply = get(manager, url, cap);
    for (;;) {
        const int left = qMax(1, timeoutMs - int(clock.elapsed()));
        if (!waitForFinished(reply, left)) {
            result.errorText = QStringLiteral("timed out");
            break;
        }
        ReplyOutcome outcome = finishReply(manager, reply);
        if (outcome.redirected()) {
            reply->deleteLater();
            reply = outcome.next;
            continue;
        }
        if (outcome.failed()) {
            // An abort at the cap says so rather than "Operation canceled".
            result.errorText = outcome.exceededCap && !outcome.redirectRefused
                                   ? QStringLiteral("reply too large")
                                   : outcome.errorText;
            break;
        }
        result.ok = true;
        result.body = std::move(outcome.body);
        break;
    }
    reply->deleteLater();
    return result;
}

QString latin1Text(const QByteArray &body)
{
    const qsizetype end = body.indexOf('\0');
    return QString::fromLatin1(end < 0 ? body : body.left(end));
}

} // namespace Requests
