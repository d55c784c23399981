#pragma once

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// What the chart page shows of a symbol's news: the headline table beside the chart and the
// count of items per feed and day below it.
namespace ChartNews {

// Oldest news shown for a time-frame index (1 day ... 5 years; 7 = everything since 1970).
qint64 cutoffMs(int timeFrameIndex, const QDateTime &now);

QString headlineQuery(const QString &symbol, qint64 cutoffMs);

struct TableRow
{
    bool isDateRow = false;
    QDate date; // date rows
    QString id; // item rows: the newsItems id
    QString title;
    QString colour; // the feed's colour name
};

// Headline rows "id|title|read|colour|pubDate" (newest first) with a date row before the first
// item of each day.
QList<TableRow> tableRows(const QStringList &headlineRows);

inline const QColor DateRowColour{100, 218, 227};

// News stored with dates in seconds get them in milliseconds.
QString secondsDatesQuery();
QStringList secondsDateFixes(const QStringList &rows);

// Chart time of a stored qData date: yyyyMMdd below 30110429, Unix seconds (local time) above.
double chartTimeOfStoredDate(qint64 storedDate);
bool isIntradayDate(qint64 storedDate);

// The per-feed, per-bucket table of the news-count chart. Daily data counts per day, intraday
// data per whole hour of local time, whatever minute the price bars or the items fall on.
struct CountTable
{
    QStringList categories;      // "yyyy-MM-dd" or "yyyy-MM-dd hh:00"
    QList<double> categoryTimes; // chart times of the categories (midnight, or the full hour)
    QList<int> feedIds;
    QList<QList<double>> counts; // [feed][category]
};

QString countQuery(const QString &symbol, bool daily);
// storedDates: qData dates in row order; feedIds: "SELECT id FROM feeds"; countRows:
// "feedId|symbol|count|bucket|pubDate". Counts outside the known feeds or buckets are dropped.
CountTable countTable(const QStringList &storedDates, const QList<int> &feedIds,
                      const QStringList &countRows);

} // namespace ChartNews
