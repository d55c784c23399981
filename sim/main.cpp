#include "simserver.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QTextStream>

// corvane-sim: answers the market-data, news and vendor services on loopback with generated,
// deterministic data, so the application and its tests run without the internet.
int main(int argc, char *argv[])
{
    // Gui for painting chart pictures; no window is ever shown.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("corvane-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated market-data services for Corvane"));
    parser.addHelpOption();
    QCommandLineOption portOption(QStringLiteral("port"),
                                  QStringLiteral("Port to listen on (0 = any free port)."),
                                  QStringLiteral("port"), QStringLiteral("0"));
    parser.addOption(portOption);
    QCommandLineOption updateOption(
        QStringLiteral("offer-update"),
        QStringLiteral(
            "Offer a newer version of Corvane in the version file, with its installer."));
    parser.addOption(updateOption);
    parser.process(application);

    bool ok = false;
    const uint requested = parser.value(portOption).toUInt(&ok);
    QTextStream out(stdout);
    if (!ok || requested > 65535) {
        QTextStream(stderr) << "corvane-sim: invalid port " << parser.value(portOption) << Qt::endl;
        return 2;
    }
    SimServer server(parser.isSet(updateOption));
    if (!server.listen(quint16(requested))) {
        QTextStream(stderr) << "corvane-sim: cannot listen on port " << requested << Qt::endl;
        return 1;
    }
    out << "listening on " << server.baseUrl() << Qt::endl;
    return application.exec();
}
