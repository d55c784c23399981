#include "common/requests.h"
#include "common/serviceaddresses.h"
#include "support/logcapture.h"
#include "support/scriptedhttpserver.h"
#include "support/simprocess.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QtTest>

Q_DECLARE_METATYPE(ScriptedHttpServer::Reply)

namespace {

class Environment
{
public:
    Environment(const char *name, const QByteArray &value)
        : name(name), previous(qgetenv(name)), wasSet(qEnvironmentVariableIsSet(name))
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~Environment() { wasSet ? qputenv(name, previous) : qunsetenv(name); }

private:
    const char *name;
    QByteArray previous;
    bool wasSet;
};

} // namespace

class RequestsTest : public QObject
{
    Q_OBJECT

private slots:
    void everyRequestLeavesRedirectsToTheCallerAndEndsInTime();
    void relativeRedirectIsResolvedAgainstTheRequest();
    void redirectChainEndsAfterFiveHops();
    void blockingFetchFollowsRedirectsAndGivesUpOnSilence();
    void replyTextStopsAtTheFirstZeroByte();
    void aReplyPastItsCapIsAbortedAndLogged_data();
    void aReplyPastItsCapIsAbortedAndLogged();
    void theCapHoldsAcrossRedirects();
    void onlyWebAddressesAreRequestedOrFollowed_data();
    void onlyWebAddressesAreRequestedOrFollowed();
    void finishingAGoodReplyHandsOverItsBody();
    void finishingAFailedReplyGivesItsErrorText();
    void finishingARedirectSendsTheNextRequest();
    void finishingARedirectToAnotherSchemeRefusesIt_data();
    void finishingARedirectToAnotherSchemeRefusesIt();
    void finishingARedirectChainEndsAfterFiveHops();
    void finishingAReplyPastItsCapFailsIt();
    void finishingLeavesRedirectsAndBodiesToCallersWhoAsk();
    void serviceAddressesComeFromTheEnvironment();
    void simulatorServesTheVendorFiles();
};

void RequestsTest::everyRequestLeavesRedirectsToTheCallerAndEndsInTime()
{
    const QNetworkRequest request =
        Requests::request(QUrl("http://127.0.0.1/x"), Requests::Caps::Feeds);
    QCOMPARE(request.attribute(QNetworkRequest::RedirectPolicyAttribute).toInt(),
             int(QNetworkRequest::ManualRedirectPolicy));
    QCOMPARE(request.transferTimeout(), 30000);
    QVERIFY(request.header(QNetworkRequest::UserAgentHeader)
                .toString()
                .startsWith("Corvane/1.12.03.16"));

    ScriptedHttpServer server;
    server.scriptRedirect("/old", "/new");
    QNetworkAccessManager manager;
    QNetworkReply *reply = Requests::get(manager, QUrl(server.url("/old")), Requests::Caps::Feeds);
    QVERIFY(Requests::waitForFinished(reply, 5000));
    QCOMPARE(reply->error(), QNetworkReply::NoError);
    QCOMPARE(server.requests(), QStringList({"/old"})); // not followed by Qt
    QCOMPARE(Requests::redirectTarget(reply), QUrl(server.url("/new")));
}

void RequestsTest::relativeRedirectIsResolvedAgainstTheRequest()
{
    ScriptedHttpServer server;
    server.scriptRedirect("/feeds/old.xml", "moved.xml?x=1");
    server.scriptBody("/feeds/moved.xml", "<rss/>");
    QNetworkAccessManager manager;
    QNetworkReply *reply =
        Requests::get(manager, QUrl(server.url("/feeds/old.xml")), Requests::Caps::Feeds);
    QVERIFY(Requests::waitForFinished(reply, 5000));
    QCOMPARE(Requests::redirectTarget(reply), QUrl(server.url("/feeds/moved.xml?x=1")));
    QNetworkReply *next = Requests::followRedirect(manager, reply);
    QVERIFY(next);
    QVERIFY(Requests::waitForFinished(next, 5000));
    QCOMPARE(next->readAll(), QByteArray("<rss/>"));
    QCOMPARE(Requests::redirectCount(next), 1);
    QVERIFY(Requests::redirectTarget(next).isEmpty());
    QVERIFY(!Requests::followRedirect(manager, next)); // no redirect, nothing to follow
}

