#pragma once

#include <QList>
#include <QWidget>

class NewsBoxClass;
class TickerBoxClass;

// The "Home" page: a bar with the logo over a column of price boxes, one per followed symbol,
// beside the news boxes of four news templates. Everything comes from the store; the
// fundamentals page's news run and quote refresh keep it current.
class NewsHighlightsClass : public QWidget
{
    Q_OBJECT

public:
    // Installs itself on the container it is given (the main window's first stacked page).
    explicit NewsHighlightsClass(QWidget *parent = nullptr);

    // The templates shown, in box order: two in the middle column, two on the right.
    static constexpr int FeedIds[] = {1, 2, 5, 9};
    static constexpr int TickerColumnWidth = 240;
    static constexpr int RightEdgeMargin = 6;

    TickerBoxClass *tickerBox() const { return tickers; }
    QList<NewsBoxClass *> newsBoxes() const { return boxes; }

public slots:
    void updateNewsBoxes();

private:
    TickerBoxClass *tickers = nullptr;
    QList<NewsBoxClass *> boxes;
};
