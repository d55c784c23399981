#pragma once

#include "simservice.h"

// General RSS feeds: /feeds/<name>.xml (markets, economy, technology or any other name), a feed
// that has moved (/feeds/moved.xml answers with a redirect to /feeds/world.xml), and a page that
// is no feed at all (/feeds/notafeed.html).
class FeedService : public SimService
{
public:
    bool handles(const SimRequest &request) const override;
    QHttpServerResponse respond(const SimRequest &request) override;
};
