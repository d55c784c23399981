#pragma once

#include <QByteArray>
#include <QNetworkRequest>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// The one way this application talks HTTP. Redirects are never followed by Qt itself: the
// callers decide (most follow the target with followRedirect, some only log it), every transfer
// ends after 30 s, and servers see who is asking.
namespace Requests {

constexpr int TransferTimeoutMs = 30000;
constexpr int BlockingWaitMs = 10000;
constexpr int MaxRedirects = 5;

// The bound of every wait the caller blocks on (update check, symbol lookups): BlockingWaitMs,
// unless a test has set a shorter one so that it need not wait ten seconds of real time.
int blockingWaitMs();
void setBlockingWaitMs(int milliseconds);

QByteArray userAgent();

QNetworkRequest request(const QUrl &url);
QNetworkReply *get(QNetworkAccessManager &manager, const QUrl &url);

// The redirect target of a finished reply resolved against the address that was asked for, or an
// empty URL when the reply is no redirect.
QUrl redirectTarget(const QNetworkReply *reply);

// Number of redirects that led to this reply's request.
int redirectCount(const QNetworkReply *reply);

// Issues the GET for a redirecting reply's target. Returns nullptr (and logs) when the reply is no
// redirect or the chain would get longer than MaxRedirects.
QNetworkReply *followRedirect(QNetworkAccessManager &manager, const QNetworkReply *reply);

// Turns the event loop until the reply has finished. After timeoutMs the reply is aborted, so it
// finishes with QNetworkReply::OperationCanceledError. Returns true when it finished by itself.
bool waitForFinished(QNetworkReply *reply, int timeoutMs = blockingWaitMs());

struct BlockingResult
{
    bool ok = false;
    QByteArray body;
    QString errorText;
};

// A GET that waits (event loop turning) for at most timeoutMs, following up to MaxRedirects
// redirects. Used only where the caller cannot go on without the answer.
BlockingResult fetchBlocking(const QUrl &url, int timeoutMs = blockingWaitMs());

// Reply text taken one character per byte up to the first zero byte.
QString latin1Text(const QByteArray &body);

} // namespace Requests
