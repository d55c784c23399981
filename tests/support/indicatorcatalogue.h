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
#include <type_traits>
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

// The outputs of one indicator, moved rather than copied (a benchmark measures this too).
template <typename... Outputs> std::vector<std::vector<double>> outputsOf(Outputs &&...outputs)
{
    static_assert((!std::is_lvalue_reference_v<Outputs> && ...) &&
                      (!std::is_const_v<std::remove_reference_t<Outputs>> && ...),
                  "move the outputs in");
    std::vector<std::vector<double>> result;
    result.reserve(sizeof...(Outputs));
    (result.push_back(std::move(outputs)), ...);
    return result;
}

inline const std::vector<CatalogueEntry> &indicatorCatalogue()
{
    using namespace Indicators;
    using In = IndicatorInputs;
    static const std::vector<CatalogueEntry> entries{
        {"Accumulation/Distribution", 0,
         [](const In &p) {
             return outputsOf(accumulationDistribution(p.high, p.low, p.close, p.volume));
         }},
        {"Aroon Oscillator", 25,
         [](const In &p) { return outputsOf(aroonOscillator(p.high, p.low, 25)); }},
        {"Avg Directional Index", 27,
         [](const In &p) {
             auto adx = averageDirectionalIndex(p.high, p.low, p.close, 14);
             return outputsOf(std::move(adx.plusDI), std::move(adx.minusDI), std::move(adx.adx));
         }},
        {"Avg True Range", 13,
         [](const In &p) { return outputsOf(averageTrueRange(p.high, p.low, p.close, 14)); }},
        {"Bollinger Band Width", 19,
         [](const In &p) { return outputsOf(bollingerBandWidth(p.close, 20, 2)); }},
        {"Chaikin Money Flow", 19,
         [](const In &p) {
             return outputsOf(chaikinMoneyFlow(p.high, p.low, p.close, p.volume, 20));
         }},
        {"Chaikin Oscilator", 9,
         [](const In &p) {
             return outputsOf(chaikinOscillator(p.high, p.low, p.close, p.volume, 3, 10));
         }},
        {"Chaikin Volatility", 19,
         [](const In &p) { return outputsOf(chaikinVolatility(p.high, p.low, 10, 10)); }},
        {"Close Location Value", 0,
         [](const In &p) { return outputsOf(closeLocationValue(p.high, p.low, p.close)); }},
        {"Commodity Channel Index", 19,
         [](const In &p) { return outputsOf(commodityChannelIndex(p.high, p.low, p.close, 20)); }},
        {"Detrended Price Osc", 19,
         [](const In &p) { return outputsOf(detrendedPriceOscillator(p.close, 20)); }},
        {"Donchian Channel Width", 19,
         [](const In &p) { return outputsOf(donchianChannelWidth(p.high, p.low, 20)); }},
        {"Ease of Movement", 14,
         [](const In &p) { return outputsOf(easeOfMovement(p.high, p.low, p.volume, 14)); }},
        {"Fast Stochastic", 15,
         [](const In &p) {
             auto lines = fastStochastic(p.high, p.low, p.close, 14, 3);
             return outputsOf(std::move(lines.percentK), std::move(lines.percentD));
         }},
        {"MACD", 0,
         [](const In &p) {
             auto macd = movingAverageConvergenceDivergence(p.close, 26, 12, 9);
             return outputsOf(std::move(macd.macd), std::move(macd.signal),
                              std::move(macd.divergence));
         },
         true},
        {"Mass Index", 40, [](const In &p) { return outputsOf(massIndex(p.high, p.low, 9, 25)); }},
        {"Momentum", 10, [](const In &p) { return outputsOf(momentum(p.close, 10)); }},
        {"Money Flow Index", 14,
         [](const In &p) {
             return outputsOf(moneyFlowIndex(p.high, p.low, p.close, p.volume, 14));
         }},
        {"Neg Volume Index", 0,
         [](const In &p) { return outputsOf(negativeVolumeIndex(p.close, p.volume)); }},
        {"On Balance Volume", 0,
         [](const In &p) { return outputsOf(onBalanceVolume(p.close, p.volume)); }},
        {"Performance", 0, [](const In &p) { return outputsOf(performance(p.close, 0)); }},
        {"% Price Oscillator", 1,
         [](const In &p) {
             auto ppo = percentageOscillator(p.close, 12, 26, 9);
             return outputsOf(std::move(ppo.line), std::move(ppo.signal), std::move(ppo.histogram));
         }},
        {"% Volume Oscillator", 1,
         [](const In &p) {
             auto pvo = percentageOscillator(p.volume, 12, 26, 9);
             return outputsOf(std::move(pvo.line), std::move(pvo.signal), std::move(pvo.histogram));
         }},
        {"Pos Volume Index", 0,
         [](const In &p) { return outputsOf(positiveVolumeIndex(p.close, p.volume)); }},
        {"Price Volume Trend", 0,
         [](const In &p) { return outputsOf(priceVolumeTrend(p.close, p.volume)); }},
        {"Rate of Change", 12, [](const In &p) { return outputsOf(rateOfChange(p.close, 12)); }},
        {"Relative Strength Index", 14,
         [](const In &p) { return outputsOf(relativeStrengthIndex(p.close, 14)); }, true},
        {"Slow Stochastic", 17,
         [](const In &p) {
             auto lines = slowStochastic(p.high, p.low, p.close, 14, 3);
             return outputsOf(std::move(lines.percentK), std::move(lines.percentD));
         },
         true},
        {"StochRSI", 31,
         [](const In &p) {
             auto lines = stochasticRsi(p.close, 14, 14, 3, 3);
             return outputsOf(std::move(lines.percentK), std::move(lines.percentD));
         }},
        {"TRIX", 43, [](const In &p) { return outputsOf(trix(p.close, 15)); }},
        {"Ultimate Oscillator", 28,
         [](const In &p) {
             return outputsOf(ultimateOscillator(p.high, p.low, p.close, 7, 14, 28));
         }},
        {"Volume", 1,
         [](const In &p) {
             auto split = volumesByDirection(scaleVolumes(p.volume).volumes, p.close);
             return outputsOf(std::move(split.up), std::move(split.down), std::move(split.flat));
         },
         true},
        {"William's %R", 13,
         [](const In &p) { return outputsOf(williamsR(p.high, p.low, p.close, 14)); }},
    };
    return entries;
}
