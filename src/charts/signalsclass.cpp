#include "charts/signalsclass.h"

#include "charts/signalmath.h"
#include "store/gdatabaseclass.h"
#include "store/sqlquoting.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

SignalsClass::SignalsClass(QWidget *parent) : QWidget(parent)
{
    auto *topFrame = new QFrame(this);
    topFrame->setObjectName(QStringLiteral("topFrame"));
    topFrame->setFixedHeight(40);
    auto *calculate = new QToolButton(topFrame);
    calculate->setText(tr("Calculate"));
    auto *topLayout = new QHBoxLayout(topFrame);
    topLayout->addWidget(calculate);
    topLayout->addStretch();

    table = new QTableWidget(0, 8, this);
    table->setAlternatingRowColors(true);
    table->verticalHeader()->setDefaultSectionSize(18);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setShowGrid(false);
    table->setFrameShape(QFrame::NoFrame);

    auto *layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(topFrame);
    layout->addWidget(table);
    if (parent)
        parent->setLayout(layout);
    else
        delete layout; // created for drawings only: no display wanted

    connect(calculate, &QToolButton::clicked, this, &SignalsClass::calcSignal);
}

QString SignalsClass::priceQuery(const QString &symbol)
{
    return QStringLiteral("SELECT date,Close FROM qData WHERE symbol=%1 ORDER BY date ASC")
        .arg(sqlQuoted(symbol));
}

QStringList SignalsClass::computeRsi(const QStringList &priceRows, int period)
{
    return SignalMath::rsi(priceRows, period);
}

QStringList SignalsClass::computeMacd(const QStringList &priceRows, int, int)
{
    return SignalMath::macd(priceRows);
}

QStringList SignalsClass::signalRows(const QString &symbol, int period, double top, double bottom)
{
    GDatabaseClass *store = GDatabaseClass::mainInstance();
    if (!store)
        return {};
    return signalRows(store->GetSQLRecords(priceQuery(symbol)), period, top, bottom);
}

QStringList SignalsClass::signalRows(const QStringList &priceRows, int period, double top,
                                     double bottom)
{
    // A period below 1 has no meaning: the RSI's customary 14 then.
    return SignalMath::signalRows(priceRows, top, bottom, period >= 1 ? period : 14);
}

void SignalsClass::calcSignal()
{
    GDatabaseClass *store = GDatabaseClass::mainInstance();
    if (!store)
        return;
    const QStringList prices = store->GetSQLRecords(priceQuery(QStringLiteral("GOOG")));
    const QStringList strengths = computeRsi(prices, 10);
    const QStringList lines = computeMacd(prices, 12, 26);
    table->clearContents();
    table->setRowCount(prices.size() + 1);
    double previous = 0;
    for (int row = 0; row < prices.size(); ++row) {
        const QStringList price = prices.at(row).split(QLatin1Char('|'));
        const QStringList macd = lines.at(row).split(QLatin1Char('|'));
        const double strength = strengths.at(row).toDouble();
        const QStringList cells{price.value(0),
                                price.value(1),
                                strengths.at(row),
                                macd.value(0),
                                macd.value(1),
                                macd.value(2),
                                macd.value(3),
                                SignalMath::testDisplaySignal(strength, previous,
                                                              macd.value(2).toDouble(),
                                                              macd.value(3).toDouble())};
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells.at(column)));
        previous = strength;
    }
    table->setHorizontalHeaderItem(0, new QTableWidgetItem(tr("Date")));
    table->resizeColumnToContents(0);
}
