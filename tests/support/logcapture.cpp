#include "support/logcapture.h"

#include <QMutex>

namespace {
QMutex mutex;
QStringList captured;
} // namespace

static void captureMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    QMutexLocker lock(&mutex);
    captured << message;
}

LogCapture::LogCapture()
{
    clear();
    previous = qInstallMessageHandler(captureMessage);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(previous);
}

QStringList LogCapture::lines() const
{
    QMutexLocker lock(&mutex);
    return captured;
}

bool LogCapture::contains(const QString &text) const
{
    for (const QString &line : lines()) {
        if (line.contains(text))
            return true;
    }
    return false;
}

void LogCapture::clear()
{
    QMutexLocker lock(&mutex);
    captured.clear();
}
