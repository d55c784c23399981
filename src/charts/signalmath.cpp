#include "charts/signalmath.h"

#include <QList>

#include <algorithm>
#include <deque>
#include <vector>

namespace SignalMath {

namespace {

double field(const QString &row, int index)
{
    const QStringList fields = row.split(QLatin1Char('|'));
    return index < fields.size() ? fields.at(index).toDouble() : 0.0; // unreadable text counts as 0
}

double close(const QString &row)
{
    return field(row, 1);
}

} // namespace

QString number(double value)
{
    return QStringLiteral("%1").arg(value, 0, 'g', -1);
}

namespace {

std::vector<double> closes(const QStringList &priceRows)
{
    std::vector<double> values;
    values.reserve(size_t(priceRows.size()));
    for (const QString &row : priceRows)
        values.push_back(close(row));
    return values;
}

std::vector<double> rsiValues(const std::vector<double> &closeValues, int period)
{
    const int p = period == 0 ? 14 : period;
    std::vector<double> result;
    result.reserve(closeValues.size());
    double previousClose = 0, gainSum = 0, lossSum = 0, averageGain = 0, averageLoss = 0, value = 0;
    for (size_t i = 0; i < closeValues.size(); ++i) {
        const double c = closeValues[i];
        double gain = 0, loss = 0;
        if (previousClose != 0) {
            const double change = c - previousClose;
            if (change > 0)
                gain = change;
            else
                loss = -change;
        }
        if (int(i) < p) {
            gainSum += gain;
            lossSum += loss;
            averageGain = gainSum / p;
            averageLoss = lossSum / p;
        } else {
            averageGain = (averageGain * (p - 1) + gain) / p;
            averageLoss = (averageLoss * (p - 1) + loss) / p;
            // Nothing lost gives an infinite strength (100) or, with nothing gained either, NaN
            // (100).
            const double strength = averageGain / averageLoss;
            value = strength >= 0 ? 100 - 100 / (strength + 1) : 100;
        }
        previousClose = c;
        result.push_back(value);
    }
    return result;
}

struct MacdRow
{
    double fast, slow, line, signal;
};

struct MacdSeries
{
    std::vector<MacdRow> rows;
    double lowest = 0, highest = 0;
};

MacdSeries macdValues(const std::vector<double> &closeValues)
{
    MacdSeries result;
    result.rows.reserve(closeValues.size());
    double fastSum = 0, slowSum = 0, fastAverage = 0, slowAverage = 0, fast = 0, slow = 0;
    std::deque<double> window;
    double windowSum = 0;
    for (size_t n = 0; n < closeValues.size(); ++n) {
        const int i = int(n);
        const double c = closeValues[n];
        double line = 0;
        if (i <= 10) {
            fastSum += c;
            slowSum += c;
        } else if (i == 11) {
            fastAverage = (fastSum + c) / 12;
            fast = fastAverage;
            slowSum += c;
        } else if (i <= 24) {
            slowSum += c;
        } else if (i == 25) {
            slowAverage = (slowSum + c) / 26;
            slow = slowAverage;
        }
        if (i >= 12)
            fast = (c + (fast == 0 ? fastAverage : fast) * 11) / 12;
        if (i >= 26) {
            slow = (c + (slow == 0 ? slowAverage : slow) * 25) / 26;
            line = fast - slow;
            window.push_back(line);
            windowSum += line;
            if (window.size() > 9) {
                windowSum -= window.front();
                window.pop_front();
            }
        }
        // Divided by nine also while the window is still filling.
        result.rows.push_back({fast, slow, line, window.empty() ? 0 : windowSum / 9});
        result.lowest = std::min(result.lowest, line);
        result.highest = std::max(result.highest, line);
    }
    return result;
}

} // namespace

QStringList rsi(const QStringList &priceRows, int period)
{
    QStringList result;
    for (double value : rsiValues(closes(priceRows), period))
        result << number(value);
    return result;
}

QStringList macd(const QStringList &priceRows)
{
    const MacdSeries series = macdValues(closes(priceRows));
    QStringList result;
    const QChar bar = QLatin1Char('|');
    for (const MacdRow &row : series.rows)
        result << number(row.fast) + bar + number(row.slow) + bar + number(row.line) + bar +
                      number(row.signal) + bar;
    result << number(series.lowest) + bar + number(series.highest);
    return result;
}

QStringList signalRows(const QStringList &priceRows, double top, double bottom, int rsiPeriod)
{
    // Compared as numbers, not as their six-digit texts.
    const std::vector<double> closeValues = closes(priceRows);
    const std::vector<double> strengths = rsiValues(closeValues, rsiPeriod);
    const MacdSeries lines = macdValues(closeValues);
    QStringList result;
    result.reserve(priceRows.size());
    double previous = 0;
    for (int i = 0; i < priceRows.size(); ++i) {
        const double r = strengths[size_t(i)];
        const double m = lines.rows[size_t(i)].line;
        const double s = lines.rows[size_t(i)].signal;
        const bool isLong = r > bottom && m >= s && previous <= bottom;
        const bool isShort = !isLong && r < top && s >= m && previous >= top;
        if (isLong || isShort) {
            const QString &row = priceRows.at(i);
            const qsizetype dateEnd = row.indexOf(QLatin1Char('|'));
            const QString date = dateEnd < 0 ? row : row.left(dateEnd);
            const QString closeText =
                dateEnd < 0 ? QString() : row.mid(dateEnd + 1).section(QLatin1Char('|'), 0, 0);
            result << date + QLatin1Char('|') + closeText +
                          (isLong ? QStringLiteral("|LONG") : QStringLiteral("|SHORT"));
        } else {
            result << QString();
        }
        previous = r;
    }
    return result;
}

QString testDisplaySignal(double rsi, double previousRsi, double macd, double signal)
{
    if (rsi > 70 && macd > signal && previousRsi <= 70)
        return QStringLiteral("Short");
    if (rsi < 30 && signal > macd && previousRsi >= 30)
        return QStringLiteral("Long");
    return QString();
}

} // namespace SignalMath
