#include "home/newshighlightsclass.h"

#include "home/newsboxclass.h"
#include "home/tickerboxclass.h"
#include "widgets/tightlayouts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

NewsHighlightsClass::NewsHighlightsClass(QWidget *parent) : QWidget(parent)
{
    TightLayouts::fillContainer(parent, this);

    auto *topFrame = new QFrame(this);
    topFrame->setObjectName(QStringLiteral("topFrame"));
    topFrame->setFixedHeight(40);
    auto *logo = new QLabel(topFrame);
    logo->setPixmap(QPixmap(QStringLiteral(":/images/Images/cvLogo.png")));
    auto *bar = new QHBoxLayout(topFrame);
    bar->setContentsMargins(6, 0, 6, 0);
    bar->addWidget(logo);
    bar->addStretch(1);

    // A long symbol list scrolls instead of squeezing every box.
    auto *tickerScroll = new QScrollArea(this);
    tickerScroll->setObjectName(QStringLiteral("tickerScroll"));
    tickerScroll->setFixedWidth(TickerColumnWidth);
    tickerScroll->setFrameShape(QFrame::NoFrame);
    tickerScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tickerScroll->setWidgetResizable(true);
    auto *tickerHolder = new QWidget;
    tickerHolder->setObjectName(QStringLiteral("tickerColumn"));
    tickers = new TickerBoxClass(tickerHolder);
    tickerScroll->setWidget(tickerHolder);

    QHBoxLayout *columns = TightLayouts::row();
    // The right column of boxes keeps off the window's edge, as the boxes keep off each other.
    columns->setContentsMargins(0, 0, RightEdgeMargin, 0);
    columns->addWidget(tickerScroll, 0);
    QVBoxLayout *newsColumn = nullptr;
    for (const int feedId : FeedIds) {
        if (boxes.size() % 2 == 0) {
            newsColumn = TightLayouts::column();
            columns->addLayout(newsColumn, 1);
        }
        auto *newsBox = new NewsBoxClass(this);
        newsBox->feedId = feedId;
        newsBox->updateDisplay();
        newsColumn->addWidget(newsBox, 1);
        boxes << newsBox;
    }

    QVBoxLayout *page = TightLayouts::column(this);
    page->addWidget(topFrame, 0);
    page->addLayout(columns, 1);
}

void NewsHighlightsClass::updateNewsBoxes()
{
    for (NewsBoxClass *newsBox : std::as_const(boxes))
        newsBox->updateDisplay();
}
