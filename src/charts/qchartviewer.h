#pragma once
// Shows a finished chart as a picture and makes it interactive: hot spots with tooltips and a
// pointing hand over clickable ones, click and mouse-move signals for the owner, and the
// viewport machinery (drag to scroll, zoom in and out with a selection box, rate-limited
// viewport notifications) for charts that use a viewport.

#include "charts/viewportmanager.h"

#include <QColor>
#include <QLabel>

#include <memory>

class BaseChart;
class ImageMapHandler;
class QMouseEvent;
class QTimerEvent;

class QChartViewer : public QLabel, public ViewPortManager
{
    Q_OBJECT

public:
    // Mouse usages.
    enum
    {
        MouseUsageDefault = 0,
        MouseUsageScroll = 1,
        MouseUsageZoomIn = 3,
        MouseUsageZoomOut = 4
    };
    // Zoom and scroll directions (any other value means both).
    enum
    {
        DirectionHorizontal = 0,
        DirectionVertical = 1,
        DirectionHorizontalVertical = 2
    };

    explicit QChartViewer(QWidget *parent = nullptr);
    ~QChartViewer() override;

    virtual void setChart(BaseChart *chart);
    virtual BaseChart *getChart();
    virtual void setImageMap(const QString &imageMap);
    // Hot spots from a handler made by the owner (one that reads layers' areas without their
    // map text); dropped, like the map, when another chart is set.
    void setImageMapHandler(std::unique_ptr<ImageMapHandler> handler);
    virtual ImageMapHandler *getImageMapHandler();
    virtual void setDefaultToolTip(const QString &text);
    virtual void setSelectionBorderWidth(int width);
    virtual int getSelectionBorderWidth();
    virtual void setSelectionBorderColor(const QColor &color);
    virtual QColor getSelectionBorderColor();
    virtual void setMouseUsage(int usage);
    virtual int getMouseUsage();
    virtual void setZoomDirection(int direction);
    virtual int getZoomDirection();
    virtual void setScrollDirection(int direction);
    virtual int getScrollDirection();
    virtual void setZoomInRatio(double ratio);
    virtual double getZoomInRatio();
    virtual void setZoomOutRatio(double ratio);
    virtual double getZoomOutRatio();
    virtual void setMinimumDrag(int offset);
    virtual int getMinimumDrag();
    virtual void setUpdateInterval(int interval);
    virtual int getUpdateInterval();
    virtual bool needUpdateChart();
    virtual bool needUpdateImageMap();
    virtual void updateViewPort(bool needUpdateChart, bool needUpdateImageMap);
    virtual void updateCursor();

    // Read access for the owner and for tests.
    int currentHotSpot() const { return m_currentHotSpot; }
    bool isOverClickableHotSpot() const { return m_isClickable; }
    bool isMouseDragging() const { return m_isMouseDragging; }
    bool isDragScrolling() const { return m_isDragScrolling; }
    bool isHoldTimerActive() const { return m_holdTimerActive; }
    // The tooltip text last shown (the default tooltip over no hot spot).
    const QString &shownToolTip() const { return m_shownToolTip; }
    // The selection box edges (top, left, bottom, right), null until first shown.
    QLabel *selectionEdge(int i) const { return i >= 0 && i < 4 ? m_selectionEdges[i] : nullptr; }

signals:
    void viewPortChanged();
    void clicked(QMouseEvent *event);
    void mouseMove(QMouseEvent *event);

protected:
    void timerEvent(QTimerEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void onDrag(QMouseEvent *event);
    void showToolTip(const QString &text, const QPoint &globalPos);
    void drawSelectionBox(int x, int y, int width, int height);
    void hideSelectionBox();
    void applySelectionPalette();

    BaseChart *m_chart = nullptr;
    ImageMapHandler *m_hotSpotTester = nullptr;
    QString m_defaultToolTip;
    QColor m_selectionBorderColor = QColor(0, 0, 0, 255);
    int m_selectionBorderWidth = 2;
    int m_mouseUsage = MouseUsageDefault;
    int m_zoomDirection = DirectionHorizontal;
    int m_scrollDirection = DirectionHorizontal;
    double m_zoomInRatio = 2.0;
    double m_zoomOutRatio = 0.5;
    int m_minDragAmount = 5;
    int m_updateInterval = 20;
    bool m_needUpdateChart = false;
    bool m_needUpdateImageMap = false;
    int m_currentHotSpot = -1;
    bool m_isClickable = false;
    bool m_isInPlotArea = false;
    bool m_isMouseDragging = false;
    bool m_isDragScrolling = false;
    int m_plotAreaMouseDownXPos = 0;
    int m_plotAreaMouseDownYPos = 0;
    QLabel *m_selectionEdges[4] = {nullptr, nullptr, nullptr, nullptr};
    bool m_holdTimerActive = false;
    int m_holdTimerId = 0;
    bool m_isInViewPortChanged = false;
    QString m_shownToolTip;
};
