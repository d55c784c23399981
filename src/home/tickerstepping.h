#pragma once

#include <QString>
#include <QStringList>

// Which symbol the price ticker shows next. The list is read afresh on every step, so a symbol
// added meanwhile joins the round and one deleted while it was next in turn is skipped.
namespace TickerStepping {

struct Step
{
    bool empty = true; // no symbols: the ticker shows nothing
    QString symbol;
    QString companyName; // empty when the row has none
    int nextIndex = 0;
};

// rows: "symbol|companyName" row strings in display order. An index past the end starts the
// round again at the first symbol.
Step step(const QStringList &rows, int index);

} // namespace TickerStepping
