#include "updateoffer.h"

#include <QStringList>

namespace UpdateOffer {

namespace {

constexpr int PaddingLines = 30000;

QString offeredVersion(bool offerNewer)
{
    return offerNewer ? nextVersion() : QStringLiteral(CORVANE_VERSION);
}

} // namespace

QString nextVersion()
{
    QStringList parts = QStringLiteral(CORVANE_VERSION).split(QLatin1Char('.'));
    parts.last() = QString::number(parts.last().toInt() + 1);
    return parts.join(QLatin1Char('.'));
}

QByteArray versionFile(const QString &baseUrl, bool offerNewer)
{
    return QStringLiteral("%1\n%2%3\n")
        .arg(offeredVersion(offerNewer), baseUrl, installerPath(offerNewer))
        .toUtf8();
}

QString installerPath(bool offerNewer)
{
    return QStringLiteral("/Downloads/corVane/CorvaneSetup-%1.sh").arg(offeredVersion(offerNewer));
}

QByteArray installer(bool offerNewer)
{
    QByteArray script = "#!/bin/sh\n"
                        "# Simulated Corvane installer: it installs nothing.\n"
                        "echo \"Corvane " +
                        offeredVersion(offerNewer).toUtf8() +
                        " installer (simulated): nothing to install.\"\n"
                        "exit 0\n";
    for (int line = 0; line < PaddingLines; ++line)
        script += "# ------------------------------------------------------------ padding\n";
    return script;
}

} // namespace UpdateOffer
