#include "export/exportmenu.h"

#include "calendar/calendarclass.h"
#include "charts/chartclass.h"
#include "charts/chartframeclass.h"
#include "common/messageboxes.h"
#include "common/statusmessages.h"
#include "export/exportprompts.h"
#include "export/exporttables.h"
#include "export/historyexport.h"
#include "export/storerows.h"
#include "marketdata/fundgrid.h"
#include "marketdata/welcomeclass.h"
#include "portfolio/portfoliostore.h"
#include "store/gdatabaseclass.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTabWidget>
#include <QThread>

namespace {

// Symbols become part of a file name: keep what every file system takes.
QString fileNamePart(const QString &text)
{
    QString part;
    for (const QChar c : text)
        part += (c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('-'))
                    ? c
                    : QLatin1Char('_');
    return part;
}

constexpr int ProgressSteps = 1000;

} // namespace

ExportMenu::ExportMenu(QWidget *parentWindow, WelcomeClass *fundamentals, CalendarClass *calendar,
                       ChartClass *charts)
    : QObject(parentWindow), window(parentWindow), fundamentalsPage(fundamentals),
      calendarPage(calendar), chartPages(charts)
{
    lastDirectory = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (lastDirectory.isEmpty() || !QFileInfo(lastDirectory).isDir())
        lastDirectory = QDir::homePath();
}

ExportMenu::~ExportMenu()
{
    // The worker reads the store and writes a file: let it stop before the window goes.
    if (worker) {
        *cancelRequested = true;
        worker->wait();
        delete worker;
    }
}

GDatabaseClass &ExportMenu::store() const
{
    return GDatabaseClass::mainStore();
}

QString ExportMenu::frontChartSymbol() const
{
    if (!chartPages)
        return {};
    QWidget *page = chartPages->tabs()->currentWidget();
    const auto *chart = page ? page->findChild<ChartFrameClass *>() : nullptr;
    if (!chart || chart->symbolBox()->currentIndex() <= 0)
        return {};
    return chart->symbolBox()->currentText();
}

QString ExportMenu::askPath(const QString &title, const QString &fileName,
                            const QString &companionOffer, bool *companion)
{
    const ExportPrompts::SaveChoice choice = ExportPrompts::chooseSaveFile(
        window, {title, QDir(lastDirectory).filePath(fileName), companionOffer});
    if (companion)
        *companion = choice.companion;
    if (!choice.path.isEmpty())
        lastDirectory = QFileInfo(choice.path).absolutePath();
    return choice.path;
}

void ExportMenu::report(const QString &path, const ExportFile::Result &result)
{
    if (result.ok) {
        StatusMessages::show(window, tr("Saved %n row(s) to %1", nullptr, int(result.rows))
                                         .arg(QDir::toNativeSeparators(path)));
    } else if (result.cancelled) {
        StatusMessages::show(
            window, tr("Export cancelled; %1 was not written").arg(QDir::toNativeSeparators(path)));
    } else {
        MessageBoxes::critical(window, tr("Export failed"),
                               tr("Corvane could not save the file\n%1\n\n%2")
                                   .arg(QDir::toNativeSeparators(path), result.error));
    }
}

bool ExportMenu::saveTable(const QString &path, const Csv::Table &table)
{
    const ExportFile::Result result = ExportFile::writeTable(path, table);
    report(path, result);
    return result.ok;
}

