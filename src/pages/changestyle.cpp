#include "pages/changestyle.h"

namespace ChangeStyle {

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
    switch (direction) {
    case Direction::Up:
        return QStringLiteral("ticker_labelUP");
    case Direction::Down:
        return QStringLiteral("ticker_labelDOWN");
    case Direction::Flat:
        break;
    }
    return QStringLiteral("ticker_labelFLAT");
}

QString changeBoxName(Direction direction)
{
    switch (direction) {
    case Direction::Up:
        return QStringLiteral("changeUpGroupBox");
    case Direction::Down:
        return QStringLiteral("changeDownGroupBox");
    case Direction::Flat:
        break;
    }
    return QStringLiteral("changeGroupBox");
}

} // namespace ChangeStyle
