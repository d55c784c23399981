#include "marketdata/quotesnapshot.h"

#include "common/serviceaddresses.h"
#include "store/gdatabaseclass.h"
#include "store/sqlitestatement.h"
#include "store/sqlquoting.h"

#include <QDebug>
#include <QHash>
#include <QSet>
#include <QXmlStreamReader>

#include <algorithm>

namespace QuoteSnapshot {

namespace {

// The community tables environment that defines yahoo.finance.quotes.
const QString TablesEnvironment = QStringLiteral("store://datatables.org/alltableswithkeys");

const QString EmptyValue = QStringLiteral(" - ");

// Deletes the rows of the stored symbols that are neither among the replaced ones nor followed by
// a list. The stored symbols are found one index seek each, so the test runs once per symbol
// rather than once per row.
template <typename Failed>
bool removeUnfollowed(sqlite3 *handle, const QSet<QString> &replaced, Failed failed)
{
    SqliteStatement first(handle,
                          u"SELECT symbol FROM fData WHERE symbol >= '' ORDER BY symbol LIMIT 1");
    SqliteStatement next(handle,
                         u"SELECT symbol FROM fData WHERE symbol > ? ORDER BY symbol LIMIT 1");
    SqliteStatement remove(handle,
                           u"DELETE FROM fData WHERE symbol=?1 AND ?1 NOT IN (SELECT symbol FROM "
                           u"symbols UNION SELECT symbol FROM portfolio UNION SELECT symbol FROM "
                           u"watchedSymbols)");
    QStringList unfollowed;
    SqliteStatement *seek = &first;
    for (;;) {
        const SqliteStatement::Step step = seek->step();
        if (step == SqliteStatement::Step::Failed)
            return failed(*seek);
        if (step == SqliteStatement::Step::Done)
            break;
        const QString symbol = seek->rowText();
        seek->reset();
        if (!replaced.contains(symbol))
            unfollowed << symbol;
        next.bindText(1, symbol);
        seek = &next;
    }
    for (const QString &symbol : std::as_const(unfollowed)) {
        remove.bindText(1, symbol);
        if (!remove.execute())
            return failed(remove);
    }
    return true;
}

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
    QStringList previousNames;
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
                // Quotes list the same fields in the same order: the name of the field at this
                // place in the previous quote is shared rather than copied again.
                const qsizetype place = quote->fields.size();
                const QString name =
                    place < previousNames.size() && xml.name() == previousNames.at(place)
                        ? previousNames.at(place)
                        : xml.name().toString();
                QString value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth; // readElementText consumed the end element
                if (value.trimmed().isEmpty())
                    value = EmptyValue;
                quote->fields.append(Field{name, value});
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == 3 && quote) {
                previousNames.clear();
                for (const Field &field : std::as_const(quote->fields))
                    previousNames.append(field.name);
                quote = nullptr;
            }
            --depth;
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return quotes;
}

bool store(GDatabaseClass &store, const QList<Quote> &quotes)
{
    // A quote without a symbol or without fields carries nothing to replace rows with.
    auto carriesRows = [](const Quote &quote) {
        return !quote.fields.isEmpty() && !rowValue(quote.symbol).isEmpty();
    };
    if (std::none_of(quotes.cbegin(), quotes.cend(), carriesRows)) {
        qDebug() << "QuoteSnapshot: the reply carries no quotes; the snapshot is kept";
        return false;
    }
    return store.runInTransaction([&](sqlite3 *handle) {
        SqliteStatement remove(handle, u"DELETE FROM fData WHERE symbol=?");
        SqliteStatement insert(handle, u"INSERT INTO fData (symbol, name, value) VALUES(?,?,?)");
        auto failed = [](const SqliteStatement &statement) {
            qDebug().noquote() << "QuoteSnapshot: " + statement.errorText();
            return false;
        };
        if (!remove.isPrepared())
            return failed(remove);
        if (!insert.isPrepared())
            return failed(insert);
        // Every quote repeats the same field names.
        QHash<QString, QString> storedNames;
        QSet<QString> replaced;
        for (const Quote &quote : quotes) {
            if (!carriesRows(quote))
                continue;
            const QString symbol = rowValue(quote.symbol);
            if (!replaced.contains(symbol)) {
                // Deleted just before its first new row, so new rows get the ids they always got.
                replaced.insert(symbol);
                remove.bindText(1, symbol);
                if (!remove.execute())
                    return failed(remove);
            }
            insert.bindText(1, symbol);
            for (const Field &field : quote.fields) {
                auto name = storedNames.find(field.name);
                if (name == storedNames.end())
                    name = storedNames.insert(field.name, rowValue(field.name));
                const QString value = rowValue(field.value);
                insert.bindText(2, *name);
                insert.bindText(3, value);
                if (!insert.execute())
                    return failed(insert);
            }
        }
        // Symbols no list follows any more are not asked for; their rows go with the first
        // snapshot that brought anything.
        return removeUnfollowed(handle, replaced, failed);
    });
}

} // namespace QuoteSnapshot
