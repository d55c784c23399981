#include "calendar/calendarclass.h"
#include "calendar/calendarfile.h"
#include "calendar/calendarstyle.h"
#include "store/settingskeys.h"
#include "support/calendarfixture.h"
#include "support/simprocess.h"

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

using CalendarFile::Event;

namespace {

constexpr qint64 DayMs = 24 * 60 * 60 * 1000;

QDate thisSunday()
{
    return CalendarFile::fileDate(QDate::currentDate());
}

QTableWidget *tableOf(CalendarClass &page)
{
    return page.findChild<QTableWidget *>(QStringLiteral("calendarTable"));
}

QPushButton *button(CalendarClass &page, const QString &text)
{
    for (QPushButton *candidate : page.findChildren<QPushButton *>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

QString cell(QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QStringLiteral("<none>");
}

// The week files asked for, without the flag pictures.
QStringList fileRequests(CalendarFixture *fixture)
{
    return fixture->server().requests().filter(QStringLiteral("/files/"));
}

QStringList descriptions(const QList<Event> &events)
{
    QStringList texts;
    for (const Event &event : events)
        texts << event.description;
    return texts;
}

const QStringList WeekLines{
    "Mon Nov 23,13:30,GMT,USD,Durable Goods Orders,High,1.5%,1.6%,1.7%",
    "Mon Nov 23,15:00,GMT,EUR,\"ECB's Lagarde Speaks, Frankfurt\",medium,,,",
    "Tue Nov 24,,GMT,JPY,Bank Holiday,LOW,,,",
    "Tue Nov 24,20:00,GMT,USD,Consumer Credit,Low,$2.0B,,$1.8B",
};

} // namespace

class CalendarTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theFileIsDatedByTheSundayOnOrBeforeTheDay_data();
    void theFileIsDatedByTheSundayOnOrBeforeTheDay();
    void fieldsAreReadAsQuotedCsv_data();
    void fieldsAreReadAsQuotedCsv();
    void onlyNineFieldLinesAfterTheHeaderAreRead();
    void actualValuesAreColouredAgainstThePreviousOne_data();
    void actualValuesAreColouredAgainstThePreviousOne();
    void importanceReadsTheLevelInAnyLetterCase_data();
    void importanceReadsTheLevelInAnyLetterCase();

    void aFirstStartDownloadsStoresAndShowsTheWeek();
    void theDownloadWaitsADayAfterASuccess();
    void aFailedOrEmptyDownloadKeepsTheStoredWeekAndRetries_data();
    void aFailedOrEmptyDownloadKeepsTheStoredWeekAndRetries();
    void aWeekTheStoreRefusesLeavesTheStoredWeekWholeAndSaysSo();
    void eachDayShowsItsDateOnceWithFlagsAndColours();
    void aMissingFlagIsFetchedOnceCachedAndReused();
    void aCurrencyThatIsNoCodeNeverReachesAPathOrAnAddress();
    void weekButtonsShowOtherWeeksWithoutStoringThem();
    void anotherWeekThatFailsSaysSo();
    void theSimulatorsWeekIsShown();

private:
    CalendarFixture *fixture = nullptr;
    QWidget *container = nullptr;
};

void CalendarTest::init()
{
    fixture = new CalendarFixture;
    container = new QWidget;
}

void CalendarTest::cleanup()
{
    delete container;
    delete fixture;
}

void CalendarTest::theFileIsDatedByTheSundayOnOrBeforeTheDay_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("name");
    QTest::newRow("a Sunday is its own file") << QDate(2012, 3, 11) << "Calendar-03-11-2012.csv";
    QTest::newRow("a Saturday is six days back") << QDate(2012, 3, 17) << "Calendar-03-11-2012.csv";
    QTest::newRow("a Monday is one day back") << QDate(2012, 3, 12) << "Calendar-03-11-2012.csv";
    QTest::newRow("across the new year") << QDate(2027, 1, 2) << "Calendar-12-27-2026.csv";
}

