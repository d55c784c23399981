#pragma once

#include <QString>

#include <array>

// The vendor's version file ("update.ini"): the newest version on its first line, the installer's
// address on its second. Pure functions, so the update check can be tested without a server.
namespace VersionFile {

struct Contents
{
    QString version;      // "1.12.03.17"
    QString installerUrl; // empty when the line is missing
};

// Lines split at "\n"; a "\r" or blanks around a line are not part of it.
Contents read(const QString &text);

// The four numbers of a version: the text between the dots, the last one everything after the
// third dot. A part that is no number reads as 0.
std::array<int, 4> numbers(const QString &version);

// True when `remote` is a later version than `local`, comparing the numbers in order from the
// first: 1.12.03.17 is later than 1.12.03.16, 0.13.0.0 is not.
bool isNewer(const QString &remote, const QString &local);

} // namespace VersionFile
