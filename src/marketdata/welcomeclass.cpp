#include "marketdata/welcomeclass.h"

#include "common/requests.h"
#include "common/weblinks.h"
#include "marketdata/chartpicture.h"
#include "marketdata/fundgrid.h"
#include "marketdata/gfundfieldsclass.h"
#include "marketdata/gmanagesymbols.h"
#include "marketdata/quotesnapshot.h"
#include "news/downloadthread.h"
#include "news/headlines.h"
#include "news/newsrun.h"
#include "store/gdatabaseclass.h"
#include "widgets/toolbuttons.h"
#include "widgets/webviewpolicy.h"

#include <QBrush>
#include <QColor>
#include <QComboBox>
#include <QDebug>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

QComboBox *selector(QWidget *parent, const QStringList &choices)
{
    auto *box = new QComboBox(parent);
    box->addItems(choices);
    return box;
}

} // namespace

WelcomeClass::WelcomeClass(QWidget *parent) : QWidget(parent)
{
    if (parent) {
        auto *container = new QVBoxLayout(parent);
        container->setContentsMargins(0, 0, 0, 0);
        container->setSpacing(0);
        container->addWidget(this);
    }

    topFrame = new QFrame(this);
    topFrame->setObjectName(QStringLiteral("topFrame"));
    topFrame->setFixedHeight(40);
    addSymbolButton = ToolButtons::smallTextButton(topFrame, tr("&Add Another Symbol"),
                                                   QStringLiteral("add.png"));
    fieldsButton = ToolButtons::smallTextButton(topFrame, QString(), QStringLiteral("tools.png"));
    fieldsButton->setToolTip(tr("Choose the fundamental fields"));
    auto *bar = new QHBoxLayout(topFrame);
    bar->setContentsMargins(6, 0, 6, 0);
    bar->addWidget(addSymbolButton);
    bar->addWidget(fieldsButton);
    bar->addStretch(1);

    fundTable = new QTableWidget(this);
    fundTable->setAlternatingRowColors(true);
    fundTable->verticalHeader()->setDefaultSectionSize(18);
    fundTable->verticalHeader()->hide();
    fundTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fundTable->setSelectionMode(QAbstractItemView::SingleSelection);
    fundTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    fundTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    pageLayout = new QVBoxLayout(this);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    pageLayout->addWidget(topFrame, 0);
    pageLayout->addWidget(fundTable, 60);

    // Bottom row: the chart picture under its selectors, beside the newest headlines.
    typeBox = selector(this, ChartPicture::typeChoices());
    timeBox = selector(this, ChartPicture::timeChoices());
    technicalBox = selector(this, ChartPicture::technicalChoices());
    auto *selectors = new QHBoxLayout;
    selectors->setContentsMargins(0, 0, 0, 0);
    selectors->setSpacing(5);
    selectors->addWidget(new QLabel(tr("Type:"), this));
    selectors->addWidget(typeBox);
    selectors->addWidget(new QLabel(tr("Time:"), this));
    selectors->addWidget(timeBox);
    selectors->addWidget(new QLabel(tr("Technical:"), this));
    selectors->addWidget(technicalBox);
    chartPicture = new QWebEngineView(this);
    chartPicture->setObjectName(QStringLiteral("chartView"));
    WebViewPolicy::apply(chartPicture, WebViewPolicy::Content::Text);
    chartPicture->setFixedWidth(350);
    auto *chartColumn = new QVBoxLayout;
    chartColumn->setContentsMargins(0, 0, 0, 0);
    chartColumn->setSpacing(0);
    chartColumn->addLayout(selectors, 0);
    chartColumn->addWidget(chartPicture, 1);

    rssTable = new QTableWidget(0, 5, this);
    rssTable->setObjectName(QStringLiteral("newsGrid"));
    rssTable->setAlternatingRowColors(true);
    rssTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rssTable->setSelectionMode(QAbstractItemView::SingleSelection);
    rssTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    rssTable->setShowGrid(false);
    rssTable->verticalHeader()->hide();
    rssTable->verticalHeader()->setDefaultSectionSize(18);
    rssTable->horizontalHeader()->setMinimumSectionSize(0);

    auto *bottom = new QHBoxLayout;
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->setSpacing(0);
    bottom->addLayout(chartColumn, 0);
    bottom->addWidget(rssTable, 1);
    pageLayout->addLayout(bottom, 40);

    connect(addSymbolButton, &QToolButton::clicked, this, &WelcomeClass::addNewSymbol);
    connect(fieldsButton, &QToolButton::clicked, this, &WelcomeClass::manageFieldsClick);
    connect(fundTable->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &WelcomeClass::sectionDblClicked);
    connect(fundTable, &QTableWidget::cellDoubleClicked, this, &WelcomeClass::fundGridDblClick);
    connect(rssTable, &QTableWidget::cellDoubleClicked, this, &WelcomeClass::rssGridDblClick);
    for (QComboBox *box : {typeBox, timeBox, technicalBox})
        connect(box, &QComboBox::currentIndexChanged, this, &WelcomeClass::getChart);
    // Each refill of the grid may have chosen the symbol to chart.
    connect(this, &WelcomeClass::fundGridRefilled, this, &WelcomeClass::getChart);

    newsRefresh = new QTimer(this);
    newsRefresh->setInterval(NewsPauseMs);
    connect(newsRefresh, &QTimer::timeout, this, &WelcomeClass::getNewRSS);
    newsRefresh->start();

    quoteRefresh = new QTimer(this);
    connect(quoteRefresh, &QTimer::timeout, this, &WelcomeClass::getFundData);
    quoteRefresh->start(QuotePeriodMs);

    manager = new QNetworkAccessManager(this);
    getFundData();
    displayRssData();
}

