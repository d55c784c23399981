#include "columnfiller.h"

#include <QPainter>

#include <algorithm>

void ColumnFiller::fill(const QRect &rect, const QBrush &brush)
{
    if (brush.style() == Qt::SolidPattern) {
        fill(rect, brush.color());
        return;
    }
    flush();
    m_p.fillRect(rect, brush);
    ++m_painted;
}

void ColumnFiller::fill(const QRect &rect, const QColor &color)
{
    if (rect.isEmpty())
        return;
    if (color.alpha() != 255) {
        // See-through fills blend with what lies below, so every one must be painted.
        flush();
        m_p.fillRect(rect, color);
        ++m_painted;
        return;
    }
    if (!m_pending.empty() && (rect.left() != m_left || rect.width() != m_width))
        flush();
    m_left = rect.left();
    m_width = rect.width();
    m_pending.push_back({rect.top(), rect.bottom() + 1, color});
}

void ColumnFiller::flush()
{
    if (m_pending.empty())
        return;
    // The last rectangle lies on top: walk back, painting only rows not yet covered.
    m_covered.clear();
    for (auto piece = m_pending.rbegin(); piece != m_pending.rend(); ++piece) {
        int row = piece->top;
        auto range = std::lower_bound(
            m_covered.begin(), m_covered.end(), row,
            [](const std::pair<int, int> &r, int value) { return r.second <= value; });
        while (row < piece->bottom) {
            const int gapEnd =
                range == m_covered.end() ? piece->bottom : std::min(piece->bottom, range->first);
            if (gapEnd > row) {
                m_p.fillRect(QRect(m_left, row, m_width, gapEnd - row), piece->color);
                ++m_painted;
            }
            if (range == m_covered.end())
                break;
            row = std::max(row, range->second);
            ++range;
        }
        // Add the piece to the covered rows, merging the ranges it touches.
        auto first = std::lower_bound(
            m_covered.begin(), m_covered.end(), piece->top,
            [](const std::pair<int, int> &r, int value) { return r.second < value; });
        auto last = first;
        int top = piece->top, bottom = piece->bottom;
        while (last != m_covered.end() && last->first <= bottom) {
            top = std::min(top, last->first);
            bottom = std::max(bottom, last->second);
            ++last;
        }
        first = m_covered.erase(first, last);
        m_covered.insert(first, {top, bottom});
    }
    m_pending.clear();
}
