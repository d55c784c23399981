#pragma once

#include "simservice.h"

// The sites of the education and support pages, in miniature: an investing encyclopaedia (home
// page "/" and term pages "/terms/..."), a company wiki ("/company/...") and the vendor's user
// forum ("/vanilla/..."). Enough linked pages to browse a little.
class ReferenceSiteService : public SimService
{
public:
    bool handles(const SimRequest &request) const override;
    QHttpServerResponse respond(const SimRequest &request) override;
};
