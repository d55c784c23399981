#pragma once

#include "support/storefixture.h"

#include <QWidget>

#include <memory>

// An open store made the process-wide one, a few followed symbols, and a host widget of a
// realistic size for chart pages to install themselves on.
class ChartPageFixture
{
public:
    ChartPageFixture();
    ~ChartPageFixture();

    GDatabaseClass &store() { return fixture.store(); }
    StoreFixture &base() { return fixture; }
    QWidget *newHost(int width = 1000, int height = 760);

    void addSymbol(const QString &symbol, const QString &company);
    // count daily rows ending today-ish, closes rising by `step` from `firstClose`.
    void addDailyHistory(const QString &symbol, int count, double firstClose = 100,
                         double step = 1);
    // A news item of feed 1 for the symbol, `daysAgo` days (plus minutes) before now.
    void addNews(const QString &symbol, const QString &title, int daysAgo, int minutes = 0);

private:
    StoreFixture fixture;
    std::vector<std::unique_ptr<QWidget>> hosts;
};
