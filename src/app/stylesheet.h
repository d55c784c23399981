#pragma once

#include <QString>

class QWidget;

// The application's look comes from "stylesheet.txt" beside the program.
namespace StyleSheet {

// Reads the style sheet file; ok tells whether it could be opened.
QString read(const QString &path, bool *ok = nullptr);

// Start-up: the file in the working directory; when it is missing, says so in a "Warning" box
// and carries on with Qt's own look.
void applyAtStartup(QWidget *window);

// "Reload Stylesheet": the file beside the executable; a missing file clears the look silently.
void reload();

} // namespace StyleSheet
