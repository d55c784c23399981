#include "support/testprofile.h"

#include <QtGlobal>

TestProfile::TestProfile() : previousHome(qgetenv("HOME"))
{
    qputenv("HOME", directory.path().toLocal8Bit());
}

TestProfile::~TestProfile()
{
    qputenv("HOME", previousHome);
}

QString TestProfile::profileDirectory() const
{
    return directory.path() + QStringLiteral("/.corvane2");
}

QString TestProfile::databasePath() const
{
    return profileDirectory() + QStringLiteral("/mydb.db3");
}
