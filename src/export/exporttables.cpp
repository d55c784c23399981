#include "export/exporttables.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <optional>

namespace ExportTables {

namespace {

QVariant optionalNumber(const std::optional<double> &value)
{
    return value ? QVariant(*value) : QVariant();
}

QVariant numberWhen(bool known, double value)
{
    return known ? QVariant(value) : QVariant();
}

// A plain number, perhaps with a sign or digit grouping; anything with a unit stays text.
std::optional<double> plainNumber(const QString &text)
{
    QString number = text.trimmed();
    if (number.isEmpty())
        return std::nullopt;
    const QString ungrouped = QString(number).remove(QLatin1Char(','));
    if (ungrouped != number) {
        // Grouping only counts when it groups: 1,234,567 but not 1,2.
        static const QRegularExpression grouped(
            QStringLiteral("^[+-]?\\d{1,3}(,\\d{3})+(\\.\\d+)?$"));
        if (!grouped.match(number).hasMatch())
            return std::nullopt;
    }
    if (ungrouped.endsWith(QLatin1Char('%')) || !Csv::readsAsNumber(ungrouped))
        return std::nullopt;
    bool ok = false;
    const double value = ungrouped.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

} // namespace

QString defaultFileName(const QString &subject, QDate today)
{
    return QStringLiteral("corvane-%1-%2.csv").arg(subject, today.toString(Qt::ISODate));
}

QString companionPath(const QString &path, const QString &suffix)
{
    const QFileInfo file(path);
    const QString base = file.suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0
                             ? file.completeBaseName()
                             : file.fileName();
    return file.dir().filePath(base + QLatin1Char('-') + suffix + QStringLiteral(".csv"));
}

Csv::Table holdings(const QList<PortfolioValuation::Holding> &holdings)
{
    Csv::Table table;
    table.header = {
        QStringLiteral("Symbol"),     QStringLiteral("Shares"),      QStringLiteral("Buy price"),
        QStringLiteral("Commission"), QStringLiteral("Last"),        QStringLiteral("Change"),
        QStringLiteral("Change %"),   QStringLiteral("Day's gain"),  QStringLiteral("Gain"),
        QStringLiteral("Gain %"),     QStringLiteral("Market value")};
    for (const PortfolioValuation::Holding &holding : holdings) {
        table.rows << QVariantList{holding.symbol,
                                   holding.shares,
                                   holding.price,
                                   holding.costs,
                                   numberWhen(holding.quoted, holding.last),
                                   numberWhen(holding.quoted, holding.change),
                                   numberWhen(holding.hasPercentChange, holding.percentChange),
                                   numberWhen(holding.quoted, holding.daysGain),
                                   optionalNumber(holding.gain),
                                   optionalNumber(holding.gainPercent),
                                   numberWhen(holding.quoted, holding.marketValue)};
    }
    return table;
}

Csv::Table transactions(const QList<PortfolioValuation::Transaction> &transactions)
{
    Csv::Table table;
    table.header = {QStringLiteral("Date"),  QStringLiteral("Symbol"),
                    QStringLiteral("Type"),  QStringLiteral("Shares"),
                    QStringLiteral("Price"), QStringLiteral("Commission"),
                    QStringLiteral("Value"), QStringLiteral("Cash effect")};
    for (const PortfolioValuation::Transaction &row : transactions) {
        const QDate date = QDate::fromString(row.date, Qt::TextDate);
        table.rows << QVariantList{date.isValid() ? QVariant(date) : QVariant(row.date),
                                   row.symbol,
                                   row.type,
                                   PortfolioValuation::storeNumber(row.noShares),
                                   PortfolioValuation::storeNumber(row.price),
                                   PortfolioValuation::storeNumber(row.commission),
                                   row.value,
                                   row.cashEffect};
    }
    return table;
}

Csv::Table fundamentals(const FundGrid::Table &grid)
{
    Csv::Table table;
    table.header = grid.headers;
    for (const FundGrid::Row &row : grid.rows) {
        QVariantList fields{row.symbol};
        for (const FundGrid::Cell &cell : row.cells) {
            const std::optional<double> number = plainNumber(cell.value);
            fields << (number ? QVariant(*number) : QVariant(cell.value));
        }
        table.rows << fields;
    }
    return table;
}

QDate calendarDay(const QString &eventDate, QDate sunday)
{
    // "Mon Nov 23": the month and the day decide; the year is the week's.
    const QStringList parts = eventDate.simplified().split(QLatin1Char(' '));
    if (parts.size() < 3 || !sunday.isValid())
        return {};
    const QLocale english(QLocale::English);
    bool ok = false;
    const int day = parts.at(2).toInt(&ok);
    if (!ok)
        return {};
    for (int offset = 0; offset < 7; ++offset) {
        const QDate candidate = sunday.addDays(offset);
        if (candidate.day() == day && english.monthName(candidate.month(), QLocale::ShortFormat)
                                              .compare(parts.at(1), Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return {};
}

Csv::Table calendar(const QList<CalendarFile::Event> &events, QDate sunday)
{
    Csv::Table table;
    table.header = {
        QStringLiteral("Date"),     QStringLiteral("Time"),     QStringLiteral("Time zone"),
        QStringLiteral("Currency"), QStringLiteral("Event"),    QStringLiteral("Importance"),
        QStringLiteral("Actual"),   QStringLiteral("Forecast"), QStringLiteral("Previous")};
    for (const CalendarFile::Event &event : events) {
        const QDate day = calendarDay(event.date, sunday);
        table.rows << QVariantList{day.isValid() ? QVariant(day) : QVariant(event.date),
                                   event.time,
                                   event.timeZone,
                                   event.currency,
                                   event.description,
                                   event.level,
                                   event.actual,
                                   event.forecast,
                                   event.previous};
    }
    return table;
}

QString headlinesQuery()
{
    return QStringLiteral(
        "SELECT newsItems.symbol, feeds.title, newsItems.pubDate, newsItems.title, newsItems.url "
        "FROM newsItems LEFT JOIN feeds ON feeds.id=newsItems.feedId "
        "WHERE newsItems.symbol IN (SELECT symbol FROM symbols) "
        "ORDER BY newsItems.symbol, newsItems.pubDate DESC, newsItems.id");
}

Csv::Table headlines(const QList<QVariantList> &rows)
{
    Csv::Table table;
    table.header = {QStringLiteral("Symbol"), QStringLiteral("Feed"), QStringLiteral("Date"),
                    QStringLiteral("Title"), QStringLiteral("Link")};
    for (const QVariantList &row : rows) {
        table.rows << QVariantList{row.value(0), row.value(1), localTimeOfMs(row.value(2)),
                                   row.value(3), row.value(4)};
    }
    return table;
}

QString wrapsQuery()
{
    return QStringLiteral(
        "SELECT pubDate, title, category, url FROM marketWraps ORDER BY pubDate DESC, id");
}

Csv::Table wraps(const QList<QVariantList> &rows)
{
    Csv::Table table;
    table.header = {QStringLiteral("Date"), QStringLiteral("Title"), QStringLiteral("Category"),
                    QStringLiteral("Link")};
    for (const QVariantList &row : rows) {
        table.rows << QVariantList{localTimeOfMs(row.value(0)), row.value(1), row.value(2),
                                   row.value(3)};
    }
    return table;
}

QVariant localTimeOfMs(const QVariant &milliseconds)
{
    bool ok = false;
    const qint64 ms = milliseconds.toLongLong(&ok);
    if (!ok || milliseconds.isNull())
        return {};
    return QDateTime::fromMSecsSinceEpoch(ms);
}

} // namespace ExportTables
