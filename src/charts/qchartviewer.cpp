#include "charts/qchartviewer.h"

#include "basechart.h"
#include "imagemaphandler.h"

#include <QBitmap>
#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimerEvent>
#include <QToolTip>
#include <cstdint>
#include <cstdlib>

namespace {

// ---- The six viewer cursors -------------------------------------------------------------
// Each picture is turned into two tables of 32 rows of 32-bit words in the style of a
// two-mask cursor: A (1 = leave the screen alone) and X (1 = white where A is 0). The bitmap
// row is ~(A + X), the mask row is ~A | X; rows are read least-significant bit first. A and X
// never share a bit, so the sum is their union.

enum CursorKind
{
    ZoomInCursor,
    ZoomOutCursor,
    NoZoomCursor,
    ScrollHCursor,
    ScrollVCursor,
    ScrollAllCursor
};

struct Picture
{
    bool black[32][32] = {};
    void set(int x, int y)
    {
        if (x >= 0 && x < 32 && y >= 0 && y < 32)
            black[y][x] = true;
    }
    void box(int x0, int y0, int x1, int y1)
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                set(x, y);
    }
};

void magnifier(Picture &p)
{
    // Glass around the hot spot (15, 15), handle to the lower right.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int d2 = (x - 13) * (x - 13) + (y - 13) * (y - 13);
            if (d2 <= 81 && d2 >= 56)
                p.set(x, y);
        }
    for (int k = 0; k < 9; ++k)
        p.box(20 + k, 20 + k, 21 + k, 21 + k);
}

void horizontalArrow(Picture &p)
{
    p.box(6, 14, 24, 16);
    for (int k = 0; k < 5; ++k) {
        p.box(2 + k, 15 - k, 2 + k, 15 + k);
        p.box(28 - k, 15 - k, 28 - k, 15 + k);
    }
}

void verticalArrow(Picture &p)
{
    p.box(14, 6, 16, 24);
    for (int k = 0; k < 5; ++k) {
        p.box(15 - k, 2 + k, 15 + k, 2 + k);
        p.box(15 - k, 28 - k, 15 + k, 28 - k);
    }
}

Picture picture(CursorKind kind)
{
    Picture p;
    switch (kind) {
    case ZoomInCursor:
        magnifier(p);
        p.box(9, 12, 17, 14);
        p.box(12, 9, 14, 17);
        break;
    case ZoomOutCursor:
        magnifier(p);
        p.box(9, 12, 17, 14);
        break;
    case NoZoomCursor:
        magnifier(p);
        for (int k = 0; k < 8; ++k) {
            p.box(9 + k, 9 + k, 10 + k, 10 + k);
            p.box(16 - k, 9 + k, 17 - k, 10 + k);
        }
        break;
    case ScrollHCursor:
        horizontalArrow(p);
        break;
    case ScrollVCursor:
        verticalArrow(p);
        break;
    case ScrollAllCursor:
        horizontalArrow(p);
        verticalArrow(p);
        break;
    }
    return p;
}

// Black lines with a one-pixel white outline, so the cursor shows on any background.
void tables(const Picture &p, uint32_t a[32], uint32_t x[32])
{
    for (int row = 0; row < 32; ++row) {
        a[row] = 0xffffffffu;
        x[row] = 0;
        for (int col = 0; col < 32; ++col) {
            bool outline = false;
            for (int dy = -1; dy <= 1 && !outline; ++dy)
                for (int dx = -1; dx <= 1 && !outline; ++dx) {
                    const int yy = row + dy, xx = col + dx;
                    outline = yy >= 0 && yy < 32 && xx >= 0 && xx < 32 && p.black[yy][xx];
                }
            const uint32_t bit = 1u << col;
            if (p.black[row][col]) {
                a[row] &= ~bit;
            } else if (outline) {
                a[row] &= ~bit;
                x[row] |= bit;
            }
        }
    }
}

