#pragma once

#include <QByteArray>
#include <QTemporaryDir>

// A fresh home folder for one test: the profile folder ~/.corvane2 and its database start empty,
// and nothing of the developer's own profile is touched. Restores HOME when it goes.
class TestProfile
{
public:
    TestProfile();
    ~TestProfile();
    QString home() const { return directory.path(); }
    QString profileDirectory() const;
    QString databasePath() const;

private:
    QTemporaryDir directory;
    QByteArray previousHome;
};
