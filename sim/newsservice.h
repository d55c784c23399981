#pragma once

#include "simservice.h"

// Per-symbol news feeds, one per source: /news/<source>?s=SYMBOL (RSS 2.0, 20 newest items),
// the article pages they link to (/articles/...), and the tracking links some items carry
// (/rd/...*address, /click?...&url=address), which redirect to the article.
class NewsService : public SimService
{
public:
    bool handles(const SimRequest &request) const override;
    QHttpServerResponse respond(const SimRequest &request) override;
};
