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
// first "(" and the last ")" is no JSON object. The reply is parsed as data, never run. Symbols,
// names and exchanges come without the blanks the service leaves around them.
std::optional<QList<Match>> parseSuggestReply(const QByteArray &body);

// The quote-line address for a symbol (percent-encoded after "s=").
QUrl quoteLineUrl(const QString &symbol);

// The fields of a quote line read as CSV: a field in double quotes may hold commas (a company
// name such as "Cisco Systems, Inc."), a doubled quote inside it stands for one; the quotes and
// the line end are not part of the values. Only the first line counts.
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
