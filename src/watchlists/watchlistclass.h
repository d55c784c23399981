#pragma once

#include "marketdata/symbollookup.h"
#include "watchlists/watchlistgrid.h"

#include <QList>
#include <QString>
#include <QWidget>

class QComboBox;
class QCompleter;
class QFrame;
class QLineEdit;
class QTableWidget;
class QTimer;
class QToolButton;

// The watchlist page: the symbols of one chosen list with their latest stored quote fields, a
// share count per symbol with its market value and today's change, a marker for symbols with
// alerts, and actions to open a chart, the alert list, or remove the symbol. Quotes come from the
// stored snapshot only; the page's one network use is the symbol suggestions while typing.
class WatchlistClass : public QWidget
{
    Q_OBJECT

public:
    // Installs itself on the container it is given (a stacked page of the main window).
    explicit WatchlistClass(QWidget *parent = nullptr);
    ~WatchlistClass() override;

    QComboBox *listBox() const { return shownList; }
    QComboBox *targetListBox() const { return targetList; }
    QLineEdit *symbolEdit() const { return symbolField; }
    QToolButton *addButton() const { return addSymbolButton; }
    QToolButton *manageButton() const { return manageListsButton; }
    QTableWidget *grid() const { return watchGrid; }
    QTimer *refreshTimer() const { return timer; }

    // Reads the lists again into both list boxes, keeping each box's list when it still exists.
    void refillListBoxes();

    static constexpr int RefreshPeriodMs = 15000;

signals:
    void changeListWidgetRow(int row);

public slots:
    void textChange(const QString &query);
    void watchGridClick(int row, int column);
    void removeSymbol(int row, int column);
    void drawGrid();
    void addBtnClick();
    void addListClick();
    void loadChart(int column, int row);
    void watchGridCellChanged(int row, int column);

protected:
    // Opening the page shows the quotes stored since its last refresh, without waiting for
    // the timer.
    void showEvent(QShowEvent *event) override;

private:
    void buildTopFrame();
    void buildGrid();
    void fillListBox(QComboBox *box, const QList<QPair<qint64, QString>> &lists);
    qint64 listIdOf(const QComboBox *box) const;
    QString symbolAt(int row) const;
    bool editorOpen() const;
    void fillSymbolRow(int row, const WatchlistGrid::Row &line);
    void fillTotalRows(int firstRow, const WatchlistGrid::Grid &grid);
    void lookUpSuggestions();
    void offerSuggestions(const QString &lookedUp, const QList<SymbolLookup::Match> &matches);
    std::optional<SymbolLookup::Match> knownMatch(const QString &typed);
    void applyShareCount(const QString &symbol, const QString &typed);
    void openAlerts();

    QFrame *topFrame = nullptr;
    QComboBox *shownList = nullptr;
    QComboBox *targetList = nullptr;
    QLineEdit *symbolField = nullptr;
    QToolButton *addSymbolButton = nullptr;
    QToolButton *manageListsButton = nullptr;
    QTableWidget *watchGrid = nullptr;
    QTimer *timer = nullptr;
    QCompleter *completer = nullptr;

    // What the grid shows, to fill again only the rows that changed.
    WatchlistGrid::Grid drawn;
    qint64 drawnListId = -1;
    bool refillAll = false;

    // Suggestions of the latest finished lookup, for following a chosen symbol.
    QList<SymbolLookup::Match> suggestions;
    // While a lookup waits for its answer, further keystrokes only leave their text here; the
    // waiting lookup asks again for the newest text once it returns.
    QString queryWaiting;
    bool lookupRunning = false;
    // The page replacing a chosen suggestion by its symbol: no new lookup for that.
    bool settingOwnText = false;
};
