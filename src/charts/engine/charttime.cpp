#include "chartconst.h"

#include <algorithm>
#include <cmath>

namespace Chart {
namespace {

// Days from 0001-01-01 to y-m-d (proleptic Gregorian), after H. Hinnant's civil algorithms.
long long daysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468; // days since 1970-01-01
}

void civilFromDays(long long z, int &y, int &m, int &d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

const long long epochOffsetDays = -daysFromCivil(1, 1, 1); // days from 0001-01-01 to 1970-01-01

} // namespace

double chartTime(int y, int m, int d, int h, int n, int s)
{
    // Months outside 1..12 roll over into neighbouring years.
    int mm = m - 1;
    y += mm >= 0 ? mm / 12 : -((11 - mm) / 12);
    mm = ((mm % 12) + 12) % 12;
    const long long days =
        daysFromCivil(y, static_cast<unsigned>(mm + 1), 1) + epochOffsetDays + d - 1;
    return static_cast<double>(days) * 86400.0 + h * 3600.0 + n * 60.0 + s;
}

double chartTime2(double unixSeconds)
{
    return unixSeconds + epochOffsetDays * 86400.0;
}

double toUnixSeconds(double t)
{
    return t - epochOffsetDays * 86400.0;
}

DateParts splitChartTime(double t)
{
    DateParts p;
    // A time from a label template may be any double; far beyond every calendar it is clamped
    // so the whole-second count stays an integer (about 30 million years either way).
    constexpr double farthest = 1e15;
    t = std::isnan(t) ? 0.0 : std::clamp(t, -farthest, farthest);
    const double whole = std::floor(t);
    p.fraction = t - whole;
    long long secs = static_cast<long long>(whole);
    long long days = secs >= 0 ? secs / 86400 : -((86399 - secs) / 86400);
    long long rest = secs - days * 86400;
    civilFromDays(days - epochOffsetDays, p.year, p.month, p.day);
    p.hour = static_cast<int>(rest / 3600);
    p.minute = static_cast<int>((rest / 60) % 60);
    p.second = static_cast<int>(rest % 60);
    // 0001-01-01 was a Monday.
    p.weekDay = static_cast<int>(((days % 7) + 7 + 1) % 7);
    return p;
}

int getChartYMD(double t)
{
    const DateParts p = splitChartTime(t);
    return p.year * 10000 + p.month * 100 + p.day;
}

int getChartWeekDay(double t)
{
    return splitChartTime(t).weekDay;
}

int encodeFilter(int kind, int labelStep, double initialMargin)
{
    const int step = std::clamp(labelStep, 1, 0xffff);
    const int margin = static_cast<int>(std::lround(std::clamp(initialMargin, 0.0, 1.0) * 1000));
    return (kind & 0xf) | (step << 4) | (margin << 20);
}

Filter decodeFilter(int filter)
{
    Filter f;
    f.kind = filter & 0xf;
    f.step = std::max(1, (filter >> 4) & 0xffff);
    f.margin = ((filter >> 20) & 0x7ff) / 1000.0;
    return f;
}

} // namespace Chart
