#pragma once
// HTML image maps of a made chart: one <area> per data point with the attributes asked for.
//
// url: the href's path (no href when empty). queryFormat: appended to the url, default
// "?x={x}&xLabel={xLabel}&dataSet={dataSet}&dataSetName={dataSetName}&value={value}".
// extraAttr: more attributes, e.g. "title='{xLabel}\n{value}'". Field values are escaped for
// their place (URL encoding in the query, HTML entities everywhere).

#include <QString>

#include <array>
#include <functional>
#include <memory>

class XYChart;
class Layer;
struct LayerShapes;

namespace ImageMap {

using Coords = std::array<long, 4>; // left, top, right, bottom as written

// One layer's areas of a made chart. The map text of all of them is long for long histories;
// the areas can also be had as coordinates, and each area's tag written alone when it is
// needed. Refers to the chart, which must stay alive and unchanged while this is used.
class LayerAreas
{
public:
    LayerAreas() = default; // no areas
    LayerAreas(const XYChart &chart, const Layer &layer, const QString &url,
               const QString &queryFormat, const QString &extraAttr, int offsetX, int offsetY);

    // The map text of the layer, appended.
    void append(QString &out) const;
    // The coordinates of every area, in map order.
    void forEachArea(const std::function<void(const Coords &)> &take) const;
    // The tag of area n (0-based, in map order), as append writes it.
    QString tag(int n) const;

private:
    struct Writer;
    template <typename F> void visit(F &&area) const;

    const XYChart *m_chart = nullptr;
    const Layer *m_layer = nullptr;
    const LayerShapes *m_shapes = nullptr; // null: the layer has no areas
    int m_offsetX = 0, m_offsetY = 0;
    std::shared_ptr<const Writer> m_writer;
};

void appendLayer(QString &out, const XYChart &chart, const Layer &layer, const QString &url,
                 const QString &queryFormat, const QString &extraAttr, int offsetX, int offsetY);
void appendChart(QString &out, const XYChart &chart, const QString &url, const QString &queryFormat,
                 const QString &extraAttr, int offsetX, int offsetY);

} // namespace ImageMap
