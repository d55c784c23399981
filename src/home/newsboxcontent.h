#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

// What a home-page news box shows, worked out from store rows without any widget.
namespace NewsBoxContent {

struct Item
{
    QString id;
    QString symbol;
    QString title;
    qint64 pubDate = 0; // milliseconds since the epoch, UTC
};

// Rows of HomeQueries::unreadItems (id|symbol|title|desc|pubDate). The date is the last field,
// so a stray "|" in a description cannot shift it.
QList<Item> fromRows(const QStringList &rows);

// The rich-text cell: the title (escaped: feed text is never markup) over the local date in
// small grey type, "ddd, dd MMM hh:mm".
QString itemLabel(const Item &item);
QString localDate(qint64 pubDateMs);

// The box's own style sheet: the title bar fades from the feed colour to dark blue. An invalid
// colour (a feed without a row, or a name no one knows) starts from the frame's blue instead.
QString styleSheet(const QColor &feedColour);

// The feed colour as stored: a colour name ("steelblue") or "#rrggbb".
QColor colourFromText(const QString &text);

} // namespace NewsBoxContent
