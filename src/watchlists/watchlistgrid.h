#pragma once

#include <QList>
#include <QString>

class GDatabaseClass;

// What the watchlist grid shows for one list: a row per symbol with its latest stored quote
// fields, share count, market value and today's change, and the totals beneath.
namespace WatchlistGrid {

enum Column : int
{
    SymbolColumn,
    AlertColumn,
    LastColumn,
    ChangeColumn,
    ChangePercentColumn,
    SharesColumn,
    MarketValueColumn,
    TodaysChangeColumn,
    EpsColumn,
    DividendColumn,
    DividendYieldColumn,
    RemoveColumn,
    ColumnCount
};

struct Row
{
    QString symbol;
    int alerts = 0;
    // Quote fields as stored; empty when the snapshot has none.
    QString last;
    QString change;
    QString changePercent;
    QString earningsPerShare;
    QString dividend;
    QString dividendYield;
    qint64 shares = 0;
    double marketValue = 0;  // last price × shares
    double todaysChange = 0; // change × shares

    bool operator==(const Row &other) const = default;
};

struct Grid
{
    QList<Row> rows;
    double totalMarketValue = 0;
    double totalTodaysChange = 0;
};

// The list's rows in the order the symbols were added, with their totals.
Grid load(GDatabaseClass &store, qint64 listId);

// The number a stored field stands for; 0 when it is missing or no number.
double numberOf(const QString &text);
// -1, 0 or +1 by the number the text stands for; a trailing "%" is ignored.
int signOf(const QString &text);
// "$" directly before the number in the general format with 6 significant digits.
QString money(double value);

} // namespace WatchlistGrid
