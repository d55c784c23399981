#include "common/statusmessages.h"

#include <QDebug>
#include <QMainWindow>
#include <QStatusBar>

namespace StatusMessages {

void show(QWidget *widget, const QString &text, int timeoutMs)
{
    qDebug().noquote() << "Status:" << text;
    auto *window = widget ? qobject_cast<QMainWindow *>(widget->window()) : nullptr;
    if (window)
        window->statusBar()->showMessage(text, timeoutMs);
}

} // namespace StatusMessages
