#pragma once
// Colour values of the engine: 0xAARRGGBB with AA as transparency, symbolic palette colours and
// gradient handles. Turning them into Qt colours and brushes happens here only.

#include "chartconst.h"

#include <QBrush>
#include <QColor>
#include <utility>
#include <vector>

namespace Colors {

struct GradientStop
{
    double position; // 0..1 along the gradient line
    int color;       // plain 0xAARRGGBB colour
};

// Registers a linear gradient from (x1, y1) to (x2, y2), in the pixel coordinates of the chart
// that paints it, and returns its colour handle. Identical gradients share one handle.
int linearGradient(int x1, int y1, int x2, int y2, int startColor, int endColor);
int linearGradient(int x1, int y1, int x2, int y2, const std::vector<GradientStop> &stops);

bool isGradient(int color);
bool isPalette(int color);
// True when painting with this colour leaves no trace.
bool isInvisible(int color);

// Resolves symbolic colours to plain ones (gradients resolve to their first stop).
int resolve(int color);
QColor toQColor(int color);
// A brush for filling, with gradients mapped into chart pixel coordinates.
QBrush toBrush(int color);

// The i-th automatic data colour.
int dataColor(int i);

} // namespace Colors
