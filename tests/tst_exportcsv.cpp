#include "export/csvwriter.h"
#include "support/exportfixture.h"

#include <QBuffer>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

// Each value in a row of its own under a one-column header, read back by the independent reader.
QStringList readBack(const QVariantList &values)
{
    Csv::Table table;
    table.header = {QStringLiteral("value")};
    for (const QVariant &value : values)
        table.rows << QVariantList{value, QStringLiteral("end")};
    const QList<QStringList> records = ExportFixture::readCsvBytes(Csv::toBytes(table));
    QStringList read;
    for (qsizetype row = 1; row < records.size(); ++row)
        read << records.at(row).value(0);
    return read;
}

// A device that takes a few bytes and then fails, like a full disk.
class FullDevice : public QIODevice
{
public:
    explicit FullDevice(qint64 room) : room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 length) override
    {
        if (length > room) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        room -= length;
        return length;
    }

private:
    qint64 room;
};

} // namespace

class ExportCsvTest : public QObject
{
    Q_OBJECT

private slots:
    void textFieldsReadBackUnchanged_data();
    void textFieldsReadBackUnchanged();
    void formulaTextIsGuardedButNumbersAreNot_data();
    void formulaTextIsGuardedButNumbersAreNot();
    void numbersAreShortestPlainDecimals_data();
    void numbersAreShortestPlainDecimals();
    void numbersReadBackAsTheSameDouble();
    void datesAreIso();
    void fileHasMarkHeaderAndCrlfRows();
    void emptyAndNullValuesGiveEmptyFields();
    void failedWriteIsReportedAndStopsWriting();
};

void ExportCsvTest::textFieldsReadBackUnchanged_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("plain") << QStringLiteral("Apple Inc") << QByteArray("Apple Inc");
    QTest::newRow("comma") << QStringLiteral("Apple, Inc.") << QByteArray("\"Apple, Inc.\"");
    QTest::newRow("quotes") << QStringLiteral("The \"Big\" one")
                            << QByteArray("\"The \"\"Big\"\" one\"");
    QTest::newRow("only a quote") << QStringLiteral("\"") << QByteArray("\"\"\"\"");
    QTest::newRow("line feed") << QStringLiteral("two\nlines") << QByteArray("\"two\nlines\"");
    QTest::newRow("carriage return") << QStringLiteral("a\rb") << QByteArray("\"a\rb\"");
    QTest::newRow("crlf") << QStringLiteral("a\r\nb,c") << QByteArray("\"a\r\nb,c\"");
    QTest::newRow("unicode") << QStringLiteral("Société Générale 日本 €5 😀")
                             << QStringLiteral("Société Générale 日本 €5 😀").toUtf8();
    QTest::newRow("spaces kept") << QStringLiteral("  padded  ") << QByteArray("  padded  ");
    QTest::newRow("pipe") << QStringLiteral("A|B") << QByteArray("A|B");
    QTest::newRow("semicolon") << QStringLiteral("a;b") << QByteArray("a;b");
}

void ExportCsvTest::textFieldsReadBackUnchanged()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, encoded);
    QCOMPARE(Csv::textField(text), encoded);
    QCOMPARE(readBack({text}), QStringList{text});
}

void ExportCsvTest::formulaTextIsGuardedButNumbersAreNot_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("read");
    QTest::newRow("equals") << QStringLiteral("=HYPERLINK(\"http://x\",\"y\")")
                            << QStringLiteral("'=HYPERLINK(\"http://x\",\"y\")");
    QTest::newRow("plus formula") << QStringLiteral("+A1*2") << QStringLiteral("'+A1*2");
    QTest::newRow("minus formula") << QStringLiteral("-2+3") << QStringLiteral("'-2+3");
    QTest::newRow("at") << QStringLiteral("@SUM(A1)") << QStringLiteral("'@SUM(A1)");
    QTest::newRow("tab") << QStringLiteral("\t=1") << QStringLiteral("'\t=1");
    QTest::newRow("carriage return") << QStringLiteral("\r=1") << QStringLiteral("'\r=1");
    QTest::newRow("unit after sign") << QStringLiteral("-583.2B") << QStringLiteral("'-583.2B");
    QTest::newRow("lone dash") << QStringLiteral("-") << QStringLiteral("-");
    QTest::newRow("lone plus") << QStringLiteral("+") << QStringLiteral("'+");
    QTest::newRow("negative number") << QStringLiteral("-0.40") << QStringLiteral("-0.40");
    QTest::newRow("signed percent") << QStringLiteral("+1.25%") << QStringLiteral("+1.25%");
    QTest::newRow("exponent") << QStringLiteral("-1.5e-3") << QStringLiteral("-1.5e-3");
    QTest::newRow("equals later") << QStringLiteral("a=b") << QStringLiteral("a=b");
    QTest::newRow("leading space") << QStringLiteral(" =1") << QStringLiteral(" =1");
}

