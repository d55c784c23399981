#include "richtext.h"

#include "colors.h"

#include <QHash>
#include <QPainter>
#include <QtMath>
#include <cmath>
#include <memory>

namespace Fonts {
namespace {

struct Entry
{
    QFont font;
    QFontMetricsF metrics;
};

Entry &entry(const QString &name, double size, bool forceBold)
{
    thread_local QHash<QString, std::shared_ptr<Entry>> cache;
    const QString key = name + QLatin1Char('|') + QString::number(size) +
                        (forceBold ? QStringLiteral("|b") : QString());
    auto it = cache.find(key);
    if (it != cache.end())
        return **it;
    const QString lower = name.toLower();
    QString family = QStringLiteral("DejaVu Sans");
    if (lower.contains(u"mono") || lower.contains(u"cour"))
        family = QStringLiteral("DejaVu Sans Mono");
    else if (lower.contains(u"times") || lower.contains(u"serif") || lower.contains(u"georgia"))
        family = QStringLiteral("DejaVu Serif");
    const bool bold = forceBold || lower.contains(u"bold") || lower.contains(u"bd.") ||
                      lower.endsWith(u"bd") || lower.contains(u"bi.ttf");
    const bool italic =
        lower.contains(u"italic") || lower.contains(u"oblique") || lower.endsWith(u"i.ttf");
    QFont f(family);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(size * 96.0 / 72.0))));
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    auto e = std::make_shared<Entry>(Entry{f, QFontMetricsF(f)});
    cache.insert(key, e);
    return *e;
}

} // namespace

const QFont &font(const QString &name, double size, bool forceBold)
{
    return entry(name, size, forceBold).font;
}

const QFontMetricsF &metrics(const QString &name, double size, bool forceBold)
{
    return entry(name, size, forceBold).metrics;
}

} // namespace Fonts

RichText::RichText(const QString &text, const TextStyle &style, int lineAlignment)
    : m_angle(style.angle), m_lineAlignment(lineAlignment)
{
    if (text.isEmpty())
        return;
    QString fontName = style.font;
    double size = style.size;
    int color = style.color;
    bool bold = false;

    Line line;
    auto finishLine = [&] {
        const auto &fm = Fonts::metrics(fontName, size, bold);
        if (line.runs.empty()) {
            line.ascent = fm.ascent();
            line.descent = fm.descent();
        }
        m_width = std::max(m_width, line.width);
        m_height += line.ascent + line.descent;
        m_lines.push_back(std::move(line));
        line = Line();
    };
    auto addRun = [&](const QString &s) {
        if (s.isEmpty())
            return;
        const auto &fm = Fonts::metrics(fontName, size, bold);
        Run r{s, Fonts::font(fontName, size, bold), Colors::toQColor(color),
              fm.horizontalAdvance(s)};
        line.width += r.width;
        line.ascent = std::max(line.ascent, fm.ascent());
        line.descent = std::max(line.descent, fm.descent());
        line.runs.push_back(std::move(r));
    };

    QString current;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text[i];
        if (c == u'\n') {
            addRun(current);
            current.clear();
            finishLine();
            ++i;
            continue;
        }
        if (c == u'<' && i + 1 < n && text[i + 1] == u'*') {
            const qsizetype end = text.indexOf(QLatin1String("*>"), i + 2);
            if (end > 0) {
                addRun(current);
                current.clear();
                const QString tag = text.mid(i + 2, end - i - 2).trimmed();
                i = end + 2;
                if (tag == u"/") {
                    fontName = style.font;
                    size = style.size;
                    color = style.color;
                    bold = false;
                } else if (tag == u"br") {
                    finishLine();
                } else {
                    for (const QString &item : tag.split(u',')) {
                        const qsizetype eq = item.indexOf(u'=');
                        if (eq < 0)
                            continue;
                        const QString key = item.left(eq).trimmed().toLower();
                        const QString val = item.mid(eq + 1).trimmed();
                        if (key == u"font") {
                            const QString lv = val.toLower();
                            if (lv == u"bold") {
                                bold = true;
                            } else if (lv == u"normal") {
                                bold = false;
                                fontName = style.font;
                            } else {
                                fontName = val;
                                bold = false;
                            }
                        } else if (key == u"size") {
                            bool ok = false;
                            const double s = val.toDouble(&ok);
                            if (ok && s > 0)
                                size = s;
                        } else if (key == u"color") {
                            bool ok = false;
                            const uint v = QString(val).remove(u'#').toUInt(&ok, 16);
                            if (ok)
                                color = static_cast<int>(v);
                        }
                    }
                }
                continue;
            }
        }
        current.append(c);
        ++i;
    }
    addRun(current);
    finishLine();
    // A block of only empty lines draws nothing.
    bool any = false;
    for (const auto &l : m_lines)
        any = any || !l.runs.empty();
    if (!any) {
        m_lines.clear();
        m_width = m_height = 0;
    }
}

QString RichText::plainText() const
{
    QString s;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (i)
            s.append(u'\n');
        for (const auto &r : m_lines[i].runs)
            s.append(r.text);
    }
    return s;
}

static QPointF alignOffset(double w, double h, int alignment)
{
    double dx = -w / 2, dy = -h / 2;
    switch (alignment) {
    case 1:
    case 4:
    case 7:
        dx = 0;
        break;
    case 3:
    case 6:
    case 9:
        dx = -w;
        break;
    default:
        break;
    }
    switch (alignment) {
    case 7:
    case 8:
    case 9:
        dy = 0;
        break;
    case 1:
    case 2:
    case 3:
        dy = -h;
        break;
    default:
        break;
    }
    return {dx, dy};
}

QRectF RichText::boundsAt(QPointF anchor, int alignment) const
{
    if (m_angle == 0) {
        const QPointF off = alignOffset(m_width, m_height, alignment);
        return QRectF(anchor + off, QSizeF(m_width, m_height));
    }
    const double rad = qDegreesToRadians(m_angle);
    const double c = std::fabs(std::cos(rad)), s = std::fabs(std::sin(rad));
    const double w = m_width * c + m_height * s, h = m_width * s + m_height * c;
    const QPointF off = alignOffset(w, h, alignment);
    return QRectF(anchor + off, QSizeF(w, h));
}

void RichText::drawBlock(QPainter &p, QPointF topLeft) const
{
    double y = topLeft.y();
    for (const auto &line : m_lines) {
        double x = topLeft.x();
        if (m_lineAlignment == 0)
            x += (m_width - line.width) / 2;
        else if (m_lineAlignment > 0)
            x += m_width - line.width;
        const double baseline = y + line.ascent;
        for (const auto &r : line.runs) {
            p.setFont(r.font);
            p.setPen(r.color);
            p.drawText(QPointF(x, baseline), r.text);
            x += r.width;
        }
        y += line.ascent + line.descent;
    }
}

void RichText::drawAt(QPainter &p, QPointF anchor, int alignment) const
{
    if (m_lines.empty())
        return;
    if (m_angle == 0) {
        const QPointF off = alignOffset(m_width, m_height, alignment);
        drawBlock(p, anchor + off);
        return;
    }
    const QRectF box = boundsAt(anchor, alignment);
    p.save();
    p.translate(box.center());
    p.rotate(-m_angle);
    drawBlock(p, QPointF(-m_width / 2, -m_height / 2));
    p.restore();
}
