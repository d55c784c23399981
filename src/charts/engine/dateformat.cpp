#include "dateformat.h"

#include "chartconst.h"
#include "textsink.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace TextFormat {

namespace {

const char *const monthShort[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char *const monthLong[] = {"January",   "February", "March",    "April",
                                 "May",       "June",     "July",     "August",
                                 "September", "October",  "November", "December"};
const char *const dayShort[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char *const dayLong[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                               "Thursday", "Friday", "Saturday"};

// The letters of date fields that count by their run length ("mmm", "yy"); "a" (am/pm) is the
// only other one.
bool isRunLetter(char16_t c)
{
    return c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 'n' || c == 's';
}

template <typename Out> void appendInt(Out &out, long long v, int width = 0)
{
    char buf[32];
    char *p = buf;
    if (v < 0) {
        *p++ = '-';
        v = -v;
    }
    char digits[24];
    const auto r = std::to_chars(digits, digits + sizeof digits, v);
    const long n = r.ptr - digits;
    for (long k = n; k < width; ++k)
        *p++ = '0';
    std::memcpy(p, digits, static_cast<size_t>(n));
    p += n;
    appendAscii(out, buf, p - buf);
}

void appendLiteral(QString &out, const DateFormat::Token &t)
{
    out.append(t.text);
}
void appendLiteral(ByteSink &out, const DateFormat::Token &t)
{
    out.appendUtf8(t.utf8);
}

template <typename Out> void dateIntoT(Out &out, double t, const DateFormat &f)
{
    if (Chart::isNoValue(t))
        return;
    // Image maps format the same time several times in a row.
    thread_local double lastTime = Chart::NoValue;
    thread_local Chart::DateParts lastParts;
    if (t != lastTime) {
        lastParts = Chart::splitChartTime(t);
        lastTime = t;
    }
    const Chart::DateParts &p = lastParts;
    const bool twelveHour = f.twelveHour;
    for (const DateFormat::Token &tok : f.tokens) {
        const int n = tok.count;
        switch (tok.kind) {
        case 'y':
            if (n >= 3)
                appendInt(out, p.year, 4);
            else
                appendInt(out, p.year % 100, 2);
            continue;
        case 'm':
            if (n >= 4)
                appendAscii(out, monthLong[p.month - 1]);
            else if (n == 3)
                appendAscii(out, monthShort[p.month - 1]);
            else
                appendInt(out, p.month, n == 2 ? 2 : 0);
            continue;
        case 'd':
            if (n >= 4)
                appendAscii(out, dayLong[p.weekDay]);
            else if (n == 3)
                appendAscii(out, dayShort[p.weekDay]);
            else
                appendInt(out, p.day, n == 2 ? 2 : 0);
            continue;
        case 'h': {
            int h = p.hour;
            if (twelveHour) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            appendInt(out, h, n >= 2 ? 2 : 0);
            continue;
        }
        case 'n':
            appendInt(out, p.minute, n >= 2 ? 2 : 0);
            continue;
        case 's':
            appendInt(out, p.second, n >= 2 ? 2 : 0);
            continue;
        case 'a':
            out.append(p.hour < 12 ? QLatin1String("am") : QLatin1String("pm"));
            continue;
        default:
            appendLiteral(out, tok);
        }
    }
}

template <typename Out> void defaultDateIntoT(Out &out, double t)
{
    if (Chart::isNoValue(t))
        return;
    static const DateFormat withTime = parseDateFormat(u"mmm d, yyyy hh:nn:ss");
    static const DateFormat dayOnly = parseDateFormat(u"mmm d, yyyy");
    const double secs = t - std::floor(t / 86400) * 86400;
    dateIntoT(out, t, secs >= 1 ? withTime : dayOnly);
}

} // namespace

bool isDateFormat(QStringView format)
{
    return std::any_of(format.begin(), format.end(),
                       [](QChar c) { return isRunLetter(c.unicode()) || c == u'a'; });
}

DateFormat parseDateFormat(QStringView f)
{
    DateFormat d;
    d.twelveHour = f.contains(u'a');
    qsizetype i = 0;
    while (i < f.size()) {
        const QChar c = f[i];
        qsizetype n = 0;
        while (i + n < f.size() && f[i + n] == c)
            ++n;
        if (isRunLetter(c.unicode())) {
            d.tokens.push_back({static_cast<char>(c.unicode()), static_cast<int>(n), {}, {}});
            i += n;
        } else if (c == u'a') {
            d.tokens.push_back({'a', 1, {}, {}});
            i += 1;
        } else {
            if (d.tokens.empty() || d.tokens.back().kind != 0)
                d.tokens.push_back({0, 0, {}, {}});
            DateFormat::Token &t = d.tokens.back();
            t.text.append(c);
            ByteSink bytes{t.utf8};
            bytes.append(c);
            ++i;
        }
    }
    return d;
}

void dateInto(QString &out, double t, const DateFormat &format)
{
    dateIntoT(out, t, format);
}

void dateInto(ByteSink &out, double t, const DateFormat &format)
{
    dateIntoT(out, t, format);
}

void defaultDateInto(QString &out, double t)
{
    defaultDateIntoT(out, t);
}

void defaultDateInto(ByteSink &out, double t)
{
    defaultDateIntoT(out, t);
}

void appendDate(QString &out, double t, QStringView f)
{
    if (!Chart::isNoValue(t))
        dateInto(out, t, parseDateFormat(f));
}

QString formatDate(double t, QStringView format)
{
    QString s;
    appendDate(s, t, format);
    return s;
}

void appendDefaultDate(QString &out, double t)
{
    defaultDateInto(out, t);
}

} // namespace TextFormat
