#include "simserver.h"

#include "chartpictureservice.h"
#include "feedservice.h"
#include "historyservice.h"
#include "newsservice.h"
#include "quotelineservice.h"
#include "quoteservice.h"
#include "reportservice.h"
#include "suggestservice.h"
#include "vendorservice.h"

#include <QHostAddress>
#include <QHttpServerResponder>

SimServer::SimServer()
{
    services.push_back(std::make_unique<VendorService>());
    services.push_back(std::make_unique<QuoteService>());
    services.push_back(std::make_unique<HistoryService>());
    services.push_back(std::make_unique<SuggestService>());
    services.push_back(std::make_unique<QuoteLineService>());
    services.push_back(std::make_unique<NewsService>());
    services.push_back(std::make_unique<FeedService>());
    services.push_back(std::make_unique<ReportService>());
    services.push_back(std::make_unique<ChartPictureService>());

    // Every request goes through our own dispatch: the real services' paths (with ";" and
    // several segments) do not fit Qt's route patterns.
    http.setMissingHandler(
        [this](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
            dispatch(request).write(std::move(responder));
        });
}

quint16 SimServer::listen(quint16 port)
{
    const quint16 chosen = http.listen(QHostAddress::LocalHost, port);
    if (chosen)
        base = QStringLiteral("http://127.0.0.1:%1").arg(chosen);
    return chosen;
}

QHttpServerResponse SimServer::dispatch(const QHttpServerRequest &request)
{
    SimRequest simRequest;
    simRequest.url = request.url();
    simRequest.path = request.url().path();
    simRequest.query = request.query();
    simRequest.baseUrl = base;
    simRequest.now = QDateTime::currentDateTimeUtc();
    for (const auto &service : services) {
        if (service->handles(simRequest))
            return service->respond(simRequest);
    }
    return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
}
