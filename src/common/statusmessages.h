#pragma once

#include <QString>

class QWidget;

// Short notes for the user on the status bar of the window a widget sits in, e.g. why a link
// was not opened. Without such a window (a page tested on its own) the note is only logged.
namespace StatusMessages {

constexpr int ShownMs = 15000;

void show(QWidget *widget, const QString &text, int timeoutMs = ShownMs);

} // namespace StatusMessages
