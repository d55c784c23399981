#include "newsgenerator.h"

#include <QTimeZone>
#include <QUrl>

namespace NewsGenerator {

namespace {

const QDateTime Origin(QDate(2020, 1, 1), QTime(0, 0), QTimeZone::utc());

// Zone names and their offsets in minutes, in the order items use them.
struct Zone
{
    const char *name;
    int minutes;
};
const Zone Zones[] = {{"+0000", 0},  {"-0500", -300}, {"GMT", 0}, {"EDT", -240}, {"PST", -480},
                      {"+0100", 60}, {"EST", -300},   {"UT", 0},  {"CDT", -300}, {"Z", 0}};
// The names the Asia-Pacific feed writes, as newsrooms there do.
const Zone AsiaPacificZones[] = {{"JST", 540}, {"HKT", 480},  {"SGT", 480},
                                 {"IST", 330}, {"AEST", 600}, {"AEDT", 660}};

int zoneMinutes(const QString &zone)
{
    for (const Zone &known : Zones) {
        if (zone == QLatin1String(known.name))
            return known.minutes;
    }
    for (const Zone &known : AsiaPacificZones) {
        if (zone == QLatin1String(known.name))
            return known.minutes;
    }
    return 0;
}

const char *const Moves[] = {
    "climbs",  "slips",        "jumps",  "falls",         "edges higher", "steadies",
    "rallies", "drifts lower", "surges", "extends gains", "pares losses", "holds firm",
};
const char *const Reasons[] = {
    "after quarterly results beat estimates",
    "as analysts lift price targets",
    "on a surprise guidance cut",
    "ahead of the annual shareholders' meeting",
    "after a rating downgrade",
    "as the sector rotates into growth",
    "on takeover speculation",
    "after a new product launch",
    "as bond yields ease",
    "following insider share purchases",
    "on stronger-than-expected demand in Europe",
    "after the dividend was raised",
    "as traders weigh Zürich listing plans",
    "on a €2 billion buyback",
};
const char *const SourceAngles[][2] = {
    {"headlines", "Headline"},      {"analysts", "Analyst note"}, {"press", "Press release"},
    {"chatter", "Floor talk"},      {"earnings", "Earnings"},     {"sector", "Sector"},
    {"insiders", "Insider filing"}, {"dividends", "Dividends"},   {"topstories", "Top story"},
};
const char *const GeneralSubjects[] = {
    "Stocks",          "Treasury yields", "The dollar",  "Oil prices",  "Gold",
    "European shares", "Asian markets",   "Tech stocks", "Bank shares", "Small caps",
};
const char *const GeneralEvents[] = {
    "after the jobs report",   "as inflation cools",       "ahead of the Fed decision",
    "on trade-deal hopes",     "as earnings season opens", "after retail sales data",
    "on chip-sector strength", "as the euro firms",        "despite profit warnings",
};

QString angleOf(const QString &source)
{
    for (const auto &angle : SourceAngles) {
        if (source == QLatin1String(angle[0]))
            return QString::fromUtf8(angle[1]);
    }
    return source.isEmpty() ? QStringLiteral("News") : source.left(1).toUpper() + source.mid(1);
}

template <typename T, std::size_t N> const T &pick(const T (&list)[N], quint64 seed)
{
    return list[seed % N];
}

// Minutes between two items of a stream, and the moment of item k.
qint64 intervalSeconds(quint64 seed, int minimumMinutes, int spreadMinutes)
{
    return qint64(minimumMinutes + int(seed % quint64(spreadMinutes))) * 60;
}

QDateTime moment(const QString &stream, qint64 sequence, qint64 interval)
{
    const quint64 jitter = hashOf(stream + QLatin1Char('#') + QString::number(sequence));
    return Origin.addSecs(sequence * interval + qint64(jitter % quint64(interval * 6 / 10)));
}

qint64 newestSequence(const QString &stream, const QDateTime &now, qint64 interval)
{
    qint64 sequence = Origin.secsTo(now) / interval;
    while (sequence > 0 && moment(stream, sequence, interval) > now)
        --sequence;
    return sequence;
}

QString articleAddress(const QString &baseUrl, const QString &path)
{
    return baseUrl + QStringLiteral("/articles/") + path;
}

// The styles of link a real aggregator sends, all leading to the same article.
void setLink(GeneratedItem &item, const QString &baseUrl, const QString &address, qint64 sequence)
{
    QString colonEscaped = address;
    colonEscaped.replace(QLatin1String("http://"), QLatin1String("http%3A//"));
    switch (sequence % 5) {
    case 0:
        item.link = address;
        break;
    case 1:
        item.link = baseUrl + QStringLiteral("/rd/%1*").arg(sequence % 9973) + colonEscaped;
        break;
    case 2:
        item.link = baseUrl + QStringLiteral("/click?sid=%1&url=").arg(sequence % 977) +
                    QString::fromLatin1(QUrl::toPercentEncoding(address));
        break;
    case 3:
        item.link = colonEscaped;
        break;
    default:
        item.guid = address;
        break;
    }
    if (item.guid.isEmpty())
        item.guid = QStringLiteral("sim-%1").arg(hashOf(address), 0, 16);
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

} // namespace

quint64 hashOf(const QString &text)
{
    quint64 hash = 1469598103934665603ULL;
    for (const char byte : text.toUtf8()) {
        hash ^= quint8(byte);
        hash *= 1099511628211ULL;
    }
    return hash;
}

GeneratedItem symbolNewsItem(const QString &baseUrl, const QString &source, const QString &symbol,
                             qint64 sequence)
{
    const QString stream = source + QLatin1Char('/') + symbol;
    const qint64 interval = intervalSeconds(hashOf(stream), 35, 40);
    const quint64 seed = hashOf(stream + QStringLiteral("@") + QString::number(sequence));

    GeneratedItem item;
    item.published = moment(stream, sequence, interval);
    item.zone = QString::fromLatin1(Zones[seed % std::size(Zones)].name);
    const QString move = QString::fromUtf8(pick(Moves, seed >> 8));
    const QString reason = QString::fromUtf8(pick(Reasons, seed >> 16));
    item.title = QStringLiteral("%1: %2 %3 %4").arg(angleOf(source), symbol, move, reason);
    if (seed % 11 == 0)
        item.title += QStringLiteral(" | update");
    item.description = QStringLiteral("<p><b>%1</b> %2 %3. Volume ran %4% above its "
                                      "30-day average.</p>")
                           .arg(symbol, move, reason)
                           .arg(10 + seed % 80);
    item.descriptionAsCdata = seed % 2 == 0;
    const QString address =
        articleAddress(baseUrl, QStringLiteral("%1/%2-%3.html").arg(source, symbol).arg(sequence));
    setLink(item, baseUrl, address, sequence);
    return item;
}

QList<GeneratedItem> symbolNews(const QString &baseUrl, const QString &source,
                                const QString &symbol, const QDateTime &now, int count)
{
    const QString stream = source + QLatin1Char('/') + symbol;
    const qint64 interval = intervalSeconds(hashOf(stream), 35, 40);
    QList<GeneratedItem> items;
    for (qint64 sequence = newestSequence(stream, now, interval);
         sequence >= 0 && items.size() < count; --sequence)
        items << symbolNewsItem(baseUrl, source, symbol, sequence);
    return items;
}

GeneratedItem generalNewsItem(const QString &baseUrl, const QString &feed, qint64 sequence)
{
    const QString stream = QStringLiteral("feed/") + feed;
    const qint64 interval = intervalSeconds(hashOf(stream), 20, 15);
    const quint64 seed = hashOf(stream + QStringLiteral("@") + QString::number(sequence));

    GeneratedItem item;
    item.published = moment(stream, sequence, interval);
    item.zone = feed == QLatin1String("asia")
                    ? QString::fromLatin1(AsiaPacificZones[seed % std::size(AsiaPacificZones)].name)
                    : QString::fromLatin1(Zones[seed % std::size(Zones)].name);
    item.title = QStringLiteral("%1 %2 %3")
                     .arg(QString::fromUtf8(pick(GeneralSubjects, seed >> 4)),
                          QString::fromUtf8(pick(Moves, seed >> 12)),
                          QString::fromUtf8(pick(GeneralEvents, seed >> 20)));
    item.description =
        QStringLiteral("Markets moved %1% as investors reacted. Analysts' views were mixed.")
            .arg(double(seed % 300) / 100.0, 0, 'f', 2);
    const QString address =
        articleAddress(baseUrl, QStringLiteral("feeds/%1-%2.html").arg(feed).arg(sequence));
    item.link = address;
    if (sequence % 4 == 1)
        item.link.replace(QLatin1String("http://"), QLatin1String("http%3A//"));
    item.guid = address;
    return item;
}

QList<GeneratedItem> generalNews(const QString &baseUrl, const QString &feed, const QDateTime &now,
                                 int count)
{
    const QString stream = QStringLiteral("feed/") + feed;
    const qint64 interval = intervalSeconds(hashOf(stream), 20, 15);
    QList<GeneratedItem> items;
    for (qint64 sequence = newestSequence(stream, now, interval);
         sequence >= 0 && items.size() < count; --sequence)
        items << generalNewsItem(baseUrl, feed, sequence);
    return items;
}

QList<GeneratedItem> marketReports(const QString &baseUrl, const QDateTime &now, int count)
{
    // Reports at 08:30 and 16:30 New York time (13:30 and 21:30 UTC) on weekdays; an announcement
    // on some afternoons.
    struct Slot
    {
        QTime time;
        int kind; // 0 morning, 1 closing, 2 announcement
    };
    const Slot daySlots[] = {{QTime(21, 30), 1}, {QTime(17, 0), 2}, {QTime(13, 30), 0}};
    QList<GeneratedItem> items;
    for (QDate day = now.date(); items.size() < count && day > now.date().addDays(-60);
         day = day.addDays(-1)) {
        if (day.dayOfWeek() > 5)
            continue;
        for (const Slot &slot : daySlots) {
            const QDateTime published(day, slot.time, QTimeZone::utc());
            if (published > now || items.size() >= count)
                continue;
            const quint64 seed =
                hashOf(QStringLiteral("report/") + published.toString(Qt::ISODate));
            if (slot.kind == 2 && seed % 3 != 0)
                continue;
            GeneratedItem item;
            item.published = published;
            item.zone = slot.kind == 0 ? QStringLiteral("-0500") : QStringLiteral("+0000");
            const QString date = day.toString(QStringLiteral("dddd, MMMM d"));
            const double index = 4200.0 + double(hashOf(day.toString(Qt::ISODate)) % 90000) / 100.0;
            const double change = (double(seed % 400) - 200.0) / 100.0;
            const QString address = baseUrl + QStringLiteral("/reports/%1-%2.html")
                                                  .arg(day.toString(QStringLiteral("yyyyMMdd")))
                                                  .arg(slot.kind);
            item.link = address;
            item.guid = address;
            if (slot.kind == 2) {
                item.title =
                    QStringLiteral("Corvane announces a new charting release (%1)").arg(date);
                item.description = QStringLiteral("What's new in this week's release.");
                item.content =
                    QStringLiteral("<h2>New release</h2><p>Charts draw faster and news arrives "
                                   "sooner.</p>");
                item.categories = {QStringLiteral("Announcements")};
            } else {
                const QString when =
                    slot.kind == 0 ? QStringLiteral("Morning") : QStringLiteral("Closing");
                item.title = slot.kind == 0
                                 ? QStringLiteral("Morning Market Report: %1").arg(date)
                                 : QStringLiteral("Traders' Closing Report: %1").arg(date);
                item.description = QStringLiteral("%1 summary of the US session.").arg(when);
                item.content =
                    QStringLiteral(
                        "<h2>%1 Market Report</h2><p><i>%2</i></p>"
                        "<p>The benchmark index %3 %4% to %5. Breadth was %6, with %7 "
                        "leading.</p><ul><li>10-year yield: %8%</li><li>Crude oil: $%9</li></ul>"
                        "<p>Today's focus: earnings, the dollar and the Fed's minutes.</p>")
                        .arg(when, date,
                             change >= 0 ? QStringLiteral("rose") : QStringLiteral("fell"))
                        .arg(qAbs(change), 0, 'f', 2)
                        .arg(index, 0, 'f', 2)
                        .arg(change >= 0 ? QStringLiteral("positive") : QStringLiteral("negative"))
                        .arg(QString::fromUtf8(pick(GeneralSubjects, seed >> 8)))
                        .arg(3.5 + double(seed % 150) / 100.0, 0, 'f', 2)
                        .arg(65.0 + double(seed % 2000) / 100.0, 0, 'f', 2);
                // The post's category, then its tags, as blog software writes them.
                item.categories = {QStringLiteral("MarketReports"), QStringLiteral("Markets"),
                                   QStringLiteral("Stocks")};
            }
            items << item;
        }
    }
    return items;
}

QString rfc822Date(const QDateTime &utc, const QString &zone)
{
    const QDateTime wallClock = utc.toUTC().addSecs(qint64(zoneMinutes(zone)) * 60);
    static const char *const days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDate date = wallClock.date();
    return QStringLiteral("%1, %2 %3 %4 %5 %6")
        .arg(QString::fromLatin1(days[date.dayOfWeek() - 1]))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(QString::fromLatin1(months[date.month() - 1]))
        .arg(date.year())
        .arg(wallClock.time().toString(QStringLiteral("HH:mm:ss")), zone);
}

QByteArray rssDocument(const Channel &channel)
{
    QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"");
    if (channel.withContentNamespace)
        xml += QStringLiteral(" xmlns:content=\"http://purl.org/rss/1.0/modules/content/\"");
    xml += QStringLiteral(
               ">\n<channel>\n<title>%1</title>\n<link>%2</link>\n<description>%3</description>\n"
               "<language>en-us</language>\n")
               .arg(escaped(channel.title), escaped(channel.link), escaped(channel.description));
    for (const GeneratedItem &item : channel.items) {
        xml +=
            QStringLiteral("<item>\n<title>") + escaped(item.title) + QStringLiteral("</title>\n");
        if (!item.link.isEmpty())
            xml += QStringLiteral("<link>") + escaped(item.link) + QStringLiteral("</link>\n");
        if (item.descriptionAsCdata)
            xml += QStringLiteral("<description><![CDATA[") + item.description +
                   QStringLiteral("]]></description>\n");
        else
            xml += QStringLiteral("<description>") + escaped(item.description) +
                   QStringLiteral("</description>\n");
        xml += QStringLiteral("<pubDate>") + rfc822Date(item.published, item.zone) +
               QStringLiteral("</pubDate>\n");
        xml += QStringLiteral("<guid isPermaLink=\"%1\">")
                   .arg(item.link.isEmpty() ? "true" : "false") +
               escaped(item.guid) + QStringLiteral("</guid>\n");
        for (const QString &category : item.categories)
            xml +=
                QStringLiteral("<category>") + escaped(category) + QStringLiteral("</category>\n");
        if (!item.content.isEmpty())
            xml += QStringLiteral("<content:encoded><![CDATA[") + item.content +
                   QStringLiteral("]]></content:encoded>\n");
        xml += QStringLiteral("</item>\n");
    }
    xml += QStringLiteral("</channel>\n</rss>\n");
    return xml.toUtf8();
}

QString rfc3339Date(const QDateTime &utc, const QString &zone)
{
    const int minutes = zoneMinutes(zone);
    const QDateTime wallClock = utc.toUTC().addSecs(qint64(minutes) * 60);
    const QString offset = minutes == 0
                               ? QStringLiteral("Z")
                               : QStringLiteral("%1%2:%3")
                                     .arg(minutes < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                                     .arg(qAbs(minutes) / 60, 2, 10, QLatin1Char('0'))
                                     .arg(qAbs(minutes) % 60, 2, 10, QLatin1Char('0'));
    return wallClock.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + offset;
}

QByteArray atomDocument(const Channel &channel, const QString &selfAddress)
{
    const QString updated = channel.items.isEmpty()
                                ? QStringLiteral("2020-01-01T00:00:00Z")
                                : rfc3339Date(channel.items.first().published, QString());
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                 "<feed xmlns=\"http://www.w3.org/2005/Atom\">\n"
                                 "<title>%1</title>\n<subtitle>%2</subtitle>\n"
                                 "<link rel=\"self\" type=\"application/atom+xml\" href=\"%3\"/>\n"
                                 "<link rel=\"alternate\" type=\"text/html\" href=\"%4\"/>\n"
                                 "<id>%3</id>\n<updated>%5</updated>\n")
                      .arg(escaped(channel.title), escaped(channel.description),
                           escaped(selfAddress), escaped(channel.link), updated);
    for (const GeneratedItem &item : channel.items) {
        xml +=
            QStringLiteral("<entry>\n<title>") + escaped(item.title) + QStringLiteral("</title>\n");
        // Self and enclosure links first: the reader has to pick the alternate one.
        xml += QStringLiteral("<link rel=\"enclosure\" type=\"image/png\" href=\"%1.png\"/>\n")
                   .arg(escaped(item.guid));
        const QString article = item.guid.startsWith(QLatin1String("http")) ? item.guid : item.link;
        if (!article.isEmpty())
            xml += QStringLiteral("<link rel=\"alternate\" type=\"text/html\" href=\"%1\"/>\n")
                       .arg(escaped(article));
        xml += QStringLiteral("<id>") + escaped(item.guid) + QStringLiteral("</id>\n");
        xml += QStringLiteral("<published>") + rfc3339Date(item.published, item.zone) +
               QStringLiteral("</published>\n<updated>") +
               rfc3339Date(item.published.addSecs(600), item.zone) + QStringLiteral("</updated>\n");
        xml += QStringLiteral("<summary type=\"html\">") + escaped(item.description) +
               QStringLiteral("</summary>\n");
        for (const QString &category : item.categories)
            xml += QStringLiteral("<category term=\"%1\"/>\n").arg(escaped(category));
        xml += QStringLiteral("</entry>\n");
    }
    xml += QStringLiteral("</feed>\n");
    return xml.toUtf8();
}

QByteArray articlePage(const GeneratedItem &item, const QString &source)
{
    const QString html =
        QStringLiteral(
            "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title>"
            "<style>body{font-family:'DejaVu Sans',sans-serif;max-width:720px;margin:24px auto;"
            "color:#1d2733;line-height:1.5}h1{font-size:22px}.meta{color:#6a7683;font-size:12px}"
            "</style></head><body><h1>%1</h1><p class=\"meta\">%2 &middot; %3</p>%4"
            "<p>Market participants said the move reflected broader positioning ahead of the "
            "next set of economic figures.</p></body></html>")
            .arg(escaped(item.title), escaped(source), item.published.toString(Qt::RFC2822Date),
                 item.description.startsWith(QLatin1Char('<'))
                     ? item.description
                     : QStringLiteral("<p>%1</p>").arg(escaped(item.description)));
    return html.toUtf8();
}

} // namespace NewsGenerator
