#include "enginesamples.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace EngineSamples {

Prices randomWalk(int n, unsigned seed, double start, int stepSeconds)
{
    Prices p;
    std::mt19937 rng(seed);
    std::normal_distribution<double> move(0.0003, 0.018);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    double t = start > 0 ? start : Chart::chartTime(2015, 1, 5);
    double price = 40;
    for (int i = 0; i < n; ++i) {
        if (stepSeconds >= 86400) {
            while (Chart::getChartWeekDay(t) == 0 || Chart::getChartWeekDay(t) == 6)
                t += 86400;
        }
        const double open = price;
        const double close = std::max(0.5, open * (1 + move(rng)));
        const double high = std::max(open, close) * (1 + 0.01 * unit(rng));
        const double low = std::min(open, close) * (1 - 0.01 * unit(rng));
        p.time.push_back(t);
        p.open.push_back(open);
        p.close.push_back(close);
        p.high.push_back(high);
        p.low.push_back(low);
        p.volume.push_back(
            std::round(800000 + 1500000 * unit(rng) + 3e6 * std::fabs(close - open) / open));
        price = close;
        t += stepSeconds;
    }
    return p;
}

std::vector<double> parabolicSar(const std::vector<double> &high, const std::vector<double> &low)
{
    const size_t n = std::min(high.size(), low.size());
    std::vector<double> sar(n, Chart::NoValue);
    if (n < 2)
        return sar;
    bool longTrend = high[1] >= high[0];
    double accel = 0.02,
           extreme = longTrend ? std::max(high[0], high[1]) : std::min(low[0], low[1]);
    double s = longTrend ? std::min(low[0], low[1]) : std::max(high[0], high[1]);
    sar[1] = s;
    for (size_t i = 2; i < n; ++i) {
        s = s + (extreme - s) * accel;
        if (longTrend) {
            s = std::min({s, low[i - 1], low[i - 2]});
            if (low[i] < s) {
                longTrend = false;
                s = extreme;
                extreme = low[i];
                accel = 0.02;
            } else if (high[i] > extreme) {
                extreme = high[i];
                accel = std::min(0.2, accel + 0.02);
            }
        } else {
            s = std::max({s, high[i - 1], high[i - 2]});
            if (high[i] > s) {
                longTrend = true;
                s = extreme;
                extreme = high[i];
                accel = 0.02;
            } else if (low[i] < extreme) {
                extreme = low[i];
                accel = std::min(0.2, accel + 0.02);
            }
        }
        sar[i] = s;
    }
    return sar;
}

