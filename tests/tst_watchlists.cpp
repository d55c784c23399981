#include "charts/chartclass.h"
#include "charts/chartframeclass.h"
#include "support/watchlistfixture.h"
#include "watchlists/managelistsclass.h"
#include "watchlists/sharecount.h"
#include "watchlists/watchlistclass.h"
#include "watchlists/watchlistgrid.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QHeaderView>
#include <QLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <optional>

using WatchlistGrid::Column;

namespace {

QString cell(const QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

QColor textColour(const QTableWidget *grid, int row, int column)
{
    return grid->item(row, column)->foreground().color();
}

bool hasDefaultColour(const QTableWidget *grid, int row, int column)
{
    return grid->item(row, column)->foreground().style() == Qt::NoBrush;
}

// Types a share count into the grid as the user's edit would commit it, and lets the page
// answer it.
void typeShares(WatchlistClass *page, int row, const QString &text)
{
    page->grid()->item(row, Column::SharesColumn)->setText(text);
    QCoreApplication::processEvents();
}

QStringList boxTitles(const QComboBox *box)
{
    QStringList titles;
    for (int i = 0; i < box->count(); ++i)
        titles << box->itemText(i);
    return titles;
}

// A deletion answered Yes, then No.
void addAnswerRows()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

// Runs `action` on the modal dialog once it is up.
void whenModal(std::function<void(QDialog *)> action)
{
    QTimer::singleShot(0, [action] {
        QTRY_VERIFY(qobject_cast<QDialog *>(QApplication::activeModalWidget()));
        action(qobject_cast<QDialog *>(QApplication::activeModalWidget()));
    });
}

} // namespace

class WatchlistsTest : public QObject
{
    Q_OBJECT

private slots:
    // Share counts and values
    void typedShareCounts_data();
    void typedShareCounts();
    void storedShareCounts_data();
    void storedShareCounts();
    void moneyIsTheGeneralFormatAfterADollar_data();
    void moneyIsTheGeneralFormatAfterADollar();

    // The page
    void pageLayoutAndTimer();
    void threeSymbolsShowFiveRowsWithTotals();
    void signedValuesAreColouredBySign_data();
    void signedValuesAreColouredBySign();
    void valuesTodaysChangeAndTotalsFollowShareCounts();
    void missingQuoteFieldsShowEmptyAndCountAsZero();
    void oneShareCountAcrossTwoLists();
    void shareCountThatIsNoWholeNumberIsRefused_data();
    void shareCountThatIsNoWholeNumberIsRefused();
    void refreshNeverWritesShareCountsBack();
    void refreshKeepsTheChosenRow();
    void openingThePageShowsQuotesStoredSinceItsLastRefresh();
    void emptyAndTotalsRowsIgnoreEditsAndDoubleClicks();
    void removeAsksThenRemovesFromEveryListWithAlerts_data();
    void removeAsksThenRemovesFromEveryListWithAlerts();
    void listsWithTheSameTitleEachShowTheirOwnSymbols();

    // Adding symbols
    void addingFollowsASymbolNewToCorvane();
    void addingAFollowedSymbolUsesItsSpelling();
    void sameSymbolTwiceOnAListIsRefused();
    void apostropheInASymbolIsStored();
    void addingWithoutAListOrSymbolStoresNothing();
    void suggestionsCompleteTheFieldAndLeaveOnlyTheSymbol();

    // Charts and the list manager
    void doubleClickOnASymbolOpensItsChartTab();
    void alertColumnOpensTheAlertListAndRedraws();
    void listBoxesAreRefilledAfterTheManagerCloses();
    void managerAddsListsIncludingDuplicatesAndApostrophes();
    void managerDeleteAsksThenRemovesTheListAndItsSymbols_data();
    void managerDeleteAsksThenRemovesTheListAndItsSymbols();
    void managerIgnoresTheEmptyLastRow();
};

void WatchlistsTest::typedShareCounts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint64>("count"); // -1: refused
    QTest::newRow("whole") << "200" << qint64(200);
    QTest::newRow("spaces around") << " 7 " << qint64(7);
    QTest::newRow("zero") << "0" << qint64(0);
    QTest::newRow("largest") << "999999999999" << qint64(999999999999);
    QTest::newRow("too large") << "1000000000000" << qint64(-1);
    QTest::newRow("fraction") << "12.5" << qint64(-1);
    QTest::newRow("whole with decimals") << "12.0" << qint64(-1);
    QTest::newRow("negative") << "-3" << qint64(-1);
    QTest::newRow("plus sign") << "+3" << qint64(-1);
    QTest::newRow("exponent") << "1e3" << qint64(-1);
    QTest::newRow("text") << "ten" << qint64(-1);
    QTest::newRow("SQL") << "1; DELETE FROM watchlists" << qint64(-1);
    QTest::newRow("empty") << "" << qint64(-1);
}