void RequestsTest::redirectChainEndsAfterFiveHops()
{
    ScriptedHttpServer server;
    server.scriptRedirect("/loop", "/loop");
    QNetworkAccessManager manager;
    QNetworkReply *reply = Requests::get(manager, QUrl(server.url("/loop")), Requests::Caps::Feeds);
    int followed = 0;
    while (reply) {
        QVERIFY(Requests::waitForFinished(reply, 5000));
        QNetworkReply *next = Requests::followRedirect(manager, reply);
        if (next)
            ++followed;
        reply = next;
    }
    QCOMPARE(followed, Requests::MaxRedirects);
    QCOMPARE(server.requests().size(), Requests::MaxRedirects + 1);
}

void RequestsTest::blockingFetchFollowsRedirectsAndGivesUpOnSilence()
{
    ScriptedHttpServer server;
    server.scriptRedirect("/a", "/b");
    server.scriptBody("/b", "answer");
    ScriptedHttpServer::Reply silent;
    silent.neverAnswer = true;
    server.script("/silent", silent);

    const auto found = Requests::fetchBlocking(QUrl(server.url("/a")), Requests::Caps::Feeds, 5000);
    QVERIFY(found.ok);
    QCOMPARE(found.body, QByteArray("answer"));

    const auto missing =
        Requests::fetchBlocking(QUrl(server.url("/nothing")), Requests::Caps::Feeds, 5000);
    QVERIFY(!missing.ok);
    QVERIFY(!missing.errorText.isEmpty());

    QElapsedTimer clock;
    clock.start();
    const auto silence =
        Requests::fetchBlocking(QUrl(server.url("/silent")), Requests::Caps::Feeds, 300);
    QVERIFY(!silence.ok);
    QVERIFY(clock.elapsed() < 5000);
}

void RequestsTest::replyTextStopsAtTheFirstZeroByte()
{
    QCOMPARE(Requests::latin1Text(QByteArray("abc\0def", 7)), QString("abc"));
    QCOMPARE(Requests::latin1Text("caf\xe9"), QString::fromLatin1("caf\xe9"));
}

void RequestsTest::aReplyPastItsCapIsAbortedAndLogged_data()
{
    QTest::addColumn<ScriptedHttpServer::Reply>("reply");
    QTest::addColumn<bool>("aborted");
    const Requests::ReplyCap cap{64 * 1024};
    ScriptedHttpServer::Reply reply;
    reply.body = QByteArray(cap.bytes, 'a');
    QTest::newRow("exactly the cap") << reply << false;
    reply.body = QByteArray(cap.bytes + 1, 'a');
    QTest::newRow("announced past the cap") << reply << true;
    reply.omitContentLength = true;
    QTest::newRow("delivered past the cap, no length") << reply << true;
    reply = {};
    reply.endlessBodyBytes = 512LL * 1024 * 1024;
    QTest::newRow("endless stream") << reply << true;
}

void RequestsTest::aReplyPastItsCapIsAbortedAndLogged()
{
    QFETCH(ScriptedHttpServer::Reply, reply);
    QFETCH(bool, aborted);
    ScriptedHttpServer server;
    server.script("/big", reply);
    LogCapture log;
    QNetworkAccessManager manager;
    QNetworkReply *answer =
        Requests::get(manager, QUrl(server.url("/big")), Requests::ReplyCap{64 * 1024});
    QVERIFY(Requests::waitForFinished(answer, 20000));
    QCOMPARE(Requests::exceededCap(answer), aborted);
    QCOMPARE(answer->error() != QNetworkReply::NoError, aborted);
    QCOMPARE(log.contains("transfer aborted"), aborted);
    if (!aborted)
        QCOMPARE(answer->readAll().size(), 64 * 1024);

    const auto blocking =
        Requests::fetchBlocking(QUrl(server.url("/big")), Requests::ReplyCap{64 * 1024}, 20000);
    QCOMPARE(blocking.ok, !aborted);
    if (aborted)
        QCOMPARE(blocking.errorText, QString("reply too large"));
}

