#include "portfolio/portfoliostatements.h"

#include "store/sqlquoting.h"

namespace PortfolioStatements {

namespace {

const QString CashTypesInSymbolOrder = QStringLiteral(
    "FROM portfolio WHERE transType='BUY' OR transType='SELL' OR transType='WITHDRAWL' OR "
    "transType='DEPOSIT' ORDER BY portfolio.symbol");

} // namespace

QString holdingsQuery()
{
    return QStringLiteral(
        "SELECT portfolio.id, portfolio.symbol, portfolio.noShares, portfolio.buyPrice, "
        "portfolio.commission FROM portfolio WHERE transType='LONG' OR transType='SHORT' ORDER "
        "BY portfolio.symbol");
}

QString holdingQuotesQuery()
{
    // One query for every holding instead of three per holding: a large portfolio refreshes in
    // a few milliseconds.
    return QStringLiteral(
        "SELECT symbol, name, value FROM fdata WHERE name IN "
        "('LastTradePriceOnly','Change','PercentChange') AND symbol IN (SELECT symbol FROM "
        "portfolio WHERE transType='LONG' OR transType='SHORT') ORDER BY rowid");
}

QString transactionsQuery()
{
    return QStringLiteral("SELECT portfolio.id, portfolio.symbol, portfolio.transType, "
                          "portfolio.date, portfolio.noShares, portfolio.buyPrice, "
                          "portfolio.commission ") +
           CashTypesInSymbolOrder;
}

QString cashRowsQuery()
{
    // The same rows in the same order as the transactions, so the sums come out the same.
    return QStringLiteral("SELECT transType, noShares, buyPrice, commission ") +
           CashTypesInSymbolOrder;
}

QString insertStatement(const Entry &entry)
{
    return QStringLiteral("INSERT INTO portfolio "
                          "(symbol,date,noShares,buyPrice,transType,commission,notes) VALUES "
                          "(%1,%2,%3,%4,%5,%6,%7);")
        .arg(sqlQuotedRowValue(entry.symbol), sqlQuotedRowValue(entry.date),
             sqlQuoted(storedNumber(entry.shares)), sqlQuoted(storedNumber(entry.price)),
             sqlQuotedRowValue(entry.type), sqlQuoted(storedNumber(entry.costs)),
             sqlQuoted(stripSqlDelimiters(entry.notes)));
}

QString sharesQuery(qint64 id)
{
    return QStringLiteral("SELECT noShares FROM portfolio WHERE id=%1").arg(id);
}

QString updateSharesStatement(qint64 id, double shares)
{
    return QStringLiteral("UPDATE portfolio SET noShares=%1 WHERE id=%2")
        .arg(storedNumber(shares))
        .arg(id);
}

QString deleteStatement(qint64 id)
{
    return QStringLiteral("DELETE FROM portfolio WHERE id=%1").arg(id);
}

QString storedNumber(double value)
{
    return QString::number(value == 0 ? 0.0 : value, 'g', 15);
}

} // namespace PortfolioStatements
