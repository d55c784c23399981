#include "store/gdatabaseclass.h"

#include "common/messageboxes.h"
#include "common/requests.h"
#include "common/serviceaddresses.h"
#include "store/settingskeys.h"
#include "store/sqlitestatement.h"
#include "store/sqlquoting.h"
#include "store/sqlscript.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProgressDialog>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QThread>

#include <cstdlib>

namespace {

GDatabaseClass *guiThreadStore = nullptr;

QString uniqueThreadConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("%1-%2")
        .arg(GDatabaseClass::ConnectionName)
        .arg(counter.fetchAndAddRelaxed(1) + 1);
}

} // namespace

GDatabaseClass::GDatabaseClass(QObject *parent) : QObject(parent) {}

GDatabaseClass::~GDatabaseClass()
{
    qDebug() << "GDatabaseClass destructor called.";
    if (!ownConnectionName.isEmpty()) {
        connection.close();
        connection = QSqlDatabase();
        QSqlDatabase::removeDatabase(ownConnectionName);
    }
    if (guiThreadStore == this)
        guiThreadStore = nullptr;
}

GDatabaseClass *GDatabaseClass::mainInstance()
{
    return guiThreadStore;
}

void GDatabaseClass::setMainInstance(GDatabaseClass *store)
{
    guiThreadStore = store;
}

GDatabaseClass &GDatabaseClass::mainStore()
{
    static GDatabaseClass closed;
    return guiThreadStore ? *guiThreadStore : closed;
}

QString GDatabaseClass::profileDirectory()
{
    return QDir::homePath() + QStringLiteral("/.corvane2");
}

QString GDatabaseClass::applicationVersion()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral(CORVANE_VERSION) : version;
}

bool GDatabaseClass::isOpen() const
{
    return connection.isOpen();
}

QString GDatabaseClass::connectionName() const
{
    return connection.connectionName();
}

bool GDatabaseClass::openDatabase()
{
    QDir home = QDir::home();
    if (!QFileInfo::exists(profileDirectory()) && !home.mkdir(QStringLiteral(".corvane2"))) {
        qDebug() << "Error creating profile directory.";
        return false;
    }
    databasePath = QDir::toNativeSeparators(QDir::homePath()) + QDir::separator() +
                   QStringLiteral(".corvane2") + QDir::separator() + QStringLiteral("mydb.db3");

    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        qDebug() << "Error: QSQLITE driver not available";
        return false;
    }
    // Opening again (a second window, a test) reuses the registered connection.
    QSqlDatabase database =
        QSqlDatabase::contains(ConnectionName)
            ? QSqlDatabase::database(ConnectionName, false)
            : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ConnectionName);
    database.close();
    database.setDatabaseName(databasePath);
    if (!openConnection(database)) {
        qDebug() << "Couldn't db.open()";
        MessageBoxes::critical(nullptr, tr("Cannot open database"), lastErrorText,
                               QMessageBox::Cancel);
        return false;
    }

    const QString tablesPath =
        QDir::currentPath() + QDir::separator() + QStringLiteral("Tables.txt");
    const QString dataPath =
        QStringLiteral("%1/.corvane2/Data.txt").arg(QDir::home().absolutePath());

    const QStringList stored =
        GetSQLRecords(SettingsKeys::selectStatement(SettingsKeys::SchemaVersion));
    if (!stored.isEmpty() && stored.first() == applicationVersion()) {
        // The version stays the same across builds, so a table a newer build added would never
        // reach an existing profile. The schema script only creates what is missing.
        if (QFileInfo::exists(tablesPath))
            runSqlFile(tablesPath);
        if (SettingsKeys::read(*this, SettingsKeys::PopulationPending) == QLatin1String("1") &&
            GetSQLRecords(QStringLiteral("SELECT * FROM symbols")).isEmpty())
            offerPopulation(dataPath);
        return true;
    }

    runSqlFile(tablesPath);
    ExecSQL(SettingsKeys::writeStatement(SettingsKeys::SchemaVersion, applicationVersion()));

    if (GetSQLRecords(QStringLiteral("SELECT * FROM symbols")).isEmpty())
        offerPopulation(dataPath);
    return true;
}

bool GDatabaseClass::openConnection(QSqlDatabase database)
{
    connection = database;
    if (!connection.open()) {
        lastErrorText = connection.lastError().text();
        return false;
    }
    applyConnectionSettings();
    return true;
}

void GDatabaseClass::applyConnectionSettings()
{
    // WAL lets the news worker write while the pages read; the busy timeout makes a writer wait
    // for the other connection instead of failing with "database is locked".
    QSqlQuery pragma(connection);
    pragma.exec(QStringLiteral("PRAGMA busy_timeout=5000"));
    pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    pragma.exec(QStringLiteral("PRAGMA cache_size=-16384"));
}

