#include "alerts/addalertdialogclass.h"
#include "alerts/alertevaluation.h"
#include "alerts/alertmonitor.h"
#include "alerts/alertpopup.h"
#include "alerts/alertrules.h"
#include "alerts/managealertdialogclass.h"
#include "support/alertfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <optional>

using Alert = AlertFixture::Alert;

class AlertsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Reading values and thresholds, comparing, crossing.
    void quoteValuesAreReadAsNumbers_data();
    void quoteValuesAreReadAsNumbers();
    void conditionsCompareAtTheThresholdsPrecision_data();
    void conditionsCompareAtTheThresholdsPrecision();
    void firesOncePerCrossing();

    // The alert list and the editor.
    void emptyListShowsOneEmptyRow();
    void listShowsColumnsWidthsAndChecks();
    void newAlertIsStoredAndListed();
    void editingShowsTheStoredChoicesAndKeepsEnabled();
    void editorRefusesValuesThatAreNoNumber_data();
    void editorRefusesValuesThatAreNoNumber();
    void apostrophesInFieldsAndSymbolsAreStored();
    void checkBoxSwitchesOnlyTheAlertOfItsRow();
    void deletingAsksFirst_data();
    void deletingAsksFirst();
    void editAndDeleteWithoutAnAlertRowDoNothing();
    void eventsAreListedNewestFirst();

    // Evaluation against the stored snapshot.
    void evaluationFiresOncePerCrossing();
    void evaluationSkipsWhatCannotBeJudged_data();
    void evaluationSkipsWhatCannotBeJudged();
    void restartDoesNotFireAConditionThatStayedTrue();
    void refusedRecordHoldsTheFiringBackUntilItIsStored();
    void switchingAnAlertOffAndOnJudgesItAfresh();

private:
    // Fills the editor that the next modal window belongs to and presses Save.
    static void fillEditor(const QString &symbol, const QString &field, int compare,
                           const QString &value, bool email, bool popup, bool sms);

    AlertFixture *fixture = nullptr;
};

void AlertsTest::init()
{
    fixture = new AlertFixture;
    QVERIFY(fixture->open());
}

void AlertsTest::cleanup()
{
    delete fixture;
    fixture = nullptr;
}

void AlertsTest::quoteValuesAreReadAsNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("price") << "182.31" << true << 182.31;
    QTest::newRow("signed change") << "+1.25" << true << 1.25;
    QTest::newRow("negative") << "-0.40" << true << -0.4;
    QTest::newRow("percent") << "+1.5%" << true << 1.5;
    QTest::newRow("billions") << "1.2B" << true << 1.2e9;
    QTest::newRow("millions") << "850.3M" << true << 850.3e6;
    QTest::newRow("thousands lower case") << "12k" << true << 12e3;
    QTest::newRow("padded") << " 45 " << true << 45.0;
    QTest::newRow("empty marker") << " - " << false << 0.0;
    QTest::newRow("not available") << "N/A" << false << 0.0;
    QTest::newRow("range") << "12.5 - 13.1" << false << 0.0;
    QTest::newRow("decimal comma") << "1,5" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("sign only") << "+" << false << 0.0;
    QTest::newRow("suffix only") << "B" << false << 0.0;
    QTest::newRow("exponent") << "1e5" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
}

void AlertsTest::quoteValuesAreReadAsNumbers()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> read = AlertRules::readNumber(text);
    QCOMPARE(read.has_value(), isNumber);
    if (isNumber)
        QVERIFY2(qFuzzyCompare(*read, value), qPrintable(QString::number(*read)));
}

