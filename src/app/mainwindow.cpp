#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "alerts/alertmonitor.h"
#include "app/stylesheet.h"
#include "app/systemtray.h"
#include "calendar/calendarclass.h"
#include "charts/chartclass.h"
#include "common/messageboxes.h"
#include "common/pagerows.h"
#include "export/exportmenu.h"
#include "home/newshighlightsclass.h"
#include "home/tickerboxclass.h"
#include "home/tickerclass.h"
#include "marketdata/gfundfieldsclass.h"
#include "marketdata/gmanagesymbols.h"
#include "marketdata/welcomeclass.h"
#include "news/addrssclass.h"
#include "news/articlesclass.h"
#include "news/templatesclass.h"
#include "news/wrapsclass.h"
#include "portfolio/portfolioclass.h"
#include "reference/educationclass.h"
#include "reference/supportclass.h"
#include "settings/settingsclass.h"
#include "store/gdatabaseclass.h"
#include "update/updateclass.h"
#include "watchlists/watchlistclass.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPixmap>
#include <QSplashScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include <functional>
#include <iterator>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    // The icons live in a static library; this keeps the linker from dropping them.
    Q_INIT_RESOURCE(icons);
    ui->setupUi(this);

    splash = new QSplashScreen(QPixmap());
    splash->setPixmap(QPixmap(QStringLiteral("./images/splash.png")));
    splash->show();

    showSplashMessage(tr("Setting up the main window..."));
    layOutCentralWidget();
    createPages();

    // The splash stays up until the window is shown (see showEvent). QSplashScreen::finish()
    // would block here for a second waiting for a window that is not shown yet.

    const QString title = tr("Pellora - Version: %1").arg(QStringLiteral(CORVANE_VERSION));
    setWindowTitle(title);
    ui->centralWidget->setWindowTitle(title);
}

MainWindow::~MainWindow()
{
    delete splash;
    delete ui;
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (splash) {
        splash->close();
        splash->deleteLater();
        splash = nullptr;
    }
}

void MainWindow::showSplashMessage(const QString &message)
{
    splashMessages << message;
    splash->showMessage(message, Qt::AlignLeft | Qt::AlignRight, Qt::white);
    QApplication::processEvents();
}

void MainWindow::layOutCentralWidget()
{
    auto *navigation = new QVBoxLayout;
    navigation->setContentsMargins(0, 0, 0, 0);
    navigation->setSpacing(0);
    navigation->addWidget(ui->frame_2, 0);
    navigation->addWidget(ui->listWidget, 1);
    // The navigation keeps its width: when the window is narrower than the pages would like, the
    // pages give up the room, not the page names and the ticker above them.
    ui->frame_2->setFixedWidth(110);
    ui->frame_2->setMinimumHeight(40);
    ui->listWidget->setFixedWidth(110);

    auto *columns = new QHBoxLayout(ui->centralWidget);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    columns->addLayout(navigation, 0);
    columns->addWidget(ui->stackedWidget, 1);
    // The settings picture sits outside the layout; keep it behind the navigation list so it never
    // hides a row.
    ui->label->lower();
}

