#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTcpServer>

// A mail server on loopback for tests: it speaks just enough SMTP to take messages, keeps each
// one, and can be told to refuse recipients. It runs on the test's event loop.
class SmtpSink : public QObject
{
    Q_OBJECT

public:
    SmtpSink();
    bool isListening() const { return server.isListening(); }
    quint16 port() const { return server.serverPort(); }

    struct Mail
    {
        QString from;
        QStringList recipients;
        QByteArray data; // headers and body as received, dot-stuffing undone
        QString header(const QString &name) const;
        QString body() const;
    };
    QList<Mail> mails() const { return received; }
    // Answers RCPT TO with "550 No such user" from now on.
    void refuseRecipients(bool refuse) { refusing = refuse; }
    // The AUTH PLAIN credentials seen last ("user\0password" decoded), empty without a login.
    QByteArray lastLogin() const { return login; }

signals:
    void mailReceived();

private:
    void serve(QTcpSocket *socket);

    QTcpServer server;
    QList<Mail> received;
    bool refusing = false;
    QByteArray login;
};
