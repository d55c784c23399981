#include "portfolio/portfolioclass.h"

#include "alerts/managealertdialogclass.h"
#include "charts/chartclass.h"
#include "common/messageboxes.h"
#include "common/pagerows.h"
#include "portfolio/buystockclass.h"
#include "portfolio/cashtransactionclass.h"
#include "portfolio/portfoliostore.h"
#include "portfolio/sellstockclass.h"
#include "store/gdatabaseclass.h"
#include "widgets/datatables.h"
#include "widgets/tablecellwriter.h"
#include "widgets/toolbuttons.h"

#include <QDateTime>
#include <QDebug>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using namespace PortfolioValuation;

namespace {

QTableWidget *dataTable(QWidget *parent, const QStringList &headers)
{
    auto *table = new QTableWidget(10, int(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    DataTables::applyLook(table);
    QHeaderView *header = table->horizontalHeader();
    header->setMinimumSectionSize(0);
    header->setSectionResizeMode(QHeaderView::Stretch);
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    table->setColumnWidth(0, 0);
    return table;
}

constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;

using Look = TableCellWriter::Look;

const Look LeftText{Left};
const Look RightText{Right};

// Right-aligned; green above 0, red below; 0 keeps the table's own colour.
Look signedLook(double value)
{
    Look look{Right};
    if (value > 0)
        look.foreground = QColor(Qt::green);
    else if (value < 0)
        look.foreground = QColor(Qt::red);
    return look;
}

QString percent(double value)
{
    return plainNumber(value) + QLatin1Char('%');
}

} // namespace

PortfolioClass::PortfolioClass(QWidget *parent) : QWidget(parent)
{
    if (parent) {
        auto *container = new QVBoxLayout(parent);
        container->setContentsMargins(0, 0, 0, 0);
        container->setSpacing(0);
        container->addWidget(this);
    }
    buildTopFrame();

    overviewTable =
        dataTable(this, {tr("id"), tr("Symbol"), tr("Last"), tr("Change"), tr("Percent"),
                         tr("Day's\nGain"), tr("Number\nShares"), tr("Buy\nPrice"), tr("Gain"),
                         tr("Gain\nPercentage"), tr("Market\nValue")});
    overviewTable->setObjectName(QStringLiteral("overviewTable"));
    transTable = dataTable(this, {tr("ID"), tr("Symbol"), tr("Type"), tr("Date"),
                                  tr("Number\nShares"), tr("Price"), tr("Costs"), tr("Value")});
    transTable->setObjectName(QStringLiteral("transactionsTable"));

    tabWidget = new QTabWidget(this);
    for (auto [table, title] :
         {std::pair{overviewTable, tr("Overview")}, std::pair{transTable, tr("Transactions")}}) {
        auto *page = new QWidget;
        auto *fill = new QVBoxLayout(page);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->setSpacing(0);
        fill->addWidget(table);
        tabWidget->addTab(page, title);
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(topFrame);
    layout->addWidget(tabWidget, 1);

    connect(buyBtn, &QToolButton::clicked, this, &PortfolioClass::buyStockClick);
    connect(sellBtn, &QToolButton::clicked, this, &PortfolioClass::sellStockClick);
    connect(alertsBtn, &QToolButton::clicked, this, &PortfolioClass::alertsBtnClick);
    connect(newTransBtn, &QToolButton::clicked, this, &PortfolioClass::newTransactionClick);
    connect(delTransBtn, &QToolButton::clicked, this, &PortfolioClass::delTransClick);
    connect(detailsBtn, &QToolButton::clicked, this, &PortfolioClass::stockDetailsClick);
    // A double-click on a holding opens its chart; on the blank and total rows it does nothing.
    connect(overviewTable, &QTableWidget::cellDoubleClicked, this, [this] {
        if (selectedEntryRow(overviewTable))
            stockDetailsClick();
    });

    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &PortfolioClass::displayPortfolio);
    timer->start(RefreshPeriodMs);

    displayPortfolio();
    displayTransactions();
}

PortfolioClass::~PortfolioClass() = default;

void PortfolioClass::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        displayPortfolio();
}

void PortfolioClass::buildTopFrame()
{
    topFrame = new QFrame(this);
    topFrame->setObjectName(QStringLiteral("topFrame"));
    topFrame->setFixedHeight(40);
    buyBtn = ToolButtons::largeButton(topFrame, tr("Buy Stock"),
                                      QStringLiteral("add_to_shopping_cart.png"));
    sellBtn = ToolButtons::largeButton(topFrame, tr("Sell Stock"),
                                       QStringLiteral("remove_from_shopping_cart.png"));
    alertsBtn =
        ToolButtons::largeButton(topFrame, tr("Stock Alerts"), QStringLiteral("megaphone.png"));
    newTransBtn =
        ToolButtons::largeButton(topFrame, tr("New Transaction"), QStringLiteral("add.png"));
    newTransBtn->setToolTip(tr("Record a deposit or a withdrawal of cash"));
    delTransBtn =
        ToolButtons::largeButton(topFrame, tr("Del Transaction"), QStringLiteral("delete.png"));
    detailsBtn = ToolButtons::largeButton(topFrame, tr("Stock Details"), QString());
    detailsBtn->setToolTip(tr("Open a chart of the selected holding"));
    updateLabel = new QLabel(tr("Updating..."), topFrame);

    auto *status = new QVBoxLayout;
    status->setContentsMargins(0, 0, 0, 0);
    status->addStretch(1);
    status->addWidget(updateLabel);

    auto *bar = new QHBoxLayout(topFrame);
    bar->setContentsMargins(6, 0, 6, 0);
    for (QToolButton *button : {buyBtn, sellBtn, alertsBtn, newTransBtn, delTransBtn, detailsBtn})
        bar->addWidget(button);
    bar->addStretch(1);
    bar->addLayout(status);
}

void PortfolioClass::getQuoteData() {}

void PortfolioClass::addButtonClick() {}

void PortfolioClass::replyFinished() {}

void PortfolioClass::displayPortfolio()
{
    GDatabaseClass &store = GDatabaseClass::mainStore();
    const QList<Holding> holdings = PortfolioStore::readHoldings(store);
    const Totals sums = totals(holdings, PortfolioStore::readCashSums(store));
    const QLocale locale;
    const QIcon chartIcon = ToolButtons::icon(QStringLiteral("chart (2).png"));

    const int count = int(holdings.size());
    TableCellWriter cells(overviewTable, count + 3);
    for (int row = 0; row < count; ++row) {
        const Holding &holding = holdings.at(row);
        cells.write(row, 0, holding.id);
        Look symbol = LeftText;
        symbol.icon = chartIcon;
        cells.write(row, 1, holding.symbol, symbol);
        Look last = RightText;
        if (!holding.quoted)
            last.toolTip = tr("No price stored for %1 yet").arg(holding.symbol);
        cells.write(row, 2, localeNumber(holding.last, locale), last);
        cells.write(row, 3, plainNumber(holding.change), signedLook(holding.change));
        cells.write(row, 4, percent(holding.percentChange), signedLook(holding.percentChange));
        cells.write(row, 5, money(holding.daysGain), signedLook(holding.daysGain));
        cells.write(row, 6, holding.noShares, RightText);
        cells.write(row, 7, holding.buyPrice, RightText);
        if (holding.gain)
            cells.write(row, 8, money(*holding.gain), signedLook(*holding.gain));
        else
            cells.clear(row, 8);
        if (holding.gainPercent)
            cells.write(row, 9, percent(*holding.gainPercent), signedLook(*holding.gainPercent));
        else
            cells.clear(row, 9);
        cells.write(row, 10, money(holding.marketValue), RightText);
    }

    // A blank row, then the cash balance and the totals.
    const int cashRow = count + 1;
    const int totalRow = count + 2;
    cells.clearRow(count);
    cells.clearRow(cashRow);
    cells.write(cashRow, 1, tr("Cash:"));
    cells.write(cashRow, 10, money(sums.cash), signedLook(sums.cash));
    cells.clearRow(totalRow);
    cells.write(totalRow, 1, tr("Total:"));
    if (sums.percentChange)
        cells.write(totalRow, 4, percent(*sums.percentChange), RightText);
    cells.write(totalRow, 5, money(sums.daysGain), signedLook(sums.daysGain));
    cells.write(totalRow, 8, money(sums.gain), signedLook(sums.gain));
    cells.write(totalRow, 9, percent(sums.gainPercent), RightText);
    cells.write(totalRow, 10, money(sums.totalValue()), RightText);

    updateLabel->setText(tr("Last updated %1").arg(QDateTime::currentDateTime().toString()));
    if (updateLabel->objectName() != QLatin1String("updateLabel")) {
        updateLabel->setObjectName(QStringLiteral("updateLabel"));
        updateLabel->style()->unpolish(updateLabel);
        updateLabel->style()->polish(updateLabel);
    }
}

void PortfolioClass::displayTransactions()
{
    const QList<Transaction> transactions =
        PortfolioStore::readTransactions(GDatabaseClass::mainStore());

    const int count = int(transactions.size());
    TableCellWriter cells(transTable, count + 1);
    double total = 0;
    for (int row = 0; row < count; ++row) {
        const Transaction &transaction = transactions.at(row);
        cells.write(row, 0, transaction.id);
        cells.write(row, 1, transaction.symbol);
        cells.write(row, 2, transaction.type);
        cells.write(row, 3, transaction.date);
        cells.write(row, 4, transaction.noShares, RightText);
        cells.write(row, 5, transaction.price, RightText);
        cells.write(row, 6, transaction.commission, RightText);
        cells.write(row, 7, plainNumber(transaction.value), RightText);
        total += transaction.value;
    }
    cells.clearRow(count);
    cells.write(count, 6, tr("Total:"), Look{Qt::AlignCenter});
    cells.write(count, 7, tr("$ %1").arg(plainNumber(total)), RightText);
}

std::optional<qint64> PortfolioClass::selectedEntryRow(const QTableWidget *table, int *row)
{
    const QModelIndexList selected = table->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return std::nullopt;
    const int selectedRow = selected.first().row();
    const QTableWidgetItem *id = table->item(selectedRow, 0);
    bool ok = false;
    const qint64 value = id ? id->text().toLongLong(&ok, 10) : 0;
    if (!ok)
        return std::nullopt; // the blank, cash and total rows hold no entry
    if (row)
        *row = selectedRow;
    return value;
}

void PortfolioClass::buyStockClick()
{
    BuyStockClass buy;
    buy.execDialog();
    displayPortfolio();
    displayTransactions();
}

void PortfolioClass::sellStockClick()
{
    int row = -1;
    if (const std::optional<qint64> id = selectedEntryRow(overviewTable, &row)) {
        SellStockClass sell;
        sell.setSymbol(overviewTable->item(row, 1) ? overviewTable->item(row, 1)->text()
                                                   : QString());
        sell.setHoldingId(*id);
        sell.execDialog();
    } else {
        MessageBoxes::show(
            this, {QMessageBox::Warning, tr("Warning"), tr("No transaction selected!"),
                   tr("Please select a transaction from the Portfolio Table before clicking Sell."),
                   QMessageBox::Ok, QMessageBox::NoButton});
    }
    displayTransactions();
    displayPortfolio();
}

void PortfolioClass::delTransClick()
{
    int row = -1;
    if (const std::optional<qint64> id = selectedEntryRow(transTable, &row)) {
        // Deposits and withdrawals have no symbol; their type names them instead.
        QString item = transTable->item(row, 1) ? transTable->item(row, 1)->text() : QString();
        if (item.isEmpty() && transTable->item(row, 2))
            item = transTable->item(row, 2)->text();
        if (MessageBoxes::confirmDeletion(
                this, item, tr("This action will remove the transaction completely.")))
            PortfolioStore::deleteEntry(GDatabaseClass::mainStore(), *id);
    } else {
        MessageBoxes::show(this,
                           {QMessageBox::Warning, tr("Warning"), tr("No transaction selected!"),
                            tr("Please select an entry from the Transaction Table before "
                               "clicking Del Transaction."),
                            QMessageBox::Ok, QMessageBox::NoButton});
    }
    displayTransactions();
    // The cash balance on the Overview tab counts the transactions too.
    displayPortfolio();
}

void PortfolioClass::alertsBtnClick()
{
    ManageAlertDialogClass alerts;
    alerts.execDialog();
}

void PortfolioClass::newTransactionClick()
{
    CashTransactionClass cash;
    cash.execDialog();
    displayTransactions();
    displayPortfolio();
}

void PortfolioClass::stockDetailsClick()
{
    int row = -1;
    if (!selectedEntryRow(overviewTable, &row)) {
        MessageBoxes::show(this, {QMessageBox::Warning, tr("Warning"), tr("No stock selected!"),
                                  tr("Please select a stock from the Portfolio Table before "
                                     "clicking Stock Details."),
                                  QMessageBox::Ok, QMessageBox::NoButton});
        return;
    }
    openChart(overviewTable->item(row, 1) ? overviewTable->item(row, 1)->text() : QString());
}

void PortfolioClass::openChart(const QString &symbol)
{
    if (ChartClass::showSymbolInNewTab(symbol))
        emit changeListWidgetRow(PageRows::Charts);
}