void WelcomeClass::getFundData()
{
    qDebug() << "getFundData...";
    GDatabaseClass *store = GDatabaseClass::mainInstance();
    if (!store)
        return;
    const QStringList symbols = QuoteSnapshot::followedSymbols(*store);
    QNetworkReply *reply =
        Requests::get(*manager, QuoteSnapshot::requestUrl(symbols), Requests::Caps::Quotes);
    connect(reply, &QNetworkReply::finished, this, &WelcomeClass::replyFinished);
    qDebug() << "getFundData: done.";
}

void WelcomeClass::replyFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return;
    qDebug() << "getFundData: processing reply.";
    reply->deleteLater();
    const Requests::ReplyOutcome outcome = Requests::finishReply(*manager, reply);
    if (outcome.failed() && !outcome.redirectRefused) {
        qDebug() << outcome.errorText;
        qDebug() << "getFundData: processing done.";
        return;
    }
    // A redirect, followed or not, stores nothing; the grid is drawn again all the same.
    if (outcome.redirected())
        connect(outcome.next, &QNetworkReply::finished, this, &WelcomeClass::replyFinished);
    GDatabaseClass *store = GDatabaseClass::mainInstance();
    if (outcome.hasBody() && store) {
        if (const auto quotes = QuoteSnapshot::parseReply(outcome.body)) {
            QuoteSnapshot::store(*store, *quotes);
            emit quoteSnapshotStored();
        } else
            qDebug().noquote() << QStringLiteral("Failed to parse the file into a DOM tree: %1")
                                      .arg(reply->url().toString());
    }
    refillFundGrid();
    qDebug() << "getFundData: processing done.";
}

void WelcomeClass::sectionDblClicked(int section)
{
    const QTableWidgetItem *header = fundTable->horizontalHeaderItem(section);
    const QString text = header ? header->text() : QString();
    if (text == sortColumn) {
        // Clicking the sorted column again turns the order round.
        sortOrder =
            sortOrder == QLatin1String("DESC") ? QStringLiteral("ASC") : QStringLiteral("DESC");
    } else {
        sortColumn = text;
        sortOrder = QStringLiteral("ASC");
    }
    refillFundGrid();
}

void WelcomeClass::refillFundGrid()
{
    GDatabaseClass *store = GDatabaseClass::mainInstance();
    if (!store)
        return;
    FundGrid::Table table = FundGrid::load(*store);
    FundGrid::sortRows(table, sortColumn,
                       sortOrder == QLatin1String("DESC") ? Qt::DescendingOrder
                                                          : Qt::AscendingOrder);

    fundTable->setRowCount(int(table.rows.size()));
    fundTable->setColumnCount(int(table.headers.size()));
    fundTable->setHorizontalHeaderLabels(table.headers);
    // Every column stretches to share the width, so long labels and names may be cut short.
    for (int column = 0; column < table.headers.size(); ++column)
        fundTable->horizontalHeaderItem(column)->setToolTip(table.headers.at(column));
    for (int row = 0; row < table.rows.size(); ++row) {
        const FundGrid::Row &line = table.rows.at(row);
        fundTable->setItem(row, 0, new QTableWidgetItem(line.symbol));
        for (int column = 1; column < table.headers.size(); ++column) {
            const FundGrid::Cell cell = line.cells.value(column - 1);
            if (cell.value.isEmpty()) { // the symbol's snapshot lacks the field
                delete fundTable->takeItem(row, column);
                continue;
            }
            auto *item = new QTableWidgetItem(cell.value);
            item->setToolTip(cell.value);
            item->setTextAlignment(cell.alignment | Qt::AlignVCenter);
            if (const int sign = FundGrid::signOf(cell.value))
                item->setForeground(QBrush(sign > 0 ? QColor(0, 140, 0) : QColor(200, 0, 0)));
            fundTable->setItem(row, column, item);
        }
    }
    fundTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    if (currentSymbol.isEmpty() && !table.rows.isEmpty())
        currentSymbol = fundTable->item(0, 0)->text();
    emit fundGridRefilled();
}