void GDatabaseClass::offerPopulation(const QString &dataPath)
{
    const auto answer = MessageBoxes::information(
        nullptr, tr("Populate Database?"),
        tr("Do you want to populate your database with the latest data?\nThis action is highly "
           "recommended for new users."),
        QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        // Asked again at the next start until a population has succeeded: a failed or cancelled
        // download must not leave the store empty for good.
        SettingsKeys::write(*this, SettingsKeys::PopulationPending, QStringLiteral("1"));
        // Only a complete download is run: a partial script would leave a half-filled store, and
        // a missing one would end the process.
        if (downloadDatabaseData())
            runSqlFile(dataPath);
        if (!GetSQLRecords(QStringLiteral("SELECT symbol FROM symbols LIMIT 1")).isEmpty())
            SettingsKeys::write(*this, SettingsKeys::PopulationPending, QStringLiteral("0"));
        return;
    }
    // A "No" is the user's choice, and the box below tells how to change it.
    SettingsKeys::write(*this, SettingsKeys::PopulationPending, QStringLiteral("0"));
    MessageBoxes::information(
        nullptr, tr("Empty DB."),
        tr("You chose to not fill your db. To reverse this, simply delete the "
           "database in the home directory.\nYour program will be very bare "
           "until you populate the database."));
}

void GDatabaseClass::attachToConnection()
{
    // Qt connections belong to the thread that opened them, so a worker thread gets its own
    // connection to the same file instead of sharing the GUI thread's.
    ownConnectionName = uniqueThreadConnectionName();
    QSqlDatabase database;
    if (QSqlDatabase::contains(ConnectionName)) {
        database = QSqlDatabase::cloneDatabase(ConnectionName, ownConnectionName);
    } else {
        database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ownConnectionName);
        database.setDatabaseName(
            QDir::toNativeSeparators(profileDirectory() + QStringLiteral("/mydb.db3")));
    }
    databasePath = database.databaseName();
    if (!openConnection(database))
        qDebug() << "attachToConnection: " << lastErrorText;
}

QStringList GDatabaseClass::GetSQLRecords(const QString &query)
{
    QStringList rows;
    if (query.isEmpty()) {
        qDebug() << "Empty Query.";
        return rows;
    }
    SqliteStatement statement(sqliteHandleOf(connection), query);
    SqliteStatement::Step step = SqliteStatement::Step::Failed;
    while (statement.isPrepared() && (step = statement.step()) == SqliteStatement::Step::Row)
        rows.append(statement.rowText());
    if (step == SqliteStatement::Step::Failed)
        qDebug().noquote() << "GetSQLRecords: " + statement.errorText() + "\n" + query;
    return rows;
}

void GDatabaseClass::ExecSQL(const QString &statement)
{
    if (statement.isEmpty())
        return;
    if (!execute(statement))
        qDebug().noquote() << "ExecSQL: " + statementError + "\n" + statement;
}

bool GDatabaseClass::execute(QStringView sql)
{
    SqliteStatement statement(sqliteHandleOf(connection), sql);
    if (statement.isPrepared() && statement.step() != SqliteStatement::Step::Failed)
        return true;
    statementError = statement.errorText();
    return false;
}

QString GDatabaseClass::GetSQL(const QString &query)
{
    QString value;
    SqliteStatement statement(sqliteHandleOf(connection), query);
    const SqliteStatement::Step step =
        statement.isPrepared() ? statement.step() : SqliteStatement::Step::Failed;
    if (step == SqliteStatement::Step::Row)
        statement.appendColumnText(value, 0);
    else if (step == SqliteStatement::Step::Failed)
        qDebug().noquote() << "GetSQL: " + statement.errorText() + "\n" + query;
    return value;
}

bool GDatabaseClass::runInTransaction(const QStringList &statements)
{
    return runInTransaction([this, &statements](sqlite3 *) { return executeAll(statements); });
}

bool GDatabaseClass::executeAll(const QStringList &statements)
{
    for (const QString &statement : statements) {
        if (!execute(statement)) {
            qDebug().noquote() << "runInTransaction: " + statementError + "\n" +
                                      statement.left(500);
            return false;
        }
    }
    return true;
}

bool GDatabaseClass::runInTransaction(const std::function<bool(sqlite3 *)> &work)
{
    if (!execute(u"BEGIN TRANSACTION;")) {
        qDebug().noquote() << "runInTransaction: " + statementError;
        return false;
    }
    // The work logs what failed in it.
    const bool done = work(sqliteHandleOf(connection));
    if (done && execute(u"COMMIT;"))
        return true;
    if (done)
        qDebug().noquote() << "runInTransaction: " + statementError;
    execute(u"ROLLBACK;");
    return false;
}

QString GDatabaseClass::stripSqlDelimiters(const QString &text)
{
    return ::stripSqlDelimiters(text);
}

