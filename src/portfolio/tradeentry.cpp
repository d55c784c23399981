#include "portfolio/tradeentry.h"

#include <QCoreApplication>

#include <cmath>

namespace TradeEntry {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("TradeEntry", text);
}

} // namespace

std::optional<double> parseNumber(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    double value = locale.toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

Checked checkTrade(const Input &input, const QLocale &locale)
{
    Checked checked;
    Trade trade;
    trade.symbol = input.symbol.trimmed().toUpper();
    if (trade.symbol.isEmpty()) {
        checked.error = tr("Please enter a symbol.");
        return checked;
    }
    const std::optional<double> shares = parseNumber(input.shares, locale);
    if (!shares || *shares <= 0) {
        checked.error = tr("\"Number of Shares\" must be a number greater than 0.");
        return checked;
    }
    const std::optional<double> price = parseNumber(input.price, locale);
    if (!price || *price < 0) {
        checked.error = tr("\"Buy Price\" must be a number of 0 or more.");
        return checked;
    }
    const std::optional<double> costs = parseNumber(input.costs, locale);
    if (!costs || *costs < 0) {
        checked.error = tr("\"Transaction Costs\" must be a number of 0 or more.");
        return checked;
    }
    trade.shares = *shares;
    trade.price = *price;
    trade.costs = *costs;
    checked.trade = trade;
    return checked;
}

CheckedAmount checkAmount(const QString &text, const QLocale &locale)
{
    CheckedAmount checked;
    const std::optional<double> amount = parseNumber(text, locale);
    if (!amount || *amount <= 0)
        checked.error = tr("\"Amount\" must be a number greater than 0.");
    else
        checked.amount = amount;
    return checked;
}

std::optional<QString> symbolOfSuggestion(const QString &text)
{
    const qsizetype open = text.indexOf(QLatin1Char('('));
    if (open < 0)
        return std::nullopt;
    return text.left(open).trimmed();
}

QString storedDate(const QDate &date)
{
    return date.toString();
}

} // namespace TradeEntry
