#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

class GDatabaseClass;

// What the fundamentals grid shows: a row per followed symbol, column 0 the symbol, then the
// chosen fields in their order, read from the latest quote snapshot.
namespace FundGrid {

struct Cell
{
    QString value;
    Qt::Alignment alignment;
};

struct Row
{
    QString symbol;
    QList<Cell> cells; // one per field column, after the symbol; empty where the symbol's
                       // snapshot lacks the field
};

struct Table
{
    QStringList headers; // "Symbol", then the field labels
    QList<Row> rows;
};

// "center" and "left" as named; anything else is right-aligned.
Qt::Alignment alignmentOf(const QString &align);

// The SQL that reads one symbol's shown fields in display order: name|value|align|pos.
QString fieldsQuery(const QString &symbol);

// Rows in symbol order. The columns are every shown field any symbol has, in field order, so a
// symbol still waiting for its first snapshot does not hide the others' columns; each value is
// placed under its own field's column, so a field missing from one snapshot shifts nothing.
Table load(GDatabaseClass &store);

// The number a cell stands for ("+1.25%", "583.2B", "-0.40"), if it stands for one.
bool numericValue(const QString &text, double *value);

// -1 for a negative signed value, +1 for a positive one, 0 otherwise.
int signOf(const QString &text);

// Orders the rows by the column with the header text: numbers by value, other text
// alphabetically, empty values last in either order.
void sortRows(Table &table, const QString &column, Qt::SortOrder order);

} // namespace FundGrid
