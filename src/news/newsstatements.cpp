#include "news/newsstatements.h"

#include "store/sqlquoting.h"

namespace NewsStatements {

namespace {

// An id read back from a grid or row string: bare when it is a number, quoted otherwise, so a
// damaged value can never change the statement.
QString numberOrQuoted(const QString &id)
{
    return isSqlNumber(id) ? id.trimmed() : sqlQuoted(id);
}

} // namespace

QString dueTemplates(qint64 cutOffMs)
{
    return QStringLiteral(
               "SELECT id, feedUrl, colour, title FROM feeds WHERE active=2 AND template=1 "
               "AND lastUpdate < %1 ORDER BY lastUpdate DESC")
        .arg(cutOffMs);
}

QString followedSymbols()
{
    return QStringLiteral("SELECT symbol FROM symbols ORDER BY symbol");
}

QString advanceTemplate(const QString &id, qint64 nextMs)
{
    return QStringLiteral("UPDATE feeds set lastUpdate=%1 WHERE id=%2;")
        .arg(nextMs)
        .arg(numberOrQuoted(id));
}

QString newsItemInsert(int feedId, const FeedItems::Item &item, const QString &symbol)
{
    return QStringLiteral(
               "INSERT OR IGNORE INTO newsItems (feedId, pubDate, title, desc, url, read, "
               "symbol) VALUES (%1,'%2','")
               .arg(feedId)
               .arg(item.pubDate) +
           stripSqlDelimiters(item.title) + QLatin1String("','") +
           stripSqlDelimiters(item.description) + QLatin1String("','") +
           stripSqlDelimiters(item.link) + QLatin1String("',0,'") + sqlEscaped(symbol) +
           QLatin1String("');\n");
}

QString templateList()
{
    return QStringLiteral(
        "SELECT id,title,colour,feedURL,desc,active FROM feeds WHERE template=1 ORDER BY title");
}

QString templateArticleCount(const QString &id)
{
    return QStringLiteral("SELECT COUNT(symbol) FROM newsItems WHERE feedID=") + numberOrQuoted(id);
}

QString allArticleCount()
{
    return QStringLiteral("SELECT COUNT(symbol) FROM newsItems");
}

QString setTemplateActive(int checkState, const QString &id)
{
    return QStringLiteral("UPDATE feeds SET active=%1 WHERE id=").arg(checkState) +
           numberOrQuoted(id);
}

QString deleteTemplateItems(const QString &id)
{
    return QStringLiteral("DELETE FROM newsItems WHERE feedID=") + numberOrQuoted(id);
}

QString deleteTemplate(const QString &id)
{
    return QStringLiteral("DELETE FROM feeds WHERE id=") + numberOrQuoted(id);
}

QString templateById(int id)
{
    return QStringLiteral("SELECT title,colour,feedURL,desc FROM feeds WHERE id=%1").arg(id);
}

QString templateIdByAddress(const QString &address)
{
    return QStringLiteral("SELECT id FROM feeds WHERE feedURL=") + sqlQuoted(address);
}

QString templateUpdate(int id, const QString &title, const QString &colour, const QString &address,
                       const QString &description)
{
    return QStringLiteral("UPDATE feeds SET title='") + stripSqlDelimiters(title) +
           QStringLiteral("', colour=") + sqlQuoted(colour) + QStringLiteral(", feedURL=") +
           sqlQuoted(address) + QStringLiteral(", desc='") + stripSqlDelimiters(description) +
           QStringLiteral("', lastUpdate=0 WHERE id=%1").arg(id);
}

QString templateInsert(const QString &title, const QString &colour, const QString &address,
                       const QString &description)
{
    return QStringLiteral(
               "INSERT INTO feeds (title, colour, feedURL, desc, lastUpdate, template) VALUES('") +
           stripSqlDelimiters(title) + QStringLiteral("',") + sqlQuoted(colour) + QLatin1Char(',') +
           sqlQuoted(address) + QStringLiteral(",'") + stripSqlDelimiters(description) +
           QStringLiteral("',0,1)");
}

QString dueFeeds(qint64 nowMs)
{
    return QStringLiteral("SELECT id, feedUrl, title FROM rssFeeds WHERE lastUpdate<%1 ORDER BY "
                          "lastUpdate DESC")
        .arg(nowMs);
}

QString advanceFeed(const QString &id, qint64 nextMs)
{
    return QStringLiteral("UPDATE rssFeeds set lastUpdate=%1 WHERE id=%2;")
        .arg(nextMs)
        .arg(numberOrQuoted(id));
}

QString feedIdByAddress(const QString &address)
{
    return QStringLiteral("SELECT id FROM rssFeeds WHERE feedUrl=") + sqlQuoted(address);
}

QString moveFeedAddress(const QString &from, const QString &to)
{
    return QStringLiteral("UPDATE rssFeeds SET feedUrl=") + sqlQuoted(to) +
           QStringLiteral(" WHERE feedUrl=") + sqlQuoted(from);
}

QString rssItemInsert(int feedId, const FeedItems::Item &item)
{
    return QStringLiteral(
               "INSERT OR IGNORE INTO rssItems (feedId, pubDate, title, desc, url, read) "
               "VALUES (%1,'%2','")
               .arg(feedId)
               .arg(item.pubDate) +
           stripSqlDelimiters(item.title) + QLatin1String("','") +
           stripSqlDelimiters(item.description) + QLatin1String("','") + sqlEscaped(item.link) +
           QLatin1String("',0)");
}

QString feedInsert(const QString &title, const QString &address, const QString &description)
{
    // The manager lists feeds from row strings: a "|" in the title or description would shift its
    // columns. Addresses with one are refused before they get here.
    return QStringLiteral("INSERT INTO rssFeeds (title,feedUrl,desc,lastUpdate) VALUES(") +
           sqlQuotedRowValue(title) + QLatin1Char(',') + sqlQuoted(address) + QLatin1Char(',') +
           sqlQuotedRowValue(description) + QStringLiteral(",0);");
}

QString marketWrapInsert(const FeedItems::Item &item)
{
    return QStringLiteral("INSERT OR IGNORE INTO marketWraps (pubDate, title, desc, url, content, "
                          "read, category) VALUES (%1,'")
               .arg(item.pubDate) +
           stripSqlDelimiters(item.title) + QLatin1String("','") +
           stripSqlDelimiters(item.description) + QLatin1String("','") + sqlEscaped(item.link) +
           QLatin1String("','") + stripSqlDelimiters(item.content) + QLatin1String("',0,'") +
           stripSqlDelimiters(item.category) + QLatin1String("');");
}

} // namespace NewsStatements
