#include "xyshapes.h"

#include "layer.h"

#include <algorithm>

namespace XYShapes {

void lineShapes(const LayerSpan &span, LayerShapes &out)
{
    const Layer *layer = span.layer;
    const AxisScale &xs = span.layout.x;
    for (int k = 0; k < layer->getDataSetCount(); ++k) {
        const DataSet *ds = layer->getDataSet(k);
        // A data set may draw on an axis of its own.
        const AxisScale *ys = ds->yAxis() ? yScaleOf(span.layout, ds->yAxis()) : out.y;
        LineShape line;
        line.dataSet = ds;
        line.dataSetIndex = k;
        const int last = std::min(span.to, ds->size() - 1);
        line.points.reserve(std::max(0, last - span.from + 1));
        line.indexes.reserve(std::max(0, last - span.from + 1));
        for (int i = span.from; i <= last; ++i) {
            const double x = xOf(layer, i);
            if (!valid(x) || !shown(xs, x))
                continue;
            const double v = ds->getValue(i);
            line.points.emplace_back(xs.toPixel(x), valid(v) ? ys->toPixel(v) : NaN);
            line.indexes.push_back(i);
        }
        out.lines.push_back(std::move(line));
    }
}

} // namespace XYShapes
