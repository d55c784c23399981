#include "symbols.h"

#include "chartconst.h"
#include "colors.h"

#include <QHash>
#include <QPainter>
#include <cmath>

namespace Symbols {

QPainterPath path(int symbol, double size)
{
    const double h = size / 2;
    QPainterPath p;
    switch (symbol) {
    case Chart::SquareSymbol:
        p.addRect(QRectF(-h, -h, size, size));
        break;
    case Chart::DiamondSymbol:
        p.moveTo(0, -h);
        p.lineTo(h, 0);
        p.lineTo(0, h);
        p.lineTo(-h, 0);
        p.closeSubpath();
        break;
    case Chart::TriangleSymbol:
        p.moveTo(0, -h);
        p.lineTo(h, h);
        p.lineTo(-h, h);
        p.closeSubpath();
        break;
    case Chart::InvertedTriangleSymbol:
        p.moveTo(-h, -h);
        p.lineTo(h, -h);
        p.lineTo(0, h);
        p.closeSubpath();
        break;
    case Chart::RightTriangleSymbol:
        p.moveTo(-h, -h);
        p.lineTo(h, 0);
        p.lineTo(-h, h);
        p.closeSubpath();
        break;
    case Chart::LeftTriangleSymbol:
        p.moveTo(h, -h);
        p.lineTo(h, h);
        p.lineTo(-h, 0);
        p.closeSubpath();
        break;
    case Chart::CircleSymbol:
        p.addEllipse(QPointF(0, 0), h, h);
        break;
    case Chart::CrossSymbol: {
        const double t = std::max(1.0, size / 6);
        p.addRect(QRectF(-h, -t, size, 2 * t));
        p.addRect(QRectF(-t, -h, 2 * t, size));
        p.setFillRule(Qt::WindingFill);
        p = p.simplified();
        break;
    }
    case Chart::Cross2Symbol: {
        const double t = std::max(1.0, size / 6);
        QPainterPath bar;
        bar.addRect(QRectF(-h * 1.2, -t, size * 1.2, 2 * t));
        QTransform r1, r2;
        r1.rotate(45);
        r2.rotate(-45);
        p.addPath(r1.map(bar));
        p.addPath(r2.map(bar));
        p.setFillRule(Qt::WindingFill);
        p = p.simplified();
        break;
    }
    default:
        break;
    }
    return p;
}

namespace {

// A sprite's look; looked up once per marker, so it is compared as numbers, not text.
struct SpriteKey
{
    int symbol, size, fillColor, edgeColor, lineWidth;
    bool operator==(const SpriteKey &) const = default;
};

size_t qHash(const SpriteKey &k, size_t seed = 0)
{
    return qHashMulti(seed, k.symbol, k.size, k.fillColor, k.edgeColor, k.lineWidth);
}

} // namespace

const QImage &sprite(int symbol, int size, int fillColor, int edgeColor, int lineWidth)
{
    thread_local QHash<SpriteKey, QImage> cache;
    const SpriteKey key{symbol, size, fillColor, edgeColor, lineWidth};
    auto it = cache.find(key);
    if (it != cache.end())
        return *it;
    const int dim = size + 2 * std::max(1, lineWidth) + 2;
    QImage img(dim, dim, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.translate(dim / 2.0, dim / 2.0);
        if (!Colors::isInvisible(edgeColor) && lineWidth > 0)
            p.setPen(QPen(Colors::toQColor(edgeColor), lineWidth, Qt::SolidLine, Qt::SquareCap,
                          Qt::MiterJoin));
        else
            p.setPen(Qt::NoPen);
        p.setBrush(Colors::isInvisible(fillColor) ? QBrush(Qt::NoBrush)
                                                  : QBrush(Colors::toQColor(fillColor)));
        p.drawPath(path(symbol, size));
    }
    return *cache.insert(key, img);
}

void draw(QPainter &p, double x, double y, int symbol, int size, int fillColor, int edgeColor,
          int lineWidth)
{
    if (symbol == Chart::NoSymbol || size <= 0)
        return;
    const QImage &img = sprite(symbol, size, fillColor, edgeColor, lineWidth);
    // Whole pixels keep every copy of the sprite identical.
    p.drawImage(QPointF(std::round(x - img.width() / 2.0), std::round(y - img.height() / 2.0)),
                img);
}

} // namespace Symbols
