#pragma once

#include <QColor>
#include <QString>

// How a calendar row is coloured: the importance cell by its level, the actual value by how it
// compares with the previous one.
namespace CalendarStyle {

struct Importance
{
    QString label; // "Low", "Medium" or "High"
    QColor background;
};

// "low" and "medium" in any letter case; every other level counts as high.
Importance importance(const QString &level);

// The background of a date cell that starts a new day.
QColor dateBackground();

// Crimson when the actual value fell short of the previous one, Green when it rose above it, an
// invalid colour (the default) when they are equal. Units ("$", "%", "B", "K", "M") that the
// actual value carries are dropped from both before the numbers are read, and so are thousands
// separators; text that is no number reads as 0.
QColor actualColour(const QString &actual, const QString &previous);

} // namespace CalendarStyle
