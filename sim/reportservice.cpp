#include "reportservice.h"

#include "newsgenerator.h"

bool ReportService::handles(const SimRequest &request) const
{
    const bool feed = (request.path == QLatin1String("/") || request.path.isEmpty()) &&
                      request.query.queryItemValue(QStringLiteral("feed")) == QLatin1String("rss2");
    return feed || request.path.startsWith(QLatin1String("/reports/"));
}

QHttpServerResponse ReportService::respond(const SimRequest &request)
{
    const QList<NewsGenerator::GeneratedItem> reports =
        NewsGenerator::marketReports(request.baseUrl, request.now);
    if (request.path.startsWith(QLatin1String("/reports/"))) {
        for (const NewsGenerator::GeneratedItem &report : reports) {
            if (report.link.endsWith(request.path))
                return textResponse(
                    "text/html; charset=utf-8",
                    ("<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>" +
                     report.content + "</body></html>")
                        .toUtf8());
        }
        return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
    }
    NewsGenerator::Channel channel;
    channel.title = QStringLiteral("Corvane");
    channel.link = request.baseUrl;
    channel.description = QStringLiteral("Market commentary from the Corvane desk");
    channel.withContentNamespace = true;
    channel.items = reports;
    return textResponse("application/rss+xml; charset=UTF-8", NewsGenerator::rssDocument(channel));
}
