#include "alerts/alertevaluation.h"

#include "alerts/alertrules.h"
#include "alerts/alertstatements.h"
#include "store/gdatabaseclass.h"
#include "store/sqlquoting.h"

#include <QDebug>
#include <QSet>

namespace AlertEvaluation {

namespace {

enum RowColumn
{
    Id,
    Symbol,
    Column,
    Compare,
    Threshold,
    Popup,
    Email,
    Sms,
    CurrentValue,
    LastResult,
    RowColumns
};

bool isOn(QStringView flag)
{
    return flag == QLatin1String("2");
}

} // namespace

Outcome evaluate(const QStringList &rows, qint64 now)
{
    Outcome outcome;
    QSet<int> judged; // a snapshot holding a field twice must not fire an alert twice
    for (const QString &row : rows) {
        const QList<QStringView> cells = QStringView(row).split(QLatin1Char('|'));
        if (cells.size() != RowColumns)
            continue;
        bool idOk = false;
        const int id = cells[Id].toInt(&idOk);
        const auto threshold = AlertRules::readThreshold(cells[Threshold]);
        if (!idOk || !threshold || judged.contains(id))
            continue; // an alert stored without a number can never be judged
        judged.insert(id);
        const int compare = cells[Compare].toInt();

        std::optional<bool> before;
        if (!cells[LastResult].isEmpty())
            before = cells[LastResult] != QLatin1String("0");
        const std::optional<bool> result = AlertRules::conditionHolds(
            compare, *threshold, AlertRules::readNumber(cells[CurrentValue]));

        if (AlertRules::firesOnCrossing(before, result)) {
            outcome.firings.append(
                Firing{id, cells[Symbol].toString(), cells[Column].toString(), compare,
                       cells[Threshold].toString(), cells[CurrentValue].trimmed().toString(), now,
                       isOn(cells[Popup]), isOn(cells[Email]), isOn(cells[Sms])});
        }
        const std::optional<bool> after = AlertRules::nextState(before, result);
        if (after && after != before)
            outcome.changedStates.append({id, *after});
    }
    return outcome;
}

QStringList recordStatements(const Outcome &outcome, qint64 now)
{
    QStringList statements;
    if (!outcome.changedStates.isEmpty()) {
        QString states =
            QStringLiteral("INSERT OR REPLACE INTO alertStates (alertId,holds,checkedAt) VALUES ");
        for (qsizetype i = 0; i < outcome.changedStates.size(); ++i) {
            const auto &[id, holds] = outcome.changedStates.at(i);
            if (i > 0)
                states.append(QLatin1Char(','));
            states.append(QStringLiteral("(%1,%2,%3)").arg(id).arg(holds ? 1 : 0).arg(now));
        }
        statements << states;
    }
    for (const Firing &firing : outcome.firings) {
        statements << QStringLiteral("INSERT INTO alertEvents (time,alertId,symbol,field,compare,"
                                     "threshold,value) VALUES (%1,%2,%3,%4,%5,%6,%7)")
                          .arg(firing.time)
                          .arg(firing.alertId)
                          .arg(sqlQuoted(firing.symbol), sqlQuoted(firing.field))
                          .arg(firing.compare)
                          .arg(sqlQuoted(firing.threshold), sqlQuoted(firing.value));
    }
    return statements;
}

QList<Firing> run(GDatabaseClass &store, qint64 now, bool *recorded)
{
    const Outcome outcome =
        evaluate(store.GetSQLRecords(AlertStatements::enabledAlertsWithValues()), now);
    const QStringList statements = recordStatements(outcome, now);
    if (recorded)
        *recorded = true;
    if (!statements.isEmpty() && !store.runInTransaction(statements)) {
        // Nothing was kept: the alerts are judged from their old results again after the next
        // snapshot, so a firing not recorded now is delivered then, and never twice.
        qDebug().noquote() << QStringLiteral("Alert: the outcome could not be stored; %1 firing(s) "
                                             "held back until it can be")
                                  .arg(outcome.firings.size());
        if (recorded)
            *recorded = false;
        return {};
    }
    for (const Firing &firing : outcome.firings)
        qDebug().noquote() << QStringLiteral("Alert: %1 %2 %3 %4 fired at %5")
                                  .arg(firing.symbol, firing.field,
                                       AlertRules::compareSymbol(firing.compare), firing.threshold,
                                       firing.value);
    return outcome.firings;
}

} // namespace AlertEvaluation
