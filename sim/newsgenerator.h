#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// Generated news for the simulator. Every item is derived from its stream (a news source and a
// symbol, or a general feed) and its sequence number, so a feed fetched twice repeats its items,
// and new items appear as time passes.
namespace NewsGenerator {

struct GeneratedItem
{
    QString title;
    QString description; // plain or HTML text
    bool descriptionAsCdata = false;
    QString link; // empty: the item has only a guid
    QString guid;
    QDateTime published; // UTC
    QString zone;        // how the date is written: "+0000", "-0500", "GMT", "EDT", ...
    QString content;     // "content:encoded", reports only
    QStringList categories;
};

struct Channel
{
    QString title;
    QString link;
    QString description;
    bool withContentNamespace = false;
    QList<GeneratedItem> items;
};

// Deterministic 64-bit hash of a text (FNV-1a), the seed of every generated choice.
quint64 hashOf(const QString &text);

// The newest `count` items of a per-symbol source up to `now`, newest first.
QList<GeneratedItem> symbolNews(const QString &baseUrl, const QString &source,
                                const QString &symbol, const QDateTime &now, int count = 20);

// One item of a per-symbol source, by sequence number (for the article pages).
GeneratedItem symbolNewsItem(const QString &baseUrl, const QString &source, const QString &symbol,
                             qint64 sequence);

// The newest `count` items of a general feed, newest first.
QList<GeneratedItem> generalNews(const QString &baseUrl, const QString &feed, const QDateTime &now,
                                 int count = 30);
GeneratedItem generalNewsItem(const QString &baseUrl, const QString &feed, qint64 sequence);

// The vendor's report feed: morning and closing reports of the last trading days, and company
// announcements that are not reports.
QList<GeneratedItem> marketReports(const QString &baseUrl, const QDateTime &now, int count = 15);

// RFC 822 date of a moment written in the given zone: "Tue, 04 Mar 2025 09:05:00 -0500".
QString rfc822Date(const QDateTime &utc, const QString &zone);

// RFC 3339 date of a moment written in the offset of the given zone: "2025-03-04T09:05:00-05:00".
QString rfc3339Date(const QDateTime &utc, const QString &zone);

// An RSS 2.0 document in UTF-8.
QByteArray rssDocument(const Channel &channel);

// The same channel as an Atom 1.0 feed in UTF-8; selfAddress is where it is served.
QByteArray atomDocument(const Channel &channel, const QString &selfAddress);

// A simple article page for an item.
QByteArray articlePage(const GeneratedItem &item, const QString &source);

} // namespace NewsGenerator
