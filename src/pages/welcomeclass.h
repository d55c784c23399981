#pragma once

#include <QString>
#include <QWidget>

class QFrame;
class QNetworkAccessManager;
class QTableWidget;
class QTimer;
class QToolButton;
class QVBoxLayout;

// The fundamentals page ("F-mentals"): a grid of the followed symbols with the chosen quote
// fields, refreshed from a quote snapshot every two minutes. It owns the quote timer that keeps
// fData current for every other page.
class WelcomeClass : public QWidget
{
    Q_OBJECT

public:
    // Installs itself on the container it is given (a stacked page of the main window).
    explicit WelcomeClass(QWidget *parent = nullptr);

    QTableWidget *fundGrid() const { return fundTable; }
    QTimer *quoteTimer() const { return quoteRefresh; }
    QNetworkAccessManager *accessManager() const { return manager; }

    // Symbol whose chart picture the page shows; the first grid row until the user picks one.
    QString currentSymbol;
    QString sortColumn = QStringLiteral("Symbol");
    QString sortOrder = QStringLiteral("ASC");

    static constexpr int QuotePeriodMs = 120000;

signals:
    void newRss();
    void statusUpdate(const QString &message, int timeout);
    // The fund grid was filled again (after a quote reply or a header click).
    void fundGridRefilled();

public slots:
    void replyFinished();
    void getFundData();
    void sectionDblClicked(int section);
    void addNewSymbol();
    void manageFieldsClick();
    // Fills the grid from fData and the chosen fields.
    void refillFundGrid();

private:
    QVBoxLayout *pageLayout = nullptr;
    QFrame *topFrame = nullptr;
    QToolButton *addSymbolButton = nullptr;
    QToolButton *fieldsButton = nullptr;
    QTableWidget *fundTable = nullptr;
    QNetworkAccessManager *manager = nullptr;
    QTimer *quoteRefresh = nullptr;
};
