#include "home/tickerclass.h"

#include "home/changestyle.h"
#include "home/homequeries.h"
#include "home/tickerstepping.h"
#include "store/gdatabaseclass.h"
#include "widgets/elidedlabel.h"
#include "widgets/tightlayouts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

void nameTickerLabel(QLabel *label)
{
    label->setObjectName(QStringLiteral("ticker_labels"));
}

} // namespace

TickerClass::TickerClass(QWidget *parent) : QWidget(parent)
{
    TightLayouts::fillContainer(parent, this);

    labelA = new ElidedLabel(QString(), this);
    labelB = new QLabel(this);
    labelC = new QLabel(this);
    labelC->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    labelD = new QLabel(this);
    labelD->setAlignment(Qt::AlignCenter);
    for (QLabel *label : {static_cast<QLabel *>(labelA), labelB, labelC, labelD})
        nameTickerLabel(label);

    QHBoxLayout *middle = TightLayouts::row();
    middle->addWidget(labelB);
    middle->addWidget(labelC);
    QVBoxLayout *lines = TightLayouts::column(this);
    lines->addWidget(labelA);
    lines->addLayout(middle);
    lines->addWidget(labelD);

    timer = new QTimer(this);
    timer->setInterval(StepMs);
    connect(timer, &QTimer::timeout, this, &TickerClass::nextSymbol);
    timer->start();
    // The first symbol straight away rather than an empty frame for the first three seconds.
    nextSymbol();
}

void TickerClass::nextSymbol()
{
    GDatabaseClass &store = GDatabaseClass::mainStore();
    symbols = store.GetSQLRecords(HomeQueries::tickerSymbols());
    const TickerStepping::Step step = TickerStepping::step(symbols, index);
    labelA->setFullText(step.companyName);
    labelB->setText(step.symbol);
    if (step.empty) {
        labelC->clear();
        showChange(QString());
        index = 0;
        return;
    }
    labelC->setText(store.GetSQL(HomeQueries::quoteValue(step.symbol, QStringLiteral("Bid"))));
    showChange(store.GetSQL(HomeQueries::quoteValue(step.symbol, QStringLiteral("PercentChange"))));
    index = step.nextIndex;
}

void TickerClass::showChange(const QString &text)
{
    labelD->setText(text);
    labelD->setObjectName(ChangeStyle::tickerLabelName(ChangeStyle::directionOf(text)));
    // Setting a style sheet of its own makes Qt apply the application's rules again under the
    // new object name.
    labelD->setStyleSheet(QStringLiteral("/* */"));
}
