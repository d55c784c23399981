#include "common/messageboxes.h"

#include <QApplication>

namespace MessageBoxes {

namespace {

Answerer &currentAnswerer()
{
    static Answerer answerer;
    return answerer;
}

} // namespace

void setAnswerer(Answerer answerer)
{
    currentAnswerer() = std::move(answerer);
}

QMessageBox::StandardButton show(QWidget *parent, const Box &box)
{
    if (currentAnswerer())
        return currentAnswerer()(box);
    QMessageBox message(box.icon, box.title, box.text, box.buttons,
                        parent ? parent : QApplication::activeWindow());
    if (!box.informativeText.isEmpty())
        message.setInformativeText(box.informativeText);
    if (box.defaultButton != QMessageBox::NoButton)
        message.setDefaultButton(box.defaultButton);
    return static_cast<QMessageBox::StandardButton>(message.exec());
}

QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons)
{
    return show(parent,
                {QMessageBox::Information, title, text, {}, buttons, QMessageBox::NoButton});
}

QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons)
{
    return show(parent, {QMessageBox::Warning, title, text, {}, buttons, QMessageBox::NoButton});
}

QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons)
{
    return show(parent, {QMessageBox::Critical, title, text, {}, buttons, QMessageBox::NoButton});
}

bool confirmDeletion(QWidget *parent, const QString &item, const QString &informativeText)
{
    const Box box{QMessageBox::Question,
                  QCoreApplication::translate("MessageBoxes", "Delete"),
                  QCoreApplication::translate("MessageBoxes", "Are you sure you want to delete ") +
                      item,
                  informativeText,
                  QMessageBox::Yes | QMessageBox::No,
                  QMessageBox::No};
    return show(parent, box) == QMessageBox::Yes;
}

void writeFailed(QWidget *parent, const QString &what)
{
    const Box box{
        QMessageBox::Warning,
        QCoreApplication::translate("MessageBoxes", "Not saved"),
        QCoreApplication::translate("MessageBoxes",
                                    "%1 could not be saved: the database refused the "
                                    "change, so nothing of it was stored.")
            .arg(what),
        QCoreApplication::translate("MessageBoxes", "What was stored before is unchanged."),
        QMessageBox::Ok,
        QMessageBox::Ok};
    show(parent, box);
}

} // namespace MessageBoxes
