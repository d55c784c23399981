#include "support/marketdatafixture.h"
#include "common/requests.h"

#include "store/sqlquoting.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamWriter>

MarketDataFixture::MarketDataFixture() : previousMain(GDatabaseClass::mainInstance()) {}

MarketDataFixture::~MarketDataFixture()
{
    GDatabaseClass::setMainInstance(previousMain);
}

bool MarketDataFixture::open()
{
    const bool opened = base.open();
    GDatabaseClass::setMainInstance(&base.store());
    return opened;
}

void MarketDataFixture::addSymbol(const QString &symbol, const QString &name,
                                  const QString &exchange)
{
    store().ExecSQL(
        QStringLiteral("INSERT INTO symbols (symbol, companyName, exchange) VALUES(%1,%2,%3)")
            .arg(sqlQuoted(symbol), sqlQuoted(name), sqlQuoted(exchange)));
}

void MarketDataFixture::addField(const QString &code, const QString &label, const QString &align,
                                 int pos)
{
    store().ExecSQL(
        QStringLiteral("INSERT INTO fields (code, name, align, pos) VALUES(%1,%2,%3,%4)")
            .arg(sqlQuoted(code), sqlQuoted(label), sqlQuoted(align))
            .arg(pos));
}

void MarketDataFixture::addSnapshotValue(const QString &symbol, const QString &name,
                                         const QString &value)
{
    store().ExecSQL(QStringLiteral("INSERT INTO fData (symbol, name, value) VALUES(%1,%2,%3)")
                        .arg(sqlQuoted(symbol), sqlQuoted(name), sqlQuoted(value)));
}

QByteArray MarketDataFixture::quoteReply(const QList<QPair<QString, Fields>> &quotes)
{
    QByteArray body;
    QXmlStreamWriter xml(&body);
    xml.writeStartDocument();
    xml.writeNamespace(QStringLiteral("http://www.yahooapis.com/v1/base.rng"),
                       QStringLiteral("yahoo"));
    xml.writeStartElement(QStringLiteral("query"));
    xml.writeAttribute(QStringLiteral("http://www.yahooapis.com/v1/base.rng"),
                       QStringLiteral("count"), QString::number(quotes.size()));
    xml.writeStartElement(QStringLiteral("results"));
    for (const auto &[symbol, fields] : quotes) {
        xml.writeStartElement(QStringLiteral("quote"));
        xml.writeAttribute(QStringLiteral("symbol"), symbol);
        for (const auto &[name, text] : fields) {
            if (text.isEmpty())
                xml.writeEmptyElement(name);
            else
                xml.writeTextElement(name, text);
        }
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return body;
}

QByteArray MarketDataFixture::largeQuoteReply(int symbols, int fieldCount)
{
    QList<QPair<QString, Fields>> quotes;
    for (int s = 0; s < symbols; ++s) {
        Fields fields;
        for (int f = 0; f < fieldCount; ++f)
            fields.append({QStringLiteral("Field%1").arg(f),
                           f % 7 == 0 ? QString() : QStringLiteral("%1.%2").arg(s).arg(f)});
        quotes.append({QStringLiteral("SYM%1").arg(s), fields});
    }
    return quoteReply(quotes);
}

QByteArray MarketDataFixture::historyReply(const QString &symbol, const QStringList &dataLines,
                                           bool withValuesLine)
{
    QStringList lines{
        QStringLiteral("uri:/instrument/1.0/%1/chartdata;type=quote;range=12m/csv/").arg(symbol),
        QStringLiteral("ticker:") + symbol.toLower(), QStringLiteral("Company-Name:Test, Inc."),
        QStringLiteral("Exchange-Name:NMS"), QStringLiteral("unit:DAY")};
    if (withValuesLine)
        lines << QStringLiteral("values:Date,close,high,low,open,volume");
    lines << QStringLiteral("close:1,2") << QStringLiteral("high:1,2") << QStringLiteral("low:1,2")
          << QStringLiteral("open:1,2") << QStringLiteral("volume:1,2");
    lines += dataLines;
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toLatin1();
}

QByteArray MarketDataFixture::largeHistoryReply(const QString &symbol, int count)
{
    QStringList lines;
    lines.reserve(count);
    QDate day(2000, 1, 3);
    for (int i = 0; i < count; ++i, day = day.addDays(1)) {
        const double close = 50 + (i % 200) * 0.25;
        lines << QStringLiteral("%1,%2,%3,%4,%5,%6")
                     .arg(day.toString(QStringLiteral("yyyyMMdd")))
                     .arg(close, 0, 'f', 4)
                     .arg(close + 1.5, 0, 'f', 4)
                     .arg(close - 1.25, 0, 'f', 4)
                     .arg(close - 0.5, 0, 'f', 4)
                     .arg(1000000 + i);
    }
    return historyReply(symbol, lines);
}

QByteArray MarketDataFixture::suggestReply(const QString &query, const QList<Suggestion> &results)
{
    QJsonArray items;
    for (const Suggestion &result : results) {
        items.append(QJsonObject{{QStringLiteral("symbol"), result.symbol},
                                 {QStringLiteral("name"), result.name},
                                 {QStringLiteral("exch"), result.exchange},
                                 {QStringLiteral("type"), QStringLiteral("S")},
                                 {QStringLiteral("exchDisp"), result.exchange},
                                 {QStringLiteral("typeDisp"), result.typeDisplay}});
    }
    const QJsonObject root{
        {QStringLiteral("ResultSet"),
         QJsonObject{{QStringLiteral("Query"), query}, {QStringLiteral("Result"), items}}}};
    return "YAHOO.Finance.SymbolSuggest.ssCallback(" +
           QJsonDocument(root).toJson(QJsonDocument::Compact) + ")";
}

ServiceUrlOverride::ServiceUrlOverride(const QString &url)
    : previous(qgetenv("CORVANE_SERVICE_URL"))
{
    qputenv("CORVANE_SERVICE_URL", url.toUtf8());
}

ServiceUrlOverride::~ServiceUrlOverride()
{
    qputenv("CORVANE_SERVICE_URL", previous);
}

BlockingWaitOverride::BlockingWaitOverride(int milliseconds) : previous(Requests::blockingWaitMs())
{
    Requests::setBlockingWaitMs(milliseconds);
}

BlockingWaitOverride::~BlockingWaitOverride()
{
    Requests::setBlockingWaitMs(previous);
}