void WatchlistsTest::typedShareCounts()
{
    QFETCH(QString, typed);
    QFETCH(qint64, count);
    const std::optional<qint64> parsed = ShareCount::parseTyped(typed);
    QCOMPARE(parsed.has_value(), count >= 0);
    if (parsed)
        QCOMPARE(*parsed, count);
}

void WatchlistsTest::storedShareCounts_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<qint64>("count");
    QTest::newRow("whole") << "200" << qint64(200);
    QTest::newRow("number column") << "200.0" << qint64(200);
    QTest::newRow("exponent form") << "2e+08" << qint64(200000000);
    QTest::newRow("fraction") << "12.5" << qint64(0);
    QTest::newRow("negative") << "-4" << qint64(0);
    QTest::newRow("absent") << "" << qint64(0);
    QTest::newRow("text") << "many" << qint64(0);
}

void WatchlistsTest::storedShareCounts()
{
    QFETCH(QString, stored);
    QFETCH(qint64, count);
    QCOMPARE(ShareCount::fromStored(stored), count);
}

void WatchlistsTest::moneyIsTheGeneralFormatAfterADollar_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 300.0 << "$300";
    QTest::newRow("cents") << 1234.5 << "$1234.5";
    QTest::newRow("six digits") << 4957.998 << "$4958";
    QTest::newRow("loss") << -24.0 << "$-24";
    QTest::newRow("negative zero") << -0.0 << "$0";
    QTest::newRow("millions") << 1234567.0 << "$1.23457e+06";
}

void WatchlistsTest::moneyIsTheGeneralFormatAfterADollar()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(WatchlistGrid::money(value), text);
}

void WatchlistsTest::pageLayoutAndTimer()
{
    WatchlistFixture fixture;
    fixture.addList("Tech");
    WatchlistClass *page = fixture.newPage();

    QCOMPARE(page->parentWidget()->layout()->indexOf(page), 0);
    QCOMPARE(page->listBox()->currentText(), QString("Tech"));
    QCOMPARE(page->targetListBox()->currentText(), QString("Tech"));
    QCOMPARE(page->symbolEdit()->placeholderText(), QString("Add Symbol..."));
    QCOMPARE(page->addButton()->whatsThis(), QString("Add a new symbol to a Watchlist"));
    QCOMPARE(page->manageButton()->whatsThis(), QString("Manage Watchlists."));
    QCOMPARE(page->addButton()->objectName(), QString("smallBtn"));
    QVERIFY(page->findChild<QFrame *>("topFrame"));
    QCOMPARE(page->findChild<QFrame *>("topFrame")->height(), 40);

    QTableWidget *grid = page->grid();
    QCOMPARE(grid->columnCount(), 12);
    const QStringList headers{"Symbol",
                              "",
                              "Last",
                              "Change",
                              "Change %",
                              "Number\nShares",
                              "Market\nValue",
                              "Todays\nChange",
                              "EPS",
                              "Dividend",
                              "Dividend\nYield",
                              ""};
    for (int column = 0; column < 12; ++column)
        QCOMPARE(grid->horizontalHeaderItem(column)->text(), headers.at(column));
    QCOMPARE(grid->columnWidth(Column::SymbolColumn), 75);
    QCOMPARE(grid->columnWidth(Column::AlertColumn), 25);
    QCOMPARE(grid->columnWidth(Column::RemoveColumn), 25);
    QCOMPARE(grid->verticalHeader()->defaultSectionSize(), 18);
    QVERIFY(grid->alternatingRowColors());
    QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);

    QVERIFY(page->refreshTimer()->isActive());
    QCOMPARE(page->refreshTimer()->interval(), 15000);
}

void WatchlistsTest::threeSymbolsShowFiveRowsWithTotals()
{
    WatchlistFixture fixture;
    const qint64 tech = fixture.addList("Tech");
    for (const char *symbol : {"AAPL", "MSFT", "IBM"})
        fixture.watch(symbol, tech);
    fixture.addAlert("MSFT");
    WatchlistClass *page = fixture.newPage();
    QTableWidget *grid = page->grid();

    QCOMPARE(grid->rowCount(), 5);
    QCOMPARE(cell(grid, 0, 0), QString("AAPL"));
    QCOMPARE(cell(grid, 1, 0), QString("MSFT"));
    QCOMPARE(cell(grid, 2, 0), QString("IBM"));
    QCOMPARE(grid->item(0, 0)->whatsThis(), QString("Double click here the view the chart."));
    QVERIFY(!grid->item(0, Column::SymbolColumn)->icon().isNull());
    QVERIFY(!grid->item(0, Column::RemoveColumn)->icon().isNull());
    // The megaphone only for the symbol with an alert.
    QVERIFY(grid->item(0, Column::AlertColumn)->icon().isNull());
    QVERIFY(!grid->item(1, Column::AlertColumn)->icon().isNull());
    QCOMPARE(cell(grid, 1, Column::AlertColumn), QString());
    // Empty row, then the totals.
    for (int column = 0; column < 12; ++column)
        QCOMPARE(cell(grid, 3, column), QString());
    QCOMPARE(cell(grid, 4, Column::LastColumn), QString("Totals:"));
    QCOMPARE(cell(grid, 4, Column::SymbolColumn), QString());
}

