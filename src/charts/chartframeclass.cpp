#include "charts/chartframeclass.h"

#include "charts/chartcomposition.h"
#include "charts/chartnews.h"
#include "charts/chartoptions.h"
#include "charts/financechart.h"
#include "charts/indicatorcatalogue.h"
#include "charts/qchartviewer.h"
#include "common/weblinks.h"
#include "imagemaphandler.h"
#include "marketdata/pricehistory.h"
#include "store/gdatabaseclass.h"
#include "store/pricerows.h"
#include "store/settingskeys.h"
#include "store/sqlquoting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDebug>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr int RefreshMs = 120000;
constexpr int MinimumShownPoints = 10; // the deepest zoom

const QStringList MovingAverageKinds{"None", "Simple", "Exponetial", "Triangular", "Weighted"};

QComboBox *comboWith(const QStringList &items, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->addItems(items);
    return combo;
}

// A label over its box, as the symbol bar shows them.
QWidget *labelled(const QString &text, QWidget *field, QWidget *parent)
{
    auto *pair = new QWidget(parent);
    auto *layout = new QVBoxLayout(pair);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(new QLabel(text, pair));
    layout->addWidget(field);
    return pair;
}

QStringList followedSymbols()
{
    return GDatabaseClass::mainStore().GetSQLRecords(
        QStringLiteral("SELECT symbol FROM symbols ORDER BY symbol"));
}

QString companyNameOf(const QString &symbol)
{
    return GDatabaseClass::mainStore()
        .GetSQLRecords(QStringLiteral("SELECT companyName FROM symbols WHERE symbol=%1")
                           .arg(sqlQuoted(symbol)))
        .value(0);
}

