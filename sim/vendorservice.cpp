#include "vendorservice.h"

#include "datascript.h"

bool VendorService::handles(const SimRequest &request) const
{
    return request.path.startsWith(QLatin1String("/Downloads/"));
}

QHttpServerResponse VendorService::respond(const SimRequest &request)
{
    if (request.path == QLatin1String("/Downloads/Data.txt"))
        return textResponse("text/plain", dataScript(request.baseUrl).toUtf8());
    if (request.path == QLatin1String("/Downloads/corVane/update.ini"))
        return textResponse("text/plain", updateInfo(request.baseUrl).toUtf8());
    return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
}