void RequestsTest::theCapHoldsAcrossRedirects()
{
    ScriptedHttpServer server;
    server.scriptRedirect("/moved", "/big");
    server.scriptBody("/big", QByteArray(5000, 'b'));
    QNetworkAccessManager manager;
    QNetworkReply *first =
        Requests::get(manager, QUrl(server.url("/moved")), Requests::ReplyCap{4000});
    QVERIFY(Requests::waitForFinished(first, 5000));
    QNetworkReply *next = Requests::followRedirect(manager, first);
    QVERIFY(next);
    QCOMPARE(Requests::capOf(next->request()), 4000);
    QVERIFY(Requests::waitForFinished(next, 5000));
    QVERIFY(Requests::exceededCap(next));
}

void RequestsTest::onlyWebAddressesAreRequestedOrFollowed_data()
{
    QTest::addColumn<QByteArray>("address");
    QTest::newRow("file") << QByteArray("file:///etc/passwd");
    QTest::newRow("file without slashes") << QByteArray("file:/etc/hostname");
    QTest::newRow("data") << QByteArray("data:text/plain,secret");
    QTest::newRow("qrc") << QByteArray("qrc:/Icons/Images/Icons/sets/png/128x128/home (2).png");
    QTest::newRow("ftp") << QByteArray("ftp://127.0.0.1/x");
    QTest::newRow("javascript") << QByteArray("javascript:alert(1)");
}

void RequestsTest::onlyWebAddressesAreRequestedOrFollowed()
{
    QFETCH(QByteArray, address);
    QNetworkAccessManager manager;
    QNetworkReply *direct =
        Requests::get(manager, QUrl(QString::fromLatin1(address)), Requests::Caps::Feeds);
    QSignalSpy finished(direct, &QNetworkReply::finished);
    QVERIFY(finished.wait(5000)); // finishes, and says so, like any failed request
    QCOMPARE(direct->error(), QNetworkReply::ProtocolUnknownError);
    QVERIFY(direct->readAll().isEmpty());

    ScriptedHttpServer server;
    server.scriptRedirect("/jump", address);
    QNetworkReply *jump = Requests::get(manager, QUrl(server.url("/jump")), Requests::Caps::Feeds);
    QVERIFY(Requests::waitForFinished(jump, 5000));
    QVERIFY(!Requests::redirectTarget(jump).isEmpty());
    LogCapture log;
    QVERIFY(!Requests::followRedirect(manager, jump));
    QVERIFY(log.contains("refused to follow"));
    QVERIFY(!Requests::fetchBlocking(QUrl(server.url("/jump")), Requests::Caps::Feeds, 5000).ok);
}

void RequestsTest::finishingAGoodReplyHandsOverItsBody()
{
    ScriptedHttpServer server;
    server.scriptBody("/a", "answer");
    QNetworkAccessManager manager;
    QNetworkReply *reply = Requests::get(manager, QUrl(server.url("/a")), Requests::Caps::Feeds);
    QVERIFY(Requests::waitForFinished(reply, 5000));
    const Requests::ReplyOutcome outcome = Requests::finishReply(manager, reply);
    QVERIFY(outcome.hasBody());
    QVERIFY(!outcome.failed() && !outcome.redirected());
    QCOMPARE(outcome.body, QByteArray("answer"));
    QVERIFY(!outcome.next);
    QVERIFY(outcome.errorText.isEmpty());
    QVERIFY(!outcome.exceededCap && !outcome.redirectRefused);
    QVERIFY(outcome.redirectTarget.isEmpty());
    // The reply is the caller's to delete: still alive, and nothing else was asked for.
    QVERIFY(!reply->isRunning());
    QCOMPARE(server.requests(), QStringList{"/a"});
}

