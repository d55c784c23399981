#include "simserver.h"

#include "calendarservice.h"
#include "chartpictureservice.h"
#include "feedservice.h"
#include "historyservice.h"
#include "newsservice.h"
#include "quotelineservice.h"
#include "quoteservice.h"
#include "referencesites.h"
#include "reportservice.h"
#include "suggestservice.h"
#include "vendorservice.h"

#include <QHostAddress>
#include <QHttpServerResponder>

SimServer::SimServer(bool offerUpdate)
{
    services.push_back(std::make_unique<VendorService>(offerUpdate));
    services.push_back(std::make_unique<QuoteService>());
    services.push_back(std::make_unique<HistoryService>());
    services.push_back(std::make_unique<SuggestService>());
    services.push_back(std::make_unique<QuoteLineService>());
    services.push_back(std::make_unique<NewsService>());
    services.push_back(std::make_unique<FeedService>());
    services.push_back(std::make_unique<ReportService>());
    services.push_back(std::make_unique<ChartPictureService>());
    services.push_back(std::make_unique<CalendarService>());
    services.push_back(std::make_unique<ReferenceSiteService>());

    // Every request goes through our own dispatch: the real services' paths (with ";" and
    // several segments) do not fit Qt's route patterns.
    http.setMissingHandler(
        [this](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
            const SimRequest asked = simRequest(request);
            for (const auto &service : services) {
                if (!service->handles(asked))
                    continue;
                if (service->streams(asked))
                    service->stream(asked, std::move(responder));
                else
                    service->respond(asked).write(std::move(responder));
                return;
            }
            responder.write(QHttpServerResponder::StatusCode::NotFound);
        });
}

quint16 SimServer::listen(quint16 port)
{
    const quint16 chosen = http.listen(QHostAddress::LocalHost, port);
    if (chosen)
        base = QStringLiteral("http://127.0.0.1:%1").arg(chosen);
    return chosen;
}

SimRequest SimServer::simRequest(const QHttpServerRequest &request) const
{
    SimRequest asked;
    asked.url = request.url();
    asked.path = request.url().path();
    asked.query = request.query();
    asked.baseUrl = base;
    asked.now = QDateTime::currentDateTimeUtc();
    return asked;
}
