#pragma once
// Resident memory of this process, for the benchmarks' memory figures (Linux /proc).

#include <QFile>

namespace ProcessMemory {

// A "Vm...:" line of /proc/self/status in kilobytes; 0 where it cannot be read.
inline double statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble();
    }
    return 0;
}

inline double residentMb()
{
    return statusKb("VmRSS") / 1024;
}
inline double peakResidentMb()
{
    return statusKb("VmHWM") / 1024;
}

} // namespace ProcessMemory
