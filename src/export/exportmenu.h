#pragma once

#include "export/exportfile.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <memory>

class CalendarClass;
class ChartClass;
class GDatabaseClass;
class QProgressDialog;
class QThread;
class QWidget;
class WelcomeClass;

// The entries of the Export menu: each asks where to save and writes one CSV file (the
// portfolio optionally a second one with the transactions). The price history, which can run to
// hundreds of thousands of rows, is written by a worker thread with its own store connection
// while a progress dialog shows how far it got.
class ExportMenu : public QObject
{
    Q_OBJECT

public:
    // The pages give what they show; any of them may be null (nothing to export then).
    ExportMenu(QWidget *window, WelcomeClass *fundamentals, CalendarClass *calendar,
               ChartClass *charts);
    ~ExportMenu() override;

    bool historyExportRunning() const { return worker != nullptr; }
    // The symbol of the chart page in front, or none when no chart shows one.
    QString frontChartSymbol() const;

public slots:
    void exportPortfolio();
    void exportFundamentals();
    void exportHistory();
    void exportHeadlines();
    void exportCalendar();
    void exportWraps();

signals:
    // Emitted by the worker thread every few thousand rows.
    void historyProgress(qint64 written, qint64 total);
    void historyExportFinished(const QString &path, bool ok);

private:
    GDatabaseClass &store() const;
    QString askPath(const QString &title, const QString &fileName, const QString &companionOffer,
                    bool *companion);
    // Writes the table, then tells the user how it went.
    bool saveTable(const QString &path, const Csv::Table &table);
    // Asks where to save, reads the query's rows and saves the table made of them.
    void exportStoredRows(const QString &title, const QString &subject, const QString &query,
                          Csv::Table (*makeTable)(const QList<QVariantList> &rows));
    void report(const QString &path, const ExportFile::Result &result);
    void finishHistory(const QString &path, const ExportFile::Result &result);

    QWidget *window;
    QPointer<WelcomeClass> fundamentalsPage;
    QPointer<CalendarClass> calendarPage;
    QPointer<ChartClass> chartPages;
    QString lastDirectory;

    QThread *worker = nullptr;
    QPointer<QProgressDialog> progressDialog;
    std::shared_ptr<std::atomic_bool> cancelRequested;
};
