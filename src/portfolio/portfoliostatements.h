#pragma once

#include <QString>

// SQL text for the portfolio table: holdings ("LONG", "SHORT") and cash transactions ("BUY",
// "SELL", "DEPOSIT", "WITHDRAWL") live side by side in it, told apart by transType.
namespace PortfolioStatements {

// "id|symbol|noShares|buyPrice|commission" of every holding, by symbol.
QString holdingsQuery();
// "symbol|name|value" of the quote fields the holdings are valued with, for held symbols only.
QString holdingQuotesQuery();
// "id|symbol|transType|date|noShares|buyPrice|commission" of every cash transaction, by symbol.
QString transactionsQuery();
// "transType|noShares|buyPrice|commission" of the same rows in the same order.
QString cashRowsQuery();

// One row of the portfolio table as the dialogs write it. Numbers have been checked already.
struct Entry
{
    QString symbol;
    QString date;
    double shares = 0;
    double price = 0;
    QString type;
    double costs = 0;
    QString notes;
};

QString insertStatement(const Entry &entry);
QString sharesQuery(qint64 id);
QString updateSharesStatement(qint64 id, double shares);
QString deleteStatement(qint64 id);

// A number as it is written into a statement: plain decimal form, up to 15 significant digits,
// so that a large holding keeps every share.
QString storedNumber(double value);

} // namespace PortfolioStatements
