#include "xychart.h"

#include "xylayout.h"

#include <algorithm>

XYChart::XYChart(int width, int height, int bgColor, int edgeColor, int raisedEffect)
    : BaseChart(width, height, bgColor, edgeColor, raisedEffect),
      m_xAxis(std::make_unique<Axis>(this, Chart::Bottom)),
      m_xAxis2(std::make_unique<Axis>(this, Chart::Top)),
      m_yAxis(std::make_unique<Axis>(this, Chart::Left)),
      m_yAxis2(std::make_unique<Axis>(this, Chart::Right))
{
    m_plotArea.set(width / 10, height / 10, width * 8 / 10, height * 8 / 10);
}

XYChart::~XYChart() = default;

PlotArea *XYChart::setPlotArea(int x, int y, int width, int height, int bgColor, int altBgColor,
                               int edgeColor, int hGridColor, int vGridColor)
{
    m_plotArea.set(x, y, std::max(1, width), std::max(1, height));
    m_plotArea.setBackground(bgColor, altBgColor, edgeColor == -1 ? Chart::LineColor : edgeColor);
    m_plotArea.setGridColor(hGridColor, vGridColor);
    m_plotAreaSet = true;
    return &m_plotArea;
}

Axis *XYChart::addAxis(int alignment, int offset)
{
    auto axis = std::make_unique<Axis>(this, alignment);
    if (alignment == Chart::Left || alignment == Chart::Right)
        axis->setOffset(offset, 0);
    else
        axis->setOffset(0, offset);
    m_extraAxes.push_back(std::move(axis));
    return m_extraAxes.back().get();
}

void XYChart::setYAxisOnRight(bool onRight)
{
    m_yAxis->setSide(onRight ? Chart::Right : Chart::Left);
    m_yAxis2->setSide(onRight ? Chart::Left : Chart::Right);
}

void XYChart::setTrimData(int startPos, int length)
{
    m_trimStart = std::max(0, startPos);
    m_trimLength = std::max(0, length);
}

template <typename T> T *XYChart::adopt(std::unique_ptr<T> layer)
{
    T *raw = layer.get();
    m_layers.push_back(std::move(layer));
    m_drawOrder.push_back(raw);
    return raw;
}

LineLayer *XYChart::addLineLayer()
{
    return adopt(std::make_unique<LineLayer>(this));
}

LineLayer *XYChart::addLineLayer(const std::vector<double> &data, int color, const QString &name)
{
    LineLayer *l = addLineLayer();
    l->addDataSet(data, color, name);
    return l;
}

BarLayer *XYChart::addBarLayer(const std::vector<double> &data, int color, const QString &name,
                               int /*depth*/)
{
    BarLayer *l = addBarLayer2(Chart::Side);
    l->addDataSet(data, color, name);
    return l;
}

BarLayer *XYChart::addBarLayer2(int dataCombineMethod, int /*depth*/)
{
    return adopt(std::make_unique<BarLayer>(this, dataCombineMethod));
}

InterLineLayer *XYChart::addInterLineLayer(const LineObj *line1, const LineObj *line2, int color12,
                                           int color21)
{
    return adopt(std::make_unique<InterLineLayer>(this, line1, line2, color12, color21));
}

HLOCLayer *XYChart::addHLOCLayer(const std::vector<double> &high, const std::vector<double> &low,
                                 const std::vector<double> &open, const std::vector<double> &close,
                                 int color)
{
    HLOCLayer *l = adopt(std::make_unique<HLOCLayer>(this, color == -1 ? Chart::LineColor : color));
    l->addDataSet(high, Chart::Transparent);
    l->addDataSet(low, Chart::Transparent);
    l->addDataSet(open, Chart::Transparent);
    l->addDataSet(close, Chart::Transparent);
    return l;
}

CandleStickLayer *XYChart::addCandleStickLayer(const std::vector<double> &high,
                                               const std::vector<double> &low,
                                               const std::vector<double> &open,
                                               const std::vector<double> &close, int riseColor,
                                               int fallColor, int edgeColor)
{
    CandleStickLayer *l =
        adopt(std::make_unique<CandleStickLayer>(this, riseColor, fallColor, edgeColor));
    l->addDataSet(high, Chart::Transparent);
    l->addDataSet(low, Chart::Transparent);
    l->addDataSet(open, Chart::Transparent);
    l->addDataSet(close, Chart::Transparent);
    return l;
}

ScatterLayer *XYChart::addScatterLayer(const std::vector<double> &xData,
                                       const std::vector<double> &yData, const QString &name,
                                       int symbol, int symbolSize, int fillColor, int edgeColor)
{
    ScatterLayer *l = adopt(std::make_unique<ScatterLayer>(this));
    if (!xData.empty())
        l->setXData(xData);
    DataSet *ds = l->addDataSet(yData, fillColor, name);
    ds->setDataSymbol(symbol, symbolSize, fillColor, edgeColor);
    return l;
}

Layer *XYChart::getLayer(int i) const
{
    return i >= 0 && i < getLayerCount() ? m_layers[static_cast<size_t>(i)].get() : nullptr;
}

void XYChart::moveLayer(Layer *layer, Layer *relativeTo, bool front)
{
    auto it = std::find(m_drawOrder.begin(), m_drawOrder.end(), layer);
    if (it == m_drawOrder.end() || layer == relativeTo)
        return;
    m_drawOrder.erase(it);
    auto rel = std::find(m_drawOrder.begin(), m_drawOrder.end(), relativeTo);
    if (!relativeTo || rel == m_drawOrder.end())
        m_drawOrder.insert(front ? m_drawOrder.end() : m_drawOrder.begin(), layer);
    else
        m_drawOrder.insert(front ? rel + 1 : rel, layer);
}

std::vector<const Axis *> XYChart::axes() const
{
    std::vector<const Axis *> v{m_xAxis.get(), m_xAxis2.get(), m_yAxis.get(), m_yAxis2.get()};
    for (const auto &a : m_extraAxes)
        v.push_back(a.get());
    return v;
}

double XYChart::getXCoor(double x) const
{
    return m_layout ? m_layout->x.toPixel(x) : 0;
}

double XYChart::getYCoor(double y, const Axis *axis) const
{
    if (!m_layout)
        return 0;
    const AxisScale *s = m_layout->scaleOf(axis ? axis : m_yAxis.get());
    return s ? s->toPixel(y) : 0;
}

void XYChart::layout()
{
    m_layout = XYLayoutBuilder(*this).build();
}

QString XYChart::metrics() const
{
    const int ox = absoluteOffsetX(), oy = absoluteOffsetY();
    QString s = QStringLiteral("chart:%1,%2;plot:%3,%4,%5,%6;")
                    .arg(getWidth())
                    .arg(getHeight())
                    .arg(m_plotArea.getLeftX() + ox)
                    .arg(m_plotArea.getTopY() + oy)
                    .arg(m_plotArea.getWidth())
                    .arg(m_plotArea.getHeight());
    if (m_layout)
        s += QStringLiteral("x:%1,%2;y:%3,%4;")
                 .arg(m_layout->x.min, 0, 'g', 17)
                 .arg(m_layout->x.max, 0, 'g', 17)
                 .arg(m_layout->yScales.front()->min, 0, 'g', 17)
                 .arg(m_layout->yScales.front()->max, 0, 'g', 17);
    return s;
}
