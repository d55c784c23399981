#pragma once

// Every indicator of the chart page's list as a pure function call with the customary
// parameters, for tests that treat them alike and for the indicator benchmark.

#include "charts/indicators/momentum.h"
#include "charts/indicators/movingaverages.h"
#include "charts/indicators/oscillators.h"
#include "charts/indicators/pricebands.h"
#include "charts/indicators/rangeoscillators.h"
#include "charts/indicators/volatility.h"
#include "charts/indicators/volume.h"
#include "charts/indicators/volumeflow.h"

#include <QString>

#include <functional>
#include <vector>

struct IndicatorInputs
{
    std::vector<double> high, low, close, volume;
};

struct CatalogueEntry
{
    QString name;
    // Points with values needed before the first value of every output.
    int lookBack;
    std::function<std::vector<std::vector<double>>(const IndicatorInputs &)> compute;
    // One of the panels whose formulas predate the reference tests and keep their own rules for
    // missing points.
    bool original = false;
};

inline const std::vector<CatalogueEntry> &indicatorCatalogue()
{
    using namespace Indicators;
    using In = IndicatorInputs;
    using Outputs = std::vector<std::vector<double>>;
    static const std::vector<CatalogueEntry> entries{
        {"Accumulation/Distribution", 0,
         [](const In &p) {
             return Outputs{accumulationDistribution(p.high, p.low, p.close, p.volume)};
         }},
        {"Aroon Oscillator", 25,
         [](const In &p) { return Outputs{aroonOscillator(p.high, p.low, 25)}; }},
        {"Avg Directional Index", 27,
         [](const In &p) {
             const auto adx = averageDirectionalIndex(p.high, p.low, p.close, 14);
             return Outputs{adx.plusDI, adx.minusDI, adx.adx};
         }},
        {"Avg True Range", 13,
         [](const In &p) { return Outputs{averageTrueRange(p.high, p.low, p.close, 14)}; }},
        {"Bollinger Band Width", 19,
         [](const In &p) { return Outputs{bollingerBandWidth(p.close, 20, 2)}; }},
        {"Chaikin Money Flow", 19,
         [](const In &p) {
             return Outputs{chaikinMoneyFlow(p.high, p.low, p.close, p.volume, 20)};
         }},
        {"Chaikin Oscilator", 9,
         [](const In &p) {
             return Outputs{chaikinOscillator(p.high, p.low, p.close, p.volume, 3, 10)};
         }},
        {"Chaikin Volatility", 19,
         [](const In &p) { return Outputs{chaikinVolatility(p.high, p.low, 10, 10)}; }},
        {"Close Location Value", 0,
         [](const In &p) { return Outputs{closeLocationValue(p.high, p.low, p.close)}; }},
        {"Commodity Channel Index", 19,
         [](const In &p) { return Outputs{commodityChannelIndex(p.high, p.low, p.close, 20)}; }},
        {"Detrended Price Osc", 19,
         [](const In &p) { return Outputs{detrendedPriceOscillator(p.close, 20)}; }},
        {"Donchian Channel Width", 19,
         [](const In &p) { return Outputs{donchianChannelWidth(p.high, p.low, 20)}; }},
        {"Ease of Movement", 14,
         [](const In &p) { return Outputs{easeOfMovement(p.high, p.low, p.volume, 14)}; }},
        {"Fast Stochastic", 15,
         [](const In &p) {
             const auto lines = fastStochastic(p.high, p.low, p.close, 14, 3);
             return Outputs{lines.percentK, lines.percentD};
         }},
        {"MACD", 0,
         [](const In &p) {
             const auto macd = movingAverageConvergenceDivergence(p.close, 26, 12, 9);
             return Outputs{macd.macd, macd.signal, macd.divergence};
         },
         true},
        {"Mass Index", 40, [](const In &p) { return Outputs{massIndex(p.high, p.low, 9, 25)}; }},
        {"Momentum", 10, [](const In &p) { return Outputs{momentum(p.close, 10)}; }},
        {"Money Flow Index", 14,
         [](const In &p) { return Outputs{moneyFlowIndex(p.high, p.low, p.close, p.volume, 14)}; }},
        {"Neg Volume Index", 0,
         [](const In &p) { return Outputs{negativeVolumeIndex(p.close, p.volume)}; }},
        {"On Balance Volume", 0,
         [](const In &p) { return Outputs{onBalanceVolume(p.close, p.volume)}; }},
        {"Performance", 0, [](const In &p) { return Outputs{performance(p.close, 0)}; }},
        {"% Price Oscillator", 1,
         [](const In &p) {
             const auto ppo = percentageOscillator(p.close, 12, 26, 9);
             return Outputs{ppo.line, ppo.signal, ppo.histogram};
         }},
        {"% Volume Oscillator", 1,
         [](const In &p) {
             const auto pvo = percentageOscillator(p.volume, 12, 26, 9);
             return Outputs{pvo.line, pvo.signal, pvo.histogram};
         }},
        {"Pos Volume Index", 0,
         [](const In &p) { return Outputs{positiveVolumeIndex(p.close, p.volume)}; }},
        {"Price Volume Trend", 0,
         [](const In &p) { return Outputs{priceVolumeTrend(p.close, p.volume)}; }},
        {"Rate of Change", 12, [](const In &p) { return Outputs{rateOfChange(p.close, 12)}; }},
        {"Relative Strength Index", 14,
         [](const In &p) { return Outputs{relativeStrengthIndex(p.close, 14)}; }, true},
        {"Slow Stochastic", 17,
         [](const In &p) {
             const auto lines = slowStochastic(p.high, p.low, p.close, 14, 3);
             return Outputs{lines.percentK, lines.percentD};
         },
         true},
        {"StochRSI", 31,
         [](const In &p) {
             const auto lines = stochasticRsi(p.close, 14, 14, 3, 3);
             return Outputs{lines.percentK, lines.percentD};
         }},
        {"TRIX", 43, [](const In &p) { return Outputs{trix(p.close, 15)}; }},
        {"Ultimate Oscillator", 28,
         [](const In &p) {
             return Outputs{ultimateOscillator(p.high, p.low, p.close, 7, 14, 28)};
         }},
        {"Volume", 1,
         [](const In &p) {
             const auto split = volumesByDirection(scaleVolumes(p.volume).volumes, p.close);
             return Outputs{split.up, split.down, split.flat};
         },
         true},
        {"William's %R", 13,
         [](const In &p) { return Outputs{williamsR(p.high, p.low, p.close, 14)}; }},
    };
    return entries;
}
