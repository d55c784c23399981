#pragma once

#include "simservice.h"

// The vendor's download server: the first-run data script, the version file and the installer
// it names. The installer is sent slowly, so a progress dialog has something to show.
class VendorService : public SimService
{
public:
    explicit VendorService(bool offerUpdate = false) : offerUpdate(offerUpdate) {}
    bool handles(const SimRequest &request) const override;
    QHttpServerResponse respond(const SimRequest &request) override;
    bool streams(const SimRequest &request) const override;
    void stream(const SimRequest &request, QHttpServerResponder &&responder) override;

private:
    bool offerUpdate;
};
