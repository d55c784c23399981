#pragma once
// Layers of an XY chart and their data sets. Model only: the layout turns them into pixel
// shapes, the painter draws those shapes and the image map reads them.
//
// Layers are drawn in the order they were added (later ones on top) unless moved with
// moveFront / moveBack. Points are at x = data index unless the layer has x data.

#include "axis.h"
#include "chartconst.h"

#include <QString>
#include <memory>
#include <vector>

namespace ImageMap {
class LayerAreas;
}

class XYChart;
class Layer;

class DataSet
{
public:
    DataSet(Layer *layer, std::vector<double> data, int color, const QString &name, int order);

    void setDataName(const QString &name) { m_name = name; }
    const QString &getDataName() const { return m_name; }
    void setDataColor(int color, int edgeColor = -1)
    {
        m_color = color;
        m_edgeColor = edgeColor;
    }
    int getDataColor() const { return m_color; }
    int edgeColor() const { return m_edgeColor; }
    // Symbol at every point: kind, size in pixels, fill and edge colour (-1: the data colour).
    void setDataSymbol(int symbol, int size = 5, int fillColor = -1, int edgeColor = -1,
                       int lineWidth = 1);
    void setLineWidth(int width) { m_lineWidth = width; }
    void setUseYAxis2(bool useAxis2 = true);
    void setUseYAxis(Axis *axis) { m_yAxis = axis; }

    int size() const { return static_cast<int>(m_data.size()); }
    double getValue(int i) const
    {
        return i >= 0 && i < size() ? m_data[static_cast<size_t>(i)] : Chart::NoValue;
    }
    const std::vector<double> &data() const { return m_data; }
    Layer *layer() const { return m_layer; }
    int symbol() const { return m_symbol; }
    int symbolSize() const { return m_symbolSize; }
    int symbolFill() const { return m_symbolFill; }
    int symbolEdge() const { return m_symbolEdge; }
    int symbolLineWidth() const { return m_symbolLineWidth; }
    int lineWidth() const { return m_lineWidth; } // -1: the layer's
    Axis *yAxis() const { return m_yAxis; }
    int order() const { return m_order; }

private:
    Layer *m_layer;
    std::vector<double> m_data;
    int m_color;
    int m_edgeColor = -1;
    QString m_name;
    int m_order;
    int m_symbol = Chart::NoSymbol;
    int m_symbolSize = 5;
    int m_symbolFill = -1, m_symbolEdge = -1, m_symbolLineWidth = 1;
    int m_lineWidth = -1;
    Axis *m_yAxis = nullptr;
};

class Layer
{
public:
    enum Kind
    {
        LineKind,
        BarKind,
        InterLineKind,
        HLOCKind,
        CandleStickKind,
        ScatterKind,
        AreaKind
    };
    virtual ~Layer();

    Kind kind() const { return m_kind; }
    XYChart *chart() const { return m_chart; }

    DataSet *addDataSet(const std::vector<double> &data, int color = -1,
                        const QString &name = QString());
    DataSet *addDataSet(const double *data, int count, int color = -1,
                        const QString &name = QString());
    DataSet *getDataSet(int i) const;
    int getDataSetCount() const { return static_cast<int>(m_dataSets.size()); }

    // X positions of the points (chart time or numbers); without them x is the index.
    void setXData(const std::vector<double> &x) { m_xData = x; }
    const std::vector<double> &xData() const { return m_xData; }

    void setBorderColor(int color, int raisedEffect = 0)
    {
        m_borderColor = color;
        m_raised = raisedEffect;
    }
    int borderColor() const { return m_borderColor; }
    void setLineWidth(int width) { m_lineWidth = width; }
    int lineWidth() const { return m_lineWidth; }
    void setUseYAxis2(bool useAxis2 = true);
    void setUseYAxis(Axis *axis) { m_yAxis = axis; }
    Axis *yAxis() const; // the axis this layer uses
    void setLegend(bool show) { m_legend = show; }
    bool showsInLegend() const { return m_legend; }

    // Image-map settings of this layer; non-empty values take precedence over the arguments
    // given to the chart's or this layer's getHTMLImageMap. "{disable}" as url leaves the
    // layer out of the chart's map.
    void setHTMLImageMap(const QString &url, const QString &queryFormat = QString(),
                         const QString &extraAttr = QString());
    // Image map of this layer's points, in the coordinates of the outermost chart image
    // (plus the given offset). The chart must have been made.
    QString getHTMLImageMap(const QString &url, const QString &queryFormat = QString(),
                            const QString &extraAttr = QString(), int offsetX = 0,
                            int offsetY = 0) const;
    // The same areas, for an image-map handler that writes their tags only when asked.
    ImageMap::LayerAreas getImageMapAreas(const QString &url,
                                          const QString &queryFormat = QString(),
                                          const QString &extraAttr = QString(), int offsetX = 0,
                                          int offsetY = 0) const;
    const QString &mapUrl() const { return m_mapUrl; }
    const QString &mapQuery() const { return m_mapQuery; }
    const QString &mapExtra() const { return m_mapExtra; }

