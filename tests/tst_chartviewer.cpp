// The chart viewer: defaults, chart and image map, hot spots with tooltips and the pointing
// hand, clicks, the viewport machinery (scroll drag, zoom box, zoom clicks), the hold timer
// and the cursors.

#include "charts/qchartviewer.h"
#include "corvanechart.h"

#include <QApplication>
#include <QBitmap>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>
#include <memory>

namespace {

void send(QWidget *w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void move(QWidget *w, QPoint p, Qt::MouseButtons buttons = Qt::NoButton)
{
    send(w, QEvent::MouseMove, p, Qt::NoButton, buttons);
}

void press(QWidget *w, QPoint p, Qt::MouseButton b = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonPress, p, b, b);
}
void release(QWidget *w, QPoint p, Qt::MouseButton b = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonRelease, p, b, Qt::NoButton);
}

// 300 x 200 chart, plot area (40, 20) 240 x 150.
std::unique_ptr<XYChart> sampleChart()
{
    auto c = std::make_unique<XYChart>(300, 200);
    c->setPlotArea(40, 20, 240, 150);
    c->addBarLayer({3, 5, 4}, 0x4080c0, QStringLiteral("Items"));
    return c;
}

const QString twoSpots = QStringLiteral(
    "<area shape=\"rect\" coords=\"50,30,90,160\" href=\"clickable?x=0\" title='first'>\n"
    "<area shape=\"rect\" coords=\"100,30,140,160\" title='no path'>\n");

// The viewer's own cursor is unset: the arrow.
bool hasOwnCursor(QWidget *w)
{
    return w->cursor().shape() != Qt::ArrowCursor;
}

} // namespace

class ChartViewerTest : public QObject
{
    Q_OBJECT

private slots:
    void defaults()
    {
        QChartViewer v;
        QVERIFY(v.hasMouseTracking());
        QVERIFY(!v.getChart());
        QVERIFY(!v.getImageMapHandler());
        QCOMPARE(v.getSelectionBorderColor(), QColor(0, 0, 0, 255));
        QCOMPARE(v.getSelectionBorderWidth(), 2);
        QCOMPARE(v.getMouseUsage(), 0);
        QCOMPARE(v.getZoomDirection(), 0);
        QCOMPARE(v.getScrollDirection(), 0);
        QCOMPARE(v.getZoomInRatio(), 2.0);
        QCOMPARE(v.getZoomOutRatio(), 0.5);
        QCOMPARE(v.getMinimumDrag(), 5);
        QCOMPARE(v.getUpdateInterval(), 20);
        QVERIFY(!v.needUpdateChart());
        QVERIFY(!v.needUpdateImageMap());
        QCOMPARE(v.currentHotSpot(), -1);
        QVERIFY(!v.isOverClickableHotSpot());
        QVERIFY(!v.selectionEdge(0));
    }

    void setChartShowsItAtItsSizeWithoutHotSpots()
    {
        QChartViewer v;
        auto c = sampleChart();
        v.setImageMap(twoSpots);
        v.setChart(c.get());
        QCOMPARE(v.getChart(), c.get());
        QCOMPARE(v.size(), QSize(300, 200));
        QCOMPARE(v.pixmap().size(), QSize(300, 200));
        QVERIFY(!v.getImageMapHandler());
        QVERIFY(v.inPlotArea(41, 21));
        QVERIFY(!v.inPlotArea(10, 10));
        // No image map: the first move shows the (empty) default tooltip and the arrow cursor.
        move(&v, QPoint(60, 60));
        QCOMPARE(v.currentHotSpot(), 0);
        QCOMPARE(v.shownToolTip(), QString());
        QVERIFY(!hasOwnCursor(&v));
        v.setChart(nullptr);
        QVERIFY(v.pixmap().isNull());
        QVERIFY(!v.inPlotArea(41, 21));
    }

