#include "labeltemplate.h"

#include "chartconst.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <type_traits>

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

// UTF-8 output with the appends of QString, so that one formatting code serves both (image
// maps are built as bytes: much faster for many thousand areas).
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
void appendAscii(QString &out, const char *text, qsizetype n)
{
    out.append(QLatin1String(text, n));
}
void appendAscii(ByteSink &out, const char *text, qsizetype n)
{
    out.s.append(text, static_cast<size_t>(n));
}
template <typename Out> void appendAscii(Out &out, const char *text)
{
    appendAscii(out, text, static_cast<qsizetype>(std::strlen(text)));
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

// Inserts thousands separators and replaces the decimal point of a plain "%f" text.
template <typename Out>
void appendDecorated(Out &out, const char *text, QChar thousands, QChar point)
{
    const char *dot = std::strchr(text, '.');
    const char *intEnd = dot ? dot : text + std::strlen(text);
    const char *p = text;
    if (*p == '-') {
        out.append(QLatin1Char('-'));
        ++p;
    }
    const long digits = intEnd - p;
    for (long i = 0; i < digits; ++i) {
        if (!thousands.isNull() && i > 0 && (digits - i) % 3 == 0)
            out.append(thousands);
        out.append(QLatin1Char(p[i]));
    }
    if (dot) {
        out.append(point.isNull() ? QChar('.') : point);
        out.append(QLatin1String(dot + 1));
    }
}

// 10^0 .. 10^22 are exact doubles, equal to what std::pow(10.0, n) gives.
constexpr double exactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The text of std::to_chars(v, fixed, decimals), found with integer arithmetic: image maps
// format several numbers for each of many thousand points, and the general conversion is
// several times slower. Only for |v| < 1e15 and decimals <= 15 (nullptr otherwise): there
// v * 10^decimals, as the exact 53-bit mantissa times a power of ten, fits in 128 bits.
// Rounding is to nearest with exact ties to even, as std::to_chars does.
char *fixedDigits(char *p, double v, int decimals)
{
    if (!(std::fabs(v) < 1e15) || decimals < 0 || decimals > 15)
        return nullptr;
    using u128 = unsigned __int128;
    static constexpr std::uint64_t tens[] = {1ull,
                                             10ull,
                                             100ull,
                                             1000ull,
                                             10000ull,
                                             100000ull,
                                             1000000ull,
                                             10000000ull,
                                             100000000ull,
                                             1000000000ull,
                                             10000000000ull,
                                             100000000000ull,
                                             1000000000000ull,
                                             10000000000000ull,
                                             100000000000000ull,
                                             1000000000000000ull};
    // |v| = mant / 2^shift, read from the bits (subnormals have no implicit leading one).
    const auto bits = std::bit_cast<std::uint64_t>(v);
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    const std::uint64_t fraction = bits & ((std::uint64_t(1) << 52) - 1);
    const std::uint64_t mant = biased ? fraction | (std::uint64_t(1) << 52) : fraction;
    const int shift = biased ? 1075 - biased : 1074;
    const u128 scaled = static_cast<u128>(mant) * tens[decimals]; // < 2^103
    u128 q;
    if (shift <= 0) {
        q = scaled << -shift; // |v| < 1e15 keeps this below 2^103
    } else if (shift >= 110) {
        q = 0; // less than half a unit of the last place
    } else {
        q = scaled >> shift;
        const u128 rest = scaled - (q << shift), half = static_cast<u128>(1) << (shift - 1);
        if (rest > half || (rest == half && (q & 1)))
            ++q;
    }
    if (q >> 64)
        return nullptr;
    char digits[24];
    const char *end =
        std::to_chars(digits, digits + sizeof digits, static_cast<std::uint64_t>(q)).ptr;
    const int n = static_cast<int>(end - digits);
    if (std::signbit(v))
        *p++ = '-';
    if (n <= decimals) { // "0.0012"
        *p++ = '0';
        *p++ = '.';
        for (int k = n; k < decimals; ++k)
            *p++ = '0';
        std::memcpy(p, digits, static_cast<size_t>(n));
        return p + n;
    }
    std::memcpy(p, digits, static_cast<size_t>(n - decimals));
    p += n - decimals;
    if (decimals > 0) {
        *p++ = '.';
        std::memcpy(p, digits + n - decimals, static_cast<size_t>(decimals));
        p += decimals;
    }
    return p;
}

// The text of std::to_chars(v, general, 10) for 1 <= |v| < 1e9 away from powers of ten (the
// magnitude is then certain and rounding cannot carry into a new digit): ten significant
// digits in fixed notation without trailing zeros. nullptr otherwise.
char *generalDigits(char *p, double v)
{
    const double a = std::fabs(v);
    if (!(a >= 1 && a < 1e9))
        return nullptr;
    int mag = 0;
    while (exactPow10[mag + 1] <= a)
        ++mag;
    if (!(a > exactPow10[mag] * (1 + 1e-9) && a < exactPow10[mag + 1] * (1 - 1e-9)))
        return nullptr;
    char *end = fixedDigits(p, v, 9 - mag);
    if (end && mag < 9) {
        while (end[-1] == '0')
            --end;
        if (end[-1] == '.')
            --end;
    }
    return end;
}

template <typename Out>
void appendFixed(Out &out, double v, int decimals, QChar thousands, QChar point)
{
    char buf[400];
    if (std::fabs(v) >= 1e300) {
        out.append(QLatin1String("-"));
        return;
    }
    decimals = std::clamp(decimals, 0, 30);
    char *end = fixedDigits(buf, v, decimals);
    if (!end)
        end = std::to_chars(buf, buf + sizeof buf - 1, v, std::chars_format::fixed, decimals).ptr;
    *end = 0;
    const char *text = buf;
    if (buf[0] == '-' && std::all_of(buf + 1, end, [](char c) { return c == '0' || c == '.'; }))
        ++text; // no "-0.00"
    if (thousands.isNull() && (point.isNull() || point == QChar('.')))
        appendAscii(out, text, end - text);
    else
        appendDecorated(out, text, thousands, point);
}

template <typename Out> void appendGeneral(Out &out, double v)
{
    if (Chart::isNoValue(v))
        return;
    char buf[64];
    char *end;
    if (std::fabs(v) < 1e15 && v == std::floor(v)) {
        end = fixedDigits(buf, v, 0);
    } else { // ten significant digits; tiny values may keep an exponent
        end = generalDigits(buf, v);
        if (!end)
            end = std::to_chars(buf, buf + sizeof buf - 1, v, std::chars_format::general, 10).ptr;
    }
    if (end - buf == 2 && buf[0] == '-' && buf[1] == '0')
        out.append(QLatin1String("0"));
    else
        appendAscii(out, buf, end - buf);
}

double powerOfTen(int n)
{
    return n >= 0 && n <= 22 ? exactPow10[n] : std::pow(10.0, n);
}

// floor(log10(a)) for a > 0. Image maps ask this for every price: the table answers it for
// 1 <= a < 1e22 unless a lies so near a power of ten that log10 rounding could matter, where
// log10 itself decides (the result stays the same as before the table).
int decimalMagnitude(double a)
{
    if (a >= 1 && a < 1e22) {
        int mag = 0;
        while (exactPow10[mag + 1] <= a)
            ++mag;
        if (a > exactPow10[mag] * (1 + 1e-9) && a < exactPow10[mag + 1] * (1 - 1e-9))
            return mag;
    }
    return static_cast<int>(std::floor(std::log10(a)));
}

int significantDecimals(double v, int digits)
{
    if (v == 0 || !std::isfinite(v))
        return 0;
    const double a = std::fabs(v);
    int mag = decimalMagnitude(a);
    int decimals = std::max(0, digits - 1 - mag);
    // Rounding may carry into a new digit (9.996 -> 10.00): drop one decimal then.
    const double scale = powerOfTen(decimals);
    if (decimals > 0 && std::round(a * scale) / scale >= powerOfTen(mag + 1))
        --decimals;
    return decimals;
}

enum FieldId
{
    FValue,
    FX,
    FXLabel,
    FOpen,
    FHigh,
    FLow,
    FClose,
    FDataSet,
    FDataItem,
    FDataSetName,
    FOther
};

FieldId fieldId(QStringView name)
{
    if (name == u"value")
        return FValue;
    if (name == u"x")
        return FX;
    if (name == u"xLabel")
        return FXLabel;
    if (name == u"open")
        return FOpen;
    if (name == u"high")
        return FHigh;
    if (name == u"low")
        return FLow;
    if (name == u"close")
        return FClose;
    if (name == u"dataSet")
        return FDataSet;
    if (name == u"dataItem")
        return FDataItem;
    if (name == u"dataSetName")
        return FDataSetName;
    return FOther;
}

double numericField(FieldId id, const Fields &f)
{
    switch (id) {
    case FValue:
        return f.value;
    case FX:
        return f.x;
    case FXLabel:
        return !Chart::isNoValue(f.xLabelTime) ? f.xLabelTime : f.x;
    case FOpen:
        return f.open;
    case FHigh:
        return f.high;
    case FLow:
        return f.low;
    case FClose:
        return f.close;
    case FDataSet:
        return f.dataSet;
    case FDataItem:
        return f.dataItem;
    default:
        return Chart::NoValue;
    }
}

// Expression: reverse Polish notation over numbers and fields.
struct ExprItem
{
    enum Kind
    {
        Number,
        Field,
        Op,
        Neg
    } kind;
    double number = 0;
    FieldId field = FValue;
    char op = 0;
};

class ExprParser
{
public:
    explicit ExprParser(QStringView s) : m_s(s) {}
    bool parse(std::vector<ExprItem> &out)
    {
        m_out = &out;
        if (!parseSum())
            return false;
        skipSpace();
        return m_pos == m_s.size();
    }

private:
    void skipSpace()
    {
        while (m_pos < m_s.size() && m_s[m_pos].isSpace())
            ++m_pos;
    }
    bool parseSum()
    {
        if (!parseProduct())
            return false;
        for (;;) {
            skipSpace();
            if (m_pos < m_s.size() && (m_s[m_pos] == u'+' || m_s[m_pos] == u'-')) {
                const char op = static_cast<char>(m_s[m_pos].unicode());
                ++m_pos;
                if (!parseProduct())
                    return false;
                m_out->push_back({ExprItem::Op, 0, FValue, op});
            } else {
                return true;
            }
        }
    }
    bool parseProduct()
    {
        if (!parseUnary())
            return false;
        for (;;) {
            skipSpace();
            if (m_pos < m_s.size() && (m_s[m_pos] == u'*' || m_s[m_pos] == u'/')) {
                const char op = static_cast<char>(m_s[m_pos].unicode());
                ++m_pos;
                if (!parseUnary())
                    return false;
                m_out->push_back({ExprItem::Op, 0, FValue, op});
            } else {
                return true;
            }
        }
    }
    bool parseUnary()
    {
        skipSpace();
        if (m_pos < m_s.size() && m_s[m_pos] == u'-') {
            ++m_pos;
            if (!parseUnary())
                return false;
            m_out->push_back({ExprItem::Neg, 0, FValue, 0});
            return true;
        }
        if (m_pos < m_s.size() && m_s[m_pos] == u'+') {
            ++m_pos;
            return parseUnary();
        }
        return parseAtom();
    }
    bool parseAtom()
    {
        skipSpace();
        if (m_pos >= m_s.size())
            return false;
        const QChar c = m_s[m_pos];
        if (c == u'(') {
            ++m_pos;
            if (!parseSum())
                return false;
            skipSpace();
            if (m_pos >= m_s.size() || m_s[m_pos] != u')')
                return false;
            ++m_pos;
            return true;
        }
        if (c == u'{') {
            const qsizetype end = m_s.indexOf(u'}', m_pos);
            if (end < 0)
                return false;
            m_out->push_back({ExprItem::Field, 0, fieldId(m_s.mid(m_pos + 1, end - m_pos - 1)), 0});
            m_pos = end + 1;
            return true;
        }
        if (c.isDigit() || c == u'.') {
            qsizetype start = m_pos;
            while (m_pos < m_s.size() &&
                   (m_s[m_pos].isDigit() || m_s[m_pos] == u'.' || m_s[m_pos] == u'e' ||
                    m_s[m_pos] == u'E' ||
                    ((m_s[m_pos] == u'-' || m_s[m_pos] == u'+') && m_pos > start &&
                     (m_s[m_pos - 1] == u'e' || m_s[m_pos - 1] == u'E'))))
                ++m_pos;
            bool ok = false;
            const double v = m_s.mid(start, m_pos - start).toDouble(&ok);
            if (!ok)
                return false;
            m_out->push_back({ExprItem::Number, v, FValue, 0});
            return true;
        }
        return false;
    }

    QStringView m_s;
    qsizetype m_pos = 0;
    std::vector<ExprItem> *m_out = nullptr;
};

double evaluate(const std::vector<ExprItem> &items, const Fields &f)
{
    double stack[64];
    int sp = 0;
    for (const auto &it : items) {
        if (sp >= 63)
            return Chart::NoValue;
        switch (it.kind) {
        case ExprItem::Number:
            stack[sp++] = it.number;
            break;
        case ExprItem::Field: {
            const double v = numericField(it.field, f);
            if (Chart::isNoValue(v))
                return Chart::NoValue;
            stack[sp++] = v;
            break;
        }
        case ExprItem::Neg:
            if (sp < 1)
                return Chart::NoValue;
            stack[sp - 1] = -stack[sp - 1];
            break;
        case ExprItem::Op: {
            if (sp < 2)
                return Chart::NoValue;
            const double b = stack[--sp];
            double &a = stack[sp - 1];
            switch (it.op) {
            case '+':
                a += b;
                break;
            case '-':
                a -= b;
                break;
            case '*':
                a *= b;
                break;
            default:
                if (b == 0)
                    return Chart::NoValue;
                a /= b;
            }
            break;
        }
        }
    }
    return sp == 1 ? stack[0] : Chart::NoValue;
}

} // namespace

