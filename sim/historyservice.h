#pragma once

#include "simservice.h"

// The history service's chart endpoint:
// /instrument/1.0/SYMBOL/chartdata;type=quote;range=R/csv/ answered with the header lines, the
// "values:" line naming the columns, five min,max lines and the data lines.
class HistoryService : public SimService
{
public:
    bool handles(const SimRequest &request) const override;
    QHttpServerResponse respond(const SimRequest &request) override;

    // The reply body for a symbol and range value, or an empty text for an unknown range.
    static QByteArray replyBody(const QString &symbol, const QString &range, qint64 now);
};
