#include "quoteservice.h"

#include "companies.h"
#include "pricewalk.h"
#include "quotefields.h"

#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>

namespace {

QString number(double value, int decimals = 2)
{
    return QString::number(value, 'f', decimals);
}

QString signedNumber(double value, int decimals = 2)
{
    return (value >= 0 ? QStringLiteral("+") : QString()) + number(value, decimals);
}

QString percent(double value)
{
    return signedNumber(value) + QLatin1Char('%');
}

// 583200000000 -> "583.2B"
QString abbreviated(double value)
{
    if (value >= 1e12)
        return number(value / 1e12) + QLatin1Char('T');
    if (value >= 1e9)
        return number(value / 1e9) + QLatin1Char('B');
    if (value >= 1e6)
        return number(value / 1e6) + QLatin1Char('M');
    return number(value / 1e3) + QLatin1Char('K');
}

QString tradeTime(qint64 stamp)
{
    const QDateTime local =
        QDateTime::fromSecsSinceEpoch(stamp + PriceWalk::UtcOffsetSeconds, Qt::UTC);
    return local.toString(QStringLiteral("h:mmap")).toLower();
}

QString stockExchange(const Company &company)
{
    if (company.exchange == QLatin1String("NMS"))
        return QStringLiteral("NasdaqNM");
    if (company.exchange == QLatin1String("NYQ"))
        return QStringLiteral("NYSE");
    if (company.exchange == QLatin1String("PCX"))
        return QStringLiteral("NYSEArca");
    if (company.exchange.isEmpty())
        return company.type == QLatin1String("I") ? QStringLiteral("SNP")
                                                  : QStringLiteral("NasdaqNM");
    return company.exchangeDisplay;
}

} // namespace

bool QuoteService::handles(const SimRequest &request) const
{
    return request.path == QLatin1String("/v1/public/yql");
}

QHttpServerResponse QuoteService::respond(const SimRequest &request)
{
    const QString statement = request.query.queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded);
    if (!statement.contains(QLatin1String("yahoo.finance.quotes"), Qt::CaseInsensitive))
        return textResponse("text/plain", "unknown table",
                            QHttpServerResponse::StatusCode::BadRequest);
    return textResponse("text/xml; charset=UTF-8",
                        replyDocument(symbolsOfStatement(statement), request.now));
}