QCursor *makeCursor(CursorKind kind)
{
    uint32_t a[32], x[32];
    tables(picture(kind), a, x);
    uchar bitmapBits[32 * 4], maskBits[32 * 4];
    for (int row = 0; row < 32; ++row) {
        const uint32_t bitmapRow = ~(a[row] + x[row]);
        const uint32_t maskRow = ~a[row] | x[row];
        for (int b = 0; b < 4; ++b) {
            bitmapBits[row * 4 + b] = static_cast<uchar>(bitmapRow >> (8 * b));
            maskBits[row * 4 + b] = static_cast<uchar>(maskRow >> (8 * b));
        }
    }
    const QBitmap bitmap = QBitmap::fromData(QSize(32, 32), bitmapBits, QImage::Format_MonoLSB);
    const QBitmap mask = QBitmap::fromData(QSize(32, 32), maskBits, QImage::Format_MonoLSB);
    return new QCursor(bitmap, mask, 15, 15);
}

QCursor *sharedCursors[6] = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

void freeCursors()
{
    for (QCursor *&c : sharedCursors) {
        delete c;
        c = nullptr;
    }
}

const QCursor &sharedCursor(CursorKind kind)
{
    if (!sharedCursors[kind]) {
        bool first = true;
        for (QCursor *c : sharedCursors)
            first = first && !c;
        if (first)
            qAddPostRoutine(freeCursors);
        sharedCursors[kind] = makeCursor(kind);
    }
    return *sharedCursors[kind];
}

} // namespace

QChartViewer::QChartViewer(QWidget *parent) : QLabel(parent)
{
    setMouseTracking(true);
}

QChartViewer::~QChartViewer()
{
    delete m_hotSpotTester;
}

void QChartViewer::setChart(BaseChart *chart)
{
    QPixmap pixmap;
    QString metrics;
    if (chart) {
        pixmap = QPixmap::fromImage(chart->makeImage());
        setFixedSize(chart->getWidth(), chart->getHeight());
        metrics = chart->getChartMetrics();
    }
    m_chart = chart;
    setPixmap(pixmap);
    setChartMetrics(metrics);
    // Every new chart starts without hot spots; the owner sets the image map after it.
    setImageMap(QString());
}

BaseChart *QChartViewer::getChart()
{
    return m_chart;
}

void QChartViewer::setImageMap(const QString &imageMap)
{
    delete m_hotSpotTester;
    m_hotSpotTester = nullptr;
    m_currentHotSpot = -1;
    m_isClickable = false;
    if (!imageMap.isEmpty())
        m_hotSpotTester = new ImageMapHandler(imageMap);
}

void QChartViewer::setImageMapHandler(std::unique_ptr<ImageMapHandler> handler)
{
    setImageMap(QString());
    if (handler && handler->getHotSpotCount() > 0) // as an empty map: no handler
        m_hotSpotTester = handler.release();
}

ImageMapHandler *QChartViewer::getImageMapHandler()
{
    return m_hotSpotTester;
}

void QChartViewer::setDefaultToolTip(const QString &text)
{
    m_defaultToolTip = text;
}

void QChartViewer::setSelectionBorderWidth(int width)
{
    m_selectionBorderWidth = width;
}
int QChartViewer::getSelectionBorderWidth()
{
    return m_selectionBorderWidth;
}

void QChartViewer::setSelectionBorderColor(const QColor &color)
{
    m_selectionBorderColor = color;
    if (m_selectionEdges[0])
        applySelectionPalette();
}

QColor QChartViewer::getSelectionBorderColor()
{
    return m_selectionBorderColor;
}
void QChartViewer::setMouseUsage(int usage)
{
    m_mouseUsage = usage;
}
int QChartViewer::getMouseUsage()
{
    return m_mouseUsage;
}
void QChartViewer::setZoomDirection(int direction)
{
    m_zoomDirection = direction;
}
int QChartViewer::getZoomDirection()
{
    return m_zoomDirection;
}
void QChartViewer::setScrollDirection(int direction)
{
    m_scrollDirection = direction;
}
int QChartViewer::getScrollDirection()
{
    return m_scrollDirection;
}
void QChartViewer::setZoomInRatio(double ratio)
{
    m_zoomInRatio = ratio;
}
double QChartViewer::getZoomInRatio()
{
    return m_zoomInRatio;
}
void QChartViewer::setZoomOutRatio(double ratio)
{
    m_zoomOutRatio = ratio;
}
double QChartViewer::getZoomOutRatio()
{
    return m_zoomOutRatio;
}
void QChartViewer::setMinimumDrag(int offset)
{
    m_minDragAmount = offset;
}
int QChartViewer::getMinimumDrag()
{
    return m_minDragAmount;
}
void QChartViewer::setUpdateInterval(int interval)
{
    m_updateInterval = interval;
}
int QChartViewer::getUpdateInterval()
{
    return m_updateInterval;
}
bool QChartViewer::needUpdateChart()
{
    return m_needUpdateChart;
}
bool QChartViewer::needUpdateImageMap()
{
    return m_needUpdateImageMap;
}

