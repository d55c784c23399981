#include "charts/comparison.h"

#include "chartconst.h"

#include <QHash>

namespace Comparison {

std::vector<double> closesOnDates(const QStringList &dates, const QStringList &otherRows)
{
    QHash<QString, double> closeOn;
    closeOn.reserve(otherRows.size());
    for (const QString &row : otherRows) {
        const qsizetype bar = row.indexOf(QLatin1Char('|'));
        bool ok = false;
        const double close = bar < 0 ? 0 : row.mid(bar + 1).toDouble(&ok);
        if (ok)
            closeOn.insert(row.left(bar), close);
    }
    std::vector<double> result;
    result.reserve(size_t(dates.size()));
    for (const QString &date : dates)
        result.push_back(closeOn.value(date, Chart::NoValue));
    return result;
}

} // namespace Comparison
