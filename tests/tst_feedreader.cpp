#include "news/addrssclass.h"
#include "news/articlesclass.h"
#include "support/logcapture.h"
#include "support/newsfixture.h"
#include "support/scriptedhttpserver.h"
#include "support/simprocess.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

namespace {

QStringList itemsOf(const QComboBox *box)
{
    QStringList texts;
    for (int index = 0; index < box->count(); ++index)
        texts << box->itemText(index);
    return texts;
}

QByteArray feedWithItems(const QString &channel, int count,
                         const QString &linkPrefix = "http%3A//site.example/")
{
    QList<RssItem> items;
    for (int n = 0; n < count; ++n) {
        const QDateTime when = QDateTime::currentDateTimeUtc().addSecs(-3600 * (n + 1));
        items << RssItem{QString("Story %1").arg(n),
                         linkPrefix + QString::number(n),
                         "Someone's text",
                         when.toString("ddd, dd MMM yyyy hh:mm:ss") + " +0000",
                         "",
                         "",
                         ""};
    }
    return rssDocument(items, channel);
}

QString rfc822(const QDateTime &when)
{
    return when.toUTC().toString("ddd, dd MMM yyyy hh:mm:ss") + " +0000";
}

RssItem aged(const QString &title, const QDateTime &published)
{
    return RssItem{title, "http://a.example/" + title, "", rfc822(published), "", "", ""};
}

QString pageText(QWebEngineView *view)
{
    QString text;
    bool done = false;
    view->page()->toPlainText([&](const QString &result) {
        text = result;
        done = true;
    });
    for (int waited = 0; !done && waited < 10000; waited += 10)
        QTest::qWait(10);
    return done ? text : QStringLiteral("<no answer from the page>");
}

// Adds a feed through the manager dialog as a user does, and waits until the dialog is done.
void addThroughTheManager(AddRssClass *manager, const QString &address)
{
    QSignalSpy changed(manager, &AddRssClass::NewArticles);
    QDialog *form = manager->dialogWindow();
    form->findChild<QLineEdit *>("addressEdit")->setText(address);
    form->findChild<QPushButton *>("saveButton")->click();
    QVERIFY(changed.wait(10000));
}

} // namespace

class FeedReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void theFeedListOffersEveryTitleOnceAfterAChoiceEntry();
    void dueFeedsAreFetchedStoredAndPutOffForAnHour();
    void aMovedFeedIsStoredUnderItsNewAddress();
    void choosingASourceListsItsNewestTitles();
    void thePeriodLimitsTheArticleList();
    void theSourceSelectorPopsUpOnlyUntilAnArticleIsOpened();
    void anArticleIsOpenedFromTheFeedItWasChosenIn();
    void anArticleLinkThatIsNoWebAddressIsNotLoaded_data();
    void anArticleLinkThatIsNoWebAddressIsNotLoaded();
    void aFeedRedirectToALocalFileIsNotFollowedOrStored();
    void theManagerAddsAFeedAfterFetchingIt();
    void anAtomFeedAddedInTheReaderListsItsArticles();
    void anAtomFeedOfTheSimulatorListsItsArticles();
    void theManagerRefusesDuplicatesAndNonFeeds();
    void aNetworkErrorWhileAddingIsShownAndTheDialogStaysOpen();
    void theManagerDeletesAFeedWithItsItems();
    void theManagerRefusesAddressesItCouldNotReadBack_data();
    void theManagerRefusesAddressesItCouldNotReadBack();
    void aBarInAFeedsTitleIsDroppedSoItsColumnsStayInPlace();

private:
    NewsFixture *news = nullptr;
    ScriptedHttpServer *server = nullptr;
    QWidget *container = nullptr;
};

void FeedReaderTest::init()
{
    news = new NewsFixture;
    server = new ScriptedHttpServer;
    container = new QWidget;
}

void FeedReaderTest::cleanup()
{
    delete container;
    delete server;
    delete news;
}

