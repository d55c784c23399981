#include "imagemap.h"

#include "labeltemplate.h"
#include "xychart.h"
#include "xylayout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace ImageMap {
namespace {

const QString defaultQuery = QStringLiteral(
    "?x={x}&xLabel={xLabel}&dataSet={dataSet}&dataSetName={dataSetName}&value={value}");

std::string hrefEscaped(const std::string &text)
{
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '"')
            out += "&quot;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out.push_back(c);
    }
    return out;
}

// The coordinates an area is written with: whole pixels, left-top then right-bottom.
Coords coordsOf(double x1, double y1, double x2, double y2)
{
    return {std::lround(std::min(x1, x2)), std::lround(std::min(y1, y2)),
            std::lround(std::max(x1, x2)), std::lround(std::max(y1, y2))};
}

} // namespace

struct LayerAreas::Writer
{
    bool hasUrl;
    std::string hrefUrl; // the url as written in the href attribute
    TextFormat::LabelTemplate query;
    TextFormat::LabelTemplate extra;

    void area(std::string &out, const Coords &c, const TextFormat::Fields &f) const
    {
        char buf[128];
        char *p = buf;
        const char head[] = "<area shape=\"rect\" coords=\"";
        std::memcpy(p, head, sizeof head - 1);
        p += sizeof head - 1;
        for (int k = 0; k < 4; ++k) {
            if (k)
                *p++ = ',';
            p = std::to_chars(p, buf + sizeof buf, c[k]).ptr;
        }
        *p++ = '"';
        out.append(buf, static_cast<size_t>(p - buf));
        if (hasUrl) {
            // The url and the query's own text come with & " < > as entities; the values are
            // URL-encoded and need none.
            out += " href=\"";
            out += hrefUrl;
            query.expandUtf8(out, f, TextFormat::Escape::HrefQuery);
            out.push_back('"');
        }
        if (!extra.isEmpty()) {
            out.push_back(' ');
            extra.expandUtf8(out, f, TextFormat::Escape::Html);
        }
        out += ">\n";
    }
};

LayerAreas::LayerAreas(const XYChart &chart, const Layer &layer, const QString &url,
                       const QString &queryFormat, const QString &extraAttr, int offsetX,
                       int offsetY)
    : m_chart(&chart), m_layer(&layer), m_offsetX(offsetX), m_offsetY(offsetY)
{
    const XYLayout *l = chart.layoutResult();
    m_shapes = l ? l->shapesOf(&layer) : nullptr;
    if (!m_shapes || layer.kind() == Layer::InterLineKind) {
        m_shapes = nullptr;
        return;
    }
    // The layer's own settings win over the caller's.
    const QString u = layer.mapUrl().isEmpty() ? url : layer.mapUrl();
    if (u == u"{disable}") {
        m_shapes = nullptr;
        return;
    }
    const QString q = !layer.mapQuery().isEmpty()
                          ? layer.mapQuery()
                          : (queryFormat.isEmpty() ? defaultQuery : queryFormat);
    const QString e = layer.mapExtra().isEmpty() ? extraAttr : layer.mapExtra();
    m_writer = std::make_shared<const Writer>(Writer{!u.isEmpty(), hrefEscaped(u.toStdString()),
                                                     TextFormat::LabelTemplate(q),
                                                     TextFormat::LabelTemplate(e)});
}

