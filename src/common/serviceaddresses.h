#pragma once

#include <QString>
#include <QUrl>

// Where each remote service lives. Every address the application builds starts here, so the
// whole application can be pointed at the simulator (or any other host) from the environment:
// CORVANE_SERVICE_URL sets one base for all services, CORVANE_<SERVICE>_URL one service.
namespace ServiceAddresses {

enum class Service
{
    Quotes,
    History,
    Suggest,
    QuoteLine,
    ChartImage,
    Vendor,
    Calendar,
    Flags,
    Encyclopedia, // the education page's investing encyclopaedia
    Wiki          // the education page's company wiki
};

// Base address (scheme, host, port, optional path prefix) of a service, without trailing "/".
QString baseUrl(Service service);

// The base address of the service joined with a path such as "/Downloads/Data.txt".
QUrl url(Service service, const QString &pathAndQuery);

// Name of the environment variable that overrides one service, e.g. "CORVANE_QUOTES_URL".
QString environmentVariable(Service service);

} // namespace ServiceAddresses
