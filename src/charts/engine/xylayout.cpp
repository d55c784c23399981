#include "xylayout.h"

#include "colors.h"
#include "labeltemplate.h"
#include "scale.h"
#include "xlabels.h"
#include "xychart.h"
#include "xyshapes.h"

#include <algorithm>
#include <cmath>
#include <map>

using XYShapes::shown;
using XYShapes::valid;
using XYShapes::xOf;
using XYShapes::yScaleOf;

namespace {

// Pixels kept free between two x-axis labels.
const double labelSpacing = 8;

TextStyle labelStyleOf(const Axis *axis)
{
    const TextBox &b = axis->labelStyleBox();
    return {b.fontName(), b.fontSize(), b.fontColor(), b.fontAngle()};
}

// Keeps labels apart along one direction: intervals already taken, with a gap between them.
class Occupancy
{
public:
    explicit Occupancy(double gap) : m_gap(gap) {}
    bool free(double a, double b) const
    {
        auto it = m_taken.lower_bound(a);
        if (it != m_taken.end() && it->first < b + m_gap)
            return false;
        if (it != m_taken.begin()) {
            --it;
            if (it->second + m_gap > a)
                return false;
        }
        return true;
    }
    void take(double a, double b) { m_taken[a] = b; }

private:
    double m_gap;
    std::map<double, double> m_taken;
};

} // namespace

double AxisScale::toPixel(double v) const
{
    if (source)
        return source->toPixel(slope != 0 ? (v - intercept) / slope : v);
    if (log) {
        if (!(v > 0))
            return p0;
        const double l0 = std::log10(min), l1 = std::log10(max);
        return p0 + (std::log10(v) - l0) / (l1 - l0) * (p1 - p0);
    }
    if (max == min)
        return p0;
    return p0 + (v - min) / (max - min) * (p1 - p0);
}

double AxisScale::toValue(double px) const
{
    if (source)
        return source->toValue(px) * slope + intercept;
    if (p1 == p0)
        return min;
    const double f = (px - p0) / (p1 - p0);
    if (log)
        return std::pow(10.0, std::log10(min) + f * (std::log10(max) - std::log10(min)));
    return min + f * (max - min);
}

const AxisScale *XYLayout::scaleOf(const Axis *axis) const
{
    if (x.axis == axis)
        return &x;
    if (x2 && x2->axis == axis)
        return x2.get();
    for (const auto &s : yScales)
        if (s->axis == axis)
            return s.get();
    return nullptr;
}

const LayerShapes *XYLayout::shapesOf(const Layer *layer) const
{
    for (const auto &s : layers)
        if (s.layer == layer)
            return &s;
    return nullptr;
}

const LineShape *XYLayout::lineOf(const DataSet *dataSet) const
{
    for (const auto &s : layers)
        for (const auto &l : s.lines)
            if (l.dataSet == dataSet)
                return &l;
    return nullptr;
}

std::unique_ptr<XYLayout> XYLayoutBuilder::build()
{
    m_l = std::make_unique<XYLayout>();
    const PlotArea &pa = m_c.plotArea();
    m_l->plot = QRectF(pa.getLeftX(), pa.getTopY(), pa.getWidth(), pa.getHeight());
    m_dataCount = m_c.xAxis()->labelCount();
    for (int i = 0; i < m_c.getLayerCount(); ++i) {
        const Layer *layer = m_c.getLayer(i);
        for (int k = 0; k < layer->getDataSetCount(); ++k)
            m_dataCount = std::max(m_dataCount, layer->getDataSet(k)->size());
    }
    m_l->first = std::clamp(m_c.trimStart(), 0, std::max(0, m_dataCount));
    const long long end =
        std::min<long long>(m_dataCount, static_cast<long long>(m_l->first) + m_c.trimLength());
    m_l->last = static_cast<int>(end) - 1;
    xScale();
    yScales();
    shapes();
    return std::move(m_l);
}

