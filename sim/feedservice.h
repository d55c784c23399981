#pragma once

#include "simservice.h"

// General feeds: /feeds/<name>.xml as RSS 2.0 and /feeds/<name>.atom as Atom 1.0 (markets,
// economy, technology, world, asia or any other name; asia writes Asia-Pacific zone names), a feed
// that has moved (/feeds/moved.xml answers with a redirect to /feeds/world.xml), and a page that
// is no feed at all (/feeds/notafeed.html).
class FeedService : public SimService
{
public:
    bool handles(const SimRequest &request) const override;
    QHttpServerResponse respond(const SimRequest &request) override;
};