void WatchlistsTest::openingThePageShowsQuotesStoredSinceItsLastRefresh()
{
    WatchlistFixture fixture;
    const qint64 tech = fixture.addList("Tech");
    fixture.watch("AAPL", tech);
    WatchlistClass *page = fixture.newPage();
    page->parentWidget()->show();
    QVERIFY(QTest::qWaitForWindowExposed(page->parentWidget()));
    QCOMPARE(cell(page->grid(), 0, Column::LastColumn), QString());

    // The first quotes arrive while another page is in front.
    page->hide();
    fixture.quote("AAPL", "LastTradePriceOnly", "24.66");
    page->show();
    QCOMPARE(cell(page->grid(), 0, Column::LastColumn), QString("24.66"));
}

void WatchlistsTest::signedValuesAreColouredBySign_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("sign");
    QTest::newRow("change down") << int(Column::ChangeColumn) << "Change"
                                 << "-0.25" << -1;
    QTest::newRow("change up") << int(Column::ChangeColumn) << "Change"
                               << "+0.25" << 1;
    QTest::newRow("change flat") << int(Column::ChangeColumn) << "Change"
                                 << "0.00" << 0;
    QTest::newRow("percent up") << int(Column::ChangePercentColumn) << "ChangeinPercent"
                                << "+1.20%" << 1;
    QTest::newRow("percent down") << int(Column::ChangePercentColumn) << "ChangeinPercent"
                                  << "-0.52%" << -1;
    QTest::newRow("EPS without sign") << int(Column::EpsColumn) << "EarningsShare"
                                      << "1.78" << 1;
    QTest::newRow("EPS no number") << int(Column::EpsColumn) << "EarningsShare"
                                   << " - " << 0;
    QTest::newRow("last is never coloured") << int(Column::LastColumn) << "LastTradePriceOnly"
                                            << "24.78" << 0;
    QTest::newRow("yield is never coloured") << int(Column::DividendYieldColumn) << "DividendYield"
                                             << "1.42" << 0;
}

