#include "watchlists/watchlistclass.h"

#include "alerts/managealertdialogclass.h"
#include "charts/chartclass.h"
#include "common/messageboxes.h"
#include "common/pagerows.h"
#include "marketdata/gsymbolsearchclass.h"
#include "store/gdatabaseclass.h"
#include "watchlists/managelistsclass.h"
#include "watchlists/sharecount.h"
#include "watchlists/watchlistgrid.h"
#include "watchlists/watchlistsql.h"
#include "widgets/datatables.h"
#include "widgets/tightlayouts.h"
#include "widgets/toolbuttons.h"

#include <QBrush>
#include <QComboBox>
#include <QCompleter>
#include <QDebug>
#include <QFrame>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

using WatchlistGrid::Column;

// One icon per kind shared by every row: each QIcon made from a file would load and scale its
// picture again when painted.
const QIcon &gridIcon(const char *file)
{
    static QHash<QString, QIcon> icons;
    const QString name = QLatin1String(file);
    auto found = icons.find(name);
    if (found == icons.end())
        found = icons.insert(name, ToolButtons::icon(name));
    return *found;
}

// Cells are selectable and enabled only; the share count alone can be edited.
QTableWidgetItem *readOnlyItem(const QString &text = QString())
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QTableWidgetItem *numberItem(const QString &text, bool colourBySign = false)
{
    QTableWidgetItem *item = readOnlyItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (colourBySign) {
        if (const int sign = WatchlistGrid::signOf(text))
            item->setForeground(QBrush(sign > 0 ? Qt::green : Qt::red));
    }
    return item;
}

QTableWidgetItem *moneyItem(double value, bool colourBySign)
{
    QTableWidgetItem *item = numberItem(WatchlistGrid::money(value));
    if (colourBySign && value != 0)
        item->setForeground(QBrush(value > 0 ? Qt::green : Qt::red));
    return item;
}

QList<QPair<qint64, QString>> storedLists()
{
    QList<QPair<qint64, QString>> lists;
    for (const QString &record :
         GDatabaseClass::mainStore().GetSQLRecords(WatchlistSql::listsByTitle())) {
        const qsizetype bar = record.indexOf(QLatin1Char('|'));
        if (bar > 0)
            lists.append({record.left(bar).toLongLong(), record.mid(bar + 1)});
    }
    return lists;
}

} // namespace

WatchlistClass::WatchlistClass(QWidget *parent) : QWidget(parent)
{
    buildTopFrame();
    buildGrid();

    TightLayouts::fillContainer(parent, this);
    auto *layout = TightLayouts::column(this);
    layout->addWidget(topFrame);
    layout->addWidget(watchGrid, 1);

    // Without parent, as the page's other timers; deleted with the page.
    timer = new QTimer;
    timer->setInterval(RefreshPeriodMs);

    connect(shownList, &QComboBox::currentIndexChanged, this, [this] {
        // Adding goes to the list on show unless the user picks another target.
        if (targetList->count() == shownList->count())
            targetList->setCurrentIndex(shownList->currentIndex());
        drawGrid();
    });
    connect(symbolField, &QLineEdit::textChanged, this, &WatchlistClass::textChange);
    connect(addSymbolButton, &QToolButton::clicked, this, &WatchlistClass::addBtnClick);
    connect(manageListsButton, &QToolButton::clicked, this, &WatchlistClass::addListClick);
    connect(watchGrid, &QTableWidget::cellDoubleClicked, this, &WatchlistClass::watchGridClick);
    connect(watchGrid, &QTableWidget::cellChanged, this, &WatchlistClass::watchGridCellChanged);
    connect(timer, &QTimer::timeout, this, &WatchlistClass::drawGrid);

    {
        const auto lists = storedLists();
        fillListBox(shownList, lists);
        fillListBox(targetList, lists);
    }
    drawGrid();
    timer->start();
}

WatchlistClass::~WatchlistClass()
{
    delete timer;
}

void WatchlistClass::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        drawGrid();
}

