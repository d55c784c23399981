#include "watchlists/watchlistgrid.h"

#include "store/gdatabaseclass.h"
#include "watchlists/sharecount.h"
#include "watchlists/watchlistsql.h"

#include <QHash>
#include <QStringList>

#include <cmath>
#include <utility>

namespace WatchlistGrid {

namespace {

// Stored fields of one symbol, by field name; the first row of a name wins.
using Fields = QHash<QString, QString>;

// Splits "symbol|rest" at the last "|", so that nothing in the symbol can shift the columns.
std::pair<QString, QString> splitLast(const QString &record)
{
    const qsizetype bar = record.lastIndexOf(QLatin1Char('|'));
    return bar < 0 ? std::pair{record, QString()}
                   : std::pair{record.left(bar), record.mid(bar + 1)};
}

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

QHash<QString, qint64> shareCountsOf(GDatabaseClass &store, qint64 listId)
{
    QHash<QString, qint64> counts;
    for (const QString &record : store.GetSQLRecords(WatchlistSql::shareCountsOfList(listId))) {
        const auto [symbol, shares] = splitLast(record);
        if (!counts.contains(symbol))
            counts.insert(symbol, ShareCount::fromStored(shares));
    }
    return counts;
}

QHash<QString, int> alertCountsOf(GDatabaseClass &store, qint64 listId)
{
    QHash<QString, int> counts;
    for (const QString &record : store.GetSQLRecords(WatchlistSql::alertCountsOfList(listId))) {
        const auto [symbol, count] = splitLast(record);
        counts.insert(symbol, count.toInt());
    }
    return counts;
}

} // namespace

Grid load(GDatabaseClass &store, qint64 listId)
{
    Grid grid;
    if (listId <= 0)
        return grid;
    const QHash<QString, Fields> snapshot = snapshotOf(store, listId);
    const QHash<QString, qint64> shareCounts = shareCountsOf(store, listId);
    const QHash<QString, int> alertCounts = alertCountsOf(store, listId);
    for (const QString &symbol : store.GetSQLRecords(WatchlistSql::symbolsOfList(listId))) {
        Row row;
        row.symbol = symbol;
        row.shares = shareCounts.value(symbol);
        row.alerts = alertCounts.value(symbol);
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