bool isDateFormat(QStringView format)
{
    for (QChar c : format) {
        switch (c.unicode()) {
        case 'y':
        case 'm':
        case 'd':
        case 'h':
        case 'n':
        case 's':
        case 'a':
            return true;
        default:
            break;
        }
    }
    return false;
}

namespace {

// A number format read once, so that a template formats many points without reading it again.
struct NumberFormat
{
    bool plain = true; // "" or "@": the default decimals, else general
    bool significant = false;
    int digits = -1;
    QChar thousands, point;
};

NumberFormat parseNumberFormat(QStringView format)
{
    NumberFormat n;
    if (format.isEmpty() || format == u"@")
        return n;
    n.plain = false;
    qsizetype i = 0;
    if (format[0] == u'P' || format[0] == u'p') {
        n.significant = true;
        ++i;
    }
    // Any run of digits is read, but the count stops growing where no output would differ: the
    // decimals are clamped when the number is written.
    constexpr int mostDigits = 1000;
    while (i < format.size() && format[i].isDigit()) {
        n.digits =
            std::min((n.digits < 0 ? 0 : n.digits * 10) + format[i].digitValue(), mostDigits);
        ++i;
    }
    if (i < format.size())
        n.thousands = format[i++];
    if (i < format.size())
        n.point = format[i++];
    if (n.thousands == u'~')
        n.thousands = QChar();
    return n;
}

// A date format split once into its runs ("mmm", "d", ", ", "yyyy").
struct DateFormat
{
    struct Token
    {
        char kind; // y m d h n s a, or 0 for literal text
        int count;
        QString text;     // literal text
        std::string utf8; // the same as UTF-8, one character at a time
    };
    std::vector<Token> tokens;
    bool twelveHour = false;
};

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
        switch (c.unicode()) {
        case 'y':
        case 'm':
        case 'd':
        case 'h':
        case 'n':
        case 's':
            d.tokens.push_back({static_cast<char>(c.unicode()), static_cast<int>(n), {}, {}});
            i += n;
            break;
        case 'a':
            d.tokens.push_back({'a', 1, {}, {}});
            i += 1;
            break;
        default: {
            if (d.tokens.empty() || d.tokens.back().kind != 0)
                d.tokens.push_back({0, 0, {}, {}});
            DateFormat::Token &t = d.tokens.back();
            t.text.append(c);
            ByteSink bytes{t.utf8};
            bytes.append(c);
            ++i;
        }
        }
    }
    return d;
}

