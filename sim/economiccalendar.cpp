#include "economiccalendar.h"

#include "newsgenerator.h"

#include <QLocale>
#include <QTime>

namespace EconomicCalendar {

namespace {

enum class Unit
{
    None,      // speeches, holidays: no values
    Percent,   // 1.2%
    Rate,      // 4.25%
    Thousands, // 270K
    Billions,  // -84.0B
    Dollars,   // $1.8B
    Grouped,   // "1,845.2B" (a thousands separator, so the field is quoted)
    Index      // 52.3
};

struct Release
{
    int day; // days after Sunday
    const char *time;
    const char *currency;
    const char *event;
    const char *level;
    Unit unit;
    double base;
    double spread;
};

// A week of releases. Some events carry a comma or an apostrophe, one level is in capitals and
// one day is a holiday, as in the real files.
const Release Week[] = {
    {0, "21:45", "NZD", "Performance of Services Index", "Low", Unit::Index, 52.0, 3.0},
    {1, "00:30", "AUD", "Building Approvals (MoM)", "Low", Unit::Percent, 1.0, 3.0},
    {1, "09:00", "EUR", "ECB's President Speaks in Brussels", "Medium", Unit::None, 0, 0},
    {1, "15:00", "USD", "ISM Manufacturing", "High", Unit::Index, 52.0, 3.0},
    {2, "03:30", "AUD", "RBA Cash Rate Target", "High", Unit::Rate, 4.25, 0.25},
    {2, "09:30", "GBP", "Manufacturing PMI", "Medium", Unit::Index, 50.0, 2.0},
    {2, "13:30", "CAD", "International Merchandise Trade", "Low", Unit::Billions, -0.9, 1.5},
    {2, "15:00", "USD", "Factory Orders", "Low", Unit::Percent, 0.5, 1.5},
    {3, "", "CNY", "Chinese Market Holiday", "Low", Unit::None, 0, 0},
    {3, "08:15", "CHF", "Consumer Price Index (YoY)", "Medium", Unit::Percent, 1.2, 0.6},
    {3, "13:15", "USD", "ADP Employment Change", "High", Unit::Thousands, 180.0, 60.0},
    {3, "19:00", "USD", "Fed's Beige Book, Regional Conditions", "Medium", Unit::None, 0, 0},
    {4, "00:01", "GBP", "BRC Shop Price Index (YoY)", "Low", Unit::Percent, 1.5, 0.8},
    {4, "12:00", "GBP", "Bank of England Rate Decision", "HIGH", Unit::Rate, 5.0, 0.25},
    {4, "13:30", "USD", "Initial Jobless Claims", "Medium", Unit::Thousands, 230.0, 25.0},
    {4, "23:50", "JPY", "Current Account Balance", "Low", Unit::Grouped, 1800.0, 400.0},
    {5, "07:00", "EUR", "German Industrial Production (MoM)", "Medium", Unit::Percent, 0.2, 1.0},
    {5, "13:30", "USD", "Non-Farm Payrolls", "High", Unit::Thousands, 200.0, 100.0},
    {5, "13:30", "USD", "Unemployment Rate", "High", Unit::Percent, 4.1, 0.2},
    {5, "13:30", "CAD", "Net Change in Employment", "Medium", Unit::Thousands, 20.0, 30.0},
    {5, "20:00", "USD", "Consumer Credit", "Low", Unit::Dollars, 14.0, 6.0},
};

// A value near base, the same for the same week, event and role.
double valueOf(const Release &release, QDate sunday, const char *role)
{
    const quint64 hash = NewsGenerator::hashOf(sunday.toString(Qt::ISODate) +
                                               QLatin1String(release.event) + QLatin1String(role));
    const double unit = double(hash % 2001) / 1000.0 - 1.0; // -1 .. 1
    return release.base + unit * release.spread;
}

QString formatted(Unit unit, double value)
{
    switch (unit) {
    case Unit::None:
        return {};
    case Unit::Percent:
        return QString::number(value, 'f', 1) + QLatin1Char('%');
    case Unit::Rate:
        return QString::number(qRound(value * 4) / 4.0, 'f', 2) + QLatin1Char('%');
    case Unit::Thousands:
        return QString::number(qRound(value)) + QLatin1Char('K');
    case Unit::Billions:
        return QString::number(value, 'f', 1) + QLatin1Char('B');
    case Unit::Dollars:
        return QLatin1Char('$') + QString::number(value, 'f', 1) + QLatin1Char('B');
    case Unit::Grouped:
        return QLocale(QLocale::English, QLocale::UnitedStates).toString(value, 'f', 1) +
               QLatin1Char('B');
    case Unit::Index:
        return QString::number(value, 'f', 1);
    }
    return {};
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QByteArray weekFile(QDate sunday, const QDateTime &now)
{
    QStringList lines{
        QStringLiteral("Date,Time,Time Zone,Currency,Event,Importance,Actual,Forecast,Previous")};
    for (const Release &release : Week) {
        const QDate day = sunday.addDays(release.day);
        const QTime time = QTime::fromString(QLatin1String(release.time), QStringLiteral("HH:mm"));
        const QDateTime at(day, time.isValid() ? time : QTime(0, 0), Qt::UTC);
        const bool released = at <= now;
        const bool forecastKnown = release.unit != Unit::None && qstrcmp(release.level, "Low") != 0;
        const QStringList fields{
            QLocale::c().toString(day, QStringLiteral("ddd MMM d")),
            QLatin1String(release.time),
            QStringLiteral("GMT"),
            QLatin1String(release.currency),
            QLatin1String(release.event),
            QLatin1String(release.level),
            released ? formatted(release.unit, valueOf(release, sunday, "actual")) : QString(),
            forecastKnown ? formatted(release.unit, valueOf(release, sunday, "forecast"))
                          : QString(),
            formatted(release.unit, valueOf(release, sunday, "previous")),
        };
        QStringList cells;
        for (const QString &field : fields)
            cells << csvField(field);
        lines << cells.join(QLatin1Char(','));
    }
    // The service writes Windows line ends.
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

QStringList currencies()
{
    QStringList codes;
    for (const Release &release : Week) {
        const QString code = QString::fromLatin1(release.currency).toLower();
        if (!codes.contains(code))
            codes << code;
    }
    return codes;
}

} // namespace EconomicCalendar