void QChartViewer::showToolTip(const QString &text, const QPoint &globalPos)
{
    m_shownToolTip = text;
    QToolTip::showText(globalPos, text, this);
}

void QChartViewer::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(event);
    const QPoint pos = event->position().toPoint();
    m_isInPlotArea = m_isMouseDragging || inPlotArea(pos.x(), pos.y());
    if (m_isMouseDragging)
        onDrag(event);

    if (event->buttons() != Qt::NoButton) {
        showToolTip(QString(), event->globalPosition().toPoint());
    } else {
        const int hotSpot = m_hotSpotTester ? m_hotSpotTester->getHotSpot(pos.x(), pos.y()) : 0;
        if (hotSpot != m_currentHotSpot) {
            m_currentHotSpot = hotSpot;
            if (hotSpot != 0) {
                m_isClickable = !m_hotSpotTester->getValue(QStringLiteral("path")).isEmpty();
                showToolTip(m_hotSpotTester->getValue(QStringLiteral("title")),
                            event->globalPosition().toPoint());
            } else {
                showToolTip(m_defaultToolTip, event->globalPosition().toPoint());
                m_isClickable = false;
            }
        }
    }
    updateCursor();
}

void QChartViewer::onDrag(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const int dx = pos.x() - m_plotAreaMouseDownXPos;
    const int dy = pos.y() - m_plotAreaMouseDownYPos;
    if (m_mouseUsage == MouseUsageScroll) {
        if (!m_isDragScrolling) {
            bool reached;
            if (m_scrollDirection == DirectionVertical)
                reached = std::abs(dy) >= m_minDragAmount;
            else if (m_scrollDirection == DirectionHorizontal)
                reached = std::abs(dx) >= m_minDragAmount;
            else
                reached = std::abs(dx) >= m_minDragAmount || std::abs(dy) >= m_minDragAmount;
            if (!reached)
                return;
            m_isDragScrolling = true;
        }
        if (dragTo(m_scrollDirection, dx, dy))
            updateViewPort(true, false);
    } else if (m_mouseUsage == MouseUsageZoomIn) {
        bool large;
        if (m_zoomDirection != DirectionVertical)
            large = std::abs(dx) >= m_minDragAmount;
        else
            large = std::abs(dy) >= m_minDragAmount;
        if (canZoomIn(m_zoomDirection) && large) {
            if (m_zoomDirection == DirectionHorizontal)
                drawSelectionBox(m_plotAreaMouseDownXPos, getPlotAreaTop(), dx,
                                 getPlotAreaHeight());
            else if (m_zoomDirection == DirectionVertical)
                drawSelectionBox(getPlotAreaLeft(), m_plotAreaMouseDownYPos, getPlotAreaWidth(),
                                 dy);
            else
                drawSelectionBox(m_plotAreaMouseDownXPos, m_plotAreaMouseDownYPos, dx, dy);
        } else {
            hideSelectionBox();
        }
    }
}

void QChartViewer::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && inPlotArea(pos.x(), pos.y()) &&
        m_mouseUsage != MouseUsageDefault) {
        m_isMouseDragging = true;
        m_plotAreaMouseDownXPos = pos.x();
        m_plotAreaMouseDownYPos = pos.y();
        startDrag();
    }
}