void AlertsTest::conditionsCompareAtTheThresholdsPrecision_data()
{
    QTest::addColumn<int>("compare");
    QTest::addColumn<QString>("threshold");
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("expected"); // 1 holds, 0 does not, -1 unknown
    QTest::newRow("greater above") << 0 << "45"
                                   << "45.01" << 1;
    QTest::newRow("greater at") << 0 << "45"
                                << "45.00" << 0;
    QTest::newRow("lesser below") << 1 << "10"
                                  << "9.99" << 1;
    QTest::newRow("lesser above") << 1 << "10"
                                  << "10.5" << 0;
    QTest::newRow("equals rounds to whole") << 2 << "45"
                                            << "45.3" << 1;
    QTest::newRow("equals misses whole") << 2 << "45"
                                         << "45.6" << 0;
    QTest::newRow("equals two places") << 2 << "45.50"
                                       << "45.499" << 1;
    QTest::newRow("equals two places off") << 2 << "45.50"
                                           << "45.51" << 0;
    QTest::newRow("equals in billions") << 2 << "1.2B"
                                        << "1.24B" << 1;
    QTest::newRow("equals billions vs millions") << 2 << "1.2B"
                                                 << "1190.0M" << 1;
    QTest::newRow("greater billions") << 0 << "1.2B"
                                      << "850.3M" << 0;
    QTest::newRow("percent change") << 0 << "1%"
                                    << "+1.5%" << 1;
    QTest::newRow("negative percent") << 1 << "-2%"
                                      << "-2.50%" << 1;
    QTest::newRow("other code is equals") << 7 << "5"
                                          << "5.2" << 1;
    QTest::newRow("no value") << 0 << "45"
                              << "N/A" << -1;
    QTest::newRow("empty value") << 1 << "45"
                                 << " - " << -1;
}

void AlertsTest::conditionsCompareAtTheThresholdsPrecision()
{
    QFETCH(int, compare);
    QFETCH(QString, threshold);
    QFETCH(QString, current);
    QFETCH(int, expected);
    const auto limit = AlertRules::readThreshold(threshold);
    QVERIFY(limit);
    const std::optional<bool> holds =
        AlertRules::conditionHolds(compare, *limit, AlertRules::readNumber(current));
    QCOMPARE(holds.has_value() ? int(*holds) : -1, expected);
}

void AlertsTest::firesOncePerCrossing()
{
    // Results of successive snapshots; nullopt = no value in that snapshot.
    const QList<std::optional<bool>> results{std::nullopt, false, true, true, std::nullopt,
                                             true,         false, true, true};
    const QList<bool> fires{false, false, true, false, false, false, false, true, false};
    std::optional<bool> state;
    for (int i = 0; i < results.size(); ++i) {
        QCOMPARE(AlertRules::firesOnCrossing(state, results[i]), fires[i]);
        state = AlertRules::nextState(state, results[i]);
    }
    // A first evaluation that finds the condition true fires.
    QVERIFY(AlertRules::firesOnCrossing(std::nullopt, true));
}

void AlertsTest::fillEditor(const QString &symbol, const QString &field, int compare,
                            const QString &value, bool email, bool popup, bool sms)
{
    AlertFixture::whenModalShown([=](QWidget *window) {
        auto boxes = window->findChildren<QComboBox *>();
        QCOMPARE(boxes.size(), 3);
        boxes[0]->setCurrentIndex(boxes[0]->findText(symbol));
        boxes[1]->setCurrentIndex(boxes[1]->findText(field));
        boxes[2]->setCurrentIndex(compare);
        window->findChild<QLineEdit *>()->setText(value);
        for (QCheckBox *box : window->findChildren<QCheckBox *>()) {
            if (box->text() == "Email")
                box->setChecked(email);
            else if (box->text() == "Popup")
                box->setChecked(popup);
            else if (box->text() == "SMS")
                box->setChecked(sms);
        }
        for (QToolButton *button : window->findChildren<QToolButton *>())
            if (button->text() == "Save")
                button->click();
    });
}

void AlertsTest::emptyListShowsOneEmptyRow()
{
    ManageAlertDialogClass alerts;
    QCOMPARE(alerts.alertTable()->rowCount(), 1);
    QVERIFY(!alerts.alertTable()->item(0, 1));
    QCOMPARE(alerts.eventTable()->rowCount(), 0);
    QVERIFY(alerts.dialogWindow()->windowTitle().isEmpty());
    QVERIFY(!alerts.dialogWindow()->parent());
}