QStringList QuoteService::symbolsOfStatement(const QString &statement)
{
    static const QRegularExpression list(QStringLiteral("in\\s*\\((.*)\\)\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = list.match(statement);
    QStringList symbols;
    if (!match.hasMatch())
        return symbols;
    for (QString item : match.captured(1).split(QLatin1Char(','))) {
        item = item.trimmed();
        if (item.startsWith(QLatin1Char('"')) || item.startsWith(QLatin1Char('\'')))
            item = item.mid(1);
        if (item.endsWith(QLatin1Char('"')) || item.endsWith(QLatin1Char('\'')))
            item.chop(1);
        if (!item.isEmpty())
            symbols << item;
    }
    return symbols;
}

QList<QPair<QString, QString>> QuoteService::quoteValues(const QString &symbol, qint64 now)
{
    QList<QPair<QString, QString>> values;
    const Company *company = findCompany(symbol);
    if (!company) {
        for (const QuoteField &field : quoteFields())
            values.append({field.code, field.code == QLatin1String("Symbol") ? symbol : QString()});
        return values;
    }

    const PriceWalk walk(company->symbol);
    const QDate session = PriceWalk::currentSession(now);
    const qint64 open = PriceWalk::sessionOpen(session);
    const double last = walk.priceAt(now);
    const double dayOpen = walk.priceAt(open);
    const double previousClose =
        walk.priceAt(PriceWalk::sessionClose(PriceWalk::previousTradingDay(session)));
    const double change = last - previousClose;
    const double changePercent = previousClose > 0 ? change / previousClose * 100 : 0;
    double dayHigh = std::max(last, dayOpen);
    double dayLow = std::min(last, dayOpen);
    const qint64 step = std::max<qint64>(600, (now - open) / 400);
    for (qint64 t = open + step; t < now; t += step) {
        const double p = walk.priceAt(t);
        dayHigh = std::max(dayHigh, p);
        dayLow = std::min(dayLow, p);
    }
    const PriceWalk::Bar today = walk.dailyBar(session, now);

    // A year of closes for the ranges and averages.
    QList<double> closes;
    for (QDate day = session.addDays(-365); day < session; day = day.addDays(1)) {
        if (PriceWalk::isTradingDay(day))
            closes.append(walk.priceAt(PriceWalk::sessionClose(day)));
    }
    closes.append(last);
    const double yearHigh = *std::max_element(closes.cbegin(), closes.cend());
    const double yearLow = *std::min_element(closes.cbegin(), closes.cend());
    auto average = [&closes](int days) {
        const int count = int(std::min<qsizetype>(days, closes.size()));
        double sum = 0;
        for (int i = int(closes.size()) - count; i < closes.size(); ++i)
            sum += closes.at(i);
        return sum / count;
    };
    const double ma50 = average(50);
    const double ma200 = average(200);

    const bool equity = company->type == QLatin1String("S");
    const double pe = 8 + walk.trait(3) * 32;
    const double eps = last / pe;
    const double yield = walk.trait(4) < 0.3 ? 0.0 : walk.trait(5) * 4.5;
    const double dividend = last * yield / 100;
    const double shares = std::pow(10.0, 8.3 + 1.7 * walk.trait(6));
    const double marketCap = shares * last;
    const double bookValue = last / (1.2 + walk.trait(7) * 8);
    const double spread = std::max(0.01, std::round(last * 0.0004 * 100) / 100);
    const QString lastTime = tradeTime(std::min(now, PriceWalk::sessionClose(session)));
    const QString tradeDate =
        QStringLiteral("%1/%2/%3").arg(session.month()).arg(session.day()).arg(session.year());
    const QString withTime = QStringLiteral("%1 - <b>%2</b>").arg(lastTime, number(last));
    auto equityOnly = [equity](const QString &value) { return equity ? value : QString(); };

    const QHash<QString, QString> byCode{
        {QStringLiteral("Ask"), number(last + spread)},
        {QStringLiteral("AverageDailyVolume"), QString::number(walk.averageVolume())},
        {QStringLiteral("Bid"), number(last - spread)},
        {QStringLiteral("BookValue"), equityOnly(number(bookValue))},
        {QStringLiteral("Change_PercentChange"),
         signedNumber(change) + QStringLiteral(" - ") + percent(changePercent)},
        {QStringLiteral("Change"), signedNumber(change)},
        {QStringLiteral("Currency"), QStringLiteral("USD")},
        {QStringLiteral("ChangeRealtime"), signedNumber(change)},
        {QStringLiteral("AfterHoursChangeRealtime"), QStringLiteral("N/A - N/A")},
        {QStringLiteral("DividendShare"), equityOnly(number(dividend))},
        {QStringLiteral("LastTradeDate"), tradeDate},
        {QStringLiteral("EarningsShare"), equityOnly(number(eps))},
        {QStringLiteral("EPSEstimateCurrentYear"), equityOnly(number(eps * 1.06))},
        {QStringLiteral("EPSEstimateNextYear"), equityOnly(number(eps * 1.15))},
        {QStringLiteral("EPSEstimateNextQuarter"), equityOnly(number(eps * 0.27))},
        {QStringLiteral("DaysLow"), number(dayLow)},
        {QStringLiteral("DaysHigh"), number(dayHigh)},
        {QStringLiteral("YearLow"), number(yearLow)},
        {QStringLiteral("YearHigh"), number(yearHigh)},
        {QStringLiteral("MoreInfo"), QStringLiteral("cnsprmiIed")},
        {QStringLiteral("MarketCapitalization"), equityOnly(abbreviated(marketCap))},
        {QStringLiteral("EBITDA"), equityOnly(abbreviated(marketCap / (6 + 10 * walk.trait(8))))},
        {QStringLiteral("ChangeFromYearLow"), signedNumber(last - yearLow)},
        {QStringLiteral("PercentChangeFromYearLow"), percent((last - yearLow) / yearLow * 100)},
        {QStringLiteral("LastTradeRealtimeWithTime"), withTime},
        {QStringLiteral("ChangePercentRealtime"),
         QStringLiteral("N/A - ") + percent(changePercent)},
        {QStringLiteral("ChangeFromYearHigh"), signedNumber(last - yearHigh)},
        {QStringLiteral("PercebtChangeFromYearHigh"), percent((last - yearHigh) / yearHigh * 100)},
        {QStringLiteral("LastTradeWithTime"), withTime},
        {QStringLiteral("LastTradePriceOnly"), number(last)},
        {QStringLiteral("DaysRange"), number(dayLow) + QStringLiteral(" - ") + number(dayHigh)},
        {QStringLiteral("DaysRangeRealtime"), QStringLiteral("N/A - N/A")},
        {QStringLiteral("FiftydayMovingAverage"), number(ma50)},
        {QStringLiteral("TwoHundreddayMovingAverage"), number(ma200)},
        {QStringLiteral("ChangeFromTwoHundreddayMovingAverage"), signedNumber(last - ma200)},
        {QStringLiteral("PercentChangeFromTwoHundreddayMovingAverage"),
         percent((last - ma200) / ma200 * 100)},
        {QStringLiteral("ChangeFromFiftydayMovingAverage"), signedNumber(last - ma50)},
        {QStringLiteral("PercentChangeFromFiftydayMovingAverage"),
         percent((last - ma50) / ma50 * 100)},
        {QStringLiteral("Name"), company->name},
        {QStringLiteral("Open"), number(dayOpen)},
        {QStringLiteral("PreviousClose"), number(previousClose)},
        {QStringLiteral("ChangeinPercent"), percent(changePercent)},
        {QStringLiteral("PriceSales"), equityOnly(number(1 + walk.trait(9) * 9))},
        {QStringLiteral("PriceBook"), equityOnly(number(last / bookValue))},
        {QStringLiteral("ExDividendDate"),
         yield > 0 ? session.addDays(-20).toString(QStringLiteral("MMM d")) : QString()},
        {QStringLiteral("PERatio"), equityOnly(number(pe))},
        {QStringLiteral("DividendPayDate"),
         yield > 0 ? session.addDays(-5).toString(QStringLiteral("MMM d")) : QString()},
        {QStringLiteral("PEGRatio"), equityOnly(number(0.5 + walk.trait(10) * 2.5))},
        {QStringLiteral("PriceEPSEstimateCurrentYear"), equityOnly(number(pe / 1.06))},
        {QStringLiteral("PriceEPSEstimateNextYear"), equityOnly(number(pe / 1.15))},
        {QStringLiteral("Symbol"), company->symbol},
        {QStringLiteral("ShortRatio"), equityOnly(number(0.5 + walk.trait(11) * 5))},
        {QStringLiteral("LastTradeTime"), lastTime},
        {QStringLiteral("TickerTrend"),
         QStringLiteral("&nbsp;") +
             (change >= 0 ? QStringLiteral("+=+==+") : QStringLiteral("-=--=-")) +
             QStringLiteral("&nbsp;")},
        {QStringLiteral("OneyrTargetPrice"),
         equityOnly(number(last * (0.95 + walk.trait(12) * 0.35)))},
        {QStringLiteral("Volume"), QString::number(today.volume)},
        {QStringLiteral("YearRange"), number(yearLow) + QStringLiteral(" - ") + number(yearHigh)},
        {QStringLiteral("StockExchange"), stockExchange(*company)},
        {QStringLiteral("DividendYield"), yield > 0 ? number(yield) : QString()},
        {QStringLiteral("PercentChange"), percent(changePercent)},
    };
    for (const QuoteField &field : quoteFields())
        values.append({field.code, byCode.value(field.code)});
    return values;
}

QByteArray QuoteService::replyDocument(const QStringList &symbols, const QDateTime &now)
{
    QByteArray body;
    QXmlStreamWriter xml(&body);
    xml.writeStartDocument();
    xml.writeNamespace(QStringLiteral("http://www.yahooapis.com/v1/base.rng"),
                       QStringLiteral("yahoo"));
    xml.writeStartElement(QStringLiteral("query"));
    xml.writeAttribute(QStringLiteral("http://www.yahooapis.com/v1/base.rng"),
                       QStringLiteral("count"), QString::number(symbols.size()));
    xml.writeAttribute(QStringLiteral("http://www.yahooapis.com/v1/base.rng"),
                       QStringLiteral("created"), now.toUTC().toString(Qt::ISODate));
    xml.writeAttribute(QStringLiteral("http://www.yahooapis.com/v1/base.rng"),
                       QStringLiteral("lang"), QStringLiteral("en-US"));
    xml.writeStartElement(QStringLiteral("results"));
    for (const QString &symbol : symbols) {
        xml.writeStartElement(QStringLiteral("quote"));
        xml.writeAttribute(QStringLiteral("symbol"), symbol);
        for (const auto &[code, value] : quoteValues(symbol, now.toSecsSinceEpoch())) {
            if (value.isEmpty())
                xml.writeEmptyElement(code);
            else
                xml.writeTextElement(code, value);
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return body;
}
