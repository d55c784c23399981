#include "reference/educationclass.h"
#include "reference/supportclass.h"
#include "support/newsfixture.h"
#include "support/simprocess.h"

#include <QSignalSpy>
#include <QTabWidget>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

namespace {

constexpr int LoadTimeoutMs = 20000;

QWebEngineView *viewNamed(QWidget *page, const char *name)
{
    return page->findChild<QWebEngineView *>(QString::fromLatin1(name));
}

// Waits until the view has finished loading `url` (or anything, when url is empty).
bool waitUntilLoaded(QWebEngineView *view, const QUrl &url = QUrl())
{
    QElapsedTimer clock;
    clock.start();
    QSignalSpy finished(view, &QWebEngineView::loadFinished);
    while (clock.elapsed() < LoadTimeoutMs) {
        if ((url.isEmpty() || view->url() == url) && !view->title().isEmpty() &&
            view->title() != view->url().toString() && view->page()->isLoading() == false)
            return true;
        finished.wait(100);
    }
    return false;
}

} // namespace

class ReferencePagesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void educationTabsOpenTheirSitesAtStartUp();
    void eachTabKeepsItsPlaceWhenSwitching();
    void supportOpensTheForum();
    void linksToOtherSchemesAreNotFollowed();
    void startAddressesComeFromTheServiceAddresses();

private:
    SimProcess *sim = nullptr;
    QWidget *container = nullptr;
};

void ReferencePagesTest::init()
{
    sim = new SimProcess;
    QVERIFY(sim->isRunning());
    container = new QWidget;
    container->resize(900, 600);
}

void ReferencePagesTest::cleanup()
{
    delete container;
    delete sim;
}

void ReferencePagesTest::educationTabsOpenTheirSitesAtStartUp()
{
    EducationClass page(container);
    auto *tabs = page.findChild<QTabWidget *>("tabWidget");
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QString("Investopedia"));
    QCOMPARE(tabs->tabText(1), QString("WikiWealth"));
    QCOMPARE(tabs->tabPosition(), QTabWidget::South);

    // Loaded while hidden, before anyone looks.
    QWebEngineView *investopedia = viewNamed(&page, "investopediaView");
    QWebEngineView *wikiWealth = viewNamed(&page, "wikiWealthView");
    QVERIFY(waitUntilLoaded(investopedia, QUrl(sim->baseUrl() + "/")));
    QVERIFY(waitUntilLoaded(wikiWealth, QUrl(sim->baseUrl() + "/company/")));
    QCOMPARE(investopedia->title(), QString("Investopedia"));
    QCOMPARE(wikiWealth->title(), QString("WikiWealth: Companies"));

    // Showing the page asks for nothing new.
    QSignalSpy started(investopedia, &QWebEngineView::loadStarted);
    container->show();
    tabs->setCurrentIndex(1);
    tabs->setCurrentIndex(0);
    QTest::qWait(300);
    QCOMPARE(started.count(), 0);
}

void ReferencePagesTest::eachTabKeepsItsPlaceWhenSwitching()
{
    EducationClass page(container);
    container->show();
    auto *tabs = page.findChild<QTabWidget *>("tabWidget");
    QWebEngineView *investopedia = viewNamed(&page, "investopediaView");
    QWebEngineView *wikiWealth = viewNamed(&page, "wikiWealthView");
    QVERIFY(waitUntilLoaded(investopedia));
    QVERIFY(waitUntilLoaded(wikiWealth));

    // The user follows a link in each tab.
    investopedia->page()->runJavaScript("document.querySelector('a[href*=\"dividend\"]').click()");
    const QUrl term(sim->baseUrl() + "/terms/dividend-yield/");
    QVERIFY(waitUntilLoaded(investopedia, term));
    tabs->setCurrentIndex(1);
    wikiWealth->page()->runJavaScript("document.querySelector('main a').click()");
    QTRY_VERIFY_WITH_TIMEOUT(wikiWealth->url().path().startsWith("/company/") &&
                                 wikiWealth->url().path() != "/company/",
                             LoadTimeoutMs);
    const QUrl company = wikiWealth->url();
    QVERIFY(waitUntilLoaded(wikiWealth, company));

    tabs->setCurrentIndex(0);
    QTest::qWait(200);
    QCOMPARE(investopedia->url(), term);
    QCOMPARE(investopedia->title(), QString("Dividend Yield"));
    tabs->setCurrentIndex(1);
    QTest::qWait(200);
    QCOMPARE(wikiWealth->url(), company);
}

void ReferencePagesTest::supportOpensTheForum()
{
    SupportClass page(container);
    QWebEngineView *forum = viewNamed(&page, "forumView");
    QVERIFY(forum);
    QVERIFY(waitUntilLoaded(forum, QUrl(sim->baseUrl() + "/vanilla/")));
    QCOMPARE(forum->title(), QString("Corvane Community Forum"));
}

void ReferencePagesTest::linksToOtherSchemesAreNotFollowed()
{
    SupportClass page(container);
    QWebEngineView *forum = viewNamed(&page, "forumView");
    const QUrl start(sim->baseUrl() + "/vanilla/");
    QVERIFY(waitUntilLoaded(forum, start));
    // about:blank is harmless and allowed by the policy; local files and data: pages are not.
    for (const char *target : {"file:///etc/hostname", "data:text/html,<title>x</title>"}) {
        forum->page()->runJavaScript(QStringLiteral("location.href='%1'").arg(target));
        QTest::qWait(500);
        QCOMPARE(forum->url(), start);
        QCOMPARE(forum->title(), QString("Corvane Community Forum"));
    }
}

void ReferencePagesTest::startAddressesComeFromTheServiceAddresses()
{
    qputenv("CORVANE_ENCYCLOPEDIA_URL", "http://encyclopedia.example:8080/");
    qputenv("CORVANE_WIKI_URL", "https://wiki.example");
    qputenv("CORVANE_VENDOR_URL", "http://vendor.example");
    QCOMPARE(EducationClass::investopediaUrl(), QUrl("http://encyclopedia.example:8080/"));
    QCOMPARE(EducationClass::wikiWealthUrl(), QUrl("https://wiki.example/company/"));
    QCOMPARE(SupportClass::forumUrl(), QUrl("http://vendor.example/vanilla/"));
    qunsetenv("CORVANE_ENCYCLOPEDIA_URL");
    qunsetenv("CORVANE_WIKI_URL");
    qunsetenv("CORVANE_VENDOR_URL");
}

NEWS_TEST_MAIN(ReferencePagesTest)
#include "tst_referencepages.moc"
