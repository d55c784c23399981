#pragma once
// Axes of an XY chart: scale choice (automatic linear or logarithmic, explicit, synchronised
// with another axis), labels (numbers, texts, timestamps with multi-level date formats), marks
// and styling. The scale itself is worked out by the layout code when the chart is made.

#include "chartconst.h"
#include "textbox.h"

#include <QString>
#include <memory>
#include <vector>

class XYChart;
class Axis;
class DataSet;
class Mark;

// A line that an inter-line layer can fill against: a data set's line or a mark.
class LineObj
{
public:
    explicit LineObj(const DataSet *dataSet) : m_dataSet(dataSet) {}
    explicit LineObj(const Mark *mark) : m_mark(mark) {}
    const DataSet *dataSet() const { return m_dataSet; }
    const Mark *mark() const { return m_mark; }

private:
    const DataSet *m_dataSet = nullptr;
    const Mark *m_mark = nullptr;
};

// A horizontal (y axis) or vertical (x axis) line at a value, with an optional label.
class Mark : public TextBox
{
public:
    Mark(Axis *axis, double value, int lineColor, const QString &text, const QString &font,
         double size);
    void setValue(double value) { m_value = value; }
    void setMarkColor(int lineColor, int textColor = -1, int tickColor = -1);
    void setLineWidth(int width) { m_lineWidth = width; }
    void setDrawOnTop(bool onTop) { m_onTop = onTop; }
    LineObj *getLine() { return &m_line; }

    double value() const { return m_value; }
    int lineColor() const { return m_lineColor; }
    int lineWidth() const { return m_lineWidth; }
    bool drawOnTop() const { return m_onTop; }
    const Axis *axis() const { return m_axis; }

private:
    Axis *m_axis;
    double m_value;
    int m_lineColor;
    int m_lineWidth = 1;
    bool m_onTop = true;
    LineObj m_line;
};

class Axis
{
public:
    enum ScaleMode
    {
        AutoLinear,
        AutoLog,
        FixedLinear,
        FixedLog,
        Synced
    };
    struct FormatEntry
    {
        int filter1;
        QString format1;
        int filter2; // -1 for single-level entries
        QString format2;
        int labelSpan;
        bool promoteFirst;
    };

    Axis(XYChart *chart, int side);

    // Labels.
    void setLabels(const std::vector<QString> &labels);
    // Timestamps (chart time) as labels, optionally with a date format.
    TextBox *setLabels2(const std::vector<double> &timestamps, const QString &format = QString());
    TextBox *setLabels2(const double *timestamps, int count, const QString &format = QString());
    void setLabelFormat(const QString &format) { m_labelFormat = format; }
    TextBox *setLabelStyle(const QString &font = QStringLiteral("normal"), double size = 8,
                           int color = Chart::TextColor, double angle = 0);
    TextBox *labelStyle() { return &m_labelStyle; }
    void setMultiFormat(int filter1, const QString &format1, int filter2, const QString &format2,
                        int labelSpan = 1, bool promoteFirst = true);
    void setMultiFormat(int filter, const QString &format, int labelSpan = 1,
                        bool promoteFirst = true);
    void setMultiFormat2(int filter, const QString &format, int labelSpan = 1,
                         bool promoteFirst = true)
    {
        setMultiFormat(filter, format, labelSpan, promoteFirst);
    }
    void setLabelGap(int gap) { m_labelGap = gap; }
    TextBox *setTitle(const QString &text, const QString &font = QStringLiteral("bold"),
                      double size = 8, int color = Chart::TextColor);

    // Look.
    void setColors(int axisColor, int labelColor = Chart::TextColor, int titleColor = -1,
                   int tickColor = -1);
    void setWidth(int width) { m_lineWidth = width; }
    void setIndent(bool indent) { m_indent = indent; }
    // Positive lengths point away from the plot area, negative ones into it.
    void setTickLength(int majorLength) { setTickLength2(majorLength, majorLength / 2); }
    void setTickLength2(int majorLength, int minorLength)
    {
        m_majorTick = majorLength;
        m_minorTick = minorLength;
    }
    void setOffset(int x, int y)
    {
        m_offsetX = x;
        m_offsetY = y;
    }

