#pragma once
// Scale and tick choice for value axes: automatic linear and logarithmic scales with
// extensions, zero affinity, rounding to ticks and pixel margins; tick sets for a given range.

#include <functional>
#include <vector>

namespace Scale {

struct Options
{
    double topExtension = 0.1;
    double bottomExtension = 0.1;
    double zeroAffinity = 0.8;
    double pixelLength = 200; // length of the axis in pixels
    double majorSpacing = 30; // wanted pixels between major ticks
    double minorSpacing = -1; // wanted pixels between minor ticks; <= 0 for none
    double marginTop = 0;     // pixels kept free at the high end
    double marginBottom = 0;  // pixels kept free at the low end
    bool roundMin = true;
    bool roundMax = true;
};

struct Result
{
    double min = 0, max = 1;          // the scale's ends (including the pixel margins)
    double dataLow = 0, dataHigh = 1; // the range within the margins
    double majorStep = 0;             // 0 when ticks are not evenly spaced (log decades)
    std::vector<double> majorTicks;
    std::vector<double> minorTicks;
    int decimals = 0; // decimal places that show every tick exactly
    bool log = false;
};

// The smallest step of the form {1, 2, 5} × 10^k that is not below rough.
double niceStep(double rough);
// The next larger step of that form.
double nextNiceStep(double step);
// Decimal places that show multiples of step exactly (at most 10).
int decimalsFor(double step);
// Multiples of step within [lo, hi].
std::vector<double> multiples(double lo, double hi, double step);

Result autoLinear(double dataMin, double dataMax, const Options &o);
Result autoLog(double dataMin, double dataMax, const Options &o);
// Explicit ends; majorInc 0 chooses the ticks by the spacing.
Result fixedLinear(double lower, double upper, double majorInc, double minorInc, const Options &o);
Result fixedLog(double lower, double upper, double majorInc, const Options &o);

// Ticks for a range whose pixel positions come from toPixel (log or synchronised scales):
// the densest set of nice values whose neighbours are at least spacing pixels apart.
std::vector<double> ticksFor(double lo, double hi, const std::function<double(double)> &toPixel,
                             double spacing, bool logarithmic, double *stepOut = nullptr);

} // namespace Scale
