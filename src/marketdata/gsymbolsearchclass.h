#pragma once

#include "marketdata/symbollookup.h"

#include <QList>
#include <QStringList>
#include <QWidget>

class QDialog;
class QEventLoop;
class QLineEdit;
class QNetworkAccessManager;
class QNetworkReply;
class QTableWidget;
class QToolButton;

// "Add Symbol": shows the suggest service's matches while the user types and adds the
// double-clicked one to the symbol list. Also lends two waiting lookups to other dialogs:
// completion texts for a typed text and the quote line of a symbol.
class GSymbolSearchClass : public QWidget
{
    Q_OBJECT

public:
    explicit GSymbolSearchClass(QWidget *parent = nullptr);
    ~GSymbolSearchClass() override;

    // "SYMBOL (Company name)" for each match; empty when the service fails or does not answer
    // within the wait limit. One lookup at a time per object.
    QStringList getSymbolList(const QString &text);
    // The same lookup with each match's symbol, company name and exchange kept apart.
    QList<SymbolLookup::Match> getSymbolMatches(const QString &text);

    int exec();
    QDialog *dialog() const { return form; }
    QLineEdit *searchEdit() const { return lineEdit; }
    QTableWidget *resultGrid() const { return grid; }

    // How long a waiting lookup waits for its answer.
    void setLookupTimeout(int milliseconds) { lookupTimeoutMs = milliseconds; }

public slots:
    void addSymbol();
    void getSymbol(const QString &text);
    QStringList getSymbolStats(const QString &symbol);
    void replyFinished();
    void searchGridDblClick(int row, int column);
    void listReplyFinished();
    void statsReplyFinished();

private:
    QStringList waitForResult(QNetworkReply *reply);
    void finishLookup();

    QDialog *form = nullptr;
    QLineEdit *lineEdit = nullptr;
    QToolButton *closeButton = nullptr;
    QTableWidget *grid = nullptr;
    QNetworkAccessManager *manager = nullptr;
    QStringList resultList;
    QList<SymbolLookup::Match> resultMatches;
    bool resultReady = false;

    // Suggest replies can overtake each other; only the newest request's answer may replace
    // what the grid shows.
    quint64 suggestRequests = 0;
    quint64 newestShown = 0;

    int lookupTimeoutMs;
    QNetworkReply *pendingLookup = nullptr;
    QEventLoop *waitLoop = nullptr;
};