void WatchlistClass::buildTopFrame()
{
    topFrame = new QFrame(this);
    topFrame->setObjectName(QStringLiteral("topFrame"));
    topFrame->setFixedHeight(40);

    shownList = new QComboBox(topFrame);
    shownList->setObjectName(QStringLiteral("listBox"));
    shownList->setMinimumContentsLength(14);
    shownList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    targetList = new QComboBox(topFrame);
    targetList->setObjectName(QStringLiteral("targetListBox"));
    targetList->setMinimumContentsLength(14);
    targetList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    symbolField = new QLineEdit(topFrame);
    symbolField->setObjectName(QStringLiteral("addSymbolEdit"));
    symbolField->setPlaceholderText(tr("Add Symbol..."));
    symbolField->setMinimumWidth(160);

    addSymbolButton = ToolButtons::smallButton(topFrame, QStringLiteral("add.png"),
                                               tr("Add a new symbol to a Watchlist"));
    addSymbolButton->setToolTip(tr("Add the symbol to the list"));

    manageListsButton =
        ToolButtons::smallButton(topFrame, QStringLiteral("tools.png"), tr("Manage Watchlists."));
    manageListsButton->setToolTip(tr("Create and delete watchlists"));

    auto *bar = new QHBoxLayout(topFrame);
    bar->addWidget(new QLabel(tr("Select a list:"), topFrame));
    bar->addWidget(shownList);
    bar->addStretch(1);
    bar->addWidget(symbolField);
    bar->addWidget(new QLabel(tr("to"), topFrame));
    bar->addWidget(targetList);
    bar->addWidget(addSymbolButton);
    bar->addWidget(manageListsButton);
}

void WatchlistClass::buildGrid()
{
    watchGrid = new QTableWidget(10, WatchlistGrid::ColumnCount, this);
    watchGrid->setObjectName(QStringLiteral("watchGrid"));
    DataTables::applyLook(watchGrid, {.editable = true}); // the shares column is typed into
    watchGrid->setHorizontalHeaderLabels({tr("Symbol"), QString(), tr("Last"), tr("Change"),
                                          tr("Change %"), tr("Number\nShares"), tr("Market\nValue"),
                                          tr("Todays\nChange"), tr("EPS"), tr("Dividend"),
                                          tr("Dividend\nYield"), QString()});

    QHeaderView *header = watchGrid->horizontalHeader();
    // The headers are short, the columns narrow: no side padding, so "Change %" fits.
    header->setStyleSheet(QStringLiteral("QHeaderView::section { padding-left: 0px; "
                                         "padding-right: 0px; }"));
    header->setSectionResizeMode(QHeaderView::Stretch);
    header->setMinimumSectionSize(0);
    for (const auto &[column, width] :
         {std::pair{Column::SymbolColumn, 75}, std::pair{Column::AlertColumn, 25},
          std::pair{Column::RemoveColumn, 25}}) {
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        watchGrid->setColumnWidth(column, width);
    }
}

void WatchlistClass::fillListBox(QComboBox *box, const QList<QPair<qint64, QString>> &lists)
{
    const qint64 kept = listIdOf(box);
    const QSignalBlocker quiet(box);
    box->clear();
    for (const auto &[id, title] : lists)
        box->addItem(title, id);
    const int index = box->findData(kept);
    box->setCurrentIndex(index >= 0 ? index : (box->count() > 0 ? 0 : -1));
}

qint64 WatchlistClass::listIdOf(const QComboBox *box) const
{
    // Lists are told apart by id, so two lists of the same title each show their own symbols.
    return box->currentIndex() >= 0 ? box->currentData().toLongLong() : 0;
}

void WatchlistClass::refillListBoxes()
{
    const auto lists = storedLists();
    fillListBox(shownList, lists);
    fillListBox(targetList, lists);
    drawGrid();
}

