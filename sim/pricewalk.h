#pragma once

#include <QDate>
#include <QList>
#include <QString>

// Deterministic price paths: a symbol's price is a smooth function of time made of seeded noise
// at several time scales (years down to minutes), so any moment can be priced on its own, the
// same moment always gets the same price, and the price keeps moving as time goes by.
class PriceWalk
{
public:
    explicit PriceWalk(const QString &symbol);

    double priceAt(qint64 unixSeconds) const;
    // A number in [0, 1) fixed for the symbol and the salt, for the symbol's other facts.
    double trait(quint64 salt) const;
    qint64 averageVolume() const;

    struct Bar
    {
        qint64 stamp; // yyyyMMdd for days, Unix seconds for intraday bars
        double open;
        double high;
        double low;
        double close;
        qint64 volume;
    };

    // The trading days' bars from `from` to `to`; a session still running at `now` ends at now.
    QList<Bar> dailyBars(const QDate &from, const QDate &to, qint64 now) const;
    Bar dailyBar(const QDate &day, qint64 now) const;
    // Bars of `stepSeconds` over one trading day's session, up to now.
    QList<Bar> intradayBars(const QDate &day, int stepSeconds, qint64 now) const;

    // Sessions run 9:30 to 16:00 New York time (taken as UTC-5), Monday to Friday.
    static bool isTradingDay(const QDate &day);
    static qint64 sessionOpen(const QDate &day);
    static qint64 sessionClose(const QDate &day);
    // The latest trading day whose session has opened by `now`.
    static QDate currentSession(qint64 now);
    static QDate previousTradingDay(const QDate &day);
    static constexpr int UtcOffsetSeconds = -5 * 3600;

private:
    double noise(int octave, double x) const;
    double random(quint64 a, quint64 b) const;

    quint64 seed;
    double logBase;
    qint64 volumeBase;
};
