#pragma once
// HTML image maps of a made chart: one <area> per data point with the attributes asked for.
//
// url: the href's path (no href when empty). queryFormat: appended to the url, default
// "?x={x}&xLabel={xLabel}&dataSet={dataSet}&dataSetName={dataSetName}&value={value}".
// extraAttr: more attributes, e.g. "title='{xLabel}\n{value}'". Field values are escaped for
// their place (URL encoding in the query, HTML entities everywhere).

#include <QString>

class XYChart;
class Layer;

namespace ImageMap {

void appendLayer(QString &out, const XYChart &chart, const Layer &layer, const QString &url,
                 const QString &queryFormat, const QString &extraAttr, int offsetX, int offsetY);
void appendChart(QString &out, const XYChart &chart, const QString &url, const QString &queryFormat,
                 const QString &extraAttr, int offsetX, int offsetY);

} // namespace ImageMap
