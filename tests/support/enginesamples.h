#pragma once
// Sample data and sample charts for engine tests, the engine demo and the engine benchmark:
// a seeded random walk of daily prices, and a stacked price chart with indicator panels
// composed the way the finance chart composes its panels.

#include "corvanechart.h"

#include <memory>
#include <vector>

namespace EngineSamples {

struct Prices
{
    std::vector<double> time; // chart time
    std::vector<double> open, high, low, close, volume;
    int size() const { return static_cast<int>(close.size()); }
};

// n trading days (weekends skipped) from the given start, or n intraday bars of
// stepSeconds each when stepSeconds < 86400.
Prices randomWalk(int n, unsigned seed = 7, double startChartTime = 0, int stepSeconds = 86400);

// A stacked chart that owns its panels.
struct StackedChart
{
    std::unique_ptr<MultiChart> chart;
    std::vector<std::unique_ptr<XYChart>> panels;
    XYChart *main = nullptr;
    Layer *priceLayer = nullptr;
};

enum PriceStyle
{
    CloseLine,
    Candles,
    Ohlc
};

struct StackOptions
{
    int width = 1200;
    int height = 700;
    PriceStyle style = Candles;
    bool volume = true;
    bool band = true;
    bool movingAverages = true;
    bool sar = true;
    bool signalMarkers = false;
    bool logScale = false;
    bool percentAxis = false;
    int indicatorPanels = 4; // RSI, MACD, stochastic, volume (in that order, up to 4)
};

StackedChart stackedChart(const Prices &p, const StackOptions &o);

// Parabolic SAR over high and low (start 0.02, step 0.02, cap 0.2).
std::vector<double> parabolicSar(const std::vector<double> &high, const std::vector<double> &low);

} // namespace EngineSamples
