#include "charts/indicators/momentum.h"

#include "charts/indicators/runningwindows.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

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

// The absolute deviations of `count` values from their mean, summed.
double deviations(const double *values, std::size_t count, double mean)
{
    double lanes[4] = {};
    for (std::size_t j = 0; j < count; ++j)
        lanes[j % 4] += std::abs(values[j] - mean);
    return (lanes[0] + lanes[1]) + (lanes[2] + lanes[3]);
}

// The absolute deviations summed over two windows of `count` values one apart: values[0, count)
// from firstMean and values[1, count] from secondMean. The shared values are read once into
// independent sums for each window, which the compiler pairs into vector operations.
std::pair<double, double> deviationsOfTwo(const double *values, std::size_t count, double firstMean,
                                          double secondMean)
{
    double first[4] = {}, second[4] = {};
    std::size_t j = 1;
    for (; j + 4 <= count; j += 4) {
        for (std::size_t k = 0; k < 4; ++k) {
            first[k] += std::abs(values[j + k] - firstMean);
            second[k] += std::abs(values[j + k] - secondMean);
        }
    }
    for (; j < count; ++j) {
        first[j % 4] += std::abs(values[j] - firstMean);
        second[j % 4] += std::abs(values[j] - secondMean);
    }
    return {(first[0] + first[1]) + (first[2] + first[3]) + std::abs(values[0] - firstMean),
            (second[0] + second[1]) + (second[2] + second[3]) +
                std::abs(values[count] - secondMean)};
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
    const std::size_t span = std::size_t(period);
    // (typical - mean) / (0.015 × mean deviation), with one division
    const auto index = [&](double price, double mean, double deviations) {
        return ratioOr((price - mean) * period, 0.015 * deviations, 0);
    };
    // The mean deviation has no running form, so each window is read again. Two windows are
    // read together, one point apart: a point waits for the next one to pair with.
    struct Waiting
    {
        std::size_t at;
        double price, mean;
    };
    std::optional<Waiting> waiting;
    for (std::size_t i = 0; i < n; ++i) {
        if (anyMissing(high[i], low[i], close[i]))
            continue;
        const double price = (high[i] + low[i] + close[i]) / 3;
        typical.push_back(price);
        window.push(price);
        if (!window.full())
            continue;
        const double mean = window.sum() * inverse;
        if (!waiting) {
            waiting = Waiting{i, price, mean};
            continue;
        }
        const double *both = typical.data() + typical.size() - span - 1;
        const auto [earlier, later] = deviationsOfTwo(both, span, waiting->mean, mean);
        result[waiting->at] = index(waiting->price, waiting->mean, earlier);
        result[i] = index(price, mean, later);
        waiting.reset();
    }
    if (waiting)
        result[waiting->at] =
            index(waiting->price, waiting->mean,
                  deviations(typical.data() + typical.size() - span, span, waiting->mean));
    return result;
}

} // namespace Indicators
