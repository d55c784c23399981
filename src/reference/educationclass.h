#pragma once

#include <QUrl>
#include <QWidget>

class QTabWidget;
class QWebEngineView;

// The education page: two investing encyclopaedias in tabs, each an embedded browser that keeps
// its own place while the user switches between them. Both load while the application starts.
class EducationClass : public QWidget
{
    Q_OBJECT

public:
    explicit EducationClass(QWidget *parent = nullptr);

    static QUrl investopediaUrl();
    static QUrl wikiWealthUrl();

private:
    QTabWidget *tabWidget = nullptr;
};
