#include "news/feeditems.h"
#include "news/newsstatements.h"
#include "support/newsfixture.h"

#include <QTimeZone>
#include <QtTest>

using namespace FeedItems;

namespace {

const QDateTime DownloadTime(QDate(2024, 5, 6), QTime(7, 8, 9), QTimeZone::utc());

QDomDocument document(const QByteArray &xml)
{
    QDomDocument parsed;
    QString error;
    if (!parse(xml, parsed, &error))
        qWarning() << "not parsed:" << error;
    return parsed;
}

QList<Item> symbolItems(const QList<RssItem> &items)
{
    return readItems(document(rssDocument(items)), FeedKind::SymbolNews, DownloadTime);
}

qint64 utcMs(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), QTimeZone::utc())
        .toMSecsSinceEpoch();
}

} // namespace

class FeedItemsTest : public QObject
{
    Q_OBJECT

private slots:
    void itemsAreFoundOnlyAmongTheChannelChildren();
    void aFieldIsItsFirstTextOrCdataChildAndMarkupYieldsNothing();
    void aLaterFieldOverwritesAnEarlierOne();
    void aMissingLinkFallsBackToGuidThenUrl();
    void symbolNewsLinksAreUnwrappedToTheArticleAddress_data();
    void symbolNewsLinksAreUnwrappedToTheArticleAddress();
    void otherReadersOnlyRestoreColonsAndNeverSubstituteTheLink();
    void reportsReadTheirBodyAndTheLastCategory();
    void datesHonourTheirZone_data();
    void datesHonourTheirZone();
    void aDateWithoutZoneIsLocalWallClockTime();
    void anUnreadableDateBecomesTheDownloadTime();
    void documentsAreParsedFromTheirBytesInTheDeclaredEncoding();
    void channelTitleLinkAndDescriptionAreRead();
    void storedNewsTextIsCleanedAndNeverTakenForPlaceholders();
    void addressesAndSymbolsWithApostrophesAreStoredWhole();
};

void FeedItemsTest::itemsAreFoundOnlyAmongTheChannelChildren()
{
    const QByteArray xml =
        "<rss><channel><title>t</title><item><title>one</title></item>"
        "<group><item><title>nested</title></item></group>"
        "<entry><title>atom</title></entry><item><title>two</title></item></channel>"
        "<item><title>outside</title></item></rss>";
    const QList<Item> items = readItems(document(xml), FeedKind::GeneralFeed, DownloadTime);
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0].title, QString("one"));
    QCOMPARE(items[1].title, QString("two"));

    const QByteArray atom = "<feed xmlns=\"http://www.w3.org/2005/Atom\"><title>a</title>"
                            "<entry><title>e</title></entry></feed>";
    QVERIFY(readItems(document(atom), FeedKind::GeneralFeed, DownloadTime).isEmpty());
}

void FeedItemsTest::aFieldIsItsFirstTextOrCdataChildAndMarkupYieldsNothing()
{
    const QByteArray xml = "<rss><channel><item><title><![CDATA[Cdata <b>title</b>]]></title>"
                           "<description><p>markup</p> then text</description>"
                           "<link>http://a.example/x</link></item></channel></rss>";
    const QList<Item> items = readItems(document(xml), FeedKind::GeneralFeed, DownloadTime);
    QCOMPARE(items.size(), 1);
    QCOMPARE(items[0].title, QString("Cdata <b>title</b>"));
    QCOMPARE(items[0].description, QString());
    QCOMPARE(items[0].link, QString("http://a.example/x"));
}

void FeedItemsTest::aLaterFieldOverwritesAnEarlierOne()
{
    const QList<Item> items =
        symbolItems({{"first", "http://a.example/1", "", "", "", "",
                      "<title>second</title><link>http://a.example/2</link>"}});
    QCOMPARE(items[0].title, QString("second"));
    QCOMPARE(items[0].link, QString("http://a.example/2"));
}

void FeedItemsTest::aMissingLinkFallsBackToGuidThenUrl()
{
    const QList<Item> items =
        symbolItems({{"a", "", "", "", "http://guid.example/1", "http://url.example/1", ""},
                     {"b", "", "", "", "", "http://url.example/2", ""},
                     {"c", "http://link.example/3", "", "", "http://guid.example/3", "", ""}});
    QCOMPARE(items[0].link, QString("http://guid.example/1"));
    QCOMPARE(items[1].link, QString("http://url.example/2"));
    QCOMPARE(items[2].link, QString("http://link.example/3"));
}

void FeedItemsTest::symbolNewsLinksAreUnwrappedToTheArticleAddress_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "http://news.example/a.html"
                           << "http://news.example/a.html";
    QTest::newRow("after a star") << "http://track.example/rd/12*http%3A//news.example/a.html"
                                  << "http://news.example/a.html";
    QTest::newRow("query value")
        << "http://track.example/click?sid=4&url=http%3A%2F%2Fnews.example%2Fa%20b.html"
        << "http://news.example/a b.html";
    QTest::newRow("colon escaped") << "http%3A//news.example/a.html"
                                   << "http://news.example/a.html";
    QTest::newRow("white space") << "  http://news.example/a.html \n"
                                 << "http://news.example/a.html";
    QTest::newRow("utf-8 escapes") << "http://news.example/caf%C3%A9"
                                   << "http://news.example/café";
}

