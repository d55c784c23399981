#pragma once

#include <QUrl>

class QWebEngineView;

// The one place every embedded browser of the application gets its settings. Pages shown here
// come from feeds and web sites, so they get no plugins, no access from local content to other
// files or to remote addresses, and may only navigate to web addresses. Text that only has to be
// read (market reports, feed HTML) runs no script at all.
namespace WebViewPolicy {

enum class Content
{
    Site, // a web site the user browses: script runs, in the site's own origin
    Text, // markup to be read: no script
};

// Gives the view a page that follows the policy. Call it before the view loads anything.
void apply(QWebEngineView *view, Content content);

// Whether a navigation may go ahead. Web addresses always may; about:blank, HTML the application
// sets itself and the pages beside the application only when the application loads them
// (applicationLoaded), never when a page or a redirect leads there. Anything else (file:, data:,
// javascript:, ftp:, ...) is refused.
bool allowsNavigation(const QUrl &url, bool applicationLoaded, bool mainFrame = true);

} // namespace WebViewPolicy
