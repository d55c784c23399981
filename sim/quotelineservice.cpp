#include "quotelineservice.h"

#include "companies.h"
#include "pricewalk.h"

namespace {

QByteArray quoted(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return '"' + escaped.toUtf8() + '"';
}

} // namespace

bool QuoteLineService::handles(const SimRequest &request) const
{
    return request.path == QLatin1String("/d/quotes.csv");
}

QHttpServerResponse QuoteLineService::respond(const SimRequest &request)
{
    const QString symbol = request.query.queryItemValue(QStringLiteral("s"), QUrl::FullyDecoded);
    return textResponse("application/octet-stream",
                        replyLine(symbol, request.now.toSecsSinceEpoch()));
}

QByteArray QuoteLineService::replyLine(const QString &symbol, qint64 now)
{
    const Company *company = findCompany(symbol);
    if (!company)
        return quoted(symbol) + ",\"N/A\",0.00," + quoted(symbol) + "\r\n";
    const double last = PriceWalk(company->symbol).priceAt(now);
    const QString exchange =
        company->exchange.isEmpty() ? QStringLiteral("N/A") : company->exchange;
    return quoted(company->symbol) + ',' + quoted(exchange) + ',' +
           QByteArray::number(last, 'f', 2) + ',' + quoted(company->name) + "\r\n";
}
