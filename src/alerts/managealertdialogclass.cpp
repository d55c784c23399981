#include "alerts/managealertdialogclass.h"

#include "alerts/addalertdialogclass.h"
#include "alerts/alertrules.h"
#include "alerts/alertstatements.h"
#include "common/messageboxes.h"
#include "store/gdatabaseclass.h"
#include "widgets/datatables.h"
#include "widgets/toolbuttons.h"

#include <QDateTime>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QTableWidgetItem *checkItem(const QString &stored)
{
    auto *item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(stored == QLatin1String("2") ? Qt::Checked : Qt::Unchecked);
    return item;
}

QString flagColumnName(int column)
{
    switch (column) {
    case ManageAlertDialogClass::PopupColumn:
        return QStringLiteral("popup");
    case ManageAlertDialogClass::EmailColumn:
        return QStringLiteral("email");
    case ManageAlertDialogClass::SmsColumn:
        return QStringLiteral("sms");
    case ManageAlertDialogClass::EnabledColumn:
        return QStringLiteral("enabled");
    default:
        return {};
    }
}

} // namespace

ManageAlertDialogClass::ManageAlertDialogClass(QWidget *parent) : QWidget(parent)
{
    dialog = new QDialog;
    dialog->setObjectName(QStringLiteral("manageAlertDialog"));

    explanation = new QLabel(tr("Add, Modify or Remove alerts."));

    table = new QTableWidget(5, ColumnCount);
    table->setObjectName(QStringLiteral("alertTable"));
    DataTables::applyLook(table);
    table->setMinimumWidth(500);
    table->setHorizontalHeaderLabels({QString(), tr("Symbol"), tr("Column"), tr("Compare"),
                                      tr("Value"), tr("PopUp"), tr("Email"), tr("SMS"),
                                      tr("Enabled")});
    QHeaderView *header = table->horizontalHeader();
    header->setMinimumSectionSize(0);
    header->setSectionResizeMode(SymbolColumn, QHeaderView::Stretch);
    // The narrow columns grow where the style's font needs more room for the header or a price.
    const QList<QPair<int, int>> fixedWidths{
        {IdColumn, 0},     {FieldColumn, 100}, {CompareColumn, 75}, {ValueColumn, 60},
        {PopupColumn, 40}, {EmailColumn, 40},  {SmsColumn, 40}};
    for (const auto &[column, width] : fixedWidths) {
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        table->setColumnWidth(
            column, column == IdColumn ? 0 : qMax(width, header->sectionSizeHint(column)));
    }
    table->setColumnWidth(EnabledColumn, qMax(48, header->sectionSizeHint(EnabledColumn)));
    connect(table, &QTableWidget::cellChanged, this, &ManageAlertDialogClass::cellBeenChanged);
    connect(table, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        if (alertIdOfRow(row) != -1)
            editBtnClick();
    });

    addBtn = ToolButtons::smallButton(nullptr, QStringLiteral("add.png"));
    addBtn->setStatusTip(tr("Add a new alert."));
    addBtn->setToolTip(tr("Add a new alert."));
    connect(addBtn, &QToolButton::clicked, this, &ManageAlertDialogClass::addBtnClick);
    delBtn = ToolButtons::smallButton(nullptr, QStringLiteral("delete.png"));
    delBtn->setWhatsThis(tr("Delete the selected alert."));
    delBtn->setToolTip(tr("Delete the selected alert."));
    connect(delBtn, &QToolButton::clicked, this, &ManageAlertDialogClass::delBtnClick);
    editBtn = ToolButtons::smallButton(nullptr, QStringLiteral("pencil.png"));
    editBtn->setText(tr("Edit the selected alert."));
    editBtn->setToolTip(tr("Edit the selected alert."));
    connect(editBtn, &QToolButton::clicked, this, &ManageAlertDialogClass::editBtnClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(addBtn);
    buttons->addWidget(delBtn);
    buttons->addWidget(editBtn);

    auto *alertPage = new QWidget;
    auto *alertLayout = new QVBoxLayout(alertPage);
    alertLayout->addWidget(explanation);
    alertLayout->addWidget(table, 1);
    alertLayout->addLayout(buttons);

    events = new QTableWidget(0, 6);
    events->setObjectName(QStringLiteral("alertEventTable"));
    DataTables::applyLook(events);
    events->setHorizontalHeaderLabels(
        {tr("Time"), tr("Symbol"), tr("Field"), tr("Compare"), tr("Threshold"), tr("Value seen")});
    events->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    events->horizontalHeader()->setMinimumSectionSize(64);
    events->horizontalHeader()->setStretchLastSection(true);
    auto *eventPage = new QWidget;
    auto *eventLayout = new QVBoxLayout(eventPage);
    eventLayout->addWidget(new QLabel(tr("Alerts that fired, newest first.")));
    eventLayout->addWidget(events, 1);

    pages = new QTabWidget;
    pages->addTab(alertPage, tr("Alerts"));
    pages->addTab(eventPage, tr("Events"));

    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(pages);
    dialog->resize(680, 340);

    displayAlerts();
    displayEvents();
}

