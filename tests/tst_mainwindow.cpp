#include "app/mainwindow.h"
#include "app/stylesheet.h"
#include "settings/settingsclass.h"
#include "support/scriptedhttpserver.h"
#include "support/storefixture.h"
#include "watchlists/watchlistclass.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QtTest>

namespace {

QStringList actionNames(const QMenu *menu)
{
    QStringList names;
    for (const QAction *action : menu->actions())
        names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    return names;
}

// Moves a file out of the way for one test and puts it back afterwards.
class HiddenFile
{
public:
    explicit HiddenFile(const QString &path) : original(path), hidden(path + ".hidden")
    {
        QFile::rename(original, hidden);
    }
    ~HiddenFile() { QFile::rename(hidden, original); }

private:
    QString original;
    QString hidden;
};

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensOnTheHomePageWithItsRowSelected();
    void navigationRowsCarryLabelsIconsAndShowTheirPage();
    void navigationListSettings();
    void navigationKeepsItsWidthInANarrowWindow();
    void menusHoldTheirActionsInOrder();
    void titleNamesTheVersion();
    void splashReportsEveryStepInOrder();
    void changeListWidgetRowSwitchesThePage();
    void watchlistPageSwitchesToTheChartsItOpens();
    void missingStyleSheetWarnsAtStartupAndCarriesOn();
    void reloadWithAMissingFileClearsTheLookSilently();
    void theUpdateEntryChecksOnDemand();

private:
    // Stands in for every service, so pages that fetch at start-up stay on loopback.
    ScriptedHttpServer *services = nullptr;
    StoreFixture *fixture = nullptr;
    MainWindow *window = nullptr;
};

void MainWindowTest::init()
{
    services = new ScriptedHttpServer;
    qputenv("CORVANE_SERVICE_URL", services->baseUrl().toUtf8());
    fixture = new StoreFixture;
    window = new MainWindow;
}

void MainWindowTest::cleanup()
{
    delete window;
    delete fixture;
    qunsetenv("CORVANE_SERVICE_URL");
    delete services;
    qApp->setStyleSheet(QString());
}

void MainWindowTest::opensOnTheHomePageWithItsRowSelected()
{
    auto *list = window->findChild<QListWidget *>("listWidget");
    auto *pages = window->findChild<QStackedWidget *>("stackedWidget");
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(pages->count(), 11);
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(pages->currentWidget()->objectName(), QString("page"));
    // The last page, once empty, holds the settings.
    QVERIFY(pages->widget(10)->findChild<SettingsClass *>());
    QVERIFY(window->findChild<QStatusBar *>("statusBar"));
}

void MainWindowTest::navigationRowsCarryLabelsIconsAndShowTheirPage()
{
    auto *list = window->findChild<QListWidget *>("listWidget");
    auto *pages = window->findChild<QStackedWidget *>("stackedWidget");
    const QStringList labels{"Home",       "Charts",  "F-mentals", "Portfolio",
                             "Watchlists", "Reports", "Calendar",  "RSS Feeds",
                             "Education",  "Support", "Settings"};
    const QStringList pageNames{"page",   "page_2", "page_3", "page_4",  "page_5", "page_6",
                                "page_7", "page_8", "page_9", "page_10", "page_11"};
    QCOMPARE(list->count(), labels.size());
    for (int row = 0; row < list->count(); ++row) {
        QCOMPARE(list->item(row)->text(), labels[row]);
        QVERIFY2(!list->item(row)->icon().pixmap(30, 30).isNull(), qPrintable(labels[row]));
        list->setCurrentRow(row);
        QCOMPARE(pages->currentWidget()->objectName(), pageNames[row]);
    }
}

