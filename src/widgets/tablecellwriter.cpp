#include "widgets/tablecellwriter.h"

#include <QBrush>
#include <QTableWidget>

TableCellWriter::TableCellWriter(QTableWidget *table, int rowCount) : table(table)
{
    table->setRowCount(rowCount);
    table->setUpdatesEnabled(false);
    quiet.emplace(table->model());
}

TableCellWriter::~TableCellWriter()
{
    quiet.reset();
    table->setUpdatesEnabled(true);
    table->viewport()->update();
}

QTableWidgetItem *TableCellWriter::itemAt(int row, int column)
{
    QTableWidgetItem *item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    return item;
}

namespace {

// A role the item never had and is not to have is left alone rather than stored as empty.
void setRole(QTableWidgetItem *item, int role, const QVariant &value)
{
    if (value.isValid() || item->data(role).isValid())
        item->setData(role, value);
}

} // namespace

void TableCellWriter::write(int row, int column, const QString &text, const Look &look)
{
    QTableWidgetItem *item = itemAt(row, column);
    // An item compares each value with the one it holds and does nothing when they are equal.
    item->setText(text);
    item->setTextAlignment(look.alignment);
    setRole(item, Qt::ForegroundRole,
            look.foreground ? QVariant(QBrush(*look.foreground)) : QVariant());
    setRole(item, Qt::DecorationRole, look.icon.isNull() ? QVariant() : QVariant(look.icon));
    setRole(item, Qt::ToolTipRole, look.toolTip.isEmpty() ? QVariant() : QVariant(look.toolTip));
}

void TableCellWriter::write(int row, int column, const QString &text)
{
    write(row, column, text, Look{});
}

void TableCellWriter::clear(int row, int column)
{
    delete table->takeItem(row, column);
}

void TableCellWriter::clearRow(int row)
{
    for (int column = 0; column < table->columnCount(); ++column)
        clear(row, column);
}
