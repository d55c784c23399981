// Quote snapshot and price history: a reply parsed and stored, as the pages do it.
#include "marketdata/pricehistory.h"
#include "marketdata/quotesnapshot.h"
#include "support/benchreport.h"
#include "support/marketdatafixture.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    MarketDataFixture fixture;
    fixture.open();
    GDatabaseClass &store = fixture.store();

    const QByteArray quotes = MarketDataFixture::largeQuoteReply(500, 82);
    int storedFields = 0;
    const double quoteMs = benchMedianMs(7, [&] {
        const auto parsed = QuoteSnapshot::parseReply(quotes);
        QuoteSnapshot::store(store, parsed.value());
    });
    storedFields = fixture.count("fData");
    benchReport("quote_snapshot_500x82_parse_and_store", quoteMs, "ms");
    benchReport("quote_snapshot_500x82_parse_only",
                benchMedianMs(7, [&] { QuoteSnapshot::parseReply(quotes); }), "ms");
    if (storedFields != 500 * 82)
        std::fprintf(stderr, "bench_marketdata: expected %d fData rows, found %d\n", 500 * 82,
                     storedFields);

    const QString history =
        QString::fromLatin1(MarketDataFixture::largeHistoryReply("BENCH", 10000));
    const double historyMs = benchMedianMs(7, [&] {
        const PriceHistory::Parsed parsed = PriceHistory::parseReply(history);
        PriceHistory::store(store, QStringLiteral("BENCH"), parsed.rows);
    });
    benchReport("history_daily_10000_lines_parse_and_store", historyMs, "ms");
    benchReport("history_daily_10000_lines_parse_only",
                benchMedianMs(7, [&] { PriceHistory::parseReply(history); }), "ms");
    const int storedRows = fixture.count("qData");
    if (storedRows != 10000)
        std::fprintf(stderr, "bench_marketdata: expected 10000 qData rows, found %d\n", storedRows);
    return 0;
}