void WatchlistsTest::signedValuesAreColouredBySign()
{
    QFETCH(int, column);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(int, sign);
    WatchlistFixture fixture;
    fixture.watch("AAPL", fixture.addList("Tech"));
    fixture.quote("AAPL", field, value);
    QTableWidget *grid = fixture.newPage()->grid();

    QCOMPARE(cell(grid, 0, column), value); // shown as stored
    QCOMPARE(grid->item(0, column)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    if (sign == 0)
        QVERIFY(hasDefaultColour(grid, 0, column));
    else
        QCOMPARE(textColour(grid, 0, column), QColor(sign > 0 ? Qt::green : Qt::red));
}

void WatchlistsTest::valuesTodaysChangeAndTotalsFollowShareCounts()
{
    WatchlistFixture fixture;
    const qint64 tech = fixture.addList("Tech");
    fixture.watch("AAPL", tech, 200);
    fixture.watch("MSFT", tech, 10);
    fixture.quote("AAPL", "LastTradePriceOnly", "1.5");
    fixture.quote("AAPL", "Change", "-0.25");
    fixture.quote("MSFT", "LastTradePriceOnly", "230.37");
    fixture.quote("MSFT", "Change", "+3.47");
    QTableWidget *grid = fixture.newPage()->grid();

    QCOMPARE(cell(grid, 0, Column::SharesColumn), QString("200"));
    QCOMPARE(cell(grid, 0, Column::MarketValueColumn), QString("$300"));
    QVERIFY(hasDefaultColour(grid, 0, Column::MarketValueColumn));
    QCOMPARE(cell(grid, 0, Column::TodaysChangeColumn), QString("$-50"));
    QCOMPARE(textColour(grid, 0, Column::TodaysChangeColumn), QColor(Qt::red));
    QCOMPARE(cell(grid, 1, Column::MarketValueColumn), QString("$2303.7"));
    QCOMPARE(cell(grid, 1, Column::TodaysChangeColumn), QString("$34.7"));
    QCOMPARE(textColour(grid, 1, Column::TodaysChangeColumn), QColor(Qt::green));

    const int totals = 3;
    QCOMPARE(cell(grid, totals, Column::MarketValueColumn), QString("$2603.7"));
    QCOMPARE(cell(grid, totals, Column::TodaysChangeColumn), QString("$-15.3"));
    QCOMPARE(textColour(grid, totals, Column::TodaysChangeColumn), QColor(Qt::red));
}

void WatchlistsTest::missingQuoteFieldsShowEmptyAndCountAsZero()
{
    WatchlistFixture fixture;
    fixture.watch("NEWCO", fixture.addList("Tech"), 50);
    QTableWidget *grid = fixture.newPage()->grid();

    for (int column : {Column::LastColumn, Column::ChangeColumn, Column::ChangePercentColumn,
                       Column::EpsColumn, Column::DividendColumn, Column::DividendYieldColumn})
        QCOMPARE(cell(grid, 0, column), QString());
    QCOMPARE(cell(grid, 0, Column::SharesColumn), QString("50"));
    QCOMPARE(cell(grid, 0, Column::MarketValueColumn), QString("$0"));
    QCOMPARE(cell(grid, 0, Column::TodaysChangeColumn), QString("$0"));
    QVERIFY(hasDefaultColour(grid, 0, Column::TodaysChangeColumn));
}

void WatchlistsTest::oneShareCountAcrossTwoLists()
{
    WatchlistFixture fixture;
    const qint64 tech = fixture.addList("Tech");
    const qint64 income = fixture.addList("Income");
    fixture.watch("IBM", tech);
    fixture.watch("IBM", income);
    fixture.quote("IBM", "LastTradePriceOnly", "19.5");
    WatchlistClass *page = fixture.newPage();
    page->listBox()->setCurrentText("Tech");

    typeShares(page, 0, "40");
    QCOMPARE(fixture.rows("SELECT numShares FROM watchedSymbols ORDER BY listId"),
             QStringList({"40", "40"}));
    // The values follow at once.
    QCOMPARE(cell(page->grid(), 0, Column::SharesColumn), QString("40"));
    QCOMPARE(cell(page->grid(), 0, Column::MarketValueColumn), QString("$780"));

    page->listBox()->setCurrentText("Income");
    QCOMPARE(cell(page->grid(), 0, Column::SharesColumn), QString("40"));
    QVERIFY(fixture.boxes().shown().isEmpty());
}

void WatchlistsTest::shareCountThatIsNoWholeNumberIsRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("fraction") << "12.5";
    QTest::newRow("negative") << "-5";
    QTest::newRow("text") << "lots";
    QTest::newRow("statement") << "0 WHERE 1=1; DROP TABLE watchlists";
}

void WatchlistsTest::shareCountThatIsNoWholeNumberIsRefused()
{
    QFETCH(QString, typed);
    WatchlistFixture fixture;
    const qint64 tech = fixture.addList("Tech");
    fixture.watch("AAPL", tech, 200);
    fixture.watch("MSFT", tech, 3);
    WatchlistClass *page = fixture.newPage();

    typeShares(page, 0, typed);
    QCOMPARE(fixture.boxes().titles(), QStringList{"Warning"});
    QVERIFY(fixture.boxes().shown().first().text.contains(typed));
    QCOMPARE(fixture.rows("SELECT numShares FROM watchedSymbols ORDER BY id"),
             QStringList({"200", "3"}));
    QCOMPARE(fixture.count("watchlists"), 1);
    QCOMPARE(cell(page->grid(), 0, Column::SharesColumn), QString("200"));
}

void WatchlistsTest::refreshNeverWritesShareCountsBack()
{
    WatchlistFixture fixture;
    const qint64 tech = fixture.addList("Tech");
    // A count from an older store that is no whole number shows as 0, and stays stored.
    fixture.watch("AAPL", tech, 12.5);
    fixture.watch("MSFT", tech, 7);
    WatchlistClass *page = fixture.newPage();
    QCOMPARE(cell(page->grid(), 0, Column::SharesColumn), QString("0"));

    QSignalSpy changes(page->grid(), &QTableWidget::cellChanged);
    page->refreshTimer()->setInterval(1);
    QTest::qWait(30);
    page->drawGrid();
    QCoreApplication::processEvents();
    QCOMPARE(changes.count(), 0);
    QCOMPARE(fixture.rows("SELECT numShares FROM watchedSymbols ORDER BY id"),
             QStringList({"12.5", "7"}));
}

