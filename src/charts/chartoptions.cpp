#include "charts/chartoptions.h"

#include "store/gdatabaseclass.h"
#include "store/settingskeys.h"

const QStringList &ChartOptions::keys()
{
    using namespace SettingsKeys;
    static const QStringList order{
        DisplayCrossHairs, TypeCombo,      TimeCombo,      ParaSar, Volume, LogScale, PercentScale,
        PriceBands,        MovingAverage1, MovingAverage2, Tech1,   Tech2,  Tech3,    Tech4};
    return order;
}

ChartOptions ChartOptions::load(GDatabaseClass &store)
{
    ChartOptions options;
    for (const QString &key : keys()) {
        const QStringList rows = store.GetSQLRecords(SettingsKeys::selectStatement(key));
        options.setValue(key, rows.isEmpty() ? 0 : rows.first().toInt());
    }
    return options;
}

bool ChartOptions::save(GDatabaseClass &store) const
{
    QStringList statements;
    for (const QString &key : keys())
        statements << SettingsKeys::writeStatement(key, value(key));
    return store.runInTransaction(statements);
}
