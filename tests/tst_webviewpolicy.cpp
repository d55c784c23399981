#include "support/newsfixture.h"
#include "support/scriptedhttpserver.h"
#include "widgets/webviewpolicy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtTest>

namespace {

bool loadAndWait(QWebEngineView *view, const std::function<void()> &load)
{
    QSignalSpy finished(view, &QWebEngineView::loadFinished);
    load();
    return finished.wait(15000);
}

} // namespace

class WebViewPolicyTest : public QObject
{
    Q_OBJECT

private slots:
    void navigationIsLimitedToWebAddresses_data();
    void navigationIsLimitedToWebAddresses();
    void textViewsRunNoScriptAndNoViewLoadsPlugins();
    void aSiteCannotLeadTheViewToLocalFiles();
    void theLoadingPageBesideTheApplicationMayBeShown();
};

void WebViewPolicyTest::navigationIsLimitedToWebAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("byApplication");
    QTest::addColumn<bool>("mainFrame");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("http link") << "http://news.example/a" << false << true << true;
    QTest::newRow("https redirect") << "https://news.example/b" << false << true << true;
    QTest::newRow("https frame") << "https://ads.example/f" << false << false << true;
    QTest::newRow("about:blank") << "about:blank" << false << true << true;
    QTest::newRow("srcdoc frame") << "about:srcdoc" << false << false << true;
    QTest::newRow("srcdoc main") << "about:srcdoc" << false << true << false;
    QTest::newRow("about:config") << "about:config" << true << true << false;
    QTest::newRow("setHtml") << "data:text/html;charset=UTF-8,%3Cp%3Ex" << true << true << true;
    QTest::newRow("data link") << "data:text/html,%3Cscript%3E" << false << true << false;
    QTest::newRow("data frame") << "data:text/html,x" << true << false << false;
    QTest::newRow("data image") << "data:image/svg+xml,%3Csvg" << true << true << false;
    QTest::newRow("file link") << "file:///etc/passwd" << false << true << false;
    QTest::newRow("file loaded") << "file:///etc/passwd" << true << true << false;
    QTest::newRow("javascript") << "javascript:alert(1)" << true << true << false;
    QTest::newRow("ftp") << "ftp://files.example/x" << false << true << false;
    QTest::newRow("view-source") << "view-source:http://x.example/" << true << true << false;
}

void WebViewPolicyTest::navigationIsLimitedToWebAddresses()
{
    QFETCH(QString, address);
    QFETCH(bool, byApplication);
    QFETCH(bool, mainFrame);
    QFETCH(bool, allowed);
    QCOMPARE(WebViewPolicy::allowsNavigation(QUrl(address), byApplication, mainFrame), allowed);
}

void WebViewPolicyTest::textViewsRunNoScriptAndNoViewLoadsPlugins()
{
    QWebEngineView view;
    WebViewPolicy::apply(&view, WebViewPolicy::Content::Text);
    QWebEngineSettings *settings = view.page()->settings();
    QVERIFY(!settings->testAttribute(QWebEngineSettings::JavascriptEnabled));
    QVERIFY(!settings->testAttribute(QWebEngineSettings::PluginsEnabled));
    QVERIFY(!settings->testAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls));
    QVERIFY(!settings->testAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls));
    QVERIFY(loadAndWait(&view, [&] {
        view.setHtml("<html><head><title>quiet</title></head><body>report"
                     "<script>document.title='ran';</script>"
                     "<img src=x onerror=\"document.title='ran'\"></body></html>");
    }));
    QTest::qWait(200);
    QCOMPARE(view.title(), QString("quiet"));

    QWebEngineView site;
    WebViewPolicy::apply(&site, WebViewPolicy::Content::Site);
    QVERIFY(site.page()->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));
    QVERIFY(!site.page()->settings()->testAttribute(QWebEngineSettings::PluginsEnabled));
    QVERIFY(!site.page()->settings()->testAttribute(QWebEngineSettings::JavascriptCanOpenWindows));
}

void WebViewPolicyTest::aSiteCannotLeadTheViewToLocalFiles()
{
    ScriptedHttpServer server;
    ScriptedHttpServer::Reply page;
    page.contentType = "text/html";
    page.body = "<html><head><title>site</title></head><body><a id=l href='file:///etc/passwd'>"
                "x</a><script>setTimeout(function(){location.href='file:///etc/passwd';},10);"
                "</script></body></html>";
    server.script("/page.html", page);
    server.scriptRedirect("/to-file", "file:///etc/passwd");

    QMainWindow window;
    auto *view = new QWebEngineView;
    window.setCentralWidget(view);
    WebViewPolicy::apply(view, WebViewPolicy::Content::Site);
    QVERIFY(loadAndWait(view, [&] { view->load(QUrl(server.url("/page.html"))); }));
    QTest::qWait(500); // the page's script has tried by now
    QCOMPARE(view->url(), QUrl(server.url("/page.html")));
    QCOMPARE(view->title(), QString("site"));

    // Neither a redirect nor a load of the application leads to a local file; the user learns
    // why nothing happened.
    view->load(QUrl(server.url("/to-file")));
    QTest::qWait(500);
    QVERIFY(view->url().scheme() != "file");
    view->load(QUrl("file:///etc/passwd"));
    QTRY_VERIFY_WITH_TIMEOUT(window.statusBar()->currentMessage().contains("\"file\""), 5000);
    QVERIFY(view->url().scheme() != "file");
}

void WebViewPolicyTest::theLoadingPageBesideTheApplicationMayBeShown()
{
    // The tests run in build/bin, where the loading page lies beside the application.
    const QString loading = QDir::current().absoluteFilePath("Loading.html");
    QVERIFY2(QFile::exists(loading), qPrintable(loading));
    QVERIFY(WebViewPolicy::allowsNavigation(QUrl::fromLocalFile(loading), true));
    QVERIFY(!WebViewPolicy::allowsNavigation(QUrl::fromLocalFile(loading), false));
    QTemporaryDir elsewhere;
    QFile other(elsewhere.filePath("Loading.html"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("<p>x</p>");
    other.close();
    QVERIFY(!WebViewPolicy::allowsNavigation(QUrl::fromLocalFile(other.fileName()), true));
}

NEWS_TEST_MAIN(WebViewPolicyTest)
#include "tst_webviewpolicy.moc"