void ExportCsvTest::formulaTextIsGuardedButNumbersAreNot()
{
    QFETCH(QString, text);
    QFETCH(QString, read);
    QCOMPARE(readBack({text}), QStringList{read});
}

void ExportCsvTest::numbersAreShortestPlainDecimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("integer") << 1500.0 << QByteArray("1500");
    QTest::newRow("tenth") << 0.1 << QByteArray("0.1");
    QTest::newRow("sum with noise") << 0.1 + 0.2 << QByteArray("0.30000000000000004");
    QTest::newRow("negative") << -12.5 << QByteArray("-12.5");
    QTest::newRow("negative zero") << -0.0 << QByteArray("0");
    QTest::newRow("large") << 1e20 << QByteArray("100000000000000000000");
    QTest::newRow("small") << 1.5e-7 << QByteArray("0.00000015");
    QTest::newRow("price") << 583.21 << QByteArray("583.21");
    QTest::newRow("not a number") << std::nan("") << QByteArray();
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << QByteArray();
}

void ExportCsvTest::numbersAreShortestPlainDecimals()
{
    QFETCH(double, value);
    QFETCH(QByteArray, field);
    QCOMPARE(Csv::numberField(value), field);
}

void ExportCsvTest::numbersReadBackAsTheSameDouble()
{
    const QList<double> values{1.0 / 3,       2.0 / 3 * 1e9, 123456789.123456789,
                               9.87654321e-5, -0.015625,     1234567890123.25};
    QVariantList variants;
    for (const double value : values)
        variants << value;
    const QStringList read = readBack(variants);
    QCOMPARE(read.size(), values.size());
    for (qsizetype index = 0; index < values.size(); ++index) {
        QVERIFY2(!read.at(index).contains(QLatin1Char('e')), qPrintable(read.at(index)));
        QCOMPARE(read.at(index).toDouble(), values.at(index));
    }
    QCOMPARE(readBack({QVariant(qint64(9007199254740993))}),
             QStringList{QStringLiteral("9007199254740993")});
}

void ExportCsvTest::datesAreIso()
{
    QCOMPARE(Csv::dateField(QDate(2026, 3, 7)), QByteArray("2026-03-07"));
    QCOMPARE(Csv::dateField(QDate(987, 12, 31)), QByteArray("0987-12-31"));
    QCOMPARE(Csv::dateTimeField(QDateTime(QDate(2026, 12, 9), QTime(9, 5, 3))),
             QByteArray("2026-12-09 09:05:03"));
    QCOMPARE(Csv::dateField(QDate()), QByteArray());
}

void ExportCsvTest::fileHasMarkHeaderAndCrlfRows()
{
    Csv::Table table;
    table.header = {QStringLiteral("Symbol"), QStringLiteral("Close")};
    table.rows << QVariantList{QStringLiteral("AAPL"), 150.25}
               << QVariantList{QStringLiteral("BRK.B"), 412.0};
    QCOMPARE(Csv::toBytes(table),
             QByteArray("\xEF\xBB\xBFSymbol,Close\r\nAAPL,150.25\r\nBRK.B,412\r\n"));
}

void ExportCsvTest::emptyAndNullValuesGiveEmptyFields()
{
    Csv::Table table;
    table.header = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    table.rows << QVariantList{QVariant(), QString(), QString(QStringLiteral(""))}
               << QVariantList{QStringLiteral("x"), QVariant(QMetaType(QMetaType::Double)),
                               QStringLiteral("y")};
    const QByteArray bytes = Csv::toBytes(table);
    QVERIFY(bytes.endsWith("\r\n,,\r\nx,,y\r\n"));
    const QList<QStringList> records = ExportFixture::readCsvBytes(bytes);
    QCOMPARE(records.size(), 3);
    QCOMPARE(records.at(1), QStringList({QString(), QString(), QString()}));
    QCOMPARE(records.at(2), QStringList({QStringLiteral("x"), QString(), QStringLiteral("y")}));
}

void ExportCsvTest::failedWriteIsReportedAndStopsWriting()
{
    FullDevice device(100);
    Csv::Writer writer(device);
    writer.begin({QStringLiteral("text")});
    for (int row = 0; row < 1000; ++row) {
        writer.text(QStringLiteral("a fairly long line of text number %1").arg(row));
        writer.endRow();
    }
    QVERIFY(!writer.flush());
    QVERIFY(writer.failed());
    QCOMPARE(writer.errorString(), QStringLiteral("No space left on device"));
}

QTEST_MAIN(ExportCsvTest)
#include "tst_exportcsv.moc"
