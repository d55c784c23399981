#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

class GDatabaseClass;

// Addresses and replies of the symbol-suggest and quote-line services, and the statements that
// change the symbol list.
namespace SymbolLookup {

struct Match
{
    QString symbol;
    QString name;
    QString exchange; // the exchange code, or the type text when the service gives none
};

// The suggest address for a typed text (percent-encoded after "query=").
QUrl suggestUrl(const QString &text);

// The matches of a suggest reply ("callback({...})"), or nothing when the text between the
// first "(" and the last ")" is no JSON object. The reply is parsed as data, never run.
std::optional<QList<Match>> parseSuggestReply(const QByteArray &body);

// The quote-line address for a symbol (percent-encoded after "s=").
QUrl quoteLineUrl(const QString &symbol);

// A quote line split at every "," with empty parts, quotes and line end kept as sent.
QStringList splitQuoteLine(const QByteArray &body);

// "AAPL (Apple Inc.)" for the completion lists.
QString completionText(const Match &match);

// The match whose symbol is the text, whatever the case it was typed in.
std::optional<Match> matchFor(const QList<Match> &matches, const QString &symbol);

enum class AddResult
{
    Added,
    Duplicate
};

// Adds the match to the symbol list unless the symbol is there already.
AddResult addSymbol(GDatabaseClass &store, const Match &match);

// Removes the symbol and its news items; quotes, history, portfolio, watchlists and alerts stay.
void deleteSymbol(GDatabaseClass &store, const QString &symbol);

struct StoredSymbol
{
    QString symbol;
    QString companyName;
    QString exchange;
};

// The symbol list ordered by symbol.
QList<StoredSymbol> storedSymbols(GDatabaseClass &store);

} // namespace SymbolLookup
