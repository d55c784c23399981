#pragma once

#include <QList>
#include <QString>
#include <QVariant>

class GDatabaseClass;

// The rows of a query with their values as SQLite holds them (numbers stay numbers, NULL stays
// null, a "|" inside a title stays in its column), read on the store's connection in the calling
// thread. Values bound to "?" placeholders never become SQL text.
namespace StoreRows {

struct Result
{
    QList<QVariantList> rows;
    bool ok = false;
    QString error;
};

Result read(GDatabaseClass &store, const QString &query, const QVariantList &bound = {});
Result read(const QString &connectionName, const QString &query, const QVariantList &bound = {});

} // namespace StoreRows
