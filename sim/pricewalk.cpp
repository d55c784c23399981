#include "pricewalk.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace {

quint64 mix(quint64 x)
{
    // splitmix64
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

quint64 hashText(const QString &text)
{
    quint64 h = 1469598103934665603ull;
    for (QChar c : text) {
        h ^= c.unicode();
        h *= 1099511628211ull;
    }
    return mix(h);
}

struct Octave
{
    double periodDays;
    double amplitude; // in log price
};

// Longer periods swing further, roughly as a random walk would, but bounded so that no price
// ever approaches zero.
const Octave Octaves[] = {
    {1024.0, 0.30}, {256.0, 0.20}, {64.0, 0.12},       {16.0, 0.065},       {4.0, 0.032},
    {1.0, 0.016},   {0.25, 0.008}, {1.0 / 24, 0.0035}, {1.0 / 288, 0.0012},
};

constexpr double DriftPerYear = 0.07;
constexpr qint64 Anchor = 1704067200; // 2024-01-01 00:00 UTC: prices sit near the base there

} // namespace

PriceWalk::PriceWalk(const QString &symbol) : seed(hashText(symbol.toUpper()))
{
    logBase = std::log(8.0) + trait(1) * std::log(400.0 / 8.0);
    volumeBase = qint64(std::pow(10.0, 5.3 + 2.2 * trait(2)));
}

double PriceWalk::random(quint64 a, quint64 b) const
{
    const quint64 r = mix(seed ^ mix(a * 0xD6E8FEB86659FD93ull + b));
    return double(r >> 11) / double(1ull << 53);
}

double PriceWalk::trait(quint64 salt) const
{
    return random(0xFFFF0000ull + salt, 7);
}

qint64 PriceWalk::averageVolume() const
{
    return volumeBase;
}

double PriceWalk::noise(int octave, double x) const
{
    const double cell = std::floor(x);
    const double f = x - cell;
    const auto i = qint64(cell);
    const double a = random(quint64(octave), quint64(i)) * 2 - 1;
    const double b = random(quint64(octave), quint64(i + 1)) * 2 - 1;
    const double s = f * f * (3 - 2 * f);
    return a + (b - a) * s;
}

double PriceWalk::priceAt(qint64 unixSeconds) const
{
    const double days = double(unixSeconds - Anchor) / 86400.0;
    double logPrice = logBase + DriftPerYear * days / 365.25;
    int octave = 0;
    for (const Octave &o : Octaves)
        logPrice += o.amplitude * noise(octave++, days / o.periodDays);
    return std::round(std::exp(logPrice) * 100.0) / 100.0;
}

bool PriceWalk::isTradingDay(const QDate &day)
{
    return day.dayOfWeek() <= 5;
}

qint64 PriceWalk::sessionOpen(const QDate &day)
{
    return QDateTime(day, QTime(9, 30), Qt::UTC).toSecsSinceEpoch() - UtcOffsetSeconds;
}

qint64 PriceWalk::sessionClose(const QDate &day)
{
    return QDateTime(day, QTime(16, 0), Qt::UTC).toSecsSinceEpoch() - UtcOffsetSeconds;
}

QDate PriceWalk::previousTradingDay(const QDate &day)
{
    QDate previous = day.addDays(-1);
    while (!isTradingDay(previous))
        previous = previous.addDays(-1);
    return previous;
}

QDate PriceWalk::currentSession(qint64 now)
{
    QDate day = QDateTime::fromSecsSinceEpoch(now + UtcOffsetSeconds, Qt::UTC).date();
    while (!isTradingDay(day) || sessionOpen(day) > now)
        day = day.addDays(-1);
    return day;
}

PriceWalk::Bar PriceWalk::dailyBar(const QDate &day, qint64 now) const
{
    const qint64 open = sessionOpen(day);
    const qint64 close = std::min(sessionClose(day), now);
    Bar bar{day.year() * 10000LL + day.month() * 100 + day.day(),
            priceAt(open),
            0,
            0,
            priceAt(close),
            0};
    bar.high = std::max(bar.open, bar.close);
    bar.low = std::min(bar.open, bar.close);
    for (qint64 t = open + 1800; t < close; t += 1800) {
        const double p = priceAt(t);
        bar.high = std::max(bar.high, p);
        bar.low = std::min(bar.low, p);
    }
    const double move = std::abs(bar.close - bar.open) / bar.open;
    const double elapsed = double(close - open) / double(sessionClose(day) - open);
    bar.volume = qint64(double(volumeBase) * (0.6 + 0.8 * random(99, quint64(bar.stamp))) *
                        (1 + 8 * move) * std::clamp(elapsed, 0.0, 1.0));
    return bar;
}

QList<PriceWalk::Bar> PriceWalk::dailyBars(const QDate &from, const QDate &to, qint64 now) const
{
    QList<Bar> bars;
    for (QDate day = from; day <= to; day = day.addDays(1)) {
        if (isTradingDay(day) && sessionOpen(day) <= now)
            bars.append(dailyBar(day, now));
    }
    return bars;
}

QList<PriceWalk::Bar> PriceWalk::intradayBars(const QDate &day, int stepSeconds, qint64 now) const
{
    QList<Bar> bars;
    const qint64 end = std::min(sessionClose(day), now);
    const qint64 perStep = std::max<qint64>(1, volumeBase * stepSeconds / (6 * 3600 + 1800));
    for (qint64 t = sessionOpen(day); t < end; t += stepSeconds) {
        const qint64 stop = std::min(t + stepSeconds, end);
        Bar bar{t, priceAt(t), 0, 0, priceAt(stop), 0};
        const double middle = priceAt((t + stop) / 2);
        bar.high = std::max({bar.open, bar.close, middle});
        bar.low = std::min({bar.open, bar.close, middle});
        bar.volume = qint64(double(perStep) * (0.5 + random(98, quint64(t))));
        bars.append(bar);
    }
    return bars;
}
