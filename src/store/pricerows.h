#pragma once
// A symbol's stored price rows read as numbers, column by column, for the chart page: the rows
// the chart draws run to tens of thousands, and reading them as row strings only to split and
// convert them back took most of the time of a drawing.

#include <QStringList>

#include <vector>

class GDatabaseClass;

namespace PriceRows {

struct Columns
{
    QStringList dates; // as stored: yyyymmdd, or Unix seconds for intraday rows
    std::vector<qint64> dateNumbers;
    std::vector<double> open, high, low, close, volume;
    int size() const { return int(dates.size()); }
};

// Every stored row of the symbol in the store's order; missing values read as 0, as in row
// strings. Empty when the store cannot be read.
Columns read(GDatabaseClass &store, const QString &symbol);

} // namespace PriceRows
