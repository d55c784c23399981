#include "scale.h"

#include <algorithm>
#include <cmath>

namespace Scale {
namespace {

const double eps = 1e-9;

double floorTo(double v, double step)
{
    return std::floor(v / step + eps) * step;
}
double ceilTo(double v, double step)
{
    return std::ceil(v / step - eps) * step;
}

// Pixel margins: the data range [lo, hi] fills the axis minus the margins.
void applyMargins(Result &r, const Options &o)
{
    const double usable = std::max(1.0, o.pixelLength - o.marginTop - o.marginBottom);
    r.dataLow = r.min;
    r.dataHigh = r.max;
    if (o.marginTop == 0 && o.marginBottom == 0)
        return;
    if (r.log) {
        const double l0 = std::log10(r.min), l1 = std::log10(r.max);
        const double per = (l1 - l0) / usable;
        r.min = std::pow(10.0, l0 - o.marginBottom * per);
        r.max = std::pow(10.0, l1 + o.marginTop * per);
    } else {
        const double per = (r.max - r.min) / usable;
        r.min -= o.marginBottom * per;
        r.max += o.marginTop * per;
    }
}

double usableLength(const Options &o)
{
    return std::max(10.0, o.pixelLength - o.marginTop - o.marginBottom);
}

void addMinorTicks(Result &r, const Options &o)
{
    if (o.minorSpacing <= 0 || r.majorStep <= 0)
        return;
    const double usable = usableLength(o);
    const double pxPerUnit = usable / std::max(1e-300, r.dataHigh - r.dataLow);
    for (double div : {10.0, 5.0, 2.0}) {
        const double ms = r.majorStep / div;
        if (ms * pxPerUnit >= o.minorSpacing) {
            for (double v : multiples(r.dataLow, r.dataHigh, ms)) {
                const double k = v / r.majorStep;
                if (std::fabs(k - std::round(k)) > 1e-6)
                    r.minorTicks.push_back(v);
            }
            return;
        }
    }
}

} // namespace

double niceStep(double rough)
{
    if (!(rough > 0) || !std::isfinite(rough))
        return 1;
    const double mag = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * mag >= rough * (1 - 1e-9))
            return m * mag;
    return 10 * mag;
}

double nextNiceStep(double step)
{
    return niceStep(step * 1.0001);
}

int decimalsFor(double step)
{
    if (!(step > 0))
        return 0;
    for (int d = 0; d <= 10; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled))
            return d;
    }
    return 10;
}

std::vector<double> multiples(double lo, double hi, double step)
{
    std::vector<double> v;
    if (!(step > 0) || hi < lo)
        return v;
    const double first = std::ceil(lo / step - 1e-7);
    const double last = std::floor(hi / step + 1e-7);
    if (last - first > 100000)
        return v;
    for (double k = first; k <= last; k += 1) {
        double x = k * step;
        if (std::fabs(x) < step * 1e-9)
            x = 0;
        v.push_back(x);
    }
    return v;
}

Result autoLinear(double dataMin, double dataMax, const Options &o)
{
    Result r;
    if (!(dataMin <= dataMax) || !std::isfinite(dataMin) || !std::isfinite(dataMax)) {
        dataMin = 0;
        dataMax = 10;
    }
    double lo = dataMin, hi = dataMax;
    if (hi - lo <= std::fabs(hi) * 1e-12) {
        if (hi == 0) {
            lo = 0;
            hi = 1;
        } else {
            const double d = std::fabs(hi) * 0.1;
            lo -= d;
            hi += d;
        }
    }
    const double range = hi - lo;
    hi += range * o.topExtension;
    lo -= range * o.bottomExtension;
    // Zero affinity: a range that starts (or ends) close enough to zero takes zero in.
    if (dataMin >= 0 && lo < 0)
        lo = 0;
    if (dataMax <= 0 && hi > 0)
        hi = 0;
    if (lo > 0 && lo <= o.zeroAffinity * hi)
        lo = 0;
    if (hi < 0 && hi >= o.zeroAffinity * lo)
        hi = 0;

    const double usable = usableLength(o);
    const double spacing = std::max(5.0, o.majorSpacing);
    const double count = std::max(1.0, std::floor(usable / spacing));
    double step = niceStep((hi - lo) / count);
    double l = lo, h = hi;
    for (int guard = 0; guard < 60; ++guard) {
        l = o.roundMin ? floorTo(lo, step) : lo;
        h = o.roundMax ? ceilTo(hi, step) : hi;
        if (h <= l)
            h = l + step;
        if ((h - l) / step * spacing <= usable * 1.0001 || (h - l) / step <= 1)
            break;
        step = nextNiceStep(step);
    }
    r.min = l;
    r.max = h;
    r.majorStep = step;
    r.majorTicks = multiples(l, h, step);
    r.decimals = decimalsFor(step);
    applyMargins(r, o);
    addMinorTicks(r, o);
    return r;
}