namespace {

const int leftMargin = 40, rightMargin = 50, topMargin = 30, bottomMargin = 35;
const int axisText = 0xd1d6db;
const int gridColor = 0x21486e;

QString lastValue(const std::vector<double> &a, const QString &label)
{
    const double v = ArrayMath(a).lastValue();
    return Chart::isNoValue(v)
               ? label
               : label + QStringLiteral(": ") + TextFormat::formatValue(v, QStringLiteral("P3"));
}

// Date labels as the finance chart chooses them: years, months, days or hours by the time
// each label slot covers.
void dateLabels(Axis *x, const Prices &p, int plotWidth)
{
    const int n = p.size();
    if (n < 2)
        return;
    const double span = p.time.back() - p.time.front();
    double step = span / plotWidth * 50;
    const double day = 86400;
    int every = 1;
    if (span >= step * n)
        step = p.time[n - 1] - p.time[n - 2];
    else
        every = n * 50 / plotWidth + 1;
    if (step > 360 * day || (step > 90 * day && span >= 720 * day)) {
        x->setMultiFormat(Chart::encodeFilter(Chart::StartOfYearFilter, 1, 0.05),
                          QStringLiteral("{value|yyyy}"));
    } else if (step >= 30 * day || (step > 7 * day && span >= 60 * day)) {
        const int months = static_cast<int>(step / (31 * day)) + 1;
        x->setMultiFormat(Chart::encodeFilter(Chart::StartOfYearFilter, 1, 0.05),
                          QStringLiteral("<*font=bold*>{value|mmm yy}"),
                          Chart::encodeFilter(Chart::StartOfMonthFilter, months, 0.05),
                          QStringLiteral("{value|mmm}"));
        x->setMultiFormat2(Chart::encodeFilter(Chart::StartOfMonthFilter, 1, 0.05),
                           QStringLiteral("-"), 1, false);
    } else if (step >= day || (step > 6 * 3600 && span >= day)) {
        x->setMultiFormat(Chart::encodeFilter(Chart::StartOfMonthFilter, 1, 0.5),
                          QStringLiteral("<*font=bold*>{value|d mmm}"),
                          Chart::encodeFilter(Chart::StartOfDayFilter, every, 0.5),
                          QStringLiteral("{value|d}"));
    } else {
        x->setMultiFormat(Chart::encodeFilter(Chart::StartOfDayFilter, 1, 0.5),
                          QStringLiteral("<*font=bold*>{value|d mmm\nh:nna}"),
                          Chart::encodeFilter(Chart::StartOfHourFilter, every, 0.5),
                          QStringLiteral("{value|h:nna}"));
    }
}

class Composer
{
public:
    Composer(const Prices &p, const StackOptions &o, StackedChart &out) : p(p), o(o), out(out)
    {
        out.chart =
            std::make_unique<MultiChart>(o.width, 1, Chart::BackgroundColor, Chart::Transparent);
    }

    XYChart *panel(int height)
    {
        auto c = std::make_unique<XYChart>(o.width, height + topMargin + bottomMargin,
                                           Chart::Transparent, Chart::Transparent);
        XYChart *chart = c.get();
        const int plotW = o.width - leftMargin - rightMargin;
        if (current) {
            current->xAxis()->setColors(Chart::Transparent, Chart::Transparent);
            chart->xAxis()->copyAxis(current->xAxis());
            out.chart->addChart(0, total + 0, chart);
            total += height + 1;
        } else {
            chart->xAxis()->setLabels2(p.time);
            dateLabels(chart->xAxis(), p, plotW);
            out.chart->addChart(0, total, chart);
            total += height + 1;
        }
        current = chart;
        out.chart->setSize(o.width, total + topMargin + bottomMargin);
        const int bg = Colors::linearGradient(0, 0, 350, 0, 0x132c4e, 0xffffff);
        chart
            ->setPlotArea(leftMargin, topMargin, plotW, height, bg, -1, gridColor, 0xc0c0c0,
                          Chart::Transparent)
            ->setGridColor(gridColor, gridColor, gridColor, gridColor);
        chart->setAntiAlias(true, 2);
        LegendBox *legend =
            chart->addLegend(leftMargin, topMargin, false, QStringLiteral("normal"), 8);
        legend->setFontColor(Chart::TextColor);
        legend->setBackground(static_cast<int>(0x80cccccc), Chart::Transparent);
        legend->setMargin2(5, 0, 2, 1);
        legend->setSize(plotW + 1, 0);
        Axis *x = chart->xAxis();
        x->setIndent(true);
        x->setTickLength2(2, 0);
        x->setColors(Chart::Transparent, axisText, axisText, axisText);
        x->setLabelStyle(QStringLiteral("arial.ttf"), 7, axisText);
        chart->setYAxisOnRight(true);
        Axis *y = chart->yAxis();
        y->setAutoScale(0, 0.05, 0);
        if (height < 100)
            y->setTickDensity(15);
        y->setMargin(14);
        y->setLabelStyle(QStringLiteral("arial.ttf"), 7, axisText);
        y->setTickLength2(-4, -2);
        y->setColors(Chart::Transparent, axisText, axisText, axisText);
        out.panels.push_back(std::move(c));
        return chart;
    }

