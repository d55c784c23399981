#include "app/systemtray.h"

#include "widgets/toolbuttons.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QSystemTrayIcon>

SystemTray::SystemTray(QMainWindow *mainWindow) : QObject(mainWindow), window(mainWindow)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    icon = new QSystemTrayIcon(ToolButtons::icon(QStringLiteral("chart (2).png")), this);
    icon->setToolTip(QApplication::applicationName().isEmpty() ? tr("Corvane")
                                                               : QApplication::applicationName());
    auto *menu = new QMenu(window);
    showEntry = menu->addAction(tr("Show"), this, &SystemTray::restoreWindow);
    exitEntry = menu->addAction(tr("Exit"), qApp, &QCoreApplication::quit);
    icon->setContextMenu(menu);
    connect(icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
        if (why == QSystemTrayIcon::Trigger || why == QSystemTrayIcon::DoubleClick)
            restoreWindow();
    });
    icon->show();
}

void SystemTray::hideToTray()
{
    if (!icon)
        return;
    icon->show();
    window->hide();
}

void SystemTray::restoreWindow()
{
    window->showNormal();
    window->raise();
    window->activateWindow();
}

void SystemTray::showNotification(const QString &title, const QString &text)
{
    if (icon && icon->isVisible() && QSystemTrayIcon::supportsMessages())
        icon->showMessage(title, text, QSystemTrayIcon::Information, 10000);
}
