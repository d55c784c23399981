#pragma once

#include <QObject>

class QAction;
class QMainWindow;
class QSystemTrayIcon;

// The icon in the desktop's system tray: "Exit to Systray" hides the window to it, a click or
// "Show" brings the window back, "Exit" ends the application. It also shows the desktop
// notifications of fired alerts. Where the desktop has no tray there is no icon and the window
// cannot be hidden to one.
class SystemTray : public QObject
{
    Q_OBJECT

public:
    explicit SystemTray(QMainWindow *window);

    bool isAvailable() const { return icon != nullptr; }
    QSystemTrayIcon *trayIcon() const { return icon; }
    QAction *showAction() const { return showEntry; }
    QAction *exitAction() const { return exitEntry; }

public slots:
    void hideToTray();
    void restoreWindow();
    void showNotification(const QString &title, const QString &text);

private:
    QMainWindow *window = nullptr;
    QSystemTrayIcon *icon = nullptr;
    QAction *showEntry = nullptr;
    QAction *exitEntry = nullptr;
};
