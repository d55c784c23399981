#include "support/watchlistfixture.h"

#include "charts/chartclass.h"
#include "store/sqlquoting.h"
#include "watchlists/watchlistclass.h"

WatchlistFixture::WatchlistFixture()
{
    market.open();
    boxes().clear(); // the first-run question is no part of what a test checks
    // Lookups and the history requests of chart pages stay on loopback (unscripted: 404).
    serviceUrl = std::make_unique<ServiceUrlOverride>(services.baseUrl());
}

WatchlistFixture::~WatchlistFixture()
{
    // Pages and chart tabs go before the store they read.
    containers.clear();
    ChartClass::setInstance(nullptr);
}

qint64 WatchlistFixture::addList(const QString &title)
{
    store().ExecSQL(
        QStringLiteral("INSERT INTO watchlists (title) VALUES(%1)").arg(sqlQuoted(title)));
    return store().GetSQL(QStringLiteral("SELECT MAX(id) FROM watchlists")).toLongLong();
}

void WatchlistFixture::watch(const QString &symbol, qint64 listId, double shares)
{
    store().ExecSQL(
        QStringLiteral("INSERT INTO watchedSymbols (symbol, listId, numShares) VALUES(%1,%2,%3)")
            .arg(sqlQuoted(symbol), QString::number(listId), QString::number(shares)));
}

void WatchlistFixture::quote(const QString &symbol, const QString &name, const QString &value)
{
    market.addSnapshotValue(symbol, name, value);
}

void WatchlistFixture::addAlert(const QString &symbol)
{
    store().ExecSQL(QStringLiteral("INSERT INTO alerts (symbol, column, compare, value) "
                                   "VALUES(%1,'LastTradePriceOnly',1,'10')")
                        .arg(sqlQuoted(symbol)));
}

void WatchlistFixture::follow(const QString &symbol, const QString &company)
{
    market.addSymbol(symbol, company, QStringLiteral("NMS"));
}

void WatchlistFixture::suggest(const QList<MarketDataFixture::Suggestion> &matches)
{
    services.scriptBody(QStringLiteral("/autoc.finance.yahoo.com/autoc"),
                        MarketDataFixture::suggestReply(QString(), matches));
}

WatchlistClass *WatchlistFixture::newPage()
{
    containers.push_back(std::make_unique<QWidget>());
    containers.back()->resize(1000, 500);
    return new WatchlistClass(containers.back().get());
}

ChartClass *WatchlistFixture::newChartTabs()
{
    containers.push_back(std::make_unique<QWidget>());
    containers.back()->resize(1000, 700);
    auto *charts = new ChartClass(containers.back().get());
    ChartClass::setInstance(charts);
    return charts;
}
