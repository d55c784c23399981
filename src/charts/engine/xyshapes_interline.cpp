#include "xyshapes.h"

#include "colors.h"
#include "layer.h"

#include <algorithm>
#include <map>

namespace XYShapes {

namespace {

// The line a side of the fill follows, or nullptr with constant set to the pixel position of
// a mark (NaN when the side is neither).
const LineShape *sideOf(const XYLayout &layout, const LineObj *obj, double &constant)
{
    constant = NaN;
    if (!obj)
        return nullptr;
    if (obj->dataSet())
        return layout.lineOf(obj->dataSet());
    if (obj->mark()) {
        const AxisScale *s = layout.scaleOf(obj->mark()->axis());
        if (s)
            constant = s->toPixel(obj->mark()->value());
    }
    return nullptr;
}

// The two sides point by point along ref (la, or else lb), matched by data index; a point
// missing from one side gives NaN on both. Long lines are thinned to two points a pixel.
void pairPoints(const LineShape *la, double ca, const LineShape *lb, double cb, double plotWidth,
                std::vector<QPointF> &pa, std::vector<QPointF> &pb)
{
    const LineShape *ref = la ? la : lb;
    const size_t n = ref->points.size();
    std::map<int, size_t> bIndex;
    if (la && lb && la != lb &&
        (la->indexes.empty() || lb->indexes.empty() || la->indexes.front() != lb->indexes.front()))
        for (size_t k = 0; k < lb->points.size(); ++k)
            bIndex[lb->indexes[k]] = k;
    const size_t stride =
        std::max<size_t>(1, n / std::max<size_t>(1, static_cast<size_t>(plotWidth * 2)));
    std::vector<size_t> picks;
    for (size_t k = 0; k < n; k += stride)
        picks.push_back(k);
    if (n > 0 && picks.back() != n - 1)
        picks.push_back(n - 1);
    for (size_t k : picks) {
        const int idx = ref->indexes[k];
        QPointF a = la ? la->points[k] : QPointF(ref->points[k].x(), ca);
        QPointF b;
        if (lb) {
            size_t kb = k;
            if (!bIndex.empty()) {
                auto it = bIndex.find(idx);
                if (it == bIndex.end()) {
                    pa.emplace_back(a.x(), NaN);
                    pb.emplace_back(a.x(), NaN);
                    continue;
                }
                kb = it->second;
            }
            b = kb < lb->points.size() ? lb->points[kb] : QPointF(a.x(), NaN);
        } else {
            b = QPointF(a.x(), cb);
        }
        pa.push_back(a);
        pb.push_back(b);
    }
}

// Walks the segments between the paired sides, splits them where the sides cross and makes
// one polygon per run of one sign: c12 where side a is above side b, c21 where it is below.
void fillRuns(const std::vector<QPointF> &pa, const std::vector<QPointF> &pb, int c12, int c21,
              std::vector<FillShape> &fills)
{
    std::vector<QPointF> upper, lower;
    int sign = 0;
    auto flush = [&](int s) {
        const int color = s > 0 ? c12 : c21;
        if (upper.size() >= 2 && !Colors::isInvisible(color)) {
            QPolygonF poly;
            poly.reserve(static_cast<int>(upper.size() + lower.size()));
            for (const auto &p : upper)
                poly << p;
            for (auto it = lower.rbegin(); it != lower.rend(); ++it)
                poly << *it;
            fills.push_back({poly, color});
        }
        upper.clear();
        lower.clear();
    };
    for (size_t k = 0; k < pa.size(); ++k) {
        const bool ok = !std::isnan(pa[k].y()) && !std::isnan(pb[k].y());
        if (!ok) {
            flush(sign);
            sign = 0;
            continue;
        }
        const double d = pb[k].y() - pa[k].y(); // > 0: line 1 above line 2
        const int s = d > 0 ? 1 : (d < 0 ? -1 : 0);
        if (!upper.empty() && s != 0 && sign != 0 && s != sign) {
            const QPointF &a0 = upper.back(), &b0 = lower.back();
            const double d0 = b0.y() - a0.y();
            const double t = d0 / (d0 - d);
            const QPointF cross(a0.x() + t * (pa[k].x() - a0.x()),
                                a0.y() + t * (pa[k].y() - a0.y()));
            upper.push_back(cross);
            lower.push_back(cross);
            flush(sign);
            upper.push_back(cross);
            lower.push_back(cross);
        }
        if (s != 0)
            sign = s;
        upper.push_back(pa[k]);
        lower.push_back(pb[k]);
    }
    flush(sign);
}

} // namespace

void interLineFills(const XYLayout &layout, const InterLineLayer &layer, LayerShapes &out)
{
    const int c12 = layer.color12();
    const int c21 = layer.color21() == -1 ? c12 : layer.color21();
    double ca, cb;
    const LineShape *la = sideOf(layout, layer.line1(), ca);
    const LineShape *lb = sideOf(layout, layer.line2(), cb);
    if (!(la || lb) || (!la && std::isnan(ca)) || (!lb && std::isnan(cb)))
        return;
    std::vector<QPointF> pa, pb;
    pairPoints(la, ca, lb, cb, layout.plot.width(), pa, pb);
    fillRuns(pa, pb, c12, c21, out.fills);
}

} // namespace XYShapes
