#include "watchlists/sharecount.h"

#include <cmath>

namespace ShareCount {

std::optional<qint64> parseTyped(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty() || text.size() > 15)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const qint64 count = text.toLongLong();
    if (count > Maximum)
        return std::nullopt;
    return count;
}

qint64 fromStored(const QString &stored)
{
    bool ok = false;
    const double value = stored.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > double(Maximum) ||
        value != std::floor(value))
        return 0;
    return qint64(value);
}

} // namespace ShareCount
