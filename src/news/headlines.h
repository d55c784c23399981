#pragma once

#include <QList>
#include <QString>

// The newest unread per-symbol headlines as the fundamentals page lists them.
namespace Headlines {

struct Headline
{
    QString id;
    QString symbol;
    QString title;
    QString feedId;
    QString url;
    QString colour;
    qint64 pubDate = 0;
};

// At most 11 unread items, one per distinct title, newest first.
QString newestUnreadQuery();
QList<Headline> fromRows(const QStringList &rows);

// Marks an item read, together with the unread items of the same title: the list shows one row
// per title, so the row only goes away when all of them are read.
QString markReadStatement(const QString &id);

// Time of day of a stored date in local time, "hh:mm:ss".
QString timeOfDay(qint64 pubDateMs);

} // namespace Headlines
