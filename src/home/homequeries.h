#pragma once

#include <QString>

// The statements of the home page and the price ticker. Symbols are quoted with the store's
// helper, so a symbol with an apostrophe reads its own rows instead of breaking the statement.
namespace HomeQueries {

// "symbol|companyName" rows for the ticker, by symbol.
QString tickerSymbols();
// One row per followed symbol, by symbol, for the price boxes.
QString boxSymbols();
// The stored snapshot value of one quote field ("Bid", "LastTradePriceOnly", ...).
QString quoteValue(const QString &symbol, const QString &field);
QString companyName(const QString &symbol);

QString feedTitle(int feedId);
QString feedColour(int feedId);
// At most 20 unread items of the feed, one per title, newest first:
// id, symbol, title, desc, pubDate.
QString unreadItems(int feedId);
// Empty when the id is not a number (ids come from the box's own rows, but are checked all the
// same before they stand bare in a statement).
QString itemUrl(const QString &itemId);

} // namespace HomeQueries
