#pragma once

#include <QIcon>
#include <QString>

class QToolButton;
class QWidget;

// The tool buttons of the pages and dialogs. The style sheet draws them by object name:
// "smallBtn" for the icon buttons of bars and dialogs, "largeBtn" for a page's main actions.
// Icons are named by their file in the application's icon set.
namespace ToolButtons {

QIcon icon(const QString &iconFile);

// An icon button; a help text, when given, is both its tooltip and its What's This text.
QToolButton *smallButton(QWidget *parent, const QString &iconFile, const QString &help = QString());
// A small button with its text beside the icon.
QToolButton *smallTextButton(QWidget *parent, const QString &text, const QString &iconFile);
// A page's main action: text beside the icon (no icon for an empty file name).
QToolButton *largeButton(QWidget *parent, const QString &text, const QString &iconFile);

} // namespace ToolButtons
