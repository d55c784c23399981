#include "portfolio/portfoliostore.h"

#include "store/gdatabaseclass.h"

#include <algorithm>
#include <cmath>

namespace PortfolioStore {

using namespace PortfolioValuation;

namespace {

// Share counts are decimal text turned into doubles; a difference this small is rounding, not
// shares.
bool nearlyEqualOrBelow(double value, double limit)
{
    return value <= limit + 1e-9 * std::max(1.0, std::abs(limit));
}

} // namespace

QList<Holding> readHoldings(GDatabaseClass &store)
{
    return valueHoldings(
        store.GetSQLRecords(PortfolioStatements::holdingsQuery()),
        readQuotes(store.GetSQLRecords(PortfolioStatements::holdingQuotesQuery())));
}

QList<Transaction> readTransactions(GDatabaseClass &store)
{
    return valueTransactions(store.GetSQLRecords(PortfolioStatements::transactionsQuery()));
}

CashSums readCashSums(GDatabaseClass &store)
{
    return sumCashRows(store.GetSQLRecords(PortfolioStatements::cashRowsQuery()));
}

Snapshot read(GDatabaseClass &store)
{
    Snapshot snapshot;
    snapshot.holdings = readHoldings(store);
    snapshot.transactions = readTransactions(store);
    snapshot.totals = totals(snapshot.holdings, snapshot.transactions);
    return snapshot;
}

void recordPurchase(GDatabaseClass &store, const PortfolioStatements::Entry &holding,
                    bool updateCash)
{
    store.ExecSQL(QStringLiteral("BEGIN TRANSACTION;"));
    store.ExecSQL(PortfolioStatements::insertStatement(holding));
    if (updateCash) {
        PortfolioStatements::Entry purchase = holding;
        purchase.type = BuyType;
        store.ExecSQL(PortfolioStatements::insertStatement(purchase));
    }
    store.ExecSQL(QStringLiteral("COMMIT;"));
}

void recordCashTransaction(GDatabaseClass &store, const PortfolioStatements::Entry &entry)
{
    store.ExecSQL(PortfolioStatements::insertStatement(entry));
}

std::optional<double> heldShares(GDatabaseClass &store, qint64 holdingId)
{
    const QStringList rows = store.GetSQLRecords(PortfolioStatements::sharesQuery(holdingId));
    if (rows.isEmpty())
        return std::nullopt;
    return storeNumber(rows.first());
}

SaleResult recordSale(GDatabaseClass &store, const Sale &sale, double *held)
{
    store.ExecSQL(QStringLiteral("BEGIN TRANSACTION;"));
    const std::optional<double> shares = heldShares(store, sale.holdingId);
    if (held)
        *held = shares.value_or(0.0);
    if (!shares || !nearlyEqualOrBelow(sale.shares, *shares)) {
        store.ExecSQL(QStringLiteral("ROLLBACK;"));
        return shares ? SaleResult::NotEnoughShares : SaleResult::HoldingGone;
    }
    if (sale.updateCash) {
        PortfolioStatements::Entry cashRow = sale.cashRow;
        cashRow.type = SellType;
        cashRow.shares = sale.shares;
        store.ExecSQL(PortfolioStatements::insertStatement(cashRow));
    }
    const double remaining = *shares - sale.shares;
    const bool closed = nearlyEqualOrBelow(remaining, 0.0);
    if (closed)
        store.ExecSQL(PortfolioStatements::deleteStatement(sale.holdingId));
    else
        store.ExecSQL(PortfolioStatements::updateSharesStatement(sale.holdingId, remaining));
    store.ExecSQL(QStringLiteral("COMMIT;"));
    return closed ? SaleResult::Closed : SaleResult::Reduced;
}

void deleteEntry(GDatabaseClass &store, qint64 id)
{
    store.ExecSQL(PortfolioStatements::deleteStatement(id));
}

} // namespace PortfolioStore
