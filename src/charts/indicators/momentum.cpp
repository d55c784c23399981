#include "charts/indicators/momentum.h"

#include "charts/indicators/runningwindows.h"

#include <algorithm>
#include <cmath>

namespace Indicators {

using namespace Running;

namespace {

// Applies change(latest, lagged) once `period` earlier points with values exist.
template <typename Change> Series changeOver(const Series &values, int period, Change change)
{
    Series result(values.size(), Chart::NoValue);
    if (period < 1)
        return result;
    Lag earlier(period);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (anyMissing(values[i]))
            continue;
        earlier.push(values[i]);
        if (earlier.ready())
            result[i] = change(values[i], earlier.lagged());
    }
    return result;
}

} // namespace

Series momentum(const Series &values, int period)
{
    return changeOver(values, period, [](double now, double then) { return now - then; });
}

Series rateOfChange(const Series &values, int period)
{
    return changeOver(values, period, [](double now, double then) {
        return then != 0 ? 100 * (now - then) / then : Chart::NoValue;
    });
}

Series performance(const Series &values, int from)
{
    Series result(values.size(), Chart::NoValue);
    double base = 0;
    for (std::size_t i = std::size_t(std::max(0, from)); i < values.size(); ++i) {
        if (anyMissing(values[i]))
            continue;
        if (base == 0)
            base = values[i];
        if (base != 0)
            result[i] = 100 * (values[i] / base - 1);
    }
    return result;
}

Series trix(const Series &values, int period)
{
    Series result(values.size(), Chart::NoValue);
    if (period < 1)
        return result;
    const double factor = 2.0 / (period + 1);
    double first = 0, second = 0, third = 0;
    long long seen = 0;
    const long long secondStart = period - 1, thirdStart = 2LL * (period - 1);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (anyMissing(values[i]))
            continue;
        const long long k = seen++;
        first = k == 0 ? values[i] : first + factor * (values[i] - first);
        if (k < secondStart)
            continue;
        second = k == secondStart ? first : second + factor * (first - second);
        if (k < thirdStart)
            continue;
        const double previous = third;
        third = k == thirdStart ? second : third + factor * (second - third);
        if (k >= 3LL * (period - 1) + 1)
            result[i] = ratioOr(100 * (third - previous), third, 0);
    }
    return result;
}

PercentageOscillator percentageOscillator(const Series &values, int fast, int slow,
                                          int signalPeriod)
{
    PercentageOscillator result{Series(values.size(), Chart::NoValue),
                                Series(values.size(), Chart::NoValue),
                                Series(values.size(), Chart::NoValue)};
    Ema fastAverage(fast), slowAverage(slow), signal(signalPeriod);
    bool first = true;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (anyMissing(values[i]))
            continue;
        const double fastValue = fastAverage.push(values[i]);
        const double slowValue = slowAverage.push(values[i]);
        if (first) {
            first = false; // both averages are the value itself: nothing to compare yet
            continue;
        }
        const double line = ratioOr(100 * (fastValue - slowValue), slowValue, 0);
        result.line[i] = line;
        result.signal[i] = signal.push(line);
        result.histogram[i] = line - result.signal[i];
    }
    return result;
}

Series detrendedPriceOscillator(const Series &values, int period)
{
    Series result(values.size(), Chart::NoValue);
    if (period < 1)
        return result;
    const int back = period / 2 + 1;
    Sum window(period);
    Lag displaced(back);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (anyMissing(values[i]))
            continue;
        window.push(values[i]);
        displaced.push(values[i]);
        if (window.full() && displaced.ready())
            result[i] = displaced.lagged() - window.mean();
    }
    return result;
}

Series commodityChannelIndex(const Series &high, const Series &low, const Series &close, int period)
{
    const std::size_t n = std::min({high.size(), low.size(), close.size()});
    Series result(close.size(), Chart::NoValue);
    if (period < 1)
        return result;
    // The typical prices of the points with values, packed, so every window is contiguous.
    std::vector<double> typical;
    typical.reserve(n);
    Sum window(period);
    const double inverse = 1.0 / period;
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(high[i], low[i], close[i]))
            continue;
        typical.push_back((high[i] + low[i] + close[i]) / 3);
        window.push(typical.back());
        if (!window.full())
            continue;
        const double mean = window.sum() * inverse;
        // The mean deviation has no running form: one pass over the window in eight independent
        // sums, which the compiler pairs into vector operations.
        const double *w = typical.data() + typical.size() - std::size_t(period);
        double d[8] = {};
        int j = 0;
        for (; j + 8 <= period; j += 8) {
            for (int k = 0; k < 8; ++k)
                d[k] += std::abs(w[j + k] - mean);
        }
        for (; j < period; ++j)
            d[j % 8] += std::abs(w[j] - mean); // the rest still in separate sums
        const double deviations = ((d[0] + d[1]) + (d[2] + d[3])) + ((d[4] + d[5]) + (d[6] + d[7]));
        // (typical - mean) / (0.015 × deviations / period), with one division
        result[i] = ratioOr((typical.back() - mean) * period, 0.015 * deviations, 0);
    }
    return result;
}

} // namespace Indicators
