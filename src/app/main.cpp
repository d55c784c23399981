#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "app/stylesheet.h"
#include "common/messageboxes.h"
#include "store/gdatabaseclass.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    // The embedded browsers need shared GL contexts, which must be set before the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));

    // Two processes on one profile would write the same store: a second start brings the running
    // window to the front instead.
    SingleInstance instance(GDatabaseClass::profileDirectory());
    if (!instance.acquire()) {
        if (!instance.askRunningInstanceToShow())
            MessageBoxes::information(
                nullptr, QCoreApplication::translate("main", "Corvane"),
                QCoreApplication::translate("main", "Corvane is already running."));
        return 0;
    }

    MainWindow window;
    QObject::connect(&instance, &SingleInstance::showRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    StyleSheet::applyAtStartup(&window);
    window.show();
    // Start-up probe for the benchmark: leave as soon as the window is up.
    if (qEnvironmentVariableIsSet("CORVANE_QUIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &application, &QApplication::quit);
    return application.exec();
}
