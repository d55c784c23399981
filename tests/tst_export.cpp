#include "charts/chartclass.h"
#include "charts/chartframeclass.h"
#include "export/exportfile.h"
#include "export/exportmenu.h"
#include "export/exporttables.h"
#include "export/historyexport.h"
#include "marketdata/fundgrid.h"
#include "support/exportfixture.h"

#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

#include <sys/resource.h>

#include <csignal>

namespace {

QString today()
{
    return QDate::currentDate().toString(Qt::ISODate);
}

// Writes a file holding `text`, as an earlier export of the same name would have left it.
void writeOldFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// Keeps files of this process below `bytes` for its lifetime; writes beyond fail as on a full
// disk, for root too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }

private:
    rlimit previous{};
    void (*previousHandler)(int) = nullptr;
};

} // namespace

class ExportTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void portfolioHoldingsAreValuedAtTheirQuotes();
    void portfolioTransactionsGoToASecondFileWhenChosen();
    void existingTransactionsFileIsKeptWhenTheUserSaysNo();
    void fundamentalsFollowTheGridsColumnsAndOrder();
    void historyOfTheChosenSymbolIsWrittenOldestFirst();
    void historyWithoutAnyStoredRowsSaysSo();
    void historyOfTheChartInFrontNeedsNoQuestion();
    void cancelledHistoryLeavesTheOldFile();
    void headlinesOfFollowedSymbolsKeepTheirText();
    void calendarDatesFallInTheShownWeek_data();
    void calendarDatesFallInTheShownWeek();
    void calendarRowsCarryTheWeeksDates();
    void wrapsAreListedNewestFirst();
    void cancelledSaveDialogWritesNothing();
    void unwritableFolderIsReportedWithTheFileName();
    void writeFailureMidwayLeavesTheOldFileUntouched();

private:
    std::unique_ptr<ExportFixture> fixture;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<ExportMenu> menu;
};

void ExportTest::init()
{
    fixture = std::make_unique<ExportFixture>();
    QVERIFY(fixture->open());
    fixture->boxes().clear(); // the first-run question
    window = std::make_unique<QWidget>();
    menu = std::make_unique<ExportMenu>(window.get(), nullptr, nullptr, nullptr);
}

void ExportTest::cleanup()
{
    menu.reset();
    window.reset();
    fixture.reset();
}

void ExportTest::portfolioHoldingsAreValuedAtTheirQuotes()
{
    PortfolioFixture &portfolio = fixture->portfolioData();
    portfolio.addEntry(QStringLiteral("AAPL"), QStringLiteral("LONG"), QStringLiteral("10"),
                       QStringLiteral("100"), QStringLiteral("5"));
    portfolio.addEntry(QStringLiteral("NEWCO"), QStringLiteral("LONG"), QStringLiteral("3"),
                       QStringLiteral("20.5"));
    portfolio.addQuote(QStringLiteral("AAPL"), QStringLiteral("150"), QStringLiteral("1.5"),
                       QStringLiteral("1.01%"));
    const QString path = fixture->path(QStringLiteral("holdings.csv"));
    fixture->answerSave(path);

    menu->exportPortfolio();

    QCOMPARE(fixture->saveRequests().size(), 1);
    QVERIFY(fixture->saveRequests().first().suggestedPath.endsWith(
        QStringLiteral("/corvane-portfolio-%1.csv").arg(today())));
    QVERIFY(!fixture->saveRequests().first().companionOffer.isEmpty());
    const QList<QStringList> records = ExportFixture::readCsv(path);
    QCOMPARE(records.size(), 3);
    QCOMPARE(records.at(0),
             QStringList({"Symbol", "Shares", "Buy price", "Commission", "Last", "Change",
                          "Change %", "Day's gain", "Gain", "Gain %", "Market value"}));
    // Gain (150 - 100) x 10 - 5 = 495, against a market value of 1500: 33 %.
    QCOMPARE(records.at(1), QStringList({"AAPL", "10", "100", "5", "150", "1.5", "1.01", "15",
                                         "495", "33", "1500"}));
    // Without a quote nothing is said about its worth.
    QCOMPARE(records.at(2), QStringList({"NEWCO", "3", "20.5", "0", "", "", "", "", "", "", ""}));
    QVERIFY(!QFileInfo::exists(ExportTables::companionPath(path, QStringLiteral("transactions"))));
}

