#pragma once

#include "simservice.h"

// The vendor's web site feed of market commentary (/?feed=rss2): items with the full article in
// "content:encoded" and categories, the reports filed under "MarketReports". Also the report
// pages the items link to (/reports/...).
class ReportService : public SimService
{
public:
    bool handles(const SimRequest &request) const override;
    QHttpServerResponse respond(const SimRequest &request) override;
};
