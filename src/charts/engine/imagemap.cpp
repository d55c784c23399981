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

struct Writer
{
    std::string &out;
    bool hasUrl;
    std::string url;
    TextFormat::LabelTemplate query;
    TextFormat::LabelTemplate extra;
    std::string scratch;

    void area(double x1, double y1, double x2, double y2, const TextFormat::Fields &f)
    {
        char buf[128];
        char *p = buf;
        const char head[] = "<area shape=\"rect\" coords=\"";
        std::memcpy(p, head, sizeof head - 1);
        p += sizeof head - 1;
        const long c[4] = {std::lround(std::min(x1, x2)), std::lround(std::min(y1, y2)),
                           std::lround(std::max(x1, x2)), std::lround(std::max(y1, y2))};
        for (int k = 0; k < 4; ++k) {
            if (k)
                *p++ = ',';
            p = std::to_chars(p, buf + sizeof buf, c[k]).ptr;
        }
        *p++ = '"';
        out.append(buf, static_cast<size_t>(p - buf));
        if (hasUrl) {
            scratch = url;
            query.expandUtf8(scratch, f, TextFormat::Escape::Url);
            // The query's separators become entities; the values are already URL-encoded.
            // Written through a pointer: an entity takes at most six bytes.
            const size_t old = out.size();
            out.resize(old + 8 + 6 * scratch.size());
            char *d = out.data() + old;
            auto put = [&d](const char *text, size_t n) {
                std::memcpy(d, text, n);
                d += n;
            };
            put(" href=\"", 7);
            for (char ch : scratch) {
                switch (ch) {
                case '&':
                    put("&amp;", 5);
                    break;
                case '"':
                    put("&quot;", 6);
                    break;
                case '<':
                    put("&lt;", 4);
                    break;
                case '>':
                    put("&gt;", 4);
                    break;
                default:
                    *d++ = ch;
                }
            }
            *d++ = '"';
            out.resize(static_cast<size_t>(d - out.data()));
        }
        if (!extra.isEmpty()) {
            out.push_back(' ');
            extra.expandUtf8(out, f, TextFormat::Escape::Html);
        }
        out += ">\n";
    }
};

} // namespace

void appendLayer(QString &out, const XYChart &chart, const Layer &layer, const QString &url,
                 const QString &queryFormat, const QString &extraAttr, int offsetX, int offsetY)
{
    const XYLayout *l = chart.layoutResult();
    if (!l)
        return;
    const LayerShapes *s = l->shapesOf(&layer);
    if (!s || layer.kind() == Layer::InterLineKind)
        return;
    // The layer's own settings win over the caller's.
    const QString u = layer.mapUrl().isEmpty() ? url : layer.mapUrl();
    if (u == u"{disable}")
        return;
    const QString q = !layer.mapQuery().isEmpty()
                          ? layer.mapQuery()
                          : (queryFormat.isEmpty() ? defaultQuery : queryFormat);
    const QString e = layer.mapExtra().isEmpty() ? extraAttr : layer.mapExtra();
    std::string bytes;
    Writer w{bytes,
             !u.isEmpty(),
             u.toStdString(),
             TextFormat::LabelTemplate(q),
             TextFormat::LabelTemplate(e),
             std::string()};

    const Axis *xa = chart.xAxis();
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
    bytes.reserve(200 * (s->boxes.size() + s->bars.size() + 8));
    const double ox = offsetX, oy = offsetY;
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
            setX(i);
            f.high = dh ? dh->getValue(i) : Chart::NoValue;
            f.low = dl ? dl->getValue(i) : Chart::NoValue;
            f.open = dop ? dop->getValue(i) : Chart::NoValue;
            f.close = dc ? dc->getValue(i) : Chart::NoValue;
            f.value = f.close;
            const double half = std::max<double>(b.half, slotHalf);
            w.area(ox + b.x - half, oy + std::min(b.yHigh, b.yLow) - 1, ox + b.x + half - 1,
                   oy + std::max(b.yHigh, b.yLow) + 1, f);
        }
        break;
    }
    case Layer::BarKind:
        for (const auto &b : s->bars) {
            const DataSet *ds = layer.getDataSet(b.dataSet);
            setX(b.index);
            f.dataSet = b.dataSet;
            f.dataSetName = ds ? &ds->getDataName() : nullptr;
            f.value = b.value;
            f.open = f.high = f.low = f.close = Chart::NoValue;
            const QRectF &r = b.rect;
            w.area(ox + r.left(), oy + r.top(), ox + std::max(r.left(), r.right() - 1),
                   oy + std::max(r.top(), r.bottom() - 1), f);
        }
        break;
    default:
        for (const auto &line : s->lines) {
            const DataSet *ds = line.dataSet;
            f.dataSet = line.dataSetIndex;
            f.dataSetName = &ds->getDataName();
            f.open = f.high = f.low = f.close = Chart::NoValue;
            const double symHalf = ds->symbol() != Chart::NoSymbol ? ds->symbolSize() / 2.0 + 1 : 0;
            const double hw = std::max({1.0, std::min(5.0, slotHalf), symHalf});
            const double hh = std::max(5.0, symHalf);
            for (size_t k = 0; k < line.points.size(); ++k) {
                const QPointF &p = line.points[k];
                if (std::isnan(p.y()))
                    continue;
                setX(line.indexes[k]);
                f.value = ds->getValue(line.indexes[k]);
                w.area(ox + p.x() - hw, oy + p.y() - hh, ox + p.x() + hw, oy + p.y() + hh, f);
            }
        }
    }
    const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (out.isEmpty())
        out = text; // shares the text: no copy of a map of megabytes
    else
        out.append(text);
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