void CalendarTest::theFileIsDatedByTheSundayOnOrBeforeTheDay()
{
    QFETCH(QDate, day);
    QFETCH(QString, name);
    const QDate sunday = CalendarFile::fileDate(day);
    QCOMPARE(sunday.dayOfWeek(), int(Qt::Sunday));
    QCOMPARE(CalendarFile::fileName(sunday), name);
    QCOMPARE(CalendarFile::filePath(sunday), "/files/" + name);
}

void CalendarTest::fieldsAreReadAsQuotedCsv_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("plain") << "a,b,c" << QStringList{"a", "b", "c"};
    QTest::newRow("empty fields") << ",x," << QStringList{"", "x", ""};
    QTest::newRow("comma inside quotes")
        << "Mon,\"Trade Balance, Final\",1" << QStringList{"Mon", "Trade Balance, Final", "1"};
    QTest::newRow("doubled quotes")
        << "\"the \"\"core\"\" rate\",2" << QStringList{"the \"core\" rate", "2"};
    QTest::newRow("apostrophe") << "ECB's rate,3" << QStringList{"ECB's rate", "3"};
    QTest::newRow("quoted thousands") << "\"1,845.2B\",x" << QStringList{"1,845.2B", "x"};
    QTest::newRow("quote inside an unquoted field") << "5\" disk,y" << QStringList{"5\" disk", "y"};
    QTest::newRow("unclosed quote") << "a,\"b,c" << QStringList{};
}

void CalendarTest::fieldsAreReadAsQuotedCsv()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QCOMPARE(CalendarFile::lineFields(line), fields);
}

void CalendarTest::onlyNineFieldLinesAfterTheHeaderAreRead()
{
    const QString text =
        "Date,Time,Time Zone,Currency,Event,Importance,Actual,Forecast,Previous\r\n"
        "Mon Nov 23,13:30,GMT,USD,Orders,High,1.5%,1.6%,1.7%\r\n"
        "too,few,fields\r\n"
        "Mon Nov 23,14:00,GMT,USD,\"Unclosed,High,,,\r\n"
        "Mon Nov 23,15:00,GMT,EUR,\"Trade, Final\",Low,,,1.0%\r\n"
        "\r\n";
    const QList<Event> events = CalendarFile::parse(text);
    QCOMPARE(events.size(), 2);
    QCOMPARE(events[0], (Event{"Mon Nov 23", "13:30", "GMT", "USD", "Orders", "High", "1.5%",
                               "1.6%", "1.7%"}));
    QCOMPARE(events[1].description, QString("Trade, Final"));
    QCOMPARE(events[1].previous, QString("1.0%")); // no "\r" left at the line's end
    QVERIFY(CalendarFile::parse(QString()).isEmpty());
    QVERIFY(CalendarFile::parse("<html><body>Not found</body></html>").isEmpty());
}

void CalendarTest::actualValuesAreColouredAgainstThePreviousOne_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QColor>("colour");
    const QColor crimson("crimson"), green("green"), none;
    QTest::newRow("1.5% below 1.7%") << "1.5%"
                                     << "1.7%" << crimson;
    QTest::newRow("$2.0B above $1.8B") << "$2.0B"
                                       << "$1.8B" << green;
    QTest::newRow("equal") << "270K"
                           << "270K" << none;
    QTest::newRow("not yet released") << ""
                                      << "" << none;
    QTest::newRow("negative billions") << "-84.0B"
                                       << "-80.5B" << crimson;
    QTest::newRow("unit only on the actual value") << "270K"
                                                   << "250" << green;
    QTest::newRow("thousands separators") << "1,845.2B"
                                          << "980.1B" << green;
    QTest::newRow("plain index") << "49.9"
                                 << "50.2" << crimson;
}

void CalendarTest::actualValuesAreColouredAgainstThePreviousOne()
{
    QFETCH(QString, actual);
    QFETCH(QString, previous);
    QFETCH(QColor, colour);
    QCOMPARE(CalendarStyle::actualColour(actual, previous), colour);
}

