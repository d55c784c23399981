#include "datascript.h"

#include "companies.h"
#include "quotefields.h"

#include <QStringList>

namespace {

struct Template
{
    int id;
    const char *title;
    const char *colour;
    const char *source; // path segment of the simulated news service
    const char *description;
};

// The home page shows the templates 1, 2, 5 and 9.
const Template templates[] = {
    {1, "Company Headlines", "steelblue", "headlines", "Latest headlines about the company"},
    {2, "Analyst Views", "darkorange", "analysts", "Upgrades, downgrades and price targets"},
    {3, "Press Releases", "seagreen", "press", "Releases published by the company"},
    {4, "Market Chatter", "orchid", "chatter", "Talk of the trading floor"},
    {5, "Earnings Watch", "goldenrod", "earnings", "Results, guidance and estimates"},
    {6, "Sector News", "slateblue", "sector", "News of the company's industry"},
    {7, "Insider Trades", "indianred", "insiders", "Filings of insider buying and selling"},
    {8, "Dividend Notes", "teal", "dividends", "Dividend declarations and changes"},
    {9, "Top Stories", "crimson", "topstories", "The day's most read stories"},
};

struct GeneralFeed
{
    const char *title;
    const char *path;
    const char *description;
    const char *category;
};

const GeneralFeed generalFeeds[] = {
    {"Markets Today", "/feeds/markets.xml", "Stocks, bonds and currencies through the day",
     "Markets"},
    {"Economy Watch", "/feeds/economy.xml", "Indicators, central banks and policy", "Economy"},
    {"Technology Business", "/feeds/technology.xml", "The business of technology", "Technology"},
};

QString quoted(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

} // namespace

QString dataScript(const QString &baseUrl)
{
    QStringList lines;
    for (const Company &followed : followedCompanies()) {
        lines << QStringLiteral(
                     "INSERT INTO symbols (symbol, companyName, exchange) VALUES(%1,%2,%3);")
                     .arg(quoted(followed.symbol), quoted(followed.name),
                          quoted(followed.exchange));
    }
    for (const QuoteField &field : quoteFields()) {
        lines << QStringLiteral("INSERT INTO fields (code, name, align, pos) VALUES(%1,%2,%3,%4);")
                     .arg(quoted(field.code), quoted(field.label), quoted(field.align))
                     .arg(field.defaultPos);
    }
    for (const Template &feed : templates) {
        const QString address =
            QStringLiteral("%1/news/%2?s=<SYMBOL>").arg(baseUrl, QString::fromLatin1(feed.source));
        lines << QStringLiteral("INSERT INTO feeds (id, title, colour, feedURL, desc, lastUpdate, "
                                "template, active) "
                                "VALUES(%1,%2,%3,%4,%5,0,1,2);")
                     .arg(feed.id)
                     .arg(quoted(QString::fromUtf8(feed.title)),
                          quoted(QString::fromLatin1(feed.colour)), quoted(address),
                          quoted(QString::fromUtf8(feed.description)));
    }
    for (const GeneralFeed &feed : generalFeeds) {
        lines << QStringLiteral("INSERT INTO rssFeeds (title, feedUrl, desc, lastUpdate, category) "
                                "VALUES(%1,%2,%3,0,%4);")
                     .arg(quoted(QString::fromUtf8(feed.title)),
                          quoted(baseUrl + QString::fromLatin1(feed.path)),
                          quoted(QString::fromUtf8(feed.description)),
                          quoted(QString::fromLatin1(feed.category)));
    }
    lines << QStringLiteral("INSERT INTO watchlists (id, title) VALUES(1,'Tech Leaders');");
    for (const char *symbol : {"AAPL", "MSFT", "GOOG", "IBM", "CSCO"}) {
        lines << QStringLiteral(
                     "INSERT INTO watchedSymbols (symbol, listId, numShares) VALUES(%1,1,0);")
                     .arg(quoted(QString::fromLatin1(symbol)));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString updateInfo(const QString &baseUrl)
{
    return QStringLiteral("%1\n%2/Downloads/corVane/CorvaneSetup.exe\n")
        .arg(QStringLiteral(CORVANE_VERSION), baseUrl);
}
