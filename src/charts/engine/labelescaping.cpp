#include "labelescaping.h"

#include "textsink.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace TextFormat {

namespace {

// The entity that stands for c in HTML, or an empty view. An href query's own text keeps its
// apostrophes.
std::string_view entityOf(char16_t c, bool withApostrophe = true)
{
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\'':
        return withApostrophe ? "&#39;" : std::string_view();
    default:
        return {};
    }
}

bool urlSafe(char16_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// Html escapes the characters that have an entity; Url and HrefQuery all but the URL-safe ones.
bool needsEscape(char16_t c, Escape escape)
{
    return escape == Escape::Html ? !entityOf(c).empty() : !urlSafe(c);
}

// Writes "%XX" for one byte; returns the end.
char *percentEncoded(char *d, unsigned char c)
{
    static const char hex[] = "0123456789ABCDEF";
    d[0] = '%';
    d[1] = hex[c >> 4];
    d[2] = hex[c & 15];
    return d + 3;
}

void escapeInto(ByteSink &out, const ByteSink &tmp, Escape escape)
{
    // Written through a pointer into room made once: escaping runs for every field of every
    // area of an image map. An escaped byte takes at most six.
    std::string &o = out.s;
    const std::string &in = tmp.s;
    const size_t old = o.size();
    o.resize(old + 6 * in.size());
    char *d = o.data() + old;
    for (char ch : in) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (!needsEscape(c, escape)) {
            *d++ = ch;
        } else if (escape == Escape::Html) {
            const std::string_view e = entityOf(c);
            std::memcpy(d, e.data(), e.size());
            d += e.size();
        } else {
            d = percentEncoded(d, c);
        }
    }
    o.resize(static_cast<size_t>(d - o.data()));
}

} // namespace

void appendEscaped(QString &out, QStringView text, Escape escape)
{
    // Most values need no escaping at all.
    if (escape == Escape::None || std::none_of(text.begin(), text.end(), [escape](QChar c) {
            return needsEscape(c.unicode(), escape);
        })) {
        out.append(text);
        return;
    }
    for (QChar c : text) {
        if (!needsEscape(c.unicode(), escape)) {
            out.append(c);
        } else if (escape == Escape::Html) {
            const std::string_view e = entityOf(c.unicode());
            out.append(QLatin1String(e.data(), static_cast<qsizetype>(e.size())));
        } else {
            const QByteArray utf8 = QString(c).toUtf8();
            for (char b : utf8) {
                char buf[3];
                percentEncoded(buf, static_cast<unsigned char>(b));
                out.append(QLatin1String(buf, 3));
            }
        }
    }
}

void escapeTail(ByteSink &out, ByteSink &scratch, qsizetype mark, Escape escape)
{
    std::string &o = out.s;
    const auto from = o.begin() + mark;
    if (std::none_of(from, o.end(), [escape](char c) {
            return needsEscape(static_cast<unsigned char>(c), escape);
        }))
        return;
    scratch.s.assign(from, o.end());
    o.resize(static_cast<size_t>(mark));
    escapeInto(out, scratch, escape);
}

void appendHrefEscaped(QString &out, QStringView text)
{
    for (QChar c : text) {
        const std::string_view e = entityOf(c.unicode(), false);
        if (e.empty())
            out.append(c);
        else
            out.append(QLatin1String(e.data(), static_cast<qsizetype>(e.size())));
    }
}

std::string hrefEscaped(const std::string &utf8)
{
    std::string out;
    for (char c : utf8) {
        const std::string_view e = entityOf(static_cast<unsigned char>(c), false);
        if (e.empty())
            out.push_back(c);
        else
            out.append(e);
    }
    return out;
}

} // namespace TextFormat
