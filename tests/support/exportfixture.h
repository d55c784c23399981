#pragma once

#include "export/csvwriter.h"
#include "export/exportprompts.h"
#include "support/portfoliofixture.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Export tests: a portfolio-ready store that the exports reach as the main one, a folder for the
// files, scripted answers for the save and symbol dialogs, and an independent reader for what was
// written (Python's csv module, strict mode), so the files are checked as another program sees
// them.
class ExportFixture
{
public:
    ExportFixture();
    ~ExportFixture();

    bool open() { return portfolio.open(); }
    GDatabaseClass &store() { return portfolio.store(); }
    MessageBoxAnswers &boxes() { return portfolio.boxes(); }
    PortfolioFixture &portfolioData() { return portfolio; }
    MarketDataFixture &marketData() { return portfolio.marketData(); }

    QString path(const QString &fileName) const { return folder.filePath(fileName); }

    // The next save dialogs are answered with this file (empty: cancelled) and check box.
    void answerSave(const QString &path, bool companion = false);
    QList<ExportPrompts::SaveRequest> saveRequests() const { return requests; }
    void answerSymbol(const QString &symbol);
    QStringList symbolsOffered() const { return offered; }

    // `rows` daily rows from `first`, prices rising by one cent a day; false when not stored.
    bool addDailyHistory(const QString &symbol, int rows, QDate first);
    void addHistoryRow(const QString &symbol, qint64 date, const QString &open, const QString &high,
                       const QString &low, const QString &close, const QString &volume);
    void addFeed(int id, const QString &title);
    void addHeadline(int feedId, const QString &symbol, qint64 pubDateMs, const QString &title,
                     const QString &url);
    void addReport(qint64 pubDateMs, const QString &title, const QString &category,
                   const QString &url);

    // The records of a CSV file as the independent reader returns them; fails the test (and
    // returns nothing) when the reader rejects the file.
    static QList<QStringList> readCsv(const QString &path);
    static QList<QStringList> readCsvBytes(const QByteArray &bytes);
    static QByteArray fileBytes(const QString &path);

private:
    PortfolioFixture portfolio;
    QTemporaryDir folder;
    QList<ExportPrompts::SaveRequest> requests;
    QString savePath;
    bool saveCompanion = false;
    QString symbol;
    QStringList offered;
};
