#include "charts/indicatorcatalogue.h"

#include "charts/financechart.h"
#include "charts/indicators/momentum.h"
#include "charts/indicators/oscillators.h"
#include "charts/indicators/rangeoscillators.h"
#include "charts/indicators/volatility.h"
#include "charts/indicators/volume.h"
#include "charts/indicators/volumeflow.h"

namespace {

using In = IndicatorInputs;
using Ps = std::vector<int>; // the entry's parameters

// The computation and the panel both take the entry's parameters, so that what the tests and
// the benchmark compute is what the page draws.
template <typename Compute, typename Panel>
CatalogueEntry entry(const char *name, const Ps &parameters, int lookBack, Compute compute,
                     Panel panel, bool original = false)
{
    return {QString::fromUtf8(name),
            lookBack,
            [compute, parameters](const In &inputs) { return compute(inputs, parameters); },
            original,
            parameters,
            [panel, parameters](FinanceChart &chart, int height) {
                return panel(chart, height, parameters);
            }};
}

} // namespace

const std::vector<CatalogueEntry> &indicatorCatalogue()
{
    using namespace Indicators;
    static const std::vector<CatalogueEntry> entries{
        entry(
            "Accumulation/Distribution", {}, 0,
            [](const In &p, const Ps &) {
                return outputsOf(accumulationDistribution(p.high, p.low, p.close, p.volume));
            },
            [](FinanceChart &c, int h, const Ps &) { return c.addAccDistPanel(h); }),
        entry(
            "Aroon Oscillator", {25}, 25,
            [](const In &p, const Ps &k) {
                return outputsOf(aroonOscillator(p.high, p.low, k[0]));
            },
            [](FinanceChart &c, int h, const Ps &k) { return c.addAroonOscPanel(h, k[0]); }),
        entry(
            "Avg Directional Index", {14}, 27,
            [](const In &p, const Ps &k) {
                auto adx = averageDirectionalIndex(p.high, p.low, p.close, k[0]);
                return outputsOf(std::move(adx.plusDI), std::move(adx.minusDI), std::move(adx.adx));
            },
            [](FinanceChart &c, int h, const Ps &k) { return c.addAdxPanel(h, k[0]); }),
        entry(
            "Avg True Range", {14}, 13,
            [](const In &p, const Ps &k) {
                return outputsOf(averageTrueRange(p.high, p.low, p.close, k[0]));
            },
            [](FinanceChart &c, int h, const Ps &k) { return c.addATRPanel(h, k[0]); }),
        entry(
            "Bollinger Band Width", {20, 2}, 19,
            [](const In &p, const Ps &k) {
                return outputsOf(bollingerBandWidth(p.close, k[0], k[1]));
            },
            [](FinanceChart &c, int h, const Ps &k) {
                return c.addBollingerWidthPanel(h, k[0], k[1]);
            }),
        entry(
            "Chaikin Money Flow", {20}, 19,
            [](const In &p, const Ps &k) {
                return outputsOf(chaikinMoneyFlow(p.high, p.low, p.close, p.volume, k[0]));
            },
            [](FinanceChart &c, int h, const Ps &k) {
                return c.addChaikinMoneyFlowPanel(h, k[0]);
            }),
        entry(
            "Chaikin Oscilator", {3, 10}, 9,
            [](const In &p, const Ps &k) {
                return outputsOf(chaikinOscillator(p.high, p.low, p.close, p.volume, k[0], k[1]));
            },
            [](FinanceChart &c, int h, const Ps &k) {
                return c.addChaikinOscillatorPanel(h, k[0], k[1]);
            }),
        entry(
            "Chaikin Volatility", {10, 10}, 19,
            [](const In &p, const Ps &k) {
                return outputsOf(chaikinVolatility(p.high, p.low, k[0], k[1]));
            },
            [](FinanceChart &c, int h, const Ps &k) {
                return c.addChaikinVolatilityPanel(h, k[0], k[1]);
            }),
        entry(
            "Close Location Value", {}, 0,
            [](const In &p, const Ps &) {
                return outputsOf(closeLocationValue(p.high, p.low, p.close));
            },
            [](FinanceChart &c, int h, const Ps &) { return c.addCLVPanel(h); }),
        entry(
            "Commodity Channel Index", {20}, 19,
            [](const In &p, const Ps &k) {
                return outputsOf(commodityChannelIndex(p.high, p.low, p.close, k[0]));
            },
            [](FinanceChart &c, int h, const Ps &k) { return c.addCCIPanel(h, k[0]); }),
        entry(
            "Detrended Price Osc", {20}, 19,
            [](const In &p, const Ps &k) {
                return outputsOf(detrendedPriceOscillator(p.close, k[0]));
            },
            [](FinanceChart &c, int h, const Ps &k) { return c.addDPOPanel(h, k[0]); }),
        entry(
            "Donchian Channel Width", {20}, 19,
            [](const In &p, const Ps &k) {
                return outputsOf(donchianChannelWidth(p.high, p.low, k[0]));
            },
            [](FinanceChart &c, int h, const Ps &k) { return c.addDonchianWidthPanel(h, k[0]); }),
        entry(
            "Ease of Movement", {14}, 14,
            [](const In &p, const Ps &k) {
                return outputsOf(easeOfMovement(p.high, p.low, p.volume, k[0]));
            },
            [](FinanceChart &c, int h, const Ps &k) { return c.addEaseOfMovementPanel(h, k[0]); }),
        entry(
            "Fast Stochastic", {14, 3}, 15,
            [](const In &p, const Ps &k) {
                auto lines = fastStochastic(p.high, p.low, p.close, k[0], k[1]);
                return outputsOf(std::move(lines.percentK), std::move(lines.percentD));
            },
            [](FinanceChart &c, int h, const Ps &k) {
                return c.addFastStochasticPanel(h, k[0], k[1]);
            }),
        entry(
            "MACD", {26, 12, 9}, 0,
            [](const In &p, const Ps &k) {
                auto macd = movingAverageConvergenceDivergence(p.close, k[0], k[1], k[2]);
                return outputsOf(std::move(macd.macd), std::move(macd.signal),
                                 std::move(macd.divergence));
            },
            [](FinanceChart &c, int h, const Ps &k) { return c.addMacdPanel(h, k[0], k[1], k[2]); },
            true),
        entry(
            "Mass Index", {9, 25}, 40,
            [](const In &p, const Ps &k) {
                return outputsOf(massIndex(p.high, p.low, k[0], k[1]));
            },
            [](FinanceChart &c, int h, const Ps &k) { return c.addMassIndexPanel(h, k[0], k[1]); }),
        entry(
            "Momentum", {10}, 10,
            [](const In &p, const Ps &k) { return outputsOf(momentum(p.close, k[0])); },
            [](FinanceChart &c, int h, const Ps &k) { return c.addMomentumPanel(h, k[0]); }),
        entry(
            "Money Flow Index", {14}, 14,
            [](const In &p, const Ps &k) {
                return outputsOf(moneyFlowIndex(p.high, p.low, p.close, p.volume, k[0]));
            },
            [](FinanceChart &c, int h, const Ps &k) { return c.addMFIPanel(h, k[0]); }),
        entry(
            "Neg Volume Index", {}, 0,
            [](const In &p, const Ps &) {
                return outputsOf(negativeVolumeIndex(p.close, p.volume));
            },
            [](FinanceChart &c, int h, const Ps &) { return c.addNVIPanel(h); }),
        entry(
            "On Balance Volume", {}, 0,
            [](const In &p, const Ps &) { return outputsOf(onBalanceVolume(p.close, p.volume)); },
            [](FinanceChart &c, int h, const Ps &) { return c.addOBVPanel(h); }),
        // Measured from the first point; the panel measures from the first shown one.
        entry(
            "Performance", {}, 0,
            [](const In &p, const Ps &) { return outputsOf(performance(p.close, 0)); },
            [](FinanceChart &c, int h, const Ps &) { return c.addPerformancePanel(h); }),
        entry(
            "% Price Oscillator", {12, 26, 9}, 1,
            [](const In &p, const Ps &k) {
                auto ppo = percentageOscillator(p.close, k[0], k[1], k[2]);
                return outputsOf(std::move(ppo.line), std::move(ppo.signal),
                                 std::move(ppo.histogram));
            },
            [](FinanceChart &c, int h, const Ps &k) { return c.addPPOPanel(h, k[0], k[1], k[2]); }),
        entry(
            "% Volume Oscillator", {12, 26, 9}, 1,
            [](const In &p, const Ps &k) {
                auto pvo = percentageOscillator(p.volume, k[0], k[1], k[2]);
                return outputsOf(std::move(pvo.line), std::move(pvo.signal),
                                 std::move(pvo.histogram));
            },
            [](FinanceChart &c, int h, const Ps &k) { return c.addPVOPanel(h, k[0], k[1], k[2]); }),
        entry(
            "Pos Volume Index", {}, 0,
            [](const In &p, const Ps &) {
                return outputsOf(positiveVolumeIndex(p.close, p.volume));
            },
            [](FinanceChart &c, int h, const Ps &) { return c.addPVIPanel(h); }),
        entry(
            "Price Volume Trend", {}, 0,
            [](const In &p, const Ps &) { return outputsOf(priceVolumeTrend(p.close, p.volume)); },
            [](FinanceChart &c, int h, const Ps &) { return c.addPVTPanel(h); }),
        entry(
            "Rate of Change", {12}, 12,
            [](const In &p, const Ps &k) { return outputsOf(rateOfChange(p.close, k[0])); },
            [](FinanceChart &c, int h, const Ps &k) { return c.addROCPanel(h, k[0]); }),
        entry(
            "Relative Strength Index", {14}, 14,
            [](const In &p, const Ps &k) {
                return outputsOf(relativeStrengthIndex(p.close, k[0]));
            },
            [](FinanceChart &c, int h, const Ps &k) { return c.addRsiPanel(h, k[0]); }, true),
        entry(
            "Slow Stochastic", {14, 3}, 17,
            [](const In &p, const Ps &k) {
                auto lines = slowStochastic(p.high, p.low, p.close, k[0], k[1]);
                return outputsOf(std::move(lines.percentK), std::move(lines.percentD));
            },
            [](FinanceChart &c, int h, const Ps &k) {
                return c.addSlowStochasticPanel(h, k[0], k[1]);
            },
            true),
        entry(
            "StochRSI", {14, 14, 3, 3}, 31,
            [](const In &p, const Ps &k) {
                auto lines = stochasticRsi(p.close, k[0], k[1], k[2], k[3]);
                return outputsOf(std::move(lines.percentK), std::move(lines.percentD));
            },
            [](FinanceChart &c, int h, const Ps &k) {
                return c.addStochRSIPanel(h, k[0], k[1], k[2], k[3]);
            }),
        entry(
            "TRIX", {15}, 43,
            [](const In &p, const Ps &k) { return outputsOf(trix(p.close, k[0])); },
            [](FinanceChart &c, int h, const Ps &k) { return c.addTRIXPanel(h, k[0]); }),
        entry(
            "Ultimate Oscillator", {7, 14, 28}, 28,
            [](const In &p, const Ps &k) {
                return outputsOf(ultimateOscillator(p.high, p.low, p.close, k[0], k[1], k[2]));
            },
            [](FinanceChart &c, int h, const Ps &k) {
                return c.addUltimateOscillatorPanel(h, k[0], k[1], k[2]);
            }),
        // Rising, falling and unchanged days' volumes in the volume unit, as bars.
        entry(
            "Volume", {}, 1,
            [](const In &p, const Ps &) {
                auto split = volumesByDirection(scaleVolumes(p.volume).volumes, p.close);
                return outputsOf(std::move(split.up), std::move(split.down), std::move(split.flat));
            },
            [](FinanceChart &c, int h, const Ps &) {
                return c.addVolumePanel(h, 0x99ff99, 0xff9999, 0xc0c0c0);
            },
            true),
        entry(
            "William's %R", {14}, 13,
            [](const In &p, const Ps &k) {
                return outputsOf(williamsR(p.high, p.low, p.close, k[0]));
            },
            [](FinanceChart &c, int h, const Ps &k) { return c.addWilliamRPanel(h, k[0]); }),
    };
    return entries;
}

namespace IndicatorPanels {

const QStringList &names()
{
    static const QStringList list = [] {
        QStringList texts{QStringLiteral("None")};
        for (const CatalogueEntry &entry : indicatorCatalogue())
            texts << entry.name;
        return texts;
    }();
    return list;
}

XYChart *add(FinanceChart &chart, int index, int height)
{
    const auto &entries = indicatorCatalogue();
    if (index < 1 || index > int(entries.size()))
        return nullptr;
    return entries[size_t(index - 1)].addPanel(chart, height);
}

} // namespace IndicatorPanels
