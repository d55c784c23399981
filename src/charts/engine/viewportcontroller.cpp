#include "viewportcontroller.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {
const double eps = 1e-9;

bool changed(double a, double b)
{
    return std::fabs(a - b) > eps;
}
} // namespace

void ViewPortController::setChartMetrics(const QString &metrics)
{
    m_hasPlot = false;
    m_left = m_top = m_width = m_height = 0;
    for (const QString &part : metrics.split(u';', Qt::SkipEmptyParts)) {
        if (!part.startsWith(u"plot:"))
            continue;
        const QStringList v = part.mid(5).split(u',');
        if (v.size() == 4) {
            m_left = v[0].toInt();
            m_top = v[1].toInt();
            m_width = v[2].toInt();
            m_height = v[3].toInt();
            m_hasPlot = m_width > 0 && m_height > 0;
        }
    }
}

bool ViewPortController::inPlotArea(int x, int y) const
{
    return m_hasPlot && x >= m_left && x < m_left + m_width && y >= m_top && y < m_top + m_height;
}

bool ViewPortController::canZoomIn(int direction) const
{
    return (horizontal(direction) && m_vpWidth > m_minWidth + eps) ||
           (vertical(direction) && m_vpHeight > m_minHeight + eps);
}

bool ViewPortController::canZoomOut(int direction) const
{
    return (horizontal(direction) && m_vpWidth < m_maxWidth - eps) ||
           (vertical(direction) && m_vpHeight < m_maxHeight - eps);
}

bool ViewPortController::zoomAt(int direction, int x, int y, double ratio)
{
    if (!m_hasPlot || !(ratio > 0))
        return false;
    const double oldL = m_vpLeft, oldT = m_vpTop, oldW = m_vpWidth, oldH = m_vpHeight;
    if (horizontal(direction)) {
        const double fx = std::clamp((x - m_left) / static_cast<double>(m_width), 0.0, 1.0);
        const double w = std::clamp(m_vpWidth / ratio, m_minWidth, m_maxWidth);
        m_vpLeft = m_vpLeft + fx * m_vpWidth - fx * w;
        m_vpWidth = w;
    }
    if (vertical(direction)) {
        const double fy = std::clamp((y - m_top) / static_cast<double>(m_height), 0.0, 1.0);
        const double h = std::clamp(m_vpHeight / ratio, m_minHeight, m_maxHeight);
        m_vpTop = m_vpTop + fy * m_vpHeight - fy * h;
        m_vpHeight = h;
    }
    validateViewPort();
    return changed(oldL, m_vpLeft) || changed(oldT, m_vpTop) || changed(oldW, m_vpWidth) ||
           changed(oldH, m_vpHeight);
}

bool ViewPortController::zoomTo(int direction, int x1, int y1, int x2, int y2)
{
    if (!m_hasPlot)
        return false;
    const double oldL = m_vpLeft, oldT = m_vpTop, oldW = m_vpWidth, oldH = m_vpHeight;
    if (horizontal(direction)) {
        const double a =
            std::clamp((std::min(x1, x2) - m_left) / static_cast<double>(m_width), 0.0, 1.0);
        const double b =
            std::clamp((std::max(x1, x2) - m_left) / static_cast<double>(m_width), 0.0, 1.0);
        double w = std::max((b - a) * m_vpWidth, m_minWidth);
        const double centre = m_vpLeft + (a + b) / 2 * m_vpWidth;
        w = std::min(w, m_maxWidth);
        m_vpLeft = centre - w / 2;
        m_vpWidth = w;
    }
    if (vertical(direction)) {
        const double a =
            std::clamp((std::min(y1, y2) - m_top) / static_cast<double>(m_height), 0.0, 1.0);
        const double b =
            std::clamp((std::max(y1, y2) - m_top) / static_cast<double>(m_height), 0.0, 1.0);
        double h = std::max((b - a) * m_vpHeight, m_minHeight);
        const double centre = m_vpTop + (a + b) / 2 * m_vpHeight;
        h = std::min(h, m_maxHeight);
        m_vpTop = centre - h / 2;
        m_vpHeight = h;
    }
    validateViewPort();
    return changed(oldL, m_vpLeft) || changed(oldT, m_vpTop) || changed(oldW, m_vpWidth) ||
           changed(oldH, m_vpHeight);
}

void ViewPortController::startDrag()
{
    m_dragLeft = m_vpLeft;
    m_dragTop = m_vpTop;
}

bool ViewPortController::dragTo(int direction, int dx, int dy)
{
    if (!m_hasPlot)
        return false;
    const double oldL = m_vpLeft, oldT = m_vpTop;
    if (horizontal(direction))
        m_vpLeft = m_dragLeft - dx / static_cast<double>(m_width) * m_vpWidth;
    if (vertical(direction))
        m_vpTop = m_dragTop - dy / static_cast<double>(m_height) * m_vpHeight;
    validateViewPort();
    return changed(oldL, m_vpLeft) || changed(oldT, m_vpTop);
}

void ViewPortController::validateViewPort()
{
    m_vpWidth = std::clamp(m_vpWidth, std::min(m_minWidth, 1.0), std::min(1.0, m_maxWidth));
    m_vpHeight = std::clamp(m_vpHeight, std::min(m_minHeight, 1.0), std::min(1.0, m_maxHeight));
    m_vpLeft = std::clamp(m_vpLeft, 0.0, 1.0 - m_vpWidth);
    m_vpTop = std::clamp(m_vpTop, 0.0, 1.0 - m_vpHeight);
}