int intOf(const QLineEdit *field, int fallback)
{
    bool ok = false;
    const int value = field->text().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

ChartFrameClass::ChartFrameClass(QWidget *hostWidget) : QWidget(hostWidget), host(hostWidget)
{
    // The page's content lives in the host's layout; this object only carries the behaviour.
    hide();
    buildWidgets();
    restoreOptions();
    connectSignals();

    network = new QNetworkAccessManager(this);
    refreshTimer = new QTimer(this);
    connect(refreshTimer, &QTimer::timeout, this, &ChartFrameClass::symbolComboChanged);
    refreshTimer->start(RefreshMs);

    // A resized page redraws once the resizing has settled.
    resizeRedraw = new QTimer(this);
    resizeRedraw->setSingleShot(true);
    resizeRedraw->setInterval(250);
    connect(resizeRedraw, &QTimer::timeout, this, &ChartFrameClass::drawChart);
    host->installEventFilter(this);
    chartScroll->viewport()->installEventFilter(this);

    // Drag scrolls the price chart through time, the wheel zooms around the pointer and a
    // double-click shows the whole range again; the indicator panels and dates follow.
    priceChartViewer->setMouseUsage(QChartViewer::MouseUsageScroll);
    priceChartViewer->setScrollDirection(QChartViewer::DirectionHorizontal);
    priceChartViewer->setZoomDirection(QChartViewer::DirectionHorizontal);
    priceChartViewer->installEventFilter(this);

    fixSecondsDates();
}

ChartFrameClass::~ChartFrameClass()
{
    priceChartViewer->setChart(nullptr); // it must not refer to the chart dying with this page
    qDebug() << "ChartFrameClass Destructor called.";
}

void ChartFrameClass::buildWidgets()
{
    auto *topFrame = new QFrame(host);
    topFrame->setObjectName(QStringLiteral("topFrame"));
    topFrame->setFixedHeight(40);
    auto *bar = new QHBoxLayout(topFrame);
    bar->setContentsMargins(2, 2, 2, 2);
    symbolCombo = comboWith(QStringList{tr("Select a Symbol...")} + followedSymbols(), topFrame);
    typeCombo = comboWith({tr("Line"), tr("Candle"), tr("OHLC")}, topFrame);
    timeCombo = comboWith({tr("1 Day"), tr("5 Days"), tr("3 Months"), tr("6 Months"), tr("1 Year"),
                           tr("2 Years"), tr("5 Years"), tr("Maximum")},
                          topFrame);
    bar->addWidget(labelled(tr("Symbol:"), symbolCombo, topFrame));
    bar->addWidget(labelled(tr("Type:"), typeCombo, topFrame));
    bar->addWidget(labelled(tr("Time frame:"), timeCombo, topFrame));
    bar->addStretch();

    chartArea = new QWidget;
    chartArea->setObjectName(QStringLiteral("chartWidget"));
    auto *charts = new QVBoxLayout(chartArea);
    charts->setContentsMargins(0, 0, 0, 0);
    charts->setSpacing(0);
    priceChartViewer = new QChartViewer(chartArea);
    newsChartViewer = new QChartViewer(chartArea);
    newsChartViewer->setFixedHeight(80);
    charts->addWidget(priceChartViewer, 0, Qt::AlignLeft | Qt::AlignTop);
    charts->addWidget(newsChartViewer, 0, Qt::AlignLeft);
    charts->addStretch(1);

    crossHairV = new QLabel(priceChartViewer);
    crossHairH = new QLabel(priceChartViewer);
    for (QLabel *line : {crossHairV, crossHairH}) {
        line->setStyleSheet(QStringLiteral("background: #CCCCCC;"));
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
        line->hide();
    }

    sideTabs = new QTabWidget(host);
    sideTabs->setFixedWidth(240);
    newsTable = new QTableWidget(0, 4, sideTabs);
    newsTable->setShowGrid(false);
    newsTable->setFrameShape(QFrame::NoFrame);
    newsTable->verticalHeader()->hide();
    newsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    newsTable->setAlternatingRowColors(true);
    newsTable->setSelectionMode(QAbstractItemView::SingleSelection);
    newsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    newsTable->verticalHeader()->setDefaultSectionSize(18);
    sideTabs->addTab(newsTable, tr("News Headlines"));
    // The options scroll too, so that they never hold the page higher than its window.
    auto *optionsScroll = new QScrollArea(sideTabs);
    optionsScroll->setFrameShape(QFrame::NoFrame);
    optionsScroll->setWidgetResizable(true);
    optionsScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    optionsScroll->setWidget(buildOptionsTab());
    sideTabs->addTab(optionsScroll, tr("Chart Options "));

    // A low page scrolls its charts instead of cutting panels off.
    chartScroll = new QScrollArea(host);
    chartScroll->setFrameShape(QFrame::NoFrame);
    chartScroll->setWidgetResizable(true);
    chartScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    chartScroll->setWidget(chartArea);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(chartScroll, 1);
    body->addWidget(sideTabs, 0);

    auto *page = new QVBoxLayout;
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(topFrame);
    page->addLayout(body, 1);
    delete host->layout();
    host->setLayout(page);
}

QWidget *ChartFrameClass::buildOptionsTab()
{
    auto *options = new QWidget;
    options->setObjectName(QStringLiteral("rightFrame"));
    auto *layout = new QVBoxLayout(options);

    compareCombo = comboWith(QStringList{tr("Select a Symbol...")} + followedSymbols(), options);
    layout->addWidget(new QLabel(tr("Compare with:"), options));
    layout->addWidget(compareCombo);

    crossHairCheck = new QCheckBox(tr("Display Chart Crosshair?"), options);
    volumeCheck = new QCheckBox(tr("Show Volume"), options);
    sarCheck = new QCheckBox(tr("Show Parabolic SAR"), options);
    logScaleCheck = new QCheckBox(tr("Show Log Scale"), options);
    percentScaleCheck = new QCheckBox(tr("Show Percentage Scale"), options);
    for (QCheckBox *check :
         {crossHairCheck, volumeCheck, sarCheck, logScaleCheck, percentScaleCheck})
        layout->addWidget(check);

    priceBandCombo = comboWith(
        {tr("None"), tr("Bollinger Bands"), tr("Donchian Channel"), tr("Envelope")}, options);
    layout->addWidget(new QLabel(tr("Price Band"), options));
    layout->addWidget(priceBandCombo);

    const auto averageRow = [&](const QString &label, QComboBox *&combo, QLineEdit *&period) {
        layout->addWidget(new QLabel(label, options));
        auto *row = new QHBoxLayout;
        combo = comboWith(MovingAverageKinds, options);
        period = new QLineEdit(QStringLiteral("14"), options);
        period->setValidator(new QIntValidator(1, 9999, period));
        period->setMaximumWidth(40);
        row->addWidget(combo, 1);
        row->addWidget(period);
        layout->addLayout(row);
    };
    averageRow(tr("Moving Averages 1"), movingAverage1Combo, movingAverage1Period);
    averageRow(tr("Moving Averages 2"), movingAverage2Combo, movingAverage2Period);

    layout->addWidget(new QLabel(tr("Technical Indicators"), options));
    for (QComboBox *&combo : techCombos) {
        combo = comboWith(IndicatorPanels::names(), options);
        layout->addWidget(combo);
    }

    auto *signalBox = new QGroupBox(tr("Draw Signals?"), options);
    signalBox->setObjectName(QStringLiteral("stdGroupBox"));
    auto *signalLayout = new QGridLayout(signalBox);
    signalsCheck = new QCheckBox(signalBox);
    signalPeriod = new QLineEdit(QStringLiteral("14"), signalBox);
    signalTop = new QLineEdit(QStringLiteral("70"), signalBox);
    signalBottom = new QLineEdit(QStringLiteral("30"), signalBox);
    signalPeriod->setValidator(new QIntValidator(1, 999, signalPeriod));
    signalTop->setValidator(new QIntValidator(0, 100, signalTop));
    signalBottom->setValidator(new QIntValidator(0, 100, signalBottom));
    signalLayout->addWidget(signalsCheck, 0, 0);
    signalLayout->addWidget(new QLabel(tr("Period:"), signalBox), 1, 0);
    signalLayout->addWidget(signalPeriod, 1, 1);
    signalLayout->addWidget(new QLabel(tr("Top:"), signalBox), 2, 0);
    signalLayout->addWidget(signalTop, 2, 1);
    signalLayout->addWidget(new QLabel(tr("Bottom:"), signalBox), 3, 0);
    signalLayout->addWidget(signalBottom, 3, 1);
    layout->addWidget(signalBox);
    layout->addStretch(1);
    return options;
}

void ChartFrameClass::restoreOptions()
{
    using namespace SettingsKeys;
    const ChartOptions saved = ChartOptions::load(GDatabaseClass::mainStore());
    crossHairCheck->setChecked(saved.value(DisplayCrossHairs) != 0);
    typeCombo->setCurrentIndex(saved.value(TypeCombo));
    timeCombo->setCurrentIndex(saved.value(TimeCombo));
    sarCheck->setChecked(saved.value(ParaSar) != 0);
    volumeCheck->setChecked(saved.value(Volume) != 0);
    logScaleCheck->setChecked(saved.value(LogScale) != 0);
    percentScaleCheck->setChecked(saved.value(PercentScale) != 0);
    priceBandCombo->setCurrentIndex(saved.value(PriceBands));
    movingAverage1Combo->setCurrentIndex(saved.value(MovingAverage1));
    movingAverage2Combo->setCurrentIndex(saved.value(MovingAverage2));
    const QString techKeys[4] = {Tech1, Tech2, Tech3, Tech4};
    for (int i = 0; i < 4; ++i)
        techCombos[i]->setCurrentIndex(saved.value(techKeys[i]));
}

void ChartFrameClass::saveOptions()
{
    using namespace SettingsKeys;
    ChartOptions options;
    options.setValue(DisplayCrossHairs, int(crossHairCheck->checkState()));
    options.setValue(TypeCombo, typeCombo->currentIndex());
    options.setValue(TimeCombo, timeCombo->currentIndex());
    options.setValue(ParaSar, sarCheck->isChecked() ? 1 : 0);
    options.setValue(Volume, volumeCheck->isChecked() ? 1 : 0);
    options.setValue(LogScale, logScaleCheck->isChecked() ? 1 : 0);
    options.setValue(PercentScale, percentScaleCheck->isChecked() ? 1 : 0);
    options.setValue(PriceBands, priceBandCombo->currentIndex());
    options.setValue(MovingAverage1, movingAverage1Combo->currentIndex());
    options.setValue(MovingAverage2, movingAverage2Combo->currentIndex());
    const QString techKeys[4] = {Tech1, Tech2, Tech3, Tech4};
    for (int i = 0; i < 4; ++i)
        options.setValue(techKeys[i], techCombos[i]->currentIndex());
    options.save(GDatabaseClass::mainStore());
}

void ChartFrameClass::connectSignals()
{
    connect(symbolCombo, &QComboBox::currentIndexChanged, this,
            &ChartFrameClass::symbolComboChanged);
    connect(typeCombo, &QComboBox::currentIndexChanged, this, &ChartFrameClass::drawChart);
    // Another symbol or time frame shows the whole range again.
    connect(symbolCombo, &QComboBox::currentIndexChanged, this, &ChartFrameClass::resetViewPort);
    connect(timeCombo, &QComboBox::currentIndexChanged, this, &ChartFrameClass::resetViewPort);
    connect(timeCombo, &QComboBox::currentIndexChanged, this, &ChartFrameClass::getQuotes);
    connect(compareCombo, &QComboBox::currentIndexChanged, this,
            &ChartFrameClass::requestComparisonHistory);
    connect(compareCombo, &QComboBox::currentIndexChanged, this, &ChartFrameClass::drawChart);
    connect(crossHairCheck, &QCheckBox::clicked, this, &ChartFrameClass::drawChart);
    for (QCheckBox *check : {volumeCheck, sarCheck, logScaleCheck, percentScaleCheck})
        connect(check, &QCheckBox::stateChanged, this, &ChartFrameClass::drawChart);
    for (QComboBox *combo : {priceBandCombo, movingAverage1Combo, movingAverage2Combo})
        connect(combo, &QComboBox::currentIndexChanged, this, &ChartFrameClass::drawChart);
    for (QComboBox *combo : techCombos)
        connect(combo, &QComboBox::currentIndexChanged, this, &ChartFrameClass::drawChart);
    connect(signalsCheck, &QCheckBox::clicked, this, &ChartFrameClass::drawChart);
    // A period or level typed in redraws once the field is left or Enter is pressed.
    for (QLineEdit *field :
         {movingAverage1Period, movingAverage2Period, signalPeriod, signalTop, signalBottom}) {
        connect(field, &QLineEdit::editingFinished, this, [this, field] {
            if (!field->isModified())
                return;
            field->setModified(false);
            drawChart();
        });
    }
    connect(newsTable, &QTableWidget::cellDoubleClicked, this, &ChartFrameClass::rssTableDblClick);
    connect(priceChartViewer, &QChartViewer::mouseMove, this, &ChartFrameClass::onMouseMove);
    connect(priceChartViewer, &QChartViewer::clicked, this, &ChartFrameClass::onChartClicked);
    connect(priceChartViewer, &QChartViewer::viewPortChanged, this, &ChartFrameClass::renderChart);
}

void ChartFrameClass::fixSecondsDates()
{
    const QStringList statements = ChartNews::secondsDateFixes(
        GDatabaseClass::mainStore().GetSQLRecords(ChartNews::secondsDatesQuery()));
    for (const QString &statement : statements)
        GDatabaseClass::mainStore().ExecSQL(statement);
}

QString ChartFrameClass::currentSymbol() const
{
    return symbolCombo->currentIndex() > 0 ? symbolCombo->currentText() : QString();
}

void ChartFrameClass::showSymbol(const QString &symbol)
{
    int index = symbolCombo->findText(symbol);
    if (index < 0) {
        symbolCombo->addItem(symbol);
        index = symbolCombo->count() - 1;
    }
    symbolCombo->setCurrentIndex(index);
}

void ChartFrameClass::symbolComboChanged()
{
    qDebug() << "symbolComboChanged...";
    const QString symbol = currentSymbol();
    if (symbol.isEmpty())
        return;
    // Rename the tab that holds this page (the timer also runs for pages in background tabs).
    for (QWidget *widget = host; widget; widget = widget->parentWidget()) {
        if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
            const int index = tabs->indexOf(host);
            if (index >= 0)
                tabs->setTabText(index,
                                 QStringLiteral("%1 (%2)").arg(companyNameOf(symbol), symbol));
            break;
        }
    }
    getQuotes();
    refreshNewsTable();
}

