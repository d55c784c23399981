#include "flags.h"

#include "artkit.h"

#include <QtMath>

namespace art {

namespace {

void band(QPainter &p, const QRectF &r, const QColor &c)
{
    p.fillRect(r, c);
}

void nordicCross(QPainter &p, qreal w, qreal h, const QColor &field, const QColor &cross,
                 qreal crossWidth)
{
    band(p, QRectF(0, 0, w, h), field);
    const qreal x = w * 0.36;
    band(p, QRectF(x - crossWidth / 2, 0, crossWidth, h), cross);
    band(p, QRectF(0, h / 2 - crossWidth / 2, w, crossWidth), cross);
}

void unionJack(QPainter &p, qreal w, qreal h)
{
    const QColor blue(0x01, 0x21, 0x69), red(0xc8, 0x10, 0x2e);
    p.save();
    p.setClipRect(QRectF(0, 0, w, h));
    band(p, QRectF(0, 0, w, h), blue);
    p.setPen(QPen(Qt::white, h * 0.2));
    p.drawLine(QPointF(0, 0), QPointF(w, h));
    p.drawLine(QPointF(w, 0), QPointF(0, h));
    p.setPen(QPen(red, h * 0.07));
    p.drawLine(QPointF(0, 0), QPointF(w, h));
    p.drawLine(QPointF(w, 0), QPointF(0, h));
    band(p, QRectF(w / 2 - h * 0.17, 0, h * 0.34, h), Qt::white);
    band(p, QRectF(0, h / 2 - h * 0.17, w, h * 0.34), Qt::white);
    band(p, QRectF(w / 2 - h * 0.1, 0, h * 0.2, h), red);
    band(p, QRectF(0, h / 2 - h * 0.1, w, h * 0.2), red);
    p.restore();
}

void starAt(QPainter &p, qreal cx, qreal cy, qreal r, const QColor &c, int points = 5)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(star(cx, cy, r, r * (points == 7 ? 0.5 : 0.42), points));
}

void usd(QPainter &p, qreal w, qreal h)
{
    const QColor red(0xb2, 0x22, 0x34), blue(0x3c, 0x3b, 0x6e);
    const qreal stripe = h / 13;
    for (int i = 0; i < 13; ++i)
        band(p, QRectF(0, i * stripe, w, stripe + 0.5), i % 2 == 0 ? red : Qt::white);
    const qreal cw = w * 0.4, ch = stripe * 7;
    band(p, QRectF(0, 0, cw, ch), blue);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 5; ++col)
            p.drawEllipse(
                QPointF(cw * (col + 0.5 + (row % 2) * 0.25) / 5.4, ch * (row + 0.6) / 4.2),
                h * 0.025, h * 0.025);
}

void eur(QPainter &p, qreal w, qreal h)
{
    band(p, QRectF(0, 0, w, h), QColor(0x00, 0x33, 0x99));
    for (int i = 0; i < 12; ++i) {
        const qreal a = qDegreesToRadians(i * 30.0);
        starAt(p, w / 2 + h * 0.32 * qCos(a), h / 2 + h * 0.32 * qSin(a), h * 0.065,
               QColor(0xff, 0xcc, 0x00));
    }
}

void gbp(QPainter &p, qreal w, qreal h)
{
    unionJack(p, w, h);
}

void jpy(QPainter &p, qreal w, qreal h)
{
    band(p, QRectF(0, 0, w, h), Qt::white);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xbc, 0x00, 0x2d));
    p.drawEllipse(QPointF(w / 2, h / 2), h * 0.3, h * 0.3);
}

void chf(QPainter &p, qreal w, qreal h)
{
    band(p, QRectF(0, 0, w, h), QColor(0xda, 0x29, 0x1c));
    const qreal arm = h * 0.18, len = h * 0.62;
    band(p, QRectF(w / 2 - arm / 2, h / 2 - len / 2, arm, len), Qt::white);
    band(p, QRectF(w / 2 - len / 2, h / 2 - arm / 2, len, arm), Qt::white);
}

void cad(QPainter &p, qreal w, qreal h)
{
    const QColor red(0xd8, 0x06, 0x21);
    band(p, QRectF(0, 0, w, h), Qt::white);
    band(p, QRectF(0, 0, w / 4, h), red);
    band(p, QRectF(w * 3 / 4, 0, w / 4, h), red);
    // A simplified maple leaf.
    static const QPointF leaf[] = {
        {0, -0.95},    {0.15, -0.62},  {0.32, -0.72},  {0.27, -0.3},   {0.52, -0.52},
        {0.6, -0.36},  {0.86, -0.42},  {0.72, -0.12},  {0.82, -0.04},  {0.44, 0.26},
        {0.5, 0.42},   {0.07, 0.36},   {0.07, 0.8},    {-0.07, 0.8},   {-0.07, 0.36},
        {-0.5, 0.42},  {-0.44, 0.26},  {-0.82, -0.04}, {-0.72, -0.12}, {-0.86, -0.42},
        {-0.6, -0.36}, {-0.52, -0.52}, {-0.27, -0.3},  {-0.32, -0.72}, {-0.15, -0.62}};
    QPolygonF poly;
    for (const QPointF &pt : leaf)
        poly << QPointF(w / 2 + pt.x() * h * 0.36, h / 2 + pt.y() * h * 0.36);
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPolygon(poly);
}