void RequestsTest::finishingAFailedReplyGivesItsErrorText()
{
    ScriptedHttpServer server;
    ScriptedHttpServer::Reply dropped;
    dropped.dropConnection = true;
    server.script("/dropped", dropped);
    QNetworkAccessManager manager;
    for (const QString path : {"/nothing", "/dropped"}) {
        QNetworkReply *reply =
            Requests::get(manager, QUrl(server.url(path)), Requests::Caps::Feeds);
        QVERIFY(Requests::waitForFinished(reply, 5000));
        QVERIFY(reply->error() != QNetworkReply::NoError);
        const Requests::ReplyOutcome outcome = Requests::finishReply(manager, reply);
        QVERIFY2(outcome.failed(), qPrintable(path));
        QCOMPARE(outcome.errorText, reply->errorString()); // what the slots always logged
        QVERIFY(outcome.body.isEmpty());
        QVERIFY(!outcome.next);
        QVERIFY(!outcome.exceededCap && !outcome.redirectRefused);
    }

    // An address that is never requested fails the same way.
    QNetworkReply *refused =
        Requests::get(manager, QUrl("file:///etc/passwd"), Requests::Caps::Feeds);
    QSignalSpy finished(refused, &QNetworkReply::finished);
    QVERIFY(finished.wait(5000));
    const Requests::ReplyOutcome outcome = Requests::finishReply(manager, refused);
    QVERIFY(outcome.failed());
    QCOMPARE(outcome.errorText, refused->errorString());
}

void RequestsTest::finishingARedirectSendsTheNextRequest()
{
    ScriptedHttpServer server;
    server.scriptRedirect("/old", "new?x=1");
    server.scriptBody("/new", "moved here");
    QNetworkAccessManager manager;
    QNetworkReply *reply =
        Requests::get(manager, QUrl(server.url("/old")), Requests::ReplyCap{4000});
    QVERIFY(Requests::waitForFinished(reply, 5000));
    const Requests::ReplyOutcome outcome = Requests::finishReply(manager, reply);
    QVERIFY(outcome.redirected());
    QVERIFY(outcome.next);
    QCOMPARE(outcome.redirectTarget, QUrl(server.url("/new?x=1")));
    QCOMPARE(outcome.next->url(), QUrl(server.url("/new?x=1")));
    QCOMPARE(Requests::capOf(outcome.next->request()), 4000);
    QCOMPARE(Requests::redirectCount(outcome.next), 1);
    QVERIFY(outcome.body.isEmpty()); // a redirect's body is nobody's business

    QVERIFY(Requests::waitForFinished(outcome.next, 5000));
    const Requests::ReplyOutcome final = Requests::finishReply(manager, outcome.next);
    QVERIFY(final.hasBody());
    QCOMPARE(final.body, QByteArray("moved here"));
    QCOMPARE(server.requests(), QStringList({"/old", "/new?x=1"}));
}

void RequestsTest::finishingARedirectToAnotherSchemeRefusesIt_data()
{
    QTest::addColumn<QByteArray>("address");
    QTest::newRow("file") << QByteArray("file:///etc/passwd");
    QTest::newRow("data") << QByteArray("data:text/plain,secret");
    QTest::newRow("ftp") << QByteArray("ftp://127.0.0.1/x");
    QTest::newRow("javascript") << QByteArray("javascript:alert(1)");
}