void ChartFrameClass::newRssAlert()
{
    refreshNewsTable();
}

void ChartFrameClass::refreshNewsTable()
{
    newsTable->clearContents();
    newsTable->setRowCount(0);
    newsTable->setColumnCount(4);
    const QString symbol = currentSymbol();
    if (symbol.isEmpty())
        return;
    const qint64 cutoff =
        ChartNews::cutoffMs(timeCombo->currentIndex(), QDateTime::currentDateTime());
    const QList<ChartNews::TableRow> rows = ChartNews::tableRows(
        GDatabaseClass::mainStore().GetSQLRecords(ChartNews::headlineQuery(symbol, cutoff)));
    newsTable->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        const ChartNews::TableRow &entry = rows.at(row);
        if (entry.isDateRow) {
            auto *date = new QTableWidgetItem(entry.date.toString(Qt::TextDate));
            date->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            date->setForeground(ChartNews::DateRowColour);
            newsTable->setItem(row, 1, date);
            continue;
        }
        auto *id = new QTableWidgetItem(entry.id);
        id->setBackground(QColor::fromString(entry.colour));
        newsTable->setItem(row, 0, id);
        auto *title = new QTableWidgetItem(entry.title);
        title->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        title->setToolTip(entry.title);
        newsTable->setItem(row, 1, title);
    }
    newsTable->setHorizontalHeaderLabels({QString(), tr("Latest News"), QString(), QString()});
    newsTable->horizontalHeader()->setMinimumSectionSize(0);
    newsTable->setColumnWidth(0, 5);
    newsTable->setColumnWidth(2, 0);
    newsTable->setColumnWidth(3, 0);
    newsTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    newsTable->resizeRowsToContents();
    newsTable->verticalHeader()->hide();
}