void CalendarTest::importanceReadsTheLevelInAnyLetterCase_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("background");
    QTest::newRow("Low") << "Low"
                         << "Low"
                         << "#086aa9";
    QTest::newRow("LOW") << "LOW"
                         << "Low"
                         << "#086aa9";
    QTest::newRow("medium") << "medium"
                            << "Medium"
                            << "#a59b03";
    QTest::newRow("MEDIUM") << "MEDIUM"
                            << "Medium"
                            << "#a59b03";
    QTest::newRow("HIGH") << "HIGH"
                          << "High"
                          << "#e93631";
    QTest::newRow("anything else") << ""
                                   << "High"
                                   << "#e93631";
}

void CalendarTest::importanceReadsTheLevelInAnyLetterCase()
{
    QFETCH(QString, level);
    QFETCH(QString, label);
    QFETCH(QString, background);
    const CalendarStyle::Importance importance = CalendarStyle::importance(level);
    QCOMPARE(importance.label, label);
    QCOMPARE(importance.background.name(), background);
}

void CalendarTest::aFirstStartDownloadsStoresAndShowsTheWeek()
{
    fixture->scriptWeek(thisSunday(), calendarFile(WeekLines, "\r\n"));
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    CalendarClass page(container);
    QSignalSpy loaded(&page, &CalendarClass::weekLoaded);
    QVERIFY(loaded.wait(5000));
    QCOMPARE(loaded.first().at(1).toBool(), true);
    QCOMPARE(fileRequests(fixture), QStringList{CalendarFile::filePath(thisSunday())});

    // The apostrophe and the quoted comma are stored as they read, nothing lost.
    QCOMPARE(
        fixture->rows("SELECT desc, level, previous FROM economicCalendar ORDER BY id"),
        QStringList({"Durable Goods Orders|High|1.7%", "ECB's Lagarde Speaks, Frankfurt|medium|",
                     "Bank Holiday|LOW|", "Consumer Credit|Low|$1.8B"}));
    const qint64 gate = SettingsKeys::readNumber(fixture->store(), SettingsKeys::CalendarUpdate);
    QVERIFY(gate >= before + DayMs && gate <= QDateTime::currentMSecsSinceEpoch() + DayMs);
    QCOMPARE(descriptions(page.shownEvents()).size(), 4);
    QCOMPARE(page.shownWeek(), thisSunday());
    QCOMPARE(cell(tableOf(page), 1, 3), QString("ECB's Lagarde Speaks, Frankfurt"));
}

void CalendarTest::theDownloadWaitsADayAfterASuccess()
{
    for (const QString &statement : CalendarFile::replaceStatements(
             {{"Mon Nov 23", "9:00", "GMT", "USD", "Stored", "Low", "", "", ""}}))
        fixture->store().ExecSQL(statement);
    const qint64 gate = QDateTime::currentMSecsSinceEpoch() + DayMs / 2;
    SettingsKeys::write(fixture->store(), SettingsKeys::CalendarUpdate, gate);
    fixture->scriptWeek(thisSunday(), calendarFile(WeekLines));

    CalendarClass page(container);
    QTest::qWait(200);
    QVERIFY(fileRequests(fixture).isEmpty());
    QCOMPARE(descriptions(page.shownEvents()), QStringList{"Stored"});
    QCOMPARE(SettingsKeys::readNumber(fixture->store(), SettingsKeys::CalendarUpdate), gate);
}

void CalendarTest::aFailedOrEmptyDownloadKeepsTheStoredWeekAndRetries_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("server error") << 500 << QByteArray("oops");
    QTest::newRow("not found") << 404 << QByteArray();
    QTest::newRow("an error page") << 200 << QByteArray("<html><body>Maintenance</body></html>");
    QTest::newRow("only the header") << 200 << calendarFile({});
}

