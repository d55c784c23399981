#pragma once

#include "support/marketdatafixture.h"
#include "support/scriptedhttpserver.h"

#include <QWidget>

#include <memory>

class ChartClass;
class WatchlistClass;

// An open store made the process-wide one, a scripted suggest service on loopback that every
// service address points at, and builders for lists, watched symbols, quotes and alerts.
class WatchlistFixture
{
public:
    WatchlistFixture();
    ~WatchlistFixture();

    GDatabaseClass &store() { return market.store(); }
    MessageBoxAnswers &boxes() { return market.storeFixture().boxes(); }
    ScriptedHttpServer &server() { return services; }
    QStringList rows(const QString &query) { return market.rows(query); }
    int count(const QString &table) { return market.count(table); }

    qint64 addList(const QString &title);
    void watch(const QString &symbol, qint64 listId, double shares = 0);
    void quote(const QString &symbol, const QString &name, const QString &value);
    void addAlert(const QString &symbol);
    void follow(const QString &symbol, const QString &company);
    // The suggest service answers every text with these matches.
    void suggest(const QList<MarketDataFixture::Suggestion> &matches);

    // The page on a container of its own, as the main window builds it.
    WatchlistClass *newPage();
    // Chart tabs made the process-wide ones.
    ChartClass *newChartTabs();

private:
    MarketDataFixture market;
    ScriptedHttpServer services;
    std::unique_ptr<ServiceUrlOverride> serviceUrl;
    std::vector<std::unique_ptr<QWidget>> containers;
};
