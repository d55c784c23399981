#include "marketdata/fundgrid.h"

#include "store/gdatabaseclass.h"
#include "store/sqlquoting.h"

#include <QHash>

#include <algorithm>

namespace FundGrid {

namespace {

bool isBlank(const QString &text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() || trimmed == QLatin1String("-") || trimmed == QLatin1String("N/A");
}

QString cellText(const Row &row, int column)
{
    if (column == 0)
        return row.symbol;
    return row.cells.value(column - 1).value;
}

} // namespace

Qt::Alignment alignmentOf(const QString &align)
{
    if (align == QLatin1String("center"))
        return Qt::AlignHCenter;
    if (align == QLatin1String("left"))
        return Qt::AlignLeft;
    return Qt::AlignRight;
}

QString fieldsQuery(const QString &symbol)
{
    return QStringLiteral(
               "SELECT fields.name,fData.value,fields.align,fields.pos FROM fData LEFT JOIN fields "
               "ON "
               "fields.code=fdata.name WHERE symbol=%1 AND fields.pos<99 AND fdata.name<>'Symbol' "
               "ORDER BY fields.pos")
        .arg(sqlQuoted(symbol));
}

Table load(GDatabaseClass &store)
{
    struct Field
    {
        QString name;
        int position;
    };
    QList<Field> fields; // every field met, in field order
    QList<QHash<QString, Cell>> valuesByRow;
    Table table;
    for (const QString &symbol :
         store.GetSQLRecords(QStringLiteral("SELECT symbol FROM symbols ORDER BY symbol"))) {
        QHash<QString, Cell> values;
        for (const QString &record : store.GetSQLRecords(fieldsQuery(symbol))) {
            const QStringList parts = record.split(QLatin1Char('|'));
            const QString name = parts.value(0);
            values.insert(name, Cell{parts.value(1), alignmentOf(parts.value(2))});
            const bool known = std::any_of(fields.cbegin(), fields.cend(),
                                           [&](const Field &field) { return field.name == name; });
            if (!known)
                fields.append(Field{name, parts.value(3).toInt()});
        }
        valuesByRow.append(values);
        table.rows.append(Row{symbol, {}});
    }
    std::stable_sort(fields.begin(), fields.end(),
                     [](const Field &a, const Field &b) { return a.position < b.position; });

    table.headers << QStringLiteral("Symbol");
    for (const Field &field : fields)
        table.headers << field.name;
    for (int row = 0; row < table.rows.size(); ++row) {
        for (const Field &field : fields)
            table.rows[row].cells.append(valuesByRow.at(row).value(field.name));
    }
    return table;
}

bool numericValue(const QString &text, double *value)
{
    QString number = text.trimmed();
    if (number.startsWith(QLatin1Char('+')))
        number.remove(0, 1);
    double scale = 1;
    if (number.endsWith(QLatin1Char('%'))) {
        number.chop(1);
    } else if (!number.isEmpty()) {
        switch (number.back().toUpper().toLatin1()) {
        case 'K':
            scale = 1e3;
            break;
        case 'M':
            scale = 1e6;
            break;
        case 'B':
            scale = 1e9;
            break;
        case 'T':
            scale = 1e12;
            break;
        default:
            break;
        }
        if (scale != 1)
            number.chop(1);
    }
    number.remove(QLatin1Char(','));
    bool ok = false;
    const double parsed = number.toDouble(&ok);
    if (ok && value)
        *value = parsed * scale;
    return ok;
}

int signOf(const QString &text)
{
    const QString trimmed = text.trimmed();
    double value = 0;
    if (!(trimmed.startsWith(QLatin1Char('+')) || trimmed.startsWith(QLatin1Char('-'))) ||
        !numericValue(trimmed, &value))
        return 0;
    return value > 0 ? 1 : (value < 0 ? -1 : 0);
}

void sortRows(Table &table, const QString &column, Qt::SortOrder order)
{
    const int index = int(table.headers.indexOf(column));
    if (index < 0)
        return;
    const bool descending = order == Qt::DescendingOrder;
    std::stable_sort(table.rows.begin(), table.rows.end(), [&](const Row &a, const Row &b) {
        const QString left = cellText(a, index);
        const QString right = cellText(b, index);
        if (isBlank(left) || isBlank(right))
            return !isBlank(left) && isBlank(right);
        double x = 0;
        double y = 0;
        int comparison;
        if (numericValue(left, &x) && numericValue(right, &y))
            comparison = x < y ? -1 : (x > y ? 1 : 0);
        else
            comparison = left.compare(right, Qt::CaseInsensitive);
        return descending ? comparison > 0 : comparison < 0;
    });
}

} // namespace FundGrid
