#include "pictures.h"

#include "artkit.h"

#include <QFont>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>

namespace art {

namespace {

QFont brandFont(int pixelSize, int weight = QFont::Bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Weight(weight));
    return font;
}

// Deterministic price-like walk, so the artwork is the same on every run.
QList<qreal> priceWalk(int count, quint32 seed)
{
    QList<qreal> values;
    qreal v = 0;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const qreal noise = ((seed >> 8) % 1000) / 1000.0 - 0.5;
        v += 0.35 + noise * 3.0;
        values << v;
    }
    // Fit into 0.15 .. 0.8 of the band, so the line climbs without touching its edges.
    const auto [lo, hi] = std::minmax_element(values.cbegin(), values.cend());
    const qreal low = *lo, span = qMax(1e-9, *hi - *lo);
    for (qreal &value : values)
        value = 0.15 + 0.65 * (value - low) / span;
    return values;
}

} // namespace

void drawMark(QPainter &p, const QRectF &box, const QColor &mono)
{
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 100.0, box.height() / 100.0);
    const bool colour = !mono.isValid();
    if (colour) {
        QLinearGradient bg(0, 0, 0, 100);
        bg.setColorAt(0, QColor(0x2f, 0x7f, 0xc6));
        bg.setColorAt(1, QColor(0x1a, 0x4a, 0x7d));
        p.setPen(QPen(QColor(0x0b, 0x1f, 0x36), 3));
        p.setBrush(bg);
        p.drawRoundedRect(QRectF(2, 2, 96, 96), 22, 22);
    }
    const QColor arcColour = colour ? ink::white : mono;
    const QColor lineColour = colour ? ink::cyan : mono;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(arcColour, 11, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(18, 18, 64, 64), 50 * 16, 260 * 16);
    QPainterPath line;
    line.moveTo(32, 64);
    line.lineTo(46, 52);
    line.lineTo(57, 60);
    line.lineTo(82, 32);
    line.moveTo(68, 31);
    line.lineTo(83, 31);
    line.lineTo(83, 46);
    p.setPen(QPen(lineColour, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(line);
    p.restore();
}

QImage logoPicture()
{
    QImage image = transparentImage(170, 36);
    QPainter p(&image);
    prepare(p);
    drawMark(p, QRectF(2, 2, 32, 32));
    p.setFont(brandFont(21));
    p.setPen(ink::white);
    p.drawText(QRectF(42, 0, 128, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Corvane"));
    return image;
}

QImage splashPicture()
{
    const int w = 480, h = 300;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    prepare(p);

    QLinearGradient bg(0, 0, 0, h);
    bg.setColorAt(0, QColor(0x10, 0x27, 0x45));
    bg.setColorAt(0.6, QColor(0x0c, 0x1d, 0x34));
    bg.setColorAt(1, QColor(0x07, 0x12, 0x21));
    p.fillRect(image.rect(), bg);

    // Chart motif in the middle band only: the top and bottom strips stay calm for the
    // white start-up messages.
    const QRectF chart(0, 44, w, 186);
    p.setPen(QPen(QColor(0x21, 0x48, 0x6e, 90), 1));
    for (int i = 0; i <= 4; ++i) {
        const qreal y = chart.top() + i * chart.height() / 4;
        p.drawLine(QPointF(0, y), QPointF(w, y));
    }
    for (int x = 40; x < w; x += 60)
        p.drawLine(QPointF(x, chart.top()), QPointF(x, chart.bottom()));

    const QList<qreal> walk = priceWalk(61, 20120316u);
    QPainterPath line;
    for (int i = 0; i < walk.size(); ++i) {
        const QPointF pt(i * w / 60.0, chart.bottom() - walk[i] * chart.height() * 0.9);
        if (i == 0)
            line.moveTo(pt);
        else
            line.lineTo(pt);
    }
    QPainterPath area = line;
    area.lineTo(w, chart.bottom());
    area.lineTo(0, chart.bottom());
    area.closeSubpath();
    QLinearGradient fill(0, chart.top(), 0, chart.bottom());
    fill.setColorAt(0, QColor(0x64, 0xda, 0xe3, 70));
    fill.setColorAt(1, QColor(0x64, 0xda, 0xe3, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(area);
    // Volume bars along the bottom of the band.
    for (int i = 0; i < walk.size(); ++i) {
        const qreal up = i > 0 && walk[i] >= walk[i - 1];
        const qreal bar = 6 + std::fmod(walk[i] * 97.0, 1.0) * 18;
        p.setBrush(up ? QColor(0x99, 0xff, 0x99, 38) : QColor(0xff, 0x99, 0x99, 38));
        p.drawRect(QRectF(i * w / 60.0 - 2.5, chart.bottom() - bar, 5, bar));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x64, 0xda, 0xe3, 150), 2));
    p.drawPath(line);

    // Darken behind the name so it reads over the chart.
    QRadialGradient veil(QPointF(170, 140), 190);
    veil.setColorAt(0, QColor(0x0c, 0x1d, 0x34, 200));
    veil.setColorAt(1, QColor(0x0c, 0x1d, 0x34, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(veil);
    p.drawRect(image.rect());

    drawMark(p, QRectF(40, 96, 76, 76));
    p.setPen(ink::white);
    p.setFont(brandFont(50));
    p.drawText(QRectF(132, 92, 330, 62), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Corvane"));
    p.setPen(QColor(0x9f, 0xb8, 0xd2));
    p.setFont(brandFont(14, QFont::Normal));
    p.drawText(QRectF(135, 150, 330, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Quotes \u00b7 Charts \u00b7 News \u00b7 Portfolio"));

    // Thin rules framing the message strips, and a border so the splash has an edge.
    p.setPen(QPen(QColor(0x21, 0x48, 0x6e), 1));
    p.drawLine(QPointF(0, 250.5), QPointF(w, 250.5));
    p.setPen(QPen(QColor(0x64, 0xda, 0xe3, 160), 2));
    p.drawLine(QPointF(0, 1), QPointF(w, 1));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x21, 0x48, 0x6e), 1));
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    return image;
}

QImage watermarkPicture()
{
    // Mid-tone at low opacity: visible as a tint on the white plot area and on the navy frame.
    const QColor tone(0x8a, 0xa4, 0xc0, 34);
    QImage image = transparentImage(360, 110);
    QPainter p(&image);
    prepare(p);
    drawMark(p, QRectF(8, 15, 80, 80), tone);
    p.setPen(tone);
    p.setFont(brandFont(54));
    p.drawText(QRectF(100, 0, 260, 110), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Corvane"));
    return image;
}

QImage settingsPicture()
{
    QImage image = transparentImage(100, 100);
    QPainter p(&image);
    prepare(p);
    const QPointF c(50, 50);
    const int teeth = 10;
    QPainterPath gear;
    for (int i = 0; i < teeth * 4; ++i) {
        // Each tooth: rise, top, fall, root.
        const qreal a = qDegreesToRadians(i * 360.0 / (teeth * 4) - 4.5);
        const qreal r = (i % 4 == 1 || i % 4 == 2) ? 44 : 35;
        const QPointF pt(c.x() + r * qCos(a), c.y() + r * qSin(a));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    gear = gear.subtracted(circle(50, 50, 15));
    QLinearGradient metal(0, 6, 0, 94);
    metal.setColorAt(0, QColor(0x3a, 0x6e, 0xa3, 120));
    metal.setColorAt(1, QColor(0x1a, 0x3a, 0x5f, 120));
    p.setPen(QPen(QColor(0x0b, 0x1a, 0x2e, 140), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(metal);
    p.drawPath(gear);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x64, 0xda, 0xe3, 110), 3));
    p.drawEllipse(c, 24, 24);
    return image;
}

QImage arrowGlyph(int rotationDeg, const QColor &colour)
{
    return supersampled(12, 12, 4, [&](QPainter &p) {
        p.translate(24, 24);
        p.rotate(rotationDeg);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(QPolygonF({{-18, -8}, {18, -8}, {0, 12}}));
    });
}

QImage checkGlyph(const QColor &colour)
{
    return supersampled(12, 12, 4, [&](QPainter &p) {
        QPainterPath tick;
        tick.moveTo(8, 25);
        tick.lineTo(19, 37);
        tick.lineTo(40, 11);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colour, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
    });
}

} // namespace art
