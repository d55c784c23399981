#pragma once

#include "support/storefixture.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

// Home page and ticker tests: an open store reached as the main store, with builders for
// symbols, snapshot values, news templates and news items.
class HomeFixture
{
public:
    HomeFixture();
    ~HomeFixture();

    GDatabaseClass &store() { return stores.store(); }
    QStringList rows(const QString &query) { return stores.rows(query); }

    void addSymbol(const QString &symbol, const QString &companyName = QString());
    void setQuote(const QString &symbol, const QString &field, const QString &value);
    void addFeed(int id, const QString &title, const QString &colour);
    // Returns the new item's id.
    QString addNewsItem(int feedId, const QString &symbol, const QString &title, const QString &url,
                        qint64 pubDateMs, int read = 0);

private:
    StoreFixture stores;
    GDatabaseClass *previousMain;
};

// Records the addresses handed to the desktop instead of starting a browser.
class OpenedLinks : public QObject
{
    Q_OBJECT

public:
    OpenedLinks();
    ~OpenedLinks() override;
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }
};
