// The quote-line service's one CSV line.
#include "marketdata/symbollookup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList fields = SymbolLookup::splitQuoteLine(body);
    (void)fields.value(3);
    return 0;
}
