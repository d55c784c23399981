#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

class GDatabaseClass;

// The quote snapshot: one request for every followed symbol, and the reply that replaces fData.
namespace QuoteSnapshot {

struct Field
{
    QString name;
    QString value;
};

struct Quote
{
    QString symbol;
    QList<Field> fields;
};

// Symbols of the symbol list, the portfolio and the watchlists, each list sorted, the first
// occurrence of a symbol kept.
QStringList followedSymbols(GDatabaseClass &store);

// A and B become "A","B" (double quotes included); no symbols give "".
QString quotedSymbolList(const QStringList &symbols);

// The YQL statement asking for every quote field of the symbols.
QString statement(const QStringList &symbols);

// The quote service address for the symbols, every query value percent-encoded.
QUrl requestUrl(const QStringList &symbols);

// The quotes of a reply, or nothing when the reply is no XML document. A field element without
// text gets the value " - ".
std::optional<QList<Quote>> parseReply(const QByteArray &body);

// Replaces the whole fData table with the quotes, in one transaction.
void store(GDatabaseClass &store, const QList<Quote> &quotes);

} // namespace QuoteSnapshot
