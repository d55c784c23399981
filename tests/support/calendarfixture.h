#pragma once

#include "support/scriptedhttpserver.h"
#include "support/storefixture.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Calendar tests: an open store reachable as the process-wide instance, a scripted server standing
// in for the calendar and flag services, and a temporary working directory, so the flag cache
// ("Images/flags" beside the program) starts empty and the real one is never touched.
class CalendarFixture
{
public:
    CalendarFixture();
    ~CalendarFixture();

    GDatabaseClass &store() { return stores.store(); }
    ScriptedHttpServer &server() { return http; }
    MessageBoxAnswers &boxes() { return stores.boxes(); }
    QStringList rows(const QString &query) { return stores.rows(query); }
    int count(const QString &table) { return stores.count(table); }
    QString workingDirectory() const { return directory.path(); }

    // Scripts the file of the week starting on `sunday`.
    void scriptWeek(QDate sunday, const QByteArray &file, int status = 200);
    // A flag picture for a currency code (any case).
    void scriptFlag(const QString &currency);

private:
    StoreFixture stores;
    ScriptedHttpServer http;
    QTemporaryDir directory;
    QString previousDirectory;
    QByteArray previousCalendar;
    QByteArray previousFlags;
};

// A calendar file with the header and the given lines, joined with `lineEnd`.
QByteArray calendarFile(const QStringList &lines, const QString &lineEnd = QStringLiteral("\n"));
