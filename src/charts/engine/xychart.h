#pragma once
// A chart with x and y axes, a plot area and layers.

#include "axis.h"
#include "basechart.h"
#include "layer.h"
#include "plotarea.h"

#include <memory>
#include <vector>

struct XYLayout;

class XYChart : public BaseChart
{
public:
    XYChart(int width, int height, int bgColor = Chart::BackgroundColor,
            int edgeColor = Chart::Transparent, int raisedEffect = 0);
    ~XYChart() override;

    PlotArea *setPlotArea(int x, int y, int width, int height, int bgColor = Chart::Transparent,
                          int altBgColor = -1, int edgeColor = -1, int hGridColor = 0xc0c0c0,
                          int vGridColor = Chart::Transparent);
    PlotArea *getPlotArea() { return &m_plotArea; }
    const PlotArea &plotArea() const { return m_plotArea; }

    Axis *xAxis() { return m_xAxis.get(); }
    Axis *xAxis2() { return m_xAxis2.get(); }
    Axis *yAxis() { return m_yAxis.get(); }
    Axis *yAxis2() { return m_yAxis2.get(); }
    const Axis *xAxis() const { return m_xAxis.get(); }
    const Axis *yAxis() const { return m_yAxis.get(); }
    const Axis *yAxis2() const { return m_yAxis2.get(); }
    const Axis *xAxis2() const { return m_xAxis2.get(); }
    // An extra y axis on the left or right, offset pixels away from the plot area.
    Axis *addAxis(int alignment, int offset = 0);
    // The primary y axis on the right (the secondary one moves to the left).
    void setYAxisOnRight(bool onRight = true);
    // Only points startPos .. startPos + length - 1 are shown.
    void setTrimData(int startPos, int length = 0x7fffffff);
    int trimStart() const { return m_trimStart; }
    int trimLength() const { return m_trimLength; }

    LineLayer *addLineLayer();
    LineLayer *addLineLayer(const std::vector<double> &data, int color = -1,
                            const QString &name = QString());
    BarLayer *addBarLayer(const std::vector<double> &data, int color = -1,
                          const QString &name = QString(), int depth = 0);
    BarLayer *addBarLayer2(int dataCombineMethod = Chart::Side, int depth = 0);
    InterLineLayer *addInterLineLayer(const LineObj *line1, const LineObj *line2, int color12,
                                      int color21 = -1);
    HLOCLayer *addHLOCLayer(const std::vector<double> &high, const std::vector<double> &low,
                            const std::vector<double> &open, const std::vector<double> &close,
                            int color = -1);
    CandleStickLayer *addCandleStickLayer(const std::vector<double> &high,
                                          const std::vector<double> &low,
                                          const std::vector<double> &open,
                                          const std::vector<double> &close,
                                          int riseColor = 0xffffff, int fallColor = 0x000000,
                                          int edgeColor = Chart::LineColor);
    // Empty xData puts the points at their indexes.
    ScatterLayer *addScatterLayer(const std::vector<double> &xData,
                                  const std::vector<double> &yData, const QString &name = QString(),
                                  int symbol = Chart::SquareSymbol, int symbolSize = 5,
                                  int fillColor = -1, int edgeColor = -1);

    int getLayerCount() const { return static_cast<int>(m_layers.size()); }
    Layer *getLayer(int i) const;
    // Layers in drawing order (bottom first).
    const std::vector<Layer *> &drawOrder() const { return m_drawOrder; }
    void moveLayer(Layer *layer, Layer *relativeTo, bool front);
    // Every axis of the chart: x, x2, y, y2, then added axes.
    std::vector<const Axis *> axes() const;

    // After the chart is made: pixel positions (chart coordinates).
    double getXCoor(double x) const;
    double getYCoor(double y, const Axis *axis = nullptr) const;
    const XYLayout *layoutResult() const { return m_layout.get(); }

    // Automatic colour for the next data set.
    int nextDataColor() { return Chart::DataColor + m_autoColor++; }

protected:
    void layout() override;
    void paint(QPainter &p) override;
    void appendImageMap(QString &out, const QString &url, const QString &query,
                        const QString &extra, int offsetX, int offsetY) const override;
    QString metrics() const override;

private:
    friend class Layer;
    friend class XYLayoutBuilder;
    template <typename T> T *adopt(std::unique_ptr<T> layer);

    PlotArea m_plotArea;
    bool m_plotAreaSet = false;
    std::unique_ptr<Axis> m_xAxis, m_xAxis2, m_yAxis, m_yAxis2;
    std::vector<std::unique_ptr<Axis>> m_extraAxes;
    std::vector<std::unique_ptr<Layer>> m_layers;
    std::vector<Layer *> m_drawOrder;
    int m_trimStart = 0, m_trimLength = 0x7fffffff;
    int m_autoColor = 0;
    std::unique_ptr<XYLayout> m_layout;
};