void ExportMenu::exportPortfolio()
{
    const QString fileName =
        ExportTables::defaultFileName(QStringLiteral("portfolio"), QDate::currentDate());
    bool withTransactions = false;
    const QString path =
        askPath(tr("Export portfolio"), fileName,
                tr("Also save the transactions, as a second file ending in \"-transactions.csv\""),
                &withTransactions);
    if (path.isEmpty())
        return;
    const QString transactionsPath =
        ExportTables::companionPath(path, QStringLiteral("transactions"));
    // The dialog asked about the file it chose; the second file was not its question.
    if (withTransactions && QFileInfo::exists(transactionsPath) &&
        MessageBoxes::warning(window, tr("Replace file?"),
                              tr("%1 already exists.\nDo you want to replace it?")
                                  .arg(QDir::toNativeSeparators(transactionsPath)),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;

    const PortfolioStore::Snapshot portfolio = PortfolioStore::read(store());
    if (!saveTable(path, ExportTables::holdings(portfolio.holdings)) || !withTransactions)
        return;
    saveTable(transactionsPath, ExportTables::transactions(portfolio.transactions));
}

void ExportMenu::exportFundamentals()
{
    const QString path =
        askPath(tr("Export fundamentals"),
                ExportTables::defaultFileName(QStringLiteral("fundamentals"), QDate::currentDate()),
                {}, nullptr);
    if (path.isEmpty())
        return;
    FundGrid::Table grid = FundGrid::load(store());
    if (fundamentalsPage) {
        FundGrid::sortRows(grid, fundamentalsPage->sortColumn,
                           fundamentalsPage->sortOrder == QLatin1String("DESC")
                               ? Qt::DescendingOrder
                               : Qt::AscendingOrder);
    }
    saveTable(path, ExportTables::fundamentals(grid));
}

void ExportMenu::exportHeadlines()
{
    exportStoredRows(tr("Export headlines"), QStringLiteral("headlines"),
                     ExportTables::headlinesQuery(), &ExportTables::headlines);
}

void ExportMenu::exportCalendar()
{
    if (!calendarPage)
        return;
    const QString path =
        askPath(tr("Export calendar"),
                ExportTables::defaultFileName(QStringLiteral("calendar"), QDate::currentDate()), {},
                nullptr);
    if (path.isEmpty())
        return;
    saveTable(path, ExportTables::calendar(calendarPage->shownEvents(), calendarPage->shownWeek()));
}

void ExportMenu::exportWraps()
{
    exportStoredRows(tr("Export market reports"), QStringLiteral("wraps"),
                     ExportTables::wrapsQuery(), &ExportTables::wraps);
}

void ExportMenu::exportStoredRows(const QString &title, const QString &subject,
                                  const QString &query,
                                  Csv::Table (*makeTable)(const QList<QVariantList> &rows))
{
    const QString path =
        askPath(title, ExportTables::defaultFileName(subject, QDate::currentDate()), {}, nullptr);
    if (path.isEmpty())
        return;
    const StoreRows::Result rows = StoreRows::read(store(), query);
    if (!rows.ok) {
        report(path, {false, false, 0, rows.error});
        return;
    }
    saveTable(path, makeTable(rows.rows));
}

void ExportMenu::exportHistory()
{
    if (worker) {
        StatusMessages::show(window, tr("A price history is being exported already."));
        return;
    }
    QString symbol = frontChartSymbol();
    if (symbol.isEmpty()) {
        const QStringList symbols = HistoryExport::symbolsWithHistory(store());
        if (symbols.isEmpty()) {
            MessageBoxes::information(window, tr("Export historical data"),
                                      tr("No price history is stored yet. Open a chart of a "
                                         "symbol to download its history."));
            return;
        }
        symbol = ExportPrompts::chooseSymbol(window, symbols);
        if (symbol.isEmpty())
            return;
    }
    const QString path =
        askPath(tr("Export historical data"),
                ExportTables::defaultFileName(QStringLiteral("history-") + fileNamePart(symbol),
                                              QDate::currentDate()),
                {}, nullptr);
    if (path.isEmpty())
        return;

    progressDialog = new QProgressDialog(tr("Saving the price history of %1...").arg(symbol),
                                         tr("Cancel"), 0, ProgressSteps, window);
    progressDialog->setObjectName(QStringLiteral("exportProgress"));
    progressDialog->setWindowTitle(tr("Export historical data"));
    progressDialog->setWindowModality(Qt::WindowModal);
    progressDialog->setMinimumDuration(400);
    progressDialog->setAutoClose(false);
    progressDialog->setAutoReset(false);
    progressDialog->setValue(0);

    cancelRequested = std::make_shared<std::atomic_bool>(false);
    connect(progressDialog, &QProgressDialog::canceled, this,
            [cancel = cancelRequested] { *cancel = true; });
    connect(this, &ExportMenu::historyProgress, progressDialog,
            [dialog = progressDialog](qint64 written, qint64 total) {
                if (dialog && total > 0)
                    dialog->setValue(
                        int(std::min<qint64>(written * ProgressSteps / total, ProgressSteps)));
            });

    worker = QThread::create([this, symbol, path, cancel = cancelRequested] {
        // A connection of the worker's own: Qt connections belong to the thread that opened them.
        GDatabaseClass own;
        own.attachToConnection();
        const ExportFile::Result result = HistoryExport::writeFile(
            own.connectionName(), symbol, path, [this, cancel](qint64 written, qint64 total) {
                emit historyProgress(written, total);
                return !*cancel;
            });
        QMetaObject::invokeMethod(
            this, [this, path, result] { finishHistory(path, result); }, Qt::QueuedConnection);
    });
    worker->start();
}

void ExportMenu::finishHistory(const QString &path, const ExportFile::Result &result)
{
    if (worker) {
        worker->wait();
        delete worker;
        worker = nullptr;
    }
    if (progressDialog) {
        progressDialog->close();
        progressDialog->deleteLater();
    }
    report(path, result);
    emit historyExportFinished(path, result.ok);
}
