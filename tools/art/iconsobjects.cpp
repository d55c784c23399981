#include "iconsobjects.h"

#include "artkit.h"
#include "icons.h"

namespace art {

namespace {

QPainterPath polyline(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF &pt : points) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path = polyline(points);
    path.closeSubpath();
    return path;
}

void cart(QPainter &p)
{
    // Handle and frame first, so the basket covers their joints.
    rimmedStroke(p, polyline({{8, 24}, {24, 24}, {40, 92}, {98, 92}}), ink::steel, 8);
    const QPainterPath basket = polygon({{26, 36}, {108, 36}, {98, 78}, {36, 78}});
    outlined(p, basket, ink::paper);
    p.save();
    p.setClipPath(basket);
    stroke(p, polyline({{30, 57}, {106, 57}}), ink::paperShade, 5);
    stroke(p, polyline({{54, 36}, {57, 78}}), ink::paperShade, 5);
    stroke(p, polyline({{80, 36}, {77, 78}}), ink::paperShade, 5);
    p.restore();
    outlineOnly(p, basket);
    outlined(p, circle(48, 108, 10), ink::slate);
    outlined(p, circle(90, 108, 10), ink::slate);
}

} // namespace

void paintAddToCart(QPainter &p)
{
    cart(p);
    plusBadge(p, 98, 30, 26);
}

void paintRemoveFromCart(QPainter &p)
{
    cart(p);
    minusBadge(p, 98, 30, 26);
}

void paintCalculator(QPainter &p)
{
    outlined(p, roundRect(22, 6, 84, 116, 14), ink::slate);
    outlined(p, roundRect(33, 17, 62, 26, 5), QColor(0xa8, 0xe6, 0xc0));
    stroke(p, polyline({{58, 30}, {86, 30}}), ink::greenDark, 6);
    const qreal left = 33, top = 52, keyW = 16.6, keyH = 12.5, gap = 6;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col) {
            const bool accent = (row == 3 && col == 2);
            const QColor fill = accent ? ink::amber : ink::paper;
            const qreal x = left + col * (keyW + gap);
            const qreal y = top + row * (keyH + gap);
            p.setPen(Qt::NoPen);
            p.setBrush(fill);
            p.drawRoundedRect(QRectF(x, y, keyW, keyH), 3, 3);
        }
    }
}

void paintCalendar(QPainter &p)
{
    outlined(p, roundRect(12, 20, 104, 98, 12), ink::paper);
    // Red header band, clipped to the page's rounded top.
    p.save();
    p.setClipPath(roundRect(12, 20, 104, 98, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::red);
    p.drawRect(QRectF(12, 20, 104, 30));
    p.restore();
    outlineOnly(p, roundRect(12, 20, 104, 98, 12));
    stroke(p, polyline({{12, 50}, {116, 50}}), ink::outline, kOutline);
    outlined(p, roundRect(34, 8, 12, 26, 6), ink::slate);
    outlined(p, roundRect(82, 8, 12, 26, 6), ink::slate);
    const qreal cellW = 17, cellH = 12, gapX = 6, gapY = 6;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            const bool today = (row == 1 && col == 2);
            p.setPen(Qt::NoPen);
            p.setBrush(today ? ink::blue : ink::paperShade);
            p.drawRoundedRect(
                QRectF(24 + col * (cellW + gapX), 60 + row * (cellH + gapY), cellW, cellH), 3, 3);
        }
    }
}

void paintChart(QPainter &p)
{
    rimmedStroke(p, polyline({{16, 12}, {16, 112}, {118, 112}}), ink::paperShade, 7, 4);
    const qreal base = 104;
    const struct
    {
        qreal x, h;
    } bars[] = {{30, 30}, {54, 48}, {78, 40}, {102, 66}};
    for (const auto &bar : bars)
        outlined(p, roundRect(bar.x - 8, base - bar.h, 16, bar.h, 3), ink::blue);
    rimmedStroke(p, polyline({{24, 66}, {50, 48}, {74, 58}, {108, 22}}), ink::green, 9);
    rimmedStroke(p, polyline({{88, 22}, {108, 22}, {108, 42}}), ink::green, 9);
}