void appendLiteral(QString &out, const DateFormat::Token &t)
{
    out.append(t.text);
}
void appendLiteral(ByteSink &out, const DateFormat::Token &t)
{
    out.appendUtf8(t.utf8);
}

} // namespace

template <typename Out>
void numberInto(Out &out, double v, const NumberFormat &nf, int defaultDecimals = -1)
{
    if (Chart::isNoValue(v))
        return;
    if (nf.plain) {
        if (defaultDecimals >= 0)
            appendFixed(out, v, defaultDecimals, QChar(), QChar());
        else
            appendGeneral(out, v);
        return;
    }
    const int digits = nf.digits;
    const QChar thousands = nf.thousands, point = nf.point;
    int decimals;
    if (nf.significant)
        decimals = significantDecimals(v, digits < 0 ? 3 : std::max(1, digits));
    else if (digits >= 0)
        decimals = digits;
    else if (defaultDecimals >= 0)
        decimals = defaultDecimals;
    else {
        // Separators only: general precision.
        QString g;
        appendGeneral(g, v);
        const QByteArray b = g.toLatin1();
        if (b.contains('e'))
            out.append(g);
        else
            appendDecorated(out, b.constData(), thousands, point);
        return;
    }
    appendFixed(out, v, decimals, thousands, point);
}

