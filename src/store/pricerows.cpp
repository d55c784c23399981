#include "store/pricerows.h"

#include "store/gdatabaseclass.h"
#include "store/sqlquoting.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>

namespace PriceRows {

Columns read(GDatabaseClass &store, const QString &symbol)
{
    Columns rows;
    const QSqlDatabase database = QSqlDatabase::database(store.connectionName(), false);
    if (!database.isOpen())
        return rows;
    QSqlQuery query(database);
    query.setForwardOnly(true);
    const QString statement =
        QStringLiteral("SELECT date,Open,High,Low,Close,Volume FROM qData WHERE symbol=%1")
            .arg(sqlQuoted(symbol));
    if (!query.prepare(statement) || !query.exec()) {
        qDebug().noquote() << "PriceRows: " + query.lastError().text() + "\n" + statement;
        return rows;
    }
    std::vector<double> *const columns[] = {&rows.open, &rows.high, &rows.low, &rows.close,
                                            &rows.volume};
    while (query.next()) {
        const QVariant date = query.value(0);
        // A missing date reads as an empty text, as in row strings.
        rows.dates << (date.isNull() ? QString() : date.toString());
        rows.dateNumbers.push_back(rows.dates.back().toLongLong());
        for (int column = 0; column < 5; ++column)
            columns[column]->push_back(query.value(column + 1).toDouble());
    }
    return rows;
}

} // namespace PriceRows
