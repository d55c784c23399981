#pragma once

#include "chartconst.h"

#include <cmath>
#include <vector>

// A deterministic daily price path for chart tests and benchmarks: a gentle trend with waves,
// highs above and lows below the candle bodies, volumes in the millions.
struct PriceSeries
{
    std::vector<double> timeStamps, high, low, open, close, volume;

    static PriceSeries daily(int count, double start = 100)
    {
        PriceSeries prices;
        double last = start;
        for (int i = 0; i < count; ++i) {
            const double wave = 6 * std::sin(i / 9.0) + 3 * std::sin(i / 2.3);
            const double closeValue = start + i * 0.05 + wave;
            const double openValue = last;
            prices.timeStamps.push_back(Chart::chartTime(2020, 1, 1) + i * 86400.0);
            prices.open.push_back(openValue);
            prices.close.push_back(closeValue);
            prices.high.push_back(std::max(openValue, closeValue) + 1 + (i % 3));
            prices.low.push_back(std::min(openValue, closeValue) - 1 - (i % 2));
            prices.volume.push_back(2'000'000 + 500'000 * std::sin(i / 5.0));
            last = closeValue;
        }
        return prices;
    }
};