template <typename Out>
void numberInto(Out &out, double v, QStringView format, int defaultDecimals = -1)
{
    numberInto(out, v, parseNumberFormat(format), defaultDecimals);
}

void appendNumber(QString &out, double v, QStringView format, int defaultDecimals)
{
    numberInto(out, v, format, defaultDecimals);
}

QString formatNumber(double v, QStringView format, int defaultDecimals)
{
    QString s;
    appendNumber(s, v, format, defaultDecimals);
    return s;
}

template <typename Out> void dateInto(Out &out, double t, const DateFormat &f)
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

template <typename Out> void dateInto(Out &out, double t, QStringView f)
{
    if (!Chart::isNoValue(t))
        dateInto(out, t, parseDateFormat(f));
}

void appendDate(QString &out, double t, QStringView f)
{
    dateInto(out, t, f);
}

QString formatDate(double t, QStringView format)
{
    QString s;
    appendDate(s, t, format);
    return s;
}

template <typename Out> void defaultDateInto(Out &out, double t)
{
    if (Chart::isNoValue(t))
        return;
    static const DateFormat withTime = parseDateFormat(u"mmm d, yyyy hh:nn:ss");
    static const DateFormat dayOnly = parseDateFormat(u"mmm d, yyyy");
    const double secs = t - std::floor(t / 86400) * 86400;
    dateInto(out, t, secs >= 1 ? withTime : dayOnly);
}