void FeedReaderTest::theFeedListOffersEveryTitleOnceAfterAChoiceEntry()
{
    news->addGeneralFeed("Zulu", server->url("/z.xml"));
    news->addGeneralFeed("Alpha", server->url("/a.xml"));
    ArticlesClass page(container);
    auto *sources = container->findChild<QComboBox *>("sourceBox");
    QCOMPARE(itemsOf(sources), QStringList({"Please make a selection...", "Alpha", "Zulu"}));
    emit page.feedManager()->NewArticles();
    emit page.feedManager()->NewArticles();
    QCOMPARE(itemsOf(sources), QStringList({"Please make a selection...", "Alpha", "Zulu"}));
    QCOMPARE(itemsOf(container->findChild<QComboBox *>("periodBox")),
             QStringList({"This quarter", "This month", "This week"}));
}

void FeedReaderTest::dueFeedsAreFetchedStoredAndPutOffForAnHour()
{
    const int due = news->addGeneralFeed("Due", server->url("/due.xml"));
    news->addGeneralFeed("Later", server->url("/later.xml"),
                         QDateTime::currentMSecsSinceEpoch() + 600000);
    server->scriptBody("/due.xml", feedWithItems("Due", 3));
    ArticlesClass page(container);
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    page.getNewArticles();
    QTRY_COMPARE(news->count("rssItems"), 3);
    QCOMPARE(server->requests(), QStringList({"/due.xml"}));
    QVERIFY(
        news->value(QString("SELECT lastUpdate FROM rssFeeds WHERE id=%1").arg(due)).toLongLong() >=
        before + 3600000);
    // Only "%3A" is restored; the description is cleaned of apostrophes.
    QCOMPARE(news->rows("SELECT feedId, url, desc, read FROM rssItems WHERE title='Story 0'"),
             QStringList({QString("%1|http://site.example/0|Someones text|0").arg(due)}));

    page.getNewArticles(); // not due any more
    QTest::qWait(100);
    QCOMPARE(server->requests().size(), 1);
}

void FeedReaderTest::aMovedFeedIsStoredUnderItsNewAddress()
{
    const int id = news->addGeneralFeed("Moved", server->url("/old.xml"));
    server->scriptRedirect("/old.xml", "/new.xml", 301);
    server->scriptBody("/new.xml", feedWithItems("Moved", 2));
    ArticlesClass page(container);
    page.getNewArticles();
    QTRY_COMPARE(news->count("rssItems"), 2);
    QCOMPARE(news->value(QString("SELECT feedUrl FROM rssFeeds WHERE id=%1").arg(id)),
             server->url("/new.xml"));
    QCOMPARE(news->rows("SELECT DISTINCT feedId FROM rssItems"),
             QStringList({QString::number(id)}));
}

void FeedReaderTest::choosingASourceListsItsNewestTitles()
{
    news->addGeneralFeed("Bob's feed", server->url("/b.xml"));
    server->scriptBody("/b.xml", feedWithItems("B", 60));
    ArticlesClass page(container);
    page.getNewArticles();
    QTRY_COMPARE(news->count("rssItems"), 60);

    auto *sources = container->findChild<QComboBox *>("sourceBox");
    auto *articles = container->findChild<QComboBox *>("articleBox");
    sources->setCurrentText("Bob's feed");
    QCOMPARE(articles->count(), 51);
    QCOMPARE(articles->itemText(0), QString("Please make a selection..."));
    QCOMPARE(articles->itemText(1), QString("Story 0"));
    QCOMPARE(articles->itemText(50), QString("Story 49"));

    sources->setCurrentIndex(0);
    QCOMPARE(itemsOf(articles), QStringList({"Please make a selection..."}));
}

