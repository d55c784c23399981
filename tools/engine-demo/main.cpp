// Renders sample charts of every layer type into PNG files, so that anyone can look at what
// the charting engine draws. Usage: engine-demo [output folder]

#include "enginesamples.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

namespace {

QString outDir;

void save(BaseChart &chart, const char *name)
{
    const QString path = QDir(outDir).filePath(QString::fromLatin1(name));
    if (chart.makeChart(path))
        std::printf("wrote %s\n", qPrintable(path));
    else
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
}

void stacked(const EngineSamples::Prices &p, const EngineSamples::StackOptions &o, const char *name)
{
    auto s = EngineSamples::stackedChart(p, o);
    save(*s.chart, name);
}

void lightStyle(XYChart &c, const QString &title)
{
    c.addTitle(title, QStringLiteral("bold"), 11);
    c.getPlotArea()->setBackground(0xffffff, 0xf4f6fa, 0x888888);
    c.getPlotArea()->setGridColor(0xdddddd, 0xdddddd);
}

void bars()
{
    const std::vector<QString> labels = {QStringLiteral("Jan"), QStringLiteral("Feb"),
                                         QStringLiteral("Mar"), QStringLiteral("Apr"),
                                         QStringLiteral("May"), QStringLiteral("Jun")};
    const std::vector<double> a = {12, 15, 9, 17, 21, 18}, b = {7, 9, 11, 6, 8, 12},
                              c = {4, -3, 6, 5, -2, 7};
    for (int method : {Chart::Side, Chart::Stack, Chart::Overlay}) {
        XYChart chart(600, 360);
        chart.setPlotArea(60, 50, 500, 250);
        lightStyle(chart, method == Chart::Side    ? QStringLiteral("Bar layer: side by side")
                          : method == Chart::Stack ? QStringLiteral("Bar layer: stacked")
                                                   : QStringLiteral("Bar layer: overlay"));
        chart.addLegend(60, 24, false, QStringLiteral("normal"), 8);
        chart.xAxis()->setLabels(labels);
        chart.yAxis()->setTitle(QStringLiteral("Units"));
        BarLayer *l = chart.addBarLayer2(method);
        l->addDataSet(a, 0x4f81bd, QStringLiteral("Alpha"));
        l->addDataSet(b, 0xc0504d, QStringLiteral("Beta"));
        l->addDataSet(c, 0x9bbb59, QStringLiteral("Gamma"));
        if (method == Chart::Overlay)
            l->setBorderColor(Chart::SameAsMainColor);
        save(chart, method == Chart::Side    ? "bars_side.png"
                    : method == Chart::Stack ? "bars_stacked.png"
                                             : "bars_overlay.png");
    }
}

void scatter()
{
    XYChart chart(600, 360);
    chart.setPlotArea(60, 50, 500, 250);
    lightStyle(chart, QStringLiteral("Scatter layer: symbols"));
    chart.addLegend(60, 24, false, QStringLiteral("normal"), 8);
    const int symbols[] = {
        Chart::SquareSymbol,           Chart::DiamondSymbol,      Chart::TriangleSymbol,
        Chart::InvertedTriangleSymbol, Chart::CircleSymbol,       Chart::CrossSymbol,
        Chart::Cross2Symbol,           Chart::LeftTriangleSymbol, Chart::RightTriangleSymbol};
    const char *names[] = {"square", "diamond", "triangle", "inverted", "circle",
                           "cross",  "cross2",  "left",     "right"};
    for (int k = 0; k < 9; ++k) {
        std::vector<double> x, y;
        for (int i = 0; i < 6; ++i) {
            x.push_back(0.5 + i * 1.7 + k * 0.13);
            y.push_back(10 + k * 9 + 4 * std::sin(i + k));
        }
        chart.addScatterLayer(x, y, QString::fromLatin1(names[k]), symbols[k], 9 + k % 3 * 2,
                              Colors::dataColor(k), 0x333333);
    }
    chart.xAxis()->setTitle(QStringLiteral("x"));
    save(chart, "scatter.png");
}

void lines()
{
    XYChart chart(600, 360);
    chart.setPlotArea(60, 50, 500, 250);
    lightStyle(chart, QStringLiteral("Line and inter-line layers, a gap, marks"));
    chart.addLegend(60, 24, false, QStringLiteral("normal"), 8);
    std::vector<double> a, b;
    std::vector<QString> labels;
    for (int i = 0; i < 40; ++i) {
        a.push_back(50 + 20 * std::sin(i / 5.0));
        b.push_back(50 + 15 * std::cos(i / 7.0));
        labels.push_back(QString::number(i));
    }
    a[17] = a[18] = Chart::NoValue;
    chart.xAxis()->setLabels(labels);
    LineLayer *la = chart.addLineLayer(a, 0x2255cc, QStringLiteral("Series A (gap at 17-18)"));
    la->setLineWidth(2);
    la->getDataSet(0)->setDataSymbol(Chart::CircleSymbol, 6, 0xffffff, 0x2255cc);
    LineLayer *lb = chart.addLineLayer(b, 0xcc5522, QStringLiteral("Series B"));
    lb->setLineWidth(2);
    chart.addInterLineLayer(la->getLine(), lb->getLine(), static_cast<int>(0x802255cc),
                            static_cast<int>(0x80cc5522));
    chart.yAxis()->addMark(65, 0x009900, QStringLiteral("65"))->setFontColor(0x009900);
    save(chart, "lines_interline.png");
}

void newsCount()
{
    const int n = 60;
    std::vector<double> t;
    double day = Chart::chartTime(2024, 1, 8);
    for (int i = 0; i < n; ++i) {
        while (Chart::getChartWeekDay(day) == 0 || Chart::getChartWeekDay(day) == 6)
            day += 86400;
        t.push_back(day);
        day += 86400;
    }
    XYChart chart(800, 145, Chart::BackgroundColor, Chart::Transparent);
    chart.setBackground(Colors::linearGradient(0, 0, 0, 190, 0x132c4e, 0x060e17));
    chart.setPlotArea(40, 10, 800 - 80, 110, Chart::Transparent, -1, 0x21486e, 0xc0c0c0)
        ->setGridColor(0x21486e, 0x21486e);
    BarLayer *b = chart.addBarLayer2(Chart::Stack);
    b->setBorderColor(Chart::SameAsMainColor);
    for (int f = 0; f < 3; ++f) {
        std::vector<double> counts;
        for (int i = 0; i < n; ++i)
            counts.push_back((i * (f + 3) + f * 7) % 5);
        b->addDataSet(counts, -1, QStringLiteral("Feed %1").arg(f + 1));
    }
    chart.xAxis()->setLabels2(t);
    chart.xAxis()->setMultiFormat(Chart::encodeFilter(Chart::StartOfYearFilter, 1, 0.05),
                                  QStringLiteral("<*font=arial.ttf*>{value|yyyy}"),
                                  Chart::encodeFilter(Chart::StartOfMonthFilter, 1, 0.05),
                                  QStringLiteral("{value|mmm}"));
    chart.xAxis()->setLabelStyle(QStringLiteral("arial.ttf"), 7, 0xd1d6db);
    chart.yAxis()->setLabelStyle(QStringLiteral("arial.ttf"), 7, 0xd1d6db);
    save(chart, "newscount.png");
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("engine-demo-output");
    QDir().mkpath(outDir);

    using namespace EngineSamples;
    StackOptions o;
    stacked(randomWalk(250, 3), o, "finance_candles.png");

    o.style = Ohlc;
    o.logScale = true;
    o.percentAxis = true;
    o.sar = false;
    o.indicatorPanels = 1;
    o.height = 560;
    stacked(randomWalk(90, 11), o, "finance_ohlc_log_percent.png");

    StackOptions line;
    line.style = CloseLine;
    line.indicatorPanels = 2;
    line.sar = false;
    line.signalMarkers = true;
    stacked(randomWalk(2600, 5), line, "finance_close_10years.png");

    StackOptions intraday;
    intraday.indicatorPanels = 1;
    intraday.height = 520;
    intraday.band = false;
    stacked(randomWalk(120, 9, Chart::chartTime(2024, 3, 4, 9, 0, 0), 1800), intraday,
            "finance_intraday.png");

    StackOptions big;
    stacked(randomWalk(10000, 21), big, "finance_10000_candles.png");

    bars();
    scatter();
    lines();
    newsCount();
    return 0;
}
