#pragma once

#include "simservice.h"

#include <QImage>
#include <QString>

// The chart picture service: /z?s=SYMBOL&l=on&z=s&q=<type>&t=<time>&p=<overlay> answers a small
// PNG chart of the symbol. Type l (line), c (candles) or b (OHLC bars); time 1d, 5d, 3m or 6m;
// overlay v (volume), b (Bollinger bands), p (parabolic SAR) or s (splits).
class ChartPictureService : public SimService
{
public:
    bool handles(const SimRequest &request) const override;
    QHttpServerResponse respond(const SimRequest &request) override;

    static QImage paint(const QString &symbol, const QString &type, const QString &time,
                        const QString &overlay, const QDateTime &now);
};
