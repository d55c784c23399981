#pragma once
// The layout of an XY chart: scales, ticks, placed labels and the pixel shapes of every layer.
// Built from the model when the chart is made; read by the painter, the image map and the
// coordinate queries. Coordinates are the chart's own pixels.

#include "richtext.h"

#include <QPolygonF>
#include <QRectF>
#include <memory>
#include <vector>

class Axis;
class Layer;
class DataSet;
class XYChart;

struct PlacedLabel
{
    RichText text;
    QPointF anchor;
    int alignment = 5;
    QRectF bounds;
};

struct AxisTick
{
    double value;
    double pos; // pixel
    bool major; // major ticks carry labels (when they have text) and major grid lines
};

struct AxisScale
{
    const Axis *axis = nullptr;
    bool vertical = true;
    bool log = false;
    bool indexBased = false;           // x axis over data indexes
    double min = 0, max = 1;           // values at p0 and p1
    double p0 = 0, p1 = 1;             // pixel positions of min and max
    const AxisScale *source = nullptr; // synchronised: value = source value × slope + intercept
    double slope = 1, intercept = 0;
    int decimals = -1;
    std::vector<AxisTick> ticks;
    std::vector<PlacedLabel> labels;
    PlacedLabel title;
    double linePos = 0;  // pixel position of the axis line (x for vertical axes)
    int outward = 1;     // +1 when labels go right/down of the line, -1 left/up
    bool visible = true; // an unused secondary axis is not drawn

    double toPixel(double v) const;
    double toValue(double px) const;
};

struct BoxShape
{
    int index;
    float x, half; // centre and half width in pixels
    float yHigh, yLow, yOpen, yClose;
    bool rising; // candle: close >= open; HLOC: by its colour method
};

struct BarShape
{
    int index;
    int dataSet;
    QRectF rect;
    double value;
};

struct LineShape
{
    const DataSet *dataSet = nullptr;
    int dataSetIndex = 0;
    // One pixel point per shown index; NaN y marks a missing point (a break in the line).
    std::vector<QPointF> points;
    std::vector<int> indexes;
};

struct FillShape
{
    QPolygonF polygon;
    int color;
};

struct LayerShapes
{
    const Layer *layer = nullptr;
    const AxisScale *y = nullptr;
    double slot = 1; // pixels per data point
    std::vector<BoxShape> boxes;
    std::vector<BarShape> bars;
    std::vector<LineShape> lines;
    std::vector<FillShape> fills;
};

struct XYLayout
{
    QRectF plot;
    AxisScale x;
    std::unique_ptr<AxisScale> x2;
    std::vector<std::unique_ptr<AxisScale>> yScales; // y, y2, then added axes
    std::vector<LayerShapes> layers;                 // in the chart's layer order
    int first = 0, last = -1;                        // shown data indexes

    const AxisScale *scaleOf(const Axis *axis) const;
    const LayerShapes *shapesOf(const Layer *layer) const;
    const LineShape *lineOf(const DataSet *dataSet) const;
};

class XYLayoutBuilder
{
public:
    explicit XYLayoutBuilder(const XYChart &chart) : m_c(chart) {}
    std::unique_ptr<XYLayout> build();

private:
    void xScale();
    void xLabels(AxisScale &s, const Axis *axis);
    void yScales();
    void yScale(AxisScale &s, const Axis *axis);
    void placeValueLabels(AxisScale &s, const Axis *axis);
    void placeTitle(AxisScale &s, const Axis *axis);
    // The shapes of every layer, each made by the builder of its kind (xyshapes.h).
    void shapes();
    void dataRange(const Axis *axis, double &lo, double &hi) const;

    const XYChart &m_c;
    std::unique_ptr<XYLayout> m_l;
    int m_dataCount = 0;
};
