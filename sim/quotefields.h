#pragma once

#include <QList>
#include <QString>

// The fields of the quote service, in the order its replies carry them.
struct QuoteField
{
    QString code;   // element name in the reply
    QString label;  // label of the fundamentals grid column
    QString align;  // "left", "right" or "center"
    int defaultPos; // position in the grid of a new store; 99 = not shown
};

const QList<QuoteField> &quoteFields();
