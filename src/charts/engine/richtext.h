#pragma once
// Text with the engine's markup: "<*font=bold*>", "<*font=arial.ttf*>", "<*size=10*>",
// "<*color=ff0000*>", "<*br*>", "<*/*>" (back to the base style) and "\n" line breaks.
// Fonts are resolved to the installed DejaVu families; sizes are points at 96 dpi.

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

struct TextStyle
{
    QString font;     // "normal", "bold", "arial.ttf", "Verdana", ...
    double size = 8;  // points
    int color = 0;    // engine colour
    double angle = 0; // degrees, counter-clockwise
};

namespace Fonts {
// The Qt font for an engine font name and size; cached.
const QFont &font(const QString &name, double size, bool forceBold = false);
const QFontMetricsF &metrics(const QString &name, double size, bool forceBold = false);
} // namespace Fonts

class RichText
{
public:
    RichText() = default;
    RichText(const QString &text, const TextStyle &style, int lineAlignment = 0);

    bool isEmpty() const { return m_lines.empty(); }
    // Size of the unrotated text block.
    double width() const { return m_width; }
    double height() const { return m_height; }
    // Bounding box when the block is placed with the given alignment at the anchor.
    QRectF boundsAt(QPointF anchor, int alignment) const;
    // Draws the block so that its alignment point (numeric-keypad alignment) is at anchor.
    void drawAt(QPainter &p, QPointF anchor, int alignment) const;
    // Plain text without markup.
    QString plainText() const;

private:
    struct Run
    {
        QString text;
        QFont font;
        QColor color;
        double width = 0;
    };
    struct Line
    {
        std::vector<Run> runs;
        double width = 0, ascent = 0, descent = 0;
    };
    void drawBlock(QPainter &p, QPointF topLeft) const;

    std::vector<Line> m_lines;
    double m_width = 0, m_height = 0;
    double m_angle = 0;
    int m_lineAlignment = 0; // -1 left, 0 centre, 1 right
};
