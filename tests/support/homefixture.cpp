#include "support/homefixture.h"

#include "store/sqlquoting.h"

#include <QDesktopServices>

HomeFixture::HomeFixture() : previousMain(GDatabaseClass::mainInstance())
{
    stores.open();
    GDatabaseClass::setMainInstance(&stores.store());
}

HomeFixture::~HomeFixture()
{
    GDatabaseClass::setMainInstance(previousMain);
}

void HomeFixture::addSymbol(const QString &symbol, const QString &companyName)
{
    store().ExecSQL(QStringLiteral("INSERT INTO symbols (symbol, companyName, exchange) "
                                   "VALUES(%1,%2,'NMS')")
                        .arg(sqlQuoted(symbol), sqlQuoted(companyName)));
}

void HomeFixture::setQuote(const QString &symbol, const QString &field, const QString &value)
{
    store().ExecSQL(QStringLiteral("DELETE FROM fData WHERE symbol=%1 AND name=%2")
                        .arg(sqlQuoted(symbol), sqlQuoted(field)));
    store().ExecSQL(QStringLiteral("INSERT INTO fData (symbol, name, value) VALUES(%1,%2,%3)")
                        .arg(sqlQuoted(symbol), sqlQuoted(field), sqlQuoted(value)));
}

void HomeFixture::addFeed(int id, const QString &title, const QString &colour)
{
    store().ExecSQL(QStringLiteral("INSERT INTO feeds (id, title, colour, feedURL, desc, "
                                   "lastUpdate, template, active) VALUES(%1,%2,%3,"
                                   "'http://news.example/<SYMBOL>','',0,1,2)")
                        .arg(id)
                        .arg(sqlQuoted(title), sqlQuoted(colour)));
}

QString HomeFixture::addNewsItem(int feedId, const QString &symbol, const QString &title,
                                 const QString &url, qint64 pubDateMs, int read)
{
    store().ExecSQL(QStringLiteral("INSERT INTO newsItems (feedId, pubDate, title, desc, url, "
                                   "read, symbol) VALUES(%1,%2,%3,'',%4,%5,%6)")
                        .arg(feedId)
                        .arg(pubDateMs)
                        .arg(sqlQuoted(title), sqlQuoted(url))
                        .arg(read)
                        .arg(sqlQuoted(symbol)));
    return store().GetSQL(QStringLiteral("SELECT MAX(id) FROM newsItems"));
}

OpenedLinks::OpenedLinks()
{
    for (const char *scheme : {"http", "https", "file", "javascript"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
}

OpenedLinks::~OpenedLinks()
{
    for (const char *scheme : {"http", "https", "file", "javascript"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}
