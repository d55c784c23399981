#include "update/updateclass.h"

#include "common/messageboxes.h"
#include "common/requests.h"
#include "common/serviceaddresses.h"
#include "common/weblinks.h"
#include "update/versionfile.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QProgressDialog>
#include <QTimer>

#include <cstdlib>

namespace {

bool startInstallerAndQuit(const QString &path)
{
    if (!QProcess::startDetached(path, {}))
        return false;
    // The installer replaces this program: leave at once, as the installer expects.
    std::exit(0);
}

UpdateClass::InstallerStarter &installerStarter()
{
    static UpdateClass::InstallerStarter starter = startInstallerAndQuit;
    return starter;
}

QString localVersion()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral(CORVANE_VERSION) : version;
}

} // namespace

UpdateClass::UpdateClass(QWidget *parent) : QWidget(parent)
{
    network = new QNetworkAccessManager(this);
    check(false);
}

QWidget *UpdateClass::boxParent()
{
    // During start-up the window is not shown yet and the splash screen stays on top: a box on
    // the hidden window would open behind it, where nobody can answer it.
    return window()->isVisible() ? this : nullptr;
}

void UpdateClass::setInstallerStarter(InstallerStarter starter)
{
    installerStarter() = starter ? std::move(starter) : InstallerStarter(startInstallerAndQuit);
}

QUrl UpdateClass::versionFileUrl()
{
    return ServiceAddresses::url(ServiceAddresses::Service::Vendor,
                                 QStringLiteral("/Downloads/corVane/update.ini"));
}

UpdateClass::Outcome UpdateClass::check(bool onDemand)
{
    if (waitingForInfo || reply)
        return Outcome::NotDownloaded; // a check is already running
    if (!fetchVersionFile()) {
        if (onDemand)
            MessageBoxes::information(
                boxParent(), tr("Downloader"),
                tr("The update server could not be reached: %1").arg(versionFileError));
        return Outcome::Unreachable;
    }
    if (!VersionFile::isNewer(remoteVersion, localVersion())) {
        if (onDemand)
            MessageBoxes::information(boxParent(), tr("Update"), tr("Corvane is up to date."));
        return Outcome::UpToDate;
    }

    const QUrl installer(installerUrl);
    const QString fileName = QFileInfo(installer.path()).fileName();
    if (!WebLinks::isWebAddress(installer) || fileName.isEmpty()) {
        qDebug().noquote() << "UpdateClass: no installer address in the version file:"
                           << installerUrl;
        MessageBoxes::information(boxParent(), tr("Downloader"),
                                  tr("Corvane %1 is available, but the update server names no "
                                     "installer to download.")
                                      .arg(remoteVersion));
        return Outcome::NotDownloaded;
    }
    MessageBoxes::Box offer;
    offer.icon = QMessageBox::Question;
    offer.title = tr("Downloader");
    offer.text =
        tr("Corvane %1 is available; you have version %2.").arg(remoteVersion, localVersion());
    offer.informativeText =
        tr("Download and install it now? Corvane closes when the installer starts.");
    offer.buttons = QMessageBox::Yes | QMessageBox::No;
    offer.defaultButton = QMessageBox::Yes;
    if (MessageBoxes::show(boxParent(), offer) != QMessageBox::Yes)
        return Outcome::Declined;

    // The file name comes from the network: in a folder of its own it can never replace one of
    // the profile's files (an installer named "mydb.db3" would otherwise delete the store). On
    // the very first run not even the profile folder exists yet.
    const QString folder = QStringLiteral("%1/.corvane2/updates").arg(QDir::home().absolutePath());
    QDir().mkpath(folder);
    installerPath = folder + QLatin1Char('/') + fileName;
    if (!downloadInstaller())
        return Outcome::NotDownloaded;

    QFile::setPermissions(installerPath,
                          QFile::permissions(installerPath) | QFile::ExeOwner | QFile::ExeUser);
    if (!installerStarter()(installerPath)) {
        MessageBoxes::information(boxParent(), tr("Downloader"),
                                  tr("Unable to start the installer %1.").arg(installerPath));
        return Outcome::NotDownloaded;
    }
    return Outcome::InstallerStarted;
}

bool UpdateClass::fetchVersionFile()
{
    remoteVersion.clear();
    installerUrl.clear();
    versionFileError.clear();
    waitingForInfo = true;
    QNetworkReply *versionReply =
        Requests::get(*network, versionFileUrl(), Requests::Caps::VersionFile);
    connect(versionReply, &QNetworkReply::finished, this, &UpdateClass::replyFinished);

    // Start-up waits here, the splash screen turning, but never longer than a lookup may take.
    QEventLoop wait;
    connect(this, &UpdateClass::versionFileHandled, &wait, &QEventLoop::quit);
    QTimer::singleShot(Requests::BlockingWaitMs, &wait, &QEventLoop::quit);
    if (waitingForInfo)
        wait.exec();
    if (waitingForInfo) {
        waitingForInfo = false;
        versionFileError = tr("no answer within %1 s").arg(Requests::BlockingWaitMs / 1000);
        qDebug().noquote() << "UpdateClass:" << versionFileError;
        // The reply still in flight (the first one or a redirect's) finishes aborted, unheard.
        for (QNetworkReply *pending : network->findChildren<QNetworkReply *>()) {
            pending->disconnect(this);
            pending->abort();
            pending->deleteLater();
        }
        return false;
    }
    return versionFileError.isEmpty();
}

