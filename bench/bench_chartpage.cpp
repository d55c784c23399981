// A full chart page drawing: stored rows read, finance chart composed with every heavy option,
// signals computed, picture rendered and handed to the viewer with its image map.
#include "charts/chartframeclass.h"
#include "charts/qchartviewer.h"
#include "store/settingskeys.h"
#include "support/benchreport.h"
#include "support/chartpagefixture.h"
#include "support/processmemory.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>

#include <algorithm>
#include <ctime>

namespace {

double threadCpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

struct DrawTimes
{
    double wallMs, cpuMs;
};

// Medians of wall time (what the user waits) and of this thread's CPU time (what the drawing
// costs, steady on a shared machine).
DrawTimes medianDrawTimes(ChartFrameClass &page, int runs)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        const double cpuStart = threadCpuMs();
        page.drawChart();
        cpu.push_back(threadCpuMs() - cpuStart);
        wall.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

void setIndicators(ChartPageFixture &fixture, const int (&entries)[4])
{
    using namespace SettingsKeys;
    const QString keys[] = {Tech1, Tech2, Tech3, Tech4};
    for (int i = 0; i < 4; ++i)
        write(fixture.store(), keys[i], entries[i]);
}

bool memoryReported = false;

void measure(ChartPageFixture &fixture, const QString &symbol, int rows, const QString &name)
{
    if (fixture.store().GetSQLRecords(
            QStringLiteral("SELECT COUNT(*) FROM qData WHERE symbol='%1'").arg(symbol)) ==
        QStringList{"0"}) {
        fixture.addSymbol(symbol, "Benchmark Corp");
        fixture.addDailyHistory(symbol, rows);
    }
    QWidget *host = fixture.newHost(1200, 900);
    ChartFrameClass page(host);
    for (QCheckBox *box : host->findChildren<QCheckBox *>()) {
        if (box->parentWidget()->objectName() == "stdGroupBox")
            box->setChecked(true); // signals
    }
    page.symbolBox()->blockSignals(true);
    page.symbolBox()->setCurrentIndex(page.symbolBox()->findText(symbol));
    page.symbolBox()->blockSignals(false);
    page.drawChart();
    const DrawTimes times = medianDrawTimes(page, 7);
    benchReport(qPrintable(name), times.wallMs, "ms");
    benchReport(qPrintable(name + "_cpu"), times.cpuMs, "ms");
    if (rows == 20000 && !memoryReported) {
        benchReport("chartpage_peak_resident_20000_rows", ProcessMemory::peakResidentMb(), "MB");
        // Each drawing replaces the last one's chart, picture and hot spots: none may pile up.
        for (int i = 0; i < 30; ++i)
            page.drawChart(); // allocator pools and glyph caches settle
        const double before = ProcessMemory::residentMb();
        for (int i = 0; i < 100; ++i)
            page.drawChart();
        benchReport("chartpage_resident_growth_100_redraws_20000_rows",
                    ProcessMemory::residentMb() - before, "MB");
        memoryReported = true;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    ChartPageFixture fixture;
    using namespace SettingsKeys;
    const std::pair<QString, int> options[] = {
        {TypeCombo, 1},  {TimeCombo, 6},      {Volume, 1},        {ParaSar, 1},
        {PriceBands, 1}, {MovingAverage1, 1}, {MovingAverage2, 2}};
    for (const auto &[key, value] : options)
        write(fixture.store(), key, value);
    setIndicators(fixture, {3, 15, 27, 28}); // ADX, MACD, RSI, slow stochastic
    measure(fixture, "FIVEYEARS", 1260, "chartpage_draw_1260_rows");
    measure(fixture, "LONGRUN", 20000, "chartpage_draw_20000_rows");
    setIndicators(fixture, {20, 10, 33, 22}); // OBV, CCI, Williams %R, PPO
    measure(fixture, "LONGRUN", 20000, "chartpage_draw_four_new_panels_20000_rows");
    return 0;
}