void ExportTest::portfolioTransactionsGoToASecondFileWhenChosen()
{
    PortfolioFixture &portfolio = fixture->portfolioData();
    portfolio.addEntry(QStringLiteral("$CASH"), QStringLiteral("DEPOSIT"), QStringLiteral("1"),
                       QStringLiteral("2000"), QStringLiteral("0"),
                       QStringLiteral("Mon Dec 7 2026"));
    portfolio.addEntry(QStringLiteral("AAPL"), QStringLiteral("BUY"), QStringLiteral("10"),
                       QStringLiteral("100"), QStringLiteral("5"),
                       QStringLiteral("Tue Dec 8 2026"));
    const QString path = fixture->path(QStringLiteral("portfolio.csv"));
    fixture->answerSave(path, true);

    menu->exportPortfolio();

    const QString second = fixture->path(QStringLiteral("portfolio-transactions.csv"));
    QCOMPARE(ExportTables::companionPath(path, QStringLiteral("transactions")), second);
    QCOMPARE(ExportFixture::readCsv(path).size(), 1); // no holdings: the header alone
    const QList<QStringList> records = ExportFixture::readCsv(second);
    QCOMPARE(records.size(), 3);
    QCOMPARE(records.at(0), QStringList({"Date", "Symbol", "Type", "Shares", "Price", "Commission",
                                         "Value", "Cash effect"}));
    // In the portfolio page's order, by symbol.
    QCOMPARE(records.at(1),
             QStringList({"2026-12-07", "$CASH", "DEPOSIT", "1", "2000", "0", "2000", "2000"}));
    QCOMPARE(records.at(2),
             QStringList({"2026-12-08", "AAPL", "BUY", "10", "100", "5", "-1000", "-1005"}));
}

void ExportTest::existingTransactionsFileIsKeptWhenTheUserSaysNo()
{
    fixture->portfolioData().addEntry(QStringLiteral("AAPL"), QStringLiteral("BUY"),
                                      QStringLiteral("1"), QStringLiteral("1"));
    const QString path = fixture->path(QStringLiteral("p.csv"));
    const QString second = fixture->path(QStringLiteral("p-transactions.csv"));
    writeOldFile(second, "kept");
    fixture->boxes().answer(QStringLiteral("Replace file?"), QMessageBox::No);
    fixture->answerSave(path, true);

    menu->exportPortfolio();

    QVERIFY(fixture->boxes().wasShown(QStringLiteral("Replace file?")));
    QCOMPARE(ExportFixture::fileBytes(second), QByteArray("kept"));
    QVERIFY(!QFileInfo::exists(path));
}

