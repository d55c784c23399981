// Painting of an XY chart from its layout: background, plot area, grid, layers, marks, axes,
// legend and text. Nothing here decides positions; the layout did.

#include "boxpainter.h"
#include "colors.h"
#include "columnfiller.h"
#include "symbols.h"
#include "xychart.h"
#include "xylayout.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// Pixel centre for crisp one-pixel lines.
double crisp(double v)
{
    return std::floor(v) + 0.5;
}

class XYPainter
{
public:
    XYPainter(const XYChart &c, const XYLayout &l, QPainter &p) : m_c(c), m_l(l), m_p(p) {}
    void paint();

private:
    void plotBackground();
    void grid();
    void layer(const LayerShapes &s);
    void lines(const LayerShapes &s);
    void bars(const LayerShapes &s);
    void boxes(const LayerShapes &s);
    void fills(const LayerShapes &s);
    void marks(bool onTop);
    void axis(const AxisScale &s, const Axis *axis);
    void legend();

    const XYChart &m_c;
    const XYLayout &m_l;
    QPainter &m_p;
};

void XYPainter::paint()
{
    m_p.setRenderHint(QPainter::Antialiasing, m_c.shapeAntiAlias());
    m_p.setRenderHint(QPainter::TextAntialiasing, m_c.textAntiAlias() != Chart::NoAntiAlias);
    plotBackground();
    grid();
    m_p.save();
    m_p.setClipRect(m_l.plot, Qt::IntersectClip);
    marks(false);
    for (const Layer *layer : m_c.drawOrder())
        if (const LayerShapes *s = m_l.shapesOf(layer))
            this->layer(*s);
    marks(true);
    m_p.restore();
    const PlotArea &pa = m_c.plotArea();
    if (!Colors::isInvisible(pa.edgeColor())) {
        m_p.save();
        m_p.setRenderHint(QPainter::Antialiasing, false);
        m_p.setPen(QPen(Colors::toQColor(pa.edgeColor()), 1));
        m_p.setBrush(Qt::NoBrush);
        m_p.drawRect(
            QRectF(m_l.plot.left(), m_l.plot.top(), m_l.plot.width() - 1, m_l.plot.height() - 1));
        m_p.restore();
    }
    axis(m_l.x, m_c.xAxis());
    for (const auto &s : m_l.yScales)
        axis(*s, s->axis);
    legend();
}

void XYPainter::plotBackground()
{
    const PlotArea &pa = m_c.plotArea();
    if (!Colors::isInvisible(pa.bgColor()))
        m_p.fillRect(m_l.plot, Colors::toBrush(pa.bgColor()));
    if (pa.altBgColor() != -1 && !Colors::isInvisible(pa.altBgColor())) {
        const AxisScale *ys = m_l.scaleOf(pa.gridYAxis() ? pa.gridYAxis() : m_c.yAxis());
        if (ys) {
            std::vector<double> pos;
            for (const auto &t : ys->ticks)
                if (t.major)
                    pos.push_back(t.pos);
            std::sort(pos.begin(), pos.end());
            for (size_t i = 1; i < pos.size(); i += 2)
                m_p.fillRect(
                    QRectF(m_l.plot.left(), pos[i - 1], m_l.plot.width(), pos[i] - pos[i - 1]),
                    Colors::toBrush(pa.altBgColor()));
        }
    }
}

void XYPainter::grid()
{
    const PlotArea &pa = m_c.plotArea();
    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing, false);
    const QRectF &r = m_l.plot;
    auto drawSet = [&](const AxisScale *s, bool vertical, int major, int minor, int width) {
        if (!s)
            return;
        for (bool wantMajor : {false, true}) {
            const int color = wantMajor ? major : minor;
            if (color == -1 || Colors::isInvisible(color))
                continue;
            m_p.setPen(QPen(Colors::toQColor(color), std::max(1, width)));
            for (const auto &t : s->ticks) {
                if (t.major != wantMajor)
                    continue;
                const double c = crisp(t.pos);
                if (vertical) {
                    if (c <= r.left() + 0.5 || c >= r.right() - 0.5)
                        continue;
                    m_p.drawLine(QPointF(c, r.top()), QPointF(c, r.bottom() - 1));
                } else {
                    if (c <= r.top() + 0.5 || c >= r.bottom() - 0.5)
                        continue;
                    m_p.drawLine(QPointF(r.left(), c), QPointF(r.right() - 1, c));
                }
            }
        }
    };
    drawSet(m_l.scaleOf(pa.gridXAxis() ? pa.gridXAxis() : m_c.xAxis()), true, pa.vGridColor(),
            pa.minorVGridColor(), pa.vGridWidth());
    drawSet(m_l.scaleOf(pa.gridYAxis() ? pa.gridYAxis() : m_c.yAxis()), false, pa.hGridColor(),
            pa.minorHGridColor(), pa.hGridWidth());
    m_p.restore();
}

