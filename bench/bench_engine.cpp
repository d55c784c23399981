// Charting engine figures: the application's finance chart of 10 000 candles with volume, a
// band, two moving averages, Parabolic SAR and four indicator panels, composed and rendered;
// the same candles drawn by gnuplot for comparison; the image map of the candles and hot-spot
// lookups under the mouse; memory of drawings of 20 000 rows.

#include "charts/indicators/oscillators.h"
#include "imagemaphandler.h"
#include "support/benchreport.h"
#include "support/financechartsamples.h"
#include "support/processmemory.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <sys/resource.h>
#include <vector>

using namespace FinanceChartSamples;

namespace {

// CPU time of this thread: the machines that run benchmarks are shared, and waiting for a
// core is not the engine's cost.
double cpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

template <typename F> double medianMs(int runs, F f, double (*clock)() = cpuMs)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        const double start = clock();
        f();
        t.push_back(clock() - start);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

Look benchLook()
{
    Look look; // 1200 x 700, candles, volume, band, two averages
    look.parabolicSar = true;
    look.panels = {RsiEntry, MacdEntry, SlowStochasticEntry, VolumeEntry};
    return look;
}

const QString CandleTitle =
    QStringLiteral("title='{xLabel}\nHigh:{high}\nOpen:{open}\nClose:{close}\nLow:{low}'");

// The rows and the panels' values as gnuplot reads them: one line per point.
void writeGnuplotData(const QString &path, const Rows &rows)
{
    const auto rsi = Indicators::relativeStrengthIndex(rows.close, 14);
    const auto macd = Indicators::movingAverageConvergenceDivergence(rows.close, 26, 12, 9);
    const auto stochastic = Indicators::slowStochastic(rows.high, rows.low, rows.close, 14, 3);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QTextStream out(&file);
    const auto v = [](double x) {
        return Chart::isNoValue(x) ? QStringLiteral("NaN") : QString::number(x);
    };
    for (int i = 0; i < rows.size(); ++i) {
        out << i << ' ' << rows.open[i] << ' ' << rows.high[i] << ' ' << rows.low[i] << ' '
            << rows.close[i] << ' ' << rows.volume[i] << ' ' << v(rsi[i]) << ' ' << v(macd.macd[i])
            << ' ' << v(macd.signal[i]) << ' ' << v(macd.divergence[i]) << ' '
            << v(stochastic.percentK[i]) << ' ' << v(stochastic.percentD[i]) << '\n';
    }
}

// A multiplot of the same layout: candlesticks with volume boxes, RSI, MACD with its
// divergence boxes, stochastic and volume, 1200 x 700 PNG by the cairo terminal. Without
// `plots` the script only starts and sets the terminal up, which the comparison subtracts.
QString gnuplotScript(const QString &data, const QString &png, bool plots)
{
    QString s = QStringLiteral("set terminal pngcairo size 1200,700\nset output '%1'\n").arg(png);
    if (!plots)
        return s;
    s += QStringLiteral(
             "set datafile missing 'NaN'\nset multiplot\nset lmargin at screen 0.03\n"
             "set rmargin at screen 0.96\nunset xtics\nset style fill solid noborder\n"
             "set size 1,0.42\nset origin 0,0.58\n"
             "plot '%1' using 1:2:4:3:5 with candlesticks notitle, '' using 1:($6/1e5) with "
             "boxes notitle\n"
             "set size 1,0.14\nset origin 0,0.44\nplot '%1' using 1:7 with lines notitle\n"
             "set origin 0,0.30\nplot '%1' using 1:8 with lines notitle, '' using 1:9 with "
             "lines notitle, '' using 1:10 with boxes notitle\n"
             "set origin 0,0.16\nplot '%1' using 1:11 with lines notitle, '' using 1:12 with "
             "lines notitle\n"
             "set origin 0,0.02\nset xtics\nplot '%1' using 1:6 with boxes notitle\n"
             "unset multiplot\n")
             .arg(data);
    return s;
}

// CPU time of the finished child processes (gnuplot runs), in milliseconds.
double childrenCpuMs()
{
    rusage usage;
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// gnuplot's CPU time of rendering the picture: a run that plots minus a run that only starts
// and sets up its terminal, each the median of five.
double gnuplotRenderMs(const QString &gnuplot, const Rows &rows)
{
    QTemporaryDir dir;
    const QString data = dir.filePath("candles.dat");
    writeGnuplotData(data, rows);
    const auto runMs = [&](bool plots) {
        const QString script = dir.filePath(plots ? "plot.gp" : "start.gp");
        QFile f(script);
        f.open(QIODevice::WriteOnly);
        f.write(gnuplotScript(data, dir.filePath("chart.png"), plots).toUtf8());
        f.close();
        return medianMs(
            5,
            [&] {
                QProcess p;
                p.start(gnuplot, {script});
                p.waitForFinished(-1);
            },
            childrenCpuMs);
    };
    return runMs(true) - runMs(false);
}

void hotSpotFigures(ImageMapHandler &handler)
{
    // Points along the plot area, as a moving mouse produces them, measured apart by whether
    // they land on a candle.
    std::vector<QPointF> hits, misses;
    for (int i = 0; i < 20000; ++i) {
        const QPointF p(40 + (i * 7919 % 1110), 40 + (i * 104729 % 240));
        (handler.getHotSpot(p.x(), p.y()) > 0 ? hits : misses).push_back(p);
    }
    const auto perLookupUs = [&](const std::vector<QPointF> &points) {
        int found = 0;
        const double ms = medianMs(5, [&] {
            for (const QPointF &p : points)
                found += handler.getHotSpot(p.x(), p.y()) > 0;
        });
        return points.empty() ? 0.0 : ms * 1e3 / double(points.size());
    };
    benchReport("engine_hotspot_lookup_hit", perLookupUs(hits), "us");
    benchReport("engine_hotspot_lookup_miss", perLookupUs(misses), "us");
    benchReport("engine_hotspot_lookup_hits", double(hits.size()), "of_20000");
}

void memoryFigures()
{
    const Rows rows = dailyWalk(20000, 33);
    const auto draw = [&] {
        const Composed drawn = compose(rows, benchLook());
        drawn.chart->makeChart();
        ImageMapHandler handler(drawn.price->getHTMLImageMap("clickable", QString(), CandleTitle));
    };
    draw();
    benchReport("engine_peak_resident_20000_rows", ProcessMemory::peakResidentMb(), "MB");
    for (int i = 0; i < 10; ++i)
        draw(); // allocator pools settle
    const double before = ProcessMemory::residentMb();
    for (int i = 0; i < 100; ++i)
        draw();
    benchReport("engine_resident_growth_100_redraws_20000_rows",
                ProcessMemory::residentMb() - before, "MB");
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const Rows rows = dailyWalk(10000, 21);
    const Look look = benchLook();

    // Warm caches (fonts, symbol sprites) once, as a running application has them.
    compose(rows, look).chart->makeChart();

    const double composeMs = medianMs(7, [&] { compose(rows, look); });
    benchReport("engine_compose_10k_candles_4_panels", composeMs, "ms");

    const Composed drawn = compose(rows, look);
    FinanceChart *chart = drawn.chart.get();
    const double render = medianMs(9, [&] { chart->makeChart(); });
    benchReport("engine_render_1200x700_10k_candles_4_panels", render, "ms");

    const double total = medianMs(5, [&] { compose(rows, look).chart->makeChart(); });
    benchReport("engine_compose_and_render_10k_candles", total, "ms");

    const double png = medianMs(5, [&] { chart->makeChart(Chart::PNG); });
    benchReport("engine_png_encode_1200x700", png, "ms");

    const QString gnuplot = QStandardPaths::findExecutable("gnuplot");
    if (gnuplot.isEmpty()) {
        std::printf("# gnuplot not found: no comparison (install gnuplot-nox)\n");
    } else {
        // Like for like: from the rows to a PNG file's bytes, in CPU time on both sides, as the
        // machine is shared and waiting for a core is neither program's cost.
        const double ours = medianMs(5, [&] { compose(rows, look).chart->makeChart(Chart::PNG); });
        const double theirs = gnuplotRenderMs(gnuplot, rows);
        benchReport("engine_rows_to_png_10k_candles", ours, "ms");
        benchReport("gnuplot_rows_to_png_10k_candles", theirs, "ms");
        benchReport("chart_render_vs_gnuplot", theirs / ours, "x");
    }

    Layer *candles = drawn.price;
    QString map;
    const double mapMs = medianMs(9, [&] {
        map = candles->getHTMLImageMap(QStringLiteral("clickable"), QString(), CandleTitle);
    });
    benchReport("engine_imagemap_10k_candles", mapMs, "ms");
    benchReport("engine_imagemap_10k_candles_bytes", map.size(), "chars");

    std::unique_ptr<ImageMapHandler> handler;
    const double parse = medianMs(9, [&] { handler = std::make_unique<ImageMapHandler>(map); });
    benchReport("engine_imagemap_handler_build_10k", parse, "ms");
    hotSpotFigures(*handler);
    memoryFigures();
    return 0;
}
