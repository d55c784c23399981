#include "marketdata/fieldorder.h"
#include "marketdata/gfundfieldsclass.h"
#include "support/logcapture.h"
#include "support/marketdatafixture.h"

#include <QDialog>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>

namespace {

QStringList texts(const QListWidget *list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

// Three shown fields (Last, Change, Day's Low) and two hidden ones (Volume, Bid).
void addFields(MarketDataFixture &fixture)
{
    fixture.addField("LastTradePriceOnly", "Last", "right", 1);
    fixture.addField("Change", "Change", "right", 2);
    fixture.addField("DaysLow", "Day's Low", "right", 3);
    fixture.addField("Volume", "Volume", "right", 99);
    fixture.addField("Bid", "Bid", "right", 99);
}

} // namespace

class FieldChooserTest : public QObject
{
    Q_OBJECT

private slots:
    void orderStatementsRewriteEveryPositionWithQuotedNames();
    void dialogListsHiddenByNameAndShownByPosition();
    void addingAppendsToTheShownListWithTheNextPosition();
    void removedFieldGoesToTheBottomOfTheHiddenList();
    void movingUpAndDownRewritesTheOrder();
    void movingPastTheEndsChangesNothing();
    void removingEveryFieldHidesThemAll();
    void withoutCurrentItemNothingMoves();
};

void FieldChooserTest::orderStatementsRewriteEveryPositionWithQuotedNames()
{
    QCOMPARE(FieldOrder::saveStatements({"Last", "Day's Low"}),
             QStringList({"BEGIN TRANSACTION;", "UPDATE fields SET pos=99;",
                          "UPDATE fields SET pos=1 WHERE name='Last';",
                          "UPDATE fields SET pos=2 WHERE name='Day''s Low';", "END TRANSACTION;"}));
}

void FieldChooserTest::dialogListsHiddenByNameAndShownByPosition()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    addFields(fixture);
    gfundFieldsClass chooser;
    QCOMPARE(chooser.dialog()->windowTitle(), QString("Select fundamental fields"));
    QCOMPARE(chooser.hiddenList->objectName(), QString("fundListWidget"));
    QCOMPARE(texts(chooser.hiddenList), QStringList({"Bid", "Volume"}));
    QCOMPARE(texts(chooser.shownList), QStringList({"Last", "Change", "Day's Low"}));
    QCOMPARE(chooser.dialog()->findChildren<QToolButton *>().size(), 4);
}

void FieldChooserTest::addingAppendsToTheShownListWithTheNextPosition()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    addFields(fixture);
    gfundFieldsClass chooser;
    QListWidgetItem *volume = chooser.hiddenList->item(1);
    chooser.hiddenList->setCurrentItem(volume);
    emit chooser.hiddenList->itemDoubleClicked(volume);
    QCOMPARE(texts(chooser.shownList), QStringList({"Last", "Change", "Day's Low", "Volume"}));
    QCOMPARE(chooser.shownList->currentItem()->text(), QString("Volume"));
    QCOMPARE(fixture.rows("SELECT pos FROM fields WHERE name='Volume'"), QStringList({"4"}));
    // The apostrophe did not cost "Day's Low" its place.
    QCOMPARE(fixture.rows("SELECT name FROM fields WHERE pos<99 ORDER BY pos"),
             QStringList({"Last", "Change", "Day's Low", "Volume"}));
}

void FieldChooserTest::removedFieldGoesToTheBottomOfTheHiddenList()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    addFields(fixture);
    {
        gfundFieldsClass chooser;
        chooser.shownList->setCurrentRow(0);
        chooser.remBtnClick();
        QCOMPARE(texts(chooser.hiddenList), QStringList({"Bid", "Volume", "Last"}));
        QCOMPARE(chooser.hiddenList->currentItem()->text(), QString("Last"));
        QCOMPARE(fixture.rows("SELECT name, pos FROM fields WHERE pos<99 ORDER BY pos"),
                 QStringList({"Change|1", "Day's Low|2"}));
    }
    gfundFieldsClass reopened;
    QCOMPARE(texts(reopened.hiddenList), QStringList({"Bid", "Last", "Volume"}));
}

void FieldChooserTest::movingUpAndDownRewritesTheOrder()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    addFields(fixture);
    gfundFieldsClass chooser;
    chooser.shownList->setCurrentRow(2);
    chooser.upBtnClick();
    QCOMPARE(texts(chooser.shownList), QStringList({"Last", "Day's Low", "Change"}));
    QCOMPARE(chooser.shownList->currentRow(), 1);
    chooser.shownList->setCurrentRow(0);
    chooser.doBtnClick();
    QCOMPARE(texts(chooser.shownList), QStringList({"Day's Low", "Last", "Change"}));
    QCOMPARE(chooser.shownList->currentRow(), 1);
    QCOMPARE(fixture.rows("SELECT name FROM fields WHERE pos<99 ORDER BY pos"),
             QStringList({"Day's Low", "Last", "Change"}));
}

void FieldChooserTest::movingPastTheEndsChangesNothing()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    addFields(fixture);
    gfundFieldsClass chooser;
    chooser.shownList->setCurrentRow(0);
    chooser.upBtnClick();
    chooser.shownList->setCurrentRow(2);
    chooser.doBtnClick();
    QCOMPARE(texts(chooser.shownList), QStringList({"Last", "Change", "Day's Low"}));
    QCOMPARE(chooser.shownList->currentRow(), 2);
    QCOMPARE(fixture.rows("SELECT name FROM fields WHERE pos<99 ORDER BY pos"),
             QStringList({"Last", "Change", "Day's Low"}));
}

void FieldChooserTest::removingEveryFieldHidesThemAll()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    addFields(fixture);
    gfundFieldsClass chooser;
    while (chooser.shownList->count() > 0) {
        chooser.shownList->setCurrentRow(0);
        chooser.remBtnClick();
    }
    QCOMPARE(fixture.rows("SELECT COUNT(*) FROM fields WHERE pos<>99"), QStringList({"0"}));
}

void FieldChooserTest::withoutCurrentItemNothingMoves()
{
    MarketDataFixture fixture;
    QVERIFY(fixture.open());
    addFields(fixture);
    gfundFieldsClass chooser;
    chooser.hiddenList->setCurrentRow(-1);
    chooser.shownList->setCurrentRow(-1);
    LogCapture log;
    chooser.addBtnClick();
    chooser.remBtnClick();
    chooser.upBtnClick();
    chooser.doBtnClick();
    QCOMPARE(texts(chooser.shownList), QStringList({"Last", "Change", "Day's Low"}));
    QCOMPARE(texts(chooser.hiddenList), QStringList({"Bid", "Volume"}));
    QVERIFY(!log.contains("ExecSQL: "));
}

QTEST_MAIN(FieldChooserTest)
#include "tst_fieldchooser.moc"
