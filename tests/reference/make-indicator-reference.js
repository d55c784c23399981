// Computes the reference values that tests/tst_indicators.cpp checks the indicator functions
// against, with Tulip Indicators (npm package "tulind", built from source) and, for the parabolic
// SAR, the triangular average and directional movement, TA-Lib compiled to WebAssembly (npm
// package "talib-web"). Run once:
//   mkdir /tmp/ref && cd /tmp/ref && npm install tulind talib-web
//   NODE_PATH=/tmp/ref/node_modules node make-indicator-reference.js > ../support/indicatorreference.h
// Where Tulip has no function of its own, the value is composed from Tulip's functions (noted
// beside it); where a customary display differs (percent instead of a ratio), the scaling is
// noted too.
'use strict';
const tulind = require('tulind');
const talib = require('talib-web');

const count = 90;
const high = [], low = [], close = [], volume = [];
let last = 50;
for (let i = 0; i < count; ++i) {
    const c = Math.round((50 + i * 0.08 + 4 * Math.sin(i / 7) + 2 * Math.sin(i / 2.1)) * 100) / 100;
    const o = last;
    close.push(i === 40 ? last : c); // one unchanged close
    high.push(Math.round((Math.max(o, close[i]) + 0.5 + (i % 4) * 0.3) * 100) / 100);
    low.push(Math.round((Math.min(o, close[i]) - 0.4 - (i % 3) * 0.25) * 100) / 100);
    volume.push(Math.round(1000000 + 400000 * Math.sin(i / 3.3) + 150000 * Math.cos(i * 1.7)));
    last = close[i];
}

function run(name, inputs, options) {
    let out;
    tulind.indicators[name].indicator(inputs, options, (err, results) => {
        if (err)
            throw new Error(name + ': ' + err);
        out = results;
    });
    return out;
}
// Tulip's outputs start after its look-back; put them back at their points.
function aligned(values) {
    return Array(count - values.length).fill(null).concat(values);
}
function one(name, inputs, options) {
    return aligned(run(name, inputs, options)[0]);
}
const map = (values, f) => values.map((v, i) => (v === null ? null : f(v, i)));
// Tulip's average over the points that have values, put back at their points.
function after(name, values, period) {
    const start = values.findIndex(v => v !== null);
    return aligned(run(name, [values.slice(start)], [period])[0]);
}
const sma = (values, period) => after('sma', values, period);
const ema = values => after('ema', values, 9);

