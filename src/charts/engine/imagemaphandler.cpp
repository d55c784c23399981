#include "imagemaphandler.h"

#include <QUrl>
#include <algorithm>
#include <cmath>
#include <optional>

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

ImageMapHandler::ImageMapHandler(const QString &imageMap) : m_map(imageMap)
{
    parse();
    index();
}

ImageMapHandler::ImageMapHandler(std::vector<ImageMap::LayerAreas> layers)
    : m_layers(std::move(layers))
{
    for (int l = 0; l < int(m_layers.size()); ++l) {
        int ordinal = 0;
        m_layers[size_t(l)].forEachArea([&](const ImageMap::Coords &c) {
            Area a;
            a.bounds = QRectF(QPointF(std::min(c[0], c[2]), std::min(c[1], c[3])),
                              QPointF(std::max(c[0], c[2]), std::max(c[1], c[3])));
            a.layer = l;
            a.ordinal = ordinal++;
            m_areas.push_back(std::move(a));
        });
    }
    index();
}

namespace {

// Walks the attributes of one tag body: name and raw (still escaped) value spans.
template <typename F> qsizetype forEachAttribute(QStringView s, qsizetype i, F f)
{
    while (i < s.size()) {
        while (i < s.size() && s[i].isSpace())
            ++i;
        if (i >= s.size())
            break;
        if (s[i] == u'>')
            return i + 1;
        if (s[i] == u'/' && i + 1 < s.size() && s[i + 1] == u'>')
            return i + 2;
        const qsizetype nameStart = i;
        while (i < s.size() && !s[i].isSpace() && s[i] != u'=' && s[i] != u'>')
            ++i;
        const QStringView name = s.mid(nameStart, i - nameStart);
        QStringView value;
        while (i < s.size() && s[i].isSpace())
            ++i;
        if (i < s.size() && s[i] == u'=') {
            ++i;
            while (i < s.size() && s[i].isSpace())
                ++i;
            if (i < s.size() && (s[i] == u'"' || s[i] == u'\'')) {
                const QChar q = s[i];
                qsizetype end = s.indexOf(q, i + 1);
                if (end < 0)
                    end = s.size();
                value = s.mid(i + 1, end - i - 1);
                i = end + 1;
            } else {
                const qsizetype vs = i;
                while (i < s.size() && !s[i].isSpace() && s[i] != u'>')
                    ++i;
                value = s.mid(vs, i - vs);
            }
        }
        if (name.isEmpty())
            ++i;
        else
            f(name, value);
    }
    return i;
}

// A whole number of up to 15 digits, read exactly and quickly: maps the engine writes hold
// nothing else, and a general number conversion would take most of the time of reading one.
std::optional<double> wholeNumber(QStringView token)
{
    qsizetype i = token.startsWith(u'-') ? 1 : 0;
    if (token.size() <= i || token.size() - i > 15)
        return std::nullopt;
    long long value = 0;
    for (; i < token.size(); ++i) {
        const char16_t c = token[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return double(token.startsWith(u'-') ? -value : value);
}

// Start of the next "<area" tag (any case) from `from`, -1 without one.
qsizetype nextAreaTag(QStringView s, qsizetype from)
{
    for (qsizetype at = s.indexOf(u'<', from); at >= 0; at = s.indexOf(u'<', at + 1)) {
        if (s.mid(at + 1, 4).compare(u"area", Qt::CaseInsensitive) == 0)
            return at;
    }
    return -1;
}

// Numbers of a coords attribute, without allocating.
int readNumbers(QStringView v, double *out, int max)
{
    int n = 0;
    qsizetype i = 0;
    while (i < v.size() && n < max) {
        while (i < v.size() && (v[i] == u',' || v[i].isSpace()))
            ++i;
        const qsizetype start = i;
        while (i < v.size() && v[i] != u',' && !v[i].isSpace())
            ++i;
        if (i == start)
            break;
        const QStringView token = v.mid(start, i - start);
        if (const auto whole = wholeNumber(token)) {
            out[n++] = *whole;
            continue;
        }
        bool ok = false;
        const double d = token.toDouble(&ok);
        if (!ok)
            break;
        out[n++] = d;
    }
    return n;
}

} // namespace

void ImageMapHandler::parse()
{
    const QStringView s(m_map);
    qsizetype pos = 0;
    std::vector<double> polyCoords;
    for (;;) {
        const qsizetype start = nextAreaTag(s, pos);
        if (start < 0)
            break;
        Area a;
        a.tagStart = start + 5;
        QStringView shape, coords;
        const qsizetype end =
            forEachAttribute(s, start + 5, [&](QStringView name, QStringView value) {
                if (name.compare(u"shape", Qt::CaseInsensitive) == 0)
                    shape = value;
                else if (name.compare(u"coords", Qt::CaseInsensitive) == 0)
                    coords = value;
            });
        a.tagEnd = end;
        pos = end > start ? end : start + 5;
        double c[8];
        if (shape.startsWith(u"circ", Qt::CaseInsensitive)) {
            if (readNumbers(coords, c, 3) < 3)
                continue;
            a.shape = Area::Circle;
            a.cx = c[0];
            a.cy = c[1];
            a.r = c[2];
            a.bounds = QRectF(c[0] - c[2], c[1] - c[2], 2 * c[2], 2 * c[2]);
        } else if (shape.startsWith(u"poly", Qt::CaseInsensitive)) {
            polyCoords.assign(static_cast<size_t>(coords.count(u',') + 1), 0.0);
            const int n =
                readNumbers(coords, polyCoords.data(), static_cast<int>(polyCoords.size()));
            if (n < 6)
                continue;
            a.shape = Area::Poly;
            for (int k = 0; k + 1 < n; k += 2)
                a.poly << QPointF(polyCoords[k], polyCoords[k + 1]);
            a.bounds = a.poly.boundingRect();
        } else if (shape.compare(u"default", Qt::CaseInsensitive) == 0) {
            a.shape = Area::Default;
        } else {
            if (readNumbers(coords, c, 4) < 4)
                continue;
            a.shape = Area::Rect;
            a.bounds = QRectF(QPointF(std::min(c[0], c[2]), std::min(c[1], c[3])),
                              QPointF(std::max(c[0], c[2]), std::max(c[1], c[3])));
        }
        m_areas.push_back(std::move(a));
    }
}

std::vector<std::pair<QString, QString>> ImageMapHandler::readAttributes(const Area &a) const
{
    if (a.layer >= 0) {
        const QString tag = m_layers[size_t(a.layer)].tag(a.ordinal);
        return attributesOf(tag, tag.indexOf(u' '), tag.size());
    }
    return attributesOf(m_map, a.tagStart, a.tagEnd);
}

std::vector<std::pair<QString, QString>>
ImageMapHandler::attributesOf(QStringView text, qsizetype tagStart, qsizetype tagEnd)
{
    std::vector<std::pair<QString, QString>> attrs;
    if (tagStart < 0)
        return attrs;
    QString href;
    bool hasHref = false;
    const QStringView s = text.left(tagEnd);
    forEachAttribute(s, tagStart, [&](QStringView name, QStringView value) {
        if (name.compare(u"shape", Qt::CaseInsensitive) == 0 ||
            name.compare(u"coords", Qt::CaseInsensitive) == 0)
            return;
        if (name.compare(u"href", Qt::CaseInsensitive) == 0) {
            href = htmlUnescape(value);
            hasHref = true;
            return;
        }
        attrs.emplace_back(name.toString(), htmlUnescape(value));
    });
    // href: the path first, then the query parameters.
    if (hasHref && !href.isEmpty()) {
        std::vector<std::pair<QString, QString>> front;
        const qsizetype q = href.indexOf(u'?');
        front.emplace_back(QStringLiteral("path"), q < 0 ? href : href.left(q));
        if (q >= 0)
            for (const QString &kv : href.mid(q + 1).split(u'&', Qt::SkipEmptyParts)) {
                const qsizetype eq = kv.indexOf(u'=');
                front.emplace_back(urlDecode(eq < 0 ? kv : kv.left(eq)),
                                   eq < 0 ? QString() : urlDecode(kv.mid(eq + 1)));
            }
        attrs.insert(attrs.begin(), front.begin(), front.end());
    }
    return attrs;
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
    double minX = 1e300, maxX = -1e300, widths = 0;
    int bounded = 0;
    for (const auto &a : m_areas)
        if (a.shape != Area::Default) {
            minX = std::min(minX, a.bounds.left());
            maxX = std::max(maxX, a.bounds.right());
            widths += a.bounds.width();
            ++bounded;
        }
    // Columns about as wide as an area: a point then meets a few areas, even among thousands
    // of one-pixel candles.
    if (bounded > 0)
        m_cellWidth = std::clamp(std::floor(widths / bounded), 1.0, 64.0);
    if (minX > maxX) {
        for (int i = 0; i < static_cast<int>(m_areas.size()); ++i)
            m_wide.push_back(i);
        return;
    }
    m_minX = minX;
    const size_t cols = static_cast<size_t>(std::floor((maxX - minX) / m_cellWidth)) + 1;
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
        const size_t c0 = static_cast<size_t>(std::floor((a.bounds.left() - minX) / m_cellWidth));
        const size_t c1 = std::min(
            cols - 1, static_cast<size_t>(std::floor((a.bounds.right() - minX) / m_cellWidth)));
        for (size_t c = c0; c <= c1; ++c)
            m_columns[c].push_back(i);
    }
}

int ImageMapHandler::getHotSpot(double x, double y)
{
    int best = -1;
    if (!m_columns.empty() && x >= m_minX) {
        const size_t c = static_cast<size_t>(std::floor((x - m_minX) / m_cellWidth));
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
    if (m_current <= 0) {
        m_cachedFor = 0;
        m_cached.clear();
    } else if (m_cachedFor != m_current) {
        m_cached = readAttributes(m_areas[m_current - 1]);
        m_cachedFor = m_current;
    }
    return m_cached;
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
