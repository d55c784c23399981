#pragma once

#include "simservice.h"

// The vendor's download server: the first-run data script and the version file.
class VendorService : public SimService
{
public:
    bool handles(const SimRequest &request) const override;
    QHttpServerResponse respond(const SimRequest &request) override;
};
