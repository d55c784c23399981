#include "reportservice.h"

#include "newsgenerator.h"

#include <QTimeZone>

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
    NewsGenerator::GeneratedItem note;
    // A report carrying script, as a hostile or careless feed might: the reader must show the
    // note and never run the script.
    note.published = QDateTime(request.now.date().addDays(-2), QTime(12, 0), QTimeZone::utc());
    note.zone = QStringLiteral("+0000");
    note.title = QStringLiteral("Desk Note: About Scripts In Reports");
    note.description = QStringLiteral("Reports are shown as text.");
    note.link = request.baseUrl + QStringLiteral("/reports/desk-note.html");
    note.guid = note.link;
    note.content = QStringLiteral(
        "<h2>Desk Note</h2><p id=\"note\">Reports are shown as text: scripts in them do not "
        "run.</p><script>document.getElementById('note').textContent='SCRIPT RAN';"
        "document.title='SCRIPT RAN';</script>"
        "<img src=\"x\" onerror=\"document.title='SCRIPT RAN'\" alt=\"\">");
    note.categories = {QStringLiteral("MarketReports")};

    channel.title = QStringLiteral("Corvane");
    channel.link = request.baseUrl;
    channel.description = QStringLiteral("Market commentary from the Corvane desk");
    channel.withContentNamespace = true;
    channel.items = reports;
    channel.items << note;
    return textResponse("application/rss+xml; charset=UTF-8", NewsGenerator::rssDocument(channel));
}
