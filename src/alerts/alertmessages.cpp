#include "alerts/alertmessages.h"

#include "alerts/alertrules.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

namespace AlertMessages {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("AlertMessages", text);
}

QDateTime localTime(const AlertEvaluation::Firing &firing)
{
    return QDateTime::fromMSecsSinceEpoch(firing.time).toLocalTime();
}

} // namespace

QString condition(const AlertEvaluation::Firing &firing)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(firing.symbol, firing.field, AlertRules::compareSymbol(firing.compare),
             firing.threshold);
}

QString timeText(const AlertEvaluation::Firing &firing)
{
    return QLocale().toString(localTime(firing), QLocale::ShortFormat);
}

QString subject(const AlertEvaluation::Firing &firing)
{
    return tr("Corvane alert: %1").arg(condition(firing));
}

QString body(const AlertEvaluation::Firing &firing)
{
    return tr("Your alert fired.\n\n"
              "Symbol: %1\nField: %2\nCondition: %3 %4\nValue seen: %5\nTime: %6\n\n"
              "Corvane tells you once each time the condition becomes true.\n")
        .arg(firing.symbol, firing.field, AlertRules::compareSymbol(firing.compare),
             firing.threshold, firing.value, timeText(firing));
}

QString shortText(const AlertEvaluation::Firing &firing)
{
    return tr("%1: %2 at %3")
        .arg(condition(firing), firing.value,
             QLocale().toString(localTime(firing).time(), QLocale::ShortFormat));
}

} // namespace AlertMessages
