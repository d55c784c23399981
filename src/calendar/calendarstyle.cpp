#include "calendar/calendarstyle.h"

namespace CalendarStyle {

Importance importance(const QString &level)
{
    const QString lower = level.toLower();
    if (lower == QLatin1String("low"))
        return {QStringLiteral("Low"), QColor(QStringLiteral("#086AA9"))};
    if (lower == QLatin1String("medium"))
        return {QStringLiteral("Medium"), QColor(QStringLiteral("#A59B03"))};
    return {QStringLiteral("High"), QColor(QStringLiteral("#E93631"))};
}

QColor dateBackground()
{
    return QColor(QStringLiteral("#086AA9"));
}

QColor actualColour(const QString &actual, const QString &previous)
{
    // Thousands separators ("1,845.2B") would otherwise make the text no number at all.
    QString a = actual;
    QString p = previous;
    a.remove(QLatin1Char(','));
    p.remove(QLatin1Char(','));
    for (const QChar unit : {u'$', u'%', u'B', u'K', u'M'}) {
        if (actual.contains(unit)) {
            a.remove(unit);
            p.remove(unit);
        }
    }
    const double actualNumber = a.toDouble();
    const double previousNumber = p.toDouble();
    if (previousNumber > actualNumber)
        return QColor(QStringLiteral("Crimson"));
    if (previousNumber < actualNumber)
        return QColor(QStringLiteral("Green"));
    return {};
}

} // namespace CalendarStyle
