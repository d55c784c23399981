// The quote service's XML reply and the snapshot statements built from it.
#include "marketdata/quotesnapshot.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto quotes = QuoteSnapshot::parseReply(body);
    if (!quotes)
        return 0;
    const QStringList statements = QuoteSnapshot::storeStatements(*quotes);
    for (const QString &statement : statements) {
        // Every text value is quoted: an odd number of apostrophes would mean one got out.
        if (statement.count(QLatin1Char('\'')) % 2 != 0)
            std::abort();
    }
    return 0;
}