void XYPainter::layer(const LayerShapes &s)
{
    switch (s.layer->kind()) {
    case Layer::BarKind:
        bars(s);
        break;
    case Layer::HLOCKind:
    case Layer::CandleStickKind:
        boxes(s);
        break;
    case Layer::InterLineKind:
        fills(s);
        break;
    default:
        lines(s);
    }
}

// Keeps the first, lowest, highest and last point of every pixel column, so that a line of
// many thousand points draws as fast as one of a few thousand and looks the same.
void decimate(const std::vector<QPointF> &in, size_t from, size_t to, QPolygonF &out)
{
    out.clear();
    size_t i = from;
    while (i < to) {
        const double col = std::floor(in[i].x());
        size_t j = i, lo = i, hi = i;
        while (j < to && std::floor(in[j].x()) == col) {
            if (in[j].y() < in[lo].y())
                lo = j;
            if (in[j].y() > in[hi].y())
                hi = j;
            ++j;
        }
        out << in[i];
        const size_t a = std::min(lo, hi), b = std::max(lo, hi);
        if (a != i)
            out << in[a];
        if (b != a && b != i)
            out << in[b];
        if (j - 1 != b && j - 1 != i)
            out << in[j - 1];
        i = j;
    }
}

void XYPainter::lines(const LayerShapes &s)
{
    const Layer *layer = s.layer;
    const int gapColor = layer->kind() == Layer::LineKind
                             ? static_cast<const LineLayer *>(layer)->gapColor()
                             : Chart::Transparent;
    QPolygonF poly;
    for (const auto &line : s.lines) {
        const DataSet *ds = line.dataSet;
        const int color = ds->getDataColor();
        const int width = ds->lineWidth() >= 0 ? ds->lineWidth() : layer->lineWidth();
        const auto &pts = line.points;
        if (width > 0 && !Colors::isInvisible(color) && layer->kind() != Layer::ScatterKind) {
            m_p.setPen(
                QPen(Colors::toQColor(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            m_p.setBrush(Qt::NoBrush);
            size_t i = 0;
            QPointF lastEnd;
            bool haveEnd = false;
            while (i < pts.size()) {
                while (i < pts.size() && std::isnan(pts[i].y()))
                    ++i;
                size_t j = i;
                while (j < pts.size() && !std::isnan(pts[j].y()))
                    ++j;
                if (j > i) {
                    if (haveEnd && !Colors::isInvisible(gapColor)) {
                        m_p.save();
                        m_p.setPen(QPen(Colors::toQColor(gapColor), width));
                        m_p.drawLine(lastEnd, pts[i]);
                        m_p.restore();
                    }
                    if (j - i == 1) {
                        m_p.drawPoint(pts[i]);
                    } else if ((j - i) > static_cast<size_t>(m_l.plot.width() * 2)) {
                        decimate(pts, i, j, poly);
                        m_p.drawPolyline(poly);
                    } else {
                        m_p.drawPolyline(pts.data() + i, static_cast<int>(j - i));
                    }
                    lastEnd = pts[j - 1];
                    haveEnd = true;
                }
                i = j;
            }
        }
        if (ds->symbol() != Chart::NoSymbol) {
            const int fill = ds->symbolFill() == -1 ? color : ds->symbolFill();
            const int edge = ds->symbolEdge() == -1 ? fill : ds->symbolEdge();
            for (const auto &pt : pts)
                if (!std::isnan(pt.y()))
                    Symbols::draw(m_p, pt.x(), pt.y(), ds->symbol(), ds->symbolSize(), fill, edge,
                                  ds->symbolLineWidth());
        }
    }
}

QRect snapped(const QRectF &r)
{
    const int x0 = static_cast<int>(std::lround(r.left()));
    int x1 = static_cast<int>(std::lround(r.right()));
    const int y0 = static_cast<int>(std::lround(r.top()));
    int y1 = static_cast<int>(std::lround(r.bottom()));
    if (x1 <= x0)
        x1 = x0 + 1;
    if (y1 <= y0)
        y1 = y0 + 1;
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

void XYPainter::bars(const LayerShapes &s)
{
    const Layer *layer = s.layer;
    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing, false);
    const int border = layer->borderColor();
    ColumnFiller filler(m_p);
    for (const auto &b : s.bars) {
        if (b.rect.height() < 0.5 && b.value == 0)
            continue;
        const int color = layer->dataColor(b.dataSet);
        const QRect r = snapped(b.rect);
        if (!Colors::isInvisible(color))
            filler.fill(r, Colors::toBrush(color));
        const int edge = border == Chart::SameAsMainColor ? color : border;
        if (!Colors::isInvisible(edge) && r.width() >= 3 && r.height() >= 2) {
            filler.flush();
            m_p.setPen(Colors::toQColor(edge));
            m_p.setBrush(Qt::NoBrush);
            m_p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
    filler.flush();
    m_p.restore();
}

void XYPainter::boxes(const LayerShapes &s)
{
    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing, false);
    ColumnFiller filler(m_p);
    if (s.layer->kind() == Layer::CandleStickKind) {
        const auto *c = static_cast<const CandleStickLayer *>(s.layer);
        const int edge = c->edgeColor();
        const QColor edgeQ = Colors::toQColor(edge);
        const QColor riseQ = Colors::toQColor(c->riseColor()),
                     fallQ = Colors::toQColor(c->fallColor());
        const bool edgeVisible = !Colors::isInvisible(edge);
        for (const auto &b : s.boxes) {
            const QColor &fill = b.rising ? riseQ : fallQ;
            const int x0 = static_cast<int>(std::lround(b.x - b.half));
            int x1 = static_cast<int>(std::lround(b.x + b.half));
            if (x1 <= x0)
                x1 = x0 + 1;
            const double top = std::min(b.yOpen, b.yClose), bottom = std::max(b.yOpen, b.yClose);
            const int y0 = static_cast<int>(std::lround(top));
            int y1 = static_cast<int>(std::lround(bottom));
            const int cx = static_cast<int>(std::floor(b.x));
            const int hy0 = static_cast<int>(std::lround(b.yHigh)),
                      hy1 = static_cast<int>(std::lround(b.yLow));
            if (x1 - x0 < 3) {
                // Too narrow for a framed body: the whole candle in its colour.
                filler.fill(QRect(cx, hy0, 1, std::max(1, hy1 - hy0)), fill);
                filler.fill(QRect(x0, y0, x1 - x0, std::max(1, y1 - y0)), fill);
                continue;
            }
            const QColor &line = edgeVisible ? edgeQ : fill;
            // Wick, then the body over it.
            filler.fill(QRect(cx, hy0, 1, std::max(1, hy1 - hy0 + 1)), line);
            if (y1 - y0 < 1) {
                filler.fill(QRect(x0, y0, x1 - x0, 1), line);
                continue;
            }
            filler.fill(QRect(x0, y0, x1 - x0, y1 - y0 + 1), line);
            if (x1 - x0 > 2 && y1 - y0 > 1)
                filler.fill(QRect(x0 + 1, y0 + 1, x1 - x0 - 2, y1 - y0 - 1), fill);
        }
    } else {
        const auto *h = static_cast<const HLOCLayer *>(s.layer);
        const int rise = h->colorMethod() == Chart::HLOCDefault ? h->color() : h->riseColor();
        const int fall = h->colorMethod() == Chart::HLOCDefault ? h->color() : h->fallColor();
        const QColor riseQ = Colors::toQColor(rise), fallQ = Colors::toQColor(fall);
        const int w = std::max(1, h->lineWidth());
        for (const auto &b : s.boxes) {
            const QColor &col = b.rising ? riseQ : fallQ;
            const int cx = static_cast<int>(std::floor(b.x)) - (w - 1) / 2;
            const int hy0 = static_cast<int>(std::lround(b.yHigh)),
                      hy1 = static_cast<int>(std::lround(b.yLow));
            filler.fill(QRect(cx, hy0, w, std::max(1, hy1 - hy0 + 1)), col);
            const int tick = static_cast<int>(std::lround(b.half));
            if (tick >= 1) {
                if (!std::isnan(b.yOpen))
                    filler.fill(QRect(cx - tick,
                                      static_cast<int>(std::lround(b.yOpen)) - (w - 1) / 2, tick,
                                      w),
                                col);
                if (!std::isnan(b.yClose))
                    filler.fill(QRect(cx + w, static_cast<int>(std::lround(b.yClose)) - (w - 1) / 2,
                                      tick, w),
                                col);
            }
        }
    }
    filler.flush();
    m_p.restore();
}

void XYPainter::fills(const LayerShapes &s)
{
    m_p.save();
    m_p.setPen(Qt::NoPen);
    for (const auto &f : s.fills) {
        m_p.setBrush(Colors::toBrush(f.color));
        m_p.drawPolygon(f.polygon);
    }
    m_p.restore();
}

void XYPainter::marks(bool onTop)
{
    for (const Axis *a : m_c.axes()) {
        const AxisScale *s = m_l.scaleOf(a);
        if (!s)
            continue;
        for (const auto &m : a->marks()) {
            if (m->drawOnTop() != onTop || Colors::isInvisible(m->lineColor()) ||
                Chart::isNoValue(m->value()))
                continue;
            const double pos = crisp(s->toPixel(m->value()));
            m_p.save();
            m_p.setRenderHint(QPainter::Antialiasing, false);
            m_p.setPen(QPen(Colors::toQColor(m->lineColor()), std::max(1, m->lineWidth())));
            if (s->vertical)
                m_p.drawLine(QPointF(m_l.plot.left(), pos), QPointF(m_l.plot.right(), pos));
            else
                m_p.drawLine(QPointF(pos, m_l.plot.top()), QPointF(pos, m_l.plot.bottom()));
            m_p.restore();
        }
    }
}

void XYPainter::axis(const AxisScale &s, const Axis *a)
{
    if (!a || !s.visible)
        return;
    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing, false);
    const QRectF &r = m_l.plot;
    const double line =
        s.vertical ? crisp(s.linePos - (s.outward > 0 ? 1 : 0)) : crisp(s.linePos - 1);
    if (!Colors::isInvisible(a->axisColor()) && a->lineWidth() > 0) {
        m_p.setPen(QPen(Colors::toQColor(a->axisColor()), a->lineWidth()));
        if (s.vertical)
            m_p.drawLine(QPointF(line, r.top()), QPointF(line, r.bottom() - 1));
        else
            m_p.drawLine(QPointF(r.left(), line), QPointF(r.right() - 1, line));
    }
    if (!Colors::isInvisible(a->tickColor())) {
        m_p.setPen(QPen(Colors::toQColor(a->tickColor()), 1));
        for (const auto &t : s.ticks) {
            const int len = t.major ? a->majorTickLength() : a->minorTickLength();
            if (len == 0)
                continue;
            const double c = crisp(t.pos);
            const double dir = s.outward * (len > 0 ? 1 : -1) * 1.0;
            const double l = std::abs(len);
            // Outward ticks start just outside the axis line, inward ones on it.
            const double start = dir == s.outward ? line + dir : line;
            if (s.vertical) {
                if (c < r.top() || c > r.bottom())
                    continue;
                m_p.drawLine(QPointF(start, c), QPointF(start + dir * (l - 1), c));
            } else {
                if (c < r.left() || c > r.right())
                    continue;
                m_p.drawLine(QPointF(c, start), QPointF(c, start + dir * (l - 1)));
            }
        }
    }
    m_p.restore();
    for (const auto &lab : s.labels)
        lab.text.drawAt(m_p, lab.anchor, lab.alignment);
    if (!s.title.text.isEmpty())
        s.title.text.drawAt(m_p, s.title.anchor, s.title.alignment);
}

void XYPainter::legend()
{
    const LegendBox *lb = m_c.getLegend();
    if (!lb)
        return;
    std::vector<LegendEntry> entries;
    for (int li = 0; li < m_c.getLayerCount(); ++li) {
        const Layer *layer = m_c.getLayer(li);
        if (!layer->showsInLegend())
            continue;
        for (int k = 0; k < layer->getDataSetCount(); ++k) {
            const DataSet *ds = layer->getDataSet(k);
            if (ds->getDataName().isEmpty())
                continue;
            LegendEntry e;
            e.text = ds->getDataName();
            e.color = ds->getDataColor();
            e.order = ds->order();
            e.symbol = ds->symbol();
            e.symbolSize = ds->symbolSize();
            e.symbolFill = ds->symbolFill();
            e.symbolEdge = ds->symbolEdge();
            switch (layer->kind()) {
            case Layer::LineKind:
                e.icon = LegendEntry::LineIcon;
                e.lineWidth = ds->lineWidth() >= 0 ? ds->lineWidth() : layer->lineWidth();
                if (e.lineWidth <= 0 && e.symbol != Chart::NoSymbol)
                    e.icon = LegendEntry::SymbolIcon;
                break;
            case Layer::ScatterKind:
                e.icon = LegendEntry::SymbolIcon;
                break;
            default: {
                e.icon = LegendEntry::BoxIcon;
                const int border = layer->borderColor();
                e.edgeColor = border == Chart::SameAsMainColor ? e.color : border;
                if (layer->kind() == Layer::InterLineKind)
                    e.color = static_cast<const InterLineLayer *>(layer)->color12();
            }
            }
            entries.push_back(e);
        }
    }
    for (const auto &k : lb->keys()) {
        LegendEntry e;
        e.text = k.text;
        e.color = k.color;
        e.lineWidth = k.lineWidth;
        e.icon = k.lineWidth > 0 ? LegendEntry::LineIcon : LegendEntry::BoxIcon;
        e.order = k.order;
        entries.push_back(e);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const LegendEntry &a, const LegendEntry &b) { return a.order < b.order; });
    BoxPainter::paintLegend(m_p, *lb, entries);
}

} // namespace

void XYChart::paint(QPainter &p)
{
    paintBackground(p);
    if (m_layout)
        XYPainter(*this, *m_layout, p).paint();
    paintBoxes(p);
}
