#include "news/feeditems.h"

#include <QHash>
#include <QRegularExpression>
#include <QTimeZone>
#include <QUrl>

namespace FeedItems {

namespace {

const QStringList MonthNames = {
    QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mar"), QStringLiteral("apr"),
    QStringLiteral("may"), QStringLiteral("jun"), QStringLiteral("jul"), QStringLiteral("aug"),
    QStringLiteral("sep"), QStringLiteral("oct"), QStringLiteral("nov"), QStringLiteral("dec")};

// Offsets from UTC in minutes of the zone names RFC 822 allows besides numeric offsets.
bool namedZoneOffset(const QString &zone, int *minutes)
{
    static const QHash<QString, int> zones = {
        {QStringLiteral("GMT"), 0},       {QStringLiteral("UT"), 0},
        {QStringLiteral("UTC"), 0},       {QStringLiteral("Z"), 0},
        {QStringLiteral("EST"), -5 * 60}, {QStringLiteral("EDT"), -4 * 60},
        {QStringLiteral("CST"), -6 * 60}, {QStringLiteral("CDT"), -5 * 60},
        {QStringLiteral("MST"), -7 * 60}, {QStringLiteral("MDT"), -6 * 60},
        {QStringLiteral("PST"), -8 * 60}, {QStringLiteral("PDT"), -7 * 60},
    };
    const auto found = zones.constFind(zone.toUpper());
    if (found == zones.constEnd())
        return false;
    *minutes = found.value();
    return true;
}

bool numericZoneOffset(const QString &zone, int *minutes)
{
    static const QRegularExpression offset(QStringLiteral("^([+-])(\\d{2}):?(\\d{2})$"));
    const QRegularExpressionMatch match = offset.match(zone);
    if (!match.hasMatch())
        return false;
    const int value = match.captured(2).toInt() * 60 + match.captured(3).toInt();
    *minutes = match.captured(1) == QLatin1String("-") ? -value : value;
    return true;
}

} // namespace

bool parse(const QByteArray &body, QDomDocument &document, QString *error)
{
    const qsizetype end = body.indexOf('\0');
    const QByteArray bytes = end < 0 ? body : body.left(end);
    QString message;
    int line = 0;
    int column = 0;
    if (document.setContent(bytes, false, &message, &line, &column))
        return true;
    if (error)
        *error = QStringLiteral("%1 (line %2, column %3)").arg(message).arg(line).arg(column);
    return false;
}

QString fieldValue(const QDomNode &field)
{
    const QDomNode first = field.firstChild();
    if (first.isText() || first.isCDATASection())
        return first.nodeValue();
    return {};
}

QList<QDomNode> itemNodes(const QDomDocument &document)
{
    QList<QDomNode> items;
    for (QDomNode node = document.documentElement().firstChild().firstChild(); !node.isNull();
         node = node.nextSibling()) {
        if (node.nodeName() == QLatin1String("item"))
            items << node;
    }
    return items;
}

QList<Item> readItems(const QDomDocument &document, FeedKind kind, const QDateTime &downloadTime)
{
    const bool symbolNews = kind == FeedKind::SymbolNews;
    const bool report = kind == FeedKind::MarketReport;
    QList<Item> items;
    for (const QDomNode &node : itemNodes(document)) {
        Item item;
        QString guid;
        QString url;
        QString date;
        for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
            const QString name = child.nodeName();
            if (name == QLatin1String("title"))
                item.title = fieldValue(child);
            else if (name == QLatin1String("link"))
                item.link = fieldValue(child);
            else if (name == QLatin1String("description"))
                item.description = fieldValue(child);
            else if (name == QLatin1String("pubDate"))
                date = fieldValue(child);
            else if (symbolNews && name == QLatin1String("guid"))
                guid = fieldValue(child);
            else if (symbolNews && name == QLatin1String("url"))
                url = fieldValue(child);
            else if (report && name == QLatin1String("content:encoded"))
                item.content = fieldValue(child);
            else if (report && name == QLatin1String("category"))
                item.category = fieldValue(child);
        }
        item.link =
            symbolNews ? cleanLink(chooseLink(item.link, guid, url)) : restoreColons(item.link);
        item.pubDate = dateValue(date, downloadTime);
        items << item;
    }
    return items;
}

Channel readChannel(const QDomDocument &document)
{
    Channel channel;
    for (QDomNode node = document.documentElement().firstChild().firstChild(); !node.isNull();
         node = node.nextSibling()) {
        const QString name = node.nodeName();
        channel.nodeNames << name;
        if (name == QLatin1String("title"))
            channel.title = fieldValue(node);
        else if (name == QLatin1String("link"))
            channel.link = fieldValue(node);
        else if (name == QLatin1String("description"))
            channel.description = fieldValue(node);
    }
    return channel;
}

QString chooseLink(const QString &link, const QString &guid, const QString &url)
{
    if (!link.isEmpty())
        return link;
    if (!guid.isEmpty())
        return guid;
    return url;
}

QString cleanLink(QString link)
{
    link = restoreColons(link);
    // Tracking links carry the article's address after a "*" or as a query value.
    for (const QLatin1String marker : {QLatin1String("*http"), QLatin1String("=http")}) {
        const qsizetype at = link.indexOf(marker);
        if (at >= 0)
            link = link.mid(at + 1);
    }
    link = link.trimmed();
    return QUrl::fromPercentEncoding(link.toUtf8());
}

QString restoreColons(QString link)
{
    link.replace(QLatin1String("%3A"), QLatin1String(":"));
    return link;
}

bool readDate(const QString &text, qint64 *milliseconds)
{
    // Day name optional, one- or two-digit day, seconds optional: all allowed by RFC 822.
    static const QRegularExpression rfc822(QStringLiteral(
        "^\\s*(?:[A-Za-z]{3},?\\s*)?(\\d{1,2})\\s+([A-Za-z]{3})[a-z]*\\s+(\\d{4})\\s+"
        "(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*(\\S+)?"));
    const QRegularExpressionMatch match = rfc822.match(text);
    if (!match.hasMatch()) {
        // Some feeds write ISO 8601 instead.
        const QDateTime iso = QDateTime::fromString(text.trimmed(), Qt::ISODate);
        if (!iso.isValid())
            return false;
        *milliseconds = iso.toMSecsSinceEpoch();
        return true;
    }
    const int month = MonthNames.indexOf(match.captured(2).toLower()) + 1;
    const QDate date(match.captured(3).toInt(), month, match.captured(1).toInt());
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(),
                     match.captured(6).toInt());
    if (month == 0 || !date.isValid() || !time.isValid())
        return false;

    const QString zone = match.captured(7);
    int offsetMinutes = 0;
    if (numericZoneOffset(zone, &offsetMinutes) || namedZoneOffset(zone, &offsetMinutes)) {
        const QDateTime utcWallClock(date, time, QTimeZone::utc());
        *milliseconds = utcWallClock.toMSecsSinceEpoch() - qint64(offsetMinutes) * 60 * 1000;
        return true;
    }
    // No zone, or one we cannot place: the wall-clock time is the best there is.
    *milliseconds = QDateTime(date, time).toMSecsSinceEpoch();
    return true;
}

qint64 dateValue(const QString &text, const QDateTime &downloadTime)
{
    qint64 milliseconds = 0;
    if (readDate(text, &milliseconds))
        return milliseconds;
    return downloadTime.toMSecsSinceEpoch();
}

} // namespace FeedItems
