#pragma once
// Finance charts drawn the way the chart page draws them (its colours, fonts and panel sizes),
// from fixed data, for the pixel comparisons and the engine benchmark.

#include "charts/financechart.h"

#include <memory>
#include <vector>

namespace FinanceChartSamples {

// Daily or intraday rows in the order the chart takes them.
struct Rows
{
    std::vector<double> time, open, high, low, close, volume;
    int size() const { return int(close.size()); }
};

// `count` trading days (weekends skipped) of a seeded random walk starting 5 Jan 2015.
Rows dailyWalk(int count, unsigned seed = 21);
// `count` five-minute bars of a seeded random walk from 9:30 on 4 Mar 2024, 78 bars a day.
Rows intradayWalk(int count, unsigned seed = 5);

enum class Price
{
    Candles,
    CloseLine,
    OhlcBars
};

struct Look
{
    int width = 1200;
    int height = 700; // of the page: the main panel takes what the indicator panels leave
    Price price = Price::Candles;
    bool volumeBars = true;
    bool bollinger = true;
    bool movingAverages = true; // SMA 50 and EMA 20
    bool percentageAxis = false;
    bool parabolicSar = false;
    // Panels below the main one, by the chart page's indicator list entries.
    std::vector<int> panels;
};

// The chart page's indicator list entries of a few panels.
constexpr int MacdEntry = 15, RsiEntry = 27, SlowStochasticEntry = 28, VolumeEntry = 32,
              WilliamsREntry = 33, ObvEntry = 20;

struct Composed
{
    std::unique_ptr<FinanceChart> chart;
    Layer *price = nullptr; // candles, line or bars: the layer of the image map
};

Composed compose(const Rows &rows, const Look &look);

} // namespace FinanceChartSamples
