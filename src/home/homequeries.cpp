#include "home/homequeries.h"

#include "store/sqlquoting.h"

namespace HomeQueries {

QString tickerSymbols()
{
    return QStringLiteral("SELECT symbol,companyName FROM symbols ORDER BY symbol");
}

QString boxSymbols()
{
    return QStringLiteral("SELECT symbol FROM symbols ORDER BY symbol ASC");
}

QString quoteValue(const QString &symbol, const QString &field)
{
    return QStringLiteral("SELECT value FROM fData WHERE name=%1 AND symbol=%2")
        .arg(sqlQuoted(field), sqlQuoted(symbol));
}

QString companyName(const QString &symbol)
{
    return QStringLiteral("SELECT companyName FROM symbols WHERE symbol=%1").arg(sqlQuoted(symbol));
}

QString feedTitle(int feedId)
{
    return QStringLiteral("SELECT title FROM feeds WHERE id=%1").arg(feedId);
}

QString feedColour(int feedId)
{
    return QStringLiteral("SELECT colour FROM feeds WHERE id=%1").arg(feedId);
}

QString unreadItems(int feedId)
{
    return QStringLiteral("SELECT id,symbol,title,desc,pubDate FROM newsItems WHERE feedID=%1 "
                          "AND read=0 GROUP BY newsitems.title ORDER BY pubDate DESC LIMIT 20")
        .arg(feedId);
}

QString itemUrl(const QString &itemId)
{
    if (!isSqlNumber(itemId))
        return {};
    return QStringLiteral("SELECT url FROM newsItems WHERE id=%1").arg(itemId.trimmed());
}

} // namespace HomeQueries
