// Quote snapshot and price history: a reply parsed and stored, as the pages do it.
#include "marketdata/pricehistory.h"
#include "marketdata/quotesnapshot.h"
#include "support/benchreport.h"
#include "support/marketdatafixture.h"

#include <QApplication>

#include <memory>
#include <optional>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    std::optional<MarketDataFixture> fixture(std::in_place);
    fixture->open();
    GDatabaseClass &store = fixture->store();

    const QByteArray quotes = MarketDataFixture::largeQuoteReply(500, 82);
    int storedFields = 0;
    // Every refresh replaces the rows of the same symbols, as this does after its first run.
    const double quoteMs = benchMedianMs(7, [&] {
        const auto parsed = QuoteSnapshot::parseReply(quotes);
        QuoteSnapshot::store(store, parsed.value());
    });
    storedFields = fixture->count("fData");
    fixture.reset(); // one store open at a time: they share the connection
    benchReport("quote_snapshot_500x82_parse_and_store", quoteMs, "ms");
    benchReport("quote_snapshot_500x82_parse_only",
                benchMedianMs(7, [&] { QuoteSnapshot::parseReply(quotes); }), "ms");
    if (storedFields != 500 * 82) {
        std::fprintf(stderr, "bench_marketdata: expected %d fData rows, found %d\n", 500 * 82,
                     storedFields);
        return 1;
    }

    const QString history =
        QString::fromLatin1(MarketDataFixture::largeHistoryReply("BENCH", 10000));
    benchReport("history_daily_10000_lines_parse_only",
                benchMedianMs(7, [&] { PriceHistory::parseReply(history); }), "ms");
    // A history is downloaded once per symbol and range: each run stores into a fresh store, not
    // over the rows of the run before.
    std::unique_ptr<MarketDataFixture> fresh;
    const double historyMs = benchMedianMs(
        7,
        [&] {
            fresh.reset();
            fresh = std::make_unique<MarketDataFixture>();
            fresh->open();
        },
        [&] {
            const PriceHistory::Parsed parsed = PriceHistory::parseReply(history);
            PriceHistory::store(fresh->store(), QStringLiteral("BENCH"), parsed.rows);
        });
    benchReport("history_daily_10000_lines_parse_and_store", historyMs, "ms");
    const int storedRows = fresh->count("qData");
    if (storedRows != 10000) {
        std::fprintf(stderr, "bench_marketdata: expected 10000 qData rows, found %d\n", storedRows);
        return 1;
    }
    return 0;
}