void AlertsTest::listShowsColumnsWidthsAndChecks()
{
    fixture->addAlert({"MSFT", "Last", 0, "300", 2, 0, 2, 0});
    fixture->addAlert({"AAPL", "Change %", 5, "-2%", 0, 2, 0, 2});
    ManageAlertDialogClass alerts;
    QTableWidget *table = alerts.alertTable();
    QCOMPARE(table->columnCount(), 9);
    QCOMPARE(table->rowCount(), 3);
    QStringList headers;
    for (int column = 1; column < 9; ++column)
        headers << table->horizontalHeaderItem(column)->text();
    QCOMPARE(headers, QStringList({"Symbol", "Column", "Compare", "Value", "PopUp", "Email", "SMS",
                                   "Enabled"}));
    QCOMPARE(table->columnWidth(0), 0);
    QCOMPARE(table->columnWidth(2), 100);
    QCOMPARE(table->columnWidth(3), 75);
    QVERIFY(table->columnWidth(4) >= 60); // room for a price
    for (int column = 4; column < 9; ++column)
        QVERIFY(table->columnWidth(column) >= table->horizontalHeader()->sectionSizeHint(column));
    QCOMPARE(table->horizontalHeader()->sectionResizeMode(1), QHeaderView::Stretch);
    QCOMPARE(table->verticalHeader()->defaultSectionSize(), 18);
    QVERIFY(table->verticalHeader()->isHidden());
    QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(table->minimumWidth() >= 500);

    // Ordered by symbol; an unknown compare code reads as "==".
    QCOMPARE(table->item(0, 1)->text(), "AAPL");
    QCOMPARE(table->item(0, 3)->text(), "==");
    QCOMPARE(table->item(0, 4)->text(), "-2%");
    QCOMPARE(table->item(0, 4)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(table->item(0, 5)->checkState(), Qt::Unchecked);
    QCOMPARE(table->item(0, 6)->checkState(), Qt::Checked);
    QCOMPARE(table->item(0, 8)->checkState(), Qt::Checked);
    QCOMPARE(table->item(1, 1)->text(), "MSFT");
    QCOMPARE(table->item(1, 3)->text(), ">");
    QCOMPARE(table->item(1, 5)->checkState(), Qt::Checked);
    QCOMPARE(table->item(1, 7)->checkState(), Qt::Checked);
    QCOMPARE(table->item(1, 8)->checkState(), Qt::Unchecked);
    // Filling the list wrote nothing back.
    QCOMPARE(fixture->alertColumn(1, "enabled"), "0");
}

void AlertsTest::newAlertIsStoredAndListed()
{
    ManageAlertDialogClass alerts;
    fillEditor("AAPL", "Last", 1, "10", true, false, false);
    alerts.addBtnClick();

    const QStringList stored =
        fixture->rows("SELECT symbol,column,compare,value,popup,email,sms,enabled FROM alerts");
    QCOMPARE(stored, QStringList({"AAPL|Last|1|10|0|2|0|2"}));
    QTableWidget *table = alerts.alertTable();
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(0, 3)->text(), "<");
    QCOMPARE(table->item(0, 4)->text(), "10");
    QCOMPARE(table->item(0, 5)->checkState(), Qt::Unchecked);
    QCOMPARE(table->item(0, 6)->checkState(), Qt::Checked);
    QCOMPARE(table->item(0, 8)->checkState(), Qt::Checked);
}

void AlertsTest::editingShowsTheStoredChoicesAndKeepsEnabled()
{
    const int id = fixture->addAlert({"MSFT", "Last", 1, "10", 0, 2, 0, 0});
    fixture->store().ExecSQL(
        QStringLiteral("INSERT INTO alertStates (alertId, holds) VALUES (%1, 1)").arg(id));
    ManageAlertDialogClass alerts;
    alerts.alertTable()->selectRow(0);

    QString shownSymbol, shownCompare, shownValue;
    bool emailShown = false, popupShown = true;
    AlertFixture::whenModalShown([&](QWidget *window) {
        auto boxes = window->findChildren<QComboBox *>();
        shownSymbol = boxes[0]->currentText();
        shownCompare = boxes[2]->currentText();
        auto *value = window->findChild<QLineEdit *>();
        shownValue = value->text();
        for (QCheckBox *box : window->findChildren<QCheckBox *>()) {
            if (box->text() == "Email")
                emailShown = box->isChecked();
            if (box->text() == "Popup")
                popupShown = box->isChecked();
        }
        value->setText("12.5");
        for (QToolButton *button : window->findChildren<QToolButton *>())
            if (button->text() == "Save")
                button->click();
    });
    alerts.editBtnClick();

    QCOMPARE(shownSymbol, "MSFT");
    QCOMPARE(shownCompare, "Lesser");
    QCOMPARE(shownValue, "10");
    QVERIFY(emailShown);
    QVERIFY(!popupShown);
    QCOMPARE(fixture->alertColumn(id, "value"), "12.5");
    QCOMPARE(fixture->alertColumn(id, "enabled"), "0");
    QCOMPARE(fixture->count("alerts"), 1);
    // The changed condition is judged afresh.
    QCOMPARE(fixture->count("alertStates"), 0);
    QCOMPARE(alerts.alertTable()->item(0, 4)->text(), "12.5");
}