Result fixedLinear(double lower, double upper, double majorInc, double minorInc, const Options &o)
{
    Result r;
    if (upper == lower)
        upper = lower + 1;
    r.min = std::min(lower, upper);
    r.max = std::max(lower, upper);
    const double usable = usableLength(o);
    double step = majorInc;
    if (!(step > 0)) {
        const double spacing = std::max(5.0, o.majorSpacing);
        step = niceStep((r.max - r.min) / std::max(1.0, std::floor(usable / spacing)));
        while ((r.max - r.min) / step * spacing > usable * 1.0001 && (r.max - r.min) / step > 1)
            step = nextNiceStep(step);
    }
    r.majorStep = step;
    r.majorTicks = multiples(r.min, r.max, step);
    r.decimals = decimalsFor(step);
    applyMargins(r, o);
    if (minorInc > 0) {
        for (double v : multiples(r.dataLow, r.dataHigh, minorInc)) {
            const double k = v / step;
            if (std::fabs(k - std::round(k)) > 1e-6)
                r.minorTicks.push_back(v);
        }
    } else {
        addMinorTicks(r, o);
    }
    return r;
}

std::vector<double> ticksFor(double lo, double hi, const std::function<double(double)> &toPixel,
                             double spacing, bool logarithmic, double *stepOut)
{
    if (stepOut)
        *stepOut = 0;
    if (!(hi > lo))
        return {lo};
    auto minGap = [&](const std::vector<double> &t) {
        double g = 1e300;
        for (size_t i = 1; i < t.size(); ++i)
            g = std::min(g, std::fabs(toPixel(t[i]) - toPixel(t[i - 1])));
        return g;
    };
    if (logarithmic && lo > 0 && hi / lo >= 10) {
        // Decades: mantissa sets from dense to sparse, then every k-th decade.
        const int d0 = static_cast<int>(std::floor(std::log10(lo) - 1e-9));
        const int d1 = static_cast<int>(std::ceil(std::log10(hi) + 1e-9));
        const std::vector<std::vector<double>> sets = {
            {1, 2, 3, 4, 5, 6, 7, 8, 9}, {1, 2, 5}, {1, 3}, {1}};
        for (const auto &set : sets) {
            std::vector<double> t;
            for (int d = d0; d <= d1; ++d)
                for (double m : set) {
                    const double v = m * std::pow(10.0, d);
                    if (v >= lo * (1 - 1e-9) && v <= hi * (1 + 1e-9))
                        t.push_back(v);
                }
            if (t.size() >= 2 && minGap(t) >= spacing)
                return t;
        }
        for (int k : {2, 3, 5, 10, 20, 50, 100}) {
            std::vector<double> t;
            for (int d = d0; d <= d1; ++d)
                if (((d % k) + k) % k == 0) {
                    const double v = std::pow(10.0, d);
                    if (v >= lo * (1 - 1e-9) && v <= hi * (1 + 1e-9))
                        t.push_back(v);
                }
            if (t.size() < 2 || minGap(t) >= spacing)
                return t;
        }
        return {};
    }
    double step = niceStep((hi - lo) / 1000);
    for (int guard = 0; guard < 80; ++guard) {
        auto t = multiples(lo, hi, step);
        if (t.size() <= 1 || (t.size() <= 1000 && minGap(t) >= spacing)) {
            if (stepOut)
                *stepOut = step;
            return t;
        }
        step = nextNiceStep(step);
    }
    return {};
}

