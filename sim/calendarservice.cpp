#include "calendarservice.h"

#include "economiccalendar.h"

#include <QFile>
#include <QRegularExpression>

namespace {

const QString FilePrefix = QStringLiteral("/files/Calendar-");
const QString FlagPrefix = QStringLiteral("/design/fxcm/img/flags/32x32/");

} // namespace

bool CalendarService::handles(const SimRequest &request) const
{
    return request.path.startsWith(FilePrefix) || request.path.startsWith(FlagPrefix);
}

QHttpServerResponse CalendarService::respond(const SimRequest &request)
{
    if (request.path.startsWith(FlagPrefix)) {
        // The same tiles the application carries beside it, compiled into the simulator.
        QFile flag(QStringLiteral(":/flags/") + request.path.mid(FlagPrefix.size()));
        if (!flag.open(QIODevice::ReadOnly))
            return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
        return textResponse("image/png", flag.readAll());
    }
    static const QRegularExpression name(
        QStringLiteral("^/files/Calendar-(\\d\\d-\\d\\d-\\d{4})\\.csv$"));
    const QRegularExpressionMatch match = name.match(request.path);
    const QDate sunday = QDate::fromString(match.captured(1), QStringLiteral("MM-dd-yyyy"));
    // Only Sundays have a file, as on the real service.
    if (!match.hasMatch() || !sunday.isValid() || sunday.dayOfWeek() != Qt::Sunday)
        return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
    return textResponse("text/csv", EconomicCalendar::weekFile(sunday, request.now));
}
