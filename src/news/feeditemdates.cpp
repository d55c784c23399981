#include "news/feeditems.h"

#include <QHash>
#include <QRegularExpression>
#include <QTimeZone>

// Reading the dates feeds write: RFC 822 in RSS, RFC 3339 in Atom (and in some RSS feeds).
namespace FeedItems {

namespace {

const QStringList MonthNames = {
    QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mar"), QStringLiteral("apr"),
    QStringLiteral("may"), QStringLiteral("jun"), QStringLiteral("jul"), QStringLiteral("aug"),
    QStringLiteral("sep"), QStringLiteral("oct"), QStringLiteral("nov"), QStringLiteral("dec")};

constexpr int hours(int h, int m = 0)
{
    return h < 0 ? h * 60 - m : h * 60 + m;
}

bool numericZoneOffset(const QString &zone, int *minutes)
{
    static const QRegularExpression offset(QStringLiteral("^([+-])(\\d{2}):?(\\d{2})$"));
    const QRegularExpressionMatch match = offset.match(zone);
    if (!match.hasMatch())
        return false;
    const int value = match.captured(2).toInt() * 60 + match.captured(3).toInt();
    *minutes = match.captured(1) == QLatin1String("-") ? -value : value;
    return true;
}

} // namespace

std::optional<int> zoneOffsetMinutes(const QString &zone)
{
    // The names RFC 822 allows, and the ones feeds around the world write anyway.
    static const QHash<QString, int> zones = {
        // Universal
        {QStringLiteral("GMT"), 0},
        {QStringLiteral("UT"), 0},
        {QStringLiteral("UTC"), 0},
        {QStringLiteral("Z"), 0},
        // North America
        {QStringLiteral("NST"), hours(-3, 30)},
        {QStringLiteral("NDT"), hours(-2, 30)},
        {QStringLiteral("AST"), hours(-4)},
        {QStringLiteral("ADT"), hours(-3)},
        {QStringLiteral("EST"), hours(-5)},
        {QStringLiteral("EDT"), hours(-4)},
        {QStringLiteral("CST"), hours(-6)},
        {QStringLiteral("CDT"), hours(-5)},
        {QStringLiteral("MST"), hours(-7)},
        {QStringLiteral("MDT"), hours(-6)},
        {QStringLiteral("PST"), hours(-8)},
        {QStringLiteral("PDT"), hours(-7)},
        {QStringLiteral("AKST"), hours(-9)},
        {QStringLiteral("AKDT"), hours(-8)},
        {QStringLiteral("HST"), hours(-10)},
        // South America
        {QStringLiteral("BRT"), hours(-3)},
        {QStringLiteral("ART"), hours(-3)},
        // Europe and Africa
        {QStringLiteral("WET"), 0},
        {QStringLiteral("WEST"), hours(1)},
        {QStringLiteral("BST"), hours(1)},
        {QStringLiteral("CET"), hours(1)},
        {QStringLiteral("CEST"), hours(2)},
        {QStringLiteral("MET"), hours(1)},
        {QStringLiteral("MEST"), hours(2)},
        {QStringLiteral("EET"), hours(2)},
        {QStringLiteral("EEST"), hours(3)},
        {QStringLiteral("SAST"), hours(2)},
        {QStringLiteral("MSK"), hours(3)},
        // Asia and the Pacific
        {QStringLiteral("GST"), hours(4)},
        {QStringLiteral("PKT"), hours(5)},
        {QStringLiteral("IST"), hours(5, 30)},
        {QStringLiteral("ICT"), hours(7)},
        {QStringLiteral("WIB"), hours(7)},
        {QStringLiteral("HKT"), hours(8)},
        {QStringLiteral("SGT"), hours(8)},
        {QStringLiteral("MYT"), hours(8)},
        {QStringLiteral("PHT"), hours(8)},
        {QStringLiteral("AWST"), hours(8)},
        {QStringLiteral("KST"), hours(9)},
        {QStringLiteral("JST"), hours(9)},
        {QStringLiteral("ACST"), hours(9, 30)},
        {QStringLiteral("ACDT"), hours(10, 30)},
        {QStringLiteral("AEST"), hours(10)},
        {QStringLiteral("AEDT"), hours(11)},
        {QStringLiteral("NZST"), hours(12)},
        {QStringLiteral("NZDT"), hours(13)},
    };
    const auto found = zones.constFind(zone.toUpper());
    if (found == zones.constEnd())
        return std::nullopt;
    return found.value();
}

bool readDate(const QString &text, qint64 *milliseconds, QString *unknownZone)
{
    // Day name optional, one- or two-digit day, seconds optional: all allowed by RFC 822.
    static const QRegularExpression rfc822(QStringLiteral(
        "^\\s*(?:[A-Za-z]{3},?\\s*)?(\\d{1,2})\\s+([A-Za-z]{3})[a-z]*\\s+(\\d{4})\\s+"
        "(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*(\\S+)?"));
    const QRegularExpressionMatch match = rfc822.match(text);
    if (!match.hasMatch()) {
        // RFC 3339, as Atom writes it: an offset or "Z", or wall-clock time without either.
        const QDateTime iso = QDateTime::fromString(text.trimmed(), Qt::ISODateWithMs);
        if (!iso.isValid())
            return false;
        *milliseconds = iso.toMSecsSinceEpoch();
        return true;
    }
    const int month = MonthNames.indexOf(match.captured(2).toLower()) + 1;
    const QDate date(match.captured(3).toInt(), month, match.captured(1).toInt());
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(),
                     match.captured(6).toInt());
    if (month == 0 || !date.isValid() || !time.isValid())
        return false;

    const QString zone = match.captured(7);
    int offsetMinutes = 0;
    const std::optional<int> named = zoneOffsetMinutes(zone);
    if (named)
        offsetMinutes = *named;
    if (named || numericZoneOffset(zone, &offsetMinutes)) {
        const QDateTime utcWallClock(date, time, QTimeZone::utc());
        *milliseconds = utcWallClock.toMSecsSinceEpoch() - qint64(offsetMinutes) * 60 * 1000;
        return true;
    }
    // No zone, or one we cannot place: the wall-clock time is the best there is.
    if (!zone.isEmpty() && unknownZone)
        *unknownZone = zone;
    *milliseconds = QDateTime(date, time).toMSecsSinceEpoch();
    return true;
}

} // namespace FeedItems
