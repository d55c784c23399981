// Charting engine figures: rendering a full stacked price chart of 10 000 candles with volume,
// a band, two moving averages, Parabolic SAR markers and four indicator panels; the image map
// of the candles and a hot-spot lookup under the mouse.

#include "support/benchreport.h"
#include "support/enginesamples.h"

#include <QGuiApplication>
#include <algorithm>
#include <ctime>
#include <vector>

namespace {

// CPU time of this thread: the machines that run benchmarks are shared, and waiting for a
// core is not the engine's cost.
double cpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

template <typename F> double medianMs(int runs, F f)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        const double start = cpuMs();
        f();
        t.push_back(cpuMs() - start);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const EngineSamples::Prices prices = EngineSamples::randomWalk(10000, 21);
    EngineSamples::StackOptions o; // 1200 x 700, candles, volume, band, 2 averages, SAR, 4 panels

    // Warm caches (fonts, symbol sprites) once, as a running application has them.
    EngineSamples::stackedChart(prices, o).chart->makeChart();

    const double compose = medianMs(7, [&] { EngineSamples::stackedChart(prices, o); });
    benchReport("engine_compose_10k_candles_4_panels", compose, "ms");

    auto chart = EngineSamples::stackedChart(prices, o);
    const double render = medianMs(9, [&] { chart.chart->makeChart(); });
    benchReport("engine_render_1200x700_10k_candles_4_panels", render, "ms");

    const double total = medianMs(5, [&] {
        auto c = EngineSamples::stackedChart(prices, o);
        c.chart->makeChart();
    });
    benchReport("engine_compose_and_render_10k_candles", total, "ms");

    const double png = medianMs(5, [&] { chart.chart->makeChart(Chart::PNG); });
    benchReport("engine_png_encode_1200x700", png, "ms");

    QString map;
    const double mapMs = medianMs(9, [&] {
        map = chart.priceLayer->getHTMLImageMap(
            QStringLiteral("clickable"), QString(),
            QStringLiteral("title='{xLabel}\nHigh:{high}\nOpen:{open}\nClose:{close}\nLow:{low}'"));
    });
    benchReport("engine_imagemap_10k_candles", mapMs, "ms");
    benchReport("engine_imagemap_10k_candles_bytes", map.size(), "chars");

    std::unique_ptr<ImageMapHandler> handler;
    const double parse = medianMs(9, [&] { handler = std::make_unique<ImageMapHandler>(map); });
    benchReport("engine_imagemap_handler_build_10k", parse, "ms");

    // Lookups along the plot area, as a moving mouse produces them.
    const int lookups = 20000;
    int found = 0;
    const double start = cpuMs();
    for (int i = 0; i < lookups; ++i) {
        const double x = 40 + (i * 7919 % 1110);
        const double y = 40 + (i * 104729 % 240);
        found += handler->getHotSpot(x, y) > 0;
    }
    benchReport("engine_hotspot_lookup", (cpuMs() - start) * 1e3 / lookups, "us");
    benchReport("engine_hotspot_lookup_hits", found, "of_20000");
    return 0;
}