void FeedReaderTest::thePeriodLimitsTheArticleList()
{
    news->addGeneralFeed("Ages", server->url("/ages.xml"));
    const QDateTime now = QDateTime::currentDateTime();
    server->scriptBody("/ages.xml", rssDocument({aged("An hour old", now.addSecs(-3600)),
                                                 aged("Ten days old", now.addDays(-10)),
                                                 aged("Forty days old", now.addDays(-40)),
                                                 aged("A hundred days old", now.addDays(-100))}));
    ArticlesClass page(container);
    page.getNewArticles();
    QTRY_COMPARE(news->count("rssItems"), 4);
    auto *articles = container->findChild<QComboBox *>("articleBox");
    auto *period = container->findChild<QComboBox *>("periodBox");
    container->findChild<QComboBox *>("sourceBox")->setCurrentText("Ages");
    const QString choice = "Please make a selection...";
    QCOMPARE(period->currentIndex(), 0); // this quarter
    QCOMPARE(itemsOf(articles),
             QStringList({choice, "An hour old", "Ten days old", "Forty days old"}));
    period->setCurrentIndex(1);
    QCOMPARE(itemsOf(articles), QStringList({choice, "An hour old", "Ten days old"}));
    period->setCurrentIndex(2);
    QCOMPARE(itemsOf(articles), QStringList({choice, "An hour old"}));
}

void FeedReaderTest::theSourceSelectorPopsUpOnlyUntilAnArticleIsOpened()
{
    news->addGeneralFeed("Feed", server->url("/f.xml"));
    server->scriptBody("/f.xml", feedWithItems("F", 1, server->url("/article")));
    ScriptedHttpServer::Reply article;
    article.body = "<html><body>The article itself</body></html>";
    article.contentType = "text/html";
    server->script("/article0", article);
    ArticlesClass page(container);
    auto *view = container->findChild<QWebEngineView *>("articleView");
    QVERIFY(page.articleViewIsBlank());
    QTRY_COMPARE(view->url(), QUrl("about:blank"));
    page.getNewArticles();
    QTRY_COMPARE(news->count("rssItems"), 1);
    auto *sources = container->findChild<QComboBox *>("sourceBox");
    sources->setCurrentText("Feed");
    QVERIFY(page.articleViewIsBlank()); // a source alone opens no article
    QCOMPARE(view->url(), QUrl("about:blank"));
    QVERIFY(!server->requests().contains("/article0"));

    container->findChild<QComboBox *>("articleBox")->setCurrentText("Story 0");
    QVERIFY(!page.articleViewIsBlank());
    QTRY_COMPARE_WITH_TIMEOUT(view->url(), QUrl(server->url("/article0")), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(pageText(view).trimmed(), QString("The article itself"), 10000);
    QVERIFY(server->requests().contains("/article0"));
}

void FeedReaderTest::anArticleIsOpenedFromTheFeedItWasChosenIn()
{
    const QDateTime hourAgo = QDateTime::currentDateTime().addSecs(-3600);
    news->addGeneralFeed("First", server->url("/first.xml"));
    news->addGeneralFeed("Second", server->url("/second.xml"));
    server->scriptBody("/first.xml", rssDocument({{"Market update", server->url("/first-story"), "",
                                                   rfc822(hourAgo), "", "", ""}}));
    server->scriptBody("/second.xml", rssDocument({{"Market update", server->url("/second-story"),
                                                    "", rfc822(hourAgo.addSecs(60)), "", "", ""}}));
    ArticlesClass page(container);
    page.getNewArticles();
    QTRY_COMPARE(news->count("rssItems"), 2);
    auto *view = container->findChild<QWebEngineView *>("articleView");
    for (const QString feed : {"First", "Second"}) {
        container->findChild<QComboBox *>("sourceBox")->setCurrentText(feed);
        container->findChild<QComboBox *>("articleBox")->setCurrentText("Market update");
        const QUrl expected(server->url(feed == "First" ? "/first-story" : "/second-story"));
        QTRY_COMPARE_WITH_TIMEOUT(view->url(), expected, 10000);
    }
}

void FeedReaderTest::anArticleLinkThatIsNoWebAddressIsNotLoaded_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("scheme");
    QTest::newRow("file") << "file:///etc/passwd"
                          << "file";
    QTest::newRow("file, colon escaped") << "file%3A///etc/passwd"
                                         << "file";
    QTest::newRow("data") << "data:text/html,<script>alert(1)</script>"
                          << "data";
    QTest::newRow("javascript") << "javascript:alert(document.cookie)"
                                << "javascript";
}