    void hotSpotsShowTheirTitleAndClickableOnesThePointingHand()
    {
        QChartViewer v;
        auto c = sampleChart();
        v.setChart(c.get());
        v.setImageMap(twoSpots);
        v.setDefaultToolTip(QStringLiteral("nothing here"));
        v.show();
        move(&v, QPoint(60, 60));
        QCOMPARE(v.currentHotSpot(), 1);
        QCOMPARE(v.shownToolTip(), QStringLiteral("first"));
        QVERIFY(v.isOverClickableHotSpot());
        QCOMPARE(v.cursor().shape(), Qt::PointingHandCursor);
        // Within the same hot spot nothing is shown again.
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        v.setDefaultToolTip(QStringLiteral("changed"));
        move(&v, QPoint(70, 80));
        QCOMPARE(v.currentHotSpot(), 1);
        QVERIFY(!QToolTip::isVisible());
        // A hot spot without path: tooltip, but no pointing hand.
        move(&v, QPoint(120, 80));
        QCOMPARE(v.currentHotSpot(), 2);
        QCOMPARE(v.shownToolTip(), QStringLiteral("no path"));
        QVERIFY(!v.isOverClickableHotSpot());
        QVERIFY(!hasOwnCursor(&v));
        // Off every hot spot: the default tooltip.
        move(&v, QPoint(200, 80));
        QCOMPARE(v.currentHotSpot(), 0);
        QCOMPARE(v.shownToolTip(), QStringLiteral("changed"));
        // With a button held the tooltip is hidden.
        move(&v, QPoint(60, 60), Qt::LeftButton);
        QCOMPARE(v.shownToolTip(), QString());
        // A new image map forgets the current hot spot.
        v.setImageMap(twoSpots);
        QCOMPARE(v.currentHotSpot(), -1);
        QVERIFY(!v.isOverClickableHotSpot());
    }

    void mouseMoveSignalComesFirstAndReleasesClick()
    {
        QChartViewer v;
        auto c = sampleChart();
        v.setChart(c.get());
        QSignalSpy moves(&v, &QChartViewer::mouseMove);
        QSignalSpy clicks(&v, &QChartViewer::clicked);
        move(&v, QPoint(100, 100));
        QCOMPARE(moves.count(), 1);
        // Default usage: a press never starts a drag; every release clicks, any button.
        press(&v, QPoint(100, 100));
        QVERIFY(!v.isMouseDragging());
        release(&v, QPoint(100, 100));
        press(&v, QPoint(100, 100), Qt::RightButton);
        release(&v, QPoint(100, 100), Qt::RightButton);
        release(&v, QPoint(5, 5));
        QCOMPARE(clicks.count(), 3);
    }

