#include "newsservice.h"

#include "newsgenerator.h"

#include <QRegularExpression>

namespace {

QHttpServerResponse redirectTo(const QString &address)
{
    QHttpServerResponse response(QHttpServerResponse::StatusCode::Found);
    response.setHeader("Location", address.toUtf8());
    return response;
}

QHttpServerResponse articleResponse(const SimRequest &request)
{
    // /articles/<source>/<SYMBOL>-<n>.html or /articles/feeds/<feed>-<n>.html
    static const QRegularExpression pattern(
        QStringLiteral("^/articles/([^/]+)/(.+)-(\\d+)\\.html$"));
    const QRegularExpressionMatch match = pattern.match(request.path);
    if (!match.hasMatch())
        return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
    const QString group = match.captured(1);
    const qint64 sequence = match.captured(3).toLongLong();
    const NewsGenerator::GeneratedItem item =
        group == QLatin1String("feeds")
            ? NewsGenerator::generalNewsItem(request.baseUrl, match.captured(2), sequence)
            : NewsGenerator::symbolNewsItem(request.baseUrl, group, match.captured(2), sequence);
    return textResponse("text/html; charset=utf-8", NewsGenerator::articlePage(item, group));
}

} // namespace

bool NewsService::handles(const SimRequest &request) const
{
    return request.path.startsWith(QLatin1String("/news/")) ||
           request.path.startsWith(QLatin1String("/articles/")) ||
           request.path.startsWith(QLatin1String("/rd/")) ||
           request.path == QLatin1String("/click");
}

QHttpServerResponse NewsService::respond(const SimRequest &request)
{
    if (request.path.startsWith(QLatin1String("/articles/")))
        return articleResponse(request);
    if (request.path == QLatin1String("/click"))
        return redirectTo(request.query.queryItemValue(QStringLiteral("url"), QUrl::FullyDecoded));
    if (request.path.startsWith(QLatin1String("/rd/"))) {
        const QString whole = request.url.toString();
        const qsizetype star = whole.indexOf(QLatin1Char('*'));
        if (star < 0)
            return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
        return redirectTo(QUrl::fromPercentEncoding(whole.mid(star + 1).toUtf8()));
    }

    const QString source = request.path.mid(QStringLiteral("/news/").size());
    const QString symbol =
        request.query.queryItemValue(QStringLiteral("s"), QUrl::FullyDecoded).trimmed();
    if (source.isEmpty() || source.contains(QLatin1Char('/')))
        return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);

    NewsGenerator::Channel channel;
    channel.title = symbol.isEmpty() ? QStringLiteral("News: %1").arg(source)
                                     : QStringLiteral("%1 news for %2").arg(source, symbol);
    channel.link = request.baseUrl + QStringLiteral("/news/") + source;
    channel.description = QStringLiteral("Simulated %1 headlines, newest first").arg(source);
    if (!symbol.isEmpty())
        channel.items =
            NewsGenerator::symbolNews(request.baseUrl, source, symbol.toUpper(), request.now);
    return textResponse("application/rss+xml; charset=UTF-8", NewsGenerator::rssDocument(channel));
}
