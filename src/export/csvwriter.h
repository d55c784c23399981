#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>

class QIODevice;

// Comma-separated files as spreadsheets read them: fields with a comma, a quote or a line break
// are enclosed in double quotes with inner quotes doubled, rows end with CRLF, text is UTF-8
// behind a byte order mark (without it one well-known spreadsheet reads the file as ANSI).
// Numbers are written bare with "." and every digit they need; dates are ISO 8601.
//
// Text that a spreadsheet would run as a formula (it starts with =, +, -, @, a tab or a carriage
// return, is more than a lone "-" and does not read as a plain number) gets a leading apostrophe,
// so a headline such as
// "=HYPERLINK(...)" arrives as the text it is. Every text field goes through this guard.
namespace Csv {

inline constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";

// True for text a spreadsheet reads as a plain number: an optional sign, digits with an optional
// decimal point (or a point and digits), an optional exponent and an optional trailing "%".
bool readsAsNumber(QStringView text);
// True when the text would be taken for a formula.
bool needsFormulaGuard(QStringView text);

// One encoded text field (guarded, quoted when it has to be).
QByteArray textField(QStringView text);
// The shortest text that reads back as the same double, never with an exponent; "-0" is "0".
// Not-a-number and infinities have no spreadsheet form and give an empty field.
QByteArray numberField(double value);
QByteArray dateField(QDate date);                // 2026-12-09
QByteArray dateTimeField(const QDateTime &time); // 2026-12-09 14:30:00, as given (local time)

// A whole table: the header row, then rows of values. A null or invalid value is an empty
// field; strings are text; integers and doubles are numbers; QDate and QDateTime are dates.
struct Table
{
    QStringList header;
    QList<QVariantList> rows;
};

// Writes rows to a device through a buffer. After a failed write nothing more is written and
// failed() tells; the caller discards the file then.
class Writer
{
public:
    explicit Writer(QIODevice &device);

    // The byte order mark and the header row.
    void begin(const QStringList &header);

    void text(QStringView value);
    void number(double value);
    void integer(qint64 value);
    void date(QDate value);
    // The same without building a QDate; an impossible day gives an empty field.
    void date(int year, int month, int day);
    void dateTime(const QDateTime &value);
    void empty();
    void value(const QVariant &value);
    void endRow();

    void table(const Table &table);

    // Hands the buffer to the device; false once any write failed.
    bool flush();
    bool failed() const { return writeFailed; }
    QString errorString() const;
    qint64 rowsWritten() const { return rows; }

    static constexpr qsizetype FlushBytes = 256 * 1024;

private:
    void separate();

    QIODevice &device;
    QByteArray buffer;
    bool rowStarted = false;
    bool writeFailed = false;
    qint64 rows = 0;
};

// The table as the bytes of a file.
QByteArray toBytes(const Table &table);

} // namespace Csv