Result autoLog(double dataMin, double dataMax, const Options &o)
{
    Result r;
    r.log = true;
    if (!(dataMin > 0) || !(dataMax >= dataMin) || !std::isfinite(dataMax)) {
        dataMin = 1;
        dataMax = 10;
    }
    double lo = dataMin, hi = dataMax;
    if (hi / lo < 1 + 1e-9) {
        lo /= 1.12;
        hi *= 1.12;
    }
    const double lr = std::log10(hi) - std::log10(lo);
    hi *= std::pow(10.0, lr * o.topExtension);
    lo /= std::pow(10.0, lr * o.bottomExtension);
    // Ranges over a decade or more round out to 1, 2 or 5 times a power of ten.
    if (hi / lo >= 10) {
        if (o.roundMin) {
            const double p = std::pow(10.0, std::floor(std::log10(lo) + 1e-9));
            lo = lo >= 5 * p ? 5 * p : (lo >= 2 * p ? 2 * p : p);
        }
        if (o.roundMax) {
            const double p = std::pow(10.0, std::floor(std::log10(hi) - 1e-9));
            hi = hi <= p * (1 + 1e-9) ? p : (hi <= 2 * p ? 2 * p : (hi <= 5 * p ? 5 * p : 10 * p));
        }
    }
    const double usable = usableLength(o);
    const double spacing = std::max(5.0, o.majorSpacing);
    for (int pass = 0; pass < 3; ++pass) {
        auto toPixel = [&](double v) {
            return (std::log10(v) - std::log10(lo)) / (std::log10(hi) - std::log10(lo)) * usable;
        };
        double step = 0;
        auto ticks = ticksFor(lo, hi, toPixel, spacing, true, &step);
        // Round the ends out to ticks just beyond them, once.
        if (pass == 0 && step > 0 && (o.roundMin || o.roundMax)) {
            const double nlo = o.roundMin ? std::max(step, floorTo(lo, step)) : lo;
            const double nhi = o.roundMax ? ceilTo(hi, step) : hi;
            if (nlo > 0 && nlo < nhi && (nlo != lo || nhi != hi)) {
                lo = nlo;
                hi = nhi;
                continue;
            }
        }
        r.majorTicks = std::move(ticks);
        r.majorStep = step;
        break;
    }
    if (r.majorTicks.empty()) {
        auto toPixel = [&](double v) {
            return (std::log10(v) - std::log10(lo)) / (std::log10(hi) - std::log10(lo)) * usable;
        };
        r.majorTicks = ticksFor(lo, hi, toPixel, spacing, true, &r.majorStep);
    }
    r.min = lo;
    r.max = hi;
    r.decimals = -1;
    applyMargins(r, o);
    return r;
}

Result fixedLog(double lower, double upper, double majorInc, const Options &o)
{
    Result r;
    r.log = true;
    if (!(lower > 0))
        lower = 1;
    if (!(upper > lower))
        upper = lower * 10;
    r.min = lower;
    r.max = upper;
    if (majorInc > 1) {
        for (double v = lower; v <= upper * (1 + 1e-9); v *= majorInc)
            r.majorTicks.push_back(v);
    } else {
        const double usable = usableLength(o);
        auto toPixel = [&](double v) {
            return (std::log10(v) - std::log10(lower)) / (std::log10(upper) - std::log10(lower)) *
                   usable;
        };
        r.majorTicks =
            ticksFor(lower, upper, toPixel, std::max(5.0, o.majorSpacing), true, &r.majorStep);
    }
    r.decimals = -1;
    applyMargins(r, o);
    return r;
}

} // namespace Scale