void RequestsTest::finishingARedirectToAnotherSchemeRefusesIt()
{
    QFETCH(QByteArray, address);
    ScriptedHttpServer server;
    server.scriptRedirect("/jump", address);
    QNetworkAccessManager manager;
    QNetworkReply *jump = Requests::get(manager, QUrl(server.url("/jump")), Requests::Caps::Feeds);
    QVERIFY(Requests::waitForFinished(jump, 5000));
    LogCapture log;
    const Requests::ReplyOutcome outcome = Requests::finishReply(manager, jump);
    QVERIFY(outcome.failed());
    QVERIFY(outcome.redirectRefused);
    QVERIFY(!outcome.exceededCap);
    QVERIFY(!outcome.next);
    QCOMPARE(outcome.errorText, QString("redirect not followed"));
    QVERIFY(!outcome.redirectTarget.isEmpty());
    QVERIFY(outcome.body.isEmpty());
    QVERIFY(log.contains("refused to follow"));
    QCOMPARE(server.requests(), QStringList{"/jump"});
    QCOMPARE(manager.findChildren<QNetworkReply *>().size(), 1); // nothing else was sent
}

void RequestsTest::finishingARedirectChainEndsAfterFiveHops()
{
    ScriptedHttpServer server;
    server.scriptRedirect("/loop", "/loop");
    QNetworkAccessManager manager;
    QNetworkReply *reply = Requests::get(manager, QUrl(server.url("/loop")), Requests::Caps::Feeds);
    int followed = 0;
    LogCapture log;
    Requests::ReplyOutcome outcome;
    for (;;) {
        QVERIFY(Requests::waitForFinished(reply, 5000));
        outcome = Requests::finishReply(manager, reply);
        if (!outcome.redirected())
            break;
        ++followed;
        QCOMPARE(Requests::redirectCount(outcome.next), followed);
        reply = outcome.next;
    }
    QCOMPARE(followed, Requests::MaxRedirects);
    QVERIFY(outcome.failed());
    QVERIFY(outcome.redirectRefused);
    QCOMPARE(outcome.errorText, QString("redirect not followed"));
    QVERIFY(log.contains("too many redirects"));
    QCOMPARE(server.requests().size(), Requests::MaxRedirects + 1);
}

void RequestsTest::finishingAReplyPastItsCapFailsIt()
{
    ScriptedHttpServer server;
    server.scriptBody("/big", QByteArray(5000, 'b'));
    server.scriptRedirect("/moved", "/big");
    QNetworkAccessManager manager;
    for (const QString path : {"/big", "/moved"}) {
        QNetworkReply *reply =
            Requests::get(manager, QUrl(server.url(path)), Requests::ReplyCap{4000});
        QVERIFY(Requests::waitForFinished(reply, 5000));
        Requests::ReplyOutcome outcome = Requests::finishReply(manager, reply);
        if (outcome.redirected()) { // the cap holds for the target too
            reply = outcome.next;
            QVERIFY(Requests::waitForFinished(reply, 5000));
            outcome = Requests::finishReply(manager, reply);
        }
        QVERIFY2(outcome.failed(), qPrintable(path));
        QVERIFY(outcome.exceededCap);
        QVERIFY(!outcome.redirectRefused);
        QCOMPARE(outcome.errorText, reply->errorString()); // the abort's own text
        QVERIFY(outcome.body.isEmpty());
    }

    // Should the last bytes and the end come together, the reply finishes without an error yet
    // past its cap: it fails all the same, and says why.
    server.scriptBody("/small", "ok");
    QNetworkReply *late = Requests::get(manager, QUrl(server.url("/small")), Requests::Caps::Feeds);
    QVERIFY(Requests::waitForFinished(late, 5000));
    late->setProperty("corvaneReplyExceededCap", true); // as the request layer marks an abort
    QVERIFY(Requests::exceededCap(late));
    const Requests::ReplyOutcome outcome = Requests::finishReply(manager, late);
    QVERIFY(outcome.failed());
    QVERIFY(outcome.exceededCap);
    QCOMPARE(outcome.errorText, QString("reply too large"));
    QVERIFY(outcome.body.isEmpty());
}

