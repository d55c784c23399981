#include "news/templatesclass.h"

#include "common/messageboxes.h"
#include "news/gmanagefeedsclass.h"
#include "news/newsstatements.h"
#include "store/gdatabaseclass.h"
#include "store/sqlquoting.h"
#include "widgets/datatables.h"
#include "widgets/toolbuttons.h"

#include <QColor>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int ActiveColumn = 3;

} // namespace

TemplatesClass::TemplatesClass(QWidget *parent) : QWidget(parent)
{
    dialog = new QDialog;
    dialog->setObjectName(QStringLiteral("dialog"));
    dialog->setWindowTitle(tr("Manage Templates"));
    dialog->resize(720, 380);

    explanation =
        new QLabel(tr("These are the default RSS News Templates for your symbols. You most "
                      "likely don't need to alter anything in here."));
    explanation->setWordWrap(true);

    grid = new QTableWidget(0, 5);
    grid->setObjectName(QStringLiteral("templateGrid"));
    grid->setHorizontalHeaderLabels(
        {QString(), tr("Site"), tr("Address"), tr("Active"), tr("# Articles")});
    DataTables::applyLook(grid, {.rowHeight = 20, .showGrid = false, .frameless = false});
    grid->horizontalHeader()->setMinimumSectionSize(5); // the id column is a thin colour swatch
    grid->setColumnWidth(0, 20);
    // The narrow columns still show their whole header.
    grid->setColumnWidth(ActiveColumn,
                         qMax(45, grid->horizontalHeader()->sectionSizeHint(ActiveColumn)));
    grid->setColumnWidth(4, qMax(50, grid->horizontalHeader()->sectionSizeHint(4)));
    connect(grid, &QTableWidget::cellDoubleClicked, this, &TemplatesClass::feedGridDblClick);
    connect(grid, &QTableWidget::cellChanged, this, &TemplatesClass::feedGridClick);

    addButton = ToolButtons::smallButton(nullptr, QStringLiteral("add.png"), tr("Add New Feed"));
    connect(addButton, &QToolButton::clicked, this, &TemplatesClass::addNewFeed);

    deleteButton =
        ToolButtons::smallButton(nullptr, QStringLiteral("trash (2).png"), tr("Delete Feed"));
    connect(deleteButton, &QToolButton::clicked, this, &TemplatesClass::delFeed);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(addButton);
    buttons->addWidget(deleteButton);

    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(explanation);
    layout->addWidget(grid, 1);
    layout->addLayout(buttons);

    loadTemplates();
}

TemplatesClass::~TemplatesClass()
{
    delete dialog;
}

GDatabaseClass &TemplatesClass::store() const
{
    return *GDatabaseClass::mainInstance();
}

int TemplatesClass::execDialog()
{
    return dialog->exec();
}

QString TemplatesClass::idOfRow(int row) const
{
    const QTableWidgetItem *item = grid->item(row, 0);
    return item ? item->text() : QString();
}

void TemplatesClass::loadTemplates()
{
    grid->clearContents();
    grid->setRowCount(0);

    const QStringList rows = store().GetSQLRecords(NewsStatements::templateList());
    grid->setRowCount(rows.size() + 1);
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList fields = rows.at(row).split(QLatin1Char('|'));
        const QString id = fields.value(0);

        auto *swatch = new QTableWidgetItem(id);
        swatch->setBackground(QColor(fields.value(2)));
        grid->setItem(row, 0, swatch);
        grid->setItem(row, 1, new QTableWidgetItem(fields.value(1)));
        grid->setItem(row, 2, new QTableWidgetItem(fields.value(3)));

        // Filling the box goes through feedGridClick like a click does, which writes the state.
        auto *active = new QTableWidgetItem;
        active->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        active->setCheckState(fields.value(5) == QLatin1String("2") ? Qt::Checked : Qt::Unchecked);
        grid->setItem(row, ActiveColumn, active);

        auto *count =
            new QTableWidgetItem(store().GetSQL(NewsStatements::templateArticleCount(id)));
        count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->setItem(row, 4, count);
    }
    auto *total = new QTableWidgetItem(store().GetSQL(NewsStatements::allArticleCount()));
    total->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->setItem(rows.size(), 4, total);

    grid->setColumnWidth(0, 5);
    grid->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
}

void TemplatesClass::feedGridClick(int row, int column)
{
    if (column != ActiveColumn)
        return;
    const QTableWidgetItem *active = grid->item(row, ActiveColumn);
    const QString id = idOfRow(row);
    if (!active || id.isEmpty())
        return;
    store().ExecSQL(NewsStatements::setTemplateActive(int(active->checkState()), id));
}

void TemplatesClass::addNewFeed()
{
    auto *editor = new gManageFeedsClass;
    editor->execDialog();
    editor->deleteLater();
    loadTemplates();
}

void TemplatesClass::feedGridDblClick(int row, int column)
{
    Q_UNUSED(column)
    const QString id = idOfRow(row);
    if (id.isEmpty()) // the totals row
        return;
    auto *editor = new gManageFeedsClass;
    editor->feedId = id.toInt();
    editor->execDialog();
    editor->deleteLater();
}

void TemplatesClass::delFeed()
{
    const int row = grid->currentRow();
    const QString id = idOfRow(row);
    if (row < 0 || !isSqlNumber(id)) // nothing chosen, or the totals row
        return;

    MessageBoxes::Box box;
    box.icon = QMessageBox::Question;
    box.title = tr("Delete Feed");
    box.text = tr("Are you certain you want to delete this feed?");
    box.informativeText = tr("All associated articles will be purged from the database. This "
                             "action cannot be reversed.");
    box.buttons = QMessageBox::Yes | QMessageBox::Cancel;
    box.defaultButton = QMessageBox::Cancel;
    if (MessageBoxes::show(dialog, box) != QMessageBox::Yes)
        return;
    store().ExecSQL(NewsStatements::deleteTemplateItems(id));
    store().ExecSQL(NewsStatements::deleteTemplate(id));
}
