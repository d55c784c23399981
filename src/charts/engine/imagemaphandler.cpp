#include "imagemaphandler.h"

#include <QUrl>
#include <algorithm>
#include <cmath>

namespace {

QString htmlUnescape(QStringView s)
{
    if (!s.contains(u'&'))
        return s.toString();
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != u'&') {
            out.append(s[i]);
            continue;
        }
        const qsizetype semi = s.indexOf(u';', i);
        if (semi < 0 || semi - i > 10) {
            out.append(s[i]);
            continue;
        }
        const QStringView ent = s.mid(i + 1, semi - i - 1);
        QChar c;
        if (ent == u"amp")
            c = u'&';
        else if (ent == u"lt")
            c = u'<';
        else if (ent == u"gt")
            c = u'>';
        else if (ent == u"quot")
            c = u'"';
        else if (ent == u"apos")
            c = u'\'';
        else if (ent.startsWith(u'#')) {
            bool ok = false;
            const uint code = ent.startsWith(u"#x") || ent.startsWith(u"#X")
                                  ? ent.mid(2).toUInt(&ok, 16)
                                  : ent.mid(1).toUInt(&ok, 10);
            if (ok && code < 0x10000)
                c = QChar(static_cast<char16_t>(code));
        }
        if (c.isNull()) {
            out.append(s[i]);
            continue;
        }
        out.append(c);
        i = semi;
    }
    return out;
}

QString urlDecode(const QString &s)
{
    QString t = s;
    t.replace(u'+', u' ');
    return QUrl::fromPercentEncoding(t.toUtf8());
}

} // namespace

ImageMapHandler::ImageMapHandler(const QString &imageMap)
{
    parse(imageMap);
    index();
}

void ImageMapHandler::parse(const QString &map)
{
    const QStringView s(map);
    qsizetype pos = 0;
    for (;;) {
        const qsizetype start = s.indexOf(QLatin1String("<area"), pos, Qt::CaseInsensitive);
        if (start < 0)
            break;
        qsizetype i = start + 5;
        Area a;
        QString shape = QStringLiteral("rect"), coords, href;
        bool closed = false;
        while (i < s.size()) {
            while (i < s.size() && s[i].isSpace())
                ++i;
            if (i >= s.size())
                break;
            if (s[i] == u'>' || (s[i] == u'/' && i + 1 < s.size() && s[i + 1] == u'>')) {
                i += s[i] == u'>' ? 1 : 2;
                closed = true;
                break;
            }
            const qsizetype nameStart = i;
            while (i < s.size() && !s[i].isSpace() && s[i] != u'=' && s[i] != u'>')
                ++i;
            const QString name = s.mid(nameStart, i - nameStart).toString();
            QString value;
            while (i < s.size() && s[i].isSpace())
                ++i;
            if (i < s.size() && s[i] == u'=') {
                ++i;
                while (i < s.size() && s[i].isSpace())
                    ++i;
                if (i < s.size() && (s[i] == u'"' || s[i] == u'\'')) {
                    const QChar q = s[i];
                    const qsizetype end = s.indexOf(q, i + 1);
                    const qsizetype stop = end < 0 ? s.size() : end;
                    value = htmlUnescape(s.mid(i + 1, stop - i - 1));
                    i = stop + 1;
                } else {
                    const qsizetype vs = i;
                    while (i < s.size() && !s[i].isSpace() && s[i] != u'>')
                        ++i;
                    value = htmlUnescape(s.mid(vs, i - vs));
                }
            }
            if (name.isEmpty()) {
                ++i;
                continue;
            }
            const QString lower = name.toLower();
            if (lower == u"shape")
                shape = value.toLower();
            else if (lower == u"coords")
                coords = value;
            else if (lower == u"href")
                href = value;
            else
                a.attrs.emplace_back(name, value);
        }
        pos = i;
        // href: the path first, then the query parameters.
        std::vector<std::pair<QString, QString>> hrefAttrs;
        if (!href.isEmpty()) {
            const qsizetype q = href.indexOf(u'?');
            hrefAttrs.emplace_back(QStringLiteral("path"), q < 0 ? href : href.left(q));
            if (q >= 0)
                for (const QString &kv : href.mid(q + 1).split(u'&', Qt::SkipEmptyParts)) {
                    const qsizetype eq = kv.indexOf(u'=');
                    hrefAttrs.emplace_back(urlDecode(eq < 0 ? kv : kv.left(eq)),
                                           eq < 0 ? QString() : urlDecode(kv.mid(eq + 1)));
                }
        }
        a.attrs.insert(a.attrs.begin(), hrefAttrs.begin(), hrefAttrs.end());
        std::vector<double> c;
        for (const QString &part : coords.split(u',', Qt::SkipEmptyParts)) {
            bool ok = false;
            const double v = part.trimmed().toDouble(&ok);
            if (ok)
                c.push_back(v);
        }
        if (shape.startsWith(u"circ") && c.size() >= 3) {
            a.shape = Area::Circle;
            a.cx = c[0];
            a.cy = c[1];
            a.r = c[2];
            a.bounds = QRectF(c[0] - c[2], c[1] - c[2], 2 * c[2], 2 * c[2]);
        } else if (shape.startsWith(u"poly") && c.size() >= 6) {
            a.shape = Area::Poly;
            for (size_t k = 0; k + 1 < c.size(); k += 2)
                a.poly << QPointF(c[k], c[k + 1]);
            a.bounds = a.poly.boundingRect();
        } else if (shape == u"default") {
            a.shape = Area::Default;
        } else if (c.size() >= 4) {
            a.shape = Area::Rect;
            a.bounds = QRectF(QPointF(std::min(c[0], c[2]), std::min(c[1], c[3])),
                              QPointF(std::max(c[0], c[2]), std::max(c[1], c[3])));
        } else {
            if (!closed)
                break;
            continue;
        }
        m_areas.push_back(std::move(a));
        if (!closed)
            break;
    }
}