void CalendarTest::aFailedOrEmptyDownloadKeepsTheStoredWeekAndRetries()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    for (const QString &statement : CalendarFile::replaceStatements(
             {{"Mon Nov 23", "9:00", "GMT", "USD", "Stored", "Low", "", "", ""}}))
        fixture->store().ExecSQL(statement);
    fixture->scriptWeek(thisSunday(), body, status);

    {
        CalendarClass page(container);
        QSignalSpy loaded(&page, &CalendarClass::weekLoaded);
        QVERIFY(loaded.wait(5000));
        QCOMPARE(loaded.first().at(1).toBool(), false);
        QCOMPARE(descriptions(page.shownEvents()), QStringList{"Stored"});
        QCOMPARE(tableOf(page)->rowCount(), 1);
        QVERIFY(page.findChild<QLabel *>("weekLabel")->text().contains("could not be loaded"));
    }
    QCOMPARE(fixture->rows("SELECT desc FROM economicCalendar"), QStringList{"Stored"});
    QCOMPARE(SettingsKeys::read(fixture->store(), SettingsKeys::CalendarUpdate), QString());

    // The next start tries again at once.
    fixture->scriptWeek(thisSunday(), calendarFile(WeekLines));
    CalendarClass again(container);
    QTRY_COMPARE(fixture->count("economicCalendar"), 4);
    QCOMPARE(fileRequests(fixture).size(), 2);
}

void CalendarTest::aWeekTheStoreRefusesLeavesTheStoredWeekWholeAndSaysSo()
{
    fixture->store().runInTransaction(CalendarFile::replaceStatements(
        {{"Mon Nov 23", "9:00", "GMT", "USD", "Stored", "Low", "", "", ""},
         {"Tue Nov 24", "10:00", "GMT", "EUR", "Also stored", "High", "1", "2", "3"}}));
    const QStringList before = fixture->rows("SELECT * FROM economicCalendar ORDER BY id");
    QCOMPARE(before.size(), 2);
    // The delete and the first three inserts go through; the fourth line's insert fails.
    fixture->store().ExecSQL(
        "CREATE TRIGGER refuseCredit BEFORE INSERT ON economicCalendar "
        "WHEN NEW.desc = 'Consumer Credit' BEGIN SELECT RAISE(ABORT, 'refused by the test'); END");
    fixture->scriptWeek(thisSunday(), calendarFile(WeekLines));
    fixture->boxes().clear();

    {
        CalendarClass page(container);
        QSignalSpy loaded(&page, &CalendarClass::weekLoaded);
        QVERIFY(loaded.wait(5000));
        QCOMPARE(loaded.first().at(1).toBool(), false);
        // Exactly what was stored before: nothing deleted, nothing half written.
        QCOMPARE(fixture->rows("SELECT * FROM economicCalendar ORDER BY id"), before);
        QCOMPARE(descriptions(page.shownEvents()), QStringList({"Stored", "Also stored"}));
        QVERIFY(page.findChild<QLabel *>("weekLabel")->text().contains("could not be loaded"));

        QCOMPARE(fixture->boxes().titles(), QStringList{"Not saved"});
        const MessageBoxes::Box box = fixture->boxes().shown().first();
        QCOMPARE(box.icon, QMessageBox::Warning);
        QVERIFY2(box.text.startsWith("The economic calendar for the week of "),
                 qPrintable(box.text));
        QVERIFY(box.text.contains("nothing of it was stored"));
    }
    // Not counted as a success: the next start tries again, and stores the week once it can.
    QCOMPARE(SettingsKeys::read(fixture->store(), SettingsKeys::CalendarUpdate), QString());
    fixture->store().ExecSQL("DROP TRIGGER refuseCredit");
    fixture->boxes().clear();
    CalendarClass again(container);
    QTRY_COMPARE(fixture->count("economicCalendar"), 4);
    QCOMPARE(fixture->rows("SELECT desc FROM economicCalendar ORDER BY id").last(),
             QString("Consumer Credit"));
    QVERIFY(fixture->boxes().shown().isEmpty());
}