void ChartFrameClass::rssTableDblClick(int row, int)
{
    const QTableWidgetItem *idItem = newsTable->item(row, 0);
    if (!idItem || idItem->text().isEmpty())
        return; // a date row
    bool ok = false;
    const qint64 id = idItem->text().toLongLong(&ok);
    if (!ok)
        return;
    const QStringList urls = GDatabaseClass::mainStore().GetSQLRecords(
        QStringLiteral("SELECT url FROM newsItems WHERE id=%1").arg(id));
    if (!urls.isEmpty() && !urls.first().isEmpty())
        WebLinks::openFeedLink(this, urls.first());
}

void ChartFrameClass::getQuotes()
{
    const QString symbol = currentSymbol();
    if (symbol.isEmpty())
        return; // nothing chosen yet: no request for the placeholder text
    QNetworkReply *reply = PriceHistory::request(*network, symbol, timeCombo->currentIndex());
    connect(reply, &QNetworkReply::finished, this, &ChartFrameClass::replyFinished);
    requestComparisonHistory();
}

void ChartFrameClass::requestComparisonHistory()
{
    if (compareCombo->currentIndex() <= 0 || currentSymbol().isEmpty())
        return; // nothing to compare, or nothing to compare it with
    QNetworkReply *reply =
        PriceHistory::request(*network, compareCombo->currentText(), timeCombo->currentIndex());
    connect(reply, &QNetworkReply::finished, this, &ChartFrameClass::replyFinished);
}

