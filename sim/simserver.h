#pragma once

#include "simservice.h"

#include <QHttpServer>

#include <memory>
#include <vector>

// The simulator: one HTTP server on loopback that hands each request to the first service that
// recognises its path.
class SimServer
{
public:
    // offerUpdate: the version file offers a version newer than the application's.
    explicit SimServer(bool offerUpdate = false);
    // Listens on 127.0.0.1; port 0 picks a free one. Returns the port, or 0 on failure.
    quint16 listen(quint16 port);
    QString baseUrl() const { return base; }

private:
    SimRequest simRequest(const QHttpServerRequest &request) const;

    QHttpServer http;
    std::vector<std::unique_ptr<SimService>> services;
    QString base;
};
