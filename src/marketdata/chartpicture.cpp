#include "marketdata/chartpicture.h"

#include "common/serviceaddresses.h"

#include <QCoreApplication>
#include <QUrlQuery>

namespace ChartPicture {

namespace {

const char *const TypeParameters[] = {"&q=l", "&q=c", "&q=b"};
const char *const TimeParameters[] = {"&t=1d", "&t=5d", "&t=3m", "&t=6m"};
const char *const TechnicalParameters[] = {"&p=v", "&p=b", "&p=p", "&p=s"};

template <std::size_t N> QString parameter(const char *const (&list)[N], int index)
{
    return index >= 0 && std::size_t(index) < N ? QString::fromLatin1(list[index]) : QString();
}

QString tr(const char *text)
{
    return QCoreApplication::translate("WelcomeClass", text);
}

} // namespace

QStringList typeChoices()
{
    return {tr("Line"), tr("Candle"), tr("OHLC")};
}

QStringList timeChoices()
{
    return {tr("1Day"), tr("5Days"), tr("3Months"), tr("6Months")};
}

QStringList technicalChoices()
{
    return {tr("Volume"), tr("Bollinger"), tr("Parabolic"), tr("Splits")};
}

QUrl address(const QString &symbol, int typeIndex, int timeIndex, int technicalIndex)
{
    // The symbol is percent-encoded so that "&" or "#" in it cannot change the query.
    const QString query =
        QStringLiteral("/z?s=") + QString::fromLatin1(QUrl::toPercentEncoding(symbol)) +
        QStringLiteral("&l=on&z=s") + parameter(TypeParameters, typeIndex) +
        parameter(TimeParameters, timeIndex) + parameter(TechnicalParameters, technicalIndex);
    return ServiceAddresses::url(ServiceAddresses::Service::ChartImage, query);
}

} // namespace ChartPicture
