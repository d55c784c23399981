#pragma once

#include "simservice.h"

// The symbol-suggest service: .../autoc?query=TEXT&callback=NAME answered with
// NAME({"ResultSet":{"Query":"TEXT","Result":[{"symbol",...}, ...]}}).
class SuggestService : public SimService
{
public:
    bool handles(const SimRequest &request) const override;
    QHttpServerResponse respond(const SimRequest &request) override;

    static QByteArray replyBody(const QString &query, const QString &callback);
};
