#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// The small chart picture of the fundamentals page: the selectors' choices and the address of
// the picture from the chart image service.
namespace ChartPicture {

QStringList typeChoices();      // "Line", "Candle", "OHLC"
QStringList timeChoices();      // "1Day", "5Days", "3Months", "6Months"
QStringList technicalChoices(); // "Volume", "Bollinger", "Parabolic", "Splits"

// "/z?s=SYMBOL&l=on&z=s" and the parameter of each chosen index; an index outside a selector's
// choices adds nothing.
QUrl address(const QString &symbol, int typeIndex, int timeIndex, int technicalIndex);

} // namespace ChartPicture
