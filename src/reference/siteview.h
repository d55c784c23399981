#pragma once

#include <QUrl>

class QString;
class QWebEngineView;
class QWidget;

// An embedded browser for a web site the user reads and browses (the reference pages), set up
// by the application's web-view rules and already loading its start address.
QWebEngineView *newSiteView(const QString &objectName, const QUrl &startAddress,
                            QWidget *parent = nullptr);
