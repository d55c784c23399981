#include "feedservice.h"

#include "newsgenerator.h"

namespace {

struct KnownFeed
{
    const char *name;
    const char *title;
    const char *description;
};

const KnownFeed knownFeeds[] = {
    {"markets", "Markets Today", "Stocks, bonds and currencies through the day"},
    {"economy", "Economy Watch", "Indicators, central banks and policy"},
    {"technology", "Technology Business", "The business of technology"},
    {"world", "World Business Report", "Companies and markets around the world"},
    {"asia", "Asia Pacific Markets", "Tokyo, Hong Kong, Singapore, Mumbai and Sydney"},
};

} // namespace

bool FeedService::handles(const SimRequest &request) const
{
    return request.path.startsWith(QLatin1String("/feeds/"));
}

QHttpServerResponse FeedService::respond(const SimRequest &request)
{
    const QString file = request.path.mid(QStringLiteral("/feeds/").size());
    if (file == QLatin1String("moved.xml")) {
        // Relative, as many servers send it.
        QHttpServerResponse response(QHttpServerResponse::StatusCode::MovedPermanently);
        response.setHeader("Location", "/feeds/world.xml");
        return response;
    }
    if (file == QLatin1String("notafeed.html"))
        return textResponse("text/html", "<html><body><p>No feed here<br></body></html>");
    const bool atom = file.endsWith(QLatin1String(".atom"));
    if (!(atom || file.endsWith(QLatin1String(".xml"))) || file.contains(QLatin1Char('/')))
        return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);

    const QString name = file.left(file.lastIndexOf(QLatin1Char('.')));
    NewsGenerator::Channel channel;
    channel.title = name.left(1).toUpper() + name.mid(1) + QStringLiteral(" News");
    channel.description = QStringLiteral("Simulated %1 headlines").arg(name);
    for (const KnownFeed &known : knownFeeds) {
        if (name == QLatin1String(known.name)) {
            channel.title = QString::fromUtf8(known.title);
            channel.description = QString::fromUtf8(known.description);
        }
    }
    channel.link = request.baseUrl + QStringLiteral("/articles/feeds/");
    channel.items = NewsGenerator::generalNews(request.baseUrl, name, request.now);
    if (atom)
        return textResponse("application/atom+xml; charset=UTF-8",
                            NewsGenerator::atomDocument(channel, request.baseUrl + request.path));
    return textResponse("application/rss+xml; charset=UTF-8", NewsGenerator::rssDocument(channel));
}
