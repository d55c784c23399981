#include "boxpainter.h"

#include "colors.h"
#include "richtext.h"
#include "symbols.h"

#include <QPainter>
#include <cmath>

namespace BoxPainter {
namespace {

void paintFrame(QPainter &p, const Box &box, const QRectF &r)
{
    const bool fill = !Colors::isInvisible(box.bgColor());
    const int edge = box.edgeColor() == -1 ? Chart::Transparent : box.edgeColor();
    if (!fill && Colors::isInvisible(edge))
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, box.cornerRadius() > 0);
    p.setBrush(fill ? Colors::toBrush(box.bgColor()) : QBrush(Qt::NoBrush));
    if (Colors::isInvisible(edge))
        p.setPen(Qt::NoPen);
    else
        p.setPen(QPen(Colors::toQColor(edge), 1));
    const QRectF rr = Colors::isInvisible(edge) ? r : r.adjusted(0.5, 0.5, -0.5, -0.5);
    if (box.cornerRadius() > 0)
        p.drawRoundedRect(rr, box.cornerRadius(), box.cornerRadius());
    else if (Colors::isInvisible(edge))
        p.fillRect(rr, p.brush());
    else
        p.drawRect(rr);
    p.restore();
}

} // namespace

QRectF paintTextBox(QPainter &p, const TextBox &box, QPointF anchor, int alignment)
{
    RichText rt(box.text(), {box.fontName(), box.fontSize(), box.fontColor(), box.fontAngle()});
    const QRectF tb = rt.boundsAt(QPointF(0, 0), Chart::TopLeft);
    double w = tb.width() + box.marginLeft() + box.marginRight();
    double h = tb.height() + box.marginTop() + box.marginBottom();
    if (box.boxWidth() > 0)
        w = box.boxWidth();
    if (box.boxHeight() > 0)
        h = box.boxHeight();
    double x = anchor.x(), y = anchor.y();
    switch (alignment) {
    case 2:
    case 5:
    case 8:
        x -= w / 2;
        break;
    case 3:
    case 6:
    case 9:
        x -= w;
        break;
    default:
        break;
    }
    switch (alignment) {
    case 4:
    case 5:
    case 6:
        y -= h / 2;
        break;
    case 1:
    case 2:
    case 3:
        y -= h;
        break;
    default:
        break;
    }
    const QRectF r(std::round(x), std::round(y), std::round(w), std::round(h));
    paintFrame(p, box, r);
    rt.drawAt(p, QPointF(r.left() + box.marginLeft(), r.top() + box.marginTop()), Chart::TopLeft);
    return r;
}

QRectF paintLegend(QPainter &p, const LegendBox &legend, const std::vector<LegendEntry> &entries)
{
    const TextStyle style{legend.fontName(), legend.fontSize(), legend.fontColor(), 0};
    const QFontMetricsF &fm = Fonts::metrics(style.font, style.size);
    const double keyH = legend.keyHeight() > 0 ? legend.keyHeight() : std::round(fm.ascent() * 0.8);
    const double keyW = legend.keyWidth() > 0 ? legend.keyWidth() : keyH;
    const double lineKeyW = std::max(keyW, keyH * 2);
    struct Item
    {
        const LegendEntry *e;
        RichText text;
        double width;
        double height;
    };
    std::vector<Item> items;
    for (const auto &e : entries) {
        RichText rt(e.text, style, -1);
        const double iconW = e.icon == LegendEntry::LineIcon ? lineKeyW : keyW;
        items.push_back({&e, rt, iconW + 4 + rt.width(), std::max(rt.height(), keyH)});
    }
    if (legend.isReversed())
        std::reverse(items.begin(), items.end());

    const double ml = legend.marginLeft(), mr = legend.marginRight(), mt = legend.marginTop(),
                 mb = legend.marginBottom();
    const double maxRow = legend.boxWidth() > 0 ? legend.boxWidth() - ml - mr : 1e9;
    // Flow the items into rows (horizontal legends) or one per row (vertical ones).
    std::vector<std::vector<const Item *>> rows(1);
    double rowW = 0;
    for (const auto &it : items) {
        if (legend.isVertical()) {
            if (!rows.back().empty())
                rows.emplace_back();
        } else if (!rows.back().empty() && rowW + legend.keySpacing() + it.width > maxRow) {
            rows.emplace_back();
            rowW = 0;
        }
        rowW += (rows.back().empty() ? 0 : legend.keySpacing()) + it.width;
        rows.back().push_back(&it);
    }
    double contentW = 0, contentH = 0;
    std::vector<double> rowH;
    for (const auto &row : rows) {
        double w = 0, h = fm.height();
        for (const Item *it : row) {
            w += (w > 0 ? legend.keySpacing() : 0) + it->width;
            h = std::max(h, it->height);
        }
        contentW = std::max(contentW, w);
        rowH.push_back(h);
        contentH += h;
    }
    const double w = legend.boxWidth() > 0 ? legend.boxWidth() : contentW + ml + mr;
    const double h = legend.boxHeight() > 0 ? legend.boxHeight() : contentH + mt + mb;
    const QRectF box(legend.x(), legend.y(), w, h);
    if (items.empty())
        return QRectF(legend.x(), legend.y(), 0, 0);
    paintFrame(p, legend, box);

    double y = box.top() + mt;
    for (size_t r = 0; r < rows.size(); ++r) {
        double x = box.left() + ml;
        const double cy = y + rowH[r] / 2;
        for (const Item *it : rows[r]) {
            const LegendEntry &e = *it->e;
            const double iconW = e.icon == LegendEntry::LineIcon ? lineKeyW : keyW;
            p.save();
            if (e.icon == LegendEntry::LineIcon) {
                p.setRenderHint(QPainter::Antialiasing, true);
                if (e.lineWidth > 0 && !Colors::isInvisible(e.color)) {
                    p.setPen(
                        QPen(Colors::toQColor(e.color), e.lineWidth, Qt::SolidLine, Qt::FlatCap));
                    p.drawLine(QPointF(x, cy), QPointF(x + iconW, cy));
                }
                if (e.symbol != Chart::NoSymbol)
                    Symbols::draw(p, x + iconW / 2, cy, e.symbol,
                                  std::min<int>(e.symbolSize, static_cast<int>(keyH) + 2),
                                  e.symbolFill == -1 ? e.color : e.symbolFill,
                                  e.symbolEdge == -1 ? e.color : e.symbolEdge);
            } else if (e.icon == LegendEntry::SymbolIcon) {
                Symbols::draw(p, x + iconW / 2, cy, e.symbol,
                              std::min<int>(e.symbolSize, static_cast<int>(keyH) + 2),
                              e.symbolFill == -1 ? e.color : e.symbolFill,
                              e.symbolEdge == -1 ? e.color : e.symbolEdge);
            } else {
                const QRectF key(std::round(x), std::round(cy - keyH / 2), keyW, keyH);
                p.fillRect(key, Colors::toBrush(e.color));
                const int edge = e.edgeColor == -1 ? Chart::Transparent : e.edgeColor;
                if (!Colors::isInvisible(edge)) {
                    p.setPen(Colors::toQColor(edge));
                    p.setBrush(Qt::NoBrush);
                    p.drawRect(key.adjusted(0.5, 0.5, -0.5, -0.5));
                }
            }
            p.restore();
            it->text.drawAt(p, QPointF(x + iconW + 4, cy), Chart::Left);
            x += it->width + legend.keySpacing();
        }
        y += rowH[r];
    }
    return box;
}

} // namespace BoxPainter