void XYLayoutBuilder::xScale()
{
    AxisScale &s = m_l->x;
    const Axis *axis = m_c.xAxis();
    s.axis = axis;
    s.vertical = false;
    s.p0 = m_l->plot.left();
    s.p1 = m_l->plot.right();
    bool numeric = false;
    if (!axis->hasLabels())
        for (int i = 0; i < m_c.getLayerCount(); ++i)
            numeric = numeric || !m_c.getLayer(i)->xData().empty();
    if (numeric) {
        double lo = 1e300, hi = -1e300;
        for (int i = 0; i < m_c.getLayerCount(); ++i)
            for (double v : m_c.getLayer(i)->xData())
                if (valid(v)) {
                    lo = std::min(lo, v);
                    hi = std::max(hi, v);
                }
        if (lo > hi) {
            lo = 0;
            hi = 1;
        }
        Scale::Options o;
        o.pixelLength = m_l->plot.width();
        o.majorSpacing = axis->majorSpacing() > 0 ? axis->majorSpacing() : 60;
        o.topExtension = o.bottomExtension = 0;
        o.zeroAffinity = 0;
        o.roundMin = axis->roundMin();
        o.roundMax = axis->roundMax();
        Scale::Result r;
        if (axis->scaleMode() == Axis::FixedLinear)
            r = Scale::fixedLinear(axis->fixedLower(), axis->fixedUpper(), axis->fixedMajorInc(),
                                   axis->fixedMinorInc(), o);
        else
            r = Scale::autoLinear(lo, hi, o);
        s.min = r.min;
        s.max = r.max;
        s.decimals = r.decimals;
        for (double v : r.majorTicks)
            s.ticks.push_back({v, s.toPixel(v), true});
        s.linePos = m_l->plot.bottom() + axis->offsetY();
        placeValueLabels(s, axis);
    } else {
        s.indexBased = true;
        bool indent = axis->indent();
        for (int i = 0; i < m_c.getLayerCount(); ++i) {
            const auto k = m_c.getLayer(i)->kind();
            indent = indent || k == Layer::BarKind || k == Layer::HLOCKind ||
                     k == Layer::CandleStickKind;
        }
        const double pad = indent ? 0.5 : 0.0;
        if (m_l->last < m_l->first) {
            s.min = -0.5;
            s.max = 0.5;
        } else {
            s.min = m_l->first - pad;
            s.max = m_l->last + pad;
            if (s.max - s.min < 1e-9) {
                s.min -= 0.5;
                s.max += 0.5;
            }
        }
        xLabels(s, axis);
    }
    s.linePos = m_l->plot.bottom() + axis->offsetY();
    s.outward = 1;
    placeTitle(s, axis);
}

