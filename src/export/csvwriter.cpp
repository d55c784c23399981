#include "export/csvwriter.h"

#include <QBuffer>
#include <QIODevice>

#include <charconv>
#include <cmath>

namespace Csv {

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

qsizetype skipDigits(QStringView text, qsizetype at)
{
    while (at < text.size() && isDigit(text.at(at)))
        ++at;
    return at;
}

void appendQuoted(QByteArray &out, QStringView text)
{
    const QByteArray utf8 = text.toUtf8();
    const bool quote =
        utf8.contains(',') || utf8.contains('"') || utf8.contains('\n') || utf8.contains('\r');
    if (!quote) {
        out.append(utf8);
        return;
    }
    out.append('"');
    for (const char c : utf8) {
        if (c == '"')
            out.append('"');
        out.append(c);
    }
    out.append('"');
}

void appendText(QByteArray &out, QStringView text)
{
    if (needsFormulaGuard(text)) {
        QString guarded = QStringLiteral("'");
        guarded.append(text);
        appendQuoted(out, guarded);
    } else {
        appendQuoted(out, text);
    }
}

void appendNumber(QByteArray &out, double value)
{
    if (!std::isfinite(value))
        return;
    if (value == 0)
        value = 0; // no "-0"
    // Shortest round-trip digits in fixed notation: 0.1 stays 0.1, 1e20 is written out in full.
    char digits[400];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    out.append(digits, result.ptr - digits);
}

void appendInteger(QByteArray &out, qint64 value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr - digits);
}

void appendTwoDigits(QByteArray &out, int value)
{
    out.append(char('0' + value / 10)).append(char('0' + value % 10));
}

void appendDate(QByteArray &out, int year, int month, int day)
{
    if (year < 0 || year > 9999) {
        out.append(QDate(year, month, day).toString(Qt::ISODate).toLatin1());
        return;
    }
    appendTwoDigits(out, year / 100);
    appendTwoDigits(out, year % 100);
    out.append('-');
    appendTwoDigits(out, month);
    out.append('-');
    appendTwoDigits(out, day);
}

void appendDate(QByteArray &out, QDate date)
{
    if (!date.isValid())
        return;
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    appendDate(out, year, month, day);
}

void appendDateTime(QByteArray &out, const QDateTime &time)
{
    if (!time.isValid())
        return;
    appendDate(out, time.date());
    const QTime clock = time.time();
    out.append(' ');
    appendTwoDigits(out, clock.hour());
    out.append(':');
    appendTwoDigits(out, clock.minute());
    out.append(':');
    appendTwoDigits(out, clock.second());
}

} // namespace

bool readsAsNumber(QStringView text)
{
    qsizetype at = 0;
    if (at < text.size() && (text.at(at) == QLatin1Char('+') || text.at(at) == QLatin1Char('-')))
        ++at;
    const qsizetype integerStart = at;
    at = skipDigits(text, at);
    bool digits = at > integerStart;
    if (at < text.size() && text.at(at) == QLatin1Char('.')) {
        const qsizetype fractionStart = ++at;
        at = skipDigits(text, at);
        digits = digits || at > fractionStart;
    }
    if (!digits)
        return false;
    if (at < text.size() && (text.at(at) == QLatin1Char('e') || text.at(at) == QLatin1Char('E'))) {
        ++at;
        if (at < text.size() &&
            (text.at(at) == QLatin1Char('+') || text.at(at) == QLatin1Char('-')))
            ++at;
        const qsizetype exponentStart = at;
        at = skipDigits(text, at);
        if (at == exponentStart)
            return false;
    }
    if (at < text.size() && text.at(at) == QLatin1Char('%'))
        ++at;
    return at == text.size();
}

bool needsFormulaGuard(QStringView text)
{
    // A lone "-" is the usual mark of a missing value and no formula.
    if (text.isEmpty() || text == QLatin1String("-"))
        return false;
    switch (text.front().unicode()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
        return !readsAsNumber(text);
    default:
        return false;
    }
}

QByteArray textField(QStringView text)
{
    QByteArray out;
    appendText(out, text);
    return out;
}

QByteArray numberField(double value)
{
    QByteArray out;
    appendNumber(out, value);
    return out;
}

QByteArray dateField(QDate date)
{
    QByteArray out;
    appendDate(out, date);
    return out;
}

QByteArray dateTimeField(const QDateTime &time)
{
    QByteArray out;
    appendDateTime(out, time);
    return out;
}

Writer::Writer(QIODevice &target) : device(target)
{
    buffer.reserve(FlushBytes + 4096);
}

void Writer::begin(const QStringList &header)
{
    buffer.append(ByteOrderMark);
    for (const QString &name : header)
        text(name);
    buffer.append("\r\n");
    rowStarted = false;
}

void Writer::separate()
{
    if (rowStarted)
        buffer.append(',');
    rowStarted = true;
}

void Writer::text(QStringView value)
{
    separate();
    appendText(buffer, value);
}

void Writer::number(double value)
{
    separate();
    appendNumber(buffer, value);
}

void Writer::integer(qint64 value)
{
    separate();
    appendInteger(buffer, value);
}

void Writer::date(QDate value)
{
    separate();
    appendDate(buffer, value);
}

void Writer::date(int year, int month, int day)
{
    separate();
    if (QDate::isValid(year, month, day))
        appendDate(buffer, year, month, day);
}

void Writer::dateTime(const QDateTime &value)
{
    separate();
    appendDateTime(buffer, value);
}

void Writer::empty()
{
    separate();
}

void Writer::value(const QVariant &value)
{
    if (value.isNull()) {
        empty();
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        number(value.toDouble());
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Long:
    case QMetaType::Short:
        integer(value.toLongLong());
        break;
    case QMetaType::QDate:
        date(value.toDate());
        break;
    case QMetaType::QDateTime:
        dateTime(value.toDateTime());
        break;
    case QMetaType::QString:
        text(value.toString());
        break;
    default:
        text(value.toString());
        break;
    }
}

void Writer::endRow()
{
    buffer.append("\r\n");
    rowStarted = false;
    ++rows;
    if (buffer.size() >= FlushBytes)
        flush();
}

void Writer::table(const Table &table)
{
    begin(table.header);
    for (const QVariantList &row : table.rows) {
        for (const QVariant &field : row)
            value(field);
        endRow();
    }
}

bool Writer::flush()
{
    if (!writeFailed && !buffer.isEmpty())
        writeFailed = device.write(buffer) != buffer.size();
    buffer.clear();
    return !writeFailed;
}

QString Writer::errorString() const
{
    return device.errorString();
}

QByteArray toBytes(const Table &table)
{
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    Writer writer(device);
    writer.table(table);
    writer.flush();
    return bytes;
}

} // namespace Csv
