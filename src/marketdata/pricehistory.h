#pragma once

#include <QList>
#include <QString>
#include <QUrl>

class GDatabaseClass;
class QNetworkAccessManager;
class QNetworkReply;

// Price history of one symbol from the history service's chart endpoint into qData. The chart
// page sends the request with request() and hands each finished reply to handleReply().
namespace PriceHistory {

// The range value of a time-frame index: 0 "1d", 1 "5d", 2 "3m", 3 "6m", 4 "12m", 5 "2y",
// 6 "5y", 7 "my"; any other index gives an empty value.
QString rangeCode(int timeFrameIndex);

// The chart endpoint address; the symbol is percent-encoded as one path segment.
QUrl requestUrl(const QString &symbol, int timeFrameIndex);

// The symbol a chart endpoint address asks for (decoded), or an empty text.
QString symbolOfUrl(const QUrl &url);

// One data line, every field as the service sent it.
struct Row
{
    QString date;
    QString open;
    QString high;
    QString low;
    QString close;
    QString volume;
};

struct Parsed
{
    QList<Row> rows;
    int rejectedLines = 0; // data lines with a missing or non-numeric field
};

// The data lines of a reply. The header runs up to and including the first line whose first
// comma-separated field contains "volume". A "values:" header line names the columns; without
// one the fields are taken as date, open, high, low, close, volume.
Parsed parseReply(const QString &text);

// Replaces the symbol's rows in qData with the rows, in one transaction. No rows replace nothing:
// a reply that did not parse never costs the user the history already stored. Returns whether
// the rows were stored.
bool store(GDatabaseClass &store, const QString &symbol, const QList<Row> &rows);

// Sends the request; the reply remembers the symbol it was made for, across redirects too.
QNetworkReply *request(QNetworkAccessManager &manager, const QString &symbol, int timeFrameIndex);

enum class Outcome
{
    Failed,
    Redirected,
    Stored
};

struct ReplyResult
{
    Outcome outcome = Outcome::Failed;
    QString symbol;                // the symbol the request was made for
    QNetworkReply *next = nullptr; // the follow-up request of a redirect
    int rowsStored = 0;
};

// Handles a finished reply: a network error stores nothing, a redirect is followed (the caller
// connects `next` like the first reply), a reply with data rows replaces the symbol's rows, one
// without (an error page, the answer for an unknown symbol) keeps them. The caller redraws and
// deletes the reply afterwards.
ReplyResult handleReply(GDatabaseClass &store, QNetworkAccessManager &manager,
                        QNetworkReply *reply);

} // namespace PriceHistory
