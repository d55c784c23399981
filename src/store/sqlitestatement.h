#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

struct sqlite3;
struct sqlite3_stmt;
class QSqlDatabase;

// The SQLite handle under a Qt connection, or null when the connection is closed or not SQLite.
// Qt's driver links the system SQLite this code links too, so the handle may be used directly
// on the thread that owns the connection.
sqlite3 *sqliteHandleOf(const QSqlDatabase &connection);

// One prepared statement on a connection's handle, finalized when it goes out of scope.
// Reading rows through it skips the QVariant per value that QSqlQuery builds; a statement that
// is prepared once and bound per row skips parsing the SQL again for every row.
class SqliteStatement
{
public:
    enum class Step
    {
        Row,
        Done,
        Failed
    };

    // Prepares the first statement of the text. Text after it other than blanks is refused, as
    // Qt's driver refuses it: one call runs one statement.
    SqliteStatement(sqlite3 *database, QStringView sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    bool isPrepared() const { return statement != nullptr; }
    QString errorText() const { return error; }

    Step step();
    // Runs a statement that returns no rows and makes it ready for the next values.
    bool execute();
    // Ready to run again with new values.
    void reset();

    // The value is copied (as UTF-8, the store's encoding) and stays bound until bound again.
    void bindText(int index, QStringView text);
    void bindNull(int index);

    int columnCount() const;
    // Appends the column as row strings show it: NULL as nothing, integers and reals as
    // QVariant::toString() renders them, blobs as UTF-8, text as stored.
    void appendColumnText(QString &row, int column) const;
    // The current row, its columns joined with "|".
    QString rowText() const;

private:
    void fail(const char *context);

    sqlite3 *database = nullptr;
    sqlite3_stmt *statement = nullptr;
    QString error;
    // One buffer per parameter, reused from row to row so that binding allocates nothing.
    std::vector<QByteArray> boundText;
};