void AlertsTest::editorRefusesValuesThatAreNoNumber_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("price") << "45.5" << true;
    QTest::newRow("percent") << "+1.5%" << true;
    QTest::newRow("billions") << "1.2B" << true;
    QTest::newRow("word") << "high" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("apostrophe") << "4'5" << false;
    QTest::newRow("decimal comma") << "1,5" << false;
}

void AlertsTest::editorRefusesValuesThatAreNoNumber()
{
    QFETCH(QString, value);
    QFETCH(bool, accepted);
    AddAlertDialogClass editor;
    editor.symbolBox()->setCurrentIndex(0);
    editor.fieldBox()->setCurrentIndex(0);
    editor.valueEdit()->setText(value);
    editor.saveBtnClick();
    QCOMPARE(editor.saved(), accepted);
    QCOMPARE(fixture->count("alerts"), accepted ? 1 : 0);
    QCOMPARE(fixture->boxes().wasShown("Warning"), !accepted);
    if (!accepted)
        QVERIFY(fixture->boxes().shown().last().text.contains("is not a number"));
}

void AlertsTest::apostrophesInFieldsAndSymbolsAreStored()
{
    ManageAlertDialogClass alerts;
    fillEditor("O'NEIL", "Day's Low", 0, "12", false, true, false);
    alerts.addBtnClick();
    QCOMPARE(fixture->rows("SELECT symbol,column FROM alerts"), QStringList("O'NEIL|Day's Low"));
    QCOMPARE(alerts.alertTable()->item(0, 2)->text(), "Day's Low");

    // Editing loads and saves it again.
    alerts.alertTable()->selectRow(0);
    fillEditor("O'NEIL", "Day's Low", 1, "11", false, true, true);
    alerts.editBtnClick();
    QCOMPARE(fixture->rows("SELECT symbol,column,compare,value,sms FROM alerts"),
             QStringList("O'NEIL|Day's Low|1|11|2"));
}

void AlertsTest::checkBoxSwitchesOnlyTheAlertOfItsRow()
{
    const int above = fixture->addAlert({"AAPL", "Last", 0, "45", 0, 0, 0, 2});
    const int below = fixture->addAlert({"AAPL", "Last", 1, "45", 0, 0, 0, 2});
    fixture->store().ExecSQL(
        QStringLiteral("INSERT INTO alertStates (alertId, holds) VALUES (%1, 1)").arg(above));
    ManageAlertDialogClass alerts;
    QTableWidget *table = alerts.alertTable();
    const int row = table->item(0, 0)->text().toInt() == above ? 0 : 1;

    table->item(row, 7)->setCheckState(Qt::Checked);
    QCOMPARE(fixture->alertColumn(above, "sms"), "2");
    QCOMPARE(fixture->alertColumn(below, "sms"), "0");

    table->item(row, 8)->setCheckState(Qt::Unchecked);
    QCOMPARE(fixture->alertColumn(above, "enabled"), "0");
    QCOMPARE(fixture->alertColumn(below, "enabled"), "2");
    QCOMPARE(fixture->count("alertStates"), 0);

    table->item(row, 5)->setCheckState(Qt::Checked);
    table->item(row, 6)->setCheckState(Qt::Checked);
    QCOMPARE(fixture->rows(QString("SELECT popup,email FROM alerts WHERE id=%1").arg(above)),
             QStringList("2|2"));
    QCOMPARE(fixture->rows(QString("SELECT popup,email FROM alerts WHERE id=%1").arg(below)),
             QStringList("0|0"));
}

void AlertsTest::deletingAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("No keeps the alert") << false;
    QTest::newRow("Yes deletes it") << true;
}

void AlertsTest::deletingAsksFirst()
{
    QFETCH(bool, yes);
    const int id = fixture->addAlert({"MSFT", "Last", 0, "300", 2, 0, 0, 2});
    fixture->store().ExecSQL(
        QStringLiteral("INSERT INTO alertStates (alertId, holds) VALUES (%1, 1)").arg(id));
    fixture->boxes().answer("Delete", yes ? QMessageBox::Yes : QMessageBox::No);
    ManageAlertDialogClass alerts;
    alerts.alertTable()->selectRow(0);
    alerts.delBtnClick();

    const QList<MessageBoxes::Box> asked = fixture->boxes().shown();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().text, "Are you sure you want to delete the alert for MSFT?");
    QCOMPARE(asked.first().informativeText, "This action cannot be reversed.");
    QCOMPARE(asked.first().defaultButton, QMessageBox::No);
    QCOMPARE(fixture->count("alerts"), yes ? 0 : 1);
    QCOMPARE(fixture->count("alertStates"), yes ? 0 : 1);
    QCOMPARE(alerts.alertTable()->rowCount(), yes ? 1 : 2);
}

