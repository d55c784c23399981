#pragma once
// Point symbols (square, diamond, triangles, circle, crosses): their outlines, and ready-drawn
// anti-aliased sprites so that thousands of markers cost one small blit each.

#include <QImage>
#include <QPainterPath>

namespace Symbols {

// Outline of a symbol of the given size (pixels across), centred on (0, 0).
QPainterPath path(int symbol, double size);
// A sprite with the symbol centred at (width / 2, height / 2); cached.
const QImage &sprite(int symbol, int size, int fillColor, int edgeColor, int lineWidth);
// Draws a symbol centred on (x, y).
void draw(class QPainter &p, double x, double y, int symbol, int size, int fillColor, int edgeColor,
          int lineWidth = 1);

} // namespace Symbols
