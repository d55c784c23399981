#pragma once
// Number formats of labels: "" general, "@" the caller's default precision, "N" N decimal
// places, "PN" N significant digits; an optional thousands separator and decimal point follow
// the digits ("2,." gives 1,234.56, "~" for no separator).

#include <QChar>
#include <QString>
#include <QStringView>

namespace TextFormat {

struct ByteSink;

// Formats a number ("" general, "@", "2", "P3", "2,.").
QString formatNumber(double v, QStringView format, int defaultDecimals = -1);
void appendNumber(QString &out, double v, QStringView format, int defaultDecimals = -1);
// A number in the shortest form that shows it exactly enough ("12.5", "1000").
QString formatGeneral(double v);

// A number format read once, so that a template formats many points without reading it again.
struct NumberFormat
{
    bool plain = true; // "" or "@": the default decimals, else general
    bool significant = false;
    int digits = -1;
    QChar thousands, point;
};

NumberFormat parseNumberFormat(QStringView format);
// Writes v by a format read before; a missing value writes nothing. defaultDecimals serves
// "", "@" and formats of separators only (-1 = general).
void numberInto(QString &out, double v, const NumberFormat &format, int defaultDecimals = -1);
void numberInto(ByteSink &out, double v, const NumberFormat &format, int defaultDecimals = -1);

} // namespace TextFormat
