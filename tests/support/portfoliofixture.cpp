#include "support/portfoliofixture.h"

#include "store/sqlquoting.h"

#include <QTableWidget>

PortfolioFixture::PortfolioFixture() = default;

qint64 PortfolioFixture::addEntry(const QString &symbol, const QString &type, const QString &shares,
                                  const QString &price, const QString &costs, const QString &date)
{
    store().ExecSQL(QStringLiteral("INSERT INTO portfolio (symbol,date,noShares,buyPrice,"
                                   "transType,commission,notes) VALUES (%1,%2,%3,%4,%5,%6,'')")
                        .arg(sqlQuoted(symbol), sqlQuoted(date), sqlQuoted(shares),
                             sqlQuoted(price), sqlQuoted(type), sqlQuoted(costs)));
    return store().GetSQL(QStringLiteral("SELECT MAX(id) FROM portfolio")).toLongLong();
}

void PortfolioFixture::addQuote(const QString &symbol, const QString &last, const QString &change,
                                const QString &percentChange)
{
    if (!last.isEmpty())
        base.addSnapshotValue(symbol, QStringLiteral("LastTradePriceOnly"), last);
    if (!change.isEmpty())
        base.addSnapshotValue(symbol, QStringLiteral("Change"), change);
    if (!percentChange.isEmpty())
        base.addSnapshotValue(symbol, QStringLiteral("PercentChange"), percentChange);
}

QStringList PortfolioFixture::portfolioRows()
{
    return rows(QStringLiteral("SELECT symbol, transType, noShares, buyPrice, commission, notes "
                               "FROM portfolio ORDER BY id"));
}

QStringList PortfolioFixture::rowTexts(const QTableWidget *table, int row)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem *item = table->item(row, column);
        texts << (item ? item->text() : QString());
    }
    return texts;
}