void WatchlistsTest::refreshKeepsTheChosenRow()
{
    WatchlistFixture fixture;
    const qint64 tech = fixture.addList("Tech");
    fixture.watch("AAPL", tech);
    fixture.watch("MSFT", tech);
    WatchlistClass *page = fixture.newPage();
    page->grid()->selectRow(1);
    page->drawGrid();
    QCOMPARE(page->grid()->currentRow(), 1);
    QCOMPARE(page->grid()->selectedItems().size(), 12);
}

void WatchlistsTest::emptyAndTotalsRowsIgnoreEditsAndDoubleClicks()
{
    WatchlistFixture fixture;
    fixture.watch("AAPL", fixture.addList("Tech"), 5);
    fixture.newChartTabs();
    const int tabsBefore = ChartClass::instance()->tabs()->count();
    WatchlistClass *page = fixture.newPage();
    QSignalSpy switches(page, &WatchlistClass::changeListWidgetRow);
    QTableWidget *grid = page->grid();

    for (int row : {1, 2}) {
        for (int column = 0; column < 12; ++column) {
            QVERIFY(grid->item(row, column));
            QVERIFY(!(grid->item(row, column)->flags() & Qt::ItemIsEditable));
            page->watchGridClick(row, column);
        }
        // Even text forced into the share-count cell of these rows is not stored.
        grid->item(row, Column::SharesColumn)->setText("99");
        page->watchGridCellChanged(row, Column::SharesColumn);
        QCoreApplication::processEvents();
    }
    QVERIFY(fixture.boxes().shown().isEmpty());
    QCOMPARE(ChartClass::instance()->tabs()->count(), tabsBefore);
    QCOMPARE(switches.count(), 0);
    QCOMPARE(fixture.rows("SELECT numShares FROM watchedSymbols"), QStringList{"5"});
    // On a symbol row only the share count can be edited.
    for (int column = 0; column < 12; ++column)
        QCOMPARE(bool(grid->item(0, column)->flags() & Qt::ItemIsEditable),
                 column == Column::SharesColumn);
}

void WatchlistsTest::removeAsksThenRemovesFromEveryListWithAlerts_data()
{
    addAnswerRows();
}

void WatchlistsTest::removeAsksThenRemovesFromEveryListWithAlerts()
{
    QFETCH(bool, yes);
    WatchlistFixture fixture;
    const qint64 tech = fixture.addList("Tech");
    const qint64 income = fixture.addList("Income");
    fixture.watch("O'NEIL", tech);
    fixture.watch("IBM", tech);
    fixture.watch("O'NEIL", income);
    fixture.addAlert("O'NEIL");
    fixture.addAlert("IBM");
    WatchlistClass *page = fixture.newPage();
    page->listBox()->setCurrentText("Tech");
    fixture.boxes().answer("Delete", yes ? QMessageBox::Yes : QMessageBox::No);

    // A refresh after the answer shows the outcome.
    fixture.store().ExecSQL("INSERT INTO watchedSymbols (symbol, listId) VALUES('MSFT'," +
                            QString::number(tech) + ")");
    emit page->grid()->cellDoubleClicked(0, Column::RemoveColumn);

    const QList<MessageBoxes::Box> asked = fixture.boxes().shown();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().text, QString("Are you sure you want to delete O'NEIL"));
    QCOMPARE(asked.first().informativeText,
             QString("This action will remove the symbol and any associated alerts."));
    QCOMPARE(asked.first().defaultButton, QMessageBox::No);
    QCOMPARE(fixture.rows("SELECT symbol FROM watchedSymbols WHERE symbol='O''NEIL'").size(),
             yes ? 0 : 2);
    QCOMPARE(fixture.rows("SELECT symbol FROM alerts ORDER BY symbol"),
             yes ? QStringList{"IBM"} : QStringList({"IBM", "O'NEIL"}));
    QCOMPARE(page->grid()->rowCount(), yes ? 4 : 5);
    QCOMPARE(cell(page->grid(), 0, 0), yes ? QString("IBM") : QString("O'NEIL"));
}

void WatchlistsTest::listsWithTheSameTitleEachShowTheirOwnSymbols()
{
    WatchlistFixture fixture;
    const qint64 first = fixture.addList("Tech");
    const qint64 second = fixture.addList("Tech");
    fixture.watch("AAPL", first);
    fixture.watch("MSFT", second);
    WatchlistClass *page = fixture.newPage();

    QCOMPARE(boxTitles(page->listBox()), QStringList({"Tech", "Tech"}));
    QCOMPARE(cell(page->grid(), 0, 0), QString("AAPL"));
    page->listBox()->setCurrentIndex(1);
    QCOMPARE(cell(page->grid(), 0, 0), QString("MSFT"));
    // Adding goes to the list on show.
    QCOMPARE(page->targetListBox()->currentIndex(), 1);
}