QString WatchlistClass::symbolAt(int row) const
{
    // The empty row and the totals row have no symbol item.
    const QTableWidgetItem *item = watchGrid->item(row, Column::SymbolColumn);
    return item && item->data(Qt::UserRole).toBool() ? item->text() : QString();
}

bool WatchlistClass::editorOpen() const
{
    // The grid's editors live on its viewport and are gone or hidden once the edit has ended.
    const auto editors = watchGrid->viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    return std::any_of(editors.begin(), editors.end(),
                       [](const QWidget *editor) { return editor->isVisible(); });
}

void WatchlistClass::drawGrid()
{
    // A refresh would throw away a share count being typed; the next one will do.
    if (sender() == timer && editorOpen())
        return;

    const qint64 listId = listIdOf(shownList);
    WatchlistGrid::Grid grid = WatchlistGrid::load(GDatabaseClass::mainStore(), listId);
    const int rows = int(grid.rows.size());

    // Filling the share-count cells must not read as the user's edits.
    const QSignalBlocker quiet(watchGrid);
    watchGrid->setUpdatesEnabled(false);
    // Most refreshes find the same rows with the same values (quotes arrive every two minutes):
    // only rows that changed are filled again, and the chosen row stays chosen.
    const bool sameRows = !refillAll && listId == drawnListId && rows == int(drawn.rows.size()) &&
                          watchGrid->rowCount() == rows + 2;
    refillAll = false;
    if (!sameRows) {
        const QString chosen = symbolAt(watchGrid->currentRow());
        watchGrid->clearContents();
        watchGrid->setRowCount(rows + 2);
        drawn = {};
        for (int r = 0; r < rows; ++r)
            fillSymbolRow(r, grid.rows.at(r));
        if (listId == drawnListId && !chosen.isEmpty()) {
            for (int r = 0; r < rows; ++r) {
                if (grid.rows.at(r).symbol == chosen)
                    watchGrid->selectRow(r);
            }
        }
    } else {
        for (int r = 0; r < rows; ++r) {
            if (!(grid.rows.at(r) == drawn.rows.at(r)))
                fillSymbolRow(r, grid.rows.at(r));
        }
    }
    fillTotalRows(rows, grid);
    drawn = std::move(grid);
    drawnListId = listId;
    watchGrid->setUpdatesEnabled(true);
}

void WatchlistClass::fillSymbolRow(int r, const WatchlistGrid::Row &line)
{
    QTableWidgetItem *symbol = readOnlyItem(line.symbol);
    symbol->setIcon(gridIcon("chart (2).png"));
    symbol->setWhatsThis(tr("Double click here the view the chart."));
    symbol->setToolTip(symbol->whatsThis());
    symbol->setData(Qt::UserRole, true); // marks a symbol row
    watchGrid->setItem(r, Column::SymbolColumn, symbol);

    QTableWidgetItem *alerts = readOnlyItem();
    if (line.alerts > 0) {
        alerts->setIcon(gridIcon("megaphone.png"));
        alerts->setToolTip(tr("Double click to see the alerts."));
    }
    watchGrid->setItem(r, Column::AlertColumn, alerts);

    watchGrid->setItem(r, Column::LastColumn, numberItem(line.last));
    watchGrid->setItem(r, Column::ChangeColumn, numberItem(line.change, true));
    watchGrid->setItem(r, Column::ChangePercentColumn, numberItem(line.changePercent, true));

    auto *shares = new QTableWidgetItem(QString::number(line.shares));
    shares->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
    shares->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    shares->setToolTip(tr("Double click to type the number of shares you hold."));
    watchGrid->setItem(r, Column::SharesColumn, shares);

    watchGrid->setItem(r, Column::MarketValueColumn, moneyItem(line.marketValue, false));
    watchGrid->setItem(r, Column::TodaysChangeColumn, moneyItem(line.todaysChange, true));
    watchGrid->setItem(r, Column::EpsColumn, numberItem(line.earningsPerShare, true));
    watchGrid->setItem(r, Column::DividendColumn, numberItem(line.dividend));
    watchGrid->setItem(r, Column::DividendYieldColumn, numberItem(line.dividendYield));

    QTableWidgetItem *remove = readOnlyItem();
    remove->setIcon(gridIcon("trash (2).png"));
    remove->setToolTip(tr("Double click to remove the symbol from every list."));
    watchGrid->setItem(r, Column::RemoveColumn, remove);
}

