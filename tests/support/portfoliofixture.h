#pragma once

#include "support/marketdatafixture.h"

#include <QString>
#include <QStringList>

class QTableWidget;

// An open store made the process-wide one, with builders for portfolio rows and the quote
// fields the portfolio is valued with.
class PortfolioFixture
{
public:
    PortfolioFixture();

    bool open() { return base.open(); }
    GDatabaseClass &store() { return base.store(); }
    MessageBoxAnswers &boxes() { return base.storeFixture().boxes(); }
    QStringList rows(const QString &query) { return base.rows(query); }
    int count(const QString &table) { return base.count(table); }
    MarketDataFixture &marketData() { return base; }

    // A portfolio row; returns its id.
    qint64 addEntry(const QString &symbol, const QString &type, const QString &shares,
                    const QString &price, const QString &costs = QStringLiteral("0"),
                    const QString &date = QStringLiteral("Mon Dec 7 2026"));
    // LastTradePriceOnly, Change and PercentChange of a symbol, as the quote snapshot stores
    // them; an empty text leaves that field out.
    void addQuote(const QString &symbol, const QString &last, const QString &change,
                  const QString &percentChange);

    // Every stored row "symbol|transType|noShares|buyPrice|commission|notes", by id.
    QStringList portfolioRows();

    // The texts of one table row (empty text for a cell without an item).
    static QStringList rowTexts(const QTableWidget *table, int row);

private:
    MarketDataFixture base;
};
