#include "common/weblinks.h"
#include "support/desktopopener.h"

#include <QMainWindow>
#include <QStatusBar>
#include <QtTest>

class WebLinksTest : public QObject
{
    Q_OBJECT

private slots:
    void onlyHttpAndHttpsAddressesWithAHostAreWebAddresses_data();
    void onlyHttpAndHttpsAddressesWithAHostAreWebAddresses();
    void aRefusedFeedLinkNeverReachesTheDesktopAndTheStatusBarSaysWhy();
    void aWebLinkIsHandedToTheBrowserAsItStands();
};

void WebLinksTest::onlyHttpAndHttpsAddressesWithAHostAreWebAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("web");
    QTest::newRow("http") << "http://news.example/a?b=1#c" << true;
    QTest::newRow("https upper case") << "HTTPS://News.Example/A" << true;
    QTest::newRow("blanks around") << "  http://news.example/a \n" << true;
    QTest::newRow("file") << "file:///etc/passwd" << false;
    QTest::newRow("file host") << "file://localhost/etc/passwd" << false;
    QTest::newRow("bare path") << "/etc/passwd" << false;
    QTest::newRow("data") << "data:text/html,<script>alert(1)</script>" << false;
    QTest::newRow("javascript") << "javascript:alert(document.cookie)" << false;
    QTest::newRow("javascript mixed case") << "JaVaScRiPt:alert(1)" << false;
    QTest::newRow("ftp") << "ftp://files.example/x" << false;
    QTest::newRow("mailto") << "mailto:someone@example.com" << false;
    QTest::newRow("no host") << "http:///etc/passwd" << false;
    QTest::newRow("no scheme") << "www.example.com/a" << false;
    QTest::newRow("empty") << "" << false;
}

void WebLinksTest::onlyHttpAndHttpsAddressesWithAHostAreWebAddresses()
{
    QFETCH(QString, text);
    QFETCH(bool, web);
    QCOMPARE(WebLinks::webAddressFromText(text).isEmpty(), !web);
    QCOMPARE(WebLinks::isWebAddress(QUrl(text.trimmed())), web);

    DesktopOpener desktop;
    QCOMPARE(WebLinks::openInBrowser(QUrl(text.trimmed())), web);
    QCOMPARE(desktop.opened.size(), web ? 1 : 0);
}

void WebLinksTest::aRefusedFeedLinkNeverReachesTheDesktopAndTheStatusBarSaysWhy()
{
    QMainWindow window;
    auto *page = new QWidget;
    window.setCentralWidget(page);
    DesktopOpener desktop;
    QVERIFY(!WebLinks::openFeedLink(page, "file:///etc/passwd"));
    QVERIFY(desktop.opened.isEmpty());
    QCOMPARE(window.statusBar()->currentMessage(),
             WebLinks::refusedLinkMessage(QUrl("file:///etc/passwd")));
    QVERIFY(window.statusBar()->currentMessage().contains("\"file\""));

    // Without a window around it, refusing still works (the note goes to the log).
    QWidget alone;
    QVERIFY(!WebLinks::openFeedLink(&alone, "javascript:alert(1)"));
    QVERIFY(desktop.opened.isEmpty());
}

void WebLinksTest::aWebLinkIsHandedToTheBrowserAsItStands()
{
    QMainWindow window;
    DesktopOpener desktop;
    QVERIFY(WebLinks::openFeedLink(&window, " https://news.example/story?id=7&x=%20y "));
    QCOMPARE(desktop.opened, QList<QUrl>({QUrl("https://news.example/story?id=7&x=%20y")}));
    QVERIFY(window.statusBar()->currentMessage().isEmpty());
}

QTEST_MAIN(WebLinksTest)
#include "tst_weblinks.moc"
