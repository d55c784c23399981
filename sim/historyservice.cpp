#include "historyservice.h"

#include "companies.h"
#include "pricewalk.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {

// Path pattern with the symbol still percent-encoded, so a "/" inside a symbol stays in it.
const QRegularExpression PathPattern(
    QStringLiteral("^/instrument/1\\.0/([^/]+)/chartdata;type=quote;range=([^/]*)/csv/?$"));

struct MinMax
{
    double min = 0;
    double max = 0;
    bool any = false;
    void add(double value)
    {
        min = any ? std::min(min, value) : value;
        max = any ? std::max(max, value) : value;
        any = true;
    }
};

QString price(double value)
{
    return QString::number(value, 'f', 4);
}

} // namespace

bool HistoryService::handles(const SimRequest &request) const
{
    return request.url.path(QUrl::FullyEncoded).startsWith(QLatin1String("/instrument/1.0/"));
}

QHttpServerResponse HistoryService::respond(const SimRequest &request)
{
    const QRegularExpressionMatch match = PathPattern.match(request.url.path(QUrl::FullyEncoded));
    if (!match.hasMatch())
        return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
    const QString symbol = QUrl::fromPercentEncoding(match.captured(1).toUtf8());
    const QByteArray body = replyBody(symbol, match.captured(2), request.now.toSecsSinceEpoch());
    if (body.isEmpty())
        return textResponse("text/plain", "errorid:invalid range\n",
                            QHttpServerResponse::StatusCode::BadRequest);
    return textResponse("text/plain", body);
}

QByteArray HistoryService::replyBody(const QString &symbol, const QString &range, qint64 now)
{
    const PriceWalk walk(symbol);
    const QDate session = PriceWalk::currentSession(now);
    QList<PriceWalk::Bar> bars;
    bool intraday = false;
    if (range == QLatin1String("1d") || range == QLatin1String("5d")) {
        intraday = true;
        QList<QDate> days{session};
        const int count = range == QLatin1String("1d") ? 1 : 5;
        while (days.size() < count)
            days.prepend(PriceWalk::previousTradingDay(days.first()));
        for (const QDate &day : days)
            bars += walk.intradayBars(day, count == 1 ? 300 : 900, now);
    } else {
        static const QHash<QString, int> months{
            {QStringLiteral("3m"), 3},  {QStringLiteral("6m"), 6},  {QStringLiteral("12m"), 12},
            {QStringLiteral("1y"), 12}, {QStringLiteral("2y"), 24}, {QStringLiteral("5y"), 60}};
        QDate from;
        if (range == QLatin1String("my"))
            from = QDate(2000, 1, 3);
        else if (months.contains(range))
            from = session.addMonths(-months.value(range));
        else
            return {};
        bars = walk.dailyBars(from, session, now);
    }

    const Company *company = findCompany(symbol);
    MinMax close, high, low, open, volume, stamp;
    for (const PriceWalk::Bar &bar : bars) {
        close.add(bar.close);
        high.add(bar.high);
        low.add(bar.low);
        open.add(bar.open);
        volume.add(double(bar.volume));
        stamp.add(double(bar.stamp));
    }
    QStringList lines;
    lines << QStringLiteral("uri:/instrument/1.0/%1/chartdata;type=quote;range=%2/csv/")
                 .arg(symbol, range)
          << QStringLiteral("ticker:") + symbol.toLower()
          << QStringLiteral("Company-Name:") + (company ? company->name : symbol)
          << QStringLiteral("Exchange-Name:") +
                 (company ? company->exchange : QStringLiteral("N/A"));
    if (intraday) {
        lines << QStringLiteral("unit:MIN") << QStringLiteral("timezone:EST")
              << QStringLiteral("gmtoffset:%1").arg(PriceWalk::UtcOffsetSeconds);
    } else {
        lines << QStringLiteral("unit:DAY");
    }
    lines << QStringLiteral("previous_close:") + price(walk.priceAt(PriceWalk::sessionClose(
                                                     PriceWalk::previousTradingDay(session))));
    lines << QStringLiteral("%1:%2,%3")
                 .arg(intraday ? QStringLiteral("Timestamp") : QStringLiteral("Date"))
                 .arg(qint64(stamp.min))
                 .arg(qint64(stamp.max));
    lines << (intraday ? QStringLiteral("values:Timestamp,close,high,low,open,volume")
                       : QStringLiteral("values:Date,close,high,low,open,volume"));
    lines << QStringLiteral("close:%1,%2").arg(price(close.min), price(close.max))
          << QStringLiteral("high:%1,%2").arg(price(high.min), price(high.max))
          << QStringLiteral("low:%1,%2").arg(price(low.min), price(low.max))
          << QStringLiteral("open:%1,%2").arg(price(open.min), price(open.max))
          << QStringLiteral("volume:%1,%2").arg(qint64(volume.min)).arg(qint64(volume.max));
    QByteArray body = lines.join(QLatin1Char('\n')).toUtf8() + '\n';
    body.reserve(body.size() + bars.size() * 56);
    for (const PriceWalk::Bar &bar : bars) {
        body += QByteArray::number(bar.stamp) + ',' + QByteArray::number(bar.close, 'f', 4) + ',' +
                QByteArray::number(bar.high, 'f', 4) + ',' + QByteArray::number(bar.low, 'f', 4) +
                ',' + QByteArray::number(bar.open, 'f', 4) + ',' + QByteArray::number(bar.volume) +
                '\n';
    }
    return body;
}