void ChartFrameClass::resetViewPort()
{
    priceChartViewer->setViewPortLeft(0);
    priceChartViewer->setViewPortWidth(1);
}

void ChartFrameClass::replyFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return;
    const PriceHistory::ReplyResult result =
        PriceHistory::handleReply(GDatabaseClass::mainStore(), *network, reply);
    if (result.next)
        connect(result.next, &QNetworkReply::finished, this, &ChartFrameClass::replyFinished);
    drawChart();
    drawNewsChart();
    reply->deleteLater();
}

int ChartFrameClass::mainPanelHeightFor(int pageHeight, int indicatorPanels)
{
    return ChartComposition::mainPanelHeightFor(pageHeight, indicatorPanels);
}

int ChartFrameClass::chartAreaWidth() const
{
    return std::max(200, chartScroll->viewport()->width());
}

void ChartFrameClass::drawChart()
{
    saveOptions();
    renderChart();
}

ChartFrameClass::PointRange ChartFrameClass::visiblePoints(int count, double viewPortLeft,
                                                           double viewPortWidth)
{
    return ChartComposition::visiblePoints(count, viewPortLeft, viewPortWidth);
}

ChartComposition::Options ChartFrameClass::chosenOptions() const
{
    ChartComposition::Options options;
    options.priceType = typeCombo->currentIndex();
    options.volumeBars = volumeCheck->isChecked();
    options.parabolicSar = sarCheck->isChecked();
    options.logScale = logScaleCheck->isChecked();
    options.percentageScale = percentScaleCheck->isChecked();
    options.priceBand = priceBandCombo->currentIndex();
    options.movingAverages = {
        {{movingAverage1Combo->currentIndex(), intOf(movingAverage1Period, 14)},
         {movingAverage2Combo->currentIndex(), intOf(movingAverage2Period, 14)}}};
    for (size_t i = 0; i < options.indicators.size(); ++i)
        options.indicators[i] = techCombos[i]->currentIndex();
    options.signalMarkers = signalsCheck->isChecked();
    options.signalPeriod = intOf(signalPeriod, 14);
    options.signalTop = intOf(signalTop, 70);
    options.signalBottom = intOf(signalBottom, 30);
    return options;
}