const cases = {};
const ad = one('ad', [high, low, close, volume], []);
cases.accumulationDistribution = ad;
// Close location value: Tulip's A/D line over unit volumes, point by point.
const unitAd = one('ad', [high, low, close, Array(count).fill(1)], []);
cases.closeLocationValue = unitAd.map((v, i) => (i === 0 ? v : v - unitAd[i - 1]));
// Chaikin money flow (20): the A/D line's change over 20 points / Tulip's 20-point volume sum.
const volumeSum = one('sum', [volume], [20]);
cases.chaikinMoneyFlow = volumeSum.map((v, i) => (v === null ? null : (ad[i] - (i >= 20 ? ad[i - 20] : 0)) / v));
cases.chaikinOscillator = one('adosc', [high, low, close, volume], [3, 10]);
cases.onBalanceVolume = one('obv', [close, volume], []);
// Price volume trend: Tulip's one-point rate of change × volume, summed.
const change = one('roc', [close], [1]);
let pvt = 0;
cases.priceVolumeTrend = change.map((v, i) => (i === 0 ? 0 : (pvt += v * volume[i])));
cases.negativeVolumeIndex = one('nvi', [close, volume], []);
cases.positiveVolumeIndex = one('pvi', [close, volume], []);
cases.moneyFlowIndex = one('mfi', [high, low, close, volume], [14]);
// Ease of movement (14): Tulip's one-day value averaged by Tulip's 14-point SMA.
cases.easeOfMovement = sma(one('emv', [high, low, volume], []), 14);
cases.momentum = one('mom', [close], [10]);
cases.rateOfChange = map(one('roc', [close], [12]), v => 100 * v); // percent, not a ratio
cases.trix = one('trix', [close], [15]);
const ppo = one('ppo', [close], [12, 26]);
cases.ppoLine = ppo;
cases.ppoSignal = ema(ppo);
const pvo = one('ppo', [volume], [12, 26]);
cases.pvoLine = pvo;
cases.pvoSignal = ema(pvo);
cases.detrendedPriceOscillator = one('dpo', [close], [20]);
cases.commodityChannelIndex = one('cci', [high, low, close], [20]);
const stoch = run('stoch', [high, low, close], [14, 1, 3]); // %K unslowed = fast stochastic
cases.fastStochasticK = aligned(stoch[0]);
cases.fastStochasticD = aligned(stoch[1]);
cases.williamsR = one('willr', [high, low, close], [14]);
cases.aroonOscillator = one('aroonosc', [high, low], [25]);
// StochRSI (14, 14, 3, 3): Tulip's StochRSI (0..1) in percent, averaged 3 and 3 again.
const stochRsiK = sma(map(one('stochrsi', [close], [14]), v => 100 * v), 3);
cases.stochasticRsiK = stochRsiK;
cases.stochasticRsiD = sma(stochRsiK, 3);
cases.ultimateOscillator = one('ultosc', [high, low, close], [7, 14, 28]);
cases.averageTrueRange = one('atr', [high, low, close], [14]);
// Bollinger band width (20, 2): Tulip's bands, (upper - lower) / middle in percent.
const bands = run('bbands', [close], [20, 2]);
cases.bollingerBandWidth = aligned(bands[2].map((u, i) => (100 * (u - bands[0][i])) / bands[1][i]));
cases.chaikinVolatility = one('cvi', [high, low], [10]);
// Donchian channel width (20): Tulip's 20-point max of highs - min of lows.
const highest = one('max', [high], [20]), lowest = one('min', [low], [20]);
cases.donchianChannelWidth = highest.map((v, i) => (v === null ? null : v - lowest[i]));
cases.massIndex = one('mass', [high, low], [25]);

// TA-Lib writes its values from the first one on and leaves the rest of the buffer undefined.
function fromTalib(name, params, lookBack) {
    const values = talib[name](params).output.slice(0, count - lookBack);
    return Array(lookBack).fill(null).concat(values);
}
function addTalibCases() {
    const hl = {high, low}, hlc = {high, low, close};
    cases.parabolicSar = fromTalib('SAR', {...hl, acceleration: 0.02, maximum: 0.2}, 1);
    cases.triangularAverage14 = fromTalib('TRIMA', {inReal: close, timePeriod: 14}, 13);
    cases.triangularAverage15 = fromTalib('TRIMA', {inReal: close, timePeriod: 15}, 14);
    cases.plusDI = fromTalib('PLUS_DI', {...hlc, timePeriod: 14}, 14);
    cases.minusDI = fromTalib('MINUS_DI', {...hlc, timePeriod: 14}, 14);
    cases.averageDirectionalIndex = fromTalib('ADX', {...hlc, timePeriod: 14}, 27);
}

function write() {
const fmt = v => (v === null ? 'NV' : Number.isInteger(v) ? v.toFixed(1) : v.toPrecision(17));
const array = values => '{' + values.map(fmt).join(', ') + '}';
let out = '';
out += '#pragma once\n// Generated by tests/reference/make-indicator-reference.js from Tulip Indicators and TA-Lib; do not edit.\n\n';
out += '#include "chartconst.h"\n\n#include <vector>\n\nnamespace IndicatorReference {\n\n';
out += 'constexpr double NV = Chart::NoValue;\n\n';
for (const [name, values] of Object.entries({high, low, close, volume}))
    out += `inline const std::vector<double> ${name}${array(values)};\n`;
out += '\n';
for (const [name, values] of Object.entries(cases)) {
    if (values.length !== count)
        throw new Error(name + ' has ' + values.length + ' points');
    out += `inline const std::vector<double> ${name}${array(values)};\n`;
}
out += '\n} // namespace IndicatorReference\n';
process.stdout.write(out);
}

delete globalThis.fetch; // so that the WebAssembly runtime reads its binary from the disk
talib.init().then(() => {
    addTalibCases();
    write();
});
