#pragma once
// What every chart has: size, background (colour, gradient, picture), titles and free text,
// a legend, anti-aliasing, and the outputs (image, encoded bytes, image map, metrics).

#include "chartconst.h"
#include "textbox.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <memory>
#include <vector>

class QPainter;
class MultiChart;

// The drawing surface of a chart; its size is the chart's.
class DrawArea
{
public:
    explicit DrawArea(const class BaseChart *chart) : m_chart(chart) {}
    int getWidth() const;
    int getHeight() const;
    // The rendered picture (empty until the chart is made).
    const QImage &image() const;

private:
    const BaseChart *m_chart;
};

// Encoded image bytes that stay valid while the chart lives.
struct MemBlock
{
    const char *data = nullptr;
    int len = 0;
};

class BaseChart
{
public:
    virtual ~BaseChart();
    BaseChart(const BaseChart &) = delete;
    BaseChart &operator=(const BaseChart &) = delete;

    void setSize(int width, int height);
    int getWidth() const { return m_width; }
    int getHeight() const { return m_height; }
    void setBackground(int color, int edgeColor = Chart::Transparent, int raisedEffect = 0);
    void setBorder(int color) { m_edgeColor = color; }
    // A picture drawn over the background, placed by a numeric-keypad alignment.
    void setBgImage(const QString &fileName, int alignment = Chart::Center);
    void setAntiAlias(bool shapeAntiAlias = true, int textAntiAlias = Chart::AutoAntiAlias);

    TextBox *addTitle(const QString &text, const QString &font = QString(), double fontSize = 12,
                      int fontColor = Chart::TextColor, int bgColor = Chart::Transparent,
                      int edgeColor = Chart::Transparent);
    TextBox *addTitle2(int alignment, const QString &text, const QString &font = QString(),
                       double fontSize = 12, int fontColor = Chart::TextColor,
                       int bgColor = Chart::Transparent, int edgeColor = Chart::Transparent);
    TextBox *addText(int x, int y, const QString &text, const QString &font = QString(),
                     double fontSize = 8, int fontColor = Chart::TextColor,
                     int alignment = Chart::TopLeft, double angle = 0);
    LegendBox *addLegend(int x, int y, bool vertical = true, const QString &font = QString(),
                         double fontSize = 10);
    LegendBox *getLegend() const { return m_legend.get(); }

    // Gradient colour handles (coordinates in this chart's pixels).
    static int linearGradientColor(int x1, int y1, int x2, int y2, int startColor, int endColor);
    // Value formatting with a number or date format ("P3", "2", "mmm yy") or a template.
    QString formatValue(double value, const QString &format) const;

    DrawArea *getDrawArea() { return &m_drawArea; }

    // Lays the chart out and renders it. Returns false for an empty (0-sized) chart.
    bool makeChart();
    // The rendered picture (makes the chart first if needed).
    const QImage &makeImage();
    // Encoded image bytes (PNG, JPG or BMP).
    QByteArray makeChart(int format);
    MemBlock makeChart2(int format);
    bool makeChart(const QString &fileName);

    // Image map of every layer, for the finished chart.
    QString getHTMLImageMap(const QString &url, const QString &queryFormat = QString(),
                            const QString &extraAttr = QString(), int offsetX = 0, int offsetY = 0);
    // Text describing the plot area, for the viewport manager.
    QString getChartMetrics();

    bool isMade() const { return m_made; }
    const QImage &image() const { return m_image; }
    bool shapeAntiAlias() const { return m_aaShapes; }
    int textAntiAlias() const { return m_aaText; }

    // Where this chart sits in the image of the multi-chart that holds it.
    int offsetX() const { return m_offsetX; }
    int offsetY() const { return m_offsetY; }
    const BaseChart *parentChart() const { return m_parent; }
    int absoluteOffsetX() const;
    int absoluteOffsetY() const;

    // Sequence numbers that keep legend keys in the order they were created.
    int nextOrder() { return m_order++; }

protected:
    BaseChart(int width, int height, int bgColor, int edgeColor, int raisedEffect);

    // Sizes, scales and shapes; then painting at the painter's origin.
    virtual void layout() = 0;
    virtual void paint(QPainter &p) = 0;
    virtual void appendImageMap(QString &out, const QString &url, const QString &query,
                                const QString &extra, int offsetX, int offsetY) const = 0;
    virtual QString metrics() const = 0;

    void paintBackground(QPainter &p) const;
    void paintBoxes(QPainter &p) const;
    void ensureMade();
    void setParent(BaseChart *parent, int x, int y)
    {
        m_parent = parent;
        m_offsetX = x;
        m_offsetY = y;
    }

    friend class MultiChart;

    int m_width, m_height;
    int m_bgColor, m_edgeColor, m_raised;
    QString m_bgImageFile;
    int m_bgImageAlign = Chart::Center;
    bool m_aaShapes = true;
    int m_aaText = Chart::AutoAntiAlias;
    std::vector<std::unique_ptr<TextBox>> m_titles; // alignment kept in the box
    std::vector<std::unique_ptr<TextBox>> m_texts;
    std::unique_ptr<LegendBox> m_legend;
    DrawArea m_drawArea;
    QImage m_image;
    QByteArray m_encoded;
    bool m_made = false;
    BaseChart *m_parent = nullptr;
    int m_offsetX = 0, m_offsetY = 0;
    int m_order = 0;
};
