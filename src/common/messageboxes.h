#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message box of the application goes through here, so that the fixed titles and texts
// live in one place and tests can answer a box instead of waiting on a modal window.
namespace MessageBoxes {

struct Box
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QString informativeText;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Shows the box modally (on `parent`, or the active window when null) and returns the button.
QMessageBox::StandardButton show(QWidget *parent, const Box &box);

QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);
QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok);
QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// "Are you sure you want to delete <item>" with Yes and No, No being the default.
bool confirmDeletion(QWidget *parent, const QString &item, const QString &informativeText);

// "Not saved": a change the database refused. `what` names it as the start of a sentence
// ("The purchase of 100 ACME"); the box says that nothing of it was stored.
void writeFailed(QWidget *parent, const QString &what);

// When set, boxes are not shown: the answerer sees each box and picks the button. Tests install
// one through tests/support; an empty function restores the real boxes.
using Answerer = std::function<QMessageBox::StandardButton(const Box &)>;
void setAnswerer(Answerer answerer);

} // namespace MessageBoxes