void ExportTest::fundamentalsFollowTheGridsColumnsAndOrder()
{
    MarketDataFixture &market = fixture->marketData();
    market.addField(QStringLiteral("Volume"), QStringLiteral("Volume"), QStringLiteral("right"), 2);
    market.addField(QStringLiteral("PercentChange"), QStringLiteral("Change %"),
                    QStringLiteral("right"), 1);
    market.addField(QStringLiteral("EBITDA"), QStringLiteral("EBITDA"), QStringLiteral("right"), 3);
    market.addField(QStringLiteral("Name"), QStringLiteral("Name"), QStringLiteral("left"), 99);
    market.addSymbol(QStringLiteral("MSFT"));
    market.addSymbol(QStringLiteral("AAPL"));
    market.addSnapshotValue(QStringLiteral("AAPL"), QStringLiteral("PercentChange"),
                            QStringLiteral("+1.25%"));
    market.addSnapshotValue(QStringLiteral("AAPL"), QStringLiteral("Volume"),
                            QStringLiteral("1,234,567"));
    market.addSnapshotValue(QStringLiteral("AAPL"), QStringLiteral("EBITDA"),
                            QStringLiteral("-583.2B"));
    market.addSnapshotValue(QStringLiteral("AAPL"), QStringLiteral("Name"),
                            QStringLiteral("Apple Inc."));
    market.addSnapshotValue(QStringLiteral("MSFT"), QStringLiteral("Volume"),
                            QStringLiteral("-0.40"));
    const QString path = fixture->path(QStringLiteral("fundamentals.csv"));
    fixture->answerSave(path);

    menu->exportFundamentals();

    QVERIFY(fixture->saveRequests().first().suggestedPath.endsWith(
        QStringLiteral("corvane-fundamentals-%1.csv").arg(today())));
    const QList<QStringList> records = ExportFixture::readCsv(path);
    QCOMPARE(records.size(), 3);
    QCOMPARE(records.at(0), QStringList({"Symbol", "Change %", "Volume", "EBITDA"}));
    QCOMPARE(records.at(1), QStringList({"AAPL", "+1.25%", "1234567", "'-583.2B"}));
    QCOMPARE(records.at(2), QStringList({"MSFT", "", "-0.4", ""}));

    // Sorted as the page sorts it, the file follows.
    FundGrid::Table grid = FundGrid::load(fixture->store());
    FundGrid::sortRows(grid, QStringLiteral("Volume"), Qt::AscendingOrder);
    const Csv::Table sorted = ExportTables::fundamentals(grid);
    QCOMPARE(sorted.rows.at(0).at(0).toString(), QStringLiteral("MSFT"));
    QCOMPARE(sorted.rows.at(1).at(2).toDouble(), 1234567.0);
}

void ExportTest::historyOfTheChosenSymbolIsWrittenOldestFirst()
{
    fixture->addHistoryRow(QStringLiteral("AAPL"), 20261202, QStringLiteral("10.5"),
                           QStringLiteral("11"), QStringLiteral("10"), QStringLiteral("10.75"),
                           QStringLiteral("1200"));
    fixture->addHistoryRow(QStringLiteral("AAPL"), 20261201, QStringLiteral("9.5"),
                           QStringLiteral("10.25"), QStringLiteral("9"), QStringLiteral("10.1"),
                           QStringLiteral("900"));
    const qint64 intraday = QDateTime(QDate(2026, 12, 3), QTime(14, 30)).toSecsSinceEpoch();
    fixture->addHistoryRow(QStringLiteral("AAPL"), intraday, QStringLiteral("11"),
                           QStringLiteral("11.5"), QStringLiteral("10.9"), QStringLiteral("11.2"),
                           QStringLiteral("50"));
    // A number that names no day stays as stored.
    fixture->addHistoryRow(QStringLiteral("AAPL"), 20261299, QStringLiteral("1"),
                           QStringLiteral("2"), QStringLiteral("0.5"), QStringLiteral("1.5"),
                           QStringLiteral("7"));
    fixture->addHistoryRow(QStringLiteral("MSFT"), 20261201, QStringLiteral("1"),
                           QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
                           QStringLiteral("1"));
    fixture->answerSymbol(QStringLiteral("AAPL"));
    const QString path = fixture->path(QStringLiteral("history.csv"));
    fixture->answerSave(path);
    QSignalSpy finished(menu.get(), &ExportMenu::historyExportFinished);

    menu->exportHistory();

    QVERIFY(menu->historyExportRunning() || finished.size() == 1);
    QVERIFY(finished.wait(10000) || finished.size() == 1);
    QCOMPARE(finished.first().at(1).toBool(), true);
    QVERIFY(!menu->historyExportRunning());
    QCOMPARE(fixture->symbolsOffered(), QStringList({"AAPL", "MSFT"}));
    QVERIFY(fixture->saveRequests().first().suggestedPath.endsWith(
        QStringLiteral("corvane-history-AAPL-%1.csv").arg(today())));
    const QList<QStringList> records = ExportFixture::readCsv(path);
    QCOMPARE(records.size(), 5);
    QCOMPARE(records.at(0), QStringList({"Date", "Open", "High", "Low", "Close", "Volume"}));
    QCOMPARE(records.at(1), QStringList({"2026-12-01", "9.5", "10.25", "9", "10.1", "900"}));
    QCOMPARE(records.at(2), QStringList({"2026-12-02", "10.5", "11", "10", "10.75", "1200"}));
    QCOMPARE(records.at(3), QStringList({"20261299", "1", "2", "0.5", "1.5", "7"}));
    QCOMPARE(records.at(4),
             QStringList({"2026-12-03 14:30:00", "11", "11.5", "10.9", "11.2", "50"}));
}

