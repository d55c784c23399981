#include "alerts/alertstatements.h"

#include "store/sqlquoting.h"

namespace AlertStatements {

QString listAlerts()
{
    return QStringLiteral("SELECT id,symbol,column,compare,value,popup,email,sms,enabled,"
                          "columnLabel FROM alerts ORDER BY symbol");
}

QString loadAlert(int id)
{
    return QStringLiteral("SELECT symbol,column,compare,value,email,popup,sms FROM alerts "
                          "WHERE id=%1")
        .arg(id);
}

QString insertAlert(const AlertFields &alert)
{
    return QStringLiteral(
               "INSERT INTO alerts (symbol,column,compare,value,email,popup,sms,enabled) "
               "VALUES (%1,%2,'%3',%4,'%5','%6','%7',2);")
        .arg(sqlQuoted(alert.symbol), sqlQuoted(alert.column))
        .arg(alert.compare)
        .arg(sqlQuoted(alert.value))
        .arg(alert.email)
        .arg(alert.popup)
        .arg(alert.sms);
}

QString updateAlert(int id, const AlertFields &alert)
{
    return QStringLiteral("UPDATE alerts SET symbol=%1,column=%2,compare=%3,value=%4,email='%5',"
                          "popup='%6',sms='%7' WHERE id=%8;")
        .arg(sqlQuoted(alert.symbol), sqlQuoted(alert.column))
        .arg(alert.compare)
        .arg(sqlQuoted(alert.value))
        .arg(alert.email)
        .arg(alert.popup)
        .arg(alert.sms)
        .arg(id);
}

QString deleteAlert(int id)
{
    return QStringLiteral("DELETE FROM alerts WHERE id='%1'").arg(id);
}

QString setFlag(int id, const QString &flagColumn, int checkState)
{
    return QStringLiteral("UPDATE alerts SET %1='%2' WHERE id=%3;")
        .arg(flagColumn)
        .arg(checkState)
        .arg(id);
}

QString symbolChoices()
{
    return QStringLiteral("SELECT symbol FROM symbols ORDER BY symbol ASC");
}

QString fieldChoices()
{
    return QStringLiteral("SELECT name FROM fields WHERE align='right'");
}

QString forgetState(int id)
{
    return QStringLiteral("DELETE FROM alertStates WHERE alertId=%1").arg(id);
}

QString listEvents()
{
    return QStringLiteral("SELECT time,symbol,field,compare,threshold,value FROM alertEvents "
                          "ORDER BY time DESC, id DESC");
}

QString enabledAlertsWithValues()
{
    // Joins rather than correlated subqueries: each alert costs one seek in the snapshot index
    // on (symbol, name). A label given to two fields reads the first code.
    return QStringLiteral(
        "WITH codes AS (SELECT name AS label, MIN(code) AS code FROM fields GROUP BY name) "
        "SELECT a.id,a.symbol,a.column,a.compare,a.value,a.popup,a.email,a.sms,d.value,s.holds "
        "FROM alerts a LEFT JOIN codes c ON c.label=a.column "
        "LEFT JOIN fData d ON d.symbol=a.symbol AND d.name=c.code "
        "LEFT JOIN alertStates s ON s.alertId=a.id WHERE a.enabled=2 ORDER BY a.id");
}

} // namespace AlertStatements