void ChartFrameClass::renderChart()
{
    const QString symbol = currentSymbol();
    if (symbol.isEmpty())
        return;

    const PriceRows::Columns rows = PriceRows::read(GDatabaseClass::mainStore(), symbol);
    const int total = rows.size();
    priceChartViewer->setZoomInWidthLimit(
        total > MinimumShownPoints ? double(MinimumShownPoints) / total : 1.0);
    ChartComposition::Page page;
    page.symbol = symbol;
    page.companyName = companyNameOf(symbol);
    page.renderedAt = QDateTime::currentDateTime();
    page.viewPortLeft = priceChartViewer->getViewPortLeft();
    page.viewPortWidth = priceChartViewer->getViewPortWidth();
    page.width = chartAreaWidth();
    page.pageHeight = host->height();
    if (compareCombo->currentIndex() > 0) {
        page.comparedSymbol = compareCombo->currentText();
        page.comparedRows = GDatabaseClass::mainStore().GetSQLRecords(
            QStringLiteral("SELECT date,Close FROM qData WHERE symbol=%1")
                .arg(sqlQuoted(page.comparedSymbol)));
    }

    ChartComposition::PriceChart drawn =
        ChartComposition::composePriceChart(rows, page, chosenOptions());
    shownPoints = drawn.shown;
    mainPanelHeight = drawn.mainPanelHeight;
    priceChartViewer->setChart(drawn.chart.get());
    priceChartViewer->setImageMapHandler(
        std::make_unique<ImageMapHandler>(ChartComposition::hotSpots(drawn)));
    // The viewer refers to the chart it shows: it lives until the next one replaces it.
    shownChart = std::move(drawn.chart);
    // The viewer keeps the picture; it need not hold the width of the chart once drawn, so the
    // page can still narrow (and redraw) when the window does. It keeps its height: a low page
    // scrolls rather than cutting panels off.
    priceChartViewer->setMinimumWidth(1);

    crossHairV->setVisible(crossHairCheck->isChecked());
    crossHairH->setVisible(crossHairCheck->isChecked());
}

