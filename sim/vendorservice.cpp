#include "vendorservice.h"

#include "datascript.h"
#include "updateoffer.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;
constexpr int ChunkIntervalMs = 40;

} // namespace

bool VendorService::handles(const SimRequest &request) const
{
    return request.path.startsWith(QLatin1String("/Downloads/"));
}

QHttpServerResponse VendorService::respond(const SimRequest &request)
{
    if (request.path == QLatin1String("/Downloads/Data.txt"))
        return textResponse("text/plain", dataScript(request.baseUrl).toUtf8());
    if (request.path == QLatin1String("/Downloads/corVane/update.ini"))
        return textResponse("text/plain", UpdateOffer::versionFile(request.baseUrl, offerUpdate));
    return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
}

bool VendorService::streams(const SimRequest &request) const
{
    return request.path == UpdateOffer::installerPath(offerUpdate);
}

void VendorService::stream(const SimRequest &, QHttpServerResponder &&responder)
{
    struct Transfer
    {
        QHttpServerResponder responder;
        QByteArray body;
        qint64 sent = 0;
    };
    auto transfer = std::make_shared<Transfer>(
        Transfer{std::move(responder), UpdateOffer::installer(offerUpdate), 0});
    transfer->responder.writeStatusLine();
    transfer->responder.writeHeader("Content-Type", "application/octet-stream");
    transfer->responder.writeHeader("Content-Length", QByteArray::number(transfer->body.size()));
    // The client may go away half-way (a cancelled download): then the rest is not sent.
    QPointer<QTcpSocket> socket = transfer->responder.socket();
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [transfer, timer, socket] {
        if (!socket || socket->state() != QAbstractSocket::ConnectedState) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        const QByteArray chunk = transfer->body.mid(transfer->sent, ChunkBytes);
        transfer->responder.writeBody(chunk);
        transfer->sent += chunk.size();
        if (transfer->sent >= transfer->body.size()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(ChunkIntervalMs);
}
