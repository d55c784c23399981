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

bool recordPurchase(GDatabaseClass &store, const PortfolioStatements::Entry &holding,
                    bool updateCash)
{
    QStringList statements{PortfolioStatements::insertStatement(holding)};
    if (updateCash) {
        PortfolioStatements::Entry purchase = holding;
        purchase.type = BuyType;
        statements << PortfolioStatements::insertStatement(purchase);
    }
    return store.runInTransaction(statements);
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
    std::optional<SaleResult> refused;
    bool closed = false;
    const bool stored = store.runInTransaction([&](sqlite3 *) {
        // Read inside the transaction, so that the shares sold are the shares held.
        const std::optional<double> shares = heldShares(store, sale.holdingId);
        if (held)
            *held = shares.value_or(0.0);
        if (!shares || !nearlyEqualOrBelow(sale.shares, *shares)) {
            refused = shares ? SaleResult::NotEnoughShares : SaleResult::HoldingGone;
            return false; // nothing to store
        }
        QStringList statements;
        if (sale.updateCash) {
            PortfolioStatements::Entry cashRow = sale.cashRow;
            cashRow.type = SellType;
            cashRow.shares = sale.shares;
            statements << PortfolioStatements::insertStatement(cashRow);
        }
        const double remaining = *shares - sale.shares;
        closed = nearlyEqualOrBelow(remaining, 0.0);
        if (closed)
            statements << PortfolioStatements::deleteStatement(sale.holdingId);
        else
            statements << PortfolioStatements::updateSharesStatement(sale.holdingId, remaining);
        return store.executeAll(statements);
    });
    if (refused)
        return *refused;
    if (!stored)
        return SaleResult::NotStored;
    return closed ? SaleResult::Closed : SaleResult::Reduced;
}

void deleteEntry(GDatabaseClass &store, qint64 id)
{
    store.ExecSQL(PortfolioStatements::deleteStatement(id));
}

} // namespace PortfolioStore
