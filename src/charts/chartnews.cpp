#include "charts/chartnews.h"

#include "chartconst.h"
#include "store/sqlquoting.h"

#include <QHash>

namespace ChartNews {

namespace {
constexpr qint64 FirstSecondsDate = 30110429; // stored dates from here on are Unix seconds
} // namespace

qint64 cutoffMs(int timeFrameIndex, const QDateTime &now)
{
    switch (timeFrameIndex) {
    case 0:
        return now.addDays(-1).toMSecsSinceEpoch();
    case 1:
        return now.addDays(-5).toMSecsSinceEpoch();
    case 2:
        return now.addMonths(-3).toMSecsSinceEpoch();
    case 3:
        return now.addMonths(-6).toMSecsSinceEpoch();
    case 4:
        return now.addYears(-1).toMSecsSinceEpoch();
    case 5:
        return now.addYears(-2).toMSecsSinceEpoch();
    case 6:
        return now.addYears(-5).toMSecsSinceEpoch();
    default:
        return 0;
    }
}

QString headlineQuery(const QString &symbol, qint64 cutoffMs)
{
    return QStringLiteral("SELECT newsitems.id, newsitems.title, newsitems.read, feeds.colour, "
                          "newsitems.pubDate "
                          "FROM newsitems LEFT JOIN feeds ON newsitems.feedID=feeds.id WHERE "
                          "newsitems.symbol=%1 "
                          "AND pubDate>%2 ORDER BY pubDate DESC")
        .arg(sqlQuoted(symbol))
        .arg(cutoffMs);
}

QList<TableRow> tableRows(const QStringList &headlineRows)
{
    QList<TableRow> rows;
    QDate previous;
    for (const QString &row : headlineRows) {
        const QStringList fields = row.split(QLatin1Char('|'));
        const QDate day = QDateTime::fromMSecsSinceEpoch(fields.value(4).toLongLong()).date();
        // A new day starts a new group, also when a year lies between two items on the same
        // day of the year.
        if (day != previous) {
            TableRow dateRow;
            dateRow.isDateRow = true;
            dateRow.date = day;
            rows << dateRow;
            previous = day;
        }
        TableRow item;
        item.id = fields.value(0).trimmed();
        item.title = fields.value(1).trimmed();
        item.colour = fields.value(3);
        rows << item;
    }
    return rows;
}

QString secondsDatesQuery()
{
    return QStringLiteral("select pubDate, id FROM newsitems WHERE pubDate < 1200000000000;");
}

QStringList secondsDateFixes(const QStringList &rows)
{
    QStringList statements;
    for (const QString &row : rows) {
        const QStringList fields = row.split(QLatin1Char('|'));
        if (fields.size() < 2 || fields.at(0).isEmpty())
            continue;
        // Concatenated: "%1000" would read as a place marker of its own.
        statements << QStringLiteral("UPDATE newsItems SET pubDate=") + fields.at(0) +
                          QStringLiteral("000 WHERE id=") + fields.at(1);
    }
    return statements;
}

bool isIntradayDate(qint64 storedDate)
{
    return storedDate >= FirstSecondsDate;
}

double chartTimeOfStoredDate(qint64 storedDate)
{
    if (!isIntradayDate(storedDate)) {
        // yyyymmdd by arithmetic: a date parser per row took much of the time of reading a long
        // history. Fewer than eight digits, or no such day, is no date (year, month, day 0);
        // a minus sign makes the year negative, as the parser read it.
        const qint64 digits = storedDate < 0 ? -storedDate : storedDate;
        QDate day;
        if (digits >= 10000000 && digits <= 99999999) {
            const int year = int(digits / 10000);
            day = QDate(storedDate < 0 ? -year : year, int(digits / 100 % 100), int(digits % 100));
        }
        return Chart::chartTime(day.year(), day.month(), day.day());
    }
    const QDateTime local = QDateTime::fromSecsSinceEpoch(storedDate);
    const QDate day = local.date();
    const QTime time = local.time();
    return Chart::chartTime(day.year(), day.month(), day.day(), time.hour(), time.minute(),
                            time.second()) +
           time.msec() / 1000.0;
}

QString countQuery(const QString &symbol, bool daily)
{
    // Buckets in local time, like the categories built from the price dates.
    const QString bucket =
        daily ? QStringLiteral("date(pubDate/1000, 'unixepoch', 'localtime')")
              : QStringLiteral("strftime('%Y-%m-%d %H:00', datetime(pubDate/1000, 'unixepoch', "
                               "'localtime'))");
    return QStringLiteral(
               "select feeds.id, newsitems.symbol, COUNT(newsitems.id) as cnt, %1 AS yearMonth, "
               "pubDate "
               "from feeds LEFT JOIN newsitems ON newsitems.feedid=feeds.id GROUP BY yearMonth, "
               "newsItems.feedID, newsitems.symbol HAVING newsItems.symbol=%2 ORDER BY yearMonth "
               "DESC;")
        .arg(bucket, sqlQuoted(symbol));
}

CountTable countTable(const QStringList &storedDates, const QList<int> &feedIds,
                      const QStringList &countRows)
{
    CountTable table;
    table.feedIds = feedIds;
    QHash<QString, int> categoryIndex;
    for (const QString &stored : storedDates) {
        const qint64 value = stored.toLongLong();
        QString category;
        double time = 0;
        if (isIntradayDate(value)) {
            const QDateTime local = QDateTime::fromSecsSinceEpoch(value);
            const QDate day = local.date();
            const int hour = local.time().hour();
            category = local.toString(QStringLiteral("yyyy-MM-dd hh:00"));
            time = Chart::chartTime(day.year(), day.month(), day.day(), hour, 0, 0);
        } else {
            category = QDate::fromString(stored, QStringLiteral("yyyyMMdd"))
                           .toString(QStringLiteral("yyyy-MM-dd"));
            time = chartTimeOfStoredDate(value);
        }
        if (category.isEmpty() || categoryIndex.contains(category))
            continue;
        categoryIndex.insert(category, int(table.categories.size()));
        table.categories << category;
        table.categoryTimes << time;
    }
    for (int i = 0; i < feedIds.size(); ++i)
        table.counts << QList<double>(table.categories.size(), 0.0);
    for (const QString &row : countRows) {
        const QStringList fields = row.split(QLatin1Char('|'));
        const int feed = feedIds.indexOf(fields.value(0).toInt());
        const int category = categoryIndex.value(fields.value(3), -1);
        if (feed < 0 || category < 0)
            continue;
        table.counts[feed][category] = fields.value(2).toDouble();
    }
    return table;
}

} // namespace ChartNews
