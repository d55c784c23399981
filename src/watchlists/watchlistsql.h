#pragma once

#include <QString>

// SQL text of the watchlist page and the list manager. Symbols and titles are quoted with the
// store's quoting helper; list ids are numbers the store handed out.
namespace WatchlistSql {

// Lists for the page's list boxes, alphabetical (ties in the order they were made).
QString listsByTitle();
// Lists for the manager, in the order they were made.
QString listsInStoreOrder();
QString insertList(const QString &title);
QString deleteSymbolsOfList(qint64 listId);
QString deleteList(qint64 listId);

// The symbols of the list, in the order they were added.
QString symbolsOfList(qint64 listId);
// symbol|numShares of every row, on any list, of the list's symbols, oldest first: a symbol's
// share count is its first row's.
QString shareCountsOfList(qint64 listId);
// symbol|count for the list's symbols that have alerts.
QString alertCountsOfList(qint64 listId);
// symbol|name|value for the quote fields the grid shows, for every symbol of the list.
QString snapshotOfList(qint64 listId);

QString countOnList(const QString &symbol, qint64 listId);
QString insertSymbol(const QString &symbol, qint64 listId);
// Share counts belong to the symbol: every list holding it gets the same count.
QString updateShareCount(const QString &symbol, qint64 shares);
// Removing a symbol takes it off every list and drops its alerts.
QString deleteSymbolEverywhere(const QString &symbol);
QString deleteAlertsOf(const QString &symbol);

// The spelling under which the symbol is followed, whatever the case it was typed in.
QString followedSpelling(const QString &symbol);

} // namespace WatchlistSql