    void twoQuickUpdatesGiveOneNotificationNowAndOneAfterTheHoldTimer()
    {
        QChartViewer v;
        QSignalSpy changed(&v, &QChartViewer::viewPortChanged);
        v.updateViewPort(true, false);
        QCOMPARE(changed.count(), 1);
        QVERIFY(v.isHoldTimerActive());
        v.updateViewPort(false, true);
        QCOMPARE(changed.count(), 1);
        // The first notification consumed the chart update; the held one asks for the map.
        QVERIFY(!v.needUpdateChart());
        QVERIFY(v.needUpdateImageMap());
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 2, 2000);
        QVERIFY(!v.needUpdateChart());
        QTRY_VERIFY_WITH_TIMEOUT(!v.isHoldTimerActive(), 2000);
        QCOMPARE(changed.count(), 2);
        // Without an interval every update notifies at once.
        v.setUpdateInterval(0);
        v.updateViewPort(true, true);
        v.updateViewPort(true, true);
        QCOMPARE(changed.count(), 4);
        QVERIFY(!v.isHoldTimerActive());
    }

    void updatesFromWithinTheNotificationAreIgnored()
    {
        QChartViewer v;
        v.setUpdateInterval(0);
        int calls = 0;
        connect(&v, &QChartViewer::viewPortChanged, &v, [&] {
            ++calls;
            v.updateViewPort(true, true);
        });
        v.updateViewPort(true, false);
        QCOMPARE(calls, 1);
    }

    void zoomDragShowsTheSelectionBoxAndZoomsToIt()
    {
        QChartViewer v;
        auto c = sampleChart();
        v.setChart(c.get());
        v.setMouseUsage(QChartViewer::MouseUsageZoomIn);
        QSignalSpy changed(&v, &QChartViewer::viewPortChanged);
        press(&v, QPoint(100, 50));
        QVERIFY(v.isMouseDragging());
        move(&v, QPoint(102, 60), Qt::LeftButton); // below the minimum drag: no box yet
        QVERIFY(!v.selectionEdge(0));
        move(&v, QPoint(160, 60), Qt::LeftButton);
        QVERIFY(v.selectionEdge(0) && v.selectionEdge(0)->isVisibleTo(&v));
        // Horizontal zoom: from the press x to the mouse x over the whole plot height.
        QCOMPARE(v.selectionEdge(0)->geometry(), QRect(100, 20, 60, 2));
        QCOMPARE(v.selectionEdge(1)->geometry(), QRect(100, 20, 2, 150));
        QCOMPARE(v.selectionEdge(2)->geometry(), QRect(100, 20 + 150 - 2 + 1, 60, 2));
        QCOMPARE(v.selectionEdge(3)->geometry(), QRect(100 + 60 - 2 + 1, 20, 2, 150));
        QCOMPARE(v.selectionEdge(0)->palette().color(QPalette::Window), QColor(0, 0, 0));
        v.setSelectionBorderColor(Qt::red);
        QCOMPARE(v.selectionEdge(2)->palette().color(QPalette::Window), QColor(Qt::red));
        QCOMPARE(v.cursor().shape(), Qt::BitmapCursor);
        release(&v, QPoint(160, 60));
        QVERIFY(!v.isMouseDragging());
        QVERIFY(!v.selectionEdge(0)->isVisibleTo(&v));
        QCOMPARE(changed.count(), 1);
        QVERIFY(std::fabs(v.getViewPortWidth() - 60.0 / 240) < 1e-9);
        QVERIFY(std::fabs(v.getViewPortLeft() - 60.0 / 240) < 1e-9);
    }

    void zoomClicksZoomAroundThePoint()
    {
        QChartViewer v;
        auto c = sampleChart();
        v.setChart(c.get());
        v.setUpdateInterval(0);
        v.setMouseUsage(QChartViewer::MouseUsageZoomIn);
        QSignalSpy clicks(&v, &QChartViewer::clicked);
        press(&v, QPoint(160, 100));
        release(&v, QPoint(161, 100));
        QVERIFY(std::fabs(v.getViewPortWidth() - 0.5) < 1e-9);
        QCOMPARE(clicks.count(), 0);
        v.setMouseUsage(QChartViewer::MouseUsageZoomOut);
        press(&v, QPoint(160, 100));
        release(&v, QPoint(160, 100));
        QVERIFY(std::fabs(v.getViewPortWidth() - 1.0) < 1e-9);
        // Fully zoomed out: the zoom-out cursor becomes the zoom-not-possible one.
        move(&v, QPoint(160, 100));
        QCOMPARE(v.cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(v.cursor().hotSpot(), QPoint(15, 15));
        QCOMPARE(v.cursor().bitmap().size(), QSize(32, 32));
        QVERIFY(!v.cursor().mask().toImage().isNull());
    }

    void scrollDragMovesTheViewportOnceTheMinimumDragIsReached()
    {
        QChartViewer v;
        auto c = sampleChart();
        v.setChart(c.get());
        v.setUpdateInterval(0);
        v.setMouseUsage(QChartViewer::MouseUsageScroll);
        v.setViewPortWidth(0.5);
        v.setViewPortLeft(0.25);
        QSignalSpy changed(&v, &QChartViewer::viewPortChanged);
        QSignalSpy clicks(&v, &QChartViewer::clicked);
        press(&v, QPoint(150, 100));
        move(&v, QPoint(153, 100), Qt::LeftButton);
        QVERIFY(!v.isDragScrolling());
        QCOMPARE(changed.count(), 0);
        move(&v, QPoint(174, 130), Qt::LeftButton);
        QVERIFY(v.isDragScrolling());
        QCOMPARE(v.cursor().shape(), Qt::BitmapCursor);
        // 24 of 240 pixels to the right moves a half-wide viewport 0.05 to the left.
        QVERIFY(std::fabs(v.getViewPortLeft() - 0.2) < 1e-9);
        QCOMPARE(changed.count(), 1);
        release(&v, QPoint(174, 130));
        QVERIFY(!v.isDragScrolling());
        QCOMPARE(changed.count(), 2);
        QCOMPARE(clicks.count(), 0);
        QVERIFY(!hasOwnCursor(&v));
    }

    void pressOutsideThePlotAreaStartsNoDrag()
    {
        QChartViewer v;
        auto c = sampleChart();
        v.setChart(c.get());
        v.setMouseUsage(QChartViewer::MouseUsageScroll);
        press(&v, QPoint(5, 5));
        QVERIFY(!v.isMouseDragging());
        press(&v, QPoint(100, 100), Qt::RightButton);
        QVERIFY(!v.isMouseDragging());
    }
};

QTEST_MAIN(ChartViewerTest)
#include "tst_chartviewer.moc"
