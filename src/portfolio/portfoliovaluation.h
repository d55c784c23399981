#pragma once

#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

// The portfolio's figures, computed from the rows the store returns: holdings valued at the
// stored quotes, cash transactions with their signed values, the cash balance and the totals.
// Nothing here touches a widget or the store, so the page and any export read the same numbers.
namespace PortfolioValuation {

// Store text as a number: the toolkit's decimal conversion; anything that is not a finite number
// (empty text, "N/A", a missing row) counts as 0.
double storeNumber(const QString &text);

// The three quote fields a holding is valued with, as fData holds them for one symbol.
struct Quote
{
    std::optional<QString> last;
    std::optional<QString> change;
    std::optional<QString> percentChange; // with its trailing "%"
};
using QuoteMap = QHash<QString, Quote>;

// Rows "symbol|name|value" of fData into quotes by symbol; the first value of a name wins.
QuoteMap readQuotes(const QStringList &rows);

struct Holding
{
    // As stored.
    QString id;
    QString symbol;
    QString noShares;
    QString buyPrice;
    QString commission;

    double shares = 0; // S
    double price = 0;  // B
    double costs = 0;  // K
    double last = 0;   // L
    double change = 0; // C
    double percentChange = 0;
    bool hasPercentChange = false;
    // A last price above 0 is stored; without one nothing can be said about gain or worth.
    bool quoted = false;

    double daysGain = 0;               // C × S
    std::optional<double> gain;        // (L − B) × S − K
    std::optional<double> gainPercent; // G ÷ (L × S) × 100, against the market value
    double marketValue = 0;            // L × S
};

// A holding row "id|symbol|noShares|buyPrice|commission" valued at its symbol's quote.
Holding valueHolding(const QString &row, const QuoteMap &quotes);
QList<Holding> valueHoldings(const QStringList &rows, const QuoteMap &quotes);

inline const QString BuyType = QStringLiteral("BUY");
inline const QString SellType = QStringLiteral("SELL");
inline const QString DepositType = QStringLiteral("DEPOSIT");
inline const QString WithdrawalType = QStringLiteral("WITHDRAWL"); // the stored spelling
inline const QString LongType = QStringLiteral("LONG");
inline const QString ShortType = QStringLiteral("SHORT");

struct Transaction
{
    // As stored.
    QString id;
    QString symbol;
    QString type;
    QString date;
    QString noShares;
    QString price;
    QString commission;

    // Money that comes in counts positive: SELL and DEPOSIT +S × price, BUY and WITHDRAWL
    // −S × price. Costs are not part of it.
    double value = 0;
    // What the row does to the cash balance: the value less the costs of a purchase or sale.
    double cashEffect = 0;
};

// A row "id|symbol|transType|date|noShares|buyPrice|commission".
Transaction valueTransaction(const QString &row);
QList<Transaction> valueTransactions(const QStringList &rows);

// Deposits − withdrawals + sale proceeds − purchase amounts − costs of purchases and sales.
double cashBalance(const QList<Transaction> &transactions);

// The two sums the totals need of the transactions, summed in the transactions' order.
struct CashSums
{
    double cash = 0;              // the cash balance
    double transactionsValue = 0; // sum of the transactions' values
};
CashSums sumCash(const QList<Transaction> &transactions);
// The same from lean rows "transType|noShares|buyPrice|commission": a refresh of the holdings
// needs the balance, not ten thousand transactions with every field.
CashSums sumCashRows(const QStringList &rows);

struct Totals
{
    double daysGain = 0;
    double gain = 0;        // over quoted holdings
    double gainPercent = 0; // plain sum of the holdings' gain percentages
    // Sum of the day's percent changes of the holdings that have one; none when no holding has.
    std::optional<double> percentChange;
    double holdingsValue = 0;
    double cash = 0;
    double transactionsValue = 0; // sum of the transactions' values
    double totalValue() const { return holdingsValue + cash; }
};

Totals totals(const QList<Holding> &holdings, const CashSums &cash);
Totals totals(const QList<Holding> &holdings, const QList<Transaction> &transactions);

// The toolkit's general format with 6 significant digits and no digit grouping (1234.5, 1e+07).
QString plainNumber(double value);
// The same with the locale's digit grouping and decimal mark.
QString localeNumber(double value, const QLocale &locale = QLocale());
// "$" directly before the plain number: $-12.5.
QString money(double value);

} // namespace PortfolioValuation
