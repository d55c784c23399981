#include "financechartsamples.h"

#include "charts/chartframeclass.h"
#include "charts/indicatorcatalogue.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace FinanceChartSamples {

namespace {

// Each step's price moves and volumes come from one seeded generator, so the same seed gives
// the same rows on every machine (the distributions are computed here, not by the library).
class Walk
{
public:
    explicit Walk(unsigned seed) : rng(seed) {}

    double unit() { return double(rng() % 1000000) / 1000000.0; }

    void step(Rows &rows, double time)
    {
        const double open = price;
        const double move = (unit() + unit() + unit() - 1.5) * 0.03 + 0.0004;
        const double close = std::max(0.5, open * (1 + move));
        rows.time.push_back(time);
        rows.open.push_back(open);
        rows.close.push_back(close);
        rows.high.push_back(std::max(open, close) * (1 + 0.01 * unit()));
        rows.low.push_back(std::min(open, close) * (1 - 0.01 * unit()));
        rows.volume.push_back(
            std::round(800000 + 1500000 * unit() + 3e6 * std::fabs(close - open) / open));
        price = close;
    }

private:
    std::mt19937 rng;
    double price = 40;
};

} // namespace

Rows dailyWalk(int count, unsigned seed)
{
    Rows rows;
    Walk walk(seed);
    double t = Chart::chartTime(2015, 1, 5);
    for (int i = 0; i < count; ++i) {
        while (Chart::getChartWeekDay(t) == 0 || Chart::getChartWeekDay(t) == 6)
            t += 86400;
        walk.step(rows, t);
        t += 86400;
    }
    return rows;
}

Rows intradayWalk(int count, unsigned seed)
{
    Rows rows;
    Walk walk(seed);
    const double firstDay = Chart::chartTime(2024, 3, 4, 9, 30);
    constexpr int BarsPerDay = 78;
    for (int i = 0; i < count; ++i)
        walk.step(rows, firstDay + (i / BarsPerDay) * 86400.0 + (i % BarsPerDay) * 300.0);
    return rows;
}

Composed compose(const Rows &rows, const Look &look)
{
    Composed composed{std::make_unique<FinanceChart>(look.width)};
    FinanceChart *chart = composed.chart.get();
    chart->setPlotAreaStyle(BaseChart::linearGradientColor(0, 0, 350, 0, 0x132c4e, 0xffffff),
                            0x21486e, 0x21486e, 0x21486e, 0x21486e);
    chart->setPlotAreaBorder(0x21486e, 0);
    chart->addTitle2(Chart::TopLeft, QStringLiteral("Corvane Sample Inc. (CVS)"), QString(), 12,
                     0xffffff);
    chart->addTitle2(Chart::TopRight, QStringLiteral("Chart Rendered: Mon Mar 4 10:00:00 2024"),
                     QStringLiteral("Verdana"), 8, 0xd1d6db);
    chart->setXAxisStyle(QStringLiteral("arial.ttf"), 7, 0xd1d6db, 0);
    chart->setYAxisStyle(QStringLiteral("arial.ttf"), 7, 0xd1d6db, 0);
    chart->setData(rows.time, rows.high, rows.low, rows.open, rows.close, rows.volume, 0);

    chart->addMainPanel(ChartFrameClass::mainPanelHeightFor(look.height, int(look.panels.size())));
    if (look.volumeBars)
        chart->addVolumeBars(75, 0x99ff99, 0xff9999, 0x808080);
    if (look.percentageAxis)
        chart->setPercentageAxis();
    if (look.parabolicSar)
        chart->addParabolicSar();
    if (look.bollinger)
        chart->addBollingerBand(20, 2);
    if (look.movingAverages) {
        chart->addSimpleMovingAverage(50, 0x663300);
        chart->addExponentialMovingAverage(20, 0xff6600);
    }
    switch (look.price) {
    case Price::Candles:
        composed.price = chart->addCandleSticks(0x99ff99, 0xff9999);
        break;
    case Price::CloseLine:
        composed.price = chart->addCloseLine(0x64dae3);
        break;
    case Price::OhlcBars:
        composed.price = chart->addOhlcBars(0x99ff99, 0xff9999);
        break;
    }
    for (int entry : look.panels)
        IndicatorPanels::add(*chart, entry, 80);
    chart->setBackground(
        BaseChart::linearGradientColor(0, 0, 0, chart->getHeight(), 0x132c4e, 0x060e17),
        Chart::Transparent);
    chart->setBorder(0x21486e);
    return composed;
}

} // namespace FinanceChartSamples