template <typename F> void LayerAreas::visit(F &&area) const
{
    if (!m_shapes)
        return;
    const XYLayout *l = m_chart->layoutResult();
    const LayerShapes *s = m_shapes;
    const Layer &layer = *m_layer;
    const Axis *xa = m_chart->xAxis();
    const auto &texts = xa->textLabels();
    const auto &times = xa->timeLabels();
    const bool xd = !layer.xData().empty();
    TextFormat::Fields f;
    auto setX = [&](int i) {
        f.dataItem = i;
        f.x = xd ? (i < static_cast<int>(layer.xData().size()) ? layer.xData()[i] : Chart::NoValue)
                 : i;
        const int li = xd ? static_cast<int>(std::lround(f.x)) : i;
        f.xLabelText = nullptr;
        f.xLabelTime = Chart::NoValue;
        if (!xd || l->x.indexBased) {
            if (li >= 0 && li < static_cast<int>(times.size()))
                f.xLabelTime = times[li];
            else if (li >= 0 && li < static_cast<int>(texts.size()))
                f.xLabelText = &texts[li];
        }
    };
    const double ox = m_offsetX, oy = m_offsetY;
    const double slotHalf = std::max(0.5, s->slot / 2);
    switch (layer.kind()) {
    case Layer::HLOCKind:
    case Layer::CandleStickKind: {
        const DataSet *dh = layer.getDataSet(0), *dl = layer.getDataSet(1),
                      *dop = layer.getDataSet(2), *dc = layer.getDataSet(3);
        f.dataSet = 0;
        f.dataSetName = dc ? &dc->getDataName() : nullptr;
        for (const auto &b : s->boxes) {
            const int i = b.index;
            const double half = std::max<double>(b.half, slotHalf);
            area(coordsOf(ox + b.x - half, oy + std::min(b.yHigh, b.yLow) - 1, ox + b.x + half - 1,
                          oy + std::max(b.yHigh, b.yLow) + 1),
                 [&]() -> const TextFormat::Fields & {
                     setX(i);
                     f.high = dh ? dh->getValue(i) : Chart::NoValue;
                     f.low = dl ? dl->getValue(i) : Chart::NoValue;
                     f.open = dop ? dop->getValue(i) : Chart::NoValue;
                     f.close = dc ? dc->getValue(i) : Chart::NoValue;
                     f.value = f.close;
                     return f;
                 });
        }
        break;
    }
    case Layer::BarKind:
        for (const auto &b : s->bars) {
            const QRectF &r = b.rect;
            area(coordsOf(ox + r.left(), oy + r.top(), ox + std::max(r.left(), r.right() - 1),
                          oy + std::max(r.top(), r.bottom() - 1)),
                 [&]() -> const TextFormat::Fields & {
                     const DataSet *ds = layer.getDataSet(b.dataSet);
                     setX(b.index);
                     f.dataSet = b.dataSet;
                     f.dataSetName = ds ? &ds->getDataName() : nullptr;
                     f.value = b.value;
                     f.open = f.high = f.low = f.close = Chart::NoValue;
                     return f;
                 });
        }
        break;
    default:
        for (const auto &line : s->lines) {
            const DataSet *ds = line.dataSet;
            const double symHalf = ds->symbol() != Chart::NoSymbol ? ds->symbolSize() / 2.0 + 1 : 0;
            const double hw = std::max({1.0, std::min(5.0, slotHalf), symHalf});
            const double hh = std::max(5.0, symHalf);
            for (size_t k = 0; k < line.points.size(); ++k) {
                const QPointF &p = line.points[k];
                if (std::isnan(p.y()))
                    continue;
                area(coordsOf(ox + p.x() - hw, oy + p.y() - hh, ox + p.x() + hw, oy + p.y() + hh),
                     [&]() -> const TextFormat::Fields & {
                         f.dataSet = line.dataSetIndex;
                         f.dataSetName = &ds->getDataName();
                         f.open = f.high = f.low = f.close = Chart::NoValue;
                         setX(line.indexes[k]);
                         f.value = ds->getValue(line.indexes[k]);
                         return f;
                     });
            }
        }
    }
}

void LayerAreas::forEachArea(const std::function<void(const Coords &)> &take) const
{
    visit([&](const Coords &c, auto &&) { take(c); });
}

QString LayerAreas::tag(int n) const
{
    std::string bytes;
    int at = 0;
    visit([&](const Coords &c, auto &&fields) {
        if (at++ == n)
            m_writer->area(bytes, c, fields());
    });
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void LayerAreas::append(QString &out) const
{
    if (!m_shapes)
        return;
    std::string bytes;
    size_t areas = m_shapes->boxes.size() + m_shapes->bars.size() + 8;
    for (const auto &line : m_shapes->lines)
        areas += line.points.size();
    bytes.reserve(200 * areas);
    visit([&](const Coords &c, auto &&fields) { m_writer->area(bytes, c, fields()); });
    const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (out.isEmpty())
        out = text; // shares the text: no copy of a map of megabytes
    else
        out.append(text);
}

void appendLayer(QString &out, const XYChart &chart, const Layer &layer, const QString &url,
                 const QString &queryFormat, const QString &extraAttr, int offsetX, int offsetY)
{
    LayerAreas(chart, layer, url, queryFormat, extraAttr, offsetX, offsetY).append(out);
}

void appendChart(QString &out, const XYChart &chart, const QString &url, const QString &queryFormat,
                 const QString &extraAttr, int offsetX, int offsetY)
{
    // Top layers first: the first area under a point wins.
    const auto &order = chart.drawOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        appendLayer(out, chart, **it, url, queryFormat, extraAttr, offsetX, offsetY);
}

} // namespace ImageMap

void XYChart::appendImageMap(QString &out, const QString &url, const QString &query,
                             const QString &extra, int offsetX, int offsetY) const
{
    ImageMap::appendChart(out, *this, url, query, extra, absoluteOffsetX() + offsetX,
                          absoluteOffsetY() + offsetY);
}