void ExportTest::historyWithoutAnyStoredRowsSaysSo()
{
    menu->exportHistory();
    QVERIFY(fixture->boxes().wasShown(QStringLiteral("Export historical data")));
    QVERIFY(fixture->saveRequests().isEmpty());
    QVERIFY(!menu->historyExportRunning());
}

void ExportTest::historyOfTheChartInFrontNeedsNoQuestion()
{
    const ServiceUrlOverride offline(QStringLiteral("http://127.0.0.1:9")); // downloads fail
    fixture->addHistoryRow(QStringLiteral("AAPL"), 20261201, QStringLiteral("1"),
                           QStringLiteral("2"), QStringLiteral("0.5"), QStringLiteral("1.5"),
                           QStringLiteral("7"));
    fixture->addHistoryRow(QStringLiteral("MSFT"), 20261201, QStringLiteral("3"),
                           QStringLiteral("4"), QStringLiteral("2"), QStringLiteral("3.5"),
                           QStringLiteral("9"));
    QWidget chartHost;
    ChartClass charts(&chartHost);
    charts.latestChart()->showSymbol(QStringLiteral("MSFT"));
    ExportMenu chartMenu(window.get(), nullptr, nullptr, &charts);
    QCOMPARE(chartMenu.frontChartSymbol(), QStringLiteral("MSFT"));
    const QString path = fixture->path(QStringLiteral("front.csv"));
    fixture->answerSave(path);
    QSignalSpy finished(&chartMenu, &ExportMenu::historyExportFinished);

    chartMenu.exportHistory();

    QVERIFY(finished.wait(10000) || finished.size() == 1);
    QVERIFY(fixture->symbolsOffered().isEmpty());
    const QList<QStringList> records = ExportFixture::readCsv(path);
    QCOMPARE(records.size(), 2);
    QCOMPARE(records.at(1), QStringList({"2026-12-01", "3", "4", "2", "3.5", "9"}));

    // A new tab in front shows no symbol yet: then the user is asked.
    charts.newChart();
    QCOMPARE(chartMenu.frontChartSymbol(), QString());
    fixture->answerSymbol(QString());
    chartMenu.exportHistory();
    QCOMPARE(fixture->symbolsOffered(), QStringList({"AAPL", "MSFT"}));
    QVERIFY(!chartMenu.historyExportRunning());
}

void ExportTest::cancelledHistoryLeavesTheOldFile()
{
    QVERIFY(fixture->addDailyHistory(QStringLiteral("AAPL"), 3 * HistoryExport::ProgressEveryRows,
                                     QDate(1990, 1, 1)));
    const QString path = fixture->path(QStringLiteral("history.csv"));
    writeOldFile(path, "old export");
    qint64 seen = 0;
    qint64 reportedTotal = 0;
    const auto cancelAtOnce = [&](qint64 written, qint64 total) {
        seen = written;
        reportedTotal = total;
        return false;
    };
    const ExportFile::Result result = HistoryExport::writeFile(
        fixture->store().connectionName(), QStringLiteral("AAPL"), path, cancelAtOnce);
    QCOMPARE(reportedTotal, qint64(3 * HistoryExport::ProgressEveryRows));
    QVERIFY(!result.ok);
    QVERIFY(result.cancelled);
    QCOMPARE(seen, qint64(HistoryExport::ProgressEveryRows));
    QCOMPARE(ExportFixture::fileBytes(path), QByteArray("old export"));
    QCOMPARE(QDir(fixture->path(QString())).entryList(QDir::Files),
             QStringList{QStringLiteral("history.csv")});
}

