#include "multichart.h"

#include "boxpainter.h"
#include "xychart.h"

#include <QPainter>

MultiChart::MultiChart(int width, int height, int bgColor, int edgeColor, int raisedEffect)
    : BaseChart(width, height, bgColor, edgeColor, raisedEffect)
{
}

MultiChart::~MultiChart()
{
    for (BaseChart *c : m_charts)
        if (c->m_parent == this)
            c->setParent(nullptr, 0, 0);
}

void MultiChart::addChart(int x, int y, BaseChart *chart)
{
    if (!chart || chart == this)
        return;
    chart->setParent(this, x, y);
    m_charts.push_back(chart);
}

BaseChart *MultiChart::getChart(int i) const
{
    return i >= 0 && i < getChartCount() ? m_charts[static_cast<size_t>(i)] : nullptr;
}

void MultiChart::layout()
{
    for (BaseChart *c : m_charts) {
        c->layout();
        c->m_made = true;
    }
}

void MultiChart::paint(QPainter &p)
{
    paintBackground(p);
    for (BaseChart *c : m_charts) {
        p.save();
        p.translate(c->offsetX(), c->offsetY());
        p.setClipRect(QRect(0, 0, c->getWidth(), c->getHeight()));
        c->paint(p);
        p.restore();
    }
    if (m_legend) {
        std::vector<LegendEntry> entries;
        for (const auto &k : m_legend->keys())
            entries.push_back({k.text,
                               k.lineWidth > 0 ? LegendEntry::LineIcon : LegendEntry::BoxIcon,
                               k.color, -1, k.lineWidth, Chart::NoSymbol, 5, -1, -1, k.order});
        BoxPainter::paintLegend(p, *m_legend, entries);
    }
    paintBoxes(p);
}

void MultiChart::appendImageMap(QString &out, const QString &url, const QString &query,
                                const QString &extra, int offsetX, int offsetY) const
{
    // Later charts are drawn over earlier ones, so their areas come first.
    for (auto it = m_charts.rbegin(); it != m_charts.rend(); ++it)
        (*it)->appendImageMap(out, url, query, extra, offsetX, offsetY);
}

QString MultiChart::metrics() const
{
    const BaseChart *main = m_main ? m_main : (m_charts.empty() ? nullptr : m_charts.front());
    if (!main)
        return QStringLiteral("chart:%1,%2;").arg(getWidth()).arg(getHeight());
    QString s = main->metrics();
    // The image is the multi-chart's.
    const int end = s.indexOf(u';');
    return QStringLiteral("chart:%1,%2").arg(getWidth()).arg(getHeight()) + s.mid(end);
}
