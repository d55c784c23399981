#pragma once

#include <QString>

// SQL text of the alert list, the alert editor and the alert evaluation.
namespace AlertStatements {

// The editor's choices of one alert.
struct AlertFields
{
    QString symbol;
    QString column;  // the display label of a quote field (fields.name)
    int compare = 0; // AlertRules::Compare
    QString value;   // the threshold as typed
    int email = 0;   // check states: 0 off, 2 on
    int popup = 0;
    int sms = 0;
};

QString listAlerts();
QString loadAlert(int id);
QString insertAlert(const AlertFields &alert);
QString updateAlert(int id, const AlertFields &alert);
QString deleteAlert(int id);
// Sets one delivery or enabled flag ("popup", "email", "sms" or "enabled") of one alert.
QString setFlag(int id, const QString &flagColumn, int checkState);

QString symbolChoices();
QString fieldChoices();

// The last evaluation result of an alert; forgotten when the alert changes, is switched off or
// is deleted, so that the changed condition is judged afresh.
QString forgetState(int id);
// Events a firing left, newest first.
QString listEvents();

// Every enabled alert with the snapshot value of its field and its last result:
// id|symbol|column|compare|value|popup|email|sms|current value|last result ("" when none).
QString enabledAlertsWithValues();

} // namespace AlertStatements