void FeedReaderTest::anArticleLinkThatIsNoWebAddressIsNotLoaded()
{
    QFETCH(QString, link);
    QFETCH(QString, scheme);
    news->addGeneralFeed("Hostile", server->url("/h.xml"));
    const QString recently =
        QDateTime::currentDateTimeUtc().addSecs(-3600).toString("ddd, dd MMM yyyy hh:mm:ss") +
        " +0000";
    server->scriptBody("/h.xml",
                       rssDocument({{"Look here", link, "d", recently, "", "", ""}}, "Hostile"));
    QMainWindow window;
    auto *host = new QWidget;
    window.setCentralWidget(host);
    ArticlesClass page(host);
    page.getNewArticles();
    QTRY_COMPARE(news->count("rssItems"), 1);
    host->findChild<QComboBox *>("sourceBox")->setCurrentText("Hostile");
    host->findChild<QComboBox *>("articleBox")->setCurrentText("Look here");
    QCOMPARE(window.statusBar()->currentMessage(),
             QString("Link not opened: only web addresses are opened, this one is a \"%1\" "
                     "link.")
                 .arg(scheme));
    QTest::qWait(300);
    auto *view = host->findChild<QWebEngineView *>("articleView");
    // The view may show the reader's own placeholder HTML, never the refused link.
    QVERIFY2(!view->url()
                  .toString(QUrl::FullyDecoded)
                  .contains(QUrl::fromPercentEncoding(link.toUtf8()).mid(scheme.size() + 1)),
             qPrintable(view->url().toString()));
    QVERIFY(view->url().scheme() != "file");
    QVERIFY(view->url().scheme() != "javascript");
}

void FeedReaderTest::aFeedRedirectToALocalFileIsNotFollowedOrStored()
{
    const int id = news->addGeneralFeed("Moved", server->url("/old.xml"));
    server->scriptRedirect("/old.xml", "file:///etc/passwd", 301);
    ArticlesClass page(container);
    page.getNewArticles();
    QTRY_COMPARE(server->requests().size(), 1);
    QTest::qWait(200);
    QCOMPARE(news->value(QString("SELECT feedUrl FROM rssFeeds WHERE id=%1").arg(id)),
             server->url("/old.xml"));
    QCOMPARE(news->count("rssItems"), 0);
}

void FeedReaderTest::theManagerAddsAFeedAfterFetchingIt()
{
    server->scriptBody("/new.xml", rssDocument({}, "Bob's News"));
    AddRssClass manager;
    QSignalSpy changed(&manager, &AddRssClass::NewArticles);
    QDialog *form = manager.dialogWindow();
    form->show();
    form->findChild<QLineEdit *>("addressEdit")->setText(server->url("/new.xml"));
    auto *save = form->findChild<QPushButton *>("saveButton");
    QCOMPARE(save->text(), QString("Verify && Save"));
    save->click();
    QVERIFY(!save->isEnabled());
    QTRY_COMPARE(changed.count(), 1);
    QVERIFY(save->isEnabled());
    QVERIFY(!form->isVisible());
    QCOMPARE(news->rows("SELECT title, feedUrl, desc, lastUpdate FROM rssFeeds"),
             QStringList({"Bob's News|" + server->url("/new.xml") + "|About Bob's News|0"}));
    auto *table = form->findChild<QTableWidget *>("feedsTable");
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 2)->text(), QString("Bob's News"));
    QVERIFY(table->isColumnHidden(0) && table->isColumnHidden(1));
}

void FeedReaderTest::anAtomFeedAddedInTheReaderListsItsArticles()
{
    server->scriptBody(
        "/atom.xml",
        atomDocument(
            {{"Newest entry", "http://news.example/2", "Second summary",
              QDateTime::currentDateTimeUtc().addSecs(-600).toString(Qt::ISODate), "urn:2", ""},
             {"Older entry", "http://news.example/1", "First summary",
              QDateTime::currentDateTimeUtc().addSecs(-7200).toString(Qt::ISODate), "urn:1", ""}},
            "Atom Desk"));
    ArticlesClass page(container);
    addThroughTheManager(page.feedManager(), server->url("/atom.xml"));
    QCOMPARE(news->rows("SELECT title, desc FROM rssFeeds"),
             QStringList({"Atom Desk|About Atom Desk"}));

    page.getNewArticles();
    QTRY_COMPARE(news->count("rssItems"), 2);
    QCOMPARE(news->rows("SELECT title, url, desc FROM rssItems ORDER BY pubDate DESC"),
             QStringList({"Newest entry|http://news.example/2|Second summary",
                          "Older entry|http://news.example/1|First summary"}));
    container->findChild<QComboBox *>("sourceBox")->setCurrentText("Atom Desk");
    QCOMPARE(itemsOf(container->findChild<QComboBox *>("articleBox")),
             QStringList({"Please make a selection...", "Newest entry", "Older entry"}));
}

