#pragma once

// Helpers the developer tools share to run the application against the simulator.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>

namespace SimSession {

// Lets the event loop run for a while, so replies arrive and pages draw.
inline void settle(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// Starts corvane-sim from beside the program on a free port; its base address, or empty text.
inline QString startSimulator(QProcess &sim)
{
    sim.start(QCoreApplication::applicationDirPath() + QStringLiteral("/corvane-sim"),
              {QStringLiteral("--port"), QStringLiteral("0")});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000))
        return {};
    return QString::fromUtf8(sim.readLine()).trimmed().remove(QStringLiteral("listening on "));
}

} // namespace SimSession