void ChartFrameClass::drawNewsChart()
{
    const QString symbol = currentSymbol();
    if (symbol.isEmpty())
        return;
    GDatabaseClass &store = GDatabaseClass::mainStore();
    const QStringList dates = store.GetSQLRecords(
        QStringLiteral("SELECT date FROM qData WHERE symbol=%1").arg(sqlQuoted(symbol)));
    const bool daily = dates.isEmpty() || dates.first().size() == 8;
    QList<int> feedIds;
    for (const QString &id : store.GetSQLRecords(QStringLiteral("SELECT id FROM feeds")))
        feedIds << id.toInt();
    const ChartNews::CountTable table = ChartNews::countTable(
        dates, feedIds, store.GetSQLRecords(ChartNews::countQuery(symbol, daily)));
    QStringList feedTitles;
    for (int id : table.feedIds)
        feedTitles << store
                          .GetSQLRecords(
                              QStringLiteral("SELECT title FROM feeds WHERE id=%1").arg(id))
                          .value(0);

    const std::unique_ptr<XYChart> chart =
        ChartComposition::composeNewsChart(table, feedTitles, daily, chartAreaWidth());
    newsChartViewer->setChart(chart.get());
    newsChartViewer->setImageMap(ChartComposition::newsImageMap(*chart));
    newsChartViewer->setMinimumSize(1, 1);
    newsChartViewer->setFixedHeight(chart->getHeight());
}

void ChartFrameClass::onMouseMove(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    crossHairV->setGeometry(at.x(), 0, 2, priceChartViewer->height());
    crossHairH->setGeometry(0, at.y(), priceChartViewer->width(), 2);
}

void ChartFrameClass::onChartClicked(QMouseEvent *)
{
    ImageMapHandler *handler = priceChartViewer->getImageMapHandler();
    if (!handler || handler->getValue(QStringLiteral("path")).isEmpty())
        return;
    for (int i = 0; i < handler->getAttributeCount(); ++i)
        qDebug().noquote()
            << QStringLiteral("\"%1 : %2\"").arg(handler->getKey(i), handler->getValue(i));
}

bool ChartFrameClass::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == host || watched == chartScroll->viewport()) &&
        event->type() == QEvent::Resize && !currentSymbol().isEmpty())
        resizeRedraw->start();
    if (watched == priceChartViewer && event->type() == QEvent::Wheel)
        return zoomByWheel(static_cast<QWheelEvent *>(event));
    if (watched == priceChartViewer && event->type() == QEvent::MouseButtonDblClick) {
        resetViewPort();
        renderChart();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool ChartFrameClass::zoomByWheel(QWheelEvent *event)
{
    const int notches = event->angleDelta().y();
    const QPoint at = event->position().toPoint();
    const int left = priceChartViewer->getPlotAreaLeft();
    if (notches == 0 || at.x() < left || at.x() >= left + priceChartViewer->getPlotAreaWidth())
        return false; // not over the charts' time axis: let the page scroll
    // One notch (120) zooms by a quarter; a finer wheel by its share of that.
    const double ratio = std::pow(1.25, notches / 120.0);
    if (priceChartViewer->zoomAt(QChartViewer::DirectionHorizontal, at.x(), at.y(), ratio))
        priceChartViewer->updateViewPort(true, true);
    return true;
}