void RequestsTest::finishingLeavesRedirectsAndBodiesToCallersWhoAsk()
{
    ScriptedHttpServer server;
    ScriptedHttpServer::Reply moved;
    moved.status = 302;
    moved.body = "see elsewhere";
    moved.headers = {{"Location", "/new"}};
    server.script("/old", moved);
    server.scriptBody("/file", "streamed");
    QNetworkAccessManager manager;

    QNetworkReply *redirect =
        Requests::get(manager, QUrl(server.url("/old")), Requests::Caps::Feeds);
    QVERIFY(Requests::waitForFinished(redirect, 5000));
    const Requests::ReplyOutcome kept =
        Requests::finishReply(manager, redirect, {.followRedirects = false});
    QVERIFY(kept.hasBody());
    QCOMPARE(kept.body, QByteArray("see elsewhere"));
    QVERIFY(!kept.next);
    QCOMPARE(server.requests(), QStringList{"/old"});

    QNetworkReply *download =
        Requests::get(manager, QUrl(server.url("/file")), Requests::Caps::Feeds);
    QVERIFY(Requests::waitForFinished(download, 5000));
    const Requests::ReplyOutcome unread =
        Requests::finishReply(manager, download, {.readBody = false});
    QVERIFY(unread.hasBody());
    QVERIFY(unread.body.isEmpty());
    QCOMPARE(download->readAll(), QByteArray("streamed")); // left for the caller
}

void RequestsTest::serviceAddressesComeFromTheEnvironment()
{
    using ServiceAddresses::Service;
    {
        Environment shared("CORVANE_SERVICE_URL", QByteArray());
        Environment own("CORVANE_QUOTES_URL", QByteArray());
        QCOMPARE(ServiceAddresses::baseUrl(Service::Quotes), QString("http://query.yahooapis.com"));
    }
    Environment shared("CORVANE_SERVICE_URL", "http://127.0.0.1:8000/");
    Environment own("CORVANE_HISTORY_URL", "http://history.local:9000");
    QCOMPARE(ServiceAddresses::url(Service::Vendor, "/Downloads/Data.txt"),
             QUrl("http://127.0.0.1:8000/Downloads/Data.txt"));
    QCOMPARE(ServiceAddresses::url(Service::History, "instrument/1.0/IBM"),
             QUrl("http://history.local:9000/instrument/1.0/IBM"));
    QCOMPARE(ServiceAddresses::environmentVariable(Service::ChartImage),
             QString("CORVANE_CHARTIMAGE_URL"));
}

void RequestsTest::simulatorServesTheVendorFiles()
{
    SimProcess sim;
    QVERIFY(sim.isRunning());
    QVERIFY(sim.baseUrl().startsWith("http://127.0.0.1:"));
    const auto info = Requests::fetchBlocking(QUrl(sim.baseUrl() + "/Downloads/corVane/update.ini"),
                                              Requests::Caps::VersionFile);
    QVERIFY(info.ok);
    const QStringList lines = QString::fromLatin1(info.body).split('\n');
    QCOMPARE(lines.first(), QString("1.12.03.16"));
    QVERIFY(lines.at(1).startsWith(sim.baseUrl()));

    const auto data = Requests::fetchBlocking(QUrl(sim.baseUrl() + "/Downloads/Data.txt"),
                                              Requests::Caps::DataScript);
    QVERIFY(data.ok);
    const QStringList statements = QString::fromUtf8(data.body).split('\n', Qt::SkipEmptyParts);
    for (const QString &statement : statements)
        QVERIFY2(statement.endsWith(';'), qPrintable(statement));
    QVERIFY(data.body.contains(sim.baseUrl().toUtf8() + "/news/"));
    QVERIFY(
        !Requests::fetchBlocking(QUrl(sim.baseUrl() + "/no/such/path"), Requests::Caps::Feeds).ok);
}

QTEST_MAIN(RequestsTest)
#include "tst_requests.moc"