ManageAlertDialogClass::~ManageAlertDialogClass()
{
    delete dialog;
}

void ManageAlertDialogClass::execDialog()
{
    dialog->exec();
}

void ManageAlertDialogClass::displayAlerts()
{
    // Filling the check boxes emits cellChanged for every cell; those are not clicks and must not
    // write anything back.
    filling = true;
    table->clearContents();
    const QStringList rows =
        GDatabaseClass::mainStore().GetSQLRecords(AlertStatements::listAlerts());
    table->setRowCount(rows.size() + 1); // the last row stays empty
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList alert = rows.at(row).split(QLatin1Char('|'));
        table->setItem(row, IdColumn, new QTableWidgetItem(alert.value(0)));
        table->setItem(row, SymbolColumn, new QTableWidgetItem(alert.value(1)));
        table->setItem(row, FieldColumn, new QTableWidgetItem(alert.value(2)));
        auto *compare = new QTableWidgetItem(AlertRules::compareSymbol(alert.value(3).toInt()));
        compare->setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        table->setItem(row, CompareColumn, compare);
        auto *value = new QTableWidgetItem(alert.value(4));
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, ValueColumn, value);
        table->setItem(row, PopupColumn, checkItem(alert.value(5)));
        table->setItem(row, EmailColumn, checkItem(alert.value(6)));
        table->setItem(row, SmsColumn, checkItem(alert.value(7)));
        table->setItem(row, EnabledColumn, checkItem(alert.value(8)));
    }
    table->setColumnWidth(IdColumn, 0);
    filling = false;
}

void ManageAlertDialogClass::displayEvents()
{
    const QStringList rows =
        GDatabaseClass::mainStore().GetSQLRecords(AlertStatements::listEvents());
    events->clearContents();
    events->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList event = rows.at(row).split(QLatin1Char('|'));
        const QDateTime time = QDateTime::fromMSecsSinceEpoch(event.value(0).toLongLong());
        const QStringList cells{QLocale().toString(time.toLocalTime(), QLocale::ShortFormat),
                                event.value(1),
                                event.value(2),
                                AlertRules::compareSymbol(event.value(3).toInt()),
                                event.value(4),
                                event.value(5)};
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells.at(column));
            if (column >= 3)
                item->setTextAlignment(column == 3 ? Qt::AlignCenter
                                                   : Qt::AlignRight | Qt::AlignVCenter);
            events->setItem(row, column, item);
        }
    }
}

int ManageAlertDialogClass::alertIdOfRow(int row) const
{
    const QTableWidgetItem *item = table->item(row, IdColumn);
    bool ok = false;
    const int id = item ? item->text().toInt(&ok, 10) : -1;
    return ok ? id : -1;
}

int ManageAlertDialogClass::selectedAlertId() const
{
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    if (selected.isEmpty())
        return -1;
    return alertIdOfRow(selected.first()->row());
}

void ManageAlertDialogClass::addBtnClick()
{
    AddAlertDialogClass editor;
    editor.setAlertId(-1);
    editor.showDialog();
    displayAlerts();
}

void ManageAlertDialogClass::editBtnClick()
{
    const int id = selectedAlertId();
    if (id == -1)
        return;
    AddAlertDialogClass editor;
    editor.setAlertId(id);
    editor.showDialog();
    displayAlerts();
}

void ManageAlertDialogClass::delBtnClick()
{
    const int id = selectedAlertId();
    if (id == -1)
        return;
    const QString symbol = table->item(table->selectedItems().first()->row(), SymbolColumn)->text();
    if (MessageBoxes::confirmDeletion(dialog, tr("the alert for %1?").arg(symbol),
                                      tr("This action cannot be reversed."))) {
        GDatabaseClass &store = GDatabaseClass::mainStore();
        store.ExecSQL(AlertStatements::deleteAlert(id));
        store.ExecSQL(AlertStatements::forgetState(id));
    }
    displayAlerts();
}

void ManageAlertDialogClass::cellBeenChanged(int row, int column)
{
    if (filling || !table->item(row, EnabledColumn))
        return;
    const QString flag = flagColumnName(column);
    const int id = alertIdOfRow(row);
    if (flag.isEmpty() || id == -1)
        return;
    const int state = table->item(row, column)->checkState();
    GDatabaseClass &store = GDatabaseClass::mainStore();
    // By id: two alerts on one field and threshold ("> 45" and "< 45") are switched apart.
    store.ExecSQL(AlertStatements::setFlag(id, flag, state));
    if (column == EnabledColumn)
        store.ExecSQL(AlertStatements::forgetState(id));
}
