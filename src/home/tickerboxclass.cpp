#include "home/tickerboxclass.h"

#include "home/homequeries.h"
#include "home/tickertabclass.h"
#include "store/gdatabaseclass.h"
#include "widgets/tightlayouts.h"

#include <QDebug>
#include <QGroupBox>
#include <QVBoxLayout>

TickerBoxClass::TickerBoxClass(QWidget *parent) : QWidget(parent)
{
    TightLayouts::fillContainer(parent, this);
    column = TightLayouts::column(this);
    column->addStretch(1);

    loadingBox = new QGroupBox(tr("Loading..."), this);
    loadingBox->hide();

    followSymbolList();
    connect(&GDatabaseClass::mainStore(), &GDatabaseClass::symbolListChanged, this,
            &TickerBoxClass::followSymbolList);
}

QStringList TickerBoxClass::boxSymbols() const
{
    return order;
}

TickerTabClass *TickerBoxClass::box(const QString &symbol) const
{
    QWidget *holder = holders.value(symbol);
    return holder ? holder->findChild<TickerTabClass *>() : nullptr;
}

void TickerBoxClass::updateDisplay()
{
    qDebug() << "TickerBoxClass::updateDisplay";
}

void TickerBoxClass::followSymbolList()
{
    const QStringList wanted = GDatabaseClass::mainStore().GetSQLRecords(HomeQueries::boxSymbols());
    if (wanted == order)
        return;

    for (auto gone = holders.begin(); gone != holders.end();) {
        if (wanted.contains(gone.key())) {
            ++gone;
            continue;
        }
        column->removeWidget(gone.value());
        delete gone.value();
        gone = holders.erase(gone);
    }
    for (int position = 0; position < wanted.size(); ++position) {
        const QString &symbol = wanted.at(position);
        QWidget *holder = holders.value(symbol);
        if (!holder) {
            holder = new QWidget(this);
            TightLayouts::column(holder)->addWidget(new TickerTabClass(symbol, holder), 0,
                                                    Qt::AlignHCenter);
            holders.insert(symbol, holder);
        } else {
            column->removeWidget(holder);
        }
        // Re-inserted in list order, above the closing stretch.
        column->insertWidget(position, holder);
    }
    order = wanted;
}

void TickerBoxClass::refreshBoxes()
{
    for (const QString &symbol : std::as_const(order)) {
        if (TickerTabClass *tab = box(symbol))
            tab->update();
    }
}
