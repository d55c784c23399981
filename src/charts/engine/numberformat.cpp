#include "numberformat.h"

#include "chartconst.h"
#include "textsink.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace TextFormat {

namespace {

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

// floor(log10(a)) read from the table for 1 <= a < 1e22, where a lies far enough from a power
// of ten that no rounding could put it on the other side; -1 otherwise.
int certainMagnitude(double a)
{
    if (!(a >= 1 && a < 1e22))
        return -1;
    int mag = 0;
    while (exactPow10[mag + 1] <= a)
        ++mag;
    if (a > exactPow10[mag] * (1 + 1e-9) && a < exactPow10[mag + 1] * (1 - 1e-9))
        return mag;
    return -1;
}

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
    const int mag = certainMagnitude(a);
    if (mag < 0)
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
    const int mag = certainMagnitude(a);
    return mag >= 0 ? mag : static_cast<int>(std::floor(std::log10(a)));
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

template <typename Out>
void numberIntoT(Out &out, double v, const NumberFormat &nf, int defaultDecimals)
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

} // namespace

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

void numberInto(QString &out, double v, const NumberFormat &format, int defaultDecimals)
{
    numberIntoT(out, v, format, defaultDecimals);
}

void numberInto(ByteSink &out, double v, const NumberFormat &format, int defaultDecimals)
{
    numberIntoT(out, v, format, defaultDecimals);
}

void appendNumber(QString &out, double v, QStringView format, int defaultDecimals)
{
    numberInto(out, v, parseNumberFormat(format), defaultDecimals);
}

QString formatNumber(double v, QStringView format, int defaultDecimals)
{
    QString s;
    appendNumber(s, v, format, defaultDecimals);
    return s;
}

QString formatGeneral(double v)
{
    QString s;
    appendGeneral(s, v);
    return s;
}

} // namespace TextFormat
