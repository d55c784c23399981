#pragma once
// The values of one point that a label template names: {value}, {x}, {xLabel}, {open}, {high},
// {low}, {close}, {dataSet}, {dataItem}, {dataSetName} and extra text fields.

#include <QString>
#include <QStringView>
#include <utility>
#include <vector>

namespace TextFormat {

// Field values of one point, for expanding a template.
struct Fields
{
    double value = 1.7e308;
    double x = 1.7e308;
    double open = 1.7e308, high = 1.7e308, low = 1.7e308, close = 1.7e308;
    int dataSet = 0;
    int dataItem = 0;
    const QString *dataSetName = nullptr;
    // The x label: text, or a chart time, or else the x value.
    const QString *xLabelText = nullptr;
    double xLabelTime = 1.7e308;
    // The value is a chart time (date axes): formats are dates, no format gives the default.
    bool valueIsTime = false;
    // Decimal places for "@" and for a bare "{value}" on axes; -1 = general.
    int defaultDecimals = -1;
    // Extra named text fields ("label", ...).
    const std::vector<std::pair<QString, QString>> *extra = nullptr;
};

// The fields known by name; FOther is any other name (an extra text field).
enum FieldId
{
    FValue,
    FX,
    FXLabel,
    FOpen,
    FHigh,
    FLow,
    FClose,
    FDataSet,
    FDataItem,
    FDataSetName,
    FOther
};

FieldId fieldId(QStringView name);
// The number a field holds at a point (the x label: its chart time, else x); NoValue for text
// fields.
double numericField(FieldId id, const Fields &f);

} // namespace TextFormat