void QChartViewer::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_isMouseDragging) {
        m_isMouseDragging = false;
        hideSelectionBox();
        const int dx = pos.x() - m_plotAreaMouseDownXPos;
        const int dy = pos.y() - m_plotAreaMouseDownYPos;
        if (m_mouseUsage == MouseUsageZoomIn) {
            if (canZoomIn(m_zoomDirection)) {
                bool large;
                if (m_zoomDirection == DirectionHorizontal)
                    large = std::abs(dx) >= m_minDragAmount;
                else if (m_zoomDirection == DirectionVertical)
                    large = std::abs(dy) >= m_minDragAmount;
                else
                    large = std::abs(dx) >= m_minDragAmount || std::abs(dy) >= m_minDragAmount;
                const bool changed = large
                                         ? zoomTo(m_zoomDirection, m_plotAreaMouseDownXPos,
                                                  m_plotAreaMouseDownYPos, pos.x(), pos.y())
                                         : zoomAt(m_zoomDirection, pos.x(), pos.y(), m_zoomInRatio);
                if (changed)
                    updateViewPort(true, true);
            }
        } else if (m_mouseUsage == MouseUsageZoomOut) {
            if (canZoomOut(m_zoomDirection) &&
                zoomAt(m_zoomDirection, pos.x(), pos.y(), m_zoomOutRatio))
                updateViewPort(true, true);
        } else {
            if (m_isDragScrolling)
                updateViewPort(false, true);
            else
                emit clicked(event);
        }
        m_isDragScrolling = false;
    } else {
        emit clicked(event);
    }
    updateCursor();
}

void QChartViewer::updateViewPort(bool needUpdateChart, bool needUpdateImageMap)
{
    if (m_isInViewPortChanged)
        return;
    m_needUpdateChart = m_needUpdateChart || needUpdateChart;
    m_needUpdateImageMap = needUpdateImageMap;
    if (m_holdTimerActive)
        return;
    validateViewPort();
    m_isInViewPortChanged = true;
    emit viewPortChanged();
    m_isInViewPortChanged = false;
    m_needUpdateChart = false;
    m_needUpdateImageMap = false;
    if (m_updateInterval > 0) {
        m_holdTimerActive = true;
        m_holdTimerId = startTimer(m_updateInterval);
    }
}

void QChartViewer::timerEvent(QTimerEvent *event)
{
    if (!m_holdTimerActive || event->timerId() != m_holdTimerId)
        return;
    killTimer(m_holdTimerId);
    m_holdTimerActive = false;
    if (m_needUpdateChart || m_needUpdateImageMap)
        updateViewPort(m_needUpdateChart, m_needUpdateImageMap);
}

void QChartViewer::updateCursor()
{
    if (m_isDragScrolling) {
        if (m_scrollDirection == DirectionHorizontal)
            setCursor(sharedCursor(ScrollHCursor));
        else if (m_scrollDirection == DirectionVertical)
            setCursor(sharedCursor(ScrollVCursor));
        else
            setCursor(sharedCursor(ScrollAllCursor));
        return;
    }
    if (m_isInPlotArea && m_mouseUsage == MouseUsageZoomIn) {
        setCursor(canZoomIn(m_zoomDirection) ? sharedCursor(ZoomInCursor)
                                             : sharedCursor(NoZoomCursor));
        return;
    }
    if (m_isInPlotArea && m_mouseUsage == MouseUsageZoomOut) {
        setCursor(canZoomOut(m_zoomDirection) ? sharedCursor(ZoomOutCursor)
                                              : sharedCursor(NoZoomCursor));
        return;
    }
    if (m_isClickable)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void QChartViewer::applySelectionPalette()
{
    for (QLabel *edge : m_selectionEdges) {
        QPalette p = edge->palette();
        p.setColor(QPalette::Button, m_selectionBorderColor);
        p.setColor(QPalette::Window, m_selectionBorderColor);
        edge->setPalette(p);
        edge->update();
    }
}

void QChartViewer::drawSelectionBox(int x, int y, int width, int height)
{
    if (!m_selectionEdges[0]) {
        for (QLabel *&edge : m_selectionEdges) {
            edge = new QLabel(this);
            edge->setAutoFillBackground(true);
        }
    }
    applySelectionPalette();
    if (width < 0) {
        x += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        height = -height;
    }
    const int b = m_selectionBorderWidth;
    m_selectionEdges[0]->setGeometry(x, y, width, b);
    m_selectionEdges[1]->setGeometry(x, y, b, height);
    m_selectionEdges[2]->setGeometry(x, y + height - b + 1, width, b);
    m_selectionEdges[3]->setGeometry(x + width - b + 1, y, b, height);
    for (QLabel *edge : m_selectionEdges)
        edge->show();
}

void QChartViewer::hideSelectionBox()
{
    if (!m_selectionEdges[0])
        return;
    for (QLabel *edge : m_selectionEdges)
        edge->hide();
}
