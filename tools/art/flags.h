#pragma once

// Flag tiles for the economic calendar, one per currency ("flag-usd.png", ...), in the
// 32x32 form the calendar's flag service delivers, so a pre-drawn tile and a fetched one
// look alike in the table.

#include <QImage>
#include <QList>
#include <QString>

class QPainter;

namespace art {

struct FlagSpec
{
    QString currency;                            // lower case, as in the file name
    void (*paint)(QPainter &, qreal w, qreal h); // draws the flag filling w x h (3:2)
};

QList<FlagSpec> flagSpecs();
QImage renderFlag(const FlagSpec &design);

} // namespace art
