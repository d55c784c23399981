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

QNetworkRequest request(const QUrl &url)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(TransferTimeoutMs);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    return request;
}

QNetworkReply *get(QNetworkAccessManager &manager, const QUrl &url)
{
    return manager.get(request(url));
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
    const int hops = redirectCount(reply) + 1;
    if (hops > MaxRedirects) {
        qDebug() << "Requests: too many redirects, giving up at" << target.toString();
        return nullptr;
    }
    QNetworkRequest next = request(target);
    next.setAttribute(RedirectCountAttribute, hops);
    return manager.get(next);
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

BlockingResult fetchBlocking(const QUrl &url, int timeoutMs)
{
    BlockingResult result;
    QNetworkAccessManager manager;
    QElapsedTimer clock;
    clock.start();
    QNetworkReply *reply = get(manager, url);
    for (;;) {
        const int left = qMax(1, timeoutMs - int(clock.elapsed()));
        if (!waitForFinished(reply, left)) {
            result.errorText = QStringLiteral("timed out");
            break;
        }
        if (reply->error() != QNetworkReply::NoError) {
            result.errorText = reply->errorString();
            break;
        }
        if (QNetworkReply *next = followRedirect(manager, reply)) {
            reply->deleteLater();
            reply = next;
            continue;
        }
        if (!redirectTarget(reply).isEmpty()) {
            result.errorText = QStringLiteral("too many redirects");
            break;
        }
        result.ok = true;
        result.body = reply->readAll();
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
