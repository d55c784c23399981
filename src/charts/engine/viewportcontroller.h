#pragma once
// The viewport of a zoomable chart: which part (left, top, width, height as fractions of the
// full data range) is shown, and how dragging and zooming in the plot area change it. The
// plot area comes from a chart's metrics text (BaseChart::getChartMetrics).
//
// Directions: 0 horizontal, 1 vertical, any other value both.

#include <QString>

class ViewPortController
{
public:
    // Empty metrics: no chart, no plot area.
    void setChartMetrics(const QString &metrics);

    bool inPlotArea(int x, int y) const;
    int getPlotAreaLeft() const { return m_left; }
    int getPlotAreaTop() const { return m_top; }
    int getPlotAreaWidth() const { return m_width; }
    int getPlotAreaHeight() const { return m_height; }

    double getViewPortLeft() const { return m_vpLeft; }
    double getViewPortTop() const { return m_vpTop; }
    double getViewPortWidth() const { return m_vpWidth; }
    double getViewPortHeight() const { return m_vpHeight; }
    void setViewPortLeft(double v) { m_vpLeft = v; }
    void setViewPortTop(double v) { m_vpTop = v; }
    void setViewPortWidth(double v) { m_vpWidth = v; }
    void setViewPortHeight(double v) { m_vpHeight = v; }
    // Smallest width / height a zoom in may reach, and largest a zoom out may reach.
    void setZoomInWidthLimit(double v) { m_minWidth = v; }
    void setZoomInHeightLimit(double v) { m_minHeight = v; }
    void setZoomOutWidthLimit(double v) { m_maxWidth = v; }
    void setZoomOutHeightLimit(double v) { m_maxHeight = v; }

    bool canZoomIn(int direction) const;
    bool canZoomOut(int direction) const;
    // Zooms around a point by ratio (> 1 in, < 1 out); true when the viewport changed.
    bool zoomAt(int direction, int x, int y, double ratio);
    // Zooms to the rectangle between two points; true when the viewport changed.
    bool zoomTo(int direction, int x1, int y1, int x2, int y2);
    // Remembers the viewport at the start of a drag.
    void startDrag();
    // Moves the viewport by a drag offset from the drag start; true when it changed.
    bool dragTo(int direction, int dx, int dy);
    // Brings the viewport into its limits.
    void validateViewPort();

private:
    bool horizontal(int direction) const { return direction != 1; }
    bool vertical(int direction) const { return direction != 0; }

    int m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    bool m_hasPlot = false;
    double m_vpLeft = 0, m_vpTop = 0, m_vpWidth = 1, m_vpHeight = 1;
    double m_minWidth = 0.01, m_minHeight = 0.01, m_maxWidth = 1, m_maxHeight = 1;
    double m_dragLeft = 0, m_dragTop = 0;
};
