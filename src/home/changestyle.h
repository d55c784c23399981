#pragma once

#include <QString>

// The home page colours a change by the sign in its text: the widgets take an object name that
// the application style sheet paints green, red or neutral.
namespace ChangeStyle {

enum class Direction
{
    Up,
    Down,
    Flat
};

// Up when the text holds a "+", otherwise down when it holds a "-", otherwise flat (also for
// an empty text or "N/A").
Direction directionOf(const QString &changeText);

// "ticker_labelUP", "ticker_labelDOWN" or "ticker_labelFLAT".
QString tickerLabelName(Direction direction);

// "changeUpGroupBox", "changeDownGroupBox" or "changeGroupBox".
QString changeBoxName(Direction direction);

} // namespace ChangeStyle
