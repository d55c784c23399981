#include "basechart.h"

#include "boxpainter.h"
#include "colors.h"
#include "labeltemplate.h"
#include "pngencoder.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>

int DrawArea::getWidth() const
{
    return m_chart->getWidth();
}
int DrawArea::getHeight() const
{
    return m_chart->getHeight();
}
const QImage &DrawArea::image() const
{
    return m_chart->image();
}

BaseChart::BaseChart(int width, int height, int bgColor, int edgeColor, int raisedEffect)
    : m_width(std::max(0, width)), m_height(std::max(0, height)), m_bgColor(bgColor),
      m_edgeColor(edgeColor), m_raised(raisedEffect), m_drawArea(this)
{
}

BaseChart::~BaseChart() = default;

void BaseChart::setSize(int width, int height)
{
    m_width = std::max(0, width);
    m_height = std::max(0, height);
}

void BaseChart::setBackground(int color, int edgeColor, int raisedEffect)
{
    m_bgColor = color;
    m_edgeColor = edgeColor;
    m_raised = raisedEffect;
}

void BaseChart::setBgImage(const QString &fileName, int alignment)
{
    m_bgImageFile = fileName;
    m_bgImageAlign = alignment;
}

void BaseChart::setAntiAlias(bool shapeAntiAlias, int textAntiAlias)
{
    m_aaShapes = shapeAntiAlias;
    m_aaText = textAntiAlias;
}

TextBox *BaseChart::addTitle(const QString &text, const QString &font, double fontSize,
                             int fontColor, int bgColor, int edgeColor)
{
    return addTitle2(Chart::Top, text, font, fontSize, fontColor, bgColor, edgeColor);
}

TextBox *BaseChart::addTitle2(int alignment, const QString &text, const QString &font,
                              double fontSize, int fontColor, int bgColor, int edgeColor)
{
    auto box = std::make_unique<TextBox>(text, font.isEmpty() ? QStringLiteral("bold") : font,
                                         fontSize, fontColor);
    box->setAlignment(alignment);
    box->setBackground(bgColor, edgeColor);
    box->setMargin2(6, 6, 3, 3);
    m_titles.push_back(std::move(box));
    return m_titles.back().get();
}

TextBox *BaseChart::addText(int x, int y, const QString &text, const QString &font, double fontSize,
                            int fontColor, int alignment, double angle)
{
    auto box = std::make_unique<TextBox>(text, font.isEmpty() ? QStringLiteral("normal") : font,
                                         fontSize, fontColor);
    box->setPos(x, y);
    box->setAlignment(alignment);
    box->setFontAngle(angle);
    box->setMargin2(0, 0, 0, 0);
    m_texts.push_back(std::move(box));
    return m_texts.back().get();
}

LegendBox *BaseChart::addLegend(int x, int y, bool vertical, const QString &font, double fontSize)
{
    m_legend = std::make_unique<LegendBox>();
    m_legend->m_chart = this;
    m_legend->setPos(x, y);
    m_legend->setVertical(vertical);
    m_legend->setFontStyle(font.isEmpty() ? QStringLiteral("normal") : font);
    m_legend->setFontSize(fontSize);
    m_legend->setBackground(Chart::Transparent, Chart::Transparent);
    return m_legend.get();
}

void LegendBox::addKey(const QString &text, int color, int lineWidth)
{
    m_keys.push_back(
        {text, color, lineWidth, m_chart ? m_chart->nextOrder() : static_cast<int>(m_keys.size())});
}

int BaseChart::linearGradientColor(int x1, int y1, int x2, int y2, int startColor, int endColor)
{
    return Colors::linearGradient(x1, y1, x2, y2, startColor, endColor);
}

QString BaseChart::formatValue(double value, const QString &format) const
{
    return TextFormat::formatValue(value, format);
}

int BaseChart::absoluteOffsetX() const
{
    return m_offsetX + (m_parent ? m_parent->absoluteOffsetX() : 0);
}

int BaseChart::absoluteOffsetY() const
{
    return m_offsetY + (m_parent ? m_parent->absoluteOffsetY() : 0);
}

