#include "alerts/mailpassword.h"

#include <QDebug>

#include <qt6keychain/keychain.h>

MailPassword &MailPassword::instance()
{
    static MailPassword *password = new MailPassword;
    return *password;
}

void MailPassword::finished(int error, const QString &errorText)
{
    if (error == QKeychain::NoError || error == QKeychain::EntryNotFound) {
        keyringState = Keyring::Available;
        problem.clear();
    } else {
        keyringState = Keyring::Unavailable;
        problem = errorText;
        qDebug().noquote()
            << QStringLiteral("MailPassword: keyring not available: %1").arg(errorText);
    }
    emit changed();
}

void MailPassword::load()
{
    auto *job = new QKeychain::ReadPasswordJob(ServiceName, this);
    job->setKey(AccountName);
    job->setAutoDelete(true);
    connect(job, &QKeychain::Job::finished, this, [this, job] {
        if (job->error() == QKeychain::NoError)
            secret = job->textData();
        finished(job->error(), job->errorString());
    });
    job->start();
}

void MailPassword::store(const QString &password)
{
    secret = password;
    QKeychain::Job *job = nullptr;
    if (password.isEmpty()) {
        job = new QKeychain::DeletePasswordJob(ServiceName, this);
    } else {
        auto *write = new QKeychain::WritePasswordJob(ServiceName, this);
        write->setTextData(password);
        job = write;
    }
    job->setKey(AccountName);
    job->setAutoDelete(true);
    connect(job, &QKeychain::Job::finished, this,
            [this, job] { finished(job->error(), job->errorString()); });
    job->start();
    emit changed();
}
