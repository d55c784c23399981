#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The weekly calendar file: which file covers a day, how its lines read, and the statements that
// store it. Pure functions, so the page only wires them to the network and the table.
namespace CalendarFile {

// One scheduled release, the nine fields of a file line in their order.
struct Event
{
    QString date; // "Mon Nov 23", no year
    QString time; // "13:30", empty for holidays
    QString timeZone;
    QString currency; // "USD"
    QString description;
    QString level; // "Low", "Medium" or "High" in any letter case
    QString actual;
    QString forecast;
    QString previous;

    bool operator==(const Event &other) const = default;
};

// Files are dated by the Sunday that starts their week: the day itself when it is a Sunday,
// otherwise the Sunday before it.
QDate fileDate(QDate day);
// "Calendar-03-11-2012.csv" for Sunday 11 March 2012.
QString fileName(QDate sunday);
// The service path of a week's file.
QString filePath(QDate sunday);

// The fields of one line. A field may be quoted: inside quotes a comma is text and a doubled
// quote is one quote. A line whose quote is never closed yields no fields. Only as much CSV as
// this file uses; no line breaks inside fields.
QStringList lineFields(const QString &line);

// Every line after the header that holds exactly nine fields; line ends "\r\n" and "\n" alike.
QList<Event> parse(const QString &text);

// The statements that replace the stored week with `events`, to be run in one transaction
// (GDatabaseClass::runInTransaction), so that a failing one leaves the stored week as it was.
// The text is quoted, so an apostrophe never loses a line; "|" is dropped because it separates the
// columns of a row string.
QStringList replaceStatements(const QList<Event> &events);

// The stored week, in the file's order.
QString selectStatement();
// One row string of selectStatement() read back (date, time, currency, event, level, actual,
// forecast, previous; no time zone).
Event fromStoredRow(const QString &row);

} // namespace CalendarFile
