#include "news/feeditems.h"

#include "news/feeditemfields.h"

#include <QDebug>
#include <QUrl>

namespace FeedItems {

namespace Fields {

QList<RawItem> rssItems(const QList<QDomNode> &items, const Wanted &wanted)
{
    QList<RawItem> raw;
    for (const QDomNode &node : items) {
        RawItem item;
        for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
            const QString name = child.nodeName();
            if (name == QLatin1String("title"))
                item.title = fieldValue(child);
            else if (name == QLatin1String("link"))
                item.link = fieldValue(child);
            else if (name == QLatin1String("description"))
                item.description = fieldValue(child);
            else if (name == QLatin1String("pubDate"))
                item.date = fieldValue(child);
            else if (wanted.linkSubstitutes && name == QLatin1String("guid"))
                item.guid = fieldValue(child);
            else if (wanted.linkSubstitutes && name == QLatin1String("url"))
                item.url = fieldValue(child);
            else if (wanted.reportFields && name == QLatin1String("content:encoded"))
                item.content = fieldValue(child);
            else if (wanted.reportFields && name == QLatin1String("category"))
                item.categories << fieldValue(child);
        }
        raw << item;
    }
    return raw;
}

RawChannel rssChannel(const QDomDocument &document)
{
    RawChannel channel;
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

} // namespace Fields

namespace {

QList<QDomNode> rssItemNodes(const QDomDocument &document)
{
    QList<QDomNode> items;
    for (QDomNode node = document.documentElement().firstChild().firstChild(); !node.isNull();
         node = node.nextSibling()) {
        if (node.nodeName() == QLatin1String("item"))
            items << node;
    }
    return items;
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

bool isAtom(const QDomDocument &document)
{
    const QString name = document.documentElement().nodeName();
    return name == QLatin1String("feed") || name.endsWith(QLatin1String(":feed"));
}

bool isFeed(const QDomDocument &document)
{
    return isAtom(document) || document.documentElement().nodeName() == QLatin1String("rss");
}

QList<QDomNode> itemNodes(const QDomDocument &document)
{
    return isAtom(document) ? Fields::atomEntries(document) : rssItemNodes(document);
}

QList<Item> readItems(const QDomDocument &document, FeedKind kind, const QDateTime &downloadTime)
{
    const bool symbolNews = kind == FeedKind::SymbolNews;
    const bool report = kind == FeedKind::MarketReport;
    const Fields::Wanted wanted{symbolNews, report};
    const QList<QDomNode> nodes = itemNodes(document);
    const QList<Fields::RawItem> raw = isAtom(document) ? Fields::atomItems(document, nodes, wanted)
                                                        : Fields::rssItems(nodes, wanted);
    QList<Item> items;
    QStringList unknownZones; // in the order met, each once
    for (const Fields::RawItem &fields : raw) {
        Item item;
        item.title = fields.title;
        item.description = fields.description;
        item.content = fields.content;
        item.link = symbolNews ? cleanLink(chooseLink(fields.link, fields.guid, fields.url))
                               : restoreColons(fields.link);
        QString unknownZone;
        if (!readDate(fields.date, &item.pubDate, &unknownZone))
            item.pubDate = downloadTime.toMSecsSinceEpoch();
        if (!unknownZone.isEmpty() && !unknownZones.contains(unknownZone))
            unknownZones << unknownZone;
        if (report)
            item.category = chooseCategory(fields.categories);
        items << item;
    }
    // Once per feed, not per item: a feed writes every date the same way.
    for (const QString &zone : unknownZones)
        qDebug().noquote()
            << QStringLiteral("Feed dates: zone \"%1\" not known, read as local time").arg(zone);
    return items;
}

Channel readChannel(const QDomDocument &document)
{
    const Fields::RawChannel raw =
        isAtom(document) ? Fields::atomChannel(document) : Fields::rssChannel(document);
    return Channel{raw.title, raw.link, raw.description, raw.nodeNames};
}

QString chooseCategory(const QStringList &categories)
{
    // Blog software writes a post's categories before its tags, so the first is the likeliest.
    if (categories.contains(ListedReportCategory))
        return ListedReportCategory;
    return categories.value(0);
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

qint64 dateValue(const QString &text, const QDateTime &downloadTime)
{
    qint64 milliseconds = 0;
    if (readDate(text, &milliseconds))
        return milliseconds;
    return downloadTime.toMSecsSinceEpoch();
}

} // namespace FeedItems
