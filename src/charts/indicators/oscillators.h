#pragma once

#include <vector>

// The indicators drawn in panels below the price chart.
namespace Indicators {

using Series = std::vector<double>;

struct DirectionalMovement
{
    Series plusDI;
    Series minusDI;
    Series adx;
};

// Wilder's directional movement: +DI and -DI are 100 × the running sums (first period values,
// then each new value replacing a period-th) of the dominant up or down move over those of the
// true range, 0 without range, from the period-th move on; ADX is Wilder's average of
// 100 × |+DI - -DI| / (+DI + -DI) (0 where the sum is 0), from the (2 × period - 1)-th on.
// Points missing any input get no value and are skipped.
DirectionalMovement averageDirectionalIndex(const Series &high, const Series &low,
                                            const Series &close, int period);

struct Macd
{
    Series macd;
    Series signal;
    Series divergence;
};

// EMA(fast) - EMA(slow) of the close, its exponential signal line (factor 2 / (signal + 1)) and
// the difference of the two.
Macd movingAverageConvergenceDivergence(const Series &close, int slow, int fast, int signalPeriod);

// Wilder's relative strength index, 0..100.
Series relativeStrengthIndex(const Series &close, int period);

struct Stochastic
{
    Series percentK;
    Series percentD;
};

// %K: the close's place in the range of the last `period` points, averaged over `smoothing`;
// %D: %K averaged over `smoothing` again.
Stochastic slowStochastic(const Series &high, const Series &low, const Series &close, int period,
                          int smoothing);

} // namespace Indicators
