#include "reference/supportclass.h"

#include "common/serviceaddresses.h"
#include "reference/siteview.h"
#include "widgets/tightlayouts.h"

#include <QHBoxLayout>
#include <QWebEngineView>

SupportClass::SupportClass(QWidget *parent) : QWidget(parent)
{
    QWebEngineView *view = newSiteView(QStringLiteral("forumView"), forumUrl());
    TightLayouts::fillContainer(parent, this);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
}

QUrl SupportClass::forumUrl()
{
    return ServiceAddresses::url(ServiceAddresses::Service::Vendor, QStringLiteral("/vanilla/"));
}