void XYLayoutBuilder::xLabels(AxisScale &s, const Axis *axis)
{
    const int first = m_l->first, last = m_l->last;
    if (last < first || !axis->hasLabels())
        return;
    const double slot = std::fabs(s.p1 - s.p0) / std::max(1e-9, s.max - s.min);
    const TextStyle style = labelStyleOf(axis);
    const bool drawLabels = !Colors::isInvisible(style.color);
    std::vector<XLabels::Candidate> cands;
    const auto &times = axis->timeLabels();
    const auto &texts = axis->textLabels();
    if (!axis->multiFormats().empty() && !times.empty()) {
        cands = XLabels::fromMultiFormat(
            times, first, std::min(last, static_cast<int>(times.size()) - 1), axis->multiFormats());
    } else {
        // One format for every point; show every k-th so that labels do not collide.
        TextFormat::LabelTemplate tpl(axis->labelFormat().isEmpty()
                                          ? (times.empty() ? QStringLiteral("{value}")
                                                           : QStringLiteral("{value|mmm d, yyyy}"))
                                          : axis->labelFormat());
        auto textAt = [&](int i) {
            if (!times.empty()) {
                TextFormat::Fields f;
                f.value = i < static_cast<int>(times.size()) ? times[i] : Chart::NoValue;
                f.valueIsTime = true;
                return Chart::isNoValue(f.value) ? QString() : tpl.expand(f);
            }
            if (i >= static_cast<int>(texts.size()))
                return QString();
            if (axis->labelFormat().isEmpty())
                return texts[i];
            TextFormat::Fields f;
            f.value = i;
            f.xLabelText = &texts[i];
            return tpl.expand(f);
        };
        const RichText sample(textAt(first), style);
        const int step =
            std::max(1, static_cast<int>(std::ceil((sample.width() + 8) / std::max(1e-9, slot))));
        for (int i = first; i <= last; i += step)
            cands.push_back({i, textAt(i), 0});
    }

    // Ticks without text; then labels by priority, each kept only where it has room.
    std::vector<const XLabels::Candidate *> labelled;
    for (const auto &c : cands) {
        if (c.text.isEmpty())
            s.ticks.push_back({static_cast<double>(c.index), s.toPixel(c.index), false});
        else
            labelled.push_back(&c);
    }
    std::stable_sort(labelled.begin(), labelled.end(),
                     [](auto a, auto b) { return a->priority < b->priority; });
    Occupancy taken(labelSpacing);
    const double chartW = m_c.getWidth();
    const double top = m_l->plot.bottom() + axis->offsetY() + std::max(0, axis->majorTickLength()) +
                       axis->labelGap();
    size_t levelStart = 0;
    while (levelStart < labelled.size()) {
        size_t levelEnd = levelStart;
        while (levelEnd < labelled.size() &&
               labelled[levelEnd]->priority == labelled[levelStart]->priority)
            ++levelEnd;
        // One level (say, month labels): every k-th label, with the smallest k at which the
        // labels of this level keep apart, so that they stay evenly spaced.
        double est = 0;
        for (size_t j = levelStart; j < std::min(levelEnd, levelStart + 8); ++j)
            est = std::max(est, RichText(labelled[j]->text, style).width());
        const size_t count = levelEnd - levelStart;
        size_t k = 1;
        for (; k < count; ++k) {
            bool fits = true;
            for (size_t j = 0; j + k < count && fits; j += k)
                fits = std::fabs(s.toPixel(labelled[levelStart + j + k]->index) -
                                 s.toPixel(labelled[levelStart + j]->index)) >= est + labelSpacing;
            if (fits)
                break;
        }
        for (size_t j = 0; j < count; j += k) {
            const XLabels::Candidate *c = labelled[levelStart + j];
            const double px = s.toPixel(c->index);
            RichText rt(c->text, style);
            QPointF anchor(px, top);
            QRectF b = rt.boundsAt(anchor, Chart::TopCenter);
            if (b.left() < 0)
                anchor.rx() -= b.left();
            else if (b.right() > chartW)
                anchor.rx() -= b.right() - chartW;
            b = rt.boundsAt(anchor, Chart::TopCenter);
            if (!taken.free(b.left(), b.right()))
                continue;
            taken.take(b.left(), b.right());
            s.ticks.push_back({static_cast<double>(c->index), px, true});
            if (drawLabels)
                s.labels.push_back({std::move(rt), anchor, Chart::TopCenter, b});
        }
        levelStart = levelEnd;
    }
    std::sort(s.ticks.begin(), s.ticks.end(),
              [](const AxisTick &a, const AxisTick &b) { return a.pos < b.pos; });
}

