#include "xyshapes.h"

#include "layer.h"

#include <algorithm>

namespace XYShapes {

void barShapes(const LayerSpan &span, LayerShapes &out)
{
    const Layer *layer = span.layer;
    const AxisScale &xs = span.layout.x;
    const AxisScale &ys = *out.y;
    const int nds = layer->getDataSetCount();
    const auto *bar = static_cast<const BarLayer *>(layer);
    const int method = bar->combineMethod();
    const double total =
        bar->barWidth() > 0 ? bar->barWidth() : std::max(1.0, out.slot * (1 - bar->barGap()));
    const double base =
        ys.log ? ys.min : std::clamp(0.0, std::min(ys.min, ys.max), std::max(ys.min, ys.max));
    for (int i = span.from; i <= span.to; ++i) {
        const double x = xOf(layer, i);
        if (!valid(x) || !shown(xs, x))
            continue;
        const double cx = xs.toPixel(x);
        double pos = 0, neg = 0, sum = 0;
        if (method == Chart::Percentage)
            for (int k = 0; k < nds; ++k) {
                const double v = layer->getDataSet(k)->getValue(i);
                if (valid(v))
                    sum += std::fabs(v);
            }
        for (int k = 0; k < nds; ++k) {
            double v = layer->getDataSet(k)->getValue(i);
            if (!valid(v))
                continue;
            const double value = v;
            double lo = base, hi = v;
            double left = cx - total / 2, width = total;
            if (method == Chart::Stack || method == Chart::Percentage) {
                if (method == Chart::Percentage)
                    v = sum > 0 ? 100 * v / sum : 0;
                double &acc = v >= 0 ? pos : neg;
                lo = acc;
                hi = acc + v;
                acc = hi;
            } else if (method == Chart::Side && nds > 1) {
                const double sub = total / nds;
                const double w = bar->subBarWidth() > 0
                                     ? bar->subBarWidth()
                                     : std::max(1.0, sub * (1 - bar->subBarGap()));
                left = cx - total / 2 + sub * k + (sub - w) / 2;
                width = w;
            }
            const double y0 = ys.toPixel(lo), y1 = ys.toPixel(hi);
            out.bars.push_back(
                {i, k, QRectF(left, std::min(y0, y1), width, std::fabs(y1 - y0)), value});
        }
    }
}

} // namespace XYShapes