void appendDefaultDate(QString &out, double t)
{
    defaultDateInto(out, t);
}

QString formatGeneral(double v)
{
    QString s;
    appendGeneral(s, v);
    return s;
}

QString formatValue(double v, const QString &formatOrTemplate)
{
    if (formatOrTemplate.contains(u'{')) {
        Fields f;
        f.value = v;
        return LabelTemplate(formatOrTemplate).expand(f);
    }
    if (isDateFormat(formatOrTemplate))
        return formatDate(v, formatOrTemplate);
    return formatNumber(v, formatOrTemplate);
}

void appendEscaped(QString &out, QStringView text, Escape escape)
{
    if (escape == Escape::None) {
        out.append(text);
        return;
    }
    // Most values need no escaping at all.
    bool plain = true;
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (escape == Escape::Html
                ? (u == '&' || u == '<' || u == '>' || u == '"' || u == '\'')
                : !((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                    u == '-' || u == '.' || u == '_' || u == '~')) {
            plain = false;
            break;
        }
    }
    if (plain) {
        out.append(text);
        return;
    }
    for (QChar c : text) {
        if (escape == Escape::Html) {
            switch (c.unicode()) {
            case '&':
                out.append(QLatin1String("&amp;"));
                break;
            case '<':
                out.append(QLatin1String("&lt;"));
                break;
            case '>':
                out.append(QLatin1String("&gt;"));
                break;
            case '"':
                out.append(QLatin1String("&quot;"));
                break;
            case '\'':
                out.append(QLatin1String("&#39;"));
                break;
            default:
                out.append(c);
            }
        } else {
            const ushort u = c.unicode();
            if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                u == '-' || u == '.' || u == '_' || u == '~') {
                out.append(c);
            } else {
                const QByteArray utf8 = QString(c).toUtf8();
                for (char b : utf8) {
                    char buf[4];
                    std::snprintf(buf, sizeof buf, "%%%02X", static_cast<unsigned char>(b));
                    out.append(QLatin1String(buf, 3));
                }
            }
        }
    }
}

