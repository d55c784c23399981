#pragma once
// Boxes placed on a chart: text boxes (titles, free text, axis label styles, marks) and the
// legend. Model only: placement and painting happen in the layout and painter code.

#include "chartconst.h"
#include "labeltemplate.h"

#include <QString>
#include <vector>

class BaseChart;

class Box
{
public:
    virtual ~Box() = default;
    void setPos(int x, int y)
    {
        m_x = x;
        m_y = y;
    }
    // 0 keeps the size that the content needs.
    void setSize(int w, int h)
    {
        m_width = w;
        m_height = h;
    }
    void setWidth(int w) { m_width = w; }
    void setHeight(int h) { m_height = h; }
    void setBackground(int color, int edgeColor = -1, int raisedEffect = 0)
    {
        m_bgColor = color;
        m_edgeColor = edgeColor;
        m_raised = raisedEffect;
    }
    void setMargin(int m) { setMargin2(m, m, m, m); }
    void setMargin2(int left, int right, int top, int bottom)
    {
        m_marginLeft = left;
        m_marginRight = right;
        m_marginTop = top;
        m_marginBottom = bottom;
    }
    void setRoundedCorners(int radius = 10) { m_radius = radius; }

    int x() const { return m_x; }
    int y() const { return m_y; }
    int boxWidth() const { return m_width; }
    int boxHeight() const { return m_height; }
    int bgColor() const { return m_bgColor; }
    int edgeColor() const { return m_edgeColor; }
    int marginLeft() const { return m_marginLeft; }
    int marginRight() const { return m_marginRight; }
    int marginTop() const { return m_marginTop; }
    int marginBottom() const { return m_marginBottom; }
    int cornerRadius() const { return m_radius; }

protected:
    int m_x = 0, m_y = 0, m_width = 0, m_height = 0;
    int m_bgColor = Chart::Transparent, m_edgeColor = -1, m_raised = 0;
    int m_marginLeft = 3, m_marginRight = 3, m_marginTop = 1, m_marginBottom = 1;
    int m_radius = 0;
};

class TextBox : public Box
{
public:
    TextBox() = default;
    TextBox(const QString &text, const QString &font, double size, int color)
        : m_text(text), m_font(font), m_fontSize(size), m_fontColor(color)
    {
    }
    void setText(const QString &text) { m_text = text; }
    void setFontStyle(const QString &font) { m_font = font; }
    void setFontSize(double size) { m_fontSize = size; }
    void setFontColor(int color) { m_fontColor = color; }
    void setFontAngle(double angle) { m_angle = angle; }
    // Where the box sits relative to its position (numeric-keypad alignment).
    void setAlignment(int alignment) { m_alignment = alignment; }

    const QString &text() const { return m_text; }
    const QString &fontName() const { return m_font; }
    double fontSize() const { return m_fontSize; }
    int fontColor() const { return m_fontColor; }
    double fontAngle() const { return m_angle; }
    int alignment() const { return m_alignment; }

protected:
    QString m_text;
    QString m_font = QStringLiteral("normal");
    double m_fontSize = 8;
    int m_fontColor = Chart::TextColor;
    double m_angle = 0;
    int m_alignment = Chart::TopLeft;
};

class LegendBox : public TextBox
{
public:
    struct Key
    {
        QString text;
        int color = Chart::Transparent;
        int lineWidth = 0;
        int order = 0;
    };

    // A key of its own: a coloured square (line width 0) or a line of that width.
    void addKey(const QString &text, int color, int lineWidth = 0);
    void setKeySize(int width, int height = -1)
    {
        m_keyWidth = width;
        m_keyHeight = height;
    }
    void setKeySpacing(int spacing) { m_keySpacing = spacing; }
    void setReverse(bool reverse = true) { m_reverse = reverse; }
    void setVertical(bool vertical) { m_vertical = vertical; }

    bool isVertical() const { return m_vertical; }
    bool isReversed() const { return m_reverse; }
    int keyWidth() const { return m_keyWidth; }
    int keyHeight() const { return m_keyHeight; }
    int keySpacing() const { return m_keySpacing; }
    const std::vector<Key> &keys() const { return m_keys; }

private:
    friend class BaseChart;
    BaseChart *m_chart = nullptr;
    std::vector<Key> m_keys;
    bool m_vertical = true;
    bool m_reverse = false;
    int m_keyWidth = -1, m_keyHeight = -1;
    int m_keySpacing = 10;
};