void WatchlistsTest::addingFollowsASymbolNewToCorvane()
{
    WatchlistFixture fixture;
    const qint64 tech = fixture.addList("Tech");
    fixture.suggest({{"NVDA", "NVIDIA Corporation", "NMS", "Equity"},
                     {"NVO", "Novo Nordisk A/S", "NYQ", "Equity"}});
    WatchlistClass *page = fixture.newPage();

    page->symbolEdit()->setText("nvda");
    page->addBtnClick();

    // Stored under the service's spelling, so that its quotes match.
    QCOMPARE(fixture.rows("SELECT symbol, listId, numShares FROM watchedSymbols"),
             QStringList{QString("NVDA|%1|0").arg(tech)});
    QCOMPARE(fixture.rows("SELECT symbol, companyName, exchange FROM symbols"),
             QStringList{"NVDA|NVIDIA Corporation|NMS"});
    QCOMPARE(page->symbolEdit()->text(), QString());
    QCOMPARE(cell(page->grid(), 0, 0), QString("NVDA"));
    QVERIFY(fixture.boxes().shown().isEmpty());
}

void WatchlistsTest::addingAFollowedSymbolUsesItsSpelling()
{
    WatchlistFixture fixture;
    fixture.addList("Tech");
    fixture.follow("AAPL", "Apple Inc.");
    WatchlistClass *page = fixture.newPage();
    fixture.server().clearRequests();

    page->symbolEdit()->setText("aapl");
    fixture.server().clearRequests();
    page->addBtnClick();

    QCOMPARE(fixture.rows("SELECT symbol FROM watchedSymbols"), QStringList{"AAPL"});
    QCOMPARE(fixture.count("symbols"), 1);
    // Followed already: the symbol search is not asked.
    QVERIFY(fixture.server().requests().isEmpty());
}

void WatchlistsTest::sameSymbolTwiceOnAListIsRefused()
{
    WatchlistFixture fixture;
    const qint64 tech = fixture.addList("Tech");
    const qint64 income = fixture.addList("Income");
    fixture.follow("IBM", "International Business Machines");
    fixture.watch("IBM", tech);
    WatchlistClass *page = fixture.newPage();
    page->targetListBox()->setCurrentText("Tech");

    page->symbolEdit()->setText("IBM");
    page->addBtnClick();
    QCOMPARE(fixture.boxes().titles(), QStringList{"Warning"});
    QCOMPARE(fixture.boxes().shown().first().text, QString("IBM is already on the list Tech."));
    QCOMPARE(fixture.count("watchedSymbols"), 1);
    QCOMPARE(page->symbolEdit()->text(), QString("IBM")); // left for another target

    // Another list may hold it too.
    page->targetListBox()->setCurrentText("Income");
    page->addBtnClick();
    QCOMPARE(fixture.rows("SELECT listId FROM watchedSymbols ORDER BY id"),
             QStringList({QString::number(tech), QString::number(income)}));
}

void WatchlistsTest::apostropheInASymbolIsStored()
{
    WatchlistFixture fixture;
    fixture.addList("Tech");
    fixture.suggest({});
    WatchlistClass *page = fixture.newPage();

    page->symbolEdit()->setText("O'X|Y");
    page->addBtnClick();
    QCOMPARE(fixture.rows("SELECT symbol FROM watchedSymbols"), QStringList{"O'XY"});
    // Not known to the symbol search: on the list, but not followed.
    QCOMPARE(fixture.count("symbols"), 0);
    QCOMPARE(cell(page->grid(), 0, 0), QString("O'XY"));
}

void WatchlistsTest::addingWithoutAListOrSymbolStoresNothing()
{
    WatchlistFixture fixture;
    WatchlistClass *page = fixture.newPage();
    page->addBtnClick(); // empty field
    QVERIFY(fixture.boxes().shown().isEmpty());

    page->symbolEdit()->setText("IBM");
    page->addBtnClick();
    QCOMPARE(fixture.boxes().titles(), QStringList{"Warning"});
    QCOMPARE(fixture.count("watchedSymbols"), 0);
    QCOMPARE(page->grid()->rowCount(), 2);
}

