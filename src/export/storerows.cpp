#include "export/storerows.h"

#include "store/gdatabaseclass.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace StoreRows {

Result read(GDatabaseClass &store, const QString &query, const QVariantList &bound)
{
    return read(store.connectionName(), query, bound);
}

Result read(const QString &connectionName, const QString &query, const QVariantList &bound)
{
    Result result;
    const QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    if (!database.isOpen()) {
        result.error = QStringLiteral("the database is not open");
        return result;
    }
    QSqlQuery statement(database);
    statement.setForwardOnly(true);
    if (!statement.prepare(query)) {
        result.error = statement.lastError().text();
        return result;
    }
    for (const QVariant &value : bound)
        statement.addBindValue(value);
    if (!statement.exec()) {
        result.error = statement.lastError().text();
        return result;
    }
    const int columns = statement.record().count();
    while (statement.next()) {
        QVariantList row;
        row.reserve(columns);
        for (int column = 0; column < columns; ++column)
            row << statement.value(column);
        result.rows << row;
    }
    result.ok = !statement.lastError().isValid();
    if (!result.ok)
        result.error = statement.lastError().text();
    return result;
}

} // namespace StoreRows