void paintFind(QPainter &p)
{
    QPainterPath handle = polyline({{84, 84}, {112, 112}});
    rimmedStroke(p, handle, ink::slate, 18);
    QPainterPath grip = polyline({{96, 96}, {112, 112}});
    stroke(p, grip, ink::amberDark, 18);
    outlined(p, circle(52, 52, 40), QColor(0x8c, 0xc4, 0xf0, 170));
    // The ring: light metal between two dark edges.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink::outline, 20));
    p.drawEllipse(QPointF(52, 52), 36, 36);
    p.setPen(QPen(ink::paperShade, 11));
    p.drawEllipse(QPointF(52, 52), 36, 36);
    QPainterPath glint;
    glint.arcMoveTo(QRectF(30, 30, 44, 44), 110);
    glint.arcTo(QRectF(30, 30, 44, 44), 110, 60);
    stroke(p, glint, ink::white, 6);
}

void paintHome(QPainter &p)
{
    outlined(p, roundRect(84, 22, 16, 32, 2), ink::redDark);
    outlined(p, polygon({{28, 56}, {100, 56}, {100, 116}, {28, 116}}), ink::paper);
    outlined(p, polygon({{8, 64}, {64, 14}, {120, 64}, {106, 72}, {64, 34}, {22, 72}}), ink::red);
    outlined(p, roundRect(55, 80, 22, 36, 3), ink::blue);
    outlined(p, roundRect(34, 72, 14, 14, 2), ink::blueLight);
    outlined(p, roundRect(84, 72, 14, 14, 2), ink::blueLight);
}

void paintMegaphone(QPainter &p)
{
    outlined(p, polygon({{36, 76}, {50, 76}, {58, 104}, {44, 106}}), ink::slate);
    outlined(p, roundRect(10, 46, 22, 34, 6), ink::amberDark);
    outlined(p, polygon({{30, 48}, {82, 20}, {82, 106}, {30, 78}}), ink::amber);
    outlined(p, roundRect(76, 16, 14, 94, 7), ink::amberDark);
    QPainterPath waves;
    waves.arcMoveTo(QRectF(84, 44, 24, 38), -50);
    waves.arcTo(QRectF(84, 44, 24, 38), -50, 100);
    waves.arcMoveTo(QRectF(86, 30, 36, 66), -50);
    waves.arcTo(QRectF(86, 30, 36, 66), -50, 100);
    stroke(p, waves, ink::white, 7);
}

void paintNews(QPainter &p)
{
    outlined(p, roundRect(24, 14, 96, 100, 8), ink::paper);
    outlined(p, roundRect(8, 36, 26, 78, 8), ink::paperShade);
    outlineOnly(p, roundRect(24, 14, 96, 100, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::slateDark);
    p.drawRoundedRect(QRectF(36, 26, 72, 14), 3, 3);
    p.setBrush(ink::blue);
    p.drawRoundedRect(QRectF(36, 50, 30, 28), 3, 3);
    for (qreal y : {54.0, 64.0, 74.0})
        stroke(p, polyline({{76, y}, {106, y}}), ink::steel, 6);
    for (qreal y : {90.0, 101.0})
        stroke(p, polyline({{38, y}, {106, y}}), ink::steel, 6);
}

void paintPencil(QPainter &p)
{
    p.save();
    p.translate(64, 64);
    p.rotate(-45);
    // Drawn lying along x, tip on the left.
    outlined(p, polygon({{-34, -14}, {-58, 0}, {-34, 14}}), QColor(0xf1, 0xd3, 0xa4));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::outline);
    p.drawPolygon(QPolygonF({{-50, -5}, {-60, 0}, {-50, 5}}));
    outlined(p, roundRect(-36, -14, 68, 28, 2), ink::amber);
    stroke(p, polyline({{-34, 0}, {30, 0}}), ink::amberDark, 5);
    outlined(p, roundRect(30, -14, 12, 28, 2), ink::steel);
    outlined(p, roundRect(42, -14, 16, 28, 6), QColor(0xf2, 0x8b, 0x9b));
    p.restore();
}

void paintRss(QPainter &p)
{
    outlined(p, roundRect(10, 10, 108, 108, 24), ink::orange);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::white);
    p.drawEllipse(QPointF(38, 90), 11, 11);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink::white, 13, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(27 - 36, 101 - 36, 72, 72), 0, 90 * 16);
    p.drawArc(QRectF(27 - 64, 101 - 64, 128, 128), 0, 90 * 16);
}