void FeedReaderTest::anAtomFeedOfTheSimulatorListsItsArticles()
{
    SimProcess sim;
    QVERIFY(sim.isRunning());
    ArticlesClass page(container);
    addThroughTheManager(page.feedManager(), sim.baseUrl() + "/feeds/asia.atom");
    QCOMPARE(news->rows("SELECT title FROM rssFeeds"), QStringList({"Asia Pacific Markets"}));
    page.getNewArticles();
    QTRY_VERIFY_WITH_TIMEOUT(news->count("rssItems") >= 20, 10000);
    // Dates written in Asian offsets land at the right moment: none in the future, all recent.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const QStringList dates = news->rows("SELECT pubDate FROM rssItems");
    for (const QString &date : dates)
        QVERIFY2(date.toLongLong() <= now && date.toLongLong() > now - 30LL * 86400000,
                 qPrintable(date));
    QCOMPARE(news->count("rssItems"),
             news->rows("SELECT id FROM rssItems WHERE url LIKE 'http://%/articles/feeds/asia-%'")
                 .size());
    container->findChild<QComboBox *>("sourceBox")->setCurrentText("Asia Pacific Markets");
    QVERIFY(container->findChild<QComboBox *>("articleBox")->count() > 20);
}

void FeedReaderTest::theManagerRefusesDuplicatesAndNonFeeds()
{
    news->addGeneralFeed("Have it", server->url("/have.xml"));
    server->scriptBody("/have.xml", rssDocument({}, "Have it"));
    server->scriptBody("/page.html", "<html><p>no feed</html>");
    AddRssClass manager;
    QSignalSpy changed(&manager, &AddRssClass::NewArticles);
    QDialog *form = manager.dialogWindow();
    auto *address = form->findChild<QLineEdit *>("addressEdit");
    news->boxes().clear();

    address->setText(server->url("/have.xml"));
    form->findChild<QPushButton *>("saveButton")->click();
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(news->boxes().shown().last().text, QString("Duplicate RSS Feed. Please try another."));
    QCOMPARE(news->boxes().shown().last().title, QString("Error!"));

    address->setText(server->url("/page.html"));
    form->findChild<QPushButton *>("saveButton")->click();
    QTRY_COMPARE(changed.count(), 2);
    QCOMPARE(news->boxes().shown().last().text, QString("Invalid RSS feed. Please try another."));

    // Well-formed XML that is no feed would never yield an article.
    server->scriptBody("/page.xhtml", "<html><head><title>Page</title></head><body/></html>");
    address->setText(server->url("/page.xhtml"));
    form->findChild<QPushButton *>("saveButton")->click();
    QTRY_COMPARE(changed.count(), 3);
    QCOMPARE(news->boxes().shown().size(), 3);
    QCOMPARE(news->boxes().shown().last().text, QString("Invalid RSS feed. Please try another."));
    QCOMPARE(news->count("rssFeeds"), 1);
}

void FeedReaderTest::aNetworkErrorWhileAddingIsShownAndTheDialogStaysOpen()
{
    server->scriptBody("/missing.xml", "gone", 404);
    news->boxes().clear();
    AddRssClass manager;
    QDialog *form = manager.dialogWindow();
    form->show();
    auto *save = form->findChild<QPushButton *>("saveButton");
    form->findChild<QLineEdit *>("addressEdit")->setText(server->url("/missing.xml"));
    save->click();
    QTRY_VERIFY(save->isEnabled());
    QCOMPARE(news->boxes().titles(), QStringList({"Download failed"}));
    QVERIFY(news->boxes().shown().first().text.startsWith("The feed could not be fetched: "));
    QVERIFY(form->isVisible());
    QCOMPARE(news->count("rssFeeds"), 0);
}

