#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

class QFile;
class QNetworkAccessManager;
class QNetworkReply;
class QProgressDialog;
struct sqlite3;

// The local SQLite store in the profile folder ~/.corvane2: creates it, brings its schema up to
// date, fills an empty one on request, and runs the SQL of every page. Results come back as row
// strings: the column values of a row joined with "|".
class GDatabaseClass : public QObject
{
    Q_OBJECT

public:
    explicit GDatabaseClass(QObject *parent = nullptr);
    ~GDatabaseClass() override;

    // The instance the GUI thread uses, made reachable by the main window at start-up.
    static GDatabaseClass *mainInstance();
    static void setMainInstance(GDatabaseClass *store);
    // The main instance as a reference; without one, a closed store whose statements fail and
    // are logged, as against a store that could not be opened.
    static GDatabaseClass &mainStore();

    bool openDatabase();
    // For a second thread: opens a connection of its own to the same file, in the calling thread.
    void attachToConnection();

    QStringList GetSQLRecords(const QString &query);
    void ExecSQL(const QString &statement);
    QString GetSQL(const QString &query);
    // Runs the statements between "BEGIN TRANSACTION;" and "COMMIT;". Should one fail, the
    // transaction is rolled back and the store keeps what it had; returns whether all succeeded.
    // Every replace of stored rows goes through here, so a failure or a crash in the middle
    // never leaves the old rows gone and the new ones missing.
    bool runInTransaction(const QStringList &statements);
    // The same for work that runs its own statements on the connection's SQLite handle (bound
    // statements for bulk rows): committed when the work returns true, rolled back otherwise.
    // The work logs what failed in it.
    bool runInTransaction(const std::function<bool(sqlite3 *)> &work);
    // For such work: runs the statements in order and stops at the first that fails, logging
    // it; returns whether all succeeded.
    bool executeAll(const QStringList &statements);
    static QString stripSqlDelimiters(const QString &text);
    // Runs a script file in one transaction. A missing file ends the process (exit code 1).
    void runSqlFile(const QString &path);
    // Fetches the first-run data script; true when the whole file arrived.
    bool downloadDatabaseData();

    bool isOpen() const;
    QString connectionName() const;
    QString lastError() const { return lastErrorText; }

    static QString profileDirectory();
    static QString applicationVersion();

    static inline const QString ConnectionName = QStringLiteral("dbThread");

signals:
    // A symbol was added to or deleted from the symbol list, so pages that show one row or box
    // per symbol can follow without a restart.
    void symbolListChanged();

private slots:
    void downloadFinished();
    void downloadProgress(qint64 bytesReceived, qint64 bytesTotal);
    void downloadReadyRead();
    void cancelDownload();

private:
    bool openConnection(QSqlDatabase database);
    void applyConnectionSettings();
    void offerPopulation(const QString &dataPath);
    void discardDownloadFile(bool removeFromDisk);
    // Runs one statement (its first row, if any, is not read); on failure statementError says why.
    bool execute(QStringView sql);

    QString lastErrorText;
    QSqlDatabase connection;
    QString statementError; // of the last statement that failed
    QString databasePath;
    QString downloadPath;
    QProgressDialog *progressDialog = nullptr;
    bool downloadAborted = false;
    QFile *downloadFile = nullptr;
    QNetworkAccessManager *network = nullptr;
    QNetworkReply *reply = nullptr;

    bool downloadSucceeded = false;
    QString ownConnectionName; // set when this instance opened a connection for another thread
};