void XYLayoutBuilder::dataRange(const Axis *axis, double &lo, double &hi) const
{
    lo = 1e300;
    hi = -1e300;
    auto take = [&](double v) {
        if (valid(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    };
    for (int li = 0; li < m_c.getLayerCount(); ++li) {
        const Layer *layer = m_c.getLayer(li);
        if (layer->kind() == Layer::InterLineKind)
            continue;
        const int nds = layer->getDataSetCount();
        if (layer->kind() == Layer::BarKind) {
            if (layer->yAxis() != axis)
                continue;
            const auto *bar = static_cast<const BarLayer *>(layer);
            const int method = bar->combineMethod();
            int n = 0;
            for (int k = 0; k < nds; ++k)
                n = std::max(n, layer->getDataSet(k)->size());
            for (int i = 0; i < n; ++i) {
                if (!shown(m_l->x, xOf(layer, i)))
                    continue;
                if (method == Chart::Stack || method == Chart::Percentage) {
                    double pos = 0, neg = 0;
                    for (int k = 0; k < nds; ++k) {
                        const double v = layer->getDataSet(k)->getValue(i);
                        if (valid(v))
                            (v >= 0 ? pos : neg) += v;
                    }
                    if (method == Chart::Percentage) {
                        take(pos - neg > 0 ? 100.0 * pos / (pos - neg) : 0);
                        take(pos - neg > 0 ? 100.0 * neg / (pos - neg) : 0);
                    } else {
                        take(pos);
                        take(neg);
                    }
                } else {
                    for (int k = 0; k < nds; ++k)
                        take(layer->getDataSet(k)->getValue(i));
                }
            }
            // Bars stand on zero.
            if (lo <= hi && !axis->isLogScale() && axis->scaleMode() != Axis::AutoLog) {
                lo = std::min(lo, 0.0);
                hi = std::max(hi, 0.0);
            }
            continue;
        }
        for (int k = 0; k < nds; ++k) {
            const DataSet *ds = layer->getDataSet(k);
            const Axis *a = ds->yAxis() ? ds->yAxis() : layer->yAxis();
            if (a != axis)
                continue;
            const auto &d = ds->data();
            for (int i = 0; i < static_cast<int>(d.size()); ++i)
                if (shown(m_l->x, xOf(layer, i)))
                    take(d[i]);
        }
    }
}

void XYLayoutBuilder::yScales()
{
    std::vector<const Axis *> axes;
    axes.push_back(m_c.yAxis());
    axes.push_back(m_c.yAxis2());
    const auto all = m_c.axes();
    for (const Axis *a : all)
        if (a->isVertical() && a != m_c.yAxis() && a != m_c.yAxis2())
            axes.push_back(a);
    // Axes that follow another one come after it.
    std::stable_sort(axes.begin(), axes.end(), [](const Axis *a, const Axis *b) {
        return (a->scaleMode() == Axis::Synced) < (b->scaleMode() == Axis::Synced);
    });
    for (const Axis *a : axes) {
        auto s = std::make_unique<AxisScale>();
        s->axis = a;
        yScale(*s, a);
        m_l->yScales.push_back(std::move(s));
    }
}

void XYLayoutBuilder::yScale(AxisScale &s, const Axis *axis)
{
    const QRectF &plot = m_l->plot;
    s.vertical = true;
    s.p0 = plot.bottom();
    s.p1 = plot.top();
    const bool right = axis->side() == Chart::Right;
    // Added axes sit offset pixels away from the plot area.
    s.linePos = (right ? plot.right() : plot.left()) + (right ? 1 : -1) * axis->offsetX();
    s.outward = right ? 1 : -1;
    // An unused secondary axis shows nothing.
    if (axis == m_c.yAxis2() && axis->scaleMode() == Axis::AutoLinear && axis->marks().empty() &&
        axis->titleBox().text().isEmpty()) {
        bool used = false;
        for (int i = 0; i < m_c.getLayerCount(); ++i) {
            const Layer *layer = m_c.getLayer(i);
            used = used || layer->yAxis() == axis;
            for (int k = 0; k < layer->getDataSetCount(); ++k)
                used = used || layer->getDataSet(k)->yAxis() == axis;
        }
        s.visible = used;
    }

    const TextStyle style = labelStyleOf(axis);
    const double labelHeight = Fonts::metrics(style.font, style.size).height();
    Scale::Options o;
    o.topExtension = axis->topExtension();
    o.bottomExtension = axis->bottomExtension();
    o.zeroAffinity = axis->zeroAffinity();
    o.pixelLength = plot.height();
    o.majorSpacing =
        std::max(axis->majorSpacing() > 0 ? axis->majorSpacing() : 30.0, labelHeight + 2);
    o.minorSpacing = axis->minorSpacing();
    o.marginTop = axis->marginTop();
    o.marginBottom = axis->marginBottom();
    o.roundMin = axis->roundMin();
    o.roundMax = axis->roundMax();

    const AxisScale *src = axis->syncSource() ? m_l->scaleOf(axis->syncSource()) : nullptr;
    if (axis->scaleMode() == Axis::Synced && src && src->vertical) {
        s.source = src;
        s.slope = axis->syncSlope() != 0 ? axis->syncSlope() : 1;
        s.intercept = axis->syncIntercept();
        double a = src->min * s.slope + s.intercept, b = src->max * s.slope + s.intercept;
        s.min = std::min(a, b);
        s.max = std::max(a, b);
        s.log = src->log;
        // Ticks over the part of the range that holds data (inside the pixel margins).
        const double lo =
            src->toValue(plot.bottom() - axis->marginBottom()) * s.slope + s.intercept;
        const double hi = src->toValue(plot.top() + axis->marginTop()) * s.slope + s.intercept;
        double step = 0;
        const auto ticks = Scale::ticksFor(
            std::min(lo, hi), std::max(lo, hi), [&](double v) { return s.toPixel(v); },
            o.majorSpacing, src->log && s.intercept == 0, &step);
        s.decimals = step > 0 ? Scale::decimalsFor(step) : -1;
        for (double v : ticks)
            s.ticks.push_back({v, s.toPixel(v), true});
    } else {
        double lo, hi;
        dataRange(axis, lo, hi);
        const bool hasData = lo <= hi;
        Scale::Result r;
        switch (axis->scaleMode()) {
        case Axis::FixedLinear:
            r = Scale::fixedLinear(axis->fixedLower(), axis->fixedUpper(), axis->fixedMajorInc(),
                                   axis->fixedMinorInc(), o);
            break;
        case Axis::FixedLog:
            r = Scale::fixedLog(axis->fixedLower(), axis->fixedUpper(), axis->fixedMajorInc(), o);
            break;
        case Axis::AutoLog: {
            // Only positive values can be shown on a log scale.
            double plo = 1e300, phi = -1e300;
            if (hasData) {
                for (int li = 0; li < m_c.getLayerCount(); ++li) {
                    const Layer *layer = m_c.getLayer(li);
                    for (int k = 0; k < layer->getDataSetCount(); ++k) {
                        const DataSet *ds = layer->getDataSet(k);
                        if ((ds->yAxis() ? ds->yAxis() : layer->yAxis()) != axis ||
                            layer->kind() == Layer::InterLineKind)
                            continue;
                        for (int i = 0; i < ds->size(); ++i) {
                            const double v = ds->getValue(i);
                            if (valid(v) && v > 0 && shown(m_l->x, xOf(layer, i))) {
                                plo = std::min(plo, v);
                                phi = std::max(phi, v);
                            }
                        }
                    }
                }
            }
            r = plo <= phi ? Scale::autoLog(plo, phi, o) : Scale::autoLog(1, 10, o);
            break;
        }
        default:
            r = hasData ? Scale::autoLinear(lo, hi, o) : Scale::autoLinear(0, 0, o);
        }
        s.min = r.min;
        s.max = r.max;
        s.log = r.log;
        s.decimals = r.decimals;
        for (double v : r.majorTicks)
            s.ticks.push_back({v, s.toPixel(v), true});
        for (double v : r.minorTicks)
            s.ticks.push_back({v, s.toPixel(v), false});
    }
    placeValueLabels(s, axis);
    placeTitle(s, axis);
}

void XYLayoutBuilder::placeValueLabels(AxisScale &s, const Axis *axis)
{
    const TextStyle style = labelStyleOf(axis);
    if (Colors::isInvisible(style.color))
        return;
    if (!s.visible)
        return;
    TextFormat::LabelTemplate tpl(axis->labelFormat().isEmpty() ? QStringLiteral("{value}")
                                                                : axis->labelFormat());
    const QRectF &plot = m_l->plot;
    const double gap = std::max(0, s.vertical ? axis->majorTickLength() : axis->majorTickLength()) +
                       axis->labelGap();
    Occupancy taken(1);
    auto place = [&](const QString &text, double value, double pos, int color, bool force) {
        TextStyle st = style;
        if (color != -1)
            st.color = color;
        RichText rt(text, st);
        if (rt.isEmpty())
            return;
        QPointF anchor;
        int align;
        if (s.vertical) {
            align = s.outward > 0 ? Chart::Left : Chart::Right;
            anchor = QPointF(s.linePos + s.outward * gap, pos);
            QRectF b = rt.boundsAt(anchor, align);
            // Keep labels beside the plot area and inside the image.
            const double top = std::max(0.0, plot.top() - b.height() / 2 + 1);
            const double bottom =
                std::min<double>(m_c.getHeight(), plot.bottom() + b.height() / 2 - 1);
            if (b.top() < top)
                anchor.ry() += top - b.top();
            else if (b.bottom() > bottom)
                anchor.ry() -= b.bottom() - bottom;
            b = rt.boundsAt(anchor, align);
            if (!force && !taken.free(b.top(), b.bottom()))
                return;
            taken.take(b.top(), b.bottom());
            s.labels.push_back({std::move(rt), anchor, align, b});
        } else {
            align = Chart::TopCenter;
            anchor = QPointF(pos, s.linePos + gap);
            QRectF b = rt.boundsAt(anchor, align);
            if (b.left() < 0)
                anchor.rx() -= b.left();
            else if (b.right() > m_c.getWidth())
                anchor.rx() -= b.right() - m_c.getWidth();
            b = rt.boundsAt(anchor, align);
            if (!force && !taken.free(b.left(), b.right()))
                return;
            taken.take(b.left(), b.right());
            s.labels.push_back({std::move(rt), anchor, align, b});
        }
        (void)value;
    };
    // Mark labels first: they win over tick labels.
    for (const auto &m : axis->marks()) {
        if (m->text().isEmpty() || !valid(m->value()))
            continue;
        const double pos = s.toPixel(m->value());
        if (pos < std::min(s.p0, s.p1) - 0.5 || pos > std::max(s.p0, s.p1) + 0.5)
            continue;
        TextStyle st{m->fontName().isEmpty() ? style.font : m->fontName(), m->fontSize(),
                     m->fontColor(), 0};
        RichText rt(m->text(), st);
        QPointF anchor =
            s.vertical ? QPointF(s.linePos + s.outward * gap, pos) : QPointF(pos, s.linePos + gap);
        const int align =
            s.vertical ? (s.outward > 0 ? Chart::Left : Chart::Right) : Chart::TopCenter;
        const QRectF b = rt.boundsAt(anchor, align);
        if (s.vertical)
            taken.take(b.top(), b.bottom());
        else
            taken.take(b.left(), b.right());
        s.labels.push_back({std::move(rt), anchor, align, b});
    }
    TextFormat::Fields f;
    f.defaultDecimals = s.log ? -1 : s.decimals;
    f.valueIsTime = false;
    // Value labels from the low end up, so that the ones nearest the zero line survive.
    std::vector<const AxisTick *> ticks;
    for (const auto &t : s.ticks)
        if (t.major)
            ticks.push_back(&t);
    std::sort(ticks.begin(), ticks.end(), [](auto a, auto b) { return a->value < b->value; });
    for (const AxisTick *t : ticks) {
        f.value = t->value;
        const QString text = tpl.expand(f);
        if (text.isEmpty() || text == u"-")
            continue;
        place(text, t->value, t->pos, -1, false);
    }
}

void XYLayoutBuilder::placeTitle(AxisScale &s, const Axis *axis)
{
    const TextBox &t = axis->titleBox();
    if (t.text().isEmpty() || Colors::isInvisible(axis->titleColor()))
        return;
    double extent = 0;
    for (const auto &l : s.labels)
        extent = std::max(extent, s.vertical ? l.bounds.width() : l.bounds.height());
    const double gap = std::max(0, axis->majorTickLength()) + axis->labelGap() + extent + 4;
    TextStyle st{t.fontName(), t.fontSize(), axis->titleColor(), s.vertical ? 90.0 : 0.0};
    RichText rt(t.text(), st);
    if (s.vertical) {
        const QPointF anchor(s.linePos + s.outward * gap, m_l->plot.center().y());
        const int align = s.outward > 0 ? Chart::Left : Chart::Right;
        s.title = {rt, anchor, align, rt.boundsAt(anchor, align)};
    } else {
        const QPointF anchor(m_l->plot.center().x(), s.linePos + gap);
        s.title = {rt, anchor, Chart::TopCenter, rt.boundsAt(anchor, Chart::TopCenter)};
    }
}

void XYLayoutBuilder::shapes()
{
    const AxisScale &xs = m_l->x;
    const double slot =
        xs.indexBased ? std::fabs(xs.p1 - xs.p0) / std::max(1e-9, xs.max - xs.min) : 0;
    std::vector<const Layer *> interLines;
    for (int li = 0; li < m_c.getLayerCount(); ++li) {
        const Layer *layer = m_c.getLayer(li);
        LayerShapes ls;
        ls.layer = layer;
        ls.y = yScaleOf(*m_l, layer->yAxis());
        ls.slot = slot;
        int n = 0;
        for (int k = 0; k < layer->getDataSetCount(); ++k)
            n = std::max(n, layer->getDataSet(k)->size());
        const int from = layer->xData().empty() ? std::max(0, m_l->first) : 0;
        const int to = layer->xData().empty() ? std::min(n - 1, m_l->last) : n - 1;
        if (!xs.indexBased && !layer->xData().empty()) {
            // Pixels per point from the closest pair of x positions.
            double best = 1e300;
            const auto &xd = layer->xData();
            for (size_t i = 1; i < xd.size(); ++i)
                if (valid(xd[i]) && valid(xd[i - 1]) && xd[i] != xd[i - 1])
                    best = std::min(best, std::fabs(xs.toPixel(xd[i]) - xs.toPixel(xd[i - 1])));
            ls.slot = best < 1e300 ? best : m_l->plot.width() / 10;
        }
        const XYShapes::LayerSpan span{*m_l, layer, from, to};
        switch (layer->kind()) {
        case Layer::HLOCKind:
        case Layer::CandleStickKind:
            XYShapes::boxShapes(span, ls);
            break;
        case Layer::BarKind:
            XYShapes::barShapes(span, ls);
            break;
        case Layer::InterLineKind:
            interLines.push_back(layer);
            break;
        default:
            XYShapes::lineShapes(span, ls);
        }
        m_l->layers.push_back(std::move(ls));
    }

    // Fills between lines, once every line is known.
    for (const Layer *layer : interLines) {
        LayerShapes *ls = nullptr;
        for (auto &s : m_l->layers)
            if (s.layer == layer)
                ls = &s;
        XYShapes::interLineFills(*m_l, *static_cast<const InterLineLayer *>(layer), *ls);
    }
}
