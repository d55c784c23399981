// Every indicator of the chart page's list over a 1 000 000-point daily series, in millions of
// points per second of the thread's processor time (the median of five runs each): on a shared
// machine the wall clock mostly measures the other processes.
#include "support/benchreport.h"
#include "support/indicatorcatalogue.h"
#include "support/pricefixture.h"

#include <QCoreApplication>

#include <algorithm>
#include <ctime>
#include <malloc.h>

namespace {

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
    double checksum = 0; // keeps the results alive
    for (const CatalogueEntry &entry : indicatorCatalogue()) {
        std::vector<double> seconds;
        for (int run = 0; run < 5; ++run) {
            const double start = threadSeconds();
            const auto outputs = entry.compute(inputs);
            seconds.push_back(threadSeconds() - start);
            checksum += outputs.front()[Points - 1];
        }
        std::sort(seconds.begin(), seconds.end());
        const QString name = QStringLiteral("indicator_%1_mpoints_per_s").arg(slug(entry.name));
        benchReport(qPrintable(name), Points / seconds[seconds.size() / 2] / 1e6, "Mpt/s");
    }
    return checksum == 0.123456789 ? 1 : 0;
}
