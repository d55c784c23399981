#include "news/feedaddress.h"

#include "common/weblinks.h"

#include <QCoreApplication>
#include <QUrl>

namespace FeedAddress {

QString refusal(const QString &address)
{
    if (address.contains(QLatin1Char('|')))
        return QCoreApplication::translate(
            "FeedAddress", "A feed address cannot contain \"|\". Please try another.");
    const QString sample = QString(address).replace(QLatin1String("<SYMBOL>"), QLatin1String("X"));
    if (!WebLinks::isWebAddress(QUrl(sample.trimmed(), QUrl::StrictMode)))
        return QCoreApplication::translate(
            "FeedAddress", "Only web addresses (http or https) can be used for feeds. Please try "
                           "another.");
    return {};
}

} // namespace FeedAddress
