#include "export/historyexport.h"

#include "charts/chartnews.h"
#include "export/storerows.h"
#include "store/gdatabaseclass.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace HistoryExport {

namespace {

void writeValue(Csv::Writer &writer, const QVariant &value)
{
    // SQLite hands prices over as doubles and volumes as integers; anything else goes through
    // the general conversion.
    switch (value.typeId()) {
    case QMetaType::Double:
        writer.number(value.toDouble());
        break;
    case QMetaType::LongLong:
        writer.integer(value.toLongLong());
        break;
    default:
        writer.value(value);
        break;
    }
}

void writeDate(Csv::Writer &writer, const QVariant &stored)
{
    bool ok = false;
    const qint64 date = stored.toLongLong(&ok);
    if (!ok || stored.isNull()) {
        writer.value(stored);
    } else if (ChartNews::isIntradayDate(date)) {
        writer.dateTime(QDateTime::fromSecsSinceEpoch(date));
    } else {
        // yyyyMMdd, split without a QDate: this runs for every row. A number that names no day
        // is kept as it is stored.
        const int year = int(date / 10000);
        const int month = int(date / 100 % 100);
        const int day = int(date % 100);
        if (QDate::isValid(year, month, day))
            writer.date(year, month, day);
        else
            writer.integer(date);
    }
}

} // namespace

QStringList header()
{
    return {QStringLiteral("Date"), QStringLiteral("Open"),  QStringLiteral("High"),
            QStringLiteral("Low"),  QStringLiteral("Close"), QStringLiteral("Volume")};
}

QStringList symbolsWithHistory(GDatabaseClass &store)
{
    QStringList symbols;
    const StoreRows::Result result =
        StoreRows::read(store, QStringLiteral("SELECT DISTINCT symbol FROM qData ORDER BY symbol"));
    for (const QVariantList &row : result.rows)
        symbols << row.value(0).toString();
    return symbols;
}

ExportFile::Result writeFile(const QString &connectionName, const QString &symbol,
                             const QString &path, const Progress &progress)
{
    return ExportFile::write(path, [&](Csv::Writer &writer, QString *error) {
        const QSqlDatabase database = QSqlDatabase::database(connectionName, false);
        if (!database.isOpen()) {
            *error = QStringLiteral("the database is not open");
            return false;
        }
        qint64 total = 0;
        {
            const StoreRows::Result count = StoreRows::read(
                connectionName, QStringLiteral("SELECT COUNT(*) FROM qData WHERE symbol=?"),
                {symbol});
            if (!count.ok) {
                *error = count.error;
                return false;
            }
            total = count.rows.value(0).value(0).toLongLong();
        }
        QSqlQuery query(database);
        query.setForwardOnly(true);
        if (!query.prepare(QStringLiteral("SELECT date,Open,High,Low,Close,Volume FROM qData "
                                          "WHERE symbol=? ORDER BY date, id"))) {
            *error = query.lastError().text();
            return false;
        }
        query.addBindValue(symbol);
        if (!query.exec()) {
            *error = query.lastError().text();
            return false;
        }
        writer.begin(header());
        qint64 written = 0;
        while (query.next()) {
            writeDate(writer, query.value(0));
            for (int column = 1; column <= 5; ++column)
                writeValue(writer, query.value(column));
            writer.endRow();
            if (++written % ProgressEveryRows == 0) {
                if (writer.failed() || (progress && !progress(written, total)))
                    return false;
            }
        }
        if (query.lastError().isValid()) {
            *error = query.lastError().text();
            return false;
        }
        if (progress)
            progress(written, total);
        return true;
    });
}

} // namespace HistoryExport
