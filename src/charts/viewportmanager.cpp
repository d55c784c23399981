#include "charts/viewportmanager.h"

#include "viewportcontroller.h"

ViewPortManager::ViewPortManager() : m_controller(new ViewPortController) {}

ViewPortManager::~ViewPortManager()
{
    delete m_controller;
}

void ViewPortManager::setChartMetrics(const QString &metrics)
{
    m_controller->setChartMetrics(metrics);
}
bool ViewPortManager::inPlotArea(int x, int y) const
{
    return m_controller->inPlotArea(x, y);
}
int ViewPortManager::getPlotAreaLeft() const
{
    return m_controller->getPlotAreaLeft();
}
int ViewPortManager::getPlotAreaTop() const
{
    return m_controller->getPlotAreaTop();
}
int ViewPortManager::getPlotAreaWidth() const
{
    return m_controller->getPlotAreaWidth();
}
int ViewPortManager::getPlotAreaHeight() const
{
    return m_controller->getPlotAreaHeight();
}
double ViewPortManager::getViewPortLeft() const
{
    return m_controller->getViewPortLeft();
}
double ViewPortManager::getViewPortTop() const
{
    return m_controller->getViewPortTop();
}
double ViewPortManager::getViewPortWidth() const
{
    return m_controller->getViewPortWidth();
}
double ViewPortManager::getViewPortHeight() const
{
    return m_controller->getViewPortHeight();
}
void ViewPortManager::setViewPortLeft(double left)
{
    m_controller->setViewPortLeft(left);
}
void ViewPortManager::setViewPortTop(double top)
{
    m_controller->setViewPortTop(top);
}
void ViewPortManager::setViewPortWidth(double width)
{
    m_controller->setViewPortWidth(width);
}
void ViewPortManager::setViewPortHeight(double height)
{
    m_controller->setViewPortHeight(height);
}
void ViewPortManager::setZoomInWidthLimit(double limit)
{
    m_controller->setZoomInWidthLimit(limit);
}
void ViewPortManager::setZoomInHeightLimit(double limit)
{
    m_controller->setZoomInHeightLimit(limit);
}
bool ViewPortManager::canZoomIn(int direction) const
{
    return m_controller->canZoomIn(direction);
}
bool ViewPortManager::canZoomOut(int direction) const
{
    return m_controller->canZoomOut(direction);
}

bool ViewPortManager::zoomAt(int direction, int x, int y, double ratio)
{
    return m_controller->zoomAt(direction, x, y, ratio);
}

bool ViewPortManager::zoomTo(int direction, int x1, int y1, int x2, int y2)
{
    return m_controller->zoomTo(direction, x1, y1, x2, y2);
}

void ViewPortManager::startDrag()
{
    m_controller->startDrag();
}

bool ViewPortManager::dragTo(int direction, int dx, int dy)
{
    return m_controller->dragTo(direction, dx, dy);
}

void ViewPortManager::validateViewPort()
{
    m_controller->validateViewPort();
}