void FeedReaderTest::theManagerDeletesAFeedWithItsItems()
{
    const int keep = news->addGeneralFeed("Keep", server->url("/k.xml"));
    const int drop = news->addGeneralFeed("Drop", server->url("/d.xml"));
    news->store().ExecSQL(
        QString("INSERT INTO rssItems (feedId, title, url) VALUES(%1,'k','u1'),(%2,'d','u2')")
            .arg(keep)
            .arg(drop));
    AddRssClass manager;
    QSignalSpy changed(&manager, &AddRssClass::NewArticles);
    QDialog *form = manager.dialogWindow();
    auto *table = form->findChild<QTableWidget *>("feedsTable");
    auto *remove = form->findChild<QPushButton *>("deleteButton");
    remove->click(); // nothing chosen yet
    QCOMPARE(changed.count(), 0);

    emit table->cellDoubleClicked(1, 2);
    QCOMPARE(form->findChild<QLineEdit *>("addressEdit")->text(), server->url("/d.xml"));
    remove->click();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(news->rows("SELECT title FROM rssFeeds"), QStringList({"Keep"}));
    QCOMPARE(news->rows("SELECT title FROM rssItems"), QStringList({"k"}));
    QCOMPARE(table->rowCount(), 1);
    QVERIFY(form->findChild<QLineEdit *>("addressEdit")->text().isEmpty());
}

void FeedReaderTest::theManagerRefusesAddressesItCouldNotReadBack_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("message");
    const QString bar = "A feed address cannot contain \"|\". Please try another.";
    const QString web = "Only web addresses (http or https) can be used for feeds. Please try "
                        "another.";
    QTest::newRow("bar") << "/a.xml?x=1|2" << bar;
    QTest::newRow("file") << "file:///etc/passwd" << web;
    QTest::newRow("data") << "data:text/xml,<rss/>" << web;
    QTest::newRow("no scheme") << "news.example/rss" << web;
}

void FeedReaderTest::theManagerRefusesAddressesItCouldNotReadBack()
{
    QFETCH(QString, address);
    QFETCH(QString, message);
    if (address.startsWith('/'))
        address = server->url(address);
    server->scriptBody("/a.xml", rssDocument({}, "A"));
    AddRssClass manager;
    news->boxes().clear();
    QDialog *form = manager.dialogWindow();
    form->findChild<QLineEdit *>("addressEdit")->setText(address);
    form->findChild<QPushButton *>("saveButton")->click();
    QCOMPARE(news->boxes().shown().size(), 1);
    QCOMPARE(news->boxes().shown().last().title, QString("Error!"));
    QCOMPARE(news->boxes().shown().last().text, message);
    QTest::qWait(100);
    QVERIFY(server->requests().isEmpty());
    QCOMPARE(news->count("rssFeeds"), 0);
    QVERIFY(form->findChild<QPushButton *>("saveButton")->isEnabled());
}

void FeedReaderTest::aBarInAFeedsTitleIsDroppedSoItsColumnsStayInPlace()
{
    server->scriptBody("/bar.xml", rssDocument({}, "Bob | News"));
    AddRssClass manager;
    QSignalSpy changed(&manager, &AddRssClass::NewArticles);
    QDialog *form = manager.dialogWindow();
    form->findChild<QLineEdit *>("addressEdit")->setText(server->url("/bar.xml"));
    form->findChild<QPushButton *>("saveButton")->click();
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(news->rows("SELECT title, feedUrl FROM rssFeeds"),
             QStringList({"Bob  News|" + server->url("/bar.xml")}));
    auto *table = form->findChild<QTableWidget *>("feedsTable");
    QCOMPARE(table->item(0, 3)->text(), server->url("/bar.xml"));
}

NEWS_TEST_MAIN(FeedReaderTest)
#include "tst_feedreader.moc"
