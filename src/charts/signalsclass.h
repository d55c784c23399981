#pragma once

#include <QStringList>
#include <QWidget>

class QTableWidget;

// Buy and sell signals from a symbol's stored closes: RSI crossing its levels while MACD confirms.
// The chart page creates one per drawing; the small "Calculate" table is a developer's view.
class SignalsClass : public QWidget
{
    Q_OBJECT

public:
    explicit SignalsClass(QWidget *parent = nullptr);

    QStringList computeRsi(const QStringList &priceRows, int period);
    QStringList computeMacd(const QStringList &priceRows, int fast, int slow);
    // One entry per stored price row of the symbol: "", "date|close|LONG" or "date|close|SHORT".
    // The period is the RSI's (14 when below 1).
    QStringList signalRows(const QString &symbol, int period, double top, double bottom);
    // The same for price rows ("date|close") the caller has already read.
    QStringList signalRows(const QStringList &priceRows, int period, double top, double bottom);

    static QString priceQuery(const QString &symbol);

public slots:
    void calcSignal();

private:
    QTableWidget *table = nullptr;
};
