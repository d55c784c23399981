#include "layer.h"

#include "colors.h"
#include "imagemap.h"
#include "xychart.h"

DataSet::DataSet(Layer *layer, std::vector<double> data, int color, const QString &name, int order)
    : m_layer(layer), m_data(std::move(data)), m_color(color), m_name(name), m_order(order)
{
}

void DataSet::setDataSymbol(int symbol, int size, int fillColor, int edgeColor, int lineWidth)
{
    m_symbol = symbol;
    m_symbolSize = size;
    m_symbolFill = fillColor;
    m_symbolEdge = edgeColor;
    m_symbolLineWidth = lineWidth;
}

void DataSet::setUseYAxis2(bool useAxis2)
{
    m_yAxis = useAxis2 ? m_layer->chart()->yAxis2() : m_layer->chart()->yAxis();
}

Layer::Layer(XYChart *chart, Kind kind) : m_chart(chart), m_kind(kind) {}

Layer::~Layer() = default;

DataSet *Layer::addDataSet(const std::vector<double> &data, int color, const QString &name)
{
    if (color == -1)
        color = m_chart->nextDataColor();
    m_dataSets.push_back(std::make_unique<DataSet>(this, data, color, name, m_chart->nextOrder()));
    return m_dataSets.back().get();
}

DataSet *Layer::addDataSet(const double *data, int count, int color, const QString &name)
{
    return addDataSet(std::vector<double>(data, data + (count > 0 ? count : 0)), color, name);
}

DataSet *Layer::getDataSet(int i) const
{
    return i >= 0 && i < getDataSetCount() ? m_dataSets[static_cast<size_t>(i)].get() : nullptr;
}

void Layer::setUseYAxis2(bool useAxis2)
{
    m_useY2 = useAxis2;
    m_yAxis = nullptr;
}

Axis *Layer::yAxis() const
{
    if (m_yAxis)
        return m_yAxis;
    return m_useY2 ? m_chart->yAxis2() : m_chart->yAxis();
}

void Layer::setHTMLImageMap(const QString &url, const QString &queryFormat,
                            const QString &extraAttr)
{
    m_mapUrl = url;
    m_mapQuery = queryFormat;
    m_mapExtra = extraAttr;
}

QString Layer::getHTMLImageMap(const QString &url, const QString &queryFormat,
                               const QString &extraAttr, int offsetX, int offsetY) const
{
    QString out;
    if (!m_chart->isMade())
        return out;
    ImageMap::appendLayer(out, *m_chart, *this, url, queryFormat, extraAttr,
                          m_chart->absoluteOffsetX() + offsetX,
                          m_chart->absoluteOffsetY() + offsetY);
    return out;
}

ImageMap::LayerAreas Layer::getImageMapAreas(const QString &url, const QString &queryFormat,
                                             const QString &extraAttr, int offsetX,
                                             int offsetY) const
{
    if (!m_chart->isMade())
        return {};
    return ImageMap::LayerAreas(*m_chart, *this, url, queryFormat, extraAttr,
                                m_chart->absoluteOffsetX() + offsetX,
                                m_chart->absoluteOffsetY() + offsetY);
}

void Layer::moveFront(Layer *layer)
{
    m_chart->moveLayer(this, layer, true);
}

void Layer::moveBack(Layer *layer)
{
    m_chart->moveLayer(this, layer, false);
}

int Layer::dataColor(int i) const
{
    const DataSet *ds = getDataSet(i);
    return ds ? ds->getDataColor() : Chart::Transparent;
}

LineLayer::LineLayer(XYChart *chart, Kind kind) : Layer(chart, kind) {}

LineObj *LineLayer::getLine(int dataSet)
{
    const DataSet *ds = getDataSet(dataSet);
    if (!ds)
        return nullptr;
    for (const auto &l : m_lines)
        if (l->dataSet() == ds)
            return l.get();
    m_lines.push_back(std::make_unique<LineObj>(ds));
    return m_lines.back().get();
}

BarLayer::BarLayer(XYChart *chart, int combineMethod)
    : Layer(chart, BarKind), m_method(combineMethod)
{
}

InterLineLayer::InterLineLayer(XYChart *chart, const LineObj *line1, const LineObj *line2,
                               int color12, int color21)
    : Layer(chart, InterLineKind), m_line1(line1), m_line2(line2), m_color12(color12),
      m_color21(color21)
{
}

HLOCLayer::HLOCLayer(XYChart *chart, int color) : BaseBoxLayer(chart, HLOCKind), m_color(color) {}

void HLOCLayer::setColorMethod(int method, int riseColor, int fallColor, double leadValue)
{
    m_method = method;
    m_rise = riseColor;
    m_fall = fallColor == -1 ? riseColor : fallColor;
    m_lead = leadValue;
}

CandleStickLayer::CandleStickLayer(XYChart *chart, int riseColor, int fallColor, int edgeColor)
    : BaseBoxLayer(chart, CandleStickKind), m_rise(riseColor), m_fall(fallColor)
{
    m_borderColor = edgeColor;
}
