#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>
#include <QTcpServer>

// A loopback HTTP server that answers what a test scripts, including the awkward cases a real
// service produces: redirects, errors, slow replies, replies that never come, broken connections.
class ScriptedHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Reply
    {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/plain";
        QList<QPair<QByteArray, QByteArray>> headers;
        int delayMs = 0;
        bool neverAnswer = false;    // keep the connection open and silent
        bool dropConnection = false; // close without a reply
        int cutAfterBytes = -1;      // announce the whole body, send only this much, then close
    };

    explicit ScriptedHttpServer(QObject *parent = nullptr);

    // Path with or without query ("/a?x=1" is tried before "/a"). Unscripted paths get 404.
    void script(const QString &pathAndQuery, const Reply &reply);
    void scriptBody(const QString &pathAndQuery, const QByteArray &body, int status = 200);
    void scriptRedirect(const QString &pathAndQuery, const QByteArray &location, int status = 302);

    QString baseUrl() const;
    QString url(const QString &pathAndQuery) const { return baseUrl() + pathAndQuery; }
    // Every request line's target, in arrival order.
    QStringList requests() const { return requested; }
    void clearRequests() { requested.clear(); }

private:
    void serve(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const QString &target);

    QTcpServer server;
    QHash<QString, Reply> replies;
    QStringList requested;
};
