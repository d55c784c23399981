#pragma once
// Fills rectangles in order with the picture of filling each in turn, but fewer painter calls:
// when thousands of bars or candles crowd a few pixels each, consecutive opaque rectangles on
// the same pixel columns are resolved back to front, and only the parts still visible are
// painted. Rectangles that are not opaque, or that span other columns, end the run first.

#include <QBrush>
#include <QRect>

#include <utility>
#include <vector>

class QPainter;

class ColumnFiller
{
public:
    // Anti-aliasing must be off on the painter while the filler is used.
    explicit ColumnFiller(QPainter &painter) : m_p(painter) {}
    ~ColumnFiller() { flush(); }
    ColumnFiller(const ColumnFiller &) = delete;
    ColumnFiller &operator=(const ColumnFiller &) = delete;

    void fill(const QRect &rect, const QBrush &brush);
    void fill(const QRect &rect, const QColor &color);
    // Paints what is pending; needed before anything else is drawn with the painter.
    void flush();
    // Painter calls made so far (for the tests: fewer than the rectangles given).
    int paintedRects() const { return m_painted; }

private:
    struct Piece
    {
        int top, bottom; // pixel rows, bottom exclusive
        QColor color;
    };
    QPainter &m_p;
    int m_left = 0, m_width = 0;
    std::vector<Piece> m_pending;
    std::vector<std::pair<int, int>> m_covered; // disjoint row ranges, sorted
    int m_painted = 0;
};
