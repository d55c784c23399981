#pragma once
// The pixel shapes of an XY chart's layers, one builder per kind of layer, and the point
// helpers they share with the layout: XYLayoutBuilder places the scales, then hands every
// layer to the builder of its kind.

#include "chartconst.h"
#include "xylayout.h"

#include <cmath>
#include <limits>

class InterLineLayer;

namespace XYShapes {

// The y of a point that has no value: a break in a line, no open or close of a box.
inline const double NaN = std::numeric_limits<double>::quiet_NaN();

// A value that can be drawn: not missing, not infinite.
inline bool valid(double v)
{
    return !Chart::isNoValue(v) && std::isfinite(v);
}

// The x value of point i of a layer: its x data, or else the index.
double xOf(const Layer *layer, int i);
// True when x lies within the x scale (with room for rounding).
bool shown(const AxisScale &xScale, double x);
// The scale of a y axis; an axis the layout has none for draws on the first y axis.
const AxisScale *yScaleOf(const XYLayout &layout, const Axis *axis);

// One layer as its builder sees it.
struct LayerSpan
{
    const XYLayout &layout; // the scales, all placed before any shape is made
    const Layer *layer;
    int from, to; // the data indexes to make: the trimmed window, or all points with x data
};

// Each appends to out, whose y scale and slot are already set.
void boxShapes(const LayerSpan &span, LayerShapes &out);  // HLOC and candlestick layers
void barShapes(const LayerSpan &span, LayerShapes &out);  // bar layers, by combine method
void lineShapes(const LayerSpan &span, LayerShapes &out); // line, scatter and other layers
// The fills between two lines or marks; reads the lines of every other layer, so it runs
// once those are made.
void interLineFills(const XYLayout &layout, const InterLineLayer &layer, LayerShapes &out);

} // namespace XYShapes
