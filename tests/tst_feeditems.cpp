#include "news/feeditems.h"
#include "news/newsstatements.h"
#include "support/logcapture.h"
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
    void reportsKeepTheListedCategoryElseTheFirst_data();
    void reportsKeepTheListedCategoryElseTheFirst();
    void datesHonourTheirZone_data();
    void datesHonourTheirZone();
    void anUnknownZoneIsLocalTimeAndLoggedOncePerFeed();
    void atomEntriesAreReadLikeItems();
    void atomTextsLinksAndDatesFollowTheirOwnRules();
    void atomFeedsGiveTheirChannelText();
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

void FeedItemsTest::reportsKeepTheListedCategoryElseTheFirst_data()
{
    QTest::addColumn<QString>("categories");
    QTest::addColumn<QString>("expected");
    QTest::newRow("listed last") << "<category>Markets</category><category>MarketReports</category>"
                                 << "MarketReports";
    // Blog software writes the post's categories first and its tags after them.
    QTest::newRow("listed first, tags after")
        << "<category>MarketReports</category><category>stocks</category>"
           "<category>S&amp;P 500</category>"
        << "MarketReports";
    QTest::newRow("listed in the middle")
        << "<category>Markets</category><category>MarketReports</category>"
           "<category>Fed</category>"
        << "MarketReports";
    QTest::newRow("not listed: the first") << "<category>Announcements</category><category>news"
                                              "</category>"
                                           << "Announcements";
    QTest::newRow("no category") << ""
                                 << "";
}

void FeedItemsTest::reportsKeepTheListedCategoryElseTheFirst()
{
    QFETCH(QString, categories);
    QFETCH(QString, expected);
    const QByteArray xml =
        "<rss xmlns:content=\"http://purl.org/rss/1.0/modules/content/\"><channel>"
        "<item><title>r</title>" +
        categories.toUtf8() +
        "<content:encoded><![CDATA[<h2>Body</h2>]]></content:encoded></item></channel></rss>";
    const QList<Item> reports = readItems(document(xml), FeedKind::MarketReport, DownloadTime);
    QCOMPARE(reports[0].content, QString("<h2>Body</h2>"));
    QCOMPARE(reports[0].category, expected);
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
    // Zone names of feeds outside North America.
    QTest::newRow("CET") << "Tue, 05 Mar 2024 13:00:00 CET" << noonUtc;
    QTest::newRow("CEST") << "Tue, 05 Mar 2024 14:00:00 CEST" << noonUtc;
    QTest::newRow("BST") << "Tue, 05 Mar 2024 13:00:00 BST" << noonUtc;
    QTest::newRow("IST") << "Tue, 05 Mar 2024 17:30:00 IST" << noonUtc;
    QTest::newRow("JST") << "Tue, 05 Mar 2024 21:00:00 JST" << noonUtc;
    QTest::newRow("AEST") << "Tue, 05 Mar 2024 22:00:00 AEST" << noonUtc;
    QTest::newRow("AEDT") << "Tue, 05 Mar 2024 23:00:00 AEDT" << noonUtc;
    QTest::newRow("HKT") << "Tue, 05 Mar 2024 20:00:00 HKT" << noonUtc;
    QTest::newRow("SGT") << "Tue, 05 Mar 2024 20:00:00 SGT" << noonUtc;
    QTest::newRow("MSK") << "Tue, 05 Mar 2024 15:00:00 MSK" << noonUtc;
    QTest::newRow("EET") << "Tue, 05 Mar 2024 14:00:00 EET" << noonUtc;
    QTest::newRow("NZDT") << "Wed, 06 Mar 2024 01:00:00 NZDT" << noonUtc;
    QTest::newRow("NST") << "Tue, 05 Mar 2024 08:30:00 NST" << noonUtc;
    QTest::newRow("lower case") << "Tue, 05 Mar 2024 13:00:00 cet" << noonUtc;
    // Atom and some RSS feeds write RFC 3339.
    QTest::newRow("RFC 3339 Z") << "2024-03-05T12:00:00Z" << noonUtc;
    QTest::newRow("RFC 3339 offset") << "2024-03-05T13:00:00+01:00" << noonUtc;
    QTest::newRow("RFC 3339 fraction") << "2024-03-05T07:00:00.250-05:00" << noonUtc + 250;
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

void FeedItemsTest::anUnknownZoneIsLocalTimeAndLoggedOncePerFeed()
{
    qint64 value = 0;
    QString unknown;
    QVERIFY(readDate("Tue, 05 Mar 2024 12:00:00 XYZT", &value, &unknown));
    QCOMPARE(value, QDateTime(QDate(2024, 3, 5), QTime(12, 0, 0)).toMSecsSinceEpoch());
    QCOMPARE(unknown, QString("XYZT"));
    unknown.clear();
    QVERIFY(readDate("Tue, 05 Mar 2024 12:00:00 JST", &value, &unknown));
    QVERIFY(unknown.isEmpty());
    QCOMPARE(zoneOffsetMinutes("ACST"), std::optional<int>(9 * 60 + 30));
    QCOMPARE(zoneOffsetMinutes("NDT"), std::optional<int>(-(2 * 60 + 30)));
    QVERIFY(!zoneOffsetMinutes("XYZT").has_value());

    LogCapture log;
    const QList<Item> items = symbolItems({{"a", "http://a.example", "",
                                            "Tue, 05 Mar 2024 "
                                            "12:00:00 XYZT",
                                            "", "", ""},
                                           {"b", "http://a.example", "",
                                            "Tue, 05 Mar 2024 "
                                            "13:00:00 XYZT",
                                            "", "", ""},
                                           {"c", "http://a.example", "",
                                            "Tue, 05 Mar 2024 "
                                            "13:00:00 QQT",
                                            "", "", ""}});
    QCOMPARE(items.size(), 3);
    QStringList mentions;
    for (const QString &line : log.lines()) {
        if (line.contains("XYZT") || line.contains("QQT"))
            mentions << line;
    }
    QCOMPARE(mentions.size(), 2);
    QVERIFY(mentions[0].contains("XYZT") && mentions[1].contains("QQT"));
}

void FeedItemsTest::atomEntriesAreReadLikeItems()
{
    const QByteArray xml = atomDocument(
        {{"First story", "http://news.example/1", "What happened", "2024-03-05T12:00:00Z",
          "urn:uuid:1", ""},
         {"Second & last", "http://news.example/2", "", "2024-03-05T13:00:00+01:00", "urn:uuid:2",
          "<content type=\"html\">&lt;p&gt;Full text&lt;/p&gt;</content>"}});
    QDomDocument parsed = document(xml);
    QVERIFY(isAtom(parsed));
    for (const FeedKind kind : {FeedKind::SymbolNews, FeedKind::GeneralFeed}) {
        const QList<Item> items = readItems(parsed, kind, DownloadTime);
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0].title, QString("First story"));
        QCOMPARE(items[0].link, QString("http://news.example/1"));
        QCOMPARE(items[0].description, QString("What happened"));
        QCOMPARE(items[0].pubDate, utcMs(2024, 3, 5, 12, 0, 0));
        QCOMPARE(items[1].title, QString("Second & last"));
        QCOMPARE(items[1].description, QString("<p>Full text</p>")); // no summary: the content
        QCOMPARE(items[1].pubDate, utcMs(2024, 3, 5, 12, 0, 0));
    }

    // With a namespace prefix, and entries of reports with their body and category.
    const QByteArray prefixed =
        "<atom:feed xmlns:atom=\"http://www.w3.org/2005/Atom\" "
        "xmlns:media=\"http://search.yahoo.com/mrss/\"><atom:title>P</atom:title>"
        "<atom:entry><atom:title>Report</atom:title><media:title>not this</media:title>"
        "<atom:link rel=\"alternate\" href=\"http://r.example/1\"/>"
        "<atom:summary>Short</atom:summary><atom:content type=\"html\">&lt;h2&gt;Body&lt;/h2&gt;"
        "</atom:content><atom:category term=\"Markets\"/><atom:category term=\"MarketReports\"/>"
        "<atom:published>2024-03-05T12:00:00Z</atom:published></atom:entry></atom:feed>";
    const QList<Item> reports = readItems(document(prefixed), FeedKind::MarketReport, DownloadTime);
    QCOMPARE(reports.size(), 1);
    QCOMPARE(reports[0].title, QString("Report"));
    QCOMPARE(reports[0].link, QString("http://r.example/1"));
    QCOMPARE(reports[0].description, QString("Short"));
    QCOMPARE(reports[0].content, QString("<h2>Body</h2>"));
    QCOMPARE(reports[0].category, QString("MarketReports"));
    QCOMPARE(reports[0].pubDate, utcMs(2024, 3, 5, 12, 0, 0));
}

