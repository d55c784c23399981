#pragma once

#include "support/storefixture.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// A temporary profile with an open store that the market-data code reaches as the main store,
// plus builders for the replies of the quote, history and suggest services.
class MarketDataFixture
{
public:
    MarketDataFixture();
    ~MarketDataFixture();

    bool open();
    GDatabaseClass &store() { return base.store(); }
    StoreFixture &storeFixture() { return base; }
    QStringList rows(const QString &query) { return base.rows(query); }
    int count(const QString &table) { return base.count(table); }

    void addSymbol(const QString &symbol, const QString &name = QString(),
                   const QString &exchange = QString());
    // A fields row: code, label, align, position (99 = hidden).
    void addField(const QString &code, const QString &label, const QString &align, int pos);
    void addSnapshotValue(const QString &symbol, const QString &name, const QString &value);

    using Fields = QList<QPair<QString, QString>>; // element name, text ("" = empty element)
    // A quote-service document with one <quote> per entry.
    static QByteArray quoteReply(const QList<QPair<QString, Fields>> &quotes);
    // The same document for many symbols, each with `fieldCount` numbered fields.
    static QByteArray largeQuoteReply(int symbols, int fieldCount);

    // A daily history body in the service's layout (date, close, high, low, open, volume).
    static QByteArray historyReply(const QString &symbol, const QStringList &dataLines,
                                   bool withValuesLine = true);
    // `lines` daily lines starting 2000-01-03.
    static QByteArray largeHistoryReply(const QString &symbol, int lines);

    // callback({"ResultSet":{"Query":..., "Result":[...]}}) with symbol, name, exch, typeDisp.
    struct Suggestion
    {
        QString symbol;
        QString name;
        QString exchange;
        QString typeDisplay;
    };
    static QByteArray suggestReply(const QString &query, const QList<Suggestion> &results);

private:
    StoreFixture base;
    GDatabaseClass *previousMain;
};

// Points every service address at a base URL for the lifetime of the object.
class ServiceUrlOverride
{
public:
    explicit ServiceUrlOverride(const QString &url);
    ~ServiceUrlOverride();

private:
    QByteArray previous;
};

// Shortens the bound of blocking waits for one test, so that a wait that runs out does not take
// the application's ten seconds.
class BlockingWaitOverride
{
public:
    explicit BlockingWaitOverride(int milliseconds);
    ~BlockingWaitOverride();

private:
    int previous;
};
