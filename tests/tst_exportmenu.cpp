#include "app/mainwindow.h"
#include "export/exportmenu.h"
#include "store/gdatabaseclass.h"
#include "support/exportfixture.h"
#include "support/scriptedhttpserver.h"

#include <QAction>
#include <QtTest>

class ExportMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void everyEntryOffersItsFileNamedForToday();
};

void ExportMenuTest::everyEntryOffersItsFileNamedForToday()
{
    // Stands in for every service, so pages that fetch at start-up stay on loopback.
    ScriptedHttpServer services;
    qputenv("CORVANE_SERVICE_URL", services.baseUrl().toUtf8());
    ExportFixture fixture;
    auto window = std::make_unique<MainWindow>();
    GDatabaseClass::mainStore().ExecSQL(
        QStringLiteral("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) VALUES "
                       "(20261201,'AAPL',1,2,0.5,1.5,7)"));
    fixture.answerSymbol(QStringLiteral("AAPL"));
    fixture.answerSave(QString()); // every dialog is cancelled

    const QStringList actions{"actionPortfolio", "actionFundamentals", "actionHistorical_data",
                              "actionHeadlines", "actionCalendar",     "actionWraps"};
    for (const QString &name : actions) {
        auto *action = window->findChild<QAction *>(name);
        QVERIFY2(action, qPrintable(name));
        action->trigger();
    }

    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const QStringList expected{"portfolio", "fundamentals", "history-AAPL",
                               "headlines", "calendar",     "wraps"};
    const QList<ExportPrompts::SaveRequest> requests = fixture.saveRequests();
    QCOMPARE(requests.size(), expected.size());
    for (qsizetype index = 0; index < expected.size(); ++index) {
        const QString name = QStringLiteral("corvane-%1-%2.csv").arg(expected.at(index), today);
        QVERIFY2(requests.at(index).suggestedPath.endsWith(QLatin1Char('/') + name),
                 qPrintable(requests.at(index).suggestedPath));
    }
    // Only the portfolio offers a second file.
    QVERIFY(!requests.at(0).companionOffer.isEmpty());
    QVERIFY(requests.at(1).companionOffer.isEmpty());
    QCOMPARE(fixture.symbolsOffered(), QStringList{QStringLiteral("AAPL")});
    QVERIFY(!window->exportMenu()->historyExportRunning());

    window.reset();
    qunsetenv("CORVANE_SERVICE_URL");
}

QTEST_MAIN(ExportMenuTest)
#include "tst_exportmenu.moc"