bool BaseChart::makeChart()
{
    m_made = false;
    if (m_width <= 0 || m_height <= 0) {
        m_image = QImage();
        return false;
    }
    layout();
    m_image = QImage(m_width, m_height, QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::transparent);
    {
        QPainter p(&m_image);
        paint(p);
    }
    m_made = true;
    return true;
}

void BaseChart::ensureMade()
{
    if (!m_made)
        makeChart();
}

const QImage &BaseChart::makeImage()
{
    ensureMade();
    return m_image;
}

QByteArray BaseChart::makeChart(int format)
{
    ensureMade();
    if (m_image.isNull())
        return QByteArray();
    if (format != Chart::BMP && format != Chart::JPG)
        return PngEncoder::encode(m_image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Formats without transparency get the picture laid over white.
    QImage flat(m_image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter p(&flat);
    p.drawImage(0, 0, m_image);
    p.end();
    QImageWriter writer(&buffer, format == Chart::BMP ? "BMP" : "JPG");
    writer.write(flat);
    return bytes;
}

MemBlock BaseChart::makeChart2(int format)
{
    m_encoded = makeChart(format);
    return {m_encoded.constData(), static_cast<int>(m_encoded.size())};
}

bool BaseChart::makeChart(const QString &fileName)
{
    const QString lower = fileName.toLower();
    int format = Chart::PNG;
    if (lower.endsWith(u".bmp"))
        format = Chart::BMP;
    else if (lower.endsWith(u".jpg") || lower.endsWith(u".jpeg"))
        format = Chart::JPG;
    const QByteArray bytes = makeChart(format);
    if (bytes.isEmpty())
        return false;
    QFile f(fileName);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return f.write(bytes) == bytes.size();
}

QString BaseChart::getHTMLImageMap(const QString &url, const QString &queryFormat,
                                   const QString &extraAttr, int offsetX, int offsetY)
{
    ensureMade();
    QString out;
    if (m_made)
        appendImageMap(out, url, queryFormat, extraAttr, offsetX, offsetY);
    return out;
}

QString BaseChart::getChartMetrics()
{
    ensureMade();
    return m_made ? metrics() : QString();
}

void BaseChart::paintBackground(QPainter &p) const
{
    const QRectF all(0, 0, m_width, m_height);
    if (!Colors::isInvisible(m_bgColor))
        p.fillRect(all, Colors::toBrush(m_bgColor));
    if (!m_bgImageFile.isEmpty()) {
        const QImage img(m_bgImageFile);
        if (!img.isNull()) {
            double x = (m_width - img.width()) / 2.0, y = (m_height - img.height()) / 2.0;
            const int a = m_bgImageAlign;
            if (a == 1 || a == 4 || a == 7)
                x = 0;
            if (a == 3 || a == 6 || a == 9)
                x = m_width - img.width();
            if (a == 7 || a == 8 || a == 9)
                y = 0;
            if (a == 1 || a == 2 || a == 3)
                y = m_height - img.height();
            p.drawImage(QPointF(std::round(x), std::round(y)), img);
        }
    }
}

void BaseChart::paintBoxes(QPainter &p) const
{
    for (const auto &t : m_titles) {
        const int a = t->alignment();
        double x = m_width / 2.0, y = 2;
        if (a == 1 || a == 4 || a == 7)
            x = 2;
        if (a == 3 || a == 6 || a == 9)
            x = m_width - 2;
        if (a == 4 || a == 5 || a == 6)
            y = m_height / 2.0;
        if (a == 1 || a == 2 || a == 3)
            y = m_height - 2;
        BoxPainter::paintTextBox(p, *t, QPointF(x, y), a);
    }
    for (const auto &t : m_texts)
        BoxPainter::paintTextBox(p, *t, QPointF(t->x(), t->y()), t->alignment());
    if (!Colors::isInvisible(m_edgeColor)) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Colors::toQColor(m_edgeColor));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(0, 0, m_width - 1, m_height - 1));
        p.restore();
    }
}
