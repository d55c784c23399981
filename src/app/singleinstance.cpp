#include "app/singleinstance.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QLocalSocket>

namespace {

const QByteArray ShowMessage = "show\n";

} // namespace

SingleInstance::SingleInstance(const QString &profileDirectory, QObject *parent)
    : QObject(parent), profile(QDir(profileDirectory).absolutePath()),
      lockFile(profile + QStringLiteral("/corvane.lock"))
{
    // Only a lock whose process is gone is stale, however old it is.
    lockFile.setStaleLockTime(0);
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(ShowMessage.trimmed()))
                    emit showRequested();
            });
        }
    });
}

SingleInstance::~SingleInstance()
{
    server.close();
    if (lockFile.isLocked())
        lockFile.unlock();
}

QString SingleInstance::serverName() const
{
    // One name per profile folder, short enough for a socket path.
    return QStringLiteral("corvane-") +
           QString::fromLatin1(QCryptographicHash::hash(profile.toUtf8(), QCryptographicHash::Sha1)
                                   .toHex()
                                   .left(16));
}

bool SingleInstance::acquire()
{
    QDir().mkpath(profile);
    if (!lockFile.tryLock(100)) {
        qint64 pid = 0;
        QString host;
        QString application;
        lockFile.getLockInfo(&pid, &host, &application);
        qDebug() << "SingleInstance: the profile is in use by process" << pid << "on" << host;
        return false;
    }
    // A socket left by a process that died would stop the server from listening.
    QLocalServer::removeServer(serverName());
    if (!server.listen(serverName()))
        qDebug() << "SingleInstance: cannot listen for later starts:" << server.errorString();
    return true;
}

bool SingleInstance::askRunningInstanceToShow(int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(ShowMessage);
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return sent;
}
