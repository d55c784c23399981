#include "home/newsboxcontent.h"

#include <QDateTime>

namespace NewsBoxContent {

QList<Item> fromRows(const QStringList &rows)
{
    QList<Item> items;
    items.reserve(rows.size());
    for (const QString &row : rows) {
        const QStringList fields = row.split(QLatin1Char('|'));
        if (fields.size() < 5)
            continue;
        items << Item{fields.at(0), fields.at(1), fields.at(2), fields.last().toLongLong()};
    }
    return items;
}

QString localDate(qint64 pubDateMs)
{
    // The stored milliseconds count from 1970 UTC; the reader wants his own clock.
    return QDateTime::fromMSecsSinceEpoch(pubDateMs, Qt::LocalTime)
        .toString(QStringLiteral("ddd, dd MMM hh:mm"));
}

QString itemLabel(const Item &item)
{
    return QStringLiteral("%1<br><font size=1 color=grey>(%2)</font>")
        .arg(item.title.toHtmlEscaped(), localDate(item.pubDate));
}

QString styleSheet(const QColor &feedColour)
{
    const QColor start = feedColour.isValid() ? feedColour : QColor(0x21, 0x48, 0x6e);
    return QStringLiteral(
               "QGroupBox::title{border-top-right-radius: 6px;border-top-left-radius: 6px;"
               "border: 1px solid #0b477b;border-bottom: none;background-color: "
               "qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 rgb(%1,%2,%3), stop: 1 "
               "#002f60);padding: 4 4px;color: white;padding: 4 1650 4 4;}"
               "QGroupBox{background-color:transparent;border-radius: 6px;border: 1px solid "
               "#132c4e;border-top: none;padding: 22 1 1 0;}")
        .arg(start.red())
        .arg(start.green())
        .arg(start.blue());
}

QColor colourFromText(const QString &text)
{
    return QColor::fromString(text.trimmed());
}

} // namespace NewsBoxContent