void CalendarTest::eachDayShowsItsDateOnceWithFlagsAndColours()
{
    QDir().mkpath("Images/flags");
    for (const QString code : {"usd", "eur", "jpy"}) {
        QImage flag(32, 32, QImage::Format_ARGB32);
        flag.fill(Qt::blue);
        QVERIFY(flag.save(CalendarClass::flagPath(code), "PNG"));
    }
    fixture->scriptWeek(thisSunday(), calendarFile(WeekLines));
    CalendarClass page(container);
    QSignalSpy loaded(&page, &CalendarClass::weekLoaded);
    QVERIFY(loaded.wait(5000));
    QTableWidget *table = tableOf(page);
    QCOMPARE(table->rowCount(), 4);
    QCOMPARE(table->columnCount(), 8);
    QCOMPARE(cell(table, 0, 0), QString("Mon Nov 23"));
    QCOMPARE(cell(table, 1, 0), QString("<none>"));
    QCOMPARE(cell(table, 2, 0), QString("Tue Nov 24"));
    QCOMPARE(cell(table, 3, 0), QString("<none>"));
    QCOMPARE(table->item(0, 0)->background().color().name(), QString("#086aa9"));

    QCOMPARE(cell(table, 0, 4), QString("High"));
    QCOMPARE(cell(table, 1, 4), QString("Medium"));
    QCOMPARE(cell(table, 2, 4), QString("Low"));
    QCOMPARE(table->item(2, 4)->background().color().name(), QString("#086aa9"));
    QCOMPARE(table->item(0, 5)->foreground().color(), QColor("crimson"));
    QCOMPARE(table->item(3, 5)->foreground().color(), QColor("green"));
    QCOMPARE(cell(table, 3, 7), QString("$1.8B"));

    for (int row = 0; row < table->rowCount(); ++row)
        QVERIFY2(!table->item(row, 2)->icon().isNull(), qPrintable(QString::number(row)));
    QCOMPARE(fixture->server().requests().size(), 1); // every flag was already there
}

void CalendarTest::aMissingFlagIsFetchedOnceCachedAndReused()
{
    fixture->scriptWeek(thisSunday(), calendarFile(WeekLines));
    fixture->scriptFlag("usd");
    const QString flagRequest = "/design/fxcm/img/flags/32x32/flag-usd.png";
    {
        CalendarClass page(container);
        QTRY_VERIFY(QFile::exists(fixture->workingDirectory() + "/Images/flags/flag-usd.png"));
        QTRY_VERIFY(!tableOf(page)->item(0, 2)->icon().isNull());
        QVERIFY(!tableOf(page)->item(3, 2)->icon().isNull()); // the second USD row too
        // Two USD rows, one request; EUR and JPY have no flag on the server and stay bare.
        QCOMPARE(fixture->server().requests().count(flagRequest), 1);
        QVERIFY(tableOf(page)->item(1, 2)->icon().isNull());
    }

    fixture->server().clearRequests();
    CalendarClass again(container);
    QTest::qWait(200);
    QVERIFY(!fixture->server().requests().contains(flagRequest));
    QVERIFY(!tableOf(again)->item(0, 2)->icon().isNull());
    // Flags that could not be fetched are asked for again.
    QVERIFY(fixture->server().requests().contains("/design/fxcm/img/flags/32x32/flag-eur.png"));
}

void CalendarTest::aCurrencyThatIsNoCodeNeverReachesAPathOrAnAddress()
{
    fixture->scriptWeek(thisSunday(),
                        calendarFile({"Mon Nov 23,13:30,GMT,../../evil,Orders,High,,,",
                                      "Mon Nov 23,14:30,GMT,,Speech,Low,,,"}));
    CalendarClass page(container);
    QSignalSpy loaded(&page, &CalendarClass::weekLoaded);
    QVERIFY(loaded.wait(5000));
    QTest::qWait(200);
    QCOMPARE(tableOf(page)->rowCount(), 2);
    QCOMPARE(fixture->server().requests(), QStringList{CalendarFile::filePath(thisSunday())});
    QVERIFY(!QDir(fixture->workingDirectory()).exists("Images"));
}

