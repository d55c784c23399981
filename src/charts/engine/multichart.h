#pragma once
// Several charts drawn into one image at given offsets, e.g. stacked price and indicator
// panels. The held charts are not owned: their owner keeps them alive with the multi-chart.

#include "basechart.h"

#include <vector>

class MultiChart : public BaseChart
{
public:
    MultiChart(int width, int height, int bgColor = Chart::BackgroundColor,
               int edgeColor = Chart::Transparent, int raisedEffect = 0);
    ~MultiChart() override;

    void addChart(int x, int y, BaseChart *chart);
    // The chart whose plot area the viewport manager uses.
    void setMainChart(BaseChart *chart) { m_main = chart; }
    BaseChart *getMainChart() const { return m_main; }
    BaseChart *getChart(int i = 0) const;
    int getChartCount() const { return static_cast<int>(m_charts.size()); }

protected:
    void layout() override;
    void paint(QPainter &p) override;
    void appendImageMap(QString &out, const QString &url, const QString &query,
                        const QString &extra, int offsetX, int offsetY) const override;
    QString metrics() const override;

private:
    std::vector<BaseChart *> m_charts;
    BaseChart *m_main = nullptr;
};
