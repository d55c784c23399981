#include "portfolio/portfoliovaluation.h"

#include <cmath>

namespace PortfolioValuation {

namespace {

const QString LastName = QStringLiteral("LastTradePriceOnly");
const QString ChangeName = QStringLiteral("Change");
const QString PercentChangeName = QStringLiteral("PercentChange");

// Avoids "-0" for a value that is zero.
double normalised(double value)
{
    return value == 0 ? 0.0 : value;
}

void setCashFigures(Transaction &transaction)
{
    const double amount = storeNumber(transaction.noShares) * storeNumber(transaction.price);
    const bool moneyIn = transaction.type == SellType || transaction.type == DepositType;
    transaction.value = normalised(moneyIn ? amount : -amount);
    const bool trade = transaction.type == SellType || transaction.type == BuyType;
    transaction.cashEffect =
        normalised(transaction.value - (trade ? storeNumber(transaction.commission) : 0.0));
}

void keepFirst(std::optional<QString> &field, const QString &value)
{
    if (!field)
        field = value;
}

} // namespace

double storeNumber(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

QuoteMap readQuotes(const QStringList &rows)
{
    QuoteMap quotes;
    for (const QString &row : rows) {
        const qsizetype first = row.indexOf(QLatin1Char('|'));
        const qsizetype second = row.indexOf(QLatin1Char('|'), first + 1);
        if (first < 0 || second < 0)
            continue;
        Quote &quote = quotes[row.left(first)];
        const QStringView name = QStringView(row).mid(first + 1, second - first - 1);
        const QString value = row.mid(second + 1);
        if (name == LastName)
            keepFirst(quote.last, value);
        else if (name == ChangeName)
            keepFirst(quote.change, value);
        else if (name == PercentChangeName)
            keepFirst(quote.percentChange, value);
    }
    return quotes;
}

Holding valueHolding(const QString &row, const QuoteMap &quotes)
{
    const QStringList parts = row.split(QLatin1Char('|'));
    Holding holding;
    holding.id = parts.value(0);
    holding.symbol = parts.value(1);
    holding.noShares = parts.value(2);
    holding.buyPrice = parts.value(3);
    holding.commission = parts.value(4);
    holding.shares = storeNumber(holding.noShares);
    holding.price = storeNumber(holding.buyPrice);
    holding.costs = storeNumber(holding.commission);

    const auto quote = quotes.constFind(holding.symbol);
    if (quote != quotes.cend()) {
        holding.last = storeNumber(quote->last.value_or(QString()));
        holding.change = storeNumber(quote->change.value_or(QString()));
        if (quote->percentChange) {
            holding.hasPercentChange = true;
            holding.percentChange =
                storeNumber(QString(*quote->percentChange).remove(QLatin1Char('%')));
        }
    }
    holding.quoted = holding.last > 0;

    holding.daysGain = normalised(holding.change * holding.shares);
    holding.marketValue = normalised(holding.last * holding.shares);
    if (holding.quoted) {
        holding.gain = normalised((holding.last - holding.price) * holding.shares - holding.costs);
        if (holding.marketValue != 0)
            holding.gainPercent = normalised(*holding.gain / holding.marketValue * 100);
    }
    return holding;
}

QList<Holding> valueHoldings(const QStringList &rows, const QuoteMap &quotes)
{
    QList<Holding> holdings;
    holdings.reserve(rows.size());
    for (const QString &row : rows)
        holdings << valueHolding(row, quotes);
    return holdings;
}

Transaction valueTransaction(const QString &row)
{
    const QStringList parts = row.split(QLatin1Char('|'));
    Transaction transaction;
    transaction.id = parts.value(0);
    transaction.symbol = parts.value(1);
    transaction.type = parts.value(2);
    transaction.date = parts.value(3);
    transaction.noShares = parts.value(4);
    transaction.price = parts.value(5);
    transaction.commission = parts.value(6);
    setCashFigures(transaction);
    return transaction;
}

QList<Transaction> valueTransactions(const QStringList &rows)
{
    QList<Transaction> transactions;
    transactions.reserve(rows.size());
    for (const QString &row : rows)
        transactions << valueTransaction(row);
    return transactions;
}

double cashBalance(const QList<Transaction> &transactions)
{
    return sumCash(transactions).cash;
}

CashSums sumCash(const QList<Transaction> &transactions)
{
    CashSums sums;
    for (const Transaction &transaction : transactions) {
        sums.cash += transaction.cashEffect;
        sums.transactionsValue += transaction.value;
    }
    sums.cash = normalised(sums.cash);
    sums.transactionsValue = normalised(sums.transactionsValue);
    return sums;
}

CashSums sumCashRows(const QStringList &rows)
{
    CashSums sums;
    Transaction transaction;
    for (const QString &row : rows) {
        const QStringList parts = row.split(QLatin1Char('|'));
        transaction.type = parts.value(0);
        transaction.noShares = parts.value(1);
        transaction.price = parts.value(2);
        transaction.commission = parts.value(3);
        setCashFigures(transaction);
        sums.cash += transaction.cashEffect;
        sums.transactionsValue += transaction.value;
    }
    sums.cash = normalised(sums.cash);
    sums.transactionsValue = normalised(sums.transactionsValue);
    return sums;
}

Totals totals(const QList<Holding> &holdings, const QList<Transaction> &transactions)
{
    return totals(holdings, sumCash(transactions));
}

Totals totals(const QList<Holding> &holdings, const CashSums &cash)
{
    Totals sums;
    for (const Holding &holding : holdings) {
        sums.daysGain += holding.daysGain;
        sums.gain += holding.gain.value_or(0.0);
        sums.gainPercent += holding.gainPercent.value_or(0.0);
        sums.holdingsValue += holding.marketValue;
        if (holding.hasPercentChange)
            sums.percentChange = sums.percentChange.value_or(0.0) + holding.percentChange;
    }
    sums.cash = cash.cash;
    sums.transactionsValue = cash.transactionsValue;
    sums.daysGain = normalised(sums.daysGain);
    sums.gain = normalised(sums.gain);
    sums.gainPercent = normalised(sums.gainPercent);
    sums.holdingsValue = normalised(sums.holdingsValue);
    return sums;
}

QString plainNumber(double value)
{
    return QString::number(normalised(value), 'g', 6);
}

QString localeNumber(double value, const QLocale &locale)
{
    return locale.toString(normalised(value), 'g', 6);
}

QString money(double value)
{
    return QLatin1Char('$') + plainNumber(value);
}

} // namespace PortfolioValuation