void ExportTest::headlinesOfFollowedSymbolsKeepTheirText()
{
    fixture->marketData().addSymbol(QStringLiteral("AAPL"));
    fixture->addFeed(1, QStringLiteral("Wire, Inc."));
    const QDateTime older(QDate(2026, 12, 1), QTime(8, 0));
    const QDateTime newer(QDate(2026, 12, 2), QTime(17, 45, 10));
    fixture->addHeadline(1, QStringLiteral("AAPL"), older.toMSecsSinceEpoch(),
                         QStringLiteral("Apple says \"hello\" | world"),
                         QStringLiteral("https://news.example/a?x=1,2"));
    fixture->addHeadline(1, QStringLiteral("AAPL"), newer.toMSecsSinceEpoch(),
                         QStringLiteral("=cmd|' /C calc'!A0"),
                         QStringLiteral("https://news.example/b"));
    fixture->addHeadline(1, QStringLiteral("GONE"), newer.toMSecsSinceEpoch(),
                         QStringLiteral("No longer followed"),
                         QStringLiteral("https://news.example/c"));
    const QString path = fixture->path(QStringLiteral("headlines.csv"));
    fixture->answerSave(path);

    menu->exportHeadlines();

    const QList<QStringList> records = ExportFixture::readCsv(path);
    QCOMPARE(records.size(), 3);
    QCOMPARE(records.at(0), QStringList({"Symbol", "Feed", "Date", "Title", "Link"}));
    QCOMPARE(records.at(1), QStringList({"AAPL", "Wire, Inc.", "2026-12-02 17:45:10",
                                         "'=cmd|' /C calc'!A0", "https://news.example/b"}));
    QCOMPARE(records.at(2),
             QStringList({"AAPL", "Wire, Inc.", "2026-12-01 08:00:00",
                          "Apple says \"hello\" | world", "https://news.example/a?x=1,2"}));
}

void ExportTest::calendarDatesFallInTheShownWeek_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("sunday");
    QTest::addColumn<QDate>("day");
    QTest::newRow("mid week") << "Mon Nov 23" << QDate(2026, 11, 22) << QDate(2026, 11, 23);
    QTest::newRow("the sunday") << "Sun Nov 22" << QDate(2026, 11, 22) << QDate(2026, 11, 22);
    QTest::newRow("into the new year") << "Fri Jan 1" << QDate(2026, 12, 27) << QDate(2027, 1, 1);
    QTest::newRow("month case") << "wed DEC 30" << QDate(2026, 12, 27) << QDate(2026, 12, 30);
    QTest::newRow("outside the week") << "Mon Nov 30" << QDate(2026, 11, 22) << QDate();
    QTest::newRow("unreadable") << "soon" << QDate(2026, 11, 22) << QDate();
}

void ExportTest::calendarDatesFallInTheShownWeek()
{
    QFETCH(QString, text);
    QFETCH(QDate, sunday);
    QFETCH(QDate, day);
    QCOMPARE(ExportTables::calendarDay(text, sunday), day);
}

void ExportTest::calendarRowsCarryTheWeeksDates()
{
    CalendarFile::Event release{"Tue Nov 24", "13:30", "GMT",  "USD",  "GDP (QoQ)",
                                "High",       "-0.3%", "0.1%", "-1.2%"};
    CalendarFile::Event holiday{"Thu Nov 26", "", "", "USD", "Thanksgiving", "Low", "", "", ""};
    const QByteArray bytes =
        Csv::toBytes(ExportTables::calendar({release, holiday}, QDate(2026, 11, 22)));
    const QList<QStringList> records = ExportFixture::readCsvBytes(bytes);
    QCOMPARE(records.size(), 3);
    QCOMPARE(records.at(0), QStringList({"Date", "Time", "Time zone", "Currency", "Event",
                                         "Importance", "Actual", "Forecast", "Previous"}));
    QCOMPARE(records.at(1), QStringList({"2026-11-24", "13:30", "GMT", "USD", "GDP (QoQ)", "High",
                                         "-0.3%", "0.1%", "-1.2%"}));
    QCOMPARE(records.at(2).mid(0, 5), QStringList({"2026-11-26", "", "", "USD", "Thanksgiving"}));
}

