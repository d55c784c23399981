// Judging 1 000 enabled alerts against a 500-symbol quote snapshot on the GUI thread.
#include "alerts/alertevaluation.h"
#include "marketdata/quotesnapshot.h"
#include "support/alertfixture.h"
#include "support/benchreport.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>

namespace {

constexpr int Symbols = 500;
constexpr int Alerts = 1000;

// A snapshot of every symbol with the field codes the fixture labels plus filler fields, as
// many as a real quote reply carries.
QList<QuoteSnapshot::Quote> snapshot(double shift)
{
    QList<QuoteSnapshot::Quote> quotes;
    for (int s = 0; s < Symbols; ++s) {
        QuoteSnapshot::Quote quote{QStringLiteral("S%1").arg(s), {}};
        const double last = 50 + s % 200 + shift;
        quote.fields.append({QStringLiteral("LastTradePriceOnly"), QString::number(last, 'f', 2)});
        quote.fields.append(
            {QStringLiteral("ChangeinPercent"),
             QStringLiteral("%1%2%").arg(shift >= 0 ? "+" : "").arg(shift, 0, 'f', 2)});
        quote.fields.append({QStringLiteral("MarketCapitalization"),
                             QStringLiteral("%1B").arg(1 + s % 50 + shift / 10, 0, 'f', 2)});
        for (int f = 0; f < 80; ++f)
            quote.fields.append({QStringLiteral("Field%1").arg(f), QString::number(f * 1.5)});
        quotes.append(quote);
    }
    return quotes;
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
    AlertFixture fixture;
    fixture.open();
    GDatabaseClass &store = fixture.store();
    const QStringList fields{QStringLiteral("Last"), QStringLiteral("Change %"),
                             QStringLiteral("Market Cap")};
    const QStringList thresholds{QStringLiteral("150"), QStringLiteral("1%"),
                                 QStringLiteral("25B")};
    store.ExecSQL(QStringLiteral("BEGIN TRANSACTION;"));
    for (int a = 0; a < Alerts; ++a) {
        const int field = a % 3;
        fixture.addAlert({QStringLiteral("S%1").arg(a % Symbols), fields[field], a % 3,
                          thresholds[field], 2, 0, 0, 2});
    }
    store.ExecSQL(QStringLiteral("COMMIT;"));

    // Snapshots that swing up and down, so that every other round crosses many thresholds.
    QList<double> steady, crossing;
    QElapsedTimer clock;
    for (int round = 0; round < 12; ++round) {
        QuoteSnapshot::store(store, snapshot(round % 2 ? 3.0 : -3.0));
        clock.start();
        const auto firings = AlertEvaluation::run(store, 1700000000000 + round);
        const double ms = clock.nsecsElapsed() / 1e6;
        (round >= 2 && firings.isEmpty() ? steady : crossing).append(ms);
        // The same snapshot again: nothing crosses.
        clock.start();
        AlertEvaluation::run(store, 1700000000000 + round);
        steady.append(clock.nsecsElapsed() / 1e6);
    }
    benchReport("alerts_evaluate_1000_alerts_500_symbols_crossing", median(crossing), "ms");
    benchReport("alerts_evaluate_1000_alerts_500_symbols_steady", median(steady), "ms");
    benchReport("alerts_events_recorded", fixture.count(QStringLiteral("alertEvents")), "rows");
    return 0;
}