    // Scale.
    void setAutoScale(double topExtension = 0.1, double bottomExtension = 0.1,
                      double zeroAffinity = 0.8);
    void setTickDensity(int majorSpacing, int minorSpacing = -1)
    {
        m_majorSpacing = majorSpacing;
        m_minorSpacing = minorSpacing;
    }
    // Pixels kept free of data at the top (or right) and bottom (or left) end.
    void setMargin(int topMargin, int bottomMargin = 0)
    {
        m_marginTop = topMargin;
        m_marginBottom = bottomMargin;
    }
    void setLinearScale(double lower, double upper, double majorInc = 0, double minorInc = 0);
    // Automatic linear scale, optionally with a label format.
    void setLinearScale3(const QString &format = QString());
    void setLogScale(double lower, double upper, double majorInc = 0, double minorInc = 0);
    // Automatic logarithmic scale, optionally with a label format.
    void setLogScale3(const QString &format = QString());
    // This axis shows source value × slope + intercept.
    void syncAxis(const Axis *source, double slope = 1, double intercept = 0);
    // Takes over another axis' labels, formats, scale settings and look.
    void copyAxis(const Axis *source);
    void setRounding(bool roundMin, bool roundMax)
    {
        m_roundMin = roundMin;
        m_roundMax = roundMax;
    }

    Mark *addMark(double value, int lineColor, const QString &text = QString(),
                  const QString &font = QString(), double fontSize = 8);

    // After the chart is made: pixel coordinate of a value and the scale's ends.
    double getCoor(double value) const;
    double getValue(double coor) const;
    double getMinValue() const;
    double getMaxValue() const;
    bool isLogScale() const;

    // Read access for layout and painting.
    int side() const { return m_side; }
    void setSide(int side) { m_side = side; }
    XYChart *chart() const { return m_chart; }
    const std::vector<QString> &textLabels() const { return m_textLabels; }
    const std::vector<double> &timeLabels() const { return m_timeLabels; }
    bool hasLabels() const { return !m_textLabels.empty() || !m_timeLabels.empty(); }
    int labelCount() const
    {
        return static_cast<int>(std::max(m_textLabels.size(), m_timeLabels.size()));
    }
    const QString &labelFormat() const { return m_labelFormat; }
    const std::vector<FormatEntry> &multiFormats() const { return m_multiFormats; }
    const TextBox &labelStyleBox() const { return m_labelStyle; }
    const TextBox &titleBox() const { return m_title; }
    int axisColor() const { return m_axisColor; }
    int labelColor() const { return m_labelStyle.fontColor(); }
    int titleColor() const { return m_titleColor; }
    int tickColor() const { return m_tickColor; }
    int lineWidth() const { return m_lineWidth; }
    bool indent() const { return m_indent; }
    int majorTickLength() const { return m_majorTick; }
    int minorTickLength() const { return m_minorTick; }
    int labelGap() const { return m_labelGap; }
    int offsetX() const { return m_offsetX; }
    int offsetY() const { return m_offsetY; }
    double topExtension() const { return m_topExt; }
    double bottomExtension() const { return m_bottomExt; }
    double zeroAffinity() const { return m_zeroAffinity; }
    int majorSpacing() const { return m_majorSpacing; }
    int minorSpacing() const { return m_minorSpacing; }
    int marginTop() const { return m_marginTop; }
    int marginBottom() const { return m_marginBottom; }
    ScaleMode scaleMode() const { return m_mode; }
    double fixedLower() const { return m_lower; }
    double fixedUpper() const { return m_upper; }
    double fixedMajorInc() const { return m_majorInc; }
    double fixedMinorInc() const { return m_minorInc; }
    const Axis *syncSource() const { return m_syncSource; }
    double syncSlope() const { return m_syncSlope; }
    double syncIntercept() const { return m_syncIntercept; }
    bool roundMin() const { return m_roundMin; }
    bool roundMax() const { return m_roundMax; }
    const std::vector<std::unique_ptr<Mark>> &marks() const { return m_marks; }
    bool isVertical() const { return m_side == Chart::Left || m_side == Chart::Right; }

private:
    XYChart *m_chart;
    int m_side;
    std::vector<QString> m_textLabels;
    std::vector<double> m_timeLabels;
    QString m_labelFormat;
    std::vector<FormatEntry> m_multiFormats;
    TextBox m_labelStyle;
    TextBox m_title;
    int m_axisColor = Chart::LineColor;
    int m_titleColor = Chart::TextColor;
    int m_tickColor = Chart::LineColor;
    int m_lineWidth = 1;
    bool m_indent = false;
    int m_majorTick = 3, m_minorTick = 1;
    int m_labelGap = 3;
    int m_offsetX = 0, m_offsetY = 0;
    double m_topExt = 0.1, m_bottomExt = 0.1, m_zeroAffinity = 0.8;
    int m_majorSpacing = -1, m_minorSpacing = -1;
    int m_marginTop = 0, m_marginBottom = 0;
    ScaleMode m_mode = AutoLinear;
    double m_lower = 0, m_upper = 0, m_majorInc = 0, m_minorInc = 0;
    const Axis *m_syncSource = nullptr;
    double m_syncSlope = 1, m_syncIntercept = 0;
    bool m_roundMin = true, m_roundMax = true;
    std::vector<std::unique_ptr<Mark>> m_marks;
};
