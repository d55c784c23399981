#pragma once
// UTF-8 output with the appends of QString, so that one formatting code writes both: labels
// are QString, image maps are built as bytes (much faster for many thousand areas).

#include <QChar>
#include <QLatin1String>
#include <QString>
#include <QStringView>
#include <cstring>
#include <string>

namespace TextFormat {

struct ByteSink
{
    std::string &s;
    void append(QLatin1Char c) { append(QChar(c)); }
    void append(QChar c)
    {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            s.push_back(static_cast<char>(u));
        } else if (u < 0x800) {
            s.push_back(static_cast<char>(0xc0 | (u >> 6)));
            s.push_back(static_cast<char>(0x80 | (u & 0x3f)));
        } else {
            s.push_back(static_cast<char>(0xe0 | (u >> 12)));
            s.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3f)));
            s.push_back(static_cast<char>(0x80 | (u & 0x3f)));
        }
    }
    void append(QLatin1String l)
    {
        // Digits, month names and the like are ASCII: one copy instead of a push per byte.
        for (char c : l)
            if (static_cast<unsigned char>(c) >= 0x80) {
                for (char d : l)
                    append(QChar(QLatin1Char(d)));
                return;
            }
        s.append(l.data(), static_cast<size_t>(l.size()));
    }
    void append(QStringView v)
    {
        const size_t old = s.size();
        s.resize(old + static_cast<size_t>(v.size()));
        char *d = s.data() + old;
        for (QChar c : v) {
            if (c.unicode() >= 0x80) {
                s.resize(old);
                s += v.toUtf8().toStdString();
                return;
            }
            *d++ = static_cast<char>(c.unicode());
        }
    }
    void append(const QString &v) { append(QStringView(v)); }
    // Bytes already in UTF-8.
    void appendUtf8(const std::string &bytes) { s += bytes; }
};

// Text known to be ASCII (digits, names of months and days).
inline void appendAscii(QString &out, const char *text, qsizetype n)
{
    out.append(QLatin1String(text, n));
}
inline void appendAscii(ByteSink &out, const char *text, qsizetype n)
{
    out.s.append(text, static_cast<size_t>(n));
}
template <typename Out> void appendAscii(Out &out, const char *text)
{
    appendAscii(out, text, static_cast<qsizetype>(std::strlen(text)));
}

inline qsizetype sinkSize(const QString &s)
{
    return s.size();
}
inline qsizetype sinkSize(const ByteSink &s)
{
    return static_cast<qsizetype>(s.s.size());
}

inline void clearSink(QString &s)
{
    s.clear();
}
inline void clearSink(ByteSink &s)
{
    s.s.clear();
}

} // namespace TextFormat
