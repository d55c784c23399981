#pragma once

#include "support/storefixture.h"

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QStringList>

// News tests: an open store that the pages and the worker reach as the process-wide instance,
// plus helpers for templates, symbols and small RSS documents.
class NewsFixture
{
public:
    NewsFixture();
    ~NewsFixture();

    GDatabaseClass &store() { return stores.store(); }
    MessageBoxAnswers &boxes() { return stores.boxes(); }
    QStringList rows(const QString &query) { return stores.rows(query); }
    QString value(const QString &query);
    int count(const QString &table) { return stores.count(table); }

    void addTemplate(int id, const QString &title, const QString &address, qint64 lastUpdate = 0,
                     int active = 2, const QString &colour = QStringLiteral("steelblue"));
    void addSymbols(const QStringList &symbols);
    int addGeneralFeed(const QString &title, const QString &address, qint64 lastUpdate = 0);

private:
    StoreFixture stores;
};

// One <item> of an RSS document; fields left empty are left out.
struct RssItem
{
    QString title;
    QString link;
    QString description;
    QString pubDate;
    QString guid;
    QString url;
    QString extra; // raw XML appended inside the item
};

QByteArray rssDocument(const QList<RssItem> &items,
                       const QString &channelTitle = QStringLiteral("Channel"),
                       const QString &channelExtra = QString());

// One <entry> of an Atom document; fields left empty are left out. The link is written as
// <link rel="alternate" href="..."/>.
struct AtomEntry
{
    QString title;
    QString link;
    QString summary;
    QString updated; // RFC 3339
    QString id;
    QString extra; // raw XML appended inside the entry
};

// An Atom 1.0 feed in the Atom namespace, with a self link and a subtitle.
QByteArray atomDocument(const QList<AtomEntry> &entries,
                        const QString &feedTitle = QStringLiteral("Atom feed"));

// Test main for areas whose pages hold an embedded browser: the browser needs shared GL contexts
// set before the application exists.
#define NEWS_TEST_MAIN(TestClass)                                                                  \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                \
        QApplication application(argc, argv);                                                      \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
