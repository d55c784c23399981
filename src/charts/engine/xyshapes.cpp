#include "xyshapes.h"

#include "layer.h"

namespace XYShapes {

double xOf(const Layer *layer, int i)
{
    const auto &xd = layer->xData();
    if (!xd.empty())
        return i < static_cast<int>(xd.size()) ? xd[i] : Chart::NoValue;
    return i;
}

bool shown(const AxisScale &xScale, double x)
{
    return x >= xScale.min - 1e-9 && x <= xScale.max + 1e-9;
}

const AxisScale *yScaleOf(const XYLayout &layout, const Axis *axis)
{
    const AxisScale *s = layout.scaleOf(axis);
    return s ? s : layout.yScales.front().get();
}

} // namespace XYShapes
