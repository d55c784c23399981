#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QComboBox;
class QFrame;
class QNetworkAccessManager;
class QTableWidget;
class QTimer;
class QToolButton;
class QVBoxLayout;
class QWebEngineView;

// The fundamentals page ("F-mentals"): a grid of the followed symbols with the chosen quote
// fields, refreshed from a quote snapshot every two minutes, a small chart picture of the chosen
// symbol and the newest unread headlines. It owns the quote timer that keeps fData current for
// every other page, and the news timer that starts a news run a minute after the previous one.
class WelcomeClass : public QWidget
{
    Q_OBJECT

public:
    // Installs itself on the container it is given (a stacked page of the main window).
    explicit WelcomeClass(QWidget *parent = nullptr);

    QTableWidget *fundGrid() const { return fundTable; }
    QTimer *quoteTimer() const { return quoteRefresh; }
    QTimer *newsTimer() const { return newsRefresh; }
    QTableWidget *newsGrid() const { return rssTable; }
    QWebEngineView *chartView() const { return chartPicture; }
    // The address of the chart picture last loaded.
    QUrl chartUrl() const { return chartAddress; }
    QNetworkAccessManager *accessManager() const { return manager; }

    // Symbol whose chart picture the page shows; the first grid row until the user picks one.
    QString currentSymbol;
    QString sortColumn = QStringLiteral("Symbol");
    QString sortOrder = QStringLiteral("ASC");

    static constexpr int QuotePeriodMs = 120000;
    static constexpr int NewsPauseMs = 60000;
    static constexpr int StatusShownMs = 15000;

signals:
    void newRss();
    void statusUpdate(const QString &message, int timeout);
    // The fund grid was filled again (after a quote reply or a header click).
    void fundGridRefilled();
    // A quote reply was parsed and stored in fData.
    void quoteSnapshotStored();

public slots:
    void replyFinished();
    void displayRssData();
    void getFundData();
    void fundGridDblClick(int row, int column);
    void rssGridDblClick(int row, int column);
    void sectionDblClicked(int section);
    void getChart();
    void addNewSymbol();
    void manageFieldsClick();
    // Fills the grid from fData and the chosen fields.
    void refillFundGrid();
    void getNewRSS();
    void on_statusUpdate(const QString &message);
    void gotNewRss();

private:
    QVBoxLayout *pageLayout = nullptr;
    QFrame *topFrame = nullptr;
    QToolButton *addSymbolButton = nullptr;
    QToolButton *fieldsButton = nullptr;
    QTableWidget *fundTable = nullptr;
    QNetworkAccessManager *manager = nullptr;
    QTimer *quoteRefresh = nullptr;
    QComboBox *typeBox = nullptr;
    QComboBox *timeBox = nullptr;
    QComboBox *technicalBox = nullptr;
    QWebEngineView *chartPicture = nullptr;
    QTableWidget *rssTable = nullptr;
    QTimer *newsRefresh = nullptr;
    QUrl chartAddress;
};
