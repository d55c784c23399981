#include "news/feeditemfields.h"
#include "news/feeditems.h"

#include <QDomDocument>
#include <QTextStream>

// Atom 1.0: entries are the "entry" children of "feed"; an entry's article is its alternate link,
// its text the summary or the content, its date when it was published (else last updated).
namespace FeedItems::Fields {

namespace {

// The prefix the document writes Atom names with: empty under a default namespace, "atom:" and
// the like otherwise. Elements of other vocabularies ("media:title") never match an Atom name.
QString atomPrefix(const QDomDocument &document)
{
    const QString root = document.documentElement().nodeName();
    return root.left(root.size() - int(qstrlen("feed")));
}

QString atomName(const QDomNode &node, const QString &prefix)
{
    const QString name = node.nodeName();
    return name.startsWith(prefix) ? name.mid(prefix.size()) : QString();
}

// Text constructs: "text" and "html" are text (escaped markup stays text, as in RSS); "xhtml"
// holds its markup inside a div, which is kept as markup.
QString textConstruct(const QDomNode &node)
{
    if (node.toElement().attribute(QStringLiteral("type")) != QLatin1String("xhtml"))
        return fieldValue(node);
    QString markup;
    QTextStream stream(&markup);
    const QDomElement division = node.firstChildElement();
    for (QDomNode child = division.firstChild(); !child.isNull(); child = child.nextSibling())
        child.save(stream, -1);
    stream.flush();
    return markup.trimmed();
}

bool isAlternateLink(const QDomNode &node)
{
    const QString rel = node.toElement().attribute(QStringLiteral("rel"));
    return rel.isEmpty() || rel == QLatin1String("alternate");
}

} // namespace

QList<QDomNode> atomEntries(const QDomDocument &document)
{
    const QString prefix = atomPrefix(document);
    QList<QDomNode> entries;
    for (QDomNode node = document.documentElement().firstChild(); !node.isNull();
         node = node.nextSibling()) {
        if (atomName(node, prefix) == QLatin1String("entry"))
            entries << node;
    }
    return entries;
}

QList<RawItem> atomItems(const QDomDocument &document, const QList<QDomNode> &entries,
                         const Wanted &wanted)
{
    const QString prefix = atomPrefix(document);
    QList<RawItem> raw;
    for (const QDomNode &entry : entries) {
        RawItem item;
        QString summary;
        QString content;
        QString published;
        QString updated;
        for (QDomNode child = entry.firstChild(); !child.isNull(); child = child.nextSibling()) {
            const QString name = atomName(child, prefix);
            if (name == QLatin1String("title"))
                item.title = textConstruct(child);
            else if (name == QLatin1String("link") && item.link.isEmpty() && isAlternateLink(child))
                item.link = child.toElement().attribute(QStringLiteral("href"));
            else if (name == QLatin1String("id"))
                item.guid = fieldValue(child);
            else if (name == QLatin1String("summary"))
                summary = textConstruct(child);
            else if (name == QLatin1String("content"))
                content = textConstruct(child);
            else if (name == QLatin1String("published"))
                published = fieldValue(child);
            else if (name == QLatin1String("updated"))
                updated = fieldValue(child);
            else if (wanted.reportFields && name == QLatin1String("category"))
                item.categories << child.toElement().attribute(QStringLiteral("term"));
        }
        if (!wanted.linkSubstitutes)
            item.guid.clear();
        // A report keeps its body apart; the other readers show whichever text there is.
        if (wanted.reportFields) {
            item.description = summary;
            item.content = content;
        } else {
            item.description = summary.isEmpty() ? content : summary;
        }
        item.date = published.isEmpty() ? updated : published;
        raw << item;
    }
    return raw;
}

RawChannel atomChannel(const QDomDocument &document)
{
    const QString prefix = atomPrefix(document);
    RawChannel channel;
    for (QDomNode node = document.documentElement().firstChild(); !node.isNull();
         node = node.nextSibling()) {
        channel.nodeNames << node.nodeName();
        const QString name = atomName(node, prefix);
        if (name == QLatin1String("title"))
            channel.title = textConstruct(node);
        else if (name == QLatin1String("link") && channel.link.isEmpty() && isAlternateLink(node))
            channel.link = node.toElement().attribute(QStringLiteral("href"));
        else if (name == QLatin1String("subtitle"))
            channel.description = textConstruct(node);
    }
    return channel;
}

} // namespace FeedItems::Fields