void ExportTest::wrapsAreListedNewestFirst()
{
    const QDateTime monday(QDate(2026, 12, 7), QTime(16, 5));
    const QDateTime tuesday(QDate(2026, 12, 8), QTime(16, 10));
    fixture->addReport(monday.toMSecsSinceEpoch(), QStringLiteral("Stocks slip, bonds rally"),
                       QStringLiteral("MarketReports"), QStringLiteral("https://v.example/1"));
    fixture->addReport(tuesday.toMSecsSinceEpoch(), QStringLiteral("Oil @ $90"),
                       QStringLiteral("Commodities"), QStringLiteral("https://v.example/2"));
    const QString path = fixture->path(QStringLiteral("wraps.csv"));
    fixture->answerSave(path);

    menu->exportWraps();

    QVERIFY(fixture->saveRequests().first().suggestedPath.endsWith(
        QStringLiteral("corvane-wraps-%1.csv").arg(today())));
    const QList<QStringList> records = ExportFixture::readCsv(path);
    QCOMPARE(records.size(), 3);
    QCOMPARE(records.at(0), QStringList({"Date", "Title", "Category", "Link"}));
    QCOMPARE(records.at(1), QStringList({"2026-12-08 16:10:00", "Oil @ $90", "Commodities",
                                         "https://v.example/2"}));
    QCOMPARE(records.at(2), QStringList({"2026-12-07 16:05:00", "Stocks slip, bonds rally",
                                         "MarketReports", "https://v.example/1"}));
}

void ExportTest::cancelledSaveDialogWritesNothing()
{
    fixture->addReport(1, QStringLiteral("t"), QStringLiteral("c"), QStringLiteral("u"));
    fixture->answerSave(QString());
    menu->exportWraps();
    menu->exportHeadlines();
    menu->exportPortfolio();
    QCOMPARE(fixture->saveRequests().size(), 3);
    QVERIFY(QDir(fixture->path(QString())).entryList(QDir::Files).isEmpty());
    QVERIFY(fixture->boxes().shown().isEmpty());
}

void ExportTest::unwritableFolderIsReportedWithTheFileName()
{
    // A path under a regular file cannot be created, whoever runs the test.
    const QString notAFolder = fixture->path(QStringLiteral("plain-file"));
    writeOldFile(notAFolder, "x");
    const QString path = notAFolder + QStringLiteral("/wraps.csv");
    fixture->answerSave(path);

    menu->exportWraps();

    const QList<MessageBoxes::Box> boxes = fixture->boxes().shown();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().title, QStringLiteral("Export failed"));
    QCOMPARE(boxes.first().icon, QMessageBox::Critical);
    QVERIFY2(boxes.first().text.contains(QDir::toNativeSeparators(path)),
             qPrintable(boxes.first().text));
    QCOMPARE(ExportFixture::fileBytes(notAFolder), QByteArray("x"));
}

void ExportTest::writeFailureMidwayLeavesTheOldFileUntouched()
{
    const QString path = fixture->path(QStringLiteral("big.csv"));
    writeOldFile(path, "the previous export");
    Csv::Table table;
    table.header = {QStringLiteral("n"), QStringLiteral("text")};
    for (int row = 0; row < 40000; ++row)
        table.rows << QVariantList{row, QStringLiteral("row number %1 of the table").arg(row)};

    ExportFile::Result result;
    {
        const FileSizeLimit limit(64 * 1024);
        result = ExportFile::writeTable(path, table);
    }

    QVERIFY(!result.ok);
    QVERIFY(!result.cancelled);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(ExportFixture::fileBytes(path), QByteArray("the previous export"));
    QCOMPARE(QDir(fixture->path(QString())).entryList(QDir::Files),
             QStringList{QStringLiteral("big.csv")});
}

QTEST_MAIN(ExportTest)
#include "tst_export.moc"
