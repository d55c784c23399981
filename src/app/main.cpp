#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "app/stylesheet.h"
#include "common/messageboxes.h"
#include "store/gdatabaseclass.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace {

// Quits the application once the event loop is idle after the first paint of the watched window.
class QuitAfterFirstPaint : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !quitting) {
            quitting = true;
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool quitting = false;
};

} // namespace

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
    // Start-up probe for the benchmark: leave once the window has been painted.
    QuitAfterFirstPaint probe;
    if (qEnvironmentVariableIsSet("CORVANE_QUIT_WHEN_SHOWN"))
        window.installEventFilter(&probe);
    window.show();
    return application.exec();
}