void southernCross(QPainter &p, qreal w, qreal h, const QColor &fill, const QColor &edge,
                   bool fifth)
{
    const QPointF stars[] = {{0.75, 0.22}, {0.62, 0.47}, {0.87, 0.42}, {0.75, 0.8}};
    for (const QPointF &s : stars) {
        if (edge.isValid())
            starAt(p, s.x() * w, s.y() * h, h * 0.095, edge);
        starAt(p, s.x() * w, s.y() * h, h * 0.07, fill, fifth ? 7 : 5);
    }
    if (fifth)
        starAt(p, 0.81 * w, 0.6 * h, h * 0.04, fill);
}

void aud(QPainter &p, qreal w, qreal h)
{
    band(p, QRectF(0, 0, w, h), QColor(0x01, 0x21, 0x69));
    unionJack(p, w / 2, h / 2);
    starAt(p, w * 0.25, h * 0.75, h * 0.13, Qt::white, 7);
    southernCross(p, w, h, Qt::white, QColor(), true);
}

void nzd(QPainter &p, qreal w, qreal h)
{
    band(p, QRectF(0, 0, w, h), QColor(0x01, 0x21, 0x69));
    unionJack(p, w / 2, h / 2);
    southernCross(p, w, h, QColor(0xc8, 0x10, 0x2e), Qt::white, false);
}

void cny(QPainter &p, qreal w, qreal h)
{
    const QColor yellow(0xff, 0xde, 0x00);
    band(p, QRectF(0, 0, w, h), QColor(0xde, 0x29, 0x10));
    starAt(p, w * 0.17, h * 0.27, h * 0.16, yellow);
    const QPointF small[] = {{0.33, 0.1}, {0.4, 0.2}, {0.4, 0.35}, {0.33, 0.45}};
    for (const QPointF &s : small)
        starAt(p, s.x() * w, s.y() * h, h * 0.055, yellow);
}

void sek(QPainter &p, qreal w, qreal h)
{
    nordicCross(p, w, h, QColor(0x00, 0x6a, 0xa7), QColor(0xfe, 0xcc, 0x00), h * 0.2);
}

void nok(QPainter &p, qreal w, qreal h)
{
    nordicCross(p, w, h, QColor(0xba, 0x0c, 0x2f), Qt::white, h * 0.28);
    const qreal x = w * 0.36, cw = h * 0.14;
    band(p, QRectF(x - cw / 2, 0, cw, h), QColor(0x00, 0x20, 0x5b));
    band(p, QRectF(0, h / 2 - cw / 2, w, cw), QColor(0x00, 0x20, 0x5b));
}

void dkk(QPainter &p, qreal w, qreal h)
{
    nordicCross(p, w, h, QColor(0xc8, 0x10, 0x2e), Qt::white, h * 0.16);
}

void hkd(QPainter &p, qreal w, qreal h)
{
    band(p, QRectF(0, 0, w, h), QColor(0xde, 0x29, 0x10));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 5; ++i) {
        p.save();
        p.translate(w / 2, h / 2);
        p.rotate(i * 72.0);
        p.translate(0, -h * 0.17);
        p.rotate(20);
        p.drawEllipse(QPointF(0, 0), h * 0.09, h * 0.17);
        p.restore();
    }
}

} // namespace

QList<FlagSpec> flagSpecs()
{
    return {
        {QStringLiteral("usd"), usd}, {QStringLiteral("eur"), eur}, {QStringLiteral("gbp"), gbp},
        {QStringLiteral("jpy"), jpy}, {QStringLiteral("chf"), chf}, {QStringLiteral("cad"), cad},
        {QStringLiteral("aud"), aud}, {QStringLiteral("nzd"), nzd}, {QStringLiteral("cny"), cny},
        {QStringLiteral("sek"), sek}, {QStringLiteral("nok"), nok}, {QStringLiteral("dkk"), dkk},
        {QStringLiteral("hkd"), hkd},
    };
}

QImage renderFlag(const FlagSpec &design)
{
    const int w = 30, h = 20, scale = 8;
    const QImage flag =
        supersampled(w, h, scale, [&](QPainter &p) { design.paint(p, w * scale, h * scale); });
    QImage tile = transparentImage(32, 32);
    QPainter p(&tile);
    prepare(p);
    p.drawImage(QPointF(1, 6), flag);
    // A hairline edge keeps white flags (Japan) visible on light rows and dark ones alike.
    p.setPen(QPen(QColor(0x06, 0x0e, 0x17, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 5.5, 31, 21));
    return tile;
}

} // namespace art
