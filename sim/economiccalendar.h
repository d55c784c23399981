#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QStringList>

// The weekly economic calendar file in the calendar service's form: a header line, then one line
// per release from Sunday to Friday. Values are derived from the week and the event, so a week
// always reads the same; releases still ahead of `now` have no actual value yet.
namespace EconomicCalendar {

QByteArray weekFile(QDate sunday, const QDateTime &now);

// The currencies the file uses, lower case ("usd", ...): the flags the service must know.
QStringList currencies();

} // namespace EconomicCalendar
