#include "marketdata/pricehistory.h"

#include "common/requests.h"
#include "common/serviceaddresses.h"
#include "store/gdatabaseclass.h"
#include "store/sqlitestatement.h"
#include "store/sqlquoting.h"

#include <QDebug>
#include <QNetworkReply>
#include <QStringList>

namespace PriceHistory {

namespace {

const char *const SymbolProperty = "corvaneHistorySymbol";
const QString PathStart = QStringLiteral("/instrument/1.0/");

// Column of each stored value in a data line.
struct Columns
{
    int date = 0;
    int open = 1;
    int high = 2;
    int low = 3;
    int close = 4;
    int volume = 5;
};

// "values:Date,close,high,low,open,volume" names the columns of the data lines.
Columns columnsOf(const QString &valuesLine)
{
    Columns columns;
    QStringList names =
        valuesLine.mid(valuesLine.indexOf(QLatin1Char(':')) + 1).split(QLatin1Char(','));
    for (int i = 0; i < names.size(); ++i) {
        const QString name = names.at(i).trimmed().toLower();
        if (name == QLatin1String("date") || name == QLatin1String("timestamp"))
            columns.date = i;
        else if (name == QLatin1String("open"))
            columns.open = i;
        else if (name == QLatin1String("high"))
            columns.high = i;
        else if (name == QLatin1String("low"))
            columns.low = i;
        else if (name == QLatin1String("close"))
            columns.close = i;
        else if (name == QLatin1String("volume"))
            columns.volume = i;
    }
    return columns;
}

// The plain decimals the service sends are checked here without the general pattern, which is
// far slower over a long history; anything else is left to isSqlNumber.
bool isNumber(QStringView text)
{
    qsizetype i = 0;
    if (!text.isEmpty() && (text.front() == QLatin1Char('-') || text.front() == QLatin1Char('+')))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits = true;
        else if (c == QLatin1Char('.') && !point)
            point = true;
        else
            return isSqlNumber(text.toString());
    }
    return digits;
}

bool readRow(QStringView line, const Columns &columns, Row &row)
{
    const QList<QStringView> fields = line.split(QLatin1Char(','));
    auto field = [&fields](int index) {
        return index < fields.size() ? fields.at(index).trimmed() : QStringView();
    };
    const QStringView values[] = {field(columns.date), field(columns.open),  field(columns.high),
                                  field(columns.low),  field(columns.close), field(columns.volume)};
    // Only numbers are stored: a line holding anything else is malformed.
    for (const QStringView value : values) {
        if (!isNumber(value))
            return false;
    }
    row = Row{values[0].toString(), values[1].toString(), values[2].toString(),
              values[3].toString(), values[4].toString(), values[5].toString()};
    return true;
}

} // namespace

QString rangeCode(int timeFrameIndex)
{
    static const char *const codes[] = {"1d", "5d", "3m", "6m", "12m", "2y", "5y", "my"};
    if (timeFrameIndex < 0 || timeFrameIndex >= int(std::size(codes)))
        return {};
    return QString::fromLatin1(codes[timeFrameIndex]);
}

QUrl requestUrl(const QString &symbol, int timeFrameIndex)
{
    const QString path = PathStart + QString::fromLatin1(QUrl::toPercentEncoding(symbol)) +
                         QStringLiteral("/chartdata;type=quote;range=") +
                         rangeCode(timeFrameIndex) + QStringLiteral("/csv/");
    return ServiceAddresses::url(ServiceAddresses::Service::History, path);
}

QString symbolOfUrl(const QUrl &url)
{
    const QString path = url.path(QUrl::FullyEncoded);
    const qsizetype start = path.indexOf(PathStart);
    if (start < 0)
        return {};
    const qsizetype from = start + PathStart.size();
    const qsizetype end = path.indexOf(QLatin1Char('/'), from);
    return QUrl::fromPercentEncoding(path.mid(from, end < 0 ? -1 : end - from).toUtf8());
}

