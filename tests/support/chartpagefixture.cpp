#include "support/chartpagefixture.h"

#include "store/sqlquoting.h"

#include <QDate>
#include <QDateTime>

ChartPageFixture::ChartPageFixture()
{
    fixture.open();
    GDatabaseClass::setMainInstance(&fixture.store());
    store().ExecSQL(
        "INSERT INTO feeds (id, title, colour, feedURL, desc, lastUpdate, template, active) "
        "VALUES(1,'Company Headlines','steelblue','http://127.0.0.1:9/news?s=<SYMBOL>','',0,1,2)");
}

ChartPageFixture::~ChartPageFixture()
{
    hosts.clear();
    GDatabaseClass::setMainInstance(nullptr);
}

QWidget *ChartPageFixture::newHost(int width, int height)
{
    hosts.push_back(std::make_unique<QWidget>());
    hosts.back()->resize(width, height);
    return hosts.back().get();
}

void ChartPageFixture::addSymbol(const QString &symbol, const QString &company)
{
    store().ExecSQL(
        QStringLiteral("INSERT INTO symbols (symbol, companyName, exchange) VALUES(%1,%2,'NYQ')")
            .arg(sqlQuoted(symbol), sqlQuoted(company)));
}

void ChartPageFixture::addDailyHistory(const QString &symbol, int count, double firstClose,
                                       double step)
{
    const QDate first = QDate::currentDate().addDays(-count);
    store().ExecSQL("BEGIN TRANSACTION;");
    for (int i = 0; i < count; ++i) {
        const double close = firstClose + i * step;
        store().ExecSQL(QStringLiteral("INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) "
                                       "VALUES(%1,%2,%3,%4,%5,%6,%7)")
                            .arg(first.addDays(i).toString("yyyyMMdd"), sqlQuoted(symbol))
                            .arg(close - 0.5)
                            .arg(close + 1)
                            .arg(close - 1)
                            .arg(close)
                            .arg(1000000 + i));
    }
    store().ExecSQL("COMMIT;");
}

void ChartPageFixture::addNews(const QString &symbol, const QString &title, int daysAgo,
                               int minutes)
{
    const QDateTime when =
        QDateTime(QDate::currentDate().addDays(-daysAgo), QTime(12, 0)).addSecs(minutes * 60);
    store().ExecSQL(
        QStringLiteral(
            "INSERT OR IGNORE INTO newsItems (feedId, pubDate, title, desc, url, read, symbol) "
            "VALUES (1,%1,%2,'','http://news.example/%3',0,%4)")
            .arg(when.toMSecsSinceEpoch())
            .arg(sqlQuoted(title), QString(title).replace(' ', '-'), sqlQuoted(symbol)));
}
