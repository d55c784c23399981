#include "app/mainwindow.h"
#include "app/stylesheet.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    // The embedded browsers need shared GL contexts, which must be set before the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));

    MainWindow window;
    StyleSheet::applyAtStartup(&window);
    window.show();
    // Start-up probe for the benchmark: leave as soon as the window is up.
    if (qEnvironmentVariableIsSet("CORVANE_QUIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &application, &QApplication::quit);
    return application.exec();
}
