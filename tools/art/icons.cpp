#include "icons.h"

#include "artkit.h"
#include "iconsobjects.h"

namespace art {

namespace {

void badgeDisc(QPainter &p, qreal cx, qreal cy, qreal r, const QColor &fill, const QColor &shade)
{
    outlined(p, circle(cx, cy, r), fill);
    // Lower half a shade darker: flat, but not dull.
    p.save();
    p.setClipPath(circle(cx, cy, r - kOutline / 2));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawRect(QRectF(cx - r, cy + r * 0.15, 2 * r, r));
    p.restore();
}

QPainterPath crossGlyph(qreal cx, qreal cy, qreal half, bool vertical)
{
    QPainterPath path;
    path.moveTo(cx - half, cy);
    path.lineTo(cx + half, cy);
    if (vertical) {
        path.moveTo(cx, cy - half);
        path.lineTo(cx, cy + half);
    }
    return path;
}

// Arrow pointing right, centred on (64,64); callers rotate the painter.
void arrowBadge(QPainter &p, qreal rotationDeg)
{
    badgeDisc(p, 64, 64, 56, ink::blue, ink::blueDark);
    p.save();
    p.translate(64, 64);
    p.rotate(rotationDeg);
    QPainterPath arrow;
    arrow.moveTo(-30, 0);
    arrow.lineTo(28, 0);
    arrow.moveTo(4, -26);
    arrow.lineTo(30, 0);
    arrow.lineTo(4, 26);
    stroke(p, arrow, ink::white, 15);
    p.restore();
}

} // namespace

void plusBadge(QPainter &p, qreal cx, qreal cy, qreal r)
{
    badgeDisc(p, cx, cy, r, ink::green, ink::greenDark);
    stroke(p, crossGlyph(cx, cy, r * 0.52, true), ink::white, r * 0.36);
}

void minusBadge(QPainter &p, qreal cx, qreal cy, qreal r)
{
    badgeDisc(p, cx, cy, r, ink::red, ink::redDark);
    stroke(p, crossGlyph(cx, cy, r * 0.55, false), ink::white, r * 0.36);
}

void paintAccept(QPainter &p)
{
    badgeDisc(p, 64, 64, 56, ink::green, ink::greenDark);
    QPainterPath tick;
    tick.moveTo(36, 66);
    tick.lineTo(56, 86);
    tick.lineTo(93, 44);
    stroke(p, tick, ink::white, 16);
}

void paintAdd(QPainter &p)
{
    badgeDisc(p, 64, 64, 56, ink::green, ink::greenDark);
    stroke(p, crossGlyph(64, 64, 30, true), ink::white, 17);
}

void paintDelete(QPainter &p)
{
    badgeDisc(p, 64, 64, 56, ink::red, ink::redDark);
    QPainterPath cross;
    cross.moveTo(42, 42);
    cross.lineTo(86, 86);
    cross.moveTo(86, 42);
    cross.lineTo(42, 86);
    stroke(p, cross, ink::white, 16);
}

void paintRemove(QPainter &p)
{
    badgeDisc(p, 64, 64, 56, ink::red, ink::redDark);
    stroke(p, crossGlyph(64, 64, 30, false), ink::white, 17);
}

void paintBack(QPainter &p)
{
    arrowBadge(p, 180);
}
void paintNext(QPainter &p)
{
    arrowBadge(p, 0);
}
void paintUp(QPainter &p)
{
    arrowBadge(p, -90);
}
void paintDown(QPainter &p)
{
    arrowBadge(p, 90);
}

QList<IconSpec> iconSpecs()
{
    return {
        {QStringLiteral("accept.png"), paintAccept},
        {QStringLiteral("add.png"), paintAdd},
        {QStringLiteral("add_to_shopping_cart.png"), paintAddToCart},
        {QStringLiteral("back.png"), paintBack},
        {QStringLiteral("calculator (2).png"), paintCalculator},
        {QStringLiteral("calendar (2).png"), paintCalendar},
        {QStringLiteral("chart (2).png"), paintChart},
        {QStringLiteral("delete.png"), paintDelete},
        {QStringLiteral("down.png"), paintDown},
        {QStringLiteral("find.png"), paintFind},
        {QStringLiteral("home (2).png"), paintHome},
        {QStringLiteral("megaphone.png"), paintMegaphone},
        {QStringLiteral("news.png"), paintNews},
        {QStringLiteral("next.png"), paintNext},
        {QStringLiteral("pencil.png"), paintPencil},
        {QStringLiteral("remove.png"), paintRemove},
        {QStringLiteral("remove_from_shopping_cart.png"), paintRemoveFromCart},
        {QStringLiteral("rss.png"), paintRss},
        {QStringLiteral("school_board.png"), paintSchoolBoard},
        {QStringLiteral("toolbox.png"), paintToolbox},
        {QStringLiteral("tools.png"), paintTools},
        {QStringLiteral("trash (2).png"), paintTrash},
        {QStringLiteral("up.png"), paintUp},
        {QStringLiteral("users (2).png"), paintUsers},
    };
}

QImage renderIcon(const IconSpec &icon)
{
    QImage image = transparentImage(kIconSize, kIconSize);
    QPainter p(&image);
    prepare(p);
    icon.paint(p);
    return image;
}

} // namespace art
