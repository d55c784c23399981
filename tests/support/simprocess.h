#pragma once

#include <QProcess>
#include <QString>

// Runs corvane-sim on a free loopback port for one test and points every service address of the
// application at it (CORVANE_SERVICE_URL). Stops it when it goes.
class SimProcess
{
public:
    // extraArguments: simulator options such as "--offer-update".
    explicit SimProcess(const QStringList &extraArguments = {});
    ~SimProcess();
    bool isRunning() const { return !base.isEmpty(); }
    QString baseUrl() const { return base; }

private:
    QProcess process;
    QString base;
    QByteArray previousServiceUrl;
};
