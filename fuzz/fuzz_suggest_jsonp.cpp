// The symbol-suggest reply: a callback wrapped round a JSON object, read as data.
#include "marketdata/symbollookup.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto matches = SymbolLookup::parseSuggestReply(body);
    if (!matches)
        return 0;
    for (const SymbolLookup::Match &match : *matches) {
        if (match.symbol.contains(QChar(0)) || match.symbol.contains(QLatin1Char('|')))
            std::abort(); // such symbols are refused
        (void)SymbolLookup::completionText(match);
    }
    return 0;
}