void WatchlistClass::fillTotalRows(int firstRow, const WatchlistGrid::Grid &grid)
{
    // The empty row and the totals row: read-only throughout, so nothing there can be edited.
    for (int r = firstRow; r < firstRow + 2; ++r) {
        for (int column = 0; column < WatchlistGrid::ColumnCount; ++column)
            watchGrid->setItem(r, column, readOnlyItem());
    }
    const int totals = firstRow + 1;
    watchGrid->item(totals, Column::LastColumn)->setText(tr("Totals:"));
    watchGrid->setItem(totals, Column::MarketValueColumn, moneyItem(grid.totalMarketValue, false));
    watchGrid->setItem(totals, Column::TodaysChangeColumn, moneyItem(grid.totalTodaysChange, true));
}

void WatchlistClass::watchGridClick(int row, int column)
{
    if (symbolAt(row).isEmpty())
        return;
    switch (column) {
    case Column::AlertColumn:
        openAlerts();
        break;
    case Column::RemoveColumn:
        removeSymbol(row, Column::RemoveColumn);
        break;
    case Column::SymbolColumn:
        loadChart(0, row);
        break;
    default:
        break; // a double-click on the share count starts editing it
    }
}

void WatchlistClass::openAlerts()
{
    // The list shows every alert, not only this symbol's.
    {
        ManageAlertDialogClass alerts;
        alerts.execDialog();
    }
    // Alerts may have been added or deleted meanwhile.
    drawGrid();
}

void WatchlistClass::removeSymbol(int row, int /*column*/)
{
    const QString symbol = symbolAt(row);
    if (symbol.isEmpty())
        return;
    if (MessageBoxes::confirmDeletion(
            this, symbol, tr("This action will remove the symbol and any associated alerts."))) {
        if (!GDatabaseClass::mainStore().runInTransaction(
                {WatchlistSql::deleteSymbolEverywhere(symbol),
                 WatchlistSql::deleteAlertsOf(symbol)}))
            MessageBoxes::writeFailed(this, tr("The removal of %1").arg(symbol));
    }
    drawGrid();
}

void WatchlistClass::loadChart(int /*column*/, int row)
{
    if (ChartClass::showSymbolInNewTab(symbolAt(row)))
        emit changeListWidgetRow(PageRows::Charts);
}

void WatchlistClass::watchGridCellChanged(int row, int column)
{
    if (column != Column::SharesColumn || !watchGrid->item(row, column))
        return;
    const QString symbol = symbolAt(row);
    if (symbol.isEmpty())
        return;
    // The edit is still being committed; answer it once the editor has closed.
    const QString typed = watchGrid->item(row, column)->text();
    QMetaObject::invokeMethod(
        this, [this, symbol, typed] { applyShareCount(symbol, typed); }, Qt::QueuedConnection);
}

void WatchlistClass::applyShareCount(const QString &symbol, const QString &typed)
{
    if (const std::optional<qint64> shares = ShareCount::parseTyped(typed)) {
        GDatabaseClass::mainStore().ExecSQL(WatchlistSql::updateShareCount(symbol, *shares));
    } else {
        MessageBoxes::warning(
            this, tr("Warning"),
            tr("\"%1\" is not a number of shares. Please type a whole number of 0 or more.")
                .arg(typed));
    }
    // Either way the grid shows what is stored, with the values that follow from it; the
    // cell holds what was typed, so the row is filled again even if nothing else changed.
    refillAll = true;
    drawGrid();
}

