#include "charts/signalmath.h"

#include <QList>

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

QStringList rsi(const QStringList &priceRows, int period)
{
    const int p = period == 0 ? 14 : period;
    QStringList result;
    double previousClose = 0, gainSum = 0, lossSum = 0, averageGain = 0, averageLoss = 0, value = 0;
    for (int i = 0; i < priceRows.size(); ++i) {
        const double c = close(priceRows.at(i));
        double gain = 0, loss = 0;
        if (previousClose != 0) {
            const double change = c - previousClose;
            if (change > 0)
                gain = change;
            else
                loss = -change;
        }
        if (i < p) {
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
        result << number(value);
    }
    return result;
}

QStringList macd(const QStringList &priceRows)
{
    QStringList result;
    double fastSum = 0, slowSum = 0, fastAverage = 0, slowAverage = 0, fast = 0, slow = 0;
    double lowest = 0, highest = 0;
    QList<double> window;
    for (int i = 0; i < priceRows.size(); ++i) {
        const double c = close(priceRows.at(i));
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
            window << line;
            if (window.size() > 9)
                window.removeFirst();
        }
        double windowSum = 0;
        for (double value : window)
            windowSum += value;
        const double signal = windowSum / 9;
        lowest = qMin(lowest, line);
        highest = qMax(highest, line);
        result << number(fast) + QLatin1Char('|') + number(slow) + QLatin1Char('|') + number(line) +
                      QLatin1Char('|') + number(signal) + QLatin1Char('|');
    }
    result << number(lowest) + QLatin1Char('|') + number(highest);
    return result;
}

QStringList signalRows(const QStringList &priceRows, double top, double bottom)
{
    const QStringList strengths = rsi(priceRows, 10);
    const QStringList lines = macd(priceRows);
    QStringList result;
    double previous = 0;
    for (int i = 0; i < priceRows.size(); ++i) {
        const double r = strengths.at(i).toDouble();
        const double m = field(lines.at(i), 2);
        const double s = field(lines.at(i), 3);
        const QStringList price = priceRows.at(i).split(QLatin1Char('|'));
        const QString date = price.value(0);
        const QString closeText = price.value(1);
        if (r > bottom && m >= s && previous <= bottom)
            result << date + QLatin1Char('|') + closeText + QStringLiteral("|LONG");
        else if (r < top && s >= m && previous >= top)
            result << date + QLatin1Char('|') + closeText + QStringLiteral("|SHORT");
        else
            result << QString();
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