void MainWindowTest::navigationListSettings()
{
    auto *list = window->findChild<QListWidget *>("listWidget");
    QCOMPARE(list->iconSize(), QSize(30, 30));
    QCOMPARE(list->gridSize(), QSize(300, 45));
    QCOMPARE(list->spacing(), 5);
    QCOMPARE(list->font().pointSize(), 9);
    QCOMPARE(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(list->movement(), QListView::Static);
    QVERIFY(!list->isWrapping() && list->wordWrap() && !list->isSortingEnabled());
    QCOMPARE(list->maximumWidth(), 110);
    QCOMPARE(list->item(1)->font().family(), QString("Segoe UI"));
}

void MainWindowTest::navigationKeepsItsWidthInANarrowWindow()
{
    window->show();
    window->resize(900, 600);
    QCoreApplication::processEvents();
    QCOMPARE(window->findChild<QListWidget *>("listWidget")->width(), 110);
    QCOMPARE(window->findChild<QFrame *>("frame_2")->width(), 110);
}

void MainWindowTest::menusHoldTheirActionsInOrder()
{
    const QList<QAction *> menuActions = window->menuBar()->actions();
    QStringList titles;
    for (QAction *action : menuActions)
        titles << action->text();
    QCOMPARE(titles, QStringList({"File", "Symbol Options", "RSS Options", "Export", "Help"}));
    QCOMPARE(actionNames(window->findChild<QMenu *>("menuFile")),
             QStringList({"actionExit", "actionExit_to_Systray"}));
    QCOMPARE(actionNames(window->findChild<QMenu *>("menuEdit")),
             QStringList(
                 {"actionManage_Symbols", "actionFundamental_Fields", "actionManage_Templates"}));
    QCOMPARE(actionNames(window->findChild<QMenu *>("menuView")),
             QStringList({"actionManage_Feeds_2", "actionKeyWords"}));
    QCOMPARE(actionNames(window->findChild<QMenu *>("menuExport")),
             QStringList({"actionPortfolio", "actionFundamentals", "actionHistorical_data",
                          "actionHeadlines", "actionCalendar", "actionWraps"}));
    QCOMPARE(actionNames(window->findChild<QMenu *>("menuHelp")),
             QStringList({"actionKnowledgebase", "actionContext_Help", "actionFeedback",
                          "actionUpdate", "actionAbout", "-", "actionReload_Stylesheet"}));
    auto *unplaced = window->findChild<QAction *>("actionManage_Feeds");
    QVERIFY(unplaced);
    QCOMPARE(unplaced->text(), QString("Manage Feeds"));
    const int boxesBefore = int(fixture->boxes().shown().size());
    unplaced->trigger(); // does nothing, and above all asks nothing
    QCOMPARE(fixture->boxes().shown().size(), boxesBefore);
}

void MainWindowTest::titleNamesTheVersion()
{
    QCOMPARE(window->windowTitle(), QString("Pellora - Version: 1.12.03.16"));
}

void MainWindowTest::splashReportsEveryStepInOrder()
{
    QCOMPARE(window->splashMessagesShown(),
             QStringList({"Setting up the main window...", "Checking for updates...",
                          "Loading Database...", "Loading HomeClass.", "Loading ChartClass.",
                          "Loading FundamentalClass.", "Loading PortfolioClass.",
                          "Loading WatchlistClass.", "Loading ReportsClass.",
                          "Loading CalendarClass.", "Loading RSSFeedsClass.",
                          "Loading EducationClass.", "Loading SupportClass.", "Connecting..."}));
    // The window opened the process-wide store on the way.
    QVERIFY(GDatabaseClass::mainInstance());
    QVERIFY(GDatabaseClass::mainInstance()->isOpen());
    QVERIFY(QFile::exists(fixture->profile().databasePath()));
}

void MainWindowTest::changeListWidgetRowSwitchesThePage()
{
    window->changeListWidgetRow(1);
    QCOMPARE(window->findChild<QListWidget *>("listWidget")->currentRow(), 1);
    QCOMPARE(window->findChild<QStackedWidget *>("stackedWidget")->currentIndex(), 1);
}

void MainWindowTest::watchlistPageSwitchesToTheChartsItOpens()
{
    auto *page = window->findChild<QWidget *>("page_5")->findChild<WatchlistClass *>();
    QVERIFY(page);
    window->changeListWidgetRow(4);
    emit page->changeListWidgetRow(1);
    QCOMPARE(window->findChild<QStackedWidget *>("stackedWidget")->currentIndex(), 1);
}

void MainWindowTest::missingStyleSheetWarnsAtStartupAndCarriesOn()
{
    const QString previous = QDir::currentPath();
    QTemporaryDir empty;
    QDir::setCurrent(empty.path());
    fixture->boxes().clear();
    StyleSheet::applyAtStartup(window);
    QDir::setCurrent(previous);
    QCOMPARE(fixture->boxes().titles(), QStringList({"Warning"}));
    QVERIFY(fixture->boxes().shown().first().text.contains("could not load its StyleSheet"));
    QVERIFY(qApp->styleSheet().isEmpty());

    fixture->boxes().clear();
    StyleSheet::applyAtStartup(window); // from the folder beside the program: found
    QVERIFY(fixture->boxes().shown().isEmpty());
    QVERIFY(!qApp->styleSheet().isEmpty());
}

void MainWindowTest::reloadWithAMissingFileClearsTheLookSilently()
{
    qApp->setStyleSheet("QWidget { color: red; }");
    fixture->boxes().clear();
    {
        HiddenFile hidden(QCoreApplication::applicationDirPath() + "/stylesheet.txt");
        window->findChild<QAction *>("actionReload_Stylesheet")->trigger();
        QVERIFY(qApp->styleSheet().isEmpty());
    }
    QVERIFY(fixture->boxes().shown().isEmpty());
}

void MainWindowTest::theUpdateEntryChecksOnDemand()
{
    services->scriptBody("/Downloads/corVane/update.ini", "1.12.03.16\n");
    fixture->boxes().clear();
    window->findChild<QAction *>("actionUpdate")->trigger();
    QCOMPARE(fixture->boxes().titles(), QStringList({"Update"}));
    QCOMPARE(fixture->boxes().shown().first().text, QString("Corvane is up to date."));
    QVERIFY(services->requests().contains("/Downloads/corVane/update.ini"));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
