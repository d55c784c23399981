#include "common/weblinks.h"

#include "common/statusmessages.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>

namespace WebLinks {

bool isWebAddress(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

QUrl webAddressFromText(const QString &text)
{
    const QUrl url(text.trimmed(), QUrl::TolerantMode);
    return isWebAddress(url) ? url : QUrl();
}

bool openInBrowser(const QUrl &url)
{
    if (!isWebAddress(url)) {
        qDebug() << "openInBrowser: refused" << url.toString().left(200);
        return false;
    }
    return QDesktopServices::openUrl(url);
}

QString refusedLinkMessage(const QUrl &url)
{
    const QString scheme = url.scheme().isEmpty() ? QStringLiteral("?") : url.scheme();
    return QCoreApplication::translate("WebLinks", "Link not opened: only web addresses are "
                                                   "opened, this one is a \"%1\" link.")
        .arg(scheme.left(20));
}

bool openFeedLink(QWidget *source, const QString &link)
{
    const QUrl url = webAddressFromText(link);
    if (url.isEmpty()) {
        StatusMessages::show(source, refusedLinkMessage(QUrl(link.trimmed())));
        return false;
    }
    return openInBrowser(url);
}

} // namespace WebLinks
