#include "support/simprocess.h"

#include <QDebug>

SimProcess::SimProcess(const QStringList &extraArguments)
    : previousServiceUrl(qgetenv("CORVANE_SERVICE_URL"))
{
    process.setProgram(QStringLiteral(CORVANE_SIM_PATH));
    process.setArguments(QStringList{QStringLiteral("--port"), QStringLiteral("0")} +
                         extraArguments);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    if (!process.waitForStarted(10000)) {
        qWarning() << "SimProcess: could not start" << CORVANE_SIM_PATH;
        return;
    }
    // First line: "listening on http://127.0.0.1:PORT".
    while (!process.canReadLine() && process.waitForReadyRead(10000)) {
    }
    const QString line = QString::fromUtf8(process.readLine()).trimmed();
    const QString prefix = QStringLiteral("listening on ");
    if (!line.startsWith(prefix)) {
        qWarning() << "SimProcess: unexpected first line" << line;
        return;
    }
    base = line.mid(prefix.size());
    qputenv("CORVANE_SERVICE_URL", base.toUtf8());
}

SimProcess::~SimProcess()
{
    qputenv("CORVANE_SERVICE_URL", previousServiceUrl);
    process.kill();
    process.waitForFinished(5000);
}
