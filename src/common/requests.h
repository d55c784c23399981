#pragma once

#include <QByteArray>
#include <QNetworkRequest>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// The one way this application talks HTTP. Redirects are never followed by Qt itself: every
// reply slot hands its finished reply to finishReply, which follows them (or, where the caller
// asks, leaves them be); every transfer ends after 30 s, and servers see who is asking. Only http
// and https are ever requested or followed, and no reply may grow past the cap its caller sets
// for the service.
namespace Requests {

constexpr int TransferTimeoutMs = 30000;
constexpr int BlockingWaitMs = 10000;
constexpr int MaxRedirects = 5;

// The bound of every wait the caller blocks on (update check, symbol lookups): BlockingWaitMs,
// unless a test has set a shorter one so that it need not wait ten seconds of real time.
int blockingWaitMs();
void setBlockingWaitMs(int milliseconds);

// The most a reply may carry. A reply that announces or delivers more is aborted: it finishes
// with QNetworkReply::OperationCanceledError, so callers store nothing, and the abort is logged.
// Should the last bytes and the end of the transfer arrive together, the reply may finish without
// an error but hands out no data; exceededCap() tells either way.
// A distinct type, so that a timeout can never be passed where a size is meant.
struct ReplyCap
{
    qint64 bytes = 0;
};

// The cap of each service: far above what the service really sends, far below what would hurt.
namespace Caps {
constexpr qint64 MiB = 1024 * 1024;
inline constexpr ReplyCap History{20 * MiB};
inline constexpr ReplyCap Quotes{5 * MiB};
inline constexpr ReplyCap Feeds{10 * MiB};
inline constexpr ReplyCap Pictures{5 * MiB};
inline constexpr ReplyCap DataScript{20 * MiB};
// Symbol suggestions and quote lines: a few hundred bytes each.
inline constexpr ReplyCap SymbolLookup{1 * MiB};
// The update checker's version file: a few lines.
inline constexpr ReplyCap VersionFile{64 * 1024};
// A week of economic events: a few hundred lines.
inline constexpr ReplyCap Calendar{2 * MiB};
// The installer of a new version.
inline constexpr ReplyCap Installer{512 * MiB};
} // namespace Caps

QByteArray userAgent();

// True for the schemes this application speaks: http and https.
bool isRequestable(const QUrl &url);

QNetworkRequest request(const QUrl &url, ReplyCap cap);
// Sends the GET. An address that is not http(s) is not requested: the reply finishes at once
// (queued) with QNetworkReply::ProtocolUnknownError.
QNetworkReply *get(QNetworkAccessManager &manager, const QNetworkRequest &request);
QNetworkReply *get(QNetworkAccessManager &manager, const QUrl &url, ReplyCap cap);

// The cap of a request made here (0 for one made elsewhere).
qint64 capOf(const QNetworkRequest &request);
// True when the reply was aborted because it grew past its cap.
bool exceededCap(const QNetworkReply *reply);

// Shortens the transfer timeout of the requests made from now on; tests use it so that a silent
// server does not cost them 30 s. A value <= 0 restores TransferTimeoutMs.
void setTransferTimeoutMs(int milliseconds);
int transferTimeoutMs();

// The redirect target of a finished reply resolved against the address that was asked for, or an
// empty URL when the reply is no redirect.
QUrl redirectTarget(const QNetworkReply *reply);

// Number of redirects that led to this reply's request.
int redirectCount(const QNetworkReply *reply);

// Issues the GET for a redirecting reply's target, with the cap of the first request. Returns
// nullptr (and logs) when the reply is no redirect, the target is not http(s) or the chain would
// get longer than MaxRedirects.
QNetworkReply *followRedirect(QNetworkAccessManager &manager, const QNetworkReply *reply);

// What a finished reply came to, as finishReply() judges it. The helper only reads: the caller
// logs, tells the user and deletes the reply (deleteLater) where and when it always did.
struct ReplyOutcome
{
    enum class Kind
    {
        Body,       // a good answer; `body` holds it (unless the caller reads as data arrives)
        Redirected, // the target is requested already: `next`, to be connected like the first
        Failed      // `errorText` says why; nothing of the reply is to be used
    };
    Kind kind = Kind::Failed;
    QByteArray body;
    QNetworkReply *next = nullptr;
    // Where a redirect pointed (resolved): set for Redirected and for a refused redirect.
    QUrl redirectTarget;
    // Failed: the reply's own error text for a network error (an abort at the cap included),
    // "reply too large" for a reply that grew past its cap without an error, "redirect not
    // followed" for a refused redirect.
    QString errorText;
    // Failed: the reply grew past its cap (whatever else went wrong with it).
    bool exceededCap = false;
    // Failed: a redirect that was not followed, its target not http(s) or the chain longer than
    // MaxRedirects (followRedirect has logged which).
    bool redirectRefused = false;

    bool hasBody() const { return kind == Kind::Body; }
    bool redirected() const { return kind == Kind::Redirected; }
    bool failed() const { return kind == Kind::Failed; }
};

struct FinishOptions
{
    // False: a redirect is not followed but handed over as an answer like any other (Body).
    bool followRedirects = true;
    // False: the body is not read, because the caller writes it away as it arrives (a download
    // to a file); `body` stays empty.
    bool readBody = true;
};

// The one way to finish a reply, checked in this order: a network error (an abort at the cap
// among them) fails it; a redirect is followed (http and https only, at most MaxRedirects hops,
// the cap kept) on the same manager, its own body never read; a reply past its cap fails it;
// anything else hands over the body. Never deletes the reply: each caller keeps its own
// deleteLater, and its own logging and texts for the user.
ReplyOutcome finishReply(QNetworkAccessManager &manager, QNetworkReply *reply,
                         const FinishOptions &options = {});

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
BlockingResult fetchBlocking(const QUrl &url, ReplyCap cap, int timeoutMs = blockingWaitMs());

// Reply text taken one character per byte up to the first zero byte.
QString latin1Text(const QByteArray &body);

} // namespace Requests
