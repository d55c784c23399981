#pragma once
// The plot area of an XY chart: position, background, border and grid.

#include "chartconst.h"

class Axis;

class PlotArea
{
public:
    void set(int x, int y, int w, int h)
    {
        m_x = x;
        m_y = y;
        m_w = w;
        m_h = h;
    }
    // altColor (when not -1) fills every other band between horizontal grid lines.
    void setBackground(int color, int altColor = -1, int edgeColor = -1)
    {
        m_bg = color;
        m_altBg = altColor;
        m_edge = edgeColor;
    }
    void setBorder(int edgeColor) { m_edge = edgeColor; }
    // Minor colours of -1 leave the minor grid out.
    void setGridColor(int hGridColor, int vGridColor = Chart::Transparent, int minorHGridColor = -1,
                      int minorVGridColor = -1)
    {
        m_hGrid = hGridColor;
        m_vGrid = vGridColor;
        m_minorHGrid = minorHGridColor;
        m_minorVGrid = minorVGridColor;
    }
    void setGridWidth(int hWidth, int vWidth = -1)
    {
        m_hGridWidth = hWidth;
        m_vGridWidth = vWidth < 0 ? hWidth : vWidth;
    }
    // The axes whose ticks the grid follows (null: the primary axes).
    void setGridAxis(const Axis *xGridAxis, const Axis *yGridAxis)
    {
        m_gridX = xGridAxis;
        m_gridY = yGridAxis;
    }

    int getLeftX() const { return m_x; }
    int getTopY() const { return m_y; }
    int getWidth() const { return m_w; }
    int getHeight() const { return m_h; }
    int getRightX() const { return m_x + m_w - 1; }
    int getBottomY() const { return m_y + m_h - 1; }
    int bgColor() const { return m_bg; }
    int altBgColor() const { return m_altBg; }
    int edgeColor() const { return m_edge; }
    int hGridColor() const { return m_hGrid; }
    int vGridColor() const { return m_vGrid; }
    int minorHGridColor() const { return m_minorHGrid; }
    int minorVGridColor() const { return m_minorVGrid; }
    int hGridWidth() const { return m_hGridWidth; }
    int vGridWidth() const { return m_vGridWidth; }
    const Axis *gridXAxis() const { return m_gridX; }
    const Axis *gridYAxis() const { return m_gridY; }

private:
    int m_x = 0, m_y = 0, m_w = 0, m_h = 0;
    int m_bg = Chart::Transparent, m_altBg = -1, m_edge = Chart::LineColor;
    int m_hGrid = 0xc0c0c0, m_vGrid = Chart::Transparent, m_minorHGrid = -1, m_minorVGrid = -1;
    int m_hGridWidth = 1, m_vGridWidth = 1;
    const Axis *m_gridX = nullptr, *m_gridY = nullptr;
};
