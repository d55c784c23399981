#include "reference/siteview.h"

#include "widgets/webviewpolicy.h"

#include <QString>
#include <QWebEngineView>

QWebEngineView *newSiteView(const QString &objectName, const QUrl &startAddress, QWidget *parent)
{
    auto *view = new QWebEngineView(parent);
    view->setObjectName(objectName);
    WebViewPolicy::apply(view, WebViewPolicy::Content::Site);
    view->load(startAddress);
    return view;
}
