#include "support/newsfixture.h"

#include "store/sqlquoting.h"

NewsFixture::NewsFixture()
{
    stores.open();
    GDatabaseClass::setMainInstance(&stores.store());
}

NewsFixture::~NewsFixture()
{
    GDatabaseClass::setMainInstance(nullptr);
}

QString NewsFixture::value(const QString &query)
{
    return store().GetSQL(query);
}

void NewsFixture::addTemplate(int id, const QString &title, const QString &address,
                              qint64 lastUpdate, int active, const QString &colour)
{
    store().ExecSQL(
        QStringLiteral("INSERT INTO feeds (id, title, colour, feedURL, desc, lastUpdate, "
                       "template, active) VALUES(%1,%2,%3,%4,'',%5,1,%6)")
            .arg(id)
            .arg(sqlQuoted(title), sqlQuoted(colour), sqlQuoted(address))
            .arg(lastUpdate)
            .arg(active));
}

void NewsFixture::addSymbols(const QStringList &symbols)
{
    for (const QString &symbol : symbols)
        store().ExecSQL(
            QStringLiteral("INSERT INTO symbols (symbol) VALUES(%1)").arg(sqlQuoted(symbol)));
}

int NewsFixture::addGeneralFeed(const QString &title, const QString &address, qint64 lastUpdate)
{
    store().ExecSQL(
        QStringLiteral(
            "INSERT INTO rssFeeds (title, feedUrl, desc, lastUpdate) VALUES(%1,%2,'',%3)")
            .arg(sqlQuoted(title), sqlQuoted(address))
            .arg(lastUpdate));
    return value(QStringLiteral("SELECT MAX(id) FROM rssFeeds")).toInt();
}

QByteArray rssDocument(const QList<RssItem> &items, const QString &channelTitle,
                       const QString &channelExtra)
{
    QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"><channel>"
                       "<title>%1</title><link>http://example.org/</link>"
                       "<description>About %1</description>")
            .arg(channelTitle.toHtmlEscaped()) +
        channelExtra;
    const auto element = [](const char *name, const QString &text) {
        return text.isEmpty()
                   ? QString()
                   : QStringLiteral("<%1>%2</%1>").arg(QLatin1String(name), text.toHtmlEscaped());
    };
    for (const RssItem &item : items) {
        xml += QStringLiteral("<item>") + element("title", item.title) +
               element("link", item.link) + element("description", item.description) +
               element("pubDate", item.pubDate) + element("guid", item.guid) +
               element("url", item.url) + item.extra + QStringLiteral("</item>");
    }
    xml += QStringLiteral("</channel></rss>");
    return xml.toUtf8();
}

QByteArray atomDocument(const QList<AtomEntry> &entries, const QString &feedTitle)
{
    const auto element = [](const char *name, const QString &text) {
        return text.isEmpty()
                   ? QString()
                   : QStringLiteral("<%1>%2</%1>").arg(QLatin1String(name), text.toHtmlEscaped());
    };
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                 "<feed xmlns=\"http://www.w3.org/2005/Atom\">") +
                  element("title", feedTitle) +
                  QStringLiteral("<link rel=\"self\" href=\"http://example.org/atom.xml\"/>"
                                 "<link href=\"http://example.org/\"/>") +
                  element("subtitle", QStringLiteral("About ") + feedTitle) +
                  element("updated", QStringLiteral("2024-03-05T12:00:00Z")) +
                  element("id", QStringLiteral("urn:example:feed"));
    for (const AtomEntry &entry : entries) {
        xml += QStringLiteral("<entry>") + element("title", entry.title);
        if (!entry.link.isEmpty())
            xml += QStringLiteral("<link rel=\"alternate\" href=\"%1\"/>")
                       .arg(entry.link.toHtmlEscaped());
        xml += element("id", entry.id) + element("updated", entry.updated) +
               element("summary", entry.summary) + entry.extra + QStringLiteral("</entry>");
    }
    xml += QStringLiteral("</feed>");
    return xml.toUtf8();
}
