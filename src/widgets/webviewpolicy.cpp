#include "widgets/webviewpolicy.h"

#include "common/statusmessages.h"
#include "common/weblinks.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace WebViewPolicy {

namespace {

// An HTML file directly beside the application (or in the folder it was started from, where the
// loading page is looked up).
bool isPageBesideApplication(const QUrl &url)
{
    if (!url.isLocalFile())
        return false;
    const QFileInfo file(url.toLocalFile());
    if (!file.isFile() || file.suffix().compare(QLatin1String("html"), Qt::CaseInsensitive) != 0)
        return false;
    const QString folder = QFileInfo(file.canonicalFilePath()).absolutePath();
    for (const QString &allowed : {QCoreApplication::applicationDirPath(), QDir::currentPath()}) {
        if (!allowed.isEmpty() && folder == QFileInfo(allowed).canonicalFilePath())
            return true;
    }
    return false;
}

class PolicyPage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        // Only the application's own load() and setHtml() calls arrive as typed navigations;
        // links, scripts, forms and redirects come from the page.
        const bool applicationLoaded = type == NavigationTypeTyped;
        if (allowsNavigation(url, applicationLoaded, isMainFrame))
            return true;
        qDebug().noquote() << "WebViewPolicy: refused navigation to" << url.toString().left(200);
        if (isMainFrame)
            StatusMessages::show(QWebEngineView::forPage(this), WebLinks::refusedLinkMessage(url));
        return false;
    }
};

void applySettings(QWebEngineSettings *settings, Content content)
{
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, content == Content::Site);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    settings->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    settings->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    settings->setAttribute(QWebEngineSettings::AllowGeolocationOnInsecureOrigins, false);
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    settings->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    settings->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    // A file dropped on the view would otherwise be opened in it.
    settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
}

} // namespace

void apply(QWebEngineView *view, Content content)
{
    auto *page = new PolicyPage(view);
    applySettings(page->settings(), content);
    view->setPage(page);
}

bool allowsNavigation(const QUrl &url, bool applicationLoaded, bool mainFrame)
{
    if (WebLinks::isWebAddress(url))
        return true;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("about")) {
        // Sites build frames from about:blank and srcdoc; they hold nothing of the user's.
        const QString path = url.path();
        return path == QLatin1String("blank") || (!mainFrame && path == QLatin1String("srcdoc"));
    }
    if (!applicationLoaded || !mainFrame)
        return false;
    if (scheme == QLatin1String("data")) // HTML the application sets itself
        return url.path().startsWith(QLatin1String("text/html"));
    if (scheme == QLatin1String("file"))
        return isPageBesideApplication(url);
    return false;
}

} // namespace WebViewPolicy
