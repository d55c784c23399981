#include "support/exportfixture.h"

#include "store/sqlquoting.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryFile>
#include <QTest>

namespace {

const char *const Reader = R"(import csv, json, sys
with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:
    print(json.dumps(list(csv.reader(f, strict=True))))
)";

} // namespace

ExportFixture::ExportFixture()
{
    ExportPrompts::setSaveAnswerer([this](const ExportPrompts::SaveRequest &request) {
        requests << request;
        return ExportPrompts::SaveChoice{savePath, saveCompanion};
    });
    ExportPrompts::setSymbolAnswerer([this](const QStringList &symbols) {
        offered = symbols;
        return symbol;
    });
}

ExportFixture::~ExportFixture()
{
    ExportPrompts::setSaveAnswerer({});
    ExportPrompts::setSymbolAnswerer({});
}

void ExportFixture::answerSave(const QString &path, bool companion)
{
    savePath = path;
    saveCompanion = companion;
}

void ExportFixture::answerSymbol(const QString &answer)
{
    symbol = answer;
}

bool ExportFixture::addDailyHistory(const QString &symbol, int rows, QDate first)
{
    QStringList statements;
    QString insert;
    for (int row = 0; row < rows; ++row) {
        const QDate day = first.addDays(row);
        const double close = 10 + row / 100.0;
        insert += QStringLiteral("%1(%2,%3,%4,%5,%6,%7,%8)")
                      .arg(insert.isEmpty() ? QString() : QStringLiteral(","))
                      .arg(day.toString(QStringLiteral("yyyyMMdd")), sqlQuoted(symbol))
                      .arg(close - 0.5, 0, 'f', 2)
                      .arg(close + 1, 0, 'f', 2)
                      .arg(close - 1, 0, 'f', 2)
                      .arg(close, 0, 'f', 2)
                      .arg(1000 + row);
        if (insert.size() > 100000 || row == rows - 1) {
            statements << QStringLiteral(
                              "INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) VALUES") +
                              insert;
            insert.clear();
        }
    }
    return store().runInTransaction(statements);
}

void ExportFixture::addHistoryRow(const QString &symbol, qint64 date, const QString &open,
                                  const QString &high, const QString &low, const QString &close,
                                  const QString &volume)
{
    store().ExecSQL(QStringLiteral("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
                                   "VALUES (%1,%2,%3,%4,%5,%6,%7)")
                        .arg(date)
                        .arg(sqlQuoted(symbol), open, high, low, close, volume));
}

void ExportFixture::addFeed(int id, const QString &title)
{
    store().ExecSQL(QStringLiteral("INSERT INTO feeds (id, title, colour, feedURL, desc) "
                                   "VALUES (%1,%2,'red','https://feeds.example/x','')")
                        .arg(id)
                        .arg(sqlQuoted(title)));
}

void ExportFixture::addHeadline(int feedId, const QString &symbol, qint64 pubDateMs,
                                const QString &title, const QString &url)
{
    store().ExecSQL(QStringLiteral("INSERT INTO newsItems (feedId, pubDate, title, desc, url, "
                                   "read, symbol) VALUES (%1,%2,%3,'',%4,0,%5)")
                        .arg(feedId)
                        .arg(pubDateMs)
                        .arg(sqlQuoted(title), sqlQuoted(url), sqlQuoted(symbol)));
}

void ExportFixture::addReport(qint64 pubDateMs, const QString &title, const QString &category,
                              const QString &url)
{
    store().ExecSQL(QStringLiteral("INSERT INTO marketWraps (pubDate, title, desc, url, content, "
                                   "read, category) VALUES (%1,%2,'',%3,'',0,%4)")
                        .arg(pubDateMs)
                        .arg(sqlQuoted(title), sqlQuoted(url), sqlQuoted(category)));
}

QList<QStringList> ExportFixture::readCsv(const QString &path)
{
    QList<QStringList> records;
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"), QString::fromLatin1(Reader), path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        QTest::qFail(qPrintable(QStringLiteral("the CSV reader rejected %1: %2")
                                    .arg(path, QString::fromUtf8(python.readAllStandardError()))),
                     __FILE__, __LINE__);
        return records;
    }
    const QJsonArray rows = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    for (const QJsonValue &row : rows) {
        QStringList fields;
        for (const QJsonValue &field : row.toArray())
            fields << field.toString();
        records << fields;
    }
    return records;
}

QList<QStringList> ExportFixture::readCsvBytes(const QByteArray &bytes)
{
    QTemporaryFile file;
    if (!file.open())
        return {};
    file.write(bytes);
    file.close();
    return readCsv(file.fileName());
}

QByteArray ExportFixture::fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
