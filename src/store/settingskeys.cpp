#include "store/settingskeys.h"

#include "store/gdatabaseclass.h"
#include "store/sqlquoting.h"

namespace SettingsKeys {

QString selectStatement(const QString &key)
{
    return QStringLiteral("SELECT value FROM config WHERE name=%1").arg(sqlQuoted(key));
}

QString writeStatement(const QString &key, qint64 value)
{
    return QStringLiteral("INSERT OR REPLACE INTO config (name,value) VALUES(%1,%2)")
        .arg(sqlQuoted(key))
        .arg(value);
}

QString writeStatement(const QString &key, const QString &value)
{
    return QStringLiteral("INSERT OR REPLACE INTO config (name,value) VALUES(%1,%2)")
        .arg(sqlQuoted(key), sqlQuoted(value));
}

QString read(GDatabaseClass &store, const QString &key)
{
    const QStringList rows = store.GetSQLRecords(selectStatement(key));
    return rows.isEmpty() ? QString() : rows.first();
}

qint64 readNumber(GDatabaseClass &store, const QString &key, qint64 fallback)
{
    bool ok = false;
    const qint64 value = read(store, key).toLongLong(&ok);
    return ok ? value : fallback;
}

void write(GDatabaseClass &store, const QString &key, qint64 value)
{
    store.ExecSQL(writeStatement(key, value));
}

void write(GDatabaseClass &store, const QString &key, const QString &value)
{
    store.ExecSQL(writeStatement(key, value));
}

} // namespace SettingsKeys
