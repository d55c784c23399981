#pragma once

// The application's icons: one 128x128 picture per resource name.

#include <QImage>
#include <QList>
#include <QString>

class QPainter;

namespace art {

struct IconSpec
{
    QString fileName;          // as the resource path spells it, e.g. "home (2).png"
    void (*paint)(QPainter &); // draws on a 128x128 canvas
};

constexpr int kIconSize = 128;

QList<IconSpec> iconSpecs();
QImage renderIcon(const IconSpec &icon);

// Round badges with a white glyph (actions on rows: accept, add, delete, remove, arrows).
void paintAccept(QPainter &p);
void paintAdd(QPainter &p);
void paintDelete(QPainter &p);
void paintRemove(QPainter &p);
void paintBack(QPainter &p);
void paintNext(QPainter &p);
void paintUp(QPainter &p);
void paintDown(QPainter &p);

// Small badges in a corner of another icon.
void plusBadge(QPainter &p, qreal cx, qreal cy, qreal r);
void minusBadge(QPainter &p, qreal cx, qreal cy, qreal r);

} // namespace art