void AlertsTest::editAndDeleteWithoutAnAlertRowDoNothing()
{
    fixture->addAlert({"MSFT", "Last", 0, "300", 2, 0, 0, 2});
    ManageAlertDialogClass alerts;
    bool editorOpened = false;
    auto watchForEditor = [&] {
        AlertFixture::whenModalShown([&](QWidget *window) {
            editorOpened = true;
            window->close();
        });
    };

    for (int row : {-1, 1}) { // nothing selected, the empty last row
        alerts.alertTable()->clearSelection();
        if (row >= 0)
            alerts.alertTable()->selectRow(row);
        watchForEditor();
        alerts.editBtnClick();
        alerts.delBtnClick();
        QTest::qWait(50);
        QVERIFY(!editorOpened);
        QVERIFY(fixture->boxes().shown().isEmpty());
        QCOMPARE(fixture->count("alerts"), 1);
    }
}

void AlertsTest::eventsAreListedNewestFirst()
{
    fixture->store().ExecSQL(
        "INSERT INTO alertEvents (time,alertId,symbol,field,compare,threshold,value) VALUES "
        "(1700000000000,1,'AAPL','Last',0,'180','180.52'),"
        "(1700000600000,2,'MSFT','Change %',1,'-2%','-2.40%')");
    ManageAlertDialogClass alerts;
    QCOMPARE(alerts.tabs()->count(), 2);
    QCOMPARE(alerts.tabs()->tabText(1), "Events");
    QTableWidget *events = alerts.eventTable();
    QCOMPARE(events->rowCount(), 2);
    QCOMPARE(events->item(0, 1)->text(), "MSFT");
    QCOMPARE(events->item(0, 3)->text(), "<");
    QCOMPARE(events->item(0, 4)->text(), "-2%");
    QCOMPARE(events->item(0, 5)->text(), "-2.40%");
    QCOMPARE(events->item(1, 1)->text(), "AAPL");
    QCOMPARE(events->item(1, 2)->text(), "Last");
    QCOMPARE(events->item(1, 5)->text(), "180.52");
}

void AlertsTest::evaluationFiresOncePerCrossing()
{
    const int id = fixture->addAlert({"AAPL", "Last", 0, "180", 2, 0, 0, 2});
    const QList<QPair<QString, int>> snapshots{{"179.50", 0}, {"180.25", 1}, {"181.00", 0},
                                               {"N/A", 0},    {"182.00", 0}, {"179.00", 0},
                                               {"180.01", 1}};
    qint64 now = 1700000000000;
    int events = 0;
    for (const auto &[value, fires] : snapshots) {
        fixture->setQuote("AAPL", "LastTradePriceOnly", value);
        const auto firings = AlertEvaluation::run(fixture->store(), ++now);
        QVERIFY2(firings.size() == fires, qPrintable(value));
        events += fires;
        QCOMPARE(fixture->count("alertEvents"), events);
        if (fires) {
            QCOMPARE(firings.first().alertId, id);
            QCOMPARE(firings.first().value, value);
            QVERIFY(firings.first().popup && !firings.first().email && !firings.first().sms);
        }
    }
    QCOMPARE(fixture->rows("SELECT time,alertId,symbol,field,compare,threshold,value FROM "
                           "alertEvents ORDER BY id DESC LIMIT 1"),
             QStringList(QString("%1|%2|AAPL|Last|0|180|180.01").arg(now).arg(id)));
}

void AlertsTest::evaluationSkipsWhatCannotBeJudged_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("threshold");
    QTest::addColumn<int>("enabled");
    QTest::addColumn<int>("fires");
    QTest::newRow("enabled and true") << "AAPL"
                                      << "Last"
                                      << "100" << 2 << 1;
    QTest::newRow("disabled") << "AAPL"
                              << "Last"
                              << "100" << 0 << 0;
    QTest::newRow("symbol without quotes") << "MSFT"
                                           << "Last"
                                           << "100" << 2 << 0;
    QTest::newRow("field no longer offered") << "AAPL"
                                             << "Bid"
                                             << "100" << 2 << 0;
    QTest::newRow("threshold stored without a number") << "AAPL"
                                                       << "Last"
                                                       << "high" << 2 << 0;
    QTest::newRow("billions") << "AAPL"
                              << "Market Cap"
                              << "1B" << 2 << 1;
    QTest::newRow("percent") << "AAPL"
                             << "Change %"
                             << "1%" << 2 << 1;
}

