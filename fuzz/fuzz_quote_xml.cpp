// The quote service's XML reply: every quote the parser yields is well formed.
#include "marketdata/quotesnapshot.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto quotes = QuoteSnapshot::parseReply(body);
    if (!quotes)
        return 0;
    for (const QuoteSnapshot::Quote &quote : *quotes) {
        for (const QuoteSnapshot::Field &field : quote.fields) {
            // An element without text is shown as " - ", never as an empty value.
            if (field.value.trimmed().isEmpty() || field.name.isEmpty())
                std::abort();
        }
    }
    return 0;
}