void MainWindow::createPages()
{
    showSplashMessage(tr("Checking for updates..."));
    updater = new UpdateClass(ui->page);

    showSplashMessage(tr("Loading Database..."));
    store = new GDatabaseClass();
    GDatabaseClass::setMainInstance(store);
    store->openDatabase();

    // One entry per navigation row, in row order. Each builder also makes the connections its
    // page needs at once: the splash turns the event loop between pages, so a quote snapshot may
    // already arrive while the later pages are being built.
    struct PageEntry
    {
        PageRows::Row row;
        QString splashMessage;
        std::function<void(QWidget *host)> build;
    };
    const PageEntry pages[] = {
        {PageRows::Home, tr("Loading HomeClass."),
         [this](QWidget *host) { newsHighlights = new NewsHighlightsClass(host); }},
        {PageRows::Charts, tr("Loading ChartClass."),
         [this](QWidget *host) {
             charts = new ChartClass(host);
             ChartClass::setInstance(charts);
         }},
        {PageRows::Fundamentals, tr("Loading FundamentalClass."),
         [this](QWidget *host) {
             welcome = new WelcomeClass(host);
             connect(welcome, &WelcomeClass::statusUpdate, ui->statusBar, &QStatusBar::showMessage);
             connect(welcome, &WelcomeClass::newRss, newsHighlights, qOverload<>(&QWidget::update));
             // The price boxes show each snapshot as soon as it is stored (the first one may
             // arrive while the splash screen is still up), not up to two minutes later.
             connect(welcome, &WelcomeClass::fundGridRefilled, newsHighlights->tickerBox(),
                     &TickerBoxClass::refreshBoxes);
         }},
        {PageRows::Portfolio, tr("Loading PortfolioClass."),
         [this](QWidget *host) {
             portfolio = new PortfolioClass(host);
             connect(portfolio, &PortfolioClass::changeListWidgetRow, this,
                     &MainWindow::changeListWidgetRow);
         }},
        {PageRows::Watchlists, tr("Loading WatchlistClass."),
         [this](QWidget *host) {
             watchlistPage = new WatchlistClass(host);
             connect(watchlistPage, &WatchlistClass::changeListWidgetRow, this,
                     &MainWindow::changeListWidgetRow);
         }},
        {PageRows::Reports, tr("Loading ReportsClass."),
         [this](QWidget *host) { wrapsPage = new WrapsClass(host); }},
        {PageRows::Calendar, tr("Loading CalendarClass."),
         [this](QWidget *host) { calendarPage = new CalendarClass(host); }},
        {PageRows::Feeds, tr("Loading RSSFeedsClass."),
         [this](QWidget *host) { articlesPage = new ArticlesClass(host); }},
        {PageRows::Education, tr("Loading EducationClass."),
         [this](QWidget *host) { educationPage = new EducationClass(host); }},
        {PageRows::Support, tr("Loading SupportClass."),
         [this](QWidget *host) { supportPage = new SupportClass(host); }},
        {PageRows::Settings, QString(),
         [this](QWidget *host) {
             settingsPage = new SettingsClass(host);
             connect(settingsPage, &SettingsClass::statusMessage, ui->statusBar,
                     &QStatusBar::showMessage);
         }},
    };
    static_assert(std::size(pages) == PageRows::Count);
    Q_ASSERT(ui->stackedWidget->count() == PageRows::Count);
    for (const PageEntry &page : pages) {
        if (!page.splashMessage.isEmpty())
            showSplashMessage(page.splashMessage);
        page.build(ui->stackedWidget->widget(page.row));
    }

    showSplashMessage(tr("Connecting..."));
    connect(welcome, &WelcomeClass::newRss, charts, &ChartClass::newRSS);
    connect(welcome, &WelcomeClass::newRss, newsHighlights, &NewsHighlightsClass::updateNewsBoxes);

    // Alerts are judged after every stored quote snapshot.
    alertMonitor = new AlertMonitor(this);
    connect(welcome, &WelcomeClass::quoteSnapshotStored, alertMonitor,
            &AlertMonitor::evaluateSnapshot);
    connect(alertMonitor, &AlertMonitor::statusMessage, ui->statusBar, &QStatusBar::showMessage);
    tray = new SystemTray(this);
    connect(alertMonitor, &AlertMonitor::notification, tray, &SystemTray::showNotification);
    ui->actionExit_to_Systray->setEnabled(tray->isAvailable());
    exports = new ExportMenu(this, welcome, calendarPage, charts);

    // The last page holds the settings now; start on the home page instead.
    ui->listWidget->setCurrentRow(PageRows::Home);
    ticker = new TickerClass(ui->frame_2);
}

void MainWindow::changeListWidgetRow(int row)
{
    ui->listWidget->setCurrentRow(row);
}

void MainWindow::on_actionFundamental_Fields_triggered()
{
    gfundFieldsClass fields;
    fields.exec();
    if (welcome)
        welcome->refillFundGrid();
}

void MainWindow::on_actionManage_Symbols_triggered()
{
    GManageSymbols symbols;
    symbols.exec();
    if (welcome)
        welcome->getFundData();
}

void MainWindow::on_actionReload_Stylesheet_triggered()
{
    StyleSheet::reload();
}

void MainWindow::on_listWidget_currentRowChanged(int currentRow)
{
    // The feed reader shows nothing until a source is picked: offer the sources straight away.
    if (currentRow == PageRows::Feeds && articlesPage && articlesPage->articleViewIsBlank())
        articlesPage->popUpSourceSelector();
}

void MainWindow::on_actionManage_Feeds_2_triggered()
{
    if (articlesPage)
        articlesPage->feedManager()->execDialog();
}

void MainWindow::on_actionManage_Templates_triggered()
{
    auto *templates = new TemplatesClass;
    templates->execDialog();
    delete templates;
}

void MainWindow::on_actionManage_Feeds_triggered()
{
    // Kept for the form's unplaced "Manage Feeds" action; the menu entry uses the feed reader's
    // dialog instead.
}

void MainWindow::on_actionExit_triggered()
{
    close();
}

void MainWindow::on_actionExit_to_Systray_triggered()
{
    tray->hideToTray();
}

void MainWindow::on_actionUpdate_triggered()
{
    if (updater)
        updater->check(true);
}

void MainWindow::on_actionAbout_triggered()
{
    MessageBoxes::information(
        this, tr("About Corvane"),
        tr("Corvane\nVersion %1\n\nQuotes, charts and news for private investors.")
            .arg(QStringLiteral(CORVANE_VERSION)));
}

void MainWindow::on_actionPortfolio_triggered()
{
    exports->exportPortfolio();
}

void MainWindow::on_actionFundamentals_triggered()
{
    exports->exportFundamentals();
}

void MainWindow::on_actionHistorical_data_triggered()
{
    exports->exportHistory();
}

void MainWindow::on_actionHeadlines_triggered()
{
    exports->exportHeadlines();
}

void MainWindow::on_actionCalendar_triggered()
{
    exports->exportCalendar();
}

void MainWindow::on_actionWraps_triggered()
{
    exports->exportWraps();
}