void AlertsTest::evaluationSkipsWhatCannotBeJudged()
{
    QFETCH(QString, symbol);
    QFETCH(QString, column);
    QFETCH(QString, threshold);
    QFETCH(int, enabled);
    QFETCH(int, fires);
    fixture->setQuote("AAPL", "LastTradePriceOnly", "182.31");
    fixture->setQuote("AAPL", "MarketCapitalization", "1.2B");
    fixture->setQuote("AAPL", "ChangeinPercent", "+1.5%");
    fixture->setQuote("AAPL", "Bid", "182.30");
    fixture->marketData().addField("DaysHigh", "Bid twice", "right", 99);
    fixture->marketData().addSnapshotValue("AAPL", "DaysHigh", "183");
    fixture->marketData().addSnapshotValue("AAPL", "DaysHigh", "184");
    fixture->addAlert({symbol, column, 0, threshold, 2, 0, 0, enabled});
    QCOMPARE(AlertEvaluation::run(fixture->store(), 1).size(), fires);
    QCOMPARE(fixture->count("alertEvents"), fires);
}

void AlertsTest::restartDoesNotFireAConditionThatStayedTrue()
{
    fixture->addAlert({"AAPL", "Last", 1, "200", 2, 0, 0, 2});
    fixture->setQuote("AAPL", "LastTradePriceOnly", "182.31");
    {
        AlertMonitor running;
        QSignalSpy fired(&running, &AlertMonitor::alertsFired);
        running.evaluateSnapshot();
        QCOMPARE(fired.size(), 1);
    }
    qDeleteAll(AlertPopup::openPopups());
    // A new monitor, as after starting the application again, finds the kept result.
    AlertMonitor restarted;
    QSignalSpy fired(&restarted, &AlertMonitor::alertsFired);
    restarted.evaluateSnapshot();
    QCOMPARE(fired.size(), 0);
    QCOMPARE(fixture->count("alertEvents"), 1);
    QVERIFY(AlertPopup::openPopups().isEmpty());
}

void AlertsTest::refusedRecordHoldsTheFiringBackUntilItIsStored()
{
    fixture->addAlert({"AAPL", "Last", 0, "100", 0, 0, 0, 2});
    fixture->setQuote("AAPL", "LastTradePriceOnly", "182.31");
    fixture->store().ExecSQL("CREATE TRIGGER refuseEvent BEFORE INSERT ON alertEvents "
                             "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END");
    bool recorded = true;
    QVERIFY(AlertEvaluation::run(fixture->store(), 1, &recorded).isEmpty());
    QVERIFY(!recorded);
    // The state written before the refused event is rolled back with it.
    QCOMPARE(fixture->count("alertStates"), 0);
    QCOMPARE(fixture->count("alertEvents"), 0);

    fixture->store().ExecSQL("DROP TRIGGER refuseEvent");
    QCOMPARE(AlertEvaluation::run(fixture->store(), 2, &recorded).size(), 1);
    QVERIFY(recorded);
    QCOMPARE(fixture->count("alertEvents"), 1);
    QCOMPARE(AlertEvaluation::run(fixture->store(), 3).size(), 0);
}

void AlertsTest::switchingAnAlertOffAndOnJudgesItAfresh()
{
    fixture->addAlert({"AAPL", "Last", 0, "100", 0, 0, 0, 2});
    fixture->setQuote("AAPL", "LastTradePriceOnly", "182.31");
    QCOMPARE(AlertEvaluation::run(fixture->store(), 1).size(), 1);
    ManageAlertDialogClass alerts;
    alerts.alertTable()->item(0, 8)->setCheckState(Qt::Unchecked);
    QCOMPARE(AlertEvaluation::run(fixture->store(), 2).size(), 0);
    alerts.alertTable()->item(0, 8)->setCheckState(Qt::Checked);
    QCOMPARE(AlertEvaluation::run(fixture->store(), 3).size(), 1);
}

QTEST_MAIN(AlertsTest)
#include "tst_alerts.moc"