bool ImageMapHandler::Area::contains(double x, double y) const
{
    switch (shape) {
    case Rect:
        return x >= bounds.left() && x <= bounds.right() && y >= bounds.top() &&
               y <= bounds.bottom();
    case Circle:
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
    case Poly:
        return bounds.adjusted(0, 0, 1e-9, 1e-9).contains(x, y) &&
               poly.containsPoint(QPointF(x, y), Qt::OddEvenFill);
    case Default:
        return true;
    }
    return false;
}

void ImageMapHandler::index()
{
    if (m_areas.empty())
        return;
    double minX = 1e300, maxX = -1e300;
    for (const auto &a : m_areas)
        if (a.shape != Area::Default) {
            minX = std::min(minX, a.bounds.left());
            maxX = std::max(maxX, a.bounds.right());
        }
    if (minX > maxX) {
        for (int i = 0; i < static_cast<int>(m_areas.size()); ++i)
            m_wide.push_back(i);
        return;
    }
    m_minX = minX;
    const size_t cols = static_cast<size_t>(std::floor((maxX - minX) / cellWidth)) + 1;
    if (cols > 100000) {
        for (int i = 0; i < static_cast<int>(m_areas.size()); ++i)
            m_wide.push_back(i);
        return;
    }
    m_columns.assign(cols, {});
    for (int i = 0; i < static_cast<int>(m_areas.size()); ++i) {
        const Area &a = m_areas[i];
        if (a.shape == Area::Default) {
            m_wide.push_back(i);
            continue;
        }
        const size_t c0 = static_cast<size_t>(std::floor((a.bounds.left() - minX) / cellWidth));
        const size_t c1 = std::min(
            cols - 1, static_cast<size_t>(std::floor((a.bounds.right() - minX) / cellWidth)));
        for (size_t c = c0; c <= c1; ++c)
            m_columns[c].push_back(i);
    }
}

int ImageMapHandler::getHotSpot(double x, double y)
{
    int best = -1;
    if (!m_columns.empty() && x >= m_minX) {
        const size_t c = static_cast<size_t>(std::floor((x - m_minX) / cellWidth));
        if (c < m_columns.size())
            for (int i : m_columns[c])
                if (m_areas[i].contains(x, y)) {
                    best = i;
                    break;
                }
    }
    for (int i : m_wide)
        if ((best < 0 || i < best) && m_areas[i].contains(x, y)) {
            best = i;
            break;
        }
    m_current = best + 1;
    return m_current;
}

const std::vector<std::pair<QString, QString>> &ImageMapHandler::attributes() const
{
    static const std::vector<std::pair<QString, QString>> none;
    return m_current > 0 ? m_areas[m_current - 1].attrs : none;
}

QString ImageMapHandler::getValue(const QString &key) const
{
    for (const auto &kv : attributes())
        if (kv.first.compare(key, Qt::CaseInsensitive) == 0)
            return kv.second;
    return QString();
}

int ImageMapHandler::getAttributeCount() const
{
    return static_cast<int>(attributes().size());
}

QString ImageMapHandler::getKey(int i) const
{
    const auto &a = attributes();
    return i >= 0 && i < static_cast<int>(a.size()) ? a[i].first : QString();
}

QString ImageMapHandler::getValue(int i) const
{
    const auto &a = attributes();
    return i >= 0 && i < static_cast<int>(a.size()) ? a[i].second : QString();
}
