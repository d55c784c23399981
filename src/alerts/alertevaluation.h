#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class GDatabaseClass;

// Judging every enabled alert against the stored quote snapshot.
namespace AlertEvaluation {

// One alert whose condition became true.
struct Firing
{
    int alertId = -1;
    QString symbol;
    QString field; // the field's label, as the alert names it
    int compare = 0;
    QString threshold;
    QString value;   // the snapshot value seen
    qint64 time = 0; // ms since the epoch
    bool popup = false;
    bool email = false;
    bool sms = false;
};

struct Outcome
{
    QList<Firing> firings;
    QList<QPair<int, bool>> changedStates; // alert id, condition holds
};

// Pure: the rows of AlertStatements::enabledAlertsWithValues() judged at `now`.
Outcome evaluate(const QStringList &rows, qint64 now);

// The statements that keep the outcome: changed results and one event per firing.
QStringList recordStatements(const Outcome &outcome, qint64 now);

// Reads the alerts with their snapshot values, judges them and keeps the outcome in one
// transaction; returns the firings to deliver. Should the outcome not be stored (rolled back,
// `recorded` set false), it returns none: they fire once the store takes their record.
QList<Firing> run(GDatabaseClass &store, qint64 now, bool *recorded = nullptr);

} // namespace AlertEvaluation
