#include "charts/chartclass.h"

#include "charts/chartframeclass.h"
#include "widgets/toolbuttons.h"

#include <QDebug>
#include <QIcon>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
ChartClass *chartTabs = nullptr;
} // namespace

ChartClass::ChartClass(QWidget *container) : QWidget(container)
{
    hide(); // the tabs live in the container's layout
    tabWidget = new QTabWidget(container);
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    tabWidget->setTabsClosable(true);
    tabWidget->setTabPosition(QTabWidget::South);
    addButton = ToolButtons::smallButton(tabWidget, QStringLiteral("add.png"));
    addButton->setToolTip(tr("Open another chart"));
    tabWidget->setCornerWidget(addButton, Qt::TopRightCorner);

    connect(addButton, &QToolButton::clicked, this, &ChartClass::newChart);
    connect(tabWidget, &QTabWidget::tabCloseRequested, this,
            &ChartClass::on_tabWidget_tabCloseRequested);

    auto *layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabWidget);
    delete container->layout();
    container->setLayout(layout);

    newChart();
}

ChartClass::~ChartClass()
{
    qDebug() << "ChartClass Destructor called.";
    if (chartTabs == this)
        chartTabs = nullptr;
}

ChartClass *ChartClass::instance()
{
    return chartTabs;
}

void ChartClass::setInstance(ChartClass *charts)
{
    chartTabs = charts;
}

bool ChartClass::showSymbolInNewTab(const QString &symbol)
{
    ChartClass *charts = instance();
    if (!charts || symbol.isEmpty()) {
        qDebug() << "ChartClass: no chart tabs to open" << symbol << "in";
        return false;
    }
    // A tab like the page's own new ones, so it hears of new headlines too.
    charts->newChart();
    if (ChartFrameClass *chart = charts->latestChart())
        chart->showSymbol(symbol);
    return true;
}

void ChartClass::newChart()
{
    auto *page = new QWidget(tabWidget);
    tabWidget->addTab(page, tr("My New Chart"));
    latest = new ChartFrameClass(page);
    tabWidget->setCurrentIndex(tabWidget->count() - 1);
    connect(this, &ChartClass::newRssAlert, latest, &ChartFrameClass::newRssAlert);
}

void ChartClass::on_tabWidget_tabCloseRequested(int index)
{
    QWidget *page = tabWidget->widget(index);
    if (page && latest && latest->parentWidget() == page)
        latest = nullptr;
    delete page;
    if (tabWidget->count() == 0)
        newChart();
}

void ChartClass::newRSS()
{
    emit newRssAlert();
}