struct LabelTemplate::Part
{
    enum Kind
    {
        Literal,
        Field,
        Expression
    } kind;
    QString text; // literal text, or the field name for other fields
    FieldId field = FValue;
    QString format;
    bool hasFormat = false;
    bool isDate = false;
    std::vector<ExprItem> expr;
    // Read once at compile time: literal text as UTF-8, the format as a number and a date
    // format (a field may use either, depending on the point).
    std::string utf8;
    std::string hrefUtf8; // the same with & " < > as entities, for Escape::HrefQuery
    NumberFormat number;
    DateFormat date;
};

namespace {

std::string hrefEscaped(const std::string &text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

} // namespace

LabelTemplate::LabelTemplate() : m_parts(std::make_shared<std::vector<Part>>()) {}
LabelTemplate::~LabelTemplate() = default;
LabelTemplate::LabelTemplate(const LabelTemplate &) = default;
LabelTemplate &LabelTemplate::operator=(const LabelTemplate &) = default;

LabelTemplate::LabelTemplate(const QString &text) : m_source(text)
{
    auto parts = std::make_shared<std::vector<Part>>();
    QString literal;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto flushLiteral = [&] {
        if (!literal.isEmpty()) {
            parts->push_back(
                {Part::Literal, literal, FValue, QString(), false, false, {}, {}, {}, {}, {}});
            literal.clear();
        }
    };
    while (i < n) {
        const QChar c = text[i];
        if (c != u'{') {
            literal.append(c);
            ++i;
            continue;
        }
        // Find the matching close brace; expressions nest field braces.
        int depth = 0;
        qsizetype end = -1;
        for (qsizetype j = i; j < n; ++j) {
            if (text[j] == u'{')
                ++depth;
            else if (text[j] == u'}' && --depth == 0) {
                end = j;
                break;
            }
        }
        if (end < 0) {
            literal.append(text.mid(i));
            break;
        }
        const QString body = text.mid(i + 1, end - i - 1);
        i = end + 1;
        // The format follows the last "|" outside nested braces.
        qsizetype bar = -1;
        int d = 0;
        for (qsizetype j = 0; j < body.size(); ++j) {
            if (body[j] == u'{')
                ++d;
            else if (body[j] == u'}')
                --d;
            else if (body[j] == u'|' && d == 0)
                bar = j;
        }
        Part part{Part::Field, QString(), FValue, QString(), false, false, {}, {}, {}, {}, {}};
        const QString head = bar >= 0 ? body.left(bar) : body;
        if (bar >= 0) {
            part.format = body.mid(bar + 1);
            part.hasFormat = true;
            part.isDate = isDateFormat(part.format);
        }
        if (head.startsWith(u'=')) {
            part.kind = Part::Expression;
            if (!ExprParser(QStringView(head).mid(1)).parse(part.expr)) {
                literal.append(u'{' + body + u'}');
                continue;
            }
        } else {
            part.field = fieldId(head);
            part.text = head;
        }
        flushLiteral();
        parts->push_back(std::move(part));
    }
    flushLiteral();
    for (Part &p : *parts) {
        if (p.kind == Part::Literal) {
            ByteSink bytes{p.utf8};
            bytes.append(p.text);
            p.hrefUtf8 = hrefEscaped(p.utf8);
        } else {
            p.number = parseNumberFormat(p.format);
            p.date = parseDateFormat(p.format);
        }
    }
    m_parts = std::move(parts);
}

bool LabelTemplate::hasFields() const
{
    for (const auto &p : *m_parts)
        if (p.kind != Part::Literal)
            return true;
    return false;
}

QString LabelTemplate::expand(const Fields &f, Escape escape) const
{
    QString s;
    expandInto(s, f, escape);
    return s;
}

namespace {

void escapeInto(QString &out, const QString &tmp, Escape escape)
{
    appendEscaped(out, tmp, escape);
}

bool urlSafe(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
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
    auto put = [&d](const char *text, size_t n) {
        std::memcpy(d, text, n);
        d += n;
    };
    for (char ch : in) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (escape == Escape::Html) {
            switch (c) {
            case '&':
                put("&amp;", 5);
                break;
            case '<':
                put("&lt;", 4);
                break;
            case '>':
                put("&gt;", 4);
                break;
            case '"':
                put("&quot;", 6);
                break;
            case '\'':
                put("&#39;", 5);
                break;
            default:
                *d++ = ch;
            }
        } else if (urlSafe(c)) {
            *d++ = ch;
        } else {
            static const char hex[] = "0123456789ABCDEF";
            d[0] = '%';
            d[1] = hex[c >> 4];
            d[2] = hex[c & 15];
            d += 3;
        }
    }
    o.resize(static_cast<size_t>(d - o.data()));
}

// Escapes what was written to out since mark, when any of it needs escaping.
void escapeTail(ByteSink &out, ByteSink &tmp, qsizetype mark, Escape escape)
{
    std::string &o = out.s;
    const auto from = o.begin() + mark;
    const bool plain =
        escape == Escape::Html
            ? std::none_of(
                  from, o.end(),
                  [](char c) { return c == '&' || c == '<' || c == '>' || c == '"' || c == '\''; })
            : std::all_of(from, o.end(),
                          [](char c) { return urlSafe(static_cast<unsigned char>(c)); });
    if (plain)
        return;
    tmp.s.assign(from, o.end());
    o.resize(static_cast<size_t>(mark));
    escapeInto(out, tmp, escape);
}

qsizetype sinkSize(const QString &s)
{
    return s.size();
}
qsizetype sinkSize(const ByteSink &s)
{
    return static_cast<qsizetype>(s.s.size());
}

void clearSink(QString &s)
{
    s.clear();
}
void clearSink(ByteSink &s)
{
    s.s.clear();
}

} // namespace

