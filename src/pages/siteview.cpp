#include "pages/siteview.h"

#include "common/weblinks.h"

#include <QString>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// Only web addresses are followed: a link or redirect to file:, data:, javascript: or any other
// scheme goes nowhere.
class SitePage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool) override
    {
        return WebLinks::isWebAddress(url);
    }
};

} // namespace

QWebEngineView *newSiteView(const QString &objectName, const QUrl &startAddress, QWidget *parent)
{
    auto *view = new QWebEngineView(parent);
    view->setObjectName(objectName);
    view->setPage(new SitePage(view));
    // Pages from the web never reach local files, and no plugin runs.
    QWebEngineSettings *settings = view->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    view->load(startAddress);
    return view;
}
