#pragma once

#include <QMainWindow>
#include <QStringList>

class AlertMonitor;
class ArticlesClass;
class CalendarClass;
class ChartClass;
class EducationClass;
class ExportMenu;
class GDatabaseClass;
class NewsHighlightsClass;
class PortfolioClass;
class QSplashScreen;
class SettingsClass;
class SupportClass;
class SystemTray;
class TickerClass;
class UpdateClass;
class WrapsClass;
class WatchlistClass;
class WelcomeClass;

namespace Ui {
class MainWindow;
}

// The one window: navigation list on the left, a stacked page per list row on the right. Building
// it opens the store and creates every page, while a splash screen tells how far start-up got.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The splash messages shown while building the window, in order.
    QStringList splashMessagesShown() const { return splashMessages; }
    // What the Export menu's entries run.
    ExportMenu *exportMenu() const { return exports; }

public slots:
    void changeListWidgetRow(int row);

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void on_actionFundamental_Fields_triggered();
    void on_actionManage_Symbols_triggered();
    void on_actionReload_Stylesheet_triggered();
    void on_listWidget_currentRowChanged(int currentRow);
    void on_actionManage_Feeds_triggered();
    void on_actionManage_Feeds_2_triggered();
    void on_actionManage_Templates_triggered();
    void on_actionExit_triggered();
    void on_actionUpdate_triggered();
    void on_actionAbout_triggered();
    void on_actionExit_to_Systray_triggered();
    void on_actionPortfolio_triggered();
    void on_actionFundamentals_triggered();
    void on_actionHistorical_data_triggered();
    void on_actionHeadlines_triggered();
    void on_actionCalendar_triggered();
    void on_actionWraps_triggered();

private:
    void showSplashMessage(const QString &message);
    void layOutCentralWidget();
    void createPages();

    Ui::MainWindow *ui;
    QSplashScreen *splash = nullptr;
    QStringList splashMessages;
    GDatabaseClass *store = nullptr;
    ChartClass *charts = nullptr;
    WrapsClass *wrapsPage = nullptr;
    ArticlesClass *articlesPage = nullptr;
    WelcomeClass *welcome = nullptr;
    SettingsClass *settingsPage = nullptr;
    AlertMonitor *alertMonitor = nullptr;
    SystemTray *tray = nullptr;
    NewsHighlightsClass *newsHighlights = nullptr;
    TickerClass *ticker = nullptr;
    CalendarClass *calendarPage = nullptr;
    UpdateClass *updater = nullptr;
    PortfolioClass *portfolio = nullptr;
    EducationClass *educationPage = nullptr;
    SupportClass *supportPage = nullptr;
    WatchlistClass *watchlistPage = nullptr;
    ExportMenu *exports = nullptr;
};