void paintSchoolBoard(QPainter &p)
{
    rimmedStroke(p, polyline({{38, 90}, {24, 120}}), ink::wood, 8);
    rimmedStroke(p, polyline({{90, 90}, {104, 120}}), ink::wood, 8);
    outlined(p, roundRect(8, 12, 112, 80, 6), ink::wood);
    outlined(p, roundRect(16, 20, 96, 64, 3), ink::board);
    stroke(p, polyline({{26, 70}, {44, 52}, {58, 62}, {80, 34}}), ink::white, 6);
    stroke(p, polyline({{72, 34}, {80, 34}, {80, 42}}), ink::white, 6);
    stroke(p, polyline({{88, 50}, {102, 50}}), QColor(0xd6, 0xe9, 0xdc), 5);
    stroke(p, polyline({{88, 62}, {102, 62}}), QColor(0xd6, 0xe9, 0xdc), 5);
    outlined(p, roundRect(40, 90, 48, 8, 3), ink::amberDark);
}

void paintToolbox(QPainter &p)
{
    QPainterPath handle;
    handle.addRoundedRect(QRectF(40, 18, 48, 36), 10, 10);
    rimmedStroke(p, handle, ink::steel, 9);
    outlined(p, roundRect(8, 42, 112, 74, 10), ink::red);
    p.save();
    p.setClipPath(roundRect(8, 42, 112, 74, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::redDark);
    p.drawRect(QRectF(8, 42, 112, 22));
    p.restore();
    outlineOnly(p, roundRect(8, 42, 112, 74, 10));
    stroke(p, polyline({{8, 64}, {120, 64}}), ink::outline, kOutline);
    outlined(p, roundRect(52, 56, 24, 18, 4), ink::paperShade);
}

void paintTools(QPainter &p)
{
    // Wrench from lower left to upper right.
    p.save();
    p.translate(64, 64);
    p.rotate(-45);
    QPainterPath wrench;
    wrench.addRoundedRect(QRectF(-36, -9, 72, 18), 6, 6);
    wrench.addEllipse(QPointF(-42, 0), 22, 22);
    wrench.addEllipse(QPointF(44, 0), 15, 15);
    wrench.setFillRule(Qt::WindingFill);
    wrench = wrench.simplified();
    QPainterPath jaw;
    jaw.addRect(QRectF(-70, -8, 30, 16));
    QPainterPath ring;
    ring.addEllipse(QPointF(44, 0), 6, 6);
    outlined(p, wrench.subtracted(jaw).subtracted(ring), ink::paperShade);
    p.restore();
    // Screwdriver from upper left to lower right, over the wrench.
    p.save();
    p.translate(64, 64);
    p.rotate(45);
    outlined(p, polygon({{-58, -5}, {-50, -7}, {-50, 7}, {-58, 5}}), ink::steel);
    outlined(p, roundRect(-52, -6, 50, 12, 2), ink::steel);
    outlined(p, roundRect(-6, -14, 58, 28, 12), ink::blue);
    stroke(p, polyline({{10, -5}, {40, -5}}), ink::blueLight, 5);
    p.restore();
}

void paintTrash(QPainter &p)
{
    outlined(p, roundRect(48, 10, 32, 16, 5), ink::steel);
    outlined(p, polygon({{24, 38}, {104, 38}, {94, 118}, {34, 118}}), ink::paperShade);
    for (qreal x : {50.0, 64.0, 78.0})
        stroke(p, polyline({{x, 52}, {x + (x - 64) * 0.12, 104}}), ink::steel, 6);
    outlined(p, roundRect(14, 24, 100, 16, 5), ink::steel);
}

void paintUsers(QPainter &p)
{
    QPainterPath backBody;
    backBody.moveTo(54, 102);
    backBody.cubicTo(54, 68, 70, 62, 84, 62);
    backBody.cubicTo(98, 62, 116, 68, 116, 102);
    backBody.closeSubpath();
    outlined(p, backBody, ink::blueDark);
    outlined(p, circle(84, 38, 19), ink::blueDark);
    QPainterPath frontBody;
    frontBody.moveTo(12, 118);
    frontBody.cubicTo(12, 80, 32, 72, 50, 72);
    frontBody.cubicTo(68, 72, 90, 80, 90, 118);
    frontBody.closeSubpath();
    outlined(p, frontBody, ink::blue);
    outlined(p, circle(50, 46, 22), ink::blueLight);
}

} // namespace art