void FeedItemsTest::atomTextsLinksAndDatesFollowTheirOwnRules()
{
    const QByteArray xml = atomDocument(
        {{"Links", "", "", "", "tag:news.example,2024:3",
          "<link rel=\"self\" href=\"http://self.example/\"/>"
          "<link rel=\"enclosure\" href=\"http://files.example/a.mp3\"/>"
          "<link href=\"http://news.example/3\"/><link rel=\"alternate\" "
          "href=\"http://news.example/other\"/>"
          "<published>2024-03-05T12:00:00Z</published><updated>2024-03-06T08:00:00Z</updated>"},
         {"No link", "", "", "2024-03-05T12:00:00Z", "http://news.example/by-id", ""},
         {"", "", "", "", "",
          "<title type=\"xhtml\"><div xmlns=\"http://www.w3.org/1999/xhtml\">A <b>bold</b> "
          "move</div></title><link href=\"http://tracker.example/rd?url=http%3A%2F%2Fnews."
          "example%2F4\"/>"}});
    const QList<Item> general = readItems(document(xml), FeedKind::GeneralFeed, DownloadTime);
    QCOMPARE(general.size(), 3);
    // The first alternate link (a link without rel is one); self and enclosure are not.
    QCOMPARE(general[0].link, QString("http://news.example/3"));
    // Published wins over updated.
    QCOMPARE(general[0].pubDate, utcMs(2024, 3, 5, 12, 0, 0));
    // The general reader never puts another field in place of the link ...
    QCOMPARE(general[1].link, QString());
    QCOMPARE(general[2].title, QString("A <b>bold</b> move"));
    QCOMPARE(general[2].pubDate, DownloadTime.toMSecsSinceEpoch());
    // ... per-symbol news takes the id, and unwraps tracking links as for RSS.
    const QList<Item> symbol = readItems(document(xml), FeedKind::SymbolNews, DownloadTime);
    QCOMPARE(symbol[1].link, QString("http://news.example/by-id"));
    QCOMPARE(symbol[2].link, QString("http://news.example/4"));
}

void FeedItemsTest::atomFeedsGiveTheirChannelText()
{
    const Channel channel = readChannel(document(atomDocument({}, "Atom & Co")));
    QCOMPARE(channel.title, QString("Atom & Co"));
    QCOMPARE(channel.link, QString("http://example.org/")); // the alternate, not the self link
    QCOMPARE(channel.description, QString("About Atom & Co"));
    QCOMPARE(channel.nodeNames,
             QStringList({"title", "link", "link", "subtitle", "updated", "id"}));
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
