#include "marketdata/symbollookup.h"

#include "common/requests.h"
#include "common/serviceaddresses.h"
#include "store/gdatabaseclass.h"
#include "store/sqlquoting.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace SymbolLookup {

namespace {

const QString SuggestPath = QStringLiteral("/autoc.finance.yahoo.com/autoc");
const QString Callback = QStringLiteral("YAHOO.Finance.SymbolSuggest.ssCallback");

QString encoded(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

// Why a suggested symbol cannot be used, or an empty text. A zero byte would end the statement
// that stores it, a control character cannot be typed or shown, and a "|" would be dropped from
// the stored key, which would then name another symbol.
QString refusedSymbolReason(const QString &symbol)
{
    if (symbol.contains(QChar(0)))
        return QStringLiteral("it contains a NUL character");
    for (const QChar c : symbol) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("it contains a control character");
    }
    if (symbol.contains(QLatin1Char('|')))
        return QStringLiteral("it contains \"|\"");
    return {};
}

} // namespace

QUrl suggestUrl(const QString &text)
{
    return ServiceAddresses::url(ServiceAddresses::Service::Suggest,
                                 SuggestPath + QStringLiteral("?query=") + encoded(text) +
                                     QStringLiteral("&callback=") + Callback);
}

std::optional<QList<Match>> parseSuggestReply(const QByteArray &body)
{
    // One character per byte up to the first zero byte; back to the same bytes for the JSON
    // parser, which reads them as UTF-8.
    const QString text = Requests::latin1Text(body);
    const qsizetype open = text.indexOf(QLatin1Char('('));
    const qsizetype close = text.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close <= open)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(text.mid(open + 1, close - open - 1).toLatin1(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonValue result = document.object()
                                  .value(QLatin1String("ResultSet"))
                                  .toObject()
                                  .value(QLatin1String("Result"));
    if (!result.isArray())
        return std::nullopt;
    QList<Match> matches;
    for (const QJsonValue &value : result.toArray()) {
        const QJsonObject item = value.toObject();
        const auto text = [&item](const char *key) {
            return item.value(QLatin1String(key)).toString().trimmed();
        };
        QString exchange = text("exch");
        if (exchange.isEmpty())
            exchange = text("typeDisp");
        if (const QString reason = refusedSymbolReason(text("symbol")); !reason.isEmpty()) {
            qDebug().noquote() << "SymbolLookup: suggested symbol refused:" << reason;
            continue;
        }
        matches.append(Match{text("symbol"), text("name"), exchange});
    }
    return matches;
}

QUrl quoteLineUrl(const QString &symbol)
{
    return ServiceAddresses::url(ServiceAddresses::Service::QuoteLine,
                                 QStringLiteral("/d/quotes.csv?f=sx0l1n0&e=.csv&s=") +
                                     encoded(symbol));
}

QStringList splitQuoteLine(const QByteArray &body)
{
    const QString text = Requests::latin1Text(body);
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (quoted) {
            if (c != QLatin1Char('"'))
                field += c;
            else if (at + 1 < text.size() && text.at(at + 1) == QLatin1Char('"'))
                field += text.at(++at); // "" inside quotes
            else
                quoted = false;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            break; // one line per symbol: the first is ours
        } else {
            field += c;
        }
    }
    if (!fields.isEmpty() || !field.isEmpty())
        fields << field;
    return fields;
}

QString completionText(const Match &match)
{
    return QStringLiteral("%1 (%2)").arg(match.symbol, match.name);
}

std::optional<Match> matchFor(const QList<Match> &matches, const QString &symbol)
{
    for (const Match &match : matches) {
        if (match.symbol.compare(symbol, Qt::CaseInsensitive) == 0)
            return match;
    }
    return std::nullopt;
}

AddResult addSymbol(GDatabaseClass &store, const Match &match)
{
    const QString symbol = sqlQuotedRowValue(match.symbol);
    if (!store.GetSQLRecords(QStringLiteral("SELECT symbol FROM symbols WHERE symbol=") + symbol)
             .isEmpty()) {
        qDebug() << "Duplicate symbol.";
        return AddResult::Duplicate;
    }
    store.ExecSQL(
        QStringLiteral("INSERT INTO symbols (symbol, companyName, exchange) VALUES(%1,%2,%3)")
            .arg(symbol, sqlQuotedRowValue(match.name), sqlQuotedRowValue(match.exchange)));
    emit store.symbolListChanged();
    return AddResult::Added;
}

void deleteSymbol(GDatabaseClass &store, const QString &symbol)
{
    qDebug().noquote() << "Deleting: " + symbol;
    store.ExecSQL(QStringLiteral("DELETE FROM newsitems WHERE symbol=") + sqlQuoted(symbol));
    store.ExecSQL(QStringLiteral("DELETE FROM symbols WHERE symbol=") + sqlQuoted(symbol));
    emit store.symbolListChanged();
}

QList<StoredSymbol> storedSymbols(GDatabaseClass &store)
{
    QList<StoredSymbol> symbols;
    for (const QString &row : store.GetSQLRecords(
             QStringLiteral("SELECT symbol, exchange,companyName FROM symbols ORDER BY symbol"))) {
        const QStringList parts = row.split(QLatin1Char('|'));
        symbols.append(StoredSymbol{parts.value(0), parts.value(2), parts.value(1)});
    }
    return symbols;
}

} // namespace SymbolLookup
