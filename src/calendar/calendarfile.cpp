#include "calendar/calendarfile.h"

#include "store/sqlquoting.h"

namespace CalendarFile {

namespace {

constexpr int FieldsPerLine = 9;

QString storable(QString field)
{
    field.remove(QLatin1Char('|'));
    return sqlQuoted(field);
}

} // namespace

QDate fileDate(QDate day)
{
    // dayOfWeek(): Monday 1 ... Sunday 7.
    return day.addDays(-(day.dayOfWeek() % 7));
}

QString fileName(QDate sunday)
{
    return QStringLiteral("Calendar-%1.csv").arg(sunday.toString(QStringLiteral("MM-dd-yyyy")));
}

QString filePath(QDate sunday)
{
    return QStringLiteral("/files/") + fileName(sunday);
}

QStringList lineFields(const QString &line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c != QLatin1Char('"')) {
                field += c;
            } else if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
                field += c;
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
        } else {
            field += c;
        }
    }
    if (quoted)
        return {};
    fields << field;
    return fields;
}

QList<Event> parse(const QString &text)
{
    QList<Event> events;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype index = 1; index < lines.size(); ++index) {
        QString line = lines.at(index);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringList f = lineFields(line);
        if (f.size() != FieldsPerLine)
            continue;
        events.append({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]});
    }
    return events;
}

QStringList replaceStatements(const QList<Event> &events)
{
    QStringList statements{QStringLiteral("DELETE FROM economicCalendar")};
    statements.reserve(events.size() + 1);
    for (const Event &e : events) {
        statements << QStringLiteral("INSERT INTO economicCalendar "
                                     "(date,time,tmz,currency,desc,level,actual,forecast,previous) "
                                     "VALUES(%1,%2,%3,%4,%5,%6,%7,%8,%9);")
                          .arg(storable(e.date), storable(e.time), storable(e.timeZone),
                               storable(e.currency), storable(e.description), storable(e.level),
                               storable(e.actual), storable(e.forecast), storable(e.previous));
    }
    return statements;
}

QString selectStatement()
{
    return QStringLiteral("SELECT date,time,currency,desc,level,actual,forecast,previous "
                          "FROM economicCalendar ORDER BY id");
}

Event fromStoredRow(const QString &row)
{
    const QStringList f = row.split(QLatin1Char('|'));
    Event event;
    event.date = f.value(0);
    event.time = f.value(1);
    event.currency = f.value(2);
    event.description = f.value(3);
    event.level = f.value(4);
    event.actual = f.value(5);
    event.forecast = f.value(6);
    event.previous = f.value(7);
    return event;
}

} // namespace CalendarFile
