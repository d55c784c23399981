#include "charts/indicatorpanels.h"

#include "charts/financechart.h"

#include <array>

namespace IndicatorPanels {

namespace {

using AddPanel = XYChart *(*)(FinanceChart &, int);

struct Entry
{
    const char *name;
    AddPanel add;
};

// Entry i of the list draws panel i; the texts are the ones saved options refer to by index.
const std::array<Entry, 34> Entries{{
    {"None", nullptr},
    {"Accumulation/Distribution", [](FinanceChart &c, int h) { return c.addAccDistPanel(h); }},
    {"Aroon Oscillator", [](FinanceChart &c, int h) { return c.addAroonOscPanel(h); }},
    {"Avg Directional Index", [](FinanceChart &c, int h) { return c.addAdxPanel(h, 14); }},
    {"Avg True Range", [](FinanceChart &c, int h) { return c.addATRPanel(h); }},
    {"Bollinger Band Width", [](FinanceChart &c, int h) { return c.addBollingerWidthPanel(h); }},
    {"Chaikin Money Flow", [](FinanceChart &c, int h) { return c.addChaikinMoneyFlowPanel(h); }},
    {"Chaikin Oscilator", [](FinanceChart &c, int h) { return c.addChaikinOscillatorPanel(h); }},
    {"Chaikin Volatility", [](FinanceChart &c, int h) { return c.addChaikinVolatilityPanel(h); }},
    {"Close Location Value", [](FinanceChart &c, int h) { return c.addCLVPanel(h); }},
    {"Commodity Channel Index", [](FinanceChart &c, int h) { return c.addCCIPanel(h); }},
    {"Detrended Price Osc", [](FinanceChart &c, int h) { return c.addDPOPanel(h); }},
    {"Donchian Channel Width", [](FinanceChart &c, int h) { return c.addDonchianWidthPanel(h); }},
    {"Ease of Movement", [](FinanceChart &c, int h) { return c.addEaseOfMovementPanel(h); }},
    {"Fast Stochastic", [](FinanceChart &c, int h) { return c.addFastStochasticPanel(h); }},
    {"MACD", [](FinanceChart &c, int h) { return c.addMacdPanel(h, 26, 12, 9); }},
    {"Mass Index", [](FinanceChart &c, int h) { return c.addMassIndexPanel(h); }},
    {"Momentum", [](FinanceChart &c, int h) { return c.addMomentumPanel(h); }},
    {"Money Flow Index", [](FinanceChart &c, int h) { return c.addMFIPanel(h); }},
    {"Neg Volume Index", [](FinanceChart &c, int h) { return c.addNVIPanel(h); }},
    {"On Balance Volume", [](FinanceChart &c, int h) { return c.addOBVPanel(h); }},
    {"Performance", [](FinanceChart &c, int h) { return c.addPerformancePanel(h); }},
    {"% Price Oscillator", [](FinanceChart &c, int h) { return c.addPPOPanel(h); }},
    {"% Volume Oscillator", [](FinanceChart &c, int h) { return c.addPVOPanel(h); }},
    {"Pos Volume Index", [](FinanceChart &c, int h) { return c.addPVIPanel(h); }},
    {"Price Volume Trend", [](FinanceChart &c, int h) { return c.addPVTPanel(h); }},
    {"Rate of Change", [](FinanceChart &c, int h) { return c.addROCPanel(h); }},
    {"Relative Strength Index", [](FinanceChart &c, int h) { return c.addRsiPanel(h, 14); }},
    {"Slow Stochastic", [](FinanceChart &c, int h) { return c.addSlowStochasticPanel(h, 14, 3); }},
    {"StochRSI", [](FinanceChart &c, int h) { return c.addStochRSIPanel(h); }},
    {"TRIX", [](FinanceChart &c, int h) { return c.addTRIXPanel(h); }},
    {"Ultimate Oscillator", [](FinanceChart &c, int h) { return c.addUltimateOscillatorPanel(h); }},
    {"Volume",
     [](FinanceChart &c, int h) { return c.addVolumePanel(h, 0x99ff99, 0xff9999, 0xc0c0c0); }},
    {"William's %R", [](FinanceChart &c, int h) { return c.addWilliamRPanel(h); }},
}};

} // namespace

const QStringList &names()
{
    static const QStringList list = [] {
        QStringList texts;
        for (const Entry &entry : Entries)
            texts << QString::fromUtf8(entry.name);
        return texts;
    }();
    return list;
}

XYChart *add(FinanceChart &chart, int index, int height)
{
    if (index < 0 || index >= int(Entries.size()) || !Entries[size_t(index)].add)
        return nullptr;
    return Entries[size_t(index)].add(chart, height);
}

} // namespace IndicatorPanels