void WatchlistClass::addBtnClick()
{
    QString typed = symbolField->text().trimmed();
    typed.remove(QLatin1Char('|')); // "|" separates the columns of stored rows
    if (typed.isEmpty())
        return;
    const qint64 listId = listIdOf(targetList);
    if (listId <= 0) {
        MessageBoxes::warning(this, tr("Warning"),
                              tr("There is no watchlist to add %1 to yet. Create one with the "
                                 "Manage Watchlists button first.")
                                  .arg(typed));
        return;
    }

    GDatabaseClass &store = GDatabaseClass::mainStore();
    QString symbol = store.GetSQL(WatchlistSql::followedSpelling(typed));
    std::optional<SymbolLookup::Match> toFollow;
    if (symbol.isEmpty()) {
        toFollow = knownMatch(typed);
        symbol = toFollow ? toFollow->symbol : typed;
    }

    if (store.GetSQL(WatchlistSql::countOnList(symbol, listId)).toInt() > 0) {
        MessageBoxes::warning(
            this, tr("Warning"),
            tr("%1 is already on the list %2.").arg(symbol, targetList->currentText()));
        return;
    }
    store.ExecSQL(WatchlistSql::insertSymbol(symbol, listId));
    // A symbol new to Corvane is followed too, as the symbol search adds it.
    if (toFollow)
        SymbolLookup::addSymbol(store, *toFollow);

    symbolField->clear();
    drawGrid();
}

std::optional<SymbolLookup::Match> WatchlistClass::knownMatch(const QString &typed)
{
    if (auto match = SymbolLookup::matchFor(suggestions, typed))
        return match;
    GSymbolSearchClass search;
    return SymbolLookup::matchFor(search.getSymbolMatches(typed), typed);
}

void WatchlistClass::addListClick()
{
    {
        ManageListsClass manager;
        manager.execDialog();
    }
    refillListBoxes();
}

void WatchlistClass::textChange(const QString &query)
{
    if (settingOwnText)
        return;
    const qsizetype bracket = query.indexOf(QLatin1Char('('));
    if (bracket >= 0) {
        // A chosen suggestion "AAPL (Apple Inc.)" leaves only its symbol in the field.
        settingOwnText = true;
        symbolField->setText(query.left(bracket).trimmed());
        settingOwnText = false;
        return;
    }
    if (query.trimmed().isEmpty())
        return; // nothing to suggest for
    queryWaiting = query;
    if (!lookupRunning)
        lookUpSuggestions();
}

void WatchlistClass::lookUpSuggestions()
{
    // Each lookup waits in a local event loop, where further keystrokes arrive; they are
    // answered by one more lookup for the newest text rather than by loops inside loops.
    QPointer<WatchlistClass> page(this);
    lookupRunning = true;
    while (!queryWaiting.isEmpty()) {
        const QString query = std::exchange(queryWaiting, QString());
        GSymbolSearchClass search;
        const QList<SymbolLookup::Match> matches = search.getSymbolMatches(query);
        if (!page)
            return;
        offerSuggestions(query, matches);
    }
    lookupRunning = false;
}

void WatchlistClass::offerSuggestions(const QString &lookedUp,
                                      const QList<SymbolLookup::Match> &matches)
{
    suggestions = matches;
    QStringList texts;
    for (const SymbolLookup::Match &match : matches)
        texts << SymbolLookup::completionText(match);

    auto *next = new QCompleter(texts, this);
    next->setCaseSensitivity(Qt::CaseInsensitive);
    next->setCompletionColumn(0);
    // The service matches names as well as symbols; so does the list.
    next->setFilterMode(Qt::MatchContains);
    // Room for the company names, which the narrow field would cut short.
    next->popup()->setMinimumWidth(320);
    symbolField->setCompleter(next);
    // The old one may be forwarding the very keystroke that led here.
    if (completer)
        completer->deleteLater();
    completer = next;

    // Show the list at once for what is still being typed.
    if (symbolField->hasFocus() && symbolField->text() == lookedUp && !texts.isEmpty()) {
        completer->setCompletionPrefix(lookedUp);
        completer->complete();
    }
}
