#include "marketdata/gmanagesymbols.h"

#include "marketdata/gsymbolsearchclass.h"
#include "marketdata/symbollookup.h"
#include "store/gdatabaseclass.h"
#include "widgets/datatables.h"
#include "widgets/toolbuttons.h"

#include <QDebug>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

} // namespace

GManageSymbols::GManageSymbols(QWidget *parent) : QWidget(parent)
{
    form = new QDialog;
    form->setObjectName(QStringLiteral("form"));
    form->setWindowTitle(tr("Manage Symbols"));

    grid = new QTableWidget(form);
    grid->setMinimumWidth(300);
    DataTables::applyLook(grid, {.rowHeight = 20, .frameless = false});

    addButton = ToolButtons::smallButton(form, QStringLiteral("add.png"), tr("Add a new symbol."));
    deleteButton = ToolButtons::smallButton(form, QStringLiteral("trash (2).png"),
                                            tr("Delete the selected symbol."));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(addButton);
    buttons->addWidget(deleteButton);
    auto *layout = new QVBoxLayout(form);
    layout->addWidget(grid, 1);
    layout->addLayout(buttons);
    form->resize(480, 360);

    connect(addButton, &QToolButton::clicked, this, &GManageSymbols::addSymbolBtnClick);
    connect(deleteButton, &QToolButton::clicked, this, &GManageSymbols::delSymbolBtnClick);

    loadSymbols();
    grid->selectRow(0);
    if (const QTableWidgetItem *first = grid->item(0, 0))
        selectedSymbol = first->text();
}

GManageSymbols::~GManageSymbols()
{
    qDebug() << "GManageSymbols Destructor Called.";
    delete form;
}

int GManageSymbols::exec()
{
    return form->exec();
}

void GManageSymbols::loadSymbols()
{
    grid->clear();
    grid->setColumnCount(3);
    grid->setRowCount(0);
    grid->setHorizontalHeaderLabels({tr("Symbol"), tr("Name"), tr("Exchange")});
    grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    GDatabaseClass *store = GDatabaseClass::mainInstance();
    if (!store)
        return;
    for (const SymbolLookup::StoredSymbol &stored : SymbolLookup::storedSymbols(*store)) {
        const int row = grid->rowCount();
        grid->insertRow(row);
        grid->setItem(row, 0, new QTableWidgetItem(stored.symbol));
        grid->setItem(row, 1, new QTableWidgetItem(stored.companyName));
        grid->setItem(row, 2, new QTableWidgetItem(stored.exchange));
    }
}

void GManageSymbols::addSymbolBtnClick()
{
    auto *search = new GSymbolSearchClass;
    search->exec();
    search->deleteLater();
    loadSymbols();
}

void GManageSymbols::delSymbolBtnClick()
{
    const int row = grid->currentRow();
    const QTableWidgetItem *item = row >= 0 ? grid->item(row, 0) : nullptr;
    GDatabaseClass *store = GDatabaseClass::mainInstance();
    if (item && !item->text().isEmpty() && store)
        SymbolLookup::deleteSymbol(*store, item->text());
    loadSymbols();
}
