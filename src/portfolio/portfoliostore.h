#pragma once

#include "portfolio/portfoliostatements.h"
#include "portfolio/portfoliovaluation.h"

#include <optional>

class GDatabaseClass;

// Reads the portfolio from the store with its figures, and records what the dialogs decide.
namespace PortfolioStore {

QList<PortfolioValuation::Holding> readHoldings(GDatabaseClass &store);
QList<PortfolioValuation::Transaction> readTransactions(GDatabaseClass &store);
// The cash balance and the transactions' value without reading every transaction's fields.
PortfolioValuation::CashSums readCashSums(GDatabaseClass &store);

struct Snapshot
{
    QList<PortfolioValuation::Holding> holdings;
    QList<PortfolioValuation::Transaction> transactions;
    PortfolioValuation::Totals totals;
};
// Holdings, transactions and totals (cash balance included) as the page shows them.
Snapshot read(GDatabaseClass &store);

// A new holding and, when asked, the matching "BUY" row, in one transaction. Returns false when
// a statement failed: then nothing is stored.
bool recordPurchase(GDatabaseClass &store, const PortfolioStatements::Entry &holding,
                    bool updateCash);

// A "DEPOSIT" or "WITHDRAWL" row.
void recordCashTransaction(GDatabaseClass &store, const PortfolioStatements::Entry &entry);

// Shares the holding with this id has, or none when there is no such row.
std::optional<double> heldShares(GDatabaseClass &store, qint64 holdingId);

enum class SaleResult
{
    Reduced,         // shares left
    Closed,          // every share sold; the holding is gone
    NotEnoughShares, // nothing stored
    HoldingGone,     // nothing stored
    NotStored        // a statement failed; nothing stored
};

struct Sale
{
    qint64 holdingId = -1;
    double shares = 0;
    bool updateCash = true;
    PortfolioStatements::Entry cashRow; // the "SELL" row, written when updateCash is set
};

// Takes the shares off the holding (removing it when none are left) and writes the "SELL" row,
// all in one transaction, or stores nothing when the holding is gone or too small or a statement
// fails. `held` receives the shares the holding had.
SaleResult recordSale(GDatabaseClass &store, const Sale &sale, double *held = nullptr);

void deleteEntry(GDatabaseClass &store, qint64 id);

} // namespace PortfolioStore