    void build()
    {
        const int mainHeight = std::max(120, o.height - 266 - 80 * o.indicatorPanels + 166);
        XYChart *m = panel(mainHeight);
        out.main = m;
        out.chart->setMainChart(m);
        m->yAxis()->setMargin(28);
        if (o.logScale)
            m->yAxis()->setLogScale3();
        else
            m->yAxis()->setLinearScale3();
        const std::vector<double> &close = p.close;
        if (o.volume)
            volumeBars(m, 75, 0x808080, true);
        if (o.sar) {
            LineLayer *l = m->addLineLayer(
                parabolicSar(p.high, p.low), 0x008800,
                lastValue(parabolicSar(p.high, p.low), QStringLiteral("Parabolic SAR")));
            l->setLineWidth(0);
            l->getDataSet(0)->setDataSymbol(Chart::DiamondSymbol, 5, 0x008800, 0x000000);
        }
        if (o.band) {
            const auto mid = ArrayMath(close).movAvg(20).result();
            const auto dev = ArrayMath(close).movStdDev(20).mul(2).result();
            const auto upper = ArrayMath(mid).add(dev).result();
            const auto lower = ArrayMath(mid).sub(dev).selectGTZ().result();
            LineLayer *ul = m->addLineLayer(upper, 0x9999ff, QStringLiteral("Bollinger (20, 2)"));
            LineLayer *ll = m->addLineLayer(lower, 0x9999ff);
            m->addInterLineLayer(ul->getLine(), ll->getLine(), static_cast<int>(0xc06666ff));
        }
        if (o.movingAverages) {
            m->addLineLayer(
                ArrayMath(close).movAvg(50).result(), 0x663300,
                lastValue(ArrayMath(close).movAvg(50).result(), QStringLiteral("SMA (50)")));
            const auto ema = ArrayMath(close).expAvg(2.0 / 21).result();
            m->addLineLayer(ema, 0xff6600, lastValue(ema, QStringLiteral("EMA (20)")));
        }
        if (o.percentAxis) {
            Axis *pct = m->addAxis(Chart::Right, 0);
            pct->setAutoScale(0, 0.05, 0);
            pct->setMargin(28);
            pct->setLabelStyle(QStringLiteral("arial.ttf"), 7, axisText);
            pct->setTickLength2(-4, -2);
            pct->setColors(Chart::Transparent, axisText, axisText, axisText);
            pct->syncAxis(m->yAxis(), 100 / close.front(), 0);
            pct->setRounding(false, false);
            pct->setLabelFormat(QStringLiteral("{={value}-100|@}%"));
            m->yAxis()->setColors(Chart::Transparent, Chart::Transparent);
            m->getPlotArea()->setGridAxis(nullptr, pct);
        }
        const QString title = QStringLiteral("title='[{xLabel|mmm d, yyyy}] Op:{open|P3}, "
                                             "Hi:{high|P3}, Lo:{low|P3}, Cl:{close|P3}'");
        if (o.style == CloseLine) {
            LineLayer *l =
                m->addLineLayer(close, 0x64dae3, lastValue(close, QStringLiteral("Closing Price")));
            l->setLineWidth(2);
            out.priceLayer = l;
        } else if (o.style == Candles) {
            m->getLegend()->addKey(ohlcKey(), close.back() >= p.open.back() ? 0x99ff99 : 0xff9999);
            CandleStickLayer *c = m->addCandleStickLayer(p.high, p.low, p.open, close, 0x99ff99,
                                                         0xff9999, Chart::LineColor);
            if (p.size() > 60)
                c->setDataGap(0);
            const double ppp =
                (o.width - leftMargin - rightMargin) / static_cast<double>(std::max(1, p.size()));
            if (ppp < 6) {
                const int w = static_cast<int>(ppp);
                c->setDataWidth(w + 1 - w % 2);
            }
            c->setHTMLImageMap(QString(), QString(), title);
            out.priceLayer = c;
        } else {
            m->getLegend()->addKey(ohlcKey(), 0x99ff99);
            HLOCLayer *h = m->addHLOCLayer(p.high, p.low, p.open, close);
            h->setColorMethod(Chart::HLOCUpDown, 0x99ff99, 0xff9999);
            h->setDataGap(0);
            h->setHTMLImageMap(QString(), QString(), title);
            out.priceLayer = h;
        }
        if (o.signalMarkers) {
            std::vector<double> longs(p.size(), Chart::NoValue), shorts(p.size(), Chart::NoValue);
            const auto rsi = rsiOf(close);
            for (int i = 1; i < p.size(); ++i) {
                if (!Chart::isNoValue(rsi[i]) && !Chart::isNoValue(rsi[i - 1])) {
                    if (rsi[i - 1] < 30 && rsi[i] >= 30)
                        longs[i] = p.low[i] * 0.98;
                    if (rsi[i - 1] > 70 && rsi[i] <= 70)
                        shorts[i] = p.high[i] * 1.02;
                }
            }
            m->addScatterLayer({}, longs, QStringLiteral("LONG"), Chart::TriangleSymbol, 12,
                               0x00ff00, 0x00ff00)
                ->moveFront();
            m->addScatterLayer({}, shorts, QStringLiteral("SHORT"), Chart::InvertedTriangleSymbol,
                               12, 0xff0000, 0xff0000)
                ->moveFront();
        }
        const int kinds[] = {0, 1, 2, 3};
        for (int k = 0; k < std::min(4, o.indicatorPanels); ++k) {
            switch (kinds[k]) {
            case 0:
                rsiPanel();
                break;
            case 1:
                macdPanel();
                break;
            case 2:
                stochasticPanel();
                break;
            default:
                volumePanel();
            }
        }
        out.chart->setBackground(
            Colors::linearGradient(0, 0, 0, out.chart->getHeight(), 0x132c4e, 0x060e17),
            Chart::Transparent);
        out.chart->setBorder(gridColor);
        out.chart->addTitle2(Chart::TopLeft, QStringLiteral("Corvane Sample Inc. (CVS)"),
                             QStringLiteral("normal"), 12, 0xffffff);
        out.chart->addTitle2(Chart::TopRight,
                             QStringLiteral("Chart Rendered: Mon Mar 4 10:00:00 2024"),
                             QStringLiteral("Verdana"), 8, 0xd1d6db);
    }

private:
    QString ohlcKey() const
    {
        const int i = p.size() - 1;
        auto f = [](double v) { return TextFormat::formatValue(v, QStringLiteral("P3")); };
        return QStringLiteral("Op:%1, Hi:%2, Lo:%3, Cl:%4")
            .arg(f(p.open[i]), f(p.high[i]), f(p.low[i]), f(p.close[i]));
    }