void UpdateClass::replyFinished()
{
    auto *finished = qobject_cast<QNetworkReply *>(sender());
    if (!finished)
        return;
    finished->deleteLater();
    const Requests::ReplyOutcome outcome = Requests::finishReply(*network, finished);
    if (outcome.redirected()) {
        connect(outcome.next, &QNetworkReply::finished, this, &UpdateClass::replyFinished);
        return; // still waiting
    }
    if (outcome.redirectRefused) {
        versionFileError = tr("too many redirects");
    } else if (outcome.failed()) {
        versionFileError = outcome.errorText;
        qDebug().noquote() << "UpdateClass:" << versionFileError;
    } else {
        const VersionFile::Contents contents =
            VersionFile::read(Requests::latin1Text(outcome.body));
        remoteVersion = contents.version;
        installerUrl = contents.installerUrl;
    }
    waitingForInfo = false;
    emit versionFileHandled();
}

bool UpdateClass::downloadInstaller()
{
    if (QFile::exists(installerPath))
        QFile::remove(installerPath);
    downloadFile = new QFile(installerPath);
    if (!downloadFile->open(QIODevice::WriteOnly)) {
        MessageBoxes::information(
            boxParent(), tr("Downloader"),
            tr("Unable to save the file %1: %2.").arg(installerPath, downloadFile->errorString()));
        delete downloadFile;
        downloadFile = nullptr;
        return false;
    }

    downloadAborted = false;
    downloadError.clear();
    progressDialog = new QProgressDialog;
    progressDialog->setWindowTitle(tr("Downloader"));
    progressDialog->setLabelText(tr("Downloading new features & updates..."));
    progressDialog->setMinimumDuration(0);
    // The dialog ends when the download does, not when the bar happens to be full.
    progressDialog->setAutoClose(false);
    progressDialog->setAutoReset(false);
    connect(progressDialog, &QProgressDialog::canceled, this, &UpdateClass::cancelDownload);
    startDownload(Requests::get(*network, QUrl(installerUrl), Requests::Caps::Installer));
    progressDialog->exec();

    if (reply) {
        // The dialog went away while the download was still running (closed by the window
        // manager): treat it as a cancel.
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
        reply = nullptr;
        downloadAborted = true;
    }
    delete progressDialog;
    progressDialog = nullptr;

    if (downloadAborted) {
        discardDownloadFile();
        return false;
    }
    if (!downloadError.isEmpty()) {
        discardDownloadFile();
        MessageBoxes::information(boxParent(), tr("Download failed"),
                                  tr("The installer for Corvane %1 could not be downloaded: %2")
                                      .arg(remoteVersion, downloadError));
        return false;
    }
    delete downloadFile;
    downloadFile = nullptr;
    return true;
}

void UpdateClass::startDownload(QNetworkReply *next)
{
    reply = next;
    connect(reply, &QNetworkReply::readyRead, this, &UpdateClass::downloadReadyRead);
    connect(reply, &QNetworkReply::downloadProgress, this, &UpdateClass::downloadProgress);
    connect(reply, &QNetworkReply::finished, this, &UpdateClass::downloadFinished);
}

void UpdateClass::downloadReadyRead()
{
    if (downloadFile && downloadFile->isOpen() && reply)
        downloadFile->write(reply->readAll());
}

void UpdateClass::downloadProgress(qint64 bytesReceived, qint64 bytesTotal)
{
    if (downloadAborted || !progressDialog)
        return;
    // An unknown total (-1) shows a busy bar rather than nothing.
    progressDialog->setMaximum(int(qMax<qint64>(bytesTotal, 0)));
    progressDialog->setValue(int(bytesReceived));
}

void UpdateClass::cancelDownload()
{
    downloadAborted = true;
    if (reply)
        reply->abort();
}

void UpdateClass::downloadFinished()
{
    QNetworkReply *finished = reply;
    reply = nullptr;
    finished->deleteLater();
    if (!downloadAborted) {
        downloadReadyRead();
        // The body went into the file as it arrived.
        const Requests::ReplyOutcome outcome =
            Requests::finishReply(*network, finished, {.readBody = false});
        if (outcome.redirected()) {
            // A redirect's body is no installer: start the file again from the new address.
            downloadFile->resize(0);
            downloadFile->seek(0);
            startDownload(outcome.next);
            return;
        }
        if (outcome.redirectRefused) {
            downloadError = tr("too many redirects");
        } else if (outcome.failed()) {
            downloadError = outcome.errorText;
        } else {
            const QVariant length = finished->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid() && downloadFile->size() != length.toLongLong())
                downloadError = tr("the file arrived incomplete");
            else if (!downloadFile->flush())
                downloadError = downloadFile->errorString();
        }
    }
    if (downloadFile)
        downloadFile->close();
    if (progressDialog)
        progressDialog->hide();
}

void UpdateClass::discardDownloadFile()
{
    if (!downloadFile)
        return;
    downloadFile->close();
    downloadFile->remove();
    delete downloadFile;
    downloadFile = nullptr;
}
