#include "widgets/datatables.h"

#include <QHeaderView>
#include <QTableWidget>

namespace DataTables {

void applyLook(QTableWidget *table, const Look &look)
{
    table->setAlternatingRowColors(true);
    table->verticalHeader()->setDefaultSectionSize(look.rowHeight);
    table->verticalHeader()->hide();
    if (!look.editable)
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setShowGrid(look.showGrid);
    if (look.frameless)
        table->setFrameShape(QFrame::NoFrame);
}

} // namespace DataTables
