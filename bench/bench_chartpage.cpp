// A full chart page drawing: stored rows read, finance chart composed with every heavy option,
// signals computed, picture rendered and handed to the viewer with its image map.
#include "charts/chartframeclass.h"
#include "charts/qchartviewer.h"
#include "store/settingskeys.h"
#include "support/benchreport.h"
#include "support/chartpagefixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>

#include <algorithm>

namespace {

double medianDrawMs(ChartFrameClass &page, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        page.drawChart();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void setIndicators(ChartPageFixture &fixture, const int (&entries)[4])
{
    using namespace SettingsKeys;
    const QString keys[] = {Tech1, Tech2, Tech3, Tech4};
    for (int i = 0; i < 4; ++i)
        write(fixture.store(), keys[i], entries[i]);
}

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
    benchReport(qPrintable(name), medianDrawMs(page, 7), "ms");
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
