#include "marketdata/fieldorder.h"

#include "store/gdatabaseclass.h"
#include "store/sqlquoting.h"

namespace FieldOrder {

QStringList hiddenFields(GDatabaseClass &store)
{
    return store.GetSQLRecords(
        QStringLiteral("SELECT name FROM fields WHERE pos=99 ORDER BY name"));
}

QStringList shownFields(GDatabaseClass &store)
{
    return store.GetSQLRecords(QStringLiteral("SELECT name FROM fields WHERE pos<99 ORDER BY pos"));
}

QStringList positionStatements(const QStringList &shown)
{
    QStringList statements{QStringLiteral("UPDATE fields SET pos=99;")};
    for (int i = 0; i < shown.size(); ++i) {
        // Labels such as "Day's Low" carry apostrophes.
        statements << QStringLiteral("UPDATE fields SET pos=%1 WHERE name=%2;")
                          .arg(i + 1)
                          .arg(sqlQuoted(shown.at(i)));
    }
    return statements;
}

QStringList saveStatements(const QStringList &shown)
{
    return QStringList{QStringLiteral("BEGIN TRANSACTION;")} + positionStatements(shown) +
           QStringList{QStringLiteral("END TRANSACTION;")};
}

bool save(GDatabaseClass &store, const QStringList &shown)
{
    return store.runInTransaction(positionStatements(shown));
}

} // namespace FieldOrder
