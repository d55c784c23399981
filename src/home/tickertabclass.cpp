#include "home/tickertabclass.h"

#include "home/changestyle.h"
#include "home/homequeries.h"
#include "store/gdatabaseclass.h"
#include "widgets/elidedlabel.h"
#include "widgets/tightlayouts.h"

#include <QDebug>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int BoxWidth = 180;

QLabel *figureLabel(QWidget *parent, Qt::Alignment alignment)
{
    auto *label = new QLabel(QStringLiteral("0.00"), parent);
    label->setObjectName(QStringLiteral("symbolLabel"));
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

QHBoxLayout *boxRow(QWidget *box)
{
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(6);
    return row;
}

} // namespace

TickerTabClass::TickerTabClass(const QString &symbol, QWidget *parent)
    : QWidget(parent), symbol(symbol)
{
    descGroupBox = new QGroupBox(this);
    descGroupBox->setObjectName(QStringLiteral("descGroupBox"));
    descGroupBox->setMaximumHeight(30);
    descGroupBox->setFixedWidth(BoxWidth);
    symbolLabel = new QLabel(QStringLiteral("SYMBOL"), descGroupBox);
    symbolLabel->setObjectName(QStringLiteral("symbolLabel"));
    titleLabel = new ElidedLabel(QStringLiteral("COMPANY NAME"), descGroupBox);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QHBoxLayout *descRow = boxRow(descGroupBox);
    descRow->addWidget(symbolLabel, 0);
    descRow->addWidget(titleLabel, 1);

    changeGroupBox = new QGroupBox(this);
    changeGroupBox->setObjectName(QStringLiteral("changeGroupBox"));
    changeGroupBox->setFixedWidth(BoxWidth);
    priceLabel = figureLabel(changeGroupBox, Qt::AlignLeft);
    changeLabel = figureLabel(changeGroupBox, Qt::AlignHCenter);
    percentLabel = figureLabel(changeGroupBox, Qt::AlignRight);
    QHBoxLayout *changeRow = boxRow(changeGroupBox);
    changeRow->addWidget(priceLabel, 1);
    changeRow->addWidget(changeLabel, 1);
    changeRow->addWidget(percentLabel, 1);

    QVBoxLayout *column = TightLayouts::column(this);
    column->addWidget(descGroupBox);
    column->addWidget(changeGroupBox);

    timer = new QTimer(this);
    timer->setInterval(RefreshMs);
    connect(timer, &QTimer::timeout, this, &TickerTabClass::update);
    timer->start();

    qDebug().noquote() << QStringLiteral("creating: ") + symbol;
    update();
}

void TickerTabClass::update()
{
    qDebug().noquote() << QStringLiteral("updating: ") + symbol;
    GDatabaseClass &store = GDatabaseClass::mainStore();
    symbolLabel->setText(symbol);
    titleLabel->setFullText(store.GetSQL(HomeQueries::companyName(symbol)));
    priceLabel->setText(
        store.GetSQL(HomeQueries::quoteValue(symbol, QStringLiteral("LastTradePriceOnly"))));
    changeLabel->setText(
        store.GetSQL(HomeQueries::quoteValue(symbol, QStringLiteral("ChangeRealtime"))));
    const QString percent =
        store.GetSQL(HomeQueries::quoteValue(symbol, QStringLiteral("ChangeinPercent")));
    percentLabel->setText(percent);

    changeGroupBox->setObjectName(ChangeStyle::changeBoxName(ChangeStyle::directionOf(percent)));
    restyle(changeGroupBox);
}

void TickerTabClass::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A group box takes the margins and padding of the style sheet only when it is restyled
    // after being polished; until then its contents sit below the room kept for a title.
    if (!styledOnce) {
        styledOnce = true;
        restyle(descGroupBox);
        restyle(changeGroupBox);
    }
}

void TickerTabClass::restyle(QGroupBox *box)
{
    // A style sheet of its own makes Qt apply the application's rules again, under the box's
    // current name.
    box->setStyleSheet(QStringLiteral("/* */"));
}
