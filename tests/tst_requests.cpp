#include "common/requests.h"
#include "common/serviceaddresses.h"
#include "support/scriptedhttpserver.h"
#include "support/simprocess.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QtTest>

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
    void serviceAddressesComeFromTheEnvironment();
    void simulatorServesTheVendorFiles();
};

void RequestsTest::everyRequestLeavesRedirectsToTheCallerAndEndsInTime()
{
    const QNetworkRequest request = Requests::request(QUrl("http://127.0.0.1/x"));
    QCOMPARE(request.attribute(QNetworkRequest::RedirectPolicyAttribute).toInt(),
             int(QNetworkRequest::ManualRedirectPolicy));
    QCOMPARE(request.transferTimeout(), 30000);
    QVERIFY(request.header(QNetworkRequest::UserAgentHeader)
                .toString()
                .startsWith("Corvane/1.12.03.16"));

    ScriptedHttpServer server;
    server.scriptRedirect("/old", "/new");
    QNetworkAccessManager manager;
    QNetworkReply *reply = Requests::get(manager, QUrl(server.url("/old")));
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
    QNetworkReply *reply = Requests::get(manager, QUrl(server.url("/feeds/old.xml")));
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
    QNetworkReply *reply = Requests::get(manager, QUrl(server.url("/loop")));
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

    const auto found = Requests::fetchBlocking(QUrl(server.url("/a")), 5000);
    QVERIFY(found.ok);
    QCOMPARE(found.body, QByteArray("answer"));

    const auto missing = Requests::fetchBlocking(QUrl(server.url("/nothing")), 5000);
    QVERIFY(!missing.ok);
    QVERIFY(!missing.errorText.isEmpty());

    QElapsedTimer clock;
    clock.start();
    const auto silence = Requests::fetchBlocking(QUrl(server.url("/silent")), 300);
    QVERIFY(!silence.ok);
    QVERIFY(clock.elapsed() < 5000);
}

void RequestsTest::replyTextStopsAtTheFirstZeroByte()
{
    QCOMPARE(Requests::latin1Text(QByteArray("abc\0def", 7)), QString("abc"));
    QCOMPARE(Requests::latin1Text("caf\xe9"), QString::fromLatin1("caf\xe9"));
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
    const auto info =
        Requests::fetchBlocking(QUrl(sim.baseUrl() + "/Downloads/corVane/update.ini"));
    QVERIFY(info.ok);
    const QStringList lines = QString::fromLatin1(info.body).split('\n');
    QCOMPARE(lines.first(), QString("1.12.03.16"));
    QVERIFY(lines.at(1).startsWith(sim.baseUrl()));

    const auto data = Requests::fetchBlocking(QUrl(sim.baseUrl() + "/Downloads/Data.txt"));
    QVERIFY(data.ok);
    const QStringList statements = QString::fromUtf8(data.body).split('\n', Qt::SkipEmptyParts);
    for (const QString &statement : statements)
        QVERIFY2(statement.endsWith(';'), qPrintable(statement));
    QVERIFY(data.body.contains(sim.baseUrl().toUtf8() + "/news/"));
    QVERIFY(!Requests::fetchBlocking(QUrl(sim.baseUrl() + "/no/such/path")).ok);
}

QTEST_MAIN(RequestsTest)
#include "tst_requests.moc"
