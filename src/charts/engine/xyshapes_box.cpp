#include "xyshapes.h"

#include "layer.h"

#include <algorithm>

namespace XYShapes {

void boxShapes(const LayerSpan &span, LayerShapes &out)
{
    const Layer *layer = span.layer;
    const AxisScale &xs = span.layout.x;
    const int from = span.from, to = span.to;
    const auto *box = static_cast<const BaseBoxLayer *>(layer);
    const double half = box->dataWidth() > 0 ? box->dataWidth() / 2.0
                                             : std::max(0.5, out.slot * (1 - box->dataGap()) / 2);
    const DataSet *dh = layer->getDataSet(0), *dl = layer->getDataSet(1);
    const DataSet *dop = layer->getDataSet(2), *dc = layer->getDataSet(3);
    const auto *hloc =
        layer->kind() == Layer::HLOCKind ? static_cast<const HLOCLayer *>(layer) : nullptr;
    double prevClose = hloc ? hloc->leadValue() : 0;
    // From the point before the window: an up/down colour compares with the previous close.
    for (int i = std::max(0, from - 1); i <= to; ++i) {
        const double h = dh ? dh->getValue(i) : Chart::NoValue,
                     l = dl ? dl->getValue(i) : Chart::NoValue;
        const double o = dop ? dop->getValue(i) : Chart::NoValue,
                     c = dc ? dc->getValue(i) : Chart::NoValue;
        bool rising = true;
        if (hloc) {
            if (hloc->colorMethod() == Chart::HLOCUpDown)
                rising = !valid(c) || !valid(prevClose) || c >= prevClose;
            else if (hloc->colorMethod() == Chart::HLOCOpenClose)
                rising = !valid(o) || !valid(c) || c >= o;
            if (valid(c))
                prevClose = c;
        } else {
            rising = !(valid(o) && valid(c) && c < o);
        }
        if (i < from)
            continue;
        const double x = xOf(layer, i);
        if (!valid(x) || !shown(xs, x))
            continue;
        if (layer->kind() == Layer::CandleStickKind ? !(valid(o) && valid(c))
                                                    : !(valid(h) && valid(l)))
            continue;
        BoxShape b;
        b.index = i;
        b.x = static_cast<float>(xs.toPixel(x));
        b.half = static_cast<float>(half);
        const double hh = valid(h) ? h : std::max(o, c), ll = valid(l) ? l : std::min(o, c);
        b.yHigh = static_cast<float>(out.y->toPixel(hh));
        b.yLow = static_cast<float>(out.y->toPixel(ll));
        b.yOpen = static_cast<float>(valid(o) ? out.y->toPixel(o) : NaN);
        b.yClose = static_cast<float>(valid(c) ? out.y->toPixel(c) : NaN);
        b.rising = rising;
        out.boxes.push_back(b);
    }
}

} // namespace XYShapes
