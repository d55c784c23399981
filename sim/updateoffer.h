#pragma once

#include <QByteArray>
#include <QString>

// What the vendor's download server says about updates: the version file names the application's
// own version, or, when the simulator offers an update, the next one and its installer.
namespace UpdateOffer {

// The version one step after the application's own ("1.12.03.16" -> "1.12.03.17").
QString nextVersion();

// Contents of /Downloads/corVane/update.ini.
QByteArray versionFile(const QString &baseUrl, bool offerNewer);

// Where the installer of the offered version lies.
QString installerPath(bool offerNewer);

// A harmless stand-in installer: a shell script that only says what it is, padded to a size a
// progress bar can show.
QByteArray installer(bool offerNewer);

} // namespace UpdateOffer
