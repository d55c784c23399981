#include "support/smtpsink.h"

#include <QTcpSocket>

namespace {

struct Session
{
    QByteArray buffer;
    bool inData = false;
    bool awaitingLogin = false;
    SmtpSink::Mail mail;
};

QString address(const QByteArray &line)
{
    const int open = line.indexOf('<');
    const int close = line.indexOf('>', open);
    return open >= 0 && close > open ? QString::fromUtf8(line.mid(open + 1, close - open - 1))
                                     : QString();
}

} // namespace

QString SmtpSink::Mail::header(const QString &name) const
{
    const QByteArray head = data.left(data.indexOf("\r\n\r\n"));
    for (const QByteArray &line : head.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.toLower().startsWith(name.toLower().toUtf8() + ':'))
            return QString::fromUtf8(trimmed.mid(name.size() + 1)).trimmed();
    }
    return {};
}

QString SmtpSink::Mail::body() const
{
    const int start = data.indexOf("\r\n\r\n");
    return start < 0 ? QString() : QString::fromUtf8(data.mid(start + 4));
}

SmtpSink::SmtpSink()
{
    connect(&server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = server.nextPendingConnection())
            serve(socket);
    });
    server.listen(QHostAddress::LocalHost, 0);
}

void SmtpSink::serve(QTcpSocket *socket)
{
    auto session = std::make_shared<Session>();
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    socket->write("220 sink.test ESMTP ready\r\n");
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, session] {
        session->buffer += socket->readAll();
        int end;
        while ((end = session->buffer.indexOf("\r\n")) >= 0) {
            const QByteArray line = session->buffer.left(end);
            session->buffer.remove(0, end + 2);
            if (session->inData) {
                if (line == ".") {
                    session->inData = false;
                    received.append(session->mail);
                    session->mail = {};
                    socket->write("250 2.0.0 Ok: queued\r\n");
                    emit mailReceived();
                } else {
                    session->mail.data += (line.startsWith("..") ? line.mid(1) : line) + "\r\n";
                }
                continue;
            }
            if (session->awaitingLogin) {
                session->awaitingLogin = false;
                login = QByteArray::fromBase64(line);
                socket->write("235 2.7.0 Authentication successful\r\n");
                continue;
            }
            const QByteArray verb = line.left(4).toUpper();
            if (verb == "EHLO") {
                socket->write("250-sink.test\r\n250 AUTH PLAIN\r\n");
            } else if (verb == "HELO") {
                socket->write("250 sink.test\r\n");
            } else if (verb == "AUTH") {
                const QList<QByteArray> parts = line.split(' ');
                if (parts.size() >= 3) {
                    login = QByteArray::fromBase64(parts.at(2));
                    socket->write("235 2.7.0 Authentication successful\r\n");
                } else {
                    session->awaitingLogin = true;
                    socket->write("334 \r\n");
                }
            } else if (verb == "MAIL") {
                session->mail.from = address(line);
                socket->write("250 2.1.0 Ok\r\n");
            } else if (verb == "RCPT") {
                if (refusing) {
                    socket->write("550 5.1.1 No such user\r\n");
                } else {
                    session->mail.recipients << address(line);
                    socket->write("250 2.1.5 Ok\r\n");
                }
            } else if (verb == "DATA") {
                session->inData = true;
                socket->write("354 End data with <CR><LF>.<CR><LF>\r\n");
            } else if (verb == "QUIT") {
                socket->write("221 2.0.0 Bye\r\n");
                socket->disconnectFromHost();
            } else {
                socket->write("250 Ok\r\n"); // RSET, NOOP
            }
        }
    });
}