void FeedItemsTest::symbolNewsLinksAreUnwrappedToTheArticleAddress()
{
    QFETCH(QString, link);
    QFETCH(QString, expected);
    QCOMPARE(cleanLink(link), expected);
    // Through a document too, where the link arrives as element text.
    QCOMPARE(symbolItems({{"t", link.trimmed(), "", "", "", "", ""}}).first().link,
             expected.trimmed());
}

void FeedItemsTest::otherReadersOnlyRestoreColonsAndNeverSubstituteTheLink()
{
    const QByteArray xml = rssDocument(
        {{"a", "http://track.example/rd/1*http%3A//news.example/a%20b", "", "", "", "", ""},
         {"b", "", "", "", "http://guid.example/b", "http://url.example/b", ""}});
    for (const FeedKind kind : {FeedKind::GeneralFeed, FeedKind::MarketReport}) {
        const QList<Item> items = readItems(document(xml), kind, DownloadTime);
        QCOMPARE(items[0].link, QString("http://track.example/rd/1*http://news.example/a%20b"));
        QCOMPARE(items[1].link, QString());
    }
}

void FeedItemsTest::reportsReadTheirBodyAndTheLastCategory()
{
    const QByteArray xml =
        "<rss xmlns:content=\"http://purl.org/rss/1.0/modules/content/\"><channel>"
        "<item><title>r</title><category>Markets</category><category>MarketReports</category>"
        "<content:encoded><![CDATA[<h2>Body</h2>]]></content:encoded></item></channel></rss>";
    const QList<Item> reports = readItems(document(xml), FeedKind::MarketReport, DownloadTime);
    QCOMPARE(reports[0].content, QString("<h2>Body</h2>"));
    QCOMPARE(reports[0].category, QString("MarketReports"));
    const QList<Item> general = readItems(document(xml), FeedKind::GeneralFeed, DownloadTime);
    QVERIFY(general[0].content.isEmpty() && general[0].category.isEmpty());
}

void FeedItemsTest::datesHonourTheirZone_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("expected");
    const qint64 noonUtc = utcMs(2024, 3, 5, 12, 0, 0);
    QTest::newRow("+0000") << "Tue, 05 Mar 2024 12:00:00 +0000" << noonUtc;
    QTest::newRow("-0500") << "Tue, 05 Mar 2024 07:00:00 -0500" << noonUtc;
    QTest::newRow("+0530") << "Tue, 05 Mar 2024 17:30:00 +0530" << noonUtc;
    QTest::newRow("GMT") << "Tue, 05 Mar 2024 12:00:00 GMT" << noonUtc;
    QTest::newRow("UT") << "Tue, 05 Mar 2024 12:00:00 UT" << noonUtc;
    QTest::newRow("Z") << "Tue, 05 Mar 2024 12:00:00 Z" << noonUtc;
    QTest::newRow("EST") << "Tue, 05 Mar 2024 07:00:00 EST" << noonUtc;
    QTest::newRow("EDT") << "Tue, 05 Mar 2024 08:00:00 EDT" << noonUtc;
    QTest::newRow("CST") << "Tue, 05 Mar 2024 06:00:00 CST" << noonUtc;
    QTest::newRow("CDT") << "Tue, 05 Mar 2024 07:00:00 CDT" << noonUtc;
    QTest::newRow("MST") << "Tue, 05 Mar 2024 05:00:00 MST" << noonUtc;
    QTest::newRow("MDT") << "Tue, 05 Mar 2024 06:00:00 MDT" << noonUtc;
    QTest::newRow("PST") << "Tue, 05 Mar 2024 04:00:00 PST" << noonUtc;
    QTest::newRow("PDT") << "Tue, 05 Mar 2024 05:00:00 PDT" << noonUtc;
    QTest::newRow("one-digit day")
        << "Sun, 3 Mar 2024 23:00:00 -0100" << utcMs(2024, 3, 4, 0, 0, 0);
    QTest::newRow("crosses the year")
        << "Tue, 31 Dec 2024 22:30:00 -0300" << utcMs(2025, 1, 1, 1, 30, 0);
}

void FeedItemsTest::datesHonourTheirZone()
{
    QFETCH(QString, text);
    QFETCH(qint64, expected);
    QCOMPARE(dateValue(text, DownloadTime), expected);
}

void FeedItemsTest::aDateWithoutZoneIsLocalWallClockTime()
{
    const QByteArray previous = qgetenv("TZ");
    qputenv("TZ", "America/New_York");
    QTimeZone::systemTimeZone(); // let the process see the new zone
    const qint64 expected =
        QDateTime(QDate(2024, 3, 5), QTime(12, 0, 0), QTimeZone::systemTimeZone())
            .toMSecsSinceEpoch();
    QCOMPARE(dateValue("Tue, 05 Mar 2024 12:00:00", DownloadTime), expected);
    QCOMPARE(dateValue("Tue, 05 Mar 2024 12:00:00", DownloadTime),
             QDateTime(QDate(2024, 3, 5), QTime(12, 0, 0)).toMSecsSinceEpoch());
    if (previous.isEmpty())
        qunsetenv("TZ");
    else
        qputenv("TZ", previous);
}

