#pragma once

#include "support/messageboxanswers.h"
#include "support/scriptedhttpserver.h"
#include "support/testprofile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

// Update checker tests: a fresh home folder, a scripted vendor server, answered message boxes,
// and a recorder in place of the installer start, so no test ever runs an installer or ends.
class UpdateFixture
{
public:
    UpdateFixture();
    ~UpdateFixture();

    ScriptedHttpServer &server() { return http; }
    MessageBoxAnswers &boxes() { return answers; }
    TestProfile &profile() { return home; }
    // The installers the checker would have started, in order.
    QStringList startedInstallers() const { return *started; }

    // The version file naming `version` and, unless empty, the installer at `installerPath`.
    void scriptVersionFile(const QString &version, const QString &installerPath,
                           const QString &lineEnd = QStringLiteral("\n"));
    static QString versionFilePath() { return QStringLiteral("/Downloads/corVane/update.ini"); }

private:
    TestProfile home;
    MessageBoxAnswers answers;
    ScriptedHttpServer http;
    QByteArray previousVendor;
    std::shared_ptr<QStringList> started = std::make_shared<QStringList>();
};
