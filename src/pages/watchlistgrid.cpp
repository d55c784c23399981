#include "pages/watchlistgrid.h"

#include "pages/sharecount.h"
#include "pages/watchlistsql.h"
#include "store/gdatabaseclass.h"

#include <QHash>
#include <QStringList>

#include <cmath>

namespace WatchlistGrid {

namespace {

// Stored fields of one symbol, by field name; the first row of a name wins.
using Fields = QHash<QString, QString>;

QHash<QString, Fields> snapshotOf(GDatabaseClass &store, qint64 listId)
{
    QHash<QString, Fields> snapshot;
    for (const QString &record : store.GetSQLRecords(WatchlistSql::snapshotOfList(listId))) {
        const qsizetype first = record.indexOf(QLatin1Char('|'));
        const qsizetype second = record.indexOf(QLatin1Char('|'), first + 1);
        if (first < 0 || second < 0)
            continue;
        Fields &fields = snapshot[record.left(first)];
        const QString name = record.mid(first + 1, second - first - 1);
        if (!fields.contains(name))
            fields.insert(name, record.mid(second + 1));
    }
    return snapshot;
}

} // namespace

Grid load(GDatabaseClass &store, qint64 listId)
{
    Grid grid;
    if (listId <= 0)
        return grid;
    const QHash<QString, Fields> snapshot = snapshotOf(store, listId);
    for (const QString &record : store.GetSQLRecords(WatchlistSql::symbolsOfList(listId))) {
        // symbol|shares|alerts, read from the end so that nothing in the symbol can shift them.
        const qsizetype alertsAt = record.lastIndexOf(QLatin1Char('|'));
        const qsizetype sharesAt = record.lastIndexOf(QLatin1Char('|'), alertsAt - 1);
        if (alertsAt < 0 || sharesAt < 0)
            continue;
        Row row;
        row.symbol = record.left(sharesAt);
        row.shares = ShareCount::fromStored(record.mid(sharesAt + 1, alertsAt - sharesAt - 1));
        row.alerts = record.mid(alertsAt + 1).toInt();
        const Fields fields = snapshot.value(row.symbol);
        row.last = fields.value(QStringLiteral("LastTradePriceOnly"));
        row.change = fields.value(QStringLiteral("Change"));
        row.changePercent = fields.value(QStringLiteral("ChangeinPercent"));
        row.earningsPerShare = fields.value(QStringLiteral("EarningsShare"));
        row.dividend = fields.value(QStringLiteral("DividendShare"));
        row.dividendYield = fields.value(QStringLiteral("DividendYield"));
        row.marketValue = numberOf(row.last) * double(row.shares);
        row.todaysChange = numberOf(row.change) * double(row.shares);
        grid.totalMarketValue += row.marketValue;
        grid.totalTodaysChange += row.todaysChange;
        grid.rows.append(row);
    }
    return grid;
}

double numberOf(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

int signOf(const QString &text)
{
    QString number = text.trimmed();
    if (number.endsWith(QLatin1Char('%')))
        number.chop(1);
    const double value = numberOf(number);
    return value > 0 ? 1 : (value < 0 ? -1 : 0);
}

QString money(double value)
{
    // Adding zero turns a negative zero (a loss of 0.25 on no shares) into a plain "0".
    return QLatin1Char('$') + QString::number(value + 0.0, 'g', 6);
}

} // namespace WatchlistGrid
