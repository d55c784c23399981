// Portfolio page refresh with a large portfolio: 1 000 holdings and 10 000 cash transactions.
#include "portfolio/portfolioclass.h"
#include "portfolio/portfoliostore.h"
#include "support/benchreport.h"
#include "support/marketdatafixture.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <ctime>

namespace {

void fillPortfolio(MarketDataFixture &fixture, int holdings, int transactions)
{
    GDatabaseClass &store = fixture.store();
    store.ExecSQL("BEGIN TRANSACTION;");
    for (int i = 0; i < holdings; ++i) {
        store.ExecSQL(QString("INSERT INTO portfolio (symbol,date,noShares,buyPrice,transType,"
                              "commission,notes) VALUES ('S%1','Mon Dec 7 2026','%2','%3','%4',"
                              "'9.95','')")
                          .arg(i)
                          .arg(10 + i % 500)
                          .arg(5 + (i % 97) * 0.25)
                          .arg(i % 10 ? "LONG" : "SHORT"));
        for (const auto &[name, value] :
             {std::pair{"LastTradePriceOnly", QString::number(6 + (i % 89) * 0.3)},
              std::pair{"Change", QString::number((i % 21 - 10) * 0.05)},
              std::pair{"PercentChange", QString("%1%").arg((i % 21 - 10) * 0.1)}})
            store.ExecSQL(QString("INSERT INTO fData (symbol,name,value) VALUES ('S%1','%2','%3')")
                              .arg(i)
                              .arg(name, value));
    }
    const char *types[] = {"BUY", "SELL", "DEPOSIT", "WITHDRAWL"};
    for (int i = 0; i < transactions; ++i)
        store.ExecSQL(QString("INSERT INTO portfolio (symbol,date,noShares,buyPrice,transType,"
                              "commission,notes) VALUES ('S%1','Mon Dec 7 2026','%2','%3','%4',"
                              "'4.95','')")
                          .arg(i % holdings)
                          .arg(1 + i % 300)
                          .arg(3 + (i % 53) * 0.5)
                          .arg(types[i % 4]));
    store.ExecSQL("COMMIT;");
}

// CPU time of this thread: the machine the benchmarks run on is often shared, and the wall
// clock then measures the neighbours too.
double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    MarketDataFixture fixture;
    fixture.open();
    fixture.storeFixture().boxes().clear();
    fillPortfolio(fixture, 1000, 10000);

    QWidget host;
    host.resize(1280, 760);
    PortfolioClass page(&host);
    host.show();
    QCoreApplication::processEvents();

    QList<double> both, bothCpu, holdings, transactions, storeRead;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer clock;
        clock.start();
        const double cpuStart = threadMilliseconds();
        page.displayPortfolio();
        const double first = clock.nsecsElapsed() / 1e6;
        page.displayTransactions();
        const double total = clock.nsecsElapsed() / 1e6;
        bothCpu << threadMilliseconds() - cpuStart;
        // Paint what was filled, as the event loop would between refreshes.
        QCoreApplication::processEvents();
        holdings << first;
        transactions << total - first;
        both << total;

        clock.restart();
        PortfolioStore::read(*GDatabaseClass::mainInstance());
        storeRead << clock.nsecsElapsed() / 1e6;
    }
    // After a trade: a new first row shifts every transaction row, so every cell changes.
    QList<double> afterChange;
    for (int run = 0; run < 7; ++run) {
        fixture.store().ExecSQL(
            QString("INSERT INTO portfolio (symbol,date,noShares,buyPrice,transType,commission,"
                    "notes) VALUES ('A%1','Mon Dec 7 2026','1','%2','DEPOSIT','0','')")
                .arg(run)
                .arg(100 + run));
        QElapsedTimer clock;
        clock.start();
        page.displayPortfolio();
        page.displayTransactions();
        afterChange << clock.nsecsElapsed() / 1e6;
        QCoreApplication::processEvents();
    }
    benchReport("portfolio_store_read", median(storeRead), "ms");
    benchReport("portfolio_display_holdings_1000", median(holdings), "ms");
    benchReport("portfolio_display_transactions_10000", median(transactions), "ms");
    benchReport("portfolio_display_both", median(both), "ms");
    benchReport("portfolio_display_both_cpu", median(bothCpu), "ms");
    benchReport("portfolio_display_both_after_new_first_row", median(afterChange), "ms");
    return 0;
}