    static std::vector<double> rsiOf(const std::vector<double> &close)
    {
        const auto d = ArrayMath(close).delta().result();
        const auto up = ArrayMath(d).selectGTZ().result();
        const auto absd = ArrayMath(d).abs().result();
        std::vector<double> rsi(close.size(), Chart::NoValue);
        double au = 0, aa = 0;
        int count = 0;
        for (size_t i = 1; i < close.size(); ++i) {
            if (Chart::isNoValue(d[i]))
                continue;
            ++count;
            if (count <= 14) {
                au += up[i] / 14;
                aa += absd[i] / 14;
                if (count < 14)
                    continue;
            } else {
                au = (au * 13 + up[i]) / 14;
                aa = (aa * 13 + absd[i]) / 14;
            }
            rsi[i] = aa == 0 ? 50 : 100 * au / aa;
        }
        return rsi;
    }

    void rsiPanel()
    {
        XYChart *c = panel(80);
        const auto rsi = rsiOf(p.close);
        LineLayer *l = c->addLineLayer(rsi, 0x800080, lastValue(rsi, QStringLiteral("RSI (14)")));
        c->yAxis()->setLinearScale(0, 100);
        Mark *top = c->yAxis()->addMark(70, 0xff6666, QStringLiteral("70"));
        top->setFontColor(0xff6666);
        Mark *bottom = c->yAxis()->addMark(30, 0x6666ff, QStringLiteral("30"));
        bottom->setFontColor(0x6666ff);
        c->addInterLineLayer(l->getLine(), top->getLine(), 0xff6666, Chart::Transparent);
        c->addInterLineLayer(l->getLine(), bottom->getLine(), Chart::Transparent, 0x6666ff);
    }