namespace {

void appendLiteral(QString &out, const LabelTemplate::Part &p, Escape escape)
{
    if (escape != Escape::HrefQuery) {
        out.append(p.text);
        return;
    }
    for (QChar c : p.text) {
        switch (c.unicode()) {
        case '&':
            out.append(QLatin1String("&amp;"));
            break;
        case '"':
            out.append(QLatin1String("&quot;"));
            break;
        case '<':
            out.append(QLatin1String("&lt;"));
            break;
        case '>':
            out.append(QLatin1String("&gt;"));
            break;
        default:
            out.append(c);
        }
    }
}
void appendLiteral(ByteSink &out, const LabelTemplate::Part &p, Escape escape)
{
    out.appendUtf8(escape == Escape::HrefQuery ? p.hrefUtf8 : p.utf8);
}

} // namespace

template <typename Out>
void expandParts(const std::vector<LabelTemplate::Part> &parts, Out &out, Out &tmp, const Fields &f,
                 Escape escape)
{
    using Part = LabelTemplate::Part;
    static const NumberFormat wholeNumber = parseNumberFormat(u"0");
    for (const auto &p : parts) {
        if (p.kind == Part::Literal) {
            appendLiteral(out, p, escape);
            continue;
        }
        // Bytes are written straight into the output and escaped afterwards only if they need
        // it (numbers and dates seldom do); QString output goes through tmp.
        constexpr bool inPlace = std::is_same_v<Out, ByteSink>;
        Out &target = escape == Escape::None || inPlace ? out : tmp;
        const qsizetype mark = sinkSize(out);
        clearSink(tmp);
        if (p.kind == Part::Expression) {
            numberInto(target, evaluate(p.expr, f), p.number, f.defaultDecimals);
        } else {
            switch (p.field) {
            case FDataSetName:
                if (f.dataSetName)
                    target.append(*f.dataSetName);
                break;
            case FXLabel:
                if (f.xLabelText) {
                    target.append(*f.xLabelText);
                } else if (!Chart::isNoValue(f.xLabelTime)) {
                    if (p.hasFormat && !p.format.isEmpty())
                        dateInto(target, f.xLabelTime, p.date);
                    else
                        defaultDateInto(target, f.xLabelTime);
                } else {
                    numberInto(target, f.x, p.number);
                }
                break;
            case FValue:
                if (f.valueIsTime) {
                    if (p.hasFormat && p.isDate)
                        dateInto(target, f.value, p.date);
                    else if (p.hasFormat && !p.format.isEmpty() && p.format != u"@")
                        numberInto(target, f.value, p.number);
                    else
                        defaultDateInto(target, f.value);
                } else if (p.hasFormat && p.isDate) {
                    dateInto(target, f.value, p.date);
                } else {
                    numberInto(target, f.value, p.number, f.defaultDecimals);
                }
                break;
            case FOther:
                if (f.extra) {
                    for (const auto &kv : *f.extra)
                        if (kv.first == p.text) {
                            target.append(kv.second);
                            break;
                        }
                }
                break;
            case FDataSet:
            case FDataItem:
                numberInto(target, numericField(p.field, f), wholeNumber);
                break;
            default: {
                const double v = numericField(p.field, f);
                if (p.hasFormat && p.isDate)
                    dateInto(target, v, p.date);
                else
                    numberInto(target, v, p.number, f.defaultDecimals);
            }
            }
        }
        if (escape != Escape::None) {
            if constexpr (inPlace)
                escapeTail(out, tmp, mark, escape);
            else
                escapeInto(out, tmp, escape);
        }
    }
}

void LabelTemplate::expandInto(QString &out, const Fields &f, Escape escape) const
{
    thread_local QString tmp;
    expandParts(*m_parts, out, tmp, f, escape);
}

void LabelTemplate::expandUtf8(std::string &out, const Fields &f, Escape escape) const
{
    thread_local std::string tmpBytes;
    ByteSink o{out}, t{tmpBytes};
    expandParts(*m_parts, o, t, f, escape);
}

} // namespace TextFormat
