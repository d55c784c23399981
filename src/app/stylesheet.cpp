#include "app/stylesheet.h"

#include "common/messageboxes.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace StyleSheet {

QString read(const QString &path, bool *ok)
{
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly | QIODevice::Text);
    if (ok)
        *ok = opened;
    if (!opened)
        return {};
    return QString::fromUtf8(file.readAll());
}

void applyAtStartup(QWidget *window)
{
    bool ok = false;
    const QString sheet = read(QStringLiteral("stylesheet.txt"), &ok);
    if (!ok) {
        MessageBoxes::critical(
            window, QApplication::translate("StyleSheet", "Warning"),
            QApplication::translate(
                "StyleSheet",
                "<p>Corvane could not load its StyleSheet.</p><P>The application will "
                "still attempt to run but your installation appears to be missing "
                "files.<p>Please re-install as soon as possible.</p>"));
        return;
    }
    qApp->setStyleSheet(sheet);
}

void reload()
{
    qApp->setStyleSheet(
        read(QCoreApplication::applicationDirPath() + QStringLiteral("/stylesheet.txt")));
}

} // namespace StyleSheet
