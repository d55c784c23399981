#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

// Checks what the user typed into a buy, sell or cash dialog before anything is stored.
namespace TradeEntry {

// A number typed by the user: in the locale's own form (decimal mark, digit grouping) or in the
// plain form the dialogs start with and the live price arrives in. Surrounding blanks are
// ignored; infinities and not-a-number are no numbers.
std::optional<double> parseNumber(const QString &text, const QLocale &locale = QLocale());

struct Input
{
    QString symbol;
    QString shares;
    QString price;
    QString costs;
};

struct Trade
{
    QString symbol; // trimmed, in capitals as the quote services spell symbols
    double shares = 0;
    double price = 0;
    double costs = 0;
};

struct Checked
{
    std::optional<Trade> trade;
    QString error; // names the field that is wrong; empty when trade is set
};

// Symbol not empty, number of shares a number above 0, price and costs numbers of 0 or more.
Checked checkTrade(const Input &input, const QLocale &locale = QLocale());

// An amount of money above 0, or the message that says why not.
struct CheckedAmount
{
    std::optional<double> amount;
    QString error;
};
CheckedAmount checkAmount(const QString &text, const QLocale &locale = QLocale());

// A chosen suggestion "AAPL (Apple Inc.)" becomes "AAPL"; other text stays as it is. Empty
// when the text holds no "(" worth cutting at.
std::optional<QString> symbolOfSuggestion(const QString &text);

// The date as the portfolio stores it: the toolkit's default text form ("Wed Dec 9 2026").
QString storedDate(const QDate &date);

} // namespace TradeEntry