Parsed parseReply(const QString &text)
{
    Parsed parsed;
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    Columns columns;
    qsizetype first = 0;
    bool headerEnded = false;
    for (; first < lines.size(); ++first) {
        const QStringView line = lines.at(first);
        if (line.startsWith(QLatin1String("values:")))
            columns = columnsOf(line.toString());
        const qsizetype comma = line.indexOf(QLatin1Char(','));
        if (line.left(comma < 0 ? line.size() : comma).contains(QLatin1String("volume"))) {
            ++first;
            headerEnded = true;
            break;
        }
    }
    if (!headerEnded)
        return parsed;
    parsed.rows.reserve(lines.size() - first);
    for (qsizetype i = first; i < lines.size(); ++i) {
        const QStringView line = lines.at(i);
        // The text after the final line break is normally empty; a complete line there is kept.
        if (i == lines.size() - 1 && line.trimmed().isEmpty())
            break;
        Row row;
        if (readRow(line, columns, row)) {
            parsed.rows.append(std::move(row));
        } else {
            ++parsed.rejectedLines;
            qDebug().noquote() << "PriceHistory: skipping malformed line:"
                               << line.left(80).toString();
        }
    }
    return parsed;
}

bool store(GDatabaseClass &store, const QString &symbol, const QList<Row> &rows)
{
    if (rows.isEmpty()) {
        qDebug().noquote() << "PriceHistory: no rows for" << symbol << "- stored history kept";
        return false;
    }
    return store.runInTransaction([&](sqlite3 *handle) {
        auto failed = [](const SqliteStatement &statement) {
            qDebug().noquote() << "PriceHistory: " + statement.errorText();
            return false;
        };
        SqliteStatement remove(handle, u"DELETE FROM qData WHERE symbol=?");
        remove.bindText(1, symbol);
        if (!remove.execute())
            return failed(remove);
        // Values are bound as the text the service sent; the columns' numeric affinity stores
        // them as the numbers a statement holding them bare would.
        SqliteStatement insert(
            handle,
            u"INSERT INTO qData (date,symbol,Open,High,Low,Close,Volume) VALUES(?,?,?,?,?,?,?)");
        if (!insert.isPrepared())
            return failed(insert);
        insert.bindText(2, symbol);
        for (const Row &row : rows) {
            insert.bindText(1, row.date);
            insert.bindText(3, row.open);
            insert.bindText(4, row.high);
            insert.bindText(5, row.low);
            insert.bindText(6, row.close);
            insert.bindText(7, row.volume);
            if (!insert.execute())
                return failed(insert);
        }
        return true;
    });
}

QNetworkReply *request(QNetworkAccessManager &manager, const QString &symbol, int timeFrameIndex)
{
    QNetworkReply *reply =
        Requests::get(manager, requestUrl(symbol, timeFrameIndex), Requests::Caps::History);
    reply->setProperty(SymbolProperty, symbol);
    return reply;
}

ReplyResult handleReply(GDatabaseClass &store, QNetworkAccessManager &manager, QNetworkReply *reply)
{
    ReplyResult result;
    const QVariant remembered = reply->property(SymbolProperty);
    result.symbol = remembered.isValid() ? remembered.toString() : symbolOfUrl(reply->url());

    const Requests::ReplyOutcome finished = Requests::finishReply(manager, reply);
    if (finished.failed()) {
        // A redirect not followed (too many hops) keeps the stored rows; followRedirect said why.
        if (!finished.redirectRefused)
            qDebug() << finished.errorText;
        return result;
    }
    if (finished.redirected()) {
        result.next = finished.next;
        result.next->setProperty(SymbolProperty, result.symbol);
        result.outcome = Outcome::Redirected;
        return result;
    }
    const Parsed parsed = parseReply(Requests::latin1Text(finished.body));
    if (!PriceHistory::store(store, result.symbol, parsed.rows))
        return result;
    result.outcome = Outcome::Stored;
    result.rowsStored = int(parsed.rows.size());
    return result;
}

} // namespace PriceHistory