    // Drawing order.
    void moveFront(Layer *layer = nullptr);
    void moveBack(Layer *layer = nullptr);

    // The colour of data set i after resolving automatic colours.
    int dataColor(int i) const;

protected:
    Layer(XYChart *chart, Kind kind);

    XYChart *m_chart;
    Kind m_kind;
    std::vector<std::unique_ptr<DataSet>> m_dataSets;
    std::vector<double> m_xData;
    int m_borderColor = Chart::LineColor;
    int m_raised = 0;
    int m_lineWidth = 1;
    bool m_useY2 = false;
    Axis *m_yAxis = nullptr;
    bool m_legend = true;
    QString m_mapUrl, m_mapQuery, m_mapExtra;
};

class LineLayer : public Layer
{
public:
    explicit LineLayer(XYChart *chart, Kind kind = LineKind);
    // The line of a data set, for inter-line layers.
    LineObj *getLine(int dataSet = 0);
    // Colour of the line across missing points (Transparent leaves a gap).
    void setGapColor(int color) { m_gapColor = color; }
    int gapColor() const { return m_gapColor; }

private:
    std::vector<std::unique_ptr<LineObj>> m_lines;
    int m_gapColor = Chart::Transparent;
};

// Symbols at (x, y) points, no line.
class ScatterLayer : public LineLayer
{
public:
    explicit ScatterLayer(XYChart *chart) : LineLayer(chart, ScatterKind) { m_lineWidth = 0; }
};

class BarLayer : public Layer
{
public:
    BarLayer(XYChart *chart, int combineMethod);
    // Gap between bars and between the bars of one group, as fractions of their slot.
    void setBarGap(double gap, double subGap = 0.2)
    {
        m_barGap = gap;
        m_subBarGap = subGap;
    }
    // Fixed widths in pixels (-1: from the gaps).
    void setBarWidth(int width, int subWidth = -1)
    {
        m_barWidth = width;
        m_subBarWidth = subWidth;
    }
    int combineMethod() const { return m_method; }
    double barGap() const { return m_barGap; }
    double subBarGap() const { return m_subBarGap; }
    int barWidth() const { return m_barWidth; }
    int subBarWidth() const { return m_subBarWidth; }

private:
    int m_method;
    double m_barGap = 0.2, m_subBarGap = 0.2;
    int m_barWidth = -1, m_subBarWidth = -1;
};

// Fills between two lines: color12 where line 1 is above line 2, color21 where it is below.
class InterLineLayer : public Layer
{
public:
    InterLineLayer(XYChart *chart, const LineObj *line1, const LineObj *line2, int color12,
                   int color21);
    const LineObj *line1() const { return m_line1; }
    const LineObj *line2() const { return m_line2; }
    int color12() const { return m_color12; }
    int color21() const { return m_color21; }

private:
    const LineObj *m_line1, *m_line2;
    int m_color12, m_color21;
};

// Common base of HLOC and candlestick layers: data sets 0..3 are high, low, open, close.
class BaseBoxLayer : public Layer
{
public:
    // Gap between boxes as a fraction of their slot (default 0.2).
    void setDataGap(double gap) { m_dataGap = gap; }
    // Fixed box width in pixels (-1: from the gap).
    void setDataWidth(int width) { m_dataWidth = width; }
    double dataGap() const { return m_dataGap; }
    int dataWidth() const { return m_dataWidth; }

protected:
    BaseBoxLayer(XYChart *chart, Kind kind) : Layer(chart, kind) {}
    double m_dataGap = 0.2;
    int m_dataWidth = -1;
};

class HLOCLayer : public BaseBoxLayer
{
public:
    HLOCLayer(XYChart *chart, int color);
    // HLOCDefault: one colour; HLOCOpenClose: close against open; HLOCUpDown: close against
    // the previous close (the first point against leadValue).
    void setColorMethod(int method, int riseColor, int fallColor = -1, double leadValue = -1.7e308);
    int colorMethod() const { return m_method; }
    int color() const { return m_color; }
    int riseColor() const { return m_rise; }
    int fallColor() const { return m_fall; }
    double leadValue() const { return m_lead; }

private:
    int m_color;
    int m_method = Chart::HLOCDefault;
    int m_rise = -1, m_fall = -1;
    double m_lead = -1.7e308;
};

class CandleStickLayer : public BaseBoxLayer
{
public:
    CandleStickLayer(XYChart *chart, int riseColor, int fallColor, int edgeColor);
    int riseColor() const { return m_rise; }
    int fallColor() const { return m_fall; }
    int edgeColor() const { return m_borderColor; }

private:
    int m_rise, m_fall;
};
