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

// One row per symbol of the list, in the order they were added: symbol, its share count (the
// first stored row of the symbol, whatever its list) and its number of alerts.
QString symbolsOfList(qint64 listId);
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
