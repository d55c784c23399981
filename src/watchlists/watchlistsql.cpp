#include "watchlists/watchlistsql.h"

#include "store/sqlquoting.h"

namespace WatchlistSql {

QString listsByTitle()
{
    return QStringLiteral("SELECT id, title FROM watchlists ORDER BY title ASC, id ASC");
}

QString listsInStoreOrder()
{
    return QStringLiteral("SELECT id, title FROM watchlists ORDER BY id");
}

QString insertList(const QString &title)
{
    return QStringLiteral("INSERT INTO watchlists (title) VALUES(%1);").arg(sqlQuoted(title));
}

QString deleteSymbolsOfList(qint64 listId)
{
    return QStringLiteral("DELETE FROM watchedSymbols WHERE listId=%1").arg(listId);
}

QString deleteList(qint64 listId)
{
    return QStringLiteral("DELETE FROM watchlists WHERE id=%1").arg(listId);
}

QString symbolsOfList(qint64 listId)
{
    return QStringLiteral("SELECT symbol FROM watchedSymbols WHERE listId=%1 ORDER BY id")
        .arg(listId);
}

QString shareCountsOfList(qint64 listId)
{
    return QStringLiteral("SELECT symbol, numShares FROM watchedSymbols WHERE symbol IN "
                          "(SELECT symbol FROM watchedSymbols WHERE listId=%1) ORDER BY id")
        .arg(listId);
}

QString alertCountsOfList(qint64 listId)
{
    return QStringLiteral("SELECT symbol, COUNT(*) FROM alerts WHERE symbol IN "
                          "(SELECT symbol FROM watchedSymbols WHERE listId=%1) GROUP BY symbol")
        .arg(listId);
}

QString snapshotOfList(qint64 listId)
{
    return QStringLiteral(
               "SELECT symbol, name, value FROM fData WHERE name IN ('LastTradePriceOnly',"
               "'Change','ChangeinPercent','EarningsShare','DividendShare','DividendYield')"
               " AND symbol IN (SELECT symbol FROM watchedSymbols WHERE listId=%1)")
        .arg(listId);
}

QString countOnList(const QString &symbol, qint64 listId)
{
    return QStringLiteral("SELECT COUNT(*) FROM watchedSymbols WHERE listId=%1 AND symbol=%2")
        .arg(QString::number(listId), sqlQuoted(symbol));
}

QString insertSymbol(const QString &symbol, qint64 listId)
{
    return QStringLiteral("INSERT INTO watchedSymbols (symbol,listId,numShares) VALUES(%1,%2,0)")
        .arg(sqlQuoted(symbol), QString::number(listId));
}

QString updateShareCount(const QString &symbol, qint64 shares)
{
    return QStringLiteral("UPDATE watchedSymbols set numShares=%1 WHERE symbol=%2")
        .arg(QString::number(shares), sqlQuoted(symbol));
}

QString deleteSymbolEverywhere(const QString &symbol)
{
    return QStringLiteral("DELETE FROM watchedSymbols WHERE symbol=%1").arg(sqlQuoted(symbol));
}

QString deleteAlertsOf(const QString &symbol)
{
    return QStringLiteral("DELETE FROM alerts WHERE symbol=%1").arg(sqlQuoted(symbol));
}

QString followedSpelling(const QString &symbol)
{
    return QStringLiteral("SELECT symbol FROM symbols WHERE symbol=%1 COLLATE NOCASE LIMIT 1")
        .arg(sqlQuoted(symbol));
}

} // namespace WatchlistSql
