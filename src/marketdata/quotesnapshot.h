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

// The quotes of a reply, or nothing when the reply is no XML document. The quotes are the "quote"
// elements of the root's child named "results" (the service may put a "diagnostics" element
// before it). A field element without text gets the value " - ".
std::optional<QList<Quote>> parseReply(const QByteArray &body);

// Replaces, in one transaction, the snapshot rows of the symbols the quotes carry; the rows of
// other symbols are kept, so a reply that leaves symbols out or carries none loses nothing,
// unless no list (symbols, portfolio, watchlists) follows them any more. Stored text loses every
// "|", which separates the columns of row strings. Returns whether anything was stored.
bool store(GDatabaseClass &store, const QList<Quote> &quotes);

} // namespace QuoteSnapshot
