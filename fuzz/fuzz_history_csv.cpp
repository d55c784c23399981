// The history service's CSV reply: header, "values:" line and data lines; only numbers reach the
// stored rows.
#include "common/requests.h"
#include "marketdata/pricehistory.h"
#include "store/sqlquoting.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    const PriceHistory::Parsed parsed = PriceHistory::parseReply(Requests::latin1Text(body));
    for (const PriceHistory::Row &row : parsed.rows) {
        for (const QString *value :
             {&row.date, &row.open, &row.high, &row.low, &row.close, &row.volume}) {
            if (!isSqlNumber(*value))
                std::abort();
        }
    }
    return 0;
}
