#include "support/desktopopener.h"

#include <QDesktopServices>

namespace {

const char *const Schemes[] = {"http", "https", "file", "data", "javascript", "ftp", "mailto"};

} // namespace

DesktopOpener::DesktopOpener()
{
    for (const char *scheme : Schemes)
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
}

DesktopOpener::~DesktopOpener()
{
    for (const char *scheme : Schemes)
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}
