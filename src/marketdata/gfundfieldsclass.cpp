#include "marketdata/gfundfieldsclass.h"

#include "common/messageboxes.h"
#include "marketdata/fieldorder.h"
#include "store/gdatabaseclass.h"
#include "widgets/toolbuttons.h"

#include <QDialog>
#include <QGridLayout>
#include <QListWidget>
#include <QToolButton>

namespace {

QListWidget *fieldList(QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QStringLiteral("fundListWidget"));
    return list;
}

} // namespace

gfundFieldsClass::gfundFieldsClass(QWidget *parent) : QWidget(parent)
{
    form = new QDialog;
    form->setObjectName(QStringLiteral("form"));
    form->setWindowTitle(tr("Select fundamental fields"));

    hiddenList = fieldList(form);
    shownList = fieldList(form);
    addButton = ToolButtons::smallButton(form, QStringLiteral("next.png"), tr("Add to list"));
    removeButton =
        ToolButtons::smallButton(form, QStringLiteral("back.png"), tr("Remove from list"));
    upButton = ToolButtons::smallButton(form, QStringLiteral("up.png"), tr("Move up."));
    downButton = ToolButtons::smallButton(form, QStringLiteral("down.png"), tr("Move down."));

    auto *layout = new QGridLayout(form);
    layout->addWidget(hiddenList, 0, 0, 4, 4);
    layout->addWidget(addButton, 1, 5);
    layout->addWidget(removeButton, 2, 5);
    layout->addWidget(shownList, 0, 6, 4, 4);
    layout->addWidget(upButton, 4, 7);
    layout->addWidget(downButton, 4, 8);
    form->resize(540, 400);

    connect(hiddenList, &QListWidget::itemDoubleClicked, this, &gfundFieldsClass::addBtnClick);
    connect(addButton, &QToolButton::clicked, this, &gfundFieldsClass::addBtnClick);
    connect(shownList, &QListWidget::itemDoubleClicked, this, &gfundFieldsClass::remBtnClick);
    connect(removeButton, &QToolButton::clicked, this, &gfundFieldsClass::remBtnClick);
    connect(upButton, &QToolButton::clicked, this, &gfundFieldsClass::upBtnClick);
    connect(downButton, &QToolButton::clicked, this, &gfundFieldsClass::doBtnClick);

    loadFields();
}

gfundFieldsClass::~gfundFieldsClass()
{
    delete form;
}

int gfundFieldsClass::exec()
{
    return form->exec();
}

void gfundFieldsClass::loadFields()
{
    GDatabaseClass *store = GDatabaseClass::mainInstance();
    if (!store)
        return;
    hiddenList->addItems(FieldOrder::hiddenFields(*store));
    shownList->addItems(FieldOrder::shownFields(*store));
}

void gfundFieldsClass::saveFieldOrder()
{
    QStringList shown;
    for (int row = 0; row < shownList->count(); ++row)
        shown << shownList->item(row)->text();
    GDatabaseClass *store = GDatabaseClass::mainInstance();
    if (!store || FieldOrder::save(*store, shown))
        return;
    MessageBoxes::writeFailed(form, tr("The order of the fundamental fields"));
    // The lists show what is stored, not the change that was refused.
    hiddenList->clear();
    shownList->clear();
    loadFields();
}

void gfundFieldsClass::addBtnClick()
{
    if (QListWidgetItem *item = hiddenList->takeItem(hiddenList->currentRow())) {
        shownList->addItem(item);
        shownList->setCurrentItem(item);
    }
    saveFieldOrder();
}

void gfundFieldsClass::remBtnClick()
{
    if (QListWidgetItem *item = shownList->takeItem(shownList->currentRow())) {
        hiddenList->addItem(item);
        hiddenList->setCurrentItem(item);
    }
    saveFieldOrder();
}

void gfundFieldsClass::upBtnClick()
{
    const int row = shownList->currentRow();
    if (row <= 0)
        return;
    shownList->insertItem(row - 1, shownList->takeItem(row));
    shownList->setCurrentRow(row - 1);
    saveFieldOrder();
}

void gfundFieldsClass::doBtnClick()
{
    const int row = shownList->currentRow();
    if (row < 0 || row >= shownList->count())
        return;
    const int target = qMin(row + 1, shownList->count() - 1);
    shownList->insertItem(target, shownList->takeItem(row));
    shownList->setCurrentRow(target);
    saveFieldOrder();
}
