#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// One running Corvane per profile. The first start holds a lock file in the profile folder and
// listens for later starts; a later start finds the lock, asks the running one to come to the
// front and ends. A lock left by a process that died is taken over.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &profileDirectory, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the one instance of the profile (and now listens for others).
    bool acquire();
    // From a later start: asks the running instance to show its window. False when it could not
    // be reached.
    bool askRunningInstanceToShow(int timeoutMs = 3000);

    QString lockPath() const { return lockFile.fileName(); }

signals:
    // Another start of the same profile wants the window brought to the front.
    void showRequested();

private:
    QString serverName() const;

    QString profile;
    QLockFile lockFile;
    QLocalServer server;
};
