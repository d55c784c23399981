#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>

class QFile;
class QNetworkAccessManager;
class QNetworkReply;
class QProgressDialog;

// Asks the vendor's download server whether a newer Corvane exists. If so, and the user agrees,
// it downloads the installer into the profile folder with a progress dialog, starts it and ends
// Corvane. Constructed during start-up, where the whole check runs (the wait for the version file
// is bounded, so start-up never hangs); the "Update" menu entry runs it again on demand.
class UpdateClass : public QWidget
{
    Q_OBJECT

public:
    explicit UpdateClass(QWidget *parent = nullptr);

    enum class Outcome
    {
        Unreachable,   // no version file
        UpToDate,      // nothing newer
        Declined,      // newer, the user said no
        NotDownloaded, // newer, but no installer arrived (cancelled, failed, not savable)
        InstallerStarted
    };

    // Runs the check. On demand, "up to date" and an unreachable server are said in a box too.
    Outcome check(bool onDemand);

    static QUrl versionFileUrl();

    // What starts a downloaded installer. The default starts it as a process of its own and ends
    // Corvane; tests put a recorder in its place. Returns false when it could not be started.
    using InstallerStarter = std::function<bool(const QString &path)>;
    static void setInstallerStarter(InstallerStarter starter);

public slots:
    void replyFinished();
    void downloadFinished();
    void downloadProgress(qint64 bytesReceived, qint64 bytesTotal);
    void downloadReadyRead();
    void cancelDownload();

signals:
    void versionFileHandled();

private:
    QWidget *boxParent();
    bool fetchVersionFile();
    bool downloadInstaller();
    void startDownload(QNetworkReply *next);
    void discardDownloadFile();

    QNetworkAccessManager *network = nullptr;
    bool waitingForInfo = false;
    QString installerUrl;
    QString remoteVersion;
    QProgressDialog *progressDialog = nullptr;
    bool downloadAborted = false;
    QFile *downloadFile = nullptr;
    QNetworkReply *reply = nullptr;
    QString installerPath;

    QString versionFileError;
    QString downloadError;
};
