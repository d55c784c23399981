#include "home/tickerstepping.h"

namespace TickerStepping {

Step step(const QStringList &rows, int index)
{
    if (rows.isEmpty())
        return {};
    if (index < 0 || index >= rows.size())
        index = 0;
    const QString &row = rows.at(index);
    const qsizetype bar = row.indexOf(QLatin1Char('|'));
    Step shown;
    shown.empty = false;
    shown.symbol = bar < 0 ? row : row.left(bar);
    // A name is stored without "|"; should one slip in, it stays whole rather than cut short.
    shown.companyName = bar < 0 ? QString() : row.mid(bar + 1);
    shown.nextIndex = index + 1;
    return shown;
}

} // namespace TickerStepping