void WatchlistsTest::suggestionsCompleteTheFieldAndLeaveOnlyTheSymbol()
{
    WatchlistFixture fixture;
    fixture.addList("Tech");
    fixture.suggest(
        {{"AAPL", "Apple Inc.", "NMS", "Equity"}, {"^GSPC", "S&P 500 (Index)", "", "Index"}});
    WatchlistClass *page = fixture.newPage();

    page->symbolEdit()->setText("ap");
    QCompleter *completer = page->symbolEdit()->completer();
    QVERIFY(completer);
    QCOMPARE(completer->caseSensitivity(), Qt::CaseInsensitive);
    QCOMPARE(completer->completionColumn(), 0);
    QStringList offered;
    for (int row = 0; row < completer->model()->rowCount(); ++row)
        offered << completer->model()->index(row, 0).data().toString();
    QCOMPARE(offered, QStringList({"AAPL (Apple Inc.)", "^GSPC (S&P 500 (Index))"}));

    // Choosing a suggestion leaves its symbol; the company name may hold brackets too.
    fixture.server().clearRequests();
    page->symbolEdit()->setText("^GSPC (S&P 500 (Index))");
    QCOMPARE(page->symbolEdit()->text(), QString("^GSPC"));
    QVERIFY(fixture.server().requests().isEmpty()); // no lookup for the page's own change

    // Clearing the field asks for nothing.
    page->symbolEdit()->clear();
    QVERIFY(fixture.server().requests().isEmpty());
}

void WatchlistsTest::doubleClickOnASymbolOpensItsChartTab()
{
    WatchlistFixture fixture;
    fixture.follow("IBM", "International Business Machines");
    fixture.watch("IBM", fixture.addList("Tech"));
    ChartClass *charts = fixture.newChartTabs();
    WatchlistClass *page = fixture.newPage();
    QSignalSpy switches(page, &WatchlistClass::changeListWidgetRow);
    charts->tabs()->setCurrentIndex(0);
    const int tabsBefore = charts->tabs()->count();

    emit page->grid()->cellDoubleClicked(0, Column::SymbolColumn);

    QCOMPARE(charts->tabs()->count(), tabsBefore + 1);
    QCOMPARE(charts->tabs()->currentIndex(), tabsBefore);
    ChartFrameClass *chart = charts->latestChart();
    QVERIFY(chart);
    QCOMPARE(chart->parentWidget(), charts->tabs()->widget(tabsBefore));
    QCOMPARE(chart->symbolBox()->currentText(), QString("IBM"));
    QCOMPARE(switches.count(), 1);
    QCOMPARE(switches.first().first().toInt(), 1);

    // Like every chart tab it hears of new headlines.
    QCOMPARE(chart->headlineTable()->rowCount(), 0);
    fixture.store().ExecSQL(
        "INSERT INTO feeds (id, title, colour, feedURL, desc, lastUpdate, template, active) "
        "VALUES(1,'Company Headlines','steelblue','http://127.0.0.1:9/n','',0,1,2)");
    fixture.store().ExecSQL(
        QStringLiteral("INSERT INTO newsItems (feedId, symbol, title, url, pubDate, read) "
                       "VALUES(1,'IBM','IBM rallies','http://news.example/1',%1,0)")
            .arg(QDateTime::currentMSecsSinceEpoch() - 60000));
    charts->newRSS();
    QVERIFY(chart->headlineTable()->rowCount() > 0);
}

void WatchlistsTest::alertColumnOpensTheAlertListAndRedraws()
{
    WatchlistFixture fixture;
    fixture.watch("IBM", fixture.addList("Tech"));
    WatchlistClass *page = fixture.newPage();
    QVERIFY(page->grid()->item(0, Column::AlertColumn)->icon().isNull());

    bool opened = false;
    whenModal([&](QDialog *dialog) {
        opened = true;
        // An alert made while the list is open shows once it closes.
        fixture.addAlert("IBM");
        dialog->reject();
    });
    emit page->grid()->cellDoubleClicked(0, Column::AlertColumn);
    QVERIFY(opened);
    QVERIFY(!page->grid()->item(0, Column::AlertColumn)->icon().isNull());
}

