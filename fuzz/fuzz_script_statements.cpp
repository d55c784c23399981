// The data script runner's statement splitter (the vendor's Data.txt is network text).
#include "store/sqlscript.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &statement : sqlScriptStatements(lines)) {
        if (!statement.endsWith(QLatin1Char(';')))
            std::abort(); // a statement ends where a line ends with ";"
    }
    return 0;
}
