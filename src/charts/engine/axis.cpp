#include "axis.h"

#include "xychart.h"
#include "xylayout.h"

Mark::Mark(Axis *axis, double value, int lineColor, const QString &text, const QString &font,
           double size)
    : TextBox(text, font, size, lineColor), m_axis(axis), m_value(value), m_lineColor(lineColor),
      m_line(this)
{
}

void Mark::setMarkColor(int lineColor, int textColor, int /*tickColor*/)
{
    m_lineColor = lineColor;
    setFontColor(textColor == -1 ? lineColor : textColor);
}

Axis::Axis(XYChart *chart, int side) : m_chart(chart), m_side(side) {}

void Axis::setLabels(const std::vector<QString> &labels)
{
    m_textLabels = labels;
    m_timeLabels.clear();
}

TextBox *Axis::setLabels2(const std::vector<double> &timestamps, const QString &format)
{
    m_timeLabels = timestamps;
    m_textLabels.clear();
    if (!format.isEmpty())
        m_labelFormat = format;
    return &m_labelStyle;
}

TextBox *Axis::setLabels2(const double *timestamps, int count, const QString &format)
{
    return setLabels2(std::vector<double>(timestamps, timestamps + (count > 0 ? count : 0)),
                      format);
}

TextBox *Axis::setLabelStyle(const QString &font, double size, int color, double angle)
{
    m_labelStyle.setFontStyle(font.isEmpty() ? QStringLiteral("normal") : font);
    m_labelStyle.setFontSize(size);
    m_labelStyle.setFontColor(color);
    m_labelStyle.setFontAngle(angle);
    return &m_labelStyle;
}

void Axis::setMultiFormat(int filter1, const QString &format1, int filter2, const QString &format2,
                          int labelSpan, bool promoteFirst)
{
    m_multiFormats.push_back({filter1, format1, filter2, format2, labelSpan, promoteFirst});
}

void Axis::setMultiFormat(int filter, const QString &format, int labelSpan, bool promoteFirst)
{
    m_multiFormats.push_back({filter, format, -1, QString(), labelSpan, promoteFirst});
}

TextBox *Axis::setTitle(const QString &text, const QString &font, double size, int color)
{
    m_title.setText(text);
    m_title.setFontStyle(font);
    m_title.setFontSize(size);
    m_title.setFontColor(color);
    m_titleColor = color;
    return &m_title;
}

void Axis::setColors(int axisColor, int labelColor, int titleColor, int tickColor)
{
    m_axisColor = axisColor;
    m_labelStyle.setFontColor(labelColor);
    if (titleColor != -1)
        m_titleColor = titleColor;
    m_tickColor = tickColor == -1 ? axisColor : tickColor;
}

void Axis::setAutoScale(double topExtension, double bottomExtension, double zeroAffinity)
{
    m_topExt = topExtension;
    m_bottomExt = bottomExtension;
    m_zeroAffinity = zeroAffinity;
    if (m_mode != AutoLog)
        m_mode = AutoLinear;
}

void Axis::setLinearScale(double lower, double upper, double majorInc, double minorInc)
{
    m_mode = FixedLinear;
    m_lower = lower;
    m_upper = upper;
    m_majorInc = majorInc;
    m_minorInc = minorInc;
}

void Axis::setLinearScale3(const QString &format)
{
    m_mode = AutoLinear;
    if (!format.isEmpty())
        m_labelFormat = format;
}

void Axis::setLogScale(double lower, double upper, double majorInc, double minorInc)
{
    m_mode = FixedLog;
    m_lower = lower;
    m_upper = upper;
    m_majorInc = majorInc;
    m_minorInc = minorInc;
}

void Axis::setLogScale3(const QString &format)
{
    m_mode = AutoLog;
    if (!format.isEmpty())
        m_labelFormat = format;
}

void Axis::syncAxis(const Axis *source, double slope, double intercept)
{
    if (!source || source == this)
        return;
    m_mode = Synced;
    m_syncSource = source;
    m_syncSlope = slope;
    m_syncIntercept = intercept;
}

void Axis::copyAxis(const Axis *source)
{
    if (!source || source == this)
        return;
    XYChart *chart = m_chart;
    const int side = m_side;
    std::vector<std::unique_ptr<Mark>> marks;
    marks.swap(m_marks);
    m_textLabels = source->m_textLabels;
    m_timeLabels = source->m_timeLabels;
    m_labelFormat = source->m_labelFormat;
    m_multiFormats = source->m_multiFormats;
    m_labelStyle = source->m_labelStyle;
    m_title = source->m_title;
    m_axisColor = source->m_axisColor;
    m_titleColor = source->m_titleColor;
    m_tickColor = source->m_tickColor;
    m_lineWidth = source->m_lineWidth;
    m_indent = source->m_indent;
    m_majorTick = source->m_majorTick;
    m_minorTick = source->m_minorTick;
    m_labelGap = source->m_labelGap;
    m_topExt = source->m_topExt;
    m_bottomExt = source->m_bottomExt;
    m_zeroAffinity = source->m_zeroAffinity;
    m_majorSpacing = source->m_majorSpacing;
    m_minorSpacing = source->m_minorSpacing;
    m_marginTop = source->m_marginTop;
    m_marginBottom = source->m_marginBottom;
    m_mode = source->m_mode == Synced ? AutoLinear : source->m_mode;
    m_lower = source->m_lower;
    m_upper = source->m_upper;
    m_majorInc = source->m_majorInc;
    m_minorInc = source->m_minorInc;
    m_roundMin = source->m_roundMin;
    m_roundMax = source->m_roundMax;
    m_chart = chart;
    m_side = side;
    m_marks.swap(marks);
}

Mark *Axis::addMark(double value, int lineColor, const QString &text, const QString &font,
                    double fontSize)
{
    m_marks.push_back(std::make_unique<Mark>(
        this, value, lineColor, text, font.isEmpty() ? m_labelStyle.fontName() : font, fontSize));
    return m_marks.back().get();
}

double Axis::getCoor(double value) const
{
    const XYLayout *l = m_chart ? m_chart->layoutResult() : nullptr;
    const AxisScale *s = l ? l->scaleOf(this) : nullptr;
    return s ? s->toPixel(value) : 0;
}

double Axis::getValue(double coor) const
{
    const XYLayout *l = m_chart ? m_chart->layoutResult() : nullptr;
    const AxisScale *s = l ? l->scaleOf(this) : nullptr;
    return s ? s->toValue(coor) : Chart::NoValue;
}

double Axis::getMinValue() const
{
    const XYLayout *l = m_chart ? m_chart->layoutResult() : nullptr;
    const AxisScale *s = l ? l->scaleOf(this) : nullptr;
    return s ? s->min : Chart::NoValue;
}

double Axis::getMaxValue() const
{
    const XYLayout *l = m_chart ? m_chart->layoutResult() : nullptr;
    const AxisScale *s = l ? l->scaleOf(this) : nullptr;
    return s ? s->max : Chart::NoValue;
}

bool Axis::isLogScale() const
{
    const XYLayout *l = m_chart ? m_chart->layoutResult() : nullptr;
    const AxisScale *s = l ? l->scaleOf(this) : nullptr;
    return s ? s->log : (m_mode == AutoLog || m_mode == FixedLog);
}
