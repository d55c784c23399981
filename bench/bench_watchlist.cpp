// Watchlist page: the grid refilled from the store, as the page's 15 s timer does it.
#include "support/benchreport.h"
#include "support/watchlistfixture.h"
#include "watchlists/watchlistclass.h"
#include "watchlists/watchlistgrid.h"

#include <QApplication>
#include <QComboBox>
#include <QTableWidget>

#include <algorithm>
#include <vector>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    WatchlistFixture fixture;
    GDatabaseClass &store = fixture.store();

    // 500 symbols on the shown list, each also on a second list, with a full snapshot of 82
    // fields per symbol (as the quote service sends them), share counts and some alerts.
    constexpr int Symbols = 500;
    const qint64 shown = fixture.addList(QStringLiteral("Shown"));
    const qint64 other = fixture.addList(QStringLiteral("Other"));
    store.ExecSQL(QStringLiteral("BEGIN TRANSACTION;"));
    for (int i = 0; i < Symbols; ++i) {
        const QString symbol = QStringLiteral("S%1").arg(i, 4, 10, QLatin1Char('0'));
        fixture.watch(symbol, shown, i * 10);
        fixture.watch(symbol, other, i * 10);
        fixture.quote(symbol, QStringLiteral("LastTradePriceOnly"), QString::number(10 + i * 0.5));
        fixture.quote(symbol, QStringLiteral("Change"), QStringLiteral("%1").arg(i % 7 - 3));
        fixture.quote(symbol, QStringLiteral("ChangeinPercent"),
                      QStringLiteral("%1%").arg((i % 7 - 3) * 0.4));
        fixture.quote(symbol, QStringLiteral("EarningsShare"), QStringLiteral("1.25"));
        fixture.quote(symbol, QStringLiteral("DividendShare"), QStringLiteral("0.40"));
        fixture.quote(symbol, QStringLiteral("DividendYield"), QStringLiteral("1.10"));
        for (int field = 0; field < 76; ++field)
            fixture.quote(symbol, QStringLiteral("Field%1").arg(field), QStringLiteral("1"));
        if (i % 10 == 0)
            fixture.addAlert(symbol);
    }
    store.ExecSQL(QStringLiteral("COMMIT;"));

    WatchlistClass *page = fixture.newPage();
    page->parentWidget()->show();
    QCoreApplication::processEvents();
    if (page->grid()->rowCount() != Symbols + 2)
        std::fprintf(stderr, "bench_watchlist: expected %d rows, found %d\n", Symbols + 2,
                     page->grid()->rowCount());

    // The 15 s refresh between two quote snapshots: nothing changed.
    benchReport("watchlist_drawgrid_500_unchanged",
                benchMedianMs(9,
                              [&] {
                                  page->drawGrid();
                                  QCoreApplication::processEvents(); // the repaint belongs to it
                              }),
                "ms");

    // The first refresh after a new snapshot: every price moved.
    std::vector<double> times;
    for (int run = 0; run < 9; ++run) {
        store.ExecSQL(QStringLiteral("UPDATE fData SET value=value+0.01 WHERE "
                                     "name='LastTradePriceOnly'"));
        times.push_back(benchMedianMs(1, [&] {
            page->drawGrid();
            QCoreApplication::processEvents();
        }));
    }
    std::sort(times.begin(), times.end());
    benchReport("watchlist_drawgrid_500_all_prices_moved", times.at(times.size() / 2), "ms");

    // Choosing the other list of 500: every row built anew.
    benchReport("watchlist_drawgrid_500_other_list",
                benchMedianMs(9,
                              [&] {
                                  page->listBox()->setCurrentIndex(1 -
                                                                   page->listBox()->currentIndex());
                                  QCoreApplication::processEvents();
                              }),
                "ms");
    benchReport("watchlist_load_500_symbols",
                benchMedianMs(9, [&] { WatchlistGrid::load(store, shown); }), "ms");
    return 0;
}
