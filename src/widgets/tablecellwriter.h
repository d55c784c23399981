#pragma once

#include <QColor>
#include <QIcon>
#include <QSignalBlocker>
#include <QString>

#include <optional>

class QTableWidget;
class QTableWidgetItem;

// Refills a QTableWidget in place. A large table (ten thousand rows of eight cells) costs more to
// delete and re-create item by item than the reading and valuing behind it, while rewriting an
// existing item with the text it already has costs next to nothing. The writer keeps the items,
// sets every cell's whole look (text, alignment, colour, icon, tip) so nothing of an earlier fill
// stays behind, and removes the items of cells that are to be empty. The model's change signals
// are held back while it works and the view is repainted once when it is gone.
class TableCellWriter
{
public:
    struct Look
    {
        Look() = default;
        explicit Look(Qt::Alignment alignment) : alignment(alignment) {}

        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
        std::optional<QColor> foreground;
        QIcon icon;
        QString toolTip;
    };

    // Sets the row count first, with the signals on, so the view knows its size.
    TableCellWriter(QTableWidget *table, int rowCount);
    ~TableCellWriter();
    TableCellWriter(const TableCellWriter &) = delete;
    TableCellWriter &operator=(const TableCellWriter &) = delete;

    void write(int row, int column, const QString &text, const Look &look);
    void write(int row, int column, const QString &text);
    void clear(int row, int column);
    // Every cell of the row is emptied.
    void clearRow(int row);

private:
    QTableWidgetItem *itemAt(int row, int column);

    QTableWidget *table;
    std::optional<QSignalBlocker> quiet;
};
