#pragma once
// Date formats of labels: yyyy yy mmmm mmm mm m dddd ddd dd d hh h nn n ss s a (am/pm, which
// makes hours 12-hour); any other character is literal text. Times are chart times.

#include <QString>
#include <QStringView>
#include <string>
#include <vector>

namespace TextFormat {

struct ByteSink;

// Formats a chart time with a date format.
QString formatDate(double chartTime, QStringView format);
void appendDate(QString &out, double chartTime, QStringView format);
// Default text of a chart time: "Mar 5, 2024" or "Mar 5, 2024 14:30:00".
void appendDefaultDate(QString &out, double chartTime);
// True when the format is a date format rather than a number format.
bool isDateFormat(QStringView format);

// A date format split once into its runs ("mmm", "d", ", ", "yyyy").
struct DateFormat
{
    struct Token
    {
        char kind; // y m d h n s a, or 0 for literal text
        int count;
        QString text;     // literal text
        std::string utf8; // the same as UTF-8, one character at a time
    };
    std::vector<Token> tokens;
    bool twelveHour = false;
};

DateFormat parseDateFormat(QStringView format);
// Write a chart time by a format read before, or in the default form; a missing time writes
// nothing.
void dateInto(QString &out, double chartTime, const DateFormat &format);
void dateInto(ByteSink &out, double chartTime, const DateFormat &format);
void defaultDateInto(QString &out, double chartTime);
void defaultDateInto(ByteSink &out, double chartTime);

} // namespace TextFormat