void GDatabaseClass::runSqlFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "Couldn't data.open.";
        MessageBoxes::critical(nullptr, tr("DB Error!"),
                               tr("Couldn't open file for DB action: ") + path);
        std::exit(1);
    }
    QStringList lines;
    QTextStream stream(&file);
    while (!stream.atEnd())
        lines << stream.readLine();
    file.close();

    ExecSQL(QStringLiteral("BEGIN TRANSACTION;"));
    for (const QString &statement : sqlScriptStatements(lines))
        ExecSQL(statement);
    ExecSQL(QStringLiteral("COMMIT;"));
}

bool GDatabaseClass::downloadDatabaseData()
{
    const QUrl url = ServiceAddresses::url(ServiceAddresses::Service::Vendor,
                                           QStringLiteral("/Downloads/Data.txt"));
    downloadPath = QStringLiteral("%1/.corvane2/%2")
                       .arg(QDir::home().absolutePath(), QFileInfo(url.path()).fileName());

    if (QFile::exists(downloadPath))
        QFile::remove(downloadPath);
    downloadFile = new QFile(downloadPath);
    if (!downloadFile->open(QIODevice::WriteOnly)) {
        MessageBoxes::information(
            nullptr, tr("Downloader"),
            tr("Unable to save the file %1: %2.").arg(downloadPath, downloadFile->errorString()));
        discardDownloadFile(false);
        return false;
    }

    downloadAborted = false;
    downloadSucceeded = false;
    network = new QNetworkAccessManager(this);
    progressDialog = new QProgressDialog();
    reply = Requests::get(*network, url, Requests::Caps::DataScript);
    connect(reply, &QNetworkReply::readyRead, this, &GDatabaseClass::downloadReadyRead);
    connect(reply, &QNetworkReply::downloadProgress, this, &GDatabaseClass::downloadProgress);
    connect(reply, &QNetworkReply::finished, this, &GDatabaseClass::downloadFinished);
    connect(progressDialog, &QProgressDialog::canceled, this, &GDatabaseClass::cancelDownload);
    progressDialog->setLabelText(tr("Downloading latest database..."));
    progressDialog->exec();

    if (reply) {
        // The dialog went away without the download ending (closed by the window manager).
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
        reply = nullptr;
        discardDownloadFile(true);
        downloadSucceeded = false;
    }
    delete progressDialog;
    progressDialog = nullptr;
    network->deleteLater();
    network = nullptr;
    return downloadSucceeded;
}

void GDatabaseClass::downloadReadyRead()
{
    if (downloadFile && downloadFile->isOpen())
        downloadFile->write(reply->readAll());
}

void GDatabaseClass::downloadProgress(qint64 bytesReceived, qint64 bytesTotal)
{
    if (downloadAborted || !progressDialog)
        return;
    progressDialog->setMaximum(int(bytesTotal));
    progressDialog->setValue(int(bytesReceived));
}

void GDatabaseClass::cancelDownload()
{
    downloadAborted = true;
    if (reply)
        reply->abort();
}

void GDatabaseClass::downloadFinished()
{
    QNetworkReply *finished = reply;
    if (downloadAborted) {
        discardDownloadFile(true);
        finished->deleteLater();
        reply = nullptr;
        if (progressDialog)
            progressDialog->hide();
        return;
    }

    downloadReadyRead();
    // The body went into the file as it arrived.
    const Requests::ReplyOutcome outcome =
        Requests::finishReply(*network, finished, {.readBody = false});
    if (outcome.redirected()) {
        // The body of a redirect is no script: start the file again from the new address.
        downloadFile->resize(0);
        downloadFile->seek(0);
        finished->deleteLater();
        reply = outcome.next;
        connect(reply, &QNetworkReply::readyRead, this, &GDatabaseClass::downloadReadyRead);
        connect(reply, &QNetworkReply::downloadProgress, this, &GDatabaseClass::downloadProgress);
        connect(reply, &QNetworkReply::finished, this, &GDatabaseClass::downloadFinished);
        return;
    }

    if (progressDialog)
        progressDialog->hide();
    downloadFile->flush();
    downloadFile->close();
    QString failure;
    if (outcome.exceededCap)
        failure = tr("the file is larger than %1 MB")
                      .arg(Requests::Caps::DataScript.bytes / Requests::Caps::MiB);
    else if (outcome.redirectRefused)
        failure = tr("redirect not followed");
    else if (outcome.failed())
        failure = outcome.errorText;
    if (!failure.isEmpty()) {
        MessageBoxes::information(nullptr, tr("Download failed"), tr("Failed: %1").arg(failure));
        discardDownloadFile(true);
    } else {
        downloadSucceeded = true;
        discardDownloadFile(false);
    }
    finished->deleteLater();
    reply = nullptr;
}

void GDatabaseClass::discardDownloadFile(bool removeFromDisk)
{
    if (!downloadFile)
        return;
    downloadFile->close();
    if (removeFromDisk)
        downloadFile->remove();
    delete downloadFile;
    downloadFile = nullptr;
}
