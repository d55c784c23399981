#pragma once
// Base of the chart viewer that owns one viewport controller of the charting engine and
// forwards to it: which part of a zoomable chart is shown and how drags and zooms change it.

#include <QString>

class ViewPortController;

class ViewPortManager
{
public:
    ViewPortManager();
    virtual ~ViewPortManager();
    ViewPortManager(const ViewPortManager &) = delete;
    ViewPortManager &operator=(const ViewPortManager &) = delete;

    // Metrics text of the chart shown (BaseChart::getChartMetrics); null for no chart.
    void setChartMetrics(const QString &metrics);

    bool inPlotArea(int x, int y) const;
    int getPlotAreaLeft() const;
    int getPlotAreaTop() const;
    int getPlotAreaWidth() const;
    int getPlotAreaHeight() const;

    double getViewPortLeft() const;
    double getViewPortTop() const;
    double getViewPortWidth() const;
    double getViewPortHeight() const;
    void setViewPortLeft(double left);
    void setViewPortTop(double top);
    void setViewPortWidth(double width);
    void setViewPortHeight(double height);
    void setZoomInWidthLimit(double limit);
    void setZoomInHeightLimit(double limit);

    bool canZoomIn(int direction) const;
    bool canZoomOut(int direction) const;
    bool zoomAt(int direction, int x, int y, double ratio);
    bool zoomTo(int direction, int x1, int y1, int x2, int y2);
    void startDrag();
    bool dragTo(int direction, int dx, int dy);
    void validateViewPort();

    ViewPortController *viewPortController() const { return m_controller; }

private:
    ViewPortController *m_controller;
};
