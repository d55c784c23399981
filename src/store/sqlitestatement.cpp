#include "store/sqlitestatement.h"

#include <QLocale>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

sqlite3 *sqliteHandleOf(const QSqlDatabase &connection)
{
    if (!connection.isOpen() || !connection.driver())
        return nullptr;
    const QVariant handle = connection.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

SqliteStatement::SqliteStatement(sqlite3 *handle, QStringView sql) : database(handle)
{
    if (!database) {
        error = QStringLiteral("Driver not loaded");
        return;
    }
    // UTF-8 is what the store holds; handing SQLite UTF-16 would have it convert every text.
    const QByteArray utf8 = sql.toUtf8();
    const char *tail = nullptr;
    const int result =
        sqlite3_prepare_v2(database, utf8.constData(), int(utf8.size()), &statement, &tail);
    if (result != SQLITE_OK) {
        fail("Unable to prepare statement");
        return;
    }
    const QLatin1StringView rest(tail, utf8.constData() + utf8.size());
    if (!rest.trimmed().isEmpty()) {
        error = QStringLiteral("Unable to execute multiple statements at a time");
        sqlite3_finalize(statement);
        statement = nullptr;
    } else if (!statement) {
        error = QStringLiteral("No statement"); // only blanks or comments
    } else {
        boundText.resize(size_t(sqlite3_bind_parameter_count(statement)));
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(statement);
}

void SqliteStatement::fail(const char *context)
{
    error = QString::fromUtf8(sqlite3_errmsg(database)) + QLatin1Char(' ') +
            QString::fromLatin1(context);
}

SqliteStatement::Step SqliteStatement::step()
{
    if (!statement)
        return Step::Failed;
    switch (sqlite3_step(statement)) {
    case SQLITE_ROW:
        return Step::Row;
    case SQLITE_DONE:
        return Step::Done;
    default:
        fail("Unable to fetch row");
        // Leaves the statement so that a write that failed no longer holds its lock.
        sqlite3_reset(statement);
        return Step::Failed;
    }
}

bool SqliteStatement::execute()
{
    const Step result = step();
    reset();
    return result != Step::Failed;
}

void SqliteStatement::reset()
{
    if (statement)
        sqlite3_reset(statement);
}

void SqliteStatement::bindText(int index, QStringView text)
{
    if (index < 1 || size_t(index) > boundText.size())
        return;
    QByteArray &buffer = boundText[size_t(index - 1)];
    // Most values are plain ASCII (numbers, symbols, field names): copied in place.
    buffer.resize(text.size());
    char *out = buffer.data();
    bool ascii = true;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
        *out++ = char(c.unicode());
    }
    if (!ascii)
        buffer = text.toUtf8();
    // Static: the buffer stays as it is until this parameter is bound again.
    sqlite3_bind_text(statement, index, buffer.constData(), int(buffer.size()), SQLITE_STATIC);
}

void SqliteStatement::bindNull(int index)
{
    sqlite3_bind_null(statement, index);
}

int SqliteStatement::columnCount() const
{
    return statement ? sqlite3_column_count(statement) : 0;
}

void SqliteStatement::appendColumnText(QString &row, int column) const
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
        return;
    case SQLITE_INTEGER:
        row += QString::number(sqlite3_column_int64(statement, column));
        return;
    case SQLITE_FLOAT:
        // What QVariant(double).toString() gives: the shortest text that reads back the same.
        row += QString::number(sqlite3_column_double(statement, column), 'g',
                               QLocale::FloatingPointShortest);
        return;
    case SQLITE_BLOB: {
        const auto *bytes = static_cast<const char *>(sqlite3_column_blob(statement, column));
        row += QString::fromUtf8(bytes, sqlite3_column_bytes(statement, column));
        return;
    }
    default: {
        const auto *text = static_cast<const QChar *>(sqlite3_column_text16(statement, column));
        row.append(text, sqlite3_column_bytes16(statement, column) / qsizetype(sizeof(QChar)));
        return;
    }
    }
}

QString SqliteStatement::rowText() const
{
    QString row;
    const int count = columnCount();
    for (int column = 0; column < count; ++column) {
        if (column > 0)
            row += QLatin1Char('|');
        appendColumnText(row, column);
    }
    return row;
}
