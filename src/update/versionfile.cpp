#include "update/versionfile.h"

#include <QStringList>

namespace VersionFile {

Contents read(const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    return {lines.value(0).trimmed(), lines.value(1).trimmed()};
}

std::array<int, 4> numbers(const QString &version)
{
    std::array<int, 4> result{0, 0, 0, 0};
    const QStringList parts = version.split(QLatin1Char('.'));
    for (int index = 0; index < 4 && index < parts.size(); ++index) {
        const QString part = index < 3 ? parts.at(index) : parts.mid(3).join(QLatin1Char('.'));
        bool ok = false;
        const int number = part.toInt(&ok);
        result[index] = ok ? number : 0;
    }
    return result;
}

bool isNewer(const QString &remote, const QString &local)
{
    return numbers(remote) > numbers(local);
}

} // namespace VersionFile
