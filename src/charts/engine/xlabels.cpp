#include "xlabels.h"

#include <cmath>

namespace XLabels {

FilterState::FilterState(int filter, const std::vector<double> &times, int first)
    : m_f(Chart::decodeFilter(filter)), m_t(times), m_first(first)
{
}

long long FilterState::bucket(double t) const
{
    switch (m_f.kind) {
    case Chart::StartOfMinuteFilter:
        return static_cast<long long>(std::floor(t / 60));
    case Chart::StartOfHourFilter:
        return static_cast<long long>(std::floor(t / 3600));
    case Chart::StartOfDayFilter:
        return static_cast<long long>(std::floor(t / 86400));
    case Chart::StartOfWeekFilter: // weeks start on Sunday; day 0 was a Monday
        return static_cast<long long>(std::floor((std::floor(t / 86400) + 1) / 7));
    case Chart::StartOfMonthFilter: {
        const auto p = Chart::splitChartTime(t);
        return p.year * 12LL + p.month - 1;
    }
    case Chart::StartOfYearFilter:
        return Chart::splitChartTime(t).year;
    default:
        return 0;
    }
}

double FilterState::bucketStart(double t) const
{
    switch (m_f.kind) {
    case Chart::StartOfMonthFilter: {
        const auto p = Chart::splitChartTime(t);
        return Chart::chartTime(p.year, p.month, 1);
    }
    case Chart::StartOfYearFilter:
        return Chart::chartTime(Chart::splitChartTime(t).year, 1, 1);
    case Chart::StartOfWeekFilter:
        return (static_cast<double>(bucket(t)) * 7 - 1) * 86400;
    default: {
        const double len = bucketLength(t);
        return std::floor(t / len) * len;
    }
    }
}

double FilterState::bucketLength(double t) const
{
    switch (m_f.kind) {
    case Chart::StartOfMinuteFilter:
        return 60;
    case Chart::StartOfHourFilter:
        return 3600;
    case Chart::StartOfDayFilter:
        return 86400;
    case Chart::StartOfWeekFilter:
        return 7 * 86400;
    case Chart::StartOfMonthFilter: {
        const auto p = Chart::splitChartTime(t);
        return Chart::chartTime(p.year, p.month + 1, 1) - Chart::chartTime(p.year, p.month, 1);
    }
    case Chart::StartOfYearFilter: {
        const int y = Chart::splitChartTime(t).year;
        return Chart::chartTime(y + 1, 1, 1) - Chart::chartTime(y, 1, 1);
    }
    default:
        return 1;
    }
}

bool FilterState::passes(int i)
{
    switch (m_f.kind) {
    case Chart::AllPassFilter:
        return true;
    case Chart::NonePassFilter:
        return false;
    case Chart::RegularSpacingFilter:
        return (i - m_first) % m_f.step == 0;
    default:
        break;
    }
    if (i < 0 || i >= static_cast<int>(m_t.size()) || Chart::isNoValue(m_t[i]))
        return false;
    const double t = m_t[i];
    const long long b = bucket(t);
    bool start;
    if (i > 0 && !Chart::isNoValue(m_t[i - 1])) {
        const long long prev = m_lastIndex == i - 1 ? m_lastBucket : bucket(m_t[i - 1]);
        start = b != prev;
    } else // the very first point counts if it lies close enough to the period's start
        start = (t - bucketStart(t)) <= m_f.margin * bucketLength(t);
    m_lastIndex = i;
    m_lastBucket = b;
    if (!start)
        return false;
    if (m_f.step <= 1)
        return true;
    // Months and years keep calendar steps (Jan, Apr, Jul ...); shorter periods count the
    // passing points so that labels spread evenly over trading days.
    if (m_f.kind == Chart::StartOfMonthFilter || m_f.kind == Chart::StartOfYearFilter)
        return b % m_f.step == 0;
    return (m_count++ % m_f.step) == 0;
}

std::vector<Candidate> fromMultiFormat(const std::vector<double> &times, int first, int last,
                                       const std::vector<Axis::FormatEntry> &entries)
{
    std::vector<Candidate> out;
    struct Level
    {
        FilterState filter;
        TextFormat::LabelTemplate format;
        int priority;
        bool promote;       // the first label of this level takes the higher level's format
        int promoteTo = -1; // index into levels
    };
    std::vector<Level> levels;
    levels.reserve(entries.size() * 2);
    int prio = 0;
    for (const auto &e : entries) {
        levels.push_back({FilterState(e.filter1, times, first),
                          TextFormat::LabelTemplate(e.format1), prio++, false});
        if (e.filter2 >= 0) {
            const int upper = static_cast<int>(levels.size()) - 1;
            levels.push_back({FilterState(e.filter2, times, first),
                              TextFormat::LabelTemplate(e.format2), prio++, e.promoteFirst, upper});
        }
    }
    bool anyLabel = false;
    TextFormat::Fields f;
    f.valueIsTime = true;
    for (int i = first; i <= last && i < static_cast<int>(times.size()); ++i) {
        if (Chart::isNoValue(times[i]))
            continue;
        // Every level sees every point, so step counters advance consistently.
        int chosen = -1;
        for (size_t k = 0; k < levels.size(); ++k) {
            const bool pass = levels[k].filter.passes(i);
            if (pass && chosen < 0)
                chosen = static_cast<int>(k);
        }
        if (chosen < 0)
            continue;
        const Level &lv = levels[chosen];
        const TextFormat::LabelTemplate *fmt = &lv.format;
        const bool tickOnly = lv.format.source() == u"-";
        if (!anyLabel && lv.promote && lv.promoteTo >= 0 && !tickOnly)
            fmt = &levels[lv.promoteTo].format;
        f.value = times[i];
        QString text = tickOnly ? QString() : fmt->expand(f);
        if (!text.isEmpty())
            anyLabel = true;
        out.push_back({i, text, lv.priority});
    }
    return out;
}

} // namespace XLabels