void CalendarTest::weekButtonsShowOtherWeeksWithoutStoringThem()
{
    const QDate sunday = thisSunday();
    fixture->scriptWeek(sunday, calendarFile(WeekLines));
    fixture->scriptWeek(sunday.addDays(-7),
                        calendarFile({"Mon Nov 16,13:30,GMT,USD,Last week's orders,High,,,"}));
    fixture->scriptWeek(sunday.addDays(7),
                        calendarFile({"Mon Nov 30,13:30,GMT,USD,Next week's orders,High,,,"}));
    CalendarClass page(container);
    QSignalSpy loaded(&page, &CalendarClass::weekLoaded);
    QVERIFY(loaded.wait(5000));

    button(page, "Last Week")->click();
    QCOMPARE(page.shownWeek(), sunday.addDays(-7));
    QVERIFY(loaded.wait(5000));
    QCOMPARE(descriptions(page.shownEvents()), QStringList{"Last week's orders"});
    QCOMPARE(cell(tableOf(page), 0, 3), QString("Last week's orders"));
    QCOMPARE(fixture->count("economicCalendar"), 4);

    button(page, "This Week")->click();
    QCOMPARE(page.shownWeek(), sunday);
    QCOMPARE(descriptions(page.shownEvents()).size(), 4);

    button(page, "Next Week")->click();
    QVERIFY(loaded.wait(5000));
    QCOMPARE(page.shownWeek(), sunday.addDays(7));
    QCOMPARE(descriptions(page.shownEvents()), QStringList{"Next week's orders"});

    // Back by one week is this week again: the stored rows, no request.
    const int requests = fileRequests(fixture).size();
    button(page, "Last Week")->click();
    QCOMPARE(page.shownWeek(), sunday);
    QCOMPARE(descriptions(page.shownEvents()).size(), 4);
    QTest::qWait(100);
    QCOMPARE(fileRequests(fixture).size(), requests);
    QCOMPARE(fixture->rows("SELECT desc FROM economicCalendar ORDER BY id").first(),
             QString("Durable Goods Orders"));
}

void CalendarTest::anotherWeekThatFailsSaysSo()
{
    fixture->scriptWeek(thisSunday(), calendarFile(WeekLines));
    CalendarClass page(container);
    QSignalSpy loaded(&page, &CalendarClass::weekLoaded);
    QVERIFY(loaded.wait(5000));
    button(page, "Next Week")->click();
    QVERIFY(loaded.wait(5000));
    QCOMPARE(loaded.last().at(1).toBool(), false);
    QVERIFY(page.shownEvents().isEmpty());
    QCOMPARE(tableOf(page)->rowCount(), 0);
    QVERIFY(page.findChild<QLabel *>("weekLabel")->text().contains("could not be loaded"));
    QCOMPARE(fixture->count("economicCalendar"), 4);
}

void CalendarTest::theSimulatorsWeekIsShown()
{
    SimProcess sim;
    QVERIFY(sim.isRunning());
    qputenv("CORVANE_CALENDAR_URL", sim.baseUrl().toUtf8());
    qputenv("CORVANE_FLAGS_URL", sim.baseUrl().toUtf8());
    CalendarClass page(container);
    QSignalSpy loaded(&page, &CalendarClass::weekLoaded);
    QVERIFY(loaded.wait(5000));
    QVERIFY(loaded.first().at(1).toBool());
    QVERIFY(page.shownEvents().size() > 10);
    QVERIFY(descriptions(page.shownEvents()).contains("Fed's Beige Book, Regional Conditions"));
    QTRY_VERIFY(QFile::exists(CalendarClass::flagPath("usd")));
    QTRY_VERIFY(!tableOf(page)->item(0, 2)->icon().isNull());
}

QTEST_MAIN(CalendarTest)
#include "tst_calendar.moc"
