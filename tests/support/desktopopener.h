#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Stands in for the desktop's browser and file opener while it lives: every address the
// application hands to QDesktopServices is recorded instead of opened, whatever its scheme, so a
// test sees a file: or javascript: link that slipped through.
class DesktopOpener : public QObject
{
    Q_OBJECT

public:
    DesktopOpener();
    ~DesktopOpener() override;
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }
};
