#include "suggestservice.h"

#include "companies.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

bool SuggestService::handles(const SimRequest &request) const
{
    return request.path.endsWith(QLatin1String("/autoc"));
}

QHttpServerResponse SuggestService::respond(const SimRequest &request)
{
    QString callback = request.query.queryItemValue(QStringLiteral("callback"), QUrl::FullyDecoded);
    if (callback.isEmpty())
        callback = QStringLiteral("YAHOO.Finance.SymbolSuggest.ssCallback");
    return textResponse(
        "application/javascript; charset=utf-8",
        replyBody(request.query.queryItemValue(QStringLiteral("query"), QUrl::FullyDecoded),
                  callback));
}

QByteArray SuggestService::replyBody(const QString &query, const QString &callback)
{
    QJsonArray results;
    for (const Company &company : searchCompanies(query)) {
        results.append(QJsonObject{{QStringLiteral("symbol"), company.symbol},
                                   {QStringLiteral("name"), company.name},
                                   {QStringLiteral("exch"), company.exchange},
                                   {QStringLiteral("type"), company.type},
                                   {QStringLiteral("exchDisp"), company.exchangeDisplay},
                                   {QStringLiteral("typeDisp"), company.typeDisplay}});
    }
    const QJsonObject resultSet{{QStringLiteral("Query"), query},
                                {QStringLiteral("Result"), results}};
    const QJsonObject root{{QStringLiteral("ResultSet"), resultSet}};
    return callback.toUtf8() + '(' + QJsonDocument(root).toJson(QJsonDocument::Compact) + ')';
}
