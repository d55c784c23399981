#pragma once

// Shared palette and drawing helpers, so every picture uses the same colours and line weights.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace art {

namespace ink {
inline const QColor outline{0x0e, 0x21, 0x38};
inline const QColor white{0xf4, 0xf7, 0xfb};
inline const QColor paper{0xe6, 0xec, 0xf3};
inline const QColor paperShade{0xb9, 0xc7, 0xd6};
inline const QColor steel{0x8f, 0xa3, 0xb8};
inline const QColor slate{0x4a, 0x5f, 0x78};
inline const QColor slateDark{0x33, 0x45, 0x5a};
inline const QColor blue{0x3d, 0x8f, 0xd6};
inline const QColor blueDark{0x27, 0x65, 0xa3};
inline const QColor blueLight{0x8c, 0xc4, 0xf0};
inline const QColor cyan{0x64, 0xda, 0xe3};
inline const QColor green{0x2f, 0xb8, 0x66};
inline const QColor greenDark{0x1f, 0x86, 0x49};
inline const QColor red{0xe0, 0x48, 0x3e};
inline const QColor redDark{0xa8, 0x30, 0x2a};
inline const QColor amber{0xf2, 0xa9, 0x3b};
inline const QColor amberDark{0xc9, 0x82, 0x22};
inline const QColor orange{0xf2, 0x7d, 0x21};
inline const QColor wood{0xb5, 0x77, 0x3a};
inline const QColor board{0x2f, 0x6b, 0x4f};
inline const QColor navy{0x13, 0x2c, 0x4e};
inline const QColor navyEdge{0x21, 0x48, 0x6e};
inline const QColor navyDeep{0x06, 0x0e, 0x17};
} // namespace ink

// Outline width of icon shapes on the 128-pixel canvas (about 1 px at 30 px).
constexpr qreal kOutline = 5.0;

QImage transparentImage(int width, int height);
void prepare(QPainter &p);

QPainterPath roundRect(qreal x, qreal y, qreal w, qreal h, qreal r);
QPainterPath circle(qreal cx, qreal cy, qreal r);

// Fills a shape and draws the dark outline around it.
void outlined(QPainter &p, const QPainterPath &shape, const QColor &fill, qreal width = kOutline);
// Draws only the dark outline (to close a shape after painting inside it).
void outlineOnly(QPainter &p, const QPainterPath &shape, qreal width = kOutline);
// A stroke with a dark rim: the outline colour underneath, the colour on top.
void rimmedStroke(QPainter &p, const QPainterPath &path, const QColor &colour, qreal width,
                  qreal rim = kOutline);
// A plain round-capped stroke.
void stroke(QPainter &p, const QPainterPath &path, const QColor &colour, qreal width);

// A regular star with n points.
QPainterPath star(qreal cx, qreal cy, qreal outer, qreal inner, int points = 5,
                  qreal rotationDeg = -90);

// Renders at `scale` times the size and scales down smoothly (for tiny pictures).
template <typename Paint> QImage supersampled(int width, int height, int scale, Paint paint)
{
    QImage big = transparentImage(width * scale, height * scale);
    {
        QPainter p(&big);
        prepare(p);
        paint(p);
    }
    return big.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Writes a PNG, creating folders as needed; false (with a message) on failure.
bool savePng(const QImage &image, const QString &path);

} // namespace art
