// Every indicator of the chart page's list, the price overlays and the engine's series functions
// over a 1 000 000-point daily series, in millions of points per second of the thread's
// processor time (the median of five runs each): on a shared machine the wall clock mostly
// measures the other processes.
#include "arraymath.h"
#include "charts/indicatorcatalogue.h"
#include "charts/indicators/movingaverages.h"
#include "charts/indicators/parabolicsar.h"
#include "charts/indicators/pricebands.h"
#include "support/benchreport.h"
#include "support/pricefixture.h"

#include <QCoreApplication>

#include <algorithm>
#include <ctime>
#include <malloc.h>

namespace {

using Outputs = std::vector<std::vector<double>>;
using Compute = std::function<Outputs(const IndicatorInputs &)>;

double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

QString slug(const QString &name)
{
    QString result;
    for (const QChar c : name.toLower()) {
        if (c.isLetterOrNumber())
            result += c;
        else if (!result.endsWith(QLatin1Char('_')) && !result.isEmpty())
            result += QLatin1Char('_');
    }
    while (result.endsWith(QLatin1Char('_')))
        result.chop(1);
    return result;
}

// The price overlays and the series functions the indicators are built from.
std::vector<std::pair<QString, Compute>> overlaysAndSeries()
{
    using namespace Indicators;
    using In = IndicatorInputs;
    using Array = std::vector<double>;
    const auto series = [](Array (*function)(const Array &, int)) {
        return [function](const In &p) { return outputsOf(function(p.close, 20)); };
    };
    const auto pairwise = [](Array (*function)(const Array &, const Array &)) {
        return [function](const In &p) { return outputsOf(function(p.high, p.low)); };
    };
    return {
        {"SMA 20", [](const In &p) { return outputsOf(simpleMovingAverage(p.close, 20)); }},
        {"EMA 20", [](const In &p) { return outputsOf(exponentialMovingAverage(p.close, 20)); }},
        {"TMA 20", [](const In &p) { return outputsOf(triangularMovingAverage(p.close, 20)); }},
        {"WMA 20", [](const In &p) { return outputsOf(weightedMovingAverage(p.close, 20)); }},
        {"Wilder average 14", [](const In &p) { return outputsOf(wilderAverage(p.close, 14)); }},
        {"Bollinger band 20 2",
         [](const In &p) {
             auto band = bollingerBand(p.close, 20, 2);
             return outputsOf(std::move(band.upper), std::move(band.lower));
         }},
        {"Donchian channel 20",
         [](const In &p) {
             auto band = donchianChannel(p.high, p.low, 20);
             return outputsOf(std::move(band.upper), std::move(band.lower));
         }},
        {"Envelope 20 10",
         [](const In &p) {
             auto band = envelope(p.close, 20, 10);
             return outputsOf(std::move(band.upper), std::move(band.lower));
         }},
        {"Parabolic SAR", [](const In &p) { return outputsOf(parabolicSar(p.high, p.low)); }},
        {"series movAvg 20", series(&Series::movAvg)},
        {"series movSum 20", series(&Series::movSum)},
        {"series movMin 20", series(&Series::movMin)},
        {"series movMax 20", series(&Series::movMax)},
        {"series movStdDev 20", series(&Series::movStdDev)},
        {"series expAvg", [](const In &p) { return outputsOf(Series::expAvg(p.close, 2.0 / 21)); }},
        {"series accumulate", [](const In &p) { return outputsOf(Series::accumulate(p.volume)); }},
        {"series add", pairwise(&Series::add)},
        {"series sub", pairwise(&Series::sub)},
        {"series mul", pairwise(&Series::mul)},
        {"series div", pairwise(&Series::div)},
        {"series max", pairwise(&Series::max)},
        {"series min", pairwise(&Series::min)},
        {"series financeDiv",
         [](const In &p) { return outputsOf(Series::financeDiv(p.high, p.low, 0.5)); }},
        {"series mul2", [](const In &p) { return outputsOf(Series::mul(p.close, 100.0)); }},
        {"series abs", [](const In &p) { return outputsOf(Series::abs(p.close)); }},
        {"series delta", [](const In &p) { return outputsOf(Series::delta(p.close, 1)); }},
        {"series shift", [](const In &p) { return outputsOf(Series::shift(p.close, 1)); }},
        {"series selectGTZ",
         [](const In &p) { return outputsOf(Series::selectGTZ(p.volume, p.close)); }},
        {"series replace",
         [](const In &p) { return outputsOf(Series::replace(p.close, 100.0, 0.0)); }},
    };
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    // The steady state of repeated drawings: freed arrays are reused from the heap. Without this
    // every 8 MB result is a fresh mapping, and on this machine touching fresh pages costs more
    // than the indicators themselves (ten times more for the simplest ones).
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
    constexpr int Points = 1'000'000;
    const PriceSeries prices = PriceSeries::daily(Points);
    const IndicatorInputs inputs{prices.high, prices.low, prices.close, prices.volume};
    std::vector<std::pair<QString, Compute>> cases;
    for (const CatalogueEntry &entry : indicatorCatalogue())
        cases.emplace_back(entry.name, entry.compute);
    for (auto &extra : overlaysAndSeries())
        cases.push_back(std::move(extra));
    double checksum = 0; // keeps the results alive
    for (const auto &[name, compute] : cases) {
        std::vector<double> seconds;
        for (int run = 0; run < 5; ++run) {
            const double start = threadSeconds();
            const auto outputs = compute(inputs);
            seconds.push_back(threadSeconds() - start);
            checksum += outputs.front()[Points - 1];
        }
        std::sort(seconds.begin(), seconds.end());
        const QString benchName = QStringLiteral("indicator_%1_mpts").arg(slug(name));
        benchReport(qPrintable(benchName), Points / seconds[seconds.size() / 2] / 1e6, "Mpt/s");
    }
    return checksum == 0.123456789 ? 1 : 0;
}