    void macdPanel()
    {
        XYChart *c = panel(80);
        const auto macd = ArrayMath(p.close)
                              .expAvg(2.0 / 13)
                              .sub(ArrayMath(p.close).expAvg(2.0 / 27).result())
                              .result();
        const auto signal = ArrayMath(macd).expAvg(0.2).result();
        const auto div = ArrayMath(macd).sub(signal).result();
        c->addLineLayer(macd, 0x00acfc, lastValue(macd, QStringLiteral("MACD (26, 12)")));
        c->addLineLayer(signal, 0xff00ff, lastValue(signal, QStringLiteral("EXP (9)")));
        BarLayer *b = c->addBarLayer(div, 0x008000, QStringLiteral("Divergence"));
        b->setBorderColor(Chart::Transparent);
    }

    void stochasticPanel()
    {
        XYChart *c = panel(80);
        const auto lo = ArrayMath(p.low).movMin(14).result();
        const auto hi = ArrayMath(p.high).movMax(14).result();
        const auto k = ArrayMath(p.close)
                           .sub(lo)
                           .mul(100)
                           .financeDiv(ArrayMath(hi).sub(lo).result(), 50)
                           .movAvg(3)
                           .result();
        const auto d = ArrayMath(k).movAvg(3).result();
        c->addLineLayer(k, 0x00acfc, lastValue(k, QStringLiteral("Slow Stochastic %K (14)")));
        c->addLineLayer(d, 0xff00ff, lastValue(d, QStringLiteral("%D (3)")));
        c->yAxis()->setLinearScale(0, 100);
    }

    void volumePanel()
    {
        XYChart *c = panel(80);
        volumeBars(c, 80, 0xc0c0c0, false);
    }

    void volumeBars(XYChart *c, int height, int flat, bool secondary)
    {
        const auto change = ArrayMath(p.close).delta().result();
        const auto vol = ArrayMath(p.volume).div(1e6).result();
        BarLayer *b = c->addBarLayer2(Chart::Overlay);
        b->setBorderColor(Chart::Transparent);
        b->addDataSet(ArrayMath(vol).selectGTZ(change).result(), 0x99ff99,
                      lastValue(vol, QStringLiteral("Vol")) + QStringLiteral("M"));
        b->addDataSet(ArrayMath(vol).selectLTZ(change).result(), 0xff9999);
        b->addDataSet(ArrayMath(vol).selectEQZ(change).result(), flat);
        Axis *a = c->yAxis();
        if (secondary) {
            b->setUseYAxis2();
            a = c->yAxis2();
            a->setAutoScale(0, 0.05, 0);
            if (height < 100)
                a->setTickDensity(15);
            a->setLabelStyle(QStringLiteral("arial.ttf"), 7, axisText);
            a->setTickLength2(-4, -2);
            a->setColors(Chart::Transparent, axisText, axisText, axisText);
            a->setMargin(14 + c->plotArea().getHeight() - height);
        }
        a->setLabelFormat(QStringLiteral("{value}M"));
    }

    const Prices &p;
    const StackOptions &o;
    StackedChart &out;
    XYChart *current = nullptr;
    int total = 0;
};

} // namespace

StackedChart stackedChart(const Prices &p, const StackOptions &o)
{
    StackedChart out;
    Composer(p, o, out).build();
    return out;
}

} // namespace EngineSamples