void WelcomeClass::addNewSymbol()
{
    GManageSymbols symbols;
    symbols.exec();
    // A symbol just added should not wait two minutes for its first quote.
    getFundData();
}

void WelcomeClass::manageFieldsClick()
{
    gfundFieldsClass fields;
    fields.exec();
    refillFundGrid();
}

void WelcomeClass::fundGridDblClick(int row, int column)
{
    Q_UNUSED(column)
    if (const QTableWidgetItem *symbol = fundTable->item(row, 0))
        currentSymbol = symbol->text();
    getChart();
}

void WelcomeClass::getChart()
{
    chartAddress = ChartPicture::address(currentSymbol, typeBox->currentIndex(),
                                         timeBox->currentIndex(), technicalBox->currentIndex());
    // Shown on a page of its own rather than as a bare image document, which the browser would
    // centre on a black background.
    chartPicture->setHtml(
        QStringLiteral("<html><body style=\"margin:0;background:#0f2338\"><img src=\"%1\" "
                       "alt=\"\"></body></html>")
            .arg(chartAddress.toString(QUrl::FullyEncoded).toHtmlEscaped()),
        chartAddress);
}

void WelcomeClass::displayRssData()
{
    GDatabaseClass *store = GDatabaseClass::mainInstance();
    if (!store)
        return;
    const QList<Headlines::Headline> headlines =
        Headlines::fromRows(store->GetSQLRecords(Headlines::newestUnreadQuery()));
    rssTable->clearContents();
    rssTable->setRowCount(int(headlines.size()));
    rssTable->setColumnCount(5);
    for (int row = 0; row < headlines.size(); ++row) {
        const Headlines::Headline &headline = headlines.at(row);
        auto *strip = new QTableWidgetItem(headline.id);
        strip->setBackground(QColor(headline.colour));
        // The strip only shows the feed's colour; its text would be unreadable in 7 pixels.
        strip->setForeground(QColor(headline.colour));
        strip->setFlags(Qt::NoItemFlags);
        rssTable->setItem(row, 0, strip);
        rssTable->setItem(row, 1, new QTableWidgetItem(Headlines::timeOfDay(headline.pubDate)));
        rssTable->setItem(row, 2, new QTableWidgetItem(headline.symbol));
        rssTable->setItem(row, 3, new QTableWidgetItem(headline.title));
        rssTable->setItem(row, 4, new QTableWidgetItem(headline.url));
    }
    rssTable->setHorizontalHeaderLabels(
        {QString(), tr("Time"), tr("Symbol"), tr("Title"), QString()});
    rssTable->setColumnWidth(0, 7);
    rssTable->setColumnWidth(1, 0);
    rssTable->setColumnWidth(3, 0);
    rssTable->setColumnWidth(4, 0);
    // Sized to its contents, header included, also while the grid is empty.
    rssTable->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    rssTable->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
}

void WelcomeClass::rssGridDblClick(int row, int column)
{
    Q_UNUSED(column)
    const QTableWidgetItem *id = rssTable->item(row, 0);
    const QTableWidgetItem *url = rssTable->item(row, 4);
    GDatabaseClass *store = GDatabaseClass::mainInstance();
    if (!id || !store)
        return;
    if (url && !url->text().isEmpty())
        WebLinks::openFeedLink(this, url->text());
    store->ExecSQL(Headlines::markReadStatement(id->text()));
    displayRssData();
}

void WelcomeClass::getNewRSS()
{
    NewsRun::start(newsRefresh, [this](downloadThread *worker) {
        connect(worker, &downloadThread::updateStatus, this, &WelcomeClass::on_statusUpdate);
        connect(worker, &downloadThread::newRss, this, &WelcomeClass::gotNewRss);
        connect(worker, &downloadThread::newRss, this, &WelcomeClass::displayRssData);
    });
}

void WelcomeClass::on_statusUpdate(const QString &message)
{
    emit statusUpdate(message, StatusShownMs);
}

void WelcomeClass::gotNewRss()
{
    emit newRss();
}
