#include "labelfields.h"

#include "chartconst.h"

#include <iterator>

namespace TextFormat {

namespace {

// The names of the fields, in the order of FieldId.
const char16_t *const fieldNames[] = {u"value", u"x",     u"xLabel",  u"open",     u"high",
                                      u"low",   u"close", u"dataSet", u"dataItem", u"dataSetName"};
static_assert(std::size(fieldNames) == FOther);

} // namespace

FieldId fieldId(QStringView name)
{
    for (int id = 0; id < FOther; ++id)
        if (name == QStringView(fieldNames[id]))
            return static_cast<FieldId>(id);
    return FOther;
}

double numericField(FieldId id, const Fields &f)
{
    switch (id) {
    case FValue:
        return f.value;
    case FX:
        return f.x;
    case FXLabel:
        return !Chart::isNoValue(f.xLabelTime) ? f.xLabelTime : f.x;
    case FOpen:
        return f.open;
    case FHigh:
        return f.high;
    case FLow:
        return f.low;
    case FClose:
        return f.close;
    case FDataSet:
        return f.dataSet;
    case FDataItem:
        return f.dataItem;
    default:
        return Chart::NoValue;
    }
}

} // namespace TextFormat
