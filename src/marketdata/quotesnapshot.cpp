#include "marketdata/quotesnapshot.h"

#include "common/serviceaddresses.h"
#include "store/gdatabaseclass.h"
#include "store/sqlquoting.h"

#include <QDebug>
#include <QHash>
#include <QSet>
#include <QXmlStreamReader>

namespace QuoteSnapshot {

namespace {

// The community tables environment that defines yahoo.finance.quotes.
const QString TablesEnvironment = QStringLiteral("store://datatables.org/alltableswithkeys");

const QString EmptyValue = QStringLiteral(" - ");

// Stored text is read back as "|"-joined row strings, so a "|" inside a value would shift
// every column after it.
QString storable(const QString &text)
{
    return sqlQuotedRowValue(text);
}

// Rows per INSERT: several rows per statement keep a 500-symbol snapshot well under a second
// while staying far below SQLite's limits on statement size.
constexpr int RowsPerStatement = 200;

} // namespace

QStringList followedSymbols(GDatabaseClass &store)
{
    QStringList symbols;
    QSet<QString> seen;
    for (const char *query : {"SELECT symbol FROM symbols ORDER BY symbol ASC",
                              "SELECT symbol FROM portfolio ORDER BY symbol ASC",
                              "SELECT symbol FROM watchedSymbols ORDER BY symbol ASC"}) {
        for (const QString &symbol : store.GetSQLRecords(QString::fromLatin1(query))) {
            // Deposits and withdrawals are portfolio rows without a symbol: nothing to quote.
            if (symbol.isEmpty() || seen.contains(symbol))
                continue;
            seen.insert(symbol);
            symbols << symbol;
        }
    }
    return symbols;
}

QString quotedSymbolList(const QStringList &symbols)
{
    QString list = QLatin1Char('"') + symbols.join(QLatin1Char(',')) + QLatin1Char('"');
    return list.replace(QLatin1String(","), QLatin1String("\",\""));
}

QString statement(const QStringList &symbols)
{
    return QStringLiteral("SELECT * FROM yahoo.finance.quotes where symbol in (%1)")
        .arg(quotedSymbolList(symbols));
}

QUrl requestUrl(const QStringList &symbols)
{
    // Encoded here rather than by QUrl's tolerant parser: a symbol holding "&", "#" or "+"
    // would otherwise cut or change the statement.
    const QString query = QStringLiteral("/v1/public/yql?q=%1&env=%2")
                              .arg(QString::fromLatin1(QUrl::toPercentEncoding(statement(symbols))),
                                   QString::fromLatin1(QUrl::toPercentEncoding(TablesEnvironment)));
    return ServiceAddresses::url(ServiceAddresses::Service::Quotes, query);
}

std::optional<QList<Quote>> parseReply(const QByteArray &body)
{
    // Parsed from the bytes so that the encoding the document declares is honoured.
    QXmlStreamReader xml(body);
    QList<Quote> quotes;
    int depth = 0; // 1 = root, 2 = the root's children, 3 = quotes, 4 = fields
    bool inResults = false;
    bool resultsSeen = false;
    Quote *quote = nullptr;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (depth == 2) {
                inResults = !resultsSeen && xml.name() == QLatin1String("results");
                resultsSeen = resultsSeen || inResults;
            } else if (depth == 3 && inResults && xml.name() == QLatin1String("quote")) {
                quotes.append(
                    Quote{xml.attributes().value(QLatin1String("symbol")).toString(), {}});
                quote = &quotes.last();
            } else if (depth == 4 && quote) {
                const QString name = xml.name().toString();
                QString value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth; // readElementText consumed the end element
                if (value.trimmed().isEmpty())
                    value = EmptyValue;
                quote->fields.append(Field{name, value});
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == 3)
                quote = nullptr;
            --depth;
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return quotes;
}

QStringList storeStatements(const QList<Quote> &quotes)
{
    QStringList statements;
    QString insert;
    int rows = 0;
    auto flush = [&] {
        if (rows == 0)
            return;
        statements << insert;
        insert.clear();
        rows = 0;
    };
    // Every quote repeats the same field names.
    QHash<QString, QString> quotedNames;
    QSet<QString> replaced;
    const QString head = QStringLiteral("INSERT INTO fData (symbol, name, value) VALUES ");
    for (const Quote &quote : quotes) {
        // A quote without a symbol or without fields carries nothing to replace rows with.
        if (quote.fields.isEmpty() || storable(quote.symbol) == QLatin1String("''"))
            continue;
        const QString symbol = storable(quote.symbol);
        if (!replaced.contains(symbol)) {
            replaced.insert(symbol);
            flush();
            statements << QStringLiteral("DELETE FROM fData WHERE symbol=") + symbol;
        }
        for (const Field &field : quote.fields) {
            auto name = quotedNames.find(field.name);
            if (name == quotedNames.end())
                name = quotedNames.insert(field.name, storable(field.name));
            if (rows == 0) {
                insert.reserve(head.size() + RowsPerStatement * 48);
                insert.append(head);
            } else {
                insert.append(QLatin1Char(','));
            }
            insert.append(QLatin1Char('(')).append(symbol).append(QLatin1Char(',')).append(*name);
            insert.append(QLatin1Char(',')).append(storable(field.value)).append(QLatin1Char(')'));
            if (++rows == RowsPerStatement)
                flush();
        }
    }
    flush();
    // Symbols no list follows any more are not asked for; their rows go with the first snapshot
    // that brought anything.
    if (!replaced.isEmpty())
        statements
            << QStringLiteral("DELETE FROM fData WHERE symbol NOT IN (%1) AND symbol NOT IN "
                              "(SELECT symbol FROM symbols UNION SELECT symbol FROM "
                              "portfolio UNION SELECT symbol FROM watchedSymbols)")
                   .arg(QStringList(replaced.cbegin(), replaced.cend()).join(QLatin1Char(',')));
    return statements;
}

bool store(GDatabaseClass &store, const QList<Quote> &quotes)
{
    const QStringList statements = storeStatements(quotes);
    if (statements.isEmpty()) {
        qDebug() << "QuoteSnapshot: the reply carries no quotes; the snapshot is kept";
        return false;
    }
    return store.runInTransaction(statements);
}

} // namespace QuoteSnapshot
