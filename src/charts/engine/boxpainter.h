#pragma once
// Painting of text boxes and legends.

#include "textbox.h"

#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

struct LegendEntry
{
    enum Icon
    {
        BoxIcon,
        LineIcon,
        SymbolIcon
    };
    QString text;
    Icon icon = BoxIcon;
    int color = Chart::Transparent;
    int edgeColor = -1;
    int lineWidth = 1;
    int symbol = Chart::NoSymbol;
    int symbolSize = 5;
    int symbolFill = -1;
    int symbolEdge = -1;
    int order = 0;
};

namespace BoxPainter {

// Draws a text box with its top-left corner at the box position (or placed by the alignment
// inside the chart when it is a title). Returns the rectangle used.
QRectF paintTextBox(QPainter &p, const TextBox &box, QPointF anchor, int alignment);
// Draws a legend with the given entries at the legend's position.
QRectF paintLegend(QPainter &p, const LegendBox &legend, const std::vector<LegendEntry> &entries);

} // namespace BoxPainter
