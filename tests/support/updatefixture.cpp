#include "support/updatefixture.h"

#include "update/updateclass.h"

UpdateFixture::UpdateFixture() : previousVendor(qgetenv("CORVANE_VENDOR_URL"))
{
    qputenv("CORVANE_VENDOR_URL", http.baseUrl().toUtf8());
    UpdateClass::setInstallerStarter([list = started](const QString &path) {
        *list << path;
        return true;
    });
}

UpdateFixture::~UpdateFixture()
{
    UpdateClass::setInstallerStarter({});
    qputenv("CORVANE_VENDOR_URL", previousVendor);
}

void UpdateFixture::scriptVersionFile(const QString &version, const QString &installerPath,
                                      const QString &lineEnd)
{
    QString text = version + lineEnd;
    if (!installerPath.isEmpty())
        text += http.url(installerPath) + lineEnd;
    http.scriptBody(versionFilePath(), text.toUtf8());
}
