#include "artkit.h"

#include <QDir>
#include <QFileInfo>
#include <QtMath>
#include <cstdio>

namespace art {

QImage transparentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
}

QPainterPath roundRect(qreal x, qreal y, qreal w, qreal h, qreal r)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), r, r);
    return path;
}

QPainterPath circle(qreal cx, qreal cy, qreal r)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), r, r);
    return path;
}

void outlined(QPainter &p, const QPainterPath &shape, const QColor &fill, qreal width)
{
    p.setPen(QPen(ink::outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(shape);
}

void outlineOnly(QPainter &p, const QPainterPath &shape, qreal width)
{
    p.setPen(QPen(ink::outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

void rimmedStroke(QPainter &p, const QPainterPath &path, const QColor &colour, qreal width,
                  qreal rim)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink::outline, width + 2 * rim, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void stroke(QPainter &p, const QPainterPath &path, const QColor &colour, qreal width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

QPainterPath star(qreal cx, qreal cy, qreal outer, qreal inner, int points, qreal rotationDeg)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const qreal r = (i % 2 == 0) ? outer : inner;
        const qreal a = qDegreesToRadians(rotationDeg + i * 180.0 / points);
        const QPointF pt(cx + r * qCos(a), cy + r * qSin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

bool savePng(const QImage &image, const QString &path)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()) || !image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace art
