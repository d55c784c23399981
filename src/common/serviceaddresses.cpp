#include "common/serviceaddresses.h"

#include <QtGlobal>

namespace ServiceAddresses {

namespace {

struct ServiceInfo
{
    const char *variable;
    const char *publicBase;
};

ServiceInfo info(Service service)
{
    switch (service) {
    case Service::Quotes:
        return {"CORVANE_QUOTES_URL", "http://query.yahooapis.com"};
    case Service::History:
        return {"CORVANE_HISTORY_URL", "http://chartapi.finance.yahoo.com"};
    case Service::Suggest:
        return {"CORVANE_SUGGEST_URL", "http://d.yimg.com"};
    case Service::QuoteLine:
        return {"CORVANE_QUOTELINE_URL", "http://download.finance.yahoo.com"};
    case Service::ChartImage:
        return {"CORVANE_CHARTIMAGE_URL", "http://chart.finance.yahoo.com"};
    case Service::Vendor:
        return {"CORVANE_VENDOR_URL", "http://www.corvane.com"};
    case Service::Calendar:
        return {"CORVANE_CALENDAR_URL", "http://www.dailyfx.com"};
    case Service::Flags:
        return {"CORVANE_FLAGS_URL", "http://www.dailyfx.com"};
    case Service::Encyclopedia:
        return {"CORVANE_ENCYCLOPEDIA_URL", "http://www.investopedia.com"};
    case Service::Wiki:
        return {"CORVANE_WIKI_URL", "http://www.wikiwealth.com"};
    }
    return {"CORVANE_SERVICE_URL", ""};
}

QString withoutTrailingSlash(QString base)
{
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

} // namespace

QString environmentVariable(Service service)
{
    return QString::fromLatin1(info(service).variable);
}

QString baseUrl(Service service)
{
    const ServiceInfo serviceInfo = info(service);
    const QString own = qEnvironmentVariable(serviceInfo.variable);
    if (!own.isEmpty())
        return withoutTrailingSlash(own);
    const QString shared = qEnvironmentVariable("CORVANE_SERVICE_URL");
    if (!shared.isEmpty())
        return withoutTrailingSlash(shared);
    return QString::fromLatin1(serviceInfo.publicBase);
}

QUrl url(Service service, const QString &pathAndQuery)
{
    QString path = pathAndQuery;
    if (!path.startsWith(QLatin1Char('/')))
        path.prepend(QLatin1Char('/'));
    return QUrl(baseUrl(service) + path);
}

} // namespace ServiceAddresses
