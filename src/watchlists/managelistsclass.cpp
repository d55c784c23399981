#include "watchlists/managelistsclass.h"

#include "common/messageboxes.h"
#include "store/gdatabaseclass.h"
#include "watchlists/watchlistsql.h"
#include "widgets/datatables.h"
#include "widgets/toolbuttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

enum Column : int
{
    IdColumn,
    TitleColumn,
    DeleteColumn,
    ColumnCount
};

QTableWidgetItem *readOnlyItem(const QString &text = QString())
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

ManageListsClass::ManageListsClass(QWidget *parent) : QWidget(parent)
{
    form = new QDialog;
    form->setObjectName(QStringLiteral("form"));
    form->resize(320, 300);

    titleField = new QLineEdit(form);
    titleField->setPlaceholderText(tr("New list name..."));

    addListButton = ToolButtons::smallButton(form, QStringLiteral("add.png"));
    addListButton->setToolTip(tr("Create a watchlist with this name"));

    grid = new QTableWidget(10, ColumnCount, form);
    DataTables::applyLook(grid);
    grid->setHorizontalHeaderLabels({tr("ID"), tr("List Name"), tr("Del")});
    QHeaderView *header = grid->horizontalHeader();
    // No side padding, so that "Del" fits its narrow column.
    header->setStyleSheet(QStringLiteral("QHeaderView::section { padding-left: 0px; "
                                         "padding-right: 0px; }"));
    header->setMinimumSectionSize(0);
    header->setSectionResizeMode(IdColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(TitleColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(DeleteColumn, QHeaderView::Fixed);
    grid->setColumnWidth(IdColumn, 0);
    grid->setColumnWidth(DeleteColumn, 25);

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(titleField, 1);
    nameRow->addWidget(addListButton);
    auto *layout = new QVBoxLayout(form);
    layout->addLayout(nameRow);
    layout->addWidget(grid, 1);

    connect(addListButton, &QToolButton::clicked, this, &ManageListsClass::addBtnClick);
    connect(titleField, &QLineEdit::returnPressed, this, &ManageListsClass::addBtnClick);
    connect(grid, &QTableWidget::cellDoubleClicked, this, &ManageListsClass::removeList);
}

ManageListsClass::~ManageListsClass()
{
    delete form;
}

int ManageListsClass::execDialog()
{
    displayLists();
    return form->exec();
}

void ManageListsClass::displayLists()
{
    grid->clearContents();
    const QStringList lists =
        GDatabaseClass::mainStore().GetSQLRecords(WatchlistSql::listsInStoreOrder());
    grid->setRowCount(int(lists.size()) + 1);
    int row = 0;
    for (const QString &record : lists) {
        const qsizetype bar = record.indexOf(QLatin1Char('|'));
        grid->setItem(row, IdColumn, readOnlyItem(record.left(bar)));
        QTableWidgetItem *title = readOnlyItem(record.mid(bar + 1));
        title->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        title->setToolTip(tr("Double click to delete this list"));
        grid->setItem(row, TitleColumn, title);
        QTableWidgetItem *remove = readOnlyItem();
        remove->setIcon(ToolButtons::icon(QStringLiteral("trash (2).png")));
        remove->setToolTip(tr("Double click to delete this list"));
        grid->setItem(row, DeleteColumn, remove);
        ++row;
    }
}

void ManageListsClass::addBtnClick()
{
    QString title = titleField->text().trimmed();
    title.remove(QLatin1Char('|')); // "|" separates the columns of stored rows
    if (title.isEmpty())
        return;
    GDatabaseClass::mainStore().ExecSQL(WatchlistSql::insertList(title));
    titleField->clear();
    displayLists();
}

void ManageListsClass::removeList(int row, int /*column*/)
{
    const QTableWidgetItem *id = grid->item(row, IdColumn);
    const QTableWidgetItem *title = grid->item(row, TitleColumn);
    if (!id || !title)
        return; // the empty last row
    bool isNumber = false;
    const qint64 listId = id->text().toLongLong(&isNumber);
    if (!isNumber)
        return;
    if (MessageBoxes::confirmDeletion(
            form, title->text(),
            tr("This action will remove the list and any associated symbols."))) {
        if (!GDatabaseClass::mainStore().runInTransaction(
                {WatchlistSql::deleteSymbolsOfList(listId), WatchlistSql::deleteList(listId)}))
            MessageBoxes::writeFailed(form, tr("The removal of the list %1").arg(title->text()));
    }
    displayLists();
}
