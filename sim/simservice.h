#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QHttpServerResponse>
#include <QString>
#include <QUrl>
#include <QUrlQuery>

// What a simulated service sees of a request.
struct SimRequest
{
    QString path; // decoded path, e.g. "/Downloads/Data.txt"
    QUrlQuery query;
    QUrl url;        // as requested
    QString baseUrl; // "http://127.0.0.1:PORT", for addresses that point back at us
    QDateTime now;   // data that moves with time is derived from this
};

// One simulated service: answers the paths it recognises in the real service's format.
class SimService
{
public:
    virtual ~SimService() = default;
    virtual bool handles(const SimRequest &request) const = 0;
    virtual QHttpServerResponse respond(const SimRequest &request) = 0;

    // A service may instead send a reply bit by bit, like a large download over a slow line.
    virtual bool streams(const SimRequest &) const { return false; }
    virtual void stream(const SimRequest &, QHttpServerResponder &&) {}
};

inline QHttpServerResponse
textResponse(const QByteArray &mimeType, const QByteArray &body,
             QHttpServerResponse::StatusCode status = QHttpServerResponse::StatusCode::Ok)
{
    return QHttpServerResponse(mimeType, body, status);
}
