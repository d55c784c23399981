#include "news/headlines.h"

#include "store/sqlquoting.h"

#include <QDateTime>
#include <QStringList>

namespace Headlines {

QString newestUnreadQuery()
{
    return QStringLiteral(
        "SELECT newsitems.id, newsitems.symbol, newsitems.title, newsitems.feedID, "
        "newsitems.url, feeds.colour, newsItems.pubDate FROM newsitems LEFT JOIN "
        "feeds WHERE newsitems.feedID=feeds.id AND read=0 GROUP BY newsitems.title "
        "ORDER BY pubDate DESC LIMIT 11");
}

QList<Headline> fromRows(const QStringList &rows)
{
    QList<Headline> headlines;
    for (const QString &row : rows) {
        const QStringList fields = row.split(QLatin1Char('|'));
        headlines << Headline{fields.value(0),
                              fields.value(1),
                              fields.value(2),
                              fields.value(3),
                              fields.value(4),
                              fields.value(5),
                              fields.value(6).toLongLong()};
    }
    return headlines;
}

QString markReadStatement(const QString &id)
{
    const QString key = isSqlNumber(id) ? id.trimmed() : sqlQuoted(id);
    return QStringLiteral("UPDATE newsItems SET read=1 WHERE id=%1 OR (read=0 AND title=(SELECT "
                          "title FROM newsItems WHERE id=%1))")
        .arg(key);
}

QString timeOfDay(qint64 pubDateMs)
{
    return QDateTime::fromMSecsSinceEpoch(pubDateMs).time().toString(QStringLiteral("hh:mm:ss"));
}

} // namespace Headlines
