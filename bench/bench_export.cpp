// Price-history export of 200 000 rows: through the Export menu (worker thread with its own
// connection, progress, QSaveFile) and the writing alone on the calling thread.
#include "export/exportmenu.h"
#include "export/historyexport.h"
#include "support/benchreport.h"
#include "support/exportfixture.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QWidget>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    constexpr int Rows = 200000;
    ExportFixture fixture;
    fixture.open();
    fixture.boxes().clear();
    // Dates as yyyyMMdd: 200 000 days reach far into the future, which is fine for the file.
    if (!fixture.addDailyHistory(QStringLiteral("BENCH"), Rows, QDate(1500, 1, 1))) {
        std::fprintf(stderr, "could not store the history\n");
        return 1;
    }
    const QString path = fixture.path(QStringLiteral("history.csv"));

    bool allWritten = true;
    const double writeMs = benchMedianMs(3, [&] {
        const ExportFile::Result result = HistoryExport::writeFile(fixture.store().connectionName(),
                                                                   QStringLiteral("BENCH"), path);
        allWritten = allWritten && result.ok && result.rows == Rows;
    });

    QWidget window;
    ExportMenu menu(&window, nullptr, nullptr, nullptr);
    fixture.answerSymbol(QStringLiteral("BENCH"));
    fixture.answerSave(path);
    const double menuMs = benchMedianMs(3, [&] {
        QEventLoop loop;
        QObject::connect(&menu, &ExportMenu::historyExportFinished, &loop,
                         [&](const QString &, bool ok) {
                             allWritten = allWritten && ok;
                             loop.quit();
                         });
        menu.exportHistory();
        loop.exec();
    });
    if (!allWritten) {
        std::fprintf(stderr, "an export failed\n");
        return 1;
    }
    benchReport("export_history_rows_per_second", Rows / (menuMs / 1000), "rows/s");
    benchReport("export_history_write_only_rows_per_second", Rows / (writeMs / 1000), "rows/s");
    benchReport("export_history_file_bytes", double(QFile(path).size()), "bytes");
    return 0;
}
