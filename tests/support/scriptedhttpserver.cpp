#include "support/scriptedhttpserver.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace {

constexpr qint64 Chunk = 64 * 1024;

} // namespace

ScriptedHttpServer::ScriptedHttpServer(QObject *parent) : QObject(parent)
{
    server.listen(QHostAddress::LocalHost, 0);
    connect(&server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = server.nextPendingConnection())
            serve(socket);
    });
}

void ScriptedHttpServer::script(const QString &pathAndQuery, const Reply &reply)
{
    replies.insert(pathAndQuery, reply);
}

void ScriptedHttpServer::scriptBody(const QString &pathAndQuery, const QByteArray &body, int status)
{
    Reply reply;
    reply.status = status;
    reply.body = body;
    script(pathAndQuery, reply);
}

void ScriptedHttpServer::scriptRedirect(const QString &pathAndQuery, const QByteArray &location,
                                        int status)
{
    Reply reply;
    reply.status = status;
    reply.headers << qMakePair(QByteArray("Location"), location);
    script(pathAndQuery, reply);
}

QString ScriptedHttpServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort());
}

void ScriptedHttpServer::serve(QTcpSocket *socket)
{
    auto *buffer = new QByteArray;
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QObject::destroyed, this, [buffer] { delete buffer; });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
        buffer->append(socket->readAll());
        const qsizetype end = buffer->indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> requestLine = buffer->left(buffer->indexOf("\r\n")).split(' ');
        buffer->remove(0, end + 4);
        const QString target =
            requestLine.size() > 1 ? QString::fromLatin1(requestLine.at(1)) : QString();
        requested << target;
        answer(socket, target);
    });
}

void ScriptedHttpServer::answer(QTcpSocket *socket, const QString &target)
{
    const QString path = QUrl(target).path();
    Reply reply;
    if (replies.contains(target))
        reply = replies.value(target);
    else if (replies.contains(path))
        reply = replies.value(path);
    else
        reply.status = 404;

    if (reply.neverAnswer)
        return;
    if (reply.dropConnection) {
        socket->abort();
        return;
    }
    QPointer<QTcpSocket> guarded(socket);
    auto send = [this, guarded, reply] {
        if (!guarded)
            return;
        QByteArray response = "HTTP/1.1 " + QByteArray::number(reply.status) + " Scripted\r\n";
        response += "Content-Type: " + reply.contentType + "\r\n";
        if (!reply.omitContentLength && reply.endlessBodyBytes == 0)
            response += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
        for (const auto &header : reply.headers)
            response += header.first + ": " + header.second + "\r\n";
        response += "Connection: close\r\n\r\n";
        if (reply.endlessBodyBytes > 0) {
            guarded->write(response);
            streamFiller(guarded, reply.endlessBodyBytes);
            return;
        }
        response += reply.truncateBodyAt >= 0 ? reply.body.left(reply.truncateBodyAt) : reply.body;
        guarded->write(response);
        guarded->disconnectFromHost();
    };
    if (reply.delayMs > 0)
        QTimer::singleShot(reply.delayMs, this, send);
    else
        send();
}

void ScriptedHttpServer::streamFiller(QTcpSocket *socket, qint64 total)
{
    // Written as the client takes it, so a client that stops reading stops the stream.
    auto *left = new qint64(total);
    const QByteArray filler(Chunk, 'x');
    auto more = [socket, left, filler] {
        if (socket->bytesToWrite() > 4 * Chunk)
            return;
        while (*left > 0 && socket->bytesToWrite() <= 4 * Chunk) {
            if (socket->state() != QAbstractSocket::ConnectedState)
                return; // the client hung up
            const qint64 size = qMin<qint64>(*left, Chunk);
            if (socket->write(size == Chunk ? filler : filler.left(size)) < 0)
                return;
            *left -= size;
        }
        if (*left == 0)
            socket->disconnectFromHost();
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, more);
    connect(socket, &QObject::destroyed, this, [left] { delete left; });
    more();
}
