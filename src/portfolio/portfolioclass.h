#pragma once

#include <QWidget>

#include <optional>

class QFrame;
class QLabel;
class QTabWidget;
class QTableWidget;
class QTimer;
class QToolButton;

// The portfolio page: the holdings valued at the stored quotes with the cash balance and totals
// ("Overview"), the cash transactions ("Transactions"), and the buttons that buy, sell, record
// deposits and withdrawals, delete entries, show a holding's chart and open the alert list. It
// only reads the store; the quote snapshot keeps the prices current.
class PortfolioClass : public QWidget
{
    Q_OBJECT

public:
    // Installs itself on the container it is given (a stacked page of the main window).
    explicit PortfolioClass(QWidget *parent = nullptr);
    ~PortfolioClass() override;

    static constexpr int RefreshPeriodMs = 120000;

    QTableWidget *holdingsTable() const { return overviewTable; }
    QTableWidget *transactionsTable() const { return transTable; }
    QTabWidget *tabs() const { return tabWidget; }
    QLabel *statusLabel() const { return updateLabel; }
    QTimer *refreshTimer() const { return timer; }
    QToolButton *buyButton() const { return buyBtn; }
    QToolButton *sellButton() const { return sellBtn; }
    QToolButton *alertsButton() const { return alertsBtn; }
    QToolButton *newTransactionButton() const { return newTransBtn; }
    QToolButton *deleteButton() const { return delTransBtn; }
    QToolButton *detailsButton() const { return detailsBtn; }

signals:
    // Asks the main window to show a navigation row (1, the charts, after opening a chart).
    void changeListWidgetRow(int row);

public slots:
    void getQuoteData();
    void addButtonClick();
    void displayPortfolio();
    void displayTransactions();
    void buyStockClick();
    void sellStockClick();
    void delTransClick();
    void replyFinished();
    void alertsBtnClick();
    void newTransactionClick();
    void stockDetailsClick();

protected:
    // Opening the page shows the quotes stored since its last refresh, without waiting for
    // the timer.
    void showEvent(QShowEvent *event) override;

private:
    void buildTopFrame();
    // The id of the selected row, when that row holds an entry (not a blank or total row).
    static std::optional<qint64> selectedEntryRow(const QTableWidget *table, int *row = nullptr);
    void openChart(const QString &symbol);

    QFrame *topFrame = nullptr;
    QToolButton *buyBtn = nullptr;
    QToolButton *sellBtn = nullptr;
    QToolButton *alertsBtn = nullptr;
    QToolButton *newTransBtn = nullptr;
    QToolButton *delTransBtn = nullptr;
    QToolButton *detailsBtn = nullptr;
    QLabel *updateLabel = nullptr;
    QTabWidget *tabWidget = nullptr;
    QTableWidget *overviewTable = nullptr;
    QTableWidget *transTable = nullptr;
    QTimer *timer = nullptr;
};
