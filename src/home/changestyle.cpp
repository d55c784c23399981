#include "home/changestyle.h"

namespace ChangeStyle {

namespace {

QString byDirection(Direction direction, const char *up, const char *down, const char *flat)
{
    switch (direction) {
    case Direction::Up:
        return QString::fromLatin1(up);
    case Direction::Down:
        return QString::fromLatin1(down);
    case Direction::Flat:
        break;
    }
    return QString::fromLatin1(flat);
}

} // namespace

Direction directionOf(const QString &changeText)
{
    if (changeText.contains(QLatin1Char('+')))
        return Direction::Up;
    if (changeText.contains(QLatin1Char('-')))
        return Direction::Down;
    return Direction::Flat;
}

QString tickerLabelName(Direction direction)
{
    return byDirection(direction, "ticker_labelUP", "ticker_labelDOWN", "ticker_labelFLAT");
}

QString changeBoxName(Direction direction)
{
    return byDirection(direction, "changeUpGroupBox", "changeDownGroupBox", "changeGroupBox");
}

} // namespace ChangeStyle