void FeedItemsTest::anUnreadableDateBecomesTheDownloadTime()
{
    for (const QString text :
         {"", "yesterday", "Tue, 45 Mar 2024 12:00:00 GMT", "Tue, 05 Foo 2024 12:00:00"})
        QCOMPARE(dateValue(text, DownloadTime), DownloadTime.toMSecsSinceEpoch());
    const QList<Item> items =
        symbolItems({{"t", "http://a.example", "", "not a date", "", "", ""}});
    QCOMPARE(items[0].pubDate, DownloadTime.toMSecsSinceEpoch());
}

void FeedItemsTest::documentsAreParsedFromTheirBytesInTheDeclaredEncoding()
{
    const QString title = QStringLiteral("Société Générale gains 5 € — Zürich");
    QList<Item> items = symbolItems({{title, "http://a.example", "", "", "", "", ""}});
    QCOMPARE(items[0].title, title);

    QByteArray latin1 =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><rss><channel><item><title>Caf\xe9"
        "</title></item></channel></rss>";
    latin1 += QByteArray("\0trailing garbage", 17);
    QDomDocument parsed;
    QVERIFY(parse(latin1, parsed));
    QCOMPARE(readItems(parsed, FeedKind::GeneralFeed, DownloadTime)[0].title, QString("Café"));

    QString error;
    QVERIFY(!parse("<html><body><p>not closed</body></html>", parsed, &error));
    QVERIFY(!error.isEmpty());
}

void FeedItemsTest::channelTitleLinkAndDescriptionAreRead()
{
    const Channel channel =
        readChannel(document(rssDocument({{"i", "", "", "", "", "", ""}}, "Feed & Co")));
    QCOMPARE(channel.title, QString("Feed & Co"));
    QCOMPARE(channel.link, QString("http://example.org/"));
    QCOMPARE(channel.description, QString("About Feed & Co"));
    QCOMPARE(channel.nodeNames, QStringList({"title", "link", "description", "item"}));
}

void FeedItemsTest::storedNewsTextIsCleanedAndNeverTakenForPlaceholders()
{
    NewsFixture news;
    Item item;
    item.title = "Analysts' |view| up 5%1 on %2";
    item.description = "<p>It's 100%3 sure</p>";
    item.link = "http://a.example/x";
    item.pubDate = 1700000000123;
    news.store().ExecSQL(NewsStatements::newsItemInsert(7, item, "IBM"));
    QCOMPARE(news.rows("SELECT feedId, pubDate, title, desc, url, read, symbol FROM newsItems"),
             QStringList({"7|1700000000123|Analysts view up 5%1 on %2|<p>Its 100%3 "
                          "sure</p>|http://a.example/x|0|IBM"}));

    // Stored once, however often it arrives.
    news.store().ExecSQL(NewsStatements::newsItemInsert(7, item, "IBM"));
    QCOMPARE(news.count("newsItems"), 1);

    news.store().ExecSQL(NewsStatements::rssItemInsert(3, item));
    QCOMPARE(news.rows("SELECT feedId, pubDate, title, desc FROM rssItems"),
             QStringList({"3|1700000000123|Analysts view up 5%1 on %2|<p>Its 100%3 sure</p>"}));

    item.content = "<p>The desk's view</p>";
    item.category = "MarketReports";
    news.store().ExecSQL(NewsStatements::marketWrapInsert(item));
    QCOMPARE(news.rows("SELECT pubDate, title, content, category FROM marketWraps"),
             QStringList(
                 {"1700000000123|Analysts view up 5%1 on %2|<p>The desks view</p>|MarketReports"}));
}

void FeedItemsTest::addressesAndSymbolsWithApostrophesAreStoredWhole()
{
    NewsFixture news;
    Item item;
    item.title = "t";
    item.link = "http://a.example/o'reilly";
    news.store().ExecSQL(NewsStatements::rssItemInsert(1, item));
    news.store().ExecSQL(NewsStatements::marketWrapInsert(item));
    news.store().ExecSQL(NewsStatements::newsItemInsert(1, item, "O'R"));
    QCOMPARE(news.value("SELECT url FROM rssItems"), item.link);
    QCOMPARE(news.value("SELECT url FROM marketWraps"), item.link);
    QCOMPARE(news.value("SELECT symbol FROM newsItems"), QString("O'R"));

    news.store().ExecSQL(
        NewsStatements::feedInsert("Bob's feed", "http://b.example/'x'", "It's news"));
    QCOMPARE(news.rows("SELECT title, feedUrl, desc, lastUpdate FROM rssFeeds"),
             QStringList({"Bob's feed|http://b.example/'x'|It's news|0"}));
    QCOMPARE(news.value(NewsStatements::feedIdByAddress("http://b.example/'x'")), QString("1"));
}

QTEST_MAIN(FeedItemsTest)
#include "tst_feeditems.moc"
