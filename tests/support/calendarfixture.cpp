#include "support/calendarfixture.h"

#include "calendar/calendarfile.h"

#include <QBuffer>
#include <QDir>
#include <QImage>

CalendarFixture::CalendarFixture()
    : previousDirectory(QDir::currentPath()), previousCalendar(qgetenv("CORVANE_CALENDAR_URL")),
      previousFlags(qgetenv("CORVANE_FLAGS_URL"))
{
    stores.open();
    GDatabaseClass::setMainInstance(&stores.store());
    QDir::setCurrent(directory.path());
    qputenv("CORVANE_CALENDAR_URL", http.baseUrl().toUtf8());
    qputenv("CORVANE_FLAGS_URL", http.baseUrl().toUtf8());
}

CalendarFixture::~CalendarFixture()
{
    qputenv("CORVANE_CALENDAR_URL", previousCalendar);
    qputenv("CORVANE_FLAGS_URL", previousFlags);
    QDir::setCurrent(previousDirectory);
    GDatabaseClass::setMainInstance(nullptr);
}

void CalendarFixture::scriptWeek(QDate sunday, const QByteArray &file, int status)
{
    http.scriptBody(CalendarFile::filePath(sunday), file, status);
}

void CalendarFixture::scriptFlag(const QString &currency)
{
    QImage flag(32, 32, QImage::Format_ARGB32);
    flag.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    flag.save(&buffer, "PNG");
    ScriptedHttpServer::Reply reply;
    reply.body = png;
    reply.contentType = "image/png";
    http.script(QStringLiteral("/design/fxcm/img/flags/32x32/flag-%1.png").arg(currency.toLower()),
                reply);
}

QByteArray calendarFile(const QStringList &lines, const QString &lineEnd)
{
    return (QStringLiteral(
                "Date,Time,Time Zone,Currency,Event,Importance,Actual,Forecast,Previous") +
            lineEnd + lines.join(lineEnd) + lineEnd)
        .toLatin1();
}
