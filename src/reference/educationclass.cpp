#include "reference/educationclass.h"

#include "common/serviceaddresses.h"
#include "reference/siteview.h"
#include "widgets/tightlayouts.h"

#include <QTabWidget>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

QWidget *tabHolding(QWidget *content)
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(content);
    return tab;
}

} // namespace

EducationClass::EducationClass(QWidget *parent) : QWidget(parent)
{
    tabWidget = new QTabWidget;
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    tabWidget->setTabPosition(QTabWidget::South);
    tabWidget->addTab(
        tabHolding(newSiteView(QStringLiteral("investopediaView"), investopediaUrl())),
        tr("Investopedia"));
    tabWidget->addTab(tabHolding(newSiteView(QStringLiteral("wikiWealthView"), wikiWealthUrl())),
                      tr("WikiWealth"));

    TightLayouts::fillContainer(parent, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabWidget);
}

QUrl EducationClass::investopediaUrl()
{
    return ServiceAddresses::url(ServiceAddresses::Service::Encyclopedia, QStringLiteral("/"));
}

QUrl EducationClass::wikiWealthUrl()
{
    return ServiceAddresses::url(ServiceAddresses::Service::Wiki, QStringLiteral("/company/"));
}
