#pragma once

#include <QString>
#include <QStringList>

// Trading-signal arithmetic over price rows ("date|close", ascending by date). Results are text
// in the shortest general number form, one entry per price row.
namespace SignalMath {

// Relative strength index; a period of 0 means 14. Zero for the first `period` rows.
QStringList rsi(const QStringList &priceRows, int period);

// One "EMA12|EMA26|MACD|signal|" row per price row, then "min|max" of the MACD values.
// The fast and slow lengths are fixed at 12 and 26.
QStringList macd(const QStringList &priceRows);

// "date|close|LONG", "date|close|SHORT" or "" per price row, from the RSI (of rsiPeriod; 0
// means 14) crossing the bottom or top level while MACD is at or beyond its signal line.
QStringList signalRows(const QStringList &priceRows, double top, double bottom, int rsiPeriod = 10);

// Column 7 of the calculator's own table ("Short", "Long" or ""), with its fixed 70/30 levels.
QString testDisplaySignal(double rsi, double previousRsi, double macd, double signal);

QString number(double value);

} // namespace SignalMath
