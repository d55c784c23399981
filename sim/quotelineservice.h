#pragma once

#include "simservice.h"

// The quote-line service: /d/quotes.csv?f=sx0l1n0&e=.csv&s=SYMBOL answered with one line of
// symbol, exchange, last price and name, e.g. "CSCO","NMS",27.40,"Cisco Systems, Inc.".
class QuoteLineService : public SimService
{
public:
    bool handles(const SimRequest &request) const override;
    QHttpServerResponse respond(const SimRequest &request) override;

    static QByteArray replyLine(const QString &symbol, qint64 now);
};
