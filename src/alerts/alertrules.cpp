#include "alerts/alertrules.h"

#include <QLocale>

#include <cmath>

namespace AlertRules {

namespace {

struct ParsedNumber
{
    double value = 0;
    double unit = 1;
    int decimals = 0;
};

double unitOfSuffix(QChar suffix)
{
    switch (suffix.toUpper().unicode()) {
    case 'K':
        return 1e3;
    case 'M':
        return 1e6;
    case 'B':
        return 1e9;
    case 'T':
        return 1e12;
    default:
        return 0;
    }
}

// Plain decimal digits with an optional sign and point; no exponent, no group separators (the
// quote service never sends them, and "1,5" typed by a user must not become 15).
std::optional<ParsedNumber> parse(QStringView text)
{
    text = text.trimmed();
    ParsedNumber parsed;
    if (text.endsWith(QLatin1Char('%'))) {
        text.chop(1);
        text = text.trimmed();
    } else if (!text.isEmpty()) {
        const double unit = unitOfSuffix(text.back());
        if (unit != 0) {
            parsed.unit = unit;
            text.chop(1);
        }
    }
    qsizetype i = 0;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    int digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            ++digits;
            if (point)
                ++parsed.decimals;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    bool ok = false;
    const double mantissa = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(mantissa))
        return std::nullopt;
    parsed.value = mantissa * parsed.unit;
    return parsed;
}

} // namespace

QString compareSymbol(int code)
{
    switch (code) {
    case Greater:
        return QStringLiteral(">");
    case Lesser:
        return QStringLiteral("<");
    default:
        return QStringLiteral("==");
    }
}

std::optional<double> readNumber(QStringView text)
{
    const auto parsed = parse(text);
    if (!parsed)
        return std::nullopt;
    return parsed->value;
}

std::optional<Threshold> readThreshold(QStringView text)
{
    const auto parsed = parse(text);
    if (!parsed)
        return std::nullopt;
    return Threshold{parsed->value, parsed->unit, parsed->decimals};
}

std::optional<bool> conditionHolds(int compare, const Threshold &threshold,
                                   std::optional<double> current)
{
    if (!current)
        return std::nullopt;
    switch (compare) {
    case Greater:
        return *current > threshold.value;
    case Lesser:
        return *current < threshold.value;
    default: {
        // Equal at the threshold's own decimal places: 45 matches 45.3, 45.50 matches 45.499.
        const double scale = std::pow(10.0, threshold.decimals);
        const double seen = std::round(*current / threshold.unit * scale);
        const double wanted = std::round(threshold.value / threshold.unit * scale);
        return seen == wanted;
    }
    }
}

} // namespace AlertRules