void WatchlistsTest::listBoxesAreRefilledAfterTheManagerCloses()
{
    WatchlistFixture fixture;
    fixture.addList("Tech");
    const qint64 income = fixture.addList("Income");
    fixture.watch("KO", income);
    WatchlistClass *page = fixture.newPage();
    page->listBox()->setCurrentText("Tech");
    page->targetListBox()->setCurrentText("Income");
    QCOMPARE(boxTitles(page->listBox()), QStringList({"Income", "Tech"}));

    whenModal([](QDialog *dialog) {
        dialog->findChild<QLineEdit *>()->setText("Banks");
        dialog->findChild<QToolButton *>()->click();
        dialog->accept();
    });
    page->manageButton()->click();

    QCOMPARE(boxTitles(page->listBox()), QStringList({"Banks", "Income", "Tech"}));
    QCOMPARE(boxTitles(page->targetListBox()), QStringList({"Banks", "Income", "Tech"}));
    QCOMPARE(page->listBox()->currentText(), QString("Tech"));
    QCOMPARE(page->targetListBox()->currentText(), QString("Income"));

    // A shown list deleted in the manager gives way to the first one.
    whenModal([](QDialog *dialog) {
        QTableWidget *lists = dialog->findChild<QTableWidget *>();
        for (int row = 0; row < lists->rowCount(); ++row) {
            if (lists->item(row, 1) && lists->item(row, 1)->text() == "Tech")
                emit lists->cellDoubleClicked(row, 1);
        }
        dialog->accept();
    });
    fixture.boxes().answer("Delete", QMessageBox::Yes);
    page->manageButton()->click();
    QCOMPARE(boxTitles(page->listBox()), QStringList({"Banks", "Income"}));
    QCOMPARE(page->listBox()->currentText(), QString("Banks"));
    QCOMPARE(page->grid()->rowCount(), 2);
}

void WatchlistsTest::managerAddsListsIncludingDuplicatesAndApostrophes()
{
    WatchlistFixture fixture;
    ManageListsClass manager;
    manager.displayLists();
    QTableWidget *grid = manager.listGrid();
    QCOMPARE(manager.nameEdit()->placeholderText(), QString("New list name..."));
    QCOMPARE(grid->columnCount(), 3);
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QString("List Name"));
    QCOMPARE(grid->horizontalHeaderItem(2)->text(), QString("Del"));
    QCOMPARE(grid->columnWidth(0), 0);
    QCOMPARE(grid->columnWidth(2), 25);
    QCOMPARE(grid->rowCount(), 1);

    manager.addBtnClick(); // empty name
    manager.nameEdit()->setText("   ");
    manager.addBtnClick();
    QCOMPARE(fixture.count("watchlists"), 0);

    for (const char *title : {"Tech", "Dividend's", "Tech"}) {
        manager.nameEdit()->setText(title);
        manager.addBtnClick();
        QCOMPARE(manager.nameEdit()->text(), QString());
    }
    QCOMPARE(fixture.rows("SELECT title FROM watchlists ORDER BY id"),
             QStringList({"Tech", "Dividend's", "Tech"}));
    QCOMPARE(grid->rowCount(), 4);
    QCOMPARE(cell(grid, 1, 1), QString("Dividend's"));
    QCOMPARE(cell(grid, 2, 1), QString("Tech"));
    QVERIFY(!grid->item(2, 2)->icon().isNull());
    QVERIFY(!cell(grid, 2, 0).isEmpty());
    QCOMPARE(cell(grid, 3, 1), QString());
}

void WatchlistsTest::managerDeleteAsksThenRemovesTheListAndItsSymbols_data()
{
    addAnswerRows();
}

void WatchlistsTest::managerDeleteAsksThenRemovesTheListAndItsSymbols()
{
    QFETCH(bool, yes);
    WatchlistFixture fixture;
    const qint64 tech = fixture.addList("Tech's");
    const qint64 income = fixture.addList("Income");
    fixture.watch("AAPL", tech);
    fixture.watch("MSFT", tech);
    fixture.watch("KO", income);
    fixture.boxes().answer("Delete", yes ? QMessageBox::Yes : QMessageBox::No);
    ManageListsClass manager;
    manager.displayLists();

    emit manager.listGrid()->cellDoubleClicked(0, 1);

    const QList<MessageBoxes::Box> asked = fixture.boxes().shown();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().text, QString("Are you sure you want to delete Tech's"));
    QCOMPARE(asked.first().informativeText,
             QString("This action will remove the list and any associated symbols."));
    QCOMPARE(fixture.rows("SELECT title FROM watchlists ORDER BY id"),
             yes ? QStringList{"Income"} : QStringList({"Tech's", "Income"}));
    QCOMPARE(fixture.rows("SELECT symbol FROM watchedSymbols ORDER BY id"),
             yes ? QStringList{"KO"} : QStringList({"AAPL", "MSFT", "KO"}));
    QCOMPARE(manager.listGrid()->rowCount(), yes ? 2 : 3);
}

void WatchlistsTest::managerIgnoresTheEmptyLastRow()
{
    WatchlistFixture fixture;
    fixture.addList("Tech");
    ManageListsClass manager;
    manager.displayLists();
    emit manager.listGrid()->cellDoubleClicked(1, 1);
    emit manager.listGrid()->cellDoubleClicked(1, 2);
    QVERIFY(fixture.boxes().shown().isEmpty());
    QCOMPARE(fixture.count("watchlists"), 1);
}

QTEST_MAIN(WatchlistsTest)
#include "tst_watchlists.moc"
