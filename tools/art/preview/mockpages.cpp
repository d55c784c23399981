#include "mockpages.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QtMath>

namespace preview {

QString iconPath(const QString &name)
{
    return QStringLiteral(":/Icons/Images/Icons/sets/png/128x128/") + name;
}

namespace {

QFrame *topFrame(QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("topFrame"));
    frame->setFixedHeight(40);
    return frame;
}

QToolButton *largeBtn(const QString &text, const QString &icon)
{
    auto *button = new QToolButton;
    button->setObjectName(QStringLiteral("largeBtn"));
    button->setText(text);
    if (!icon.isEmpty())
        button->setIcon(QIcon(iconPath(icon)));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

QToolButton *smallBtn(const QString &icon, const QString &text = QString())
{
    auto *button = new QToolButton;
    button->setObjectName(QStringLiteral("smallBtn"));
    button->setIcon(QIcon(iconPath(icon)));
    if (!text.isEmpty()) {
        button->setText(text);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    return button;
}

// The shared table look: alternating rows, 18-pixel rows, no vertical header, whole rows.
QTableWidget *dataTable(const QStringList &headers, int rowHeight = 18)
{
    auto *table = new QTableWidget(0, headers.size());
    table->setHorizontalHeaderLabels(headers);
    table->setAlternatingRowColors(true);
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setFrameShape(QFrame::NoFrame);
    return table;
}

void addRow(QTableWidget *table, const QStringList &cells)
{
    const int row = table->rowCount();
    table->insertRow(row);
    for (int c = 0; c < cells.size() && c < table->columnCount(); ++c)
        table->setItem(row, c, new QTableWidgetItem(cells.at(c)));
}

void colourBySign(QTableWidget *table, int column)
{
    for (int r = 0; r < table->rowCount(); ++r) {
        QTableWidgetItem *item = table->item(r, column);
        if (!item)
            continue;
        const double v = item->text().remove('$').remove('%').toDouble();
        if (v > 0)
            item->setForeground(Qt::green);
        else if (v < 0)
            item->setForeground(Qt::red);
    }
}

QWidget *labelOverBox(const QString &caption, const QStringList &items)
{
    auto *w = new QWidget;
    auto *box = new QVBoxLayout(w);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(new QLabel(caption));
    auto *combo = new QComboBox;
    combo->addItems(items);
    box->addWidget(combo);
    return w;
}

QPixmap mockChart(QSize size, const QString &besideDir)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, size.height());
    bg.setColorAt(0, QColor(0x13, 0x2c, 0x4e));
    bg.setColorAt(1, QColor(0x06, 0x0e, 0x17));
    p.fillRect(image.rect(), bg);
    const QRectF plot(40, 30, size.width() - 90, size.height() - 60);
    QLinearGradient area(0, 0, 350, 0);
    area.setColorAt(0, QColor(0x13, 0x2c, 0x4e));
    area.setColorAt(1, Qt::white);
    p.fillRect(plot, area);
    const QImage mark(besideDir + QStringLiteral("/Images/ChartWatermark.png"));
    p.drawImage(QPointF((size.width() - mark.width()) / 2.0, (size.height() - mark.height()) / 2.0),
                mark);
    p.setPen(QPen(QColor(0x21, 0x48, 0x6e), 1));
    for (int i = 0; i <= 5; ++i) {
        const qreal y = plot.top() + i * plot.height() / 5;
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    p.drawRect(plot);
    QPainterPath line;
    for (int i = 0; i <= 120; ++i) {
        const qreal x = plot.left() + i * plot.width() / 120;
        const qreal y =
            plot.center().y() - 40 * qSin(i / 11.0) - 0.5 * i + 30 * qSin(i / 3.7) * 0.3;
        if (i == 0)
            line.moveTo(x, y);
        else
            line.lineTo(x, y);
    }
    p.setPen(QPen(QColor(0x64, 0xda, 0xe3), 2));
    p.drawPath(line);
    p.setPen(Qt::white);
    QFont title = p.font();
    title.setPixelSize(14);
    p.setFont(title);
    p.drawText(QPointF(8, 20), QStringLiteral("Acme Widgets Inc. (ACME)"));
    title.setPixelSize(10);
    p.setFont(title);
    p.setPen(QColor(0xd1, 0xd6, 0xdb));
    p.drawText(QRectF(0, 6, size.width() - 8, 16), Qt::AlignRight,
               QStringLiteral("Chart Rendered: Fri Mar 16 16:30:00 2012"));
    return QPixmap::fromImage(image);
}

} // namespace

QMainWindow *buildMainWindow(const QString &besideDir)
{
    auto *window = new QMainWindow;
    window->setObjectName(QStringLiteral("MainWindow"));
    window->resize(929, 632);
    window->setWindowTitle(QStringLiteral("Pellora - Version: 1.12.03.16"));

    auto *central = new QWidget;
    central->setObjectName(QStringLiteral("centralWidget"));
    window->setCentralWidget(central);

    auto *frame2 = new QFrame;
    frame2->setObjectName(QStringLiteral("frame_2"));
    frame2->setFrameShape(QFrame::NoFrame);
    frame2->setMinimumSize(20, 40);
    auto *ticker = new QVBoxLayout(frame2);
    ticker->setContentsMargins(0, 0, 0, 0);
    ticker->setSpacing(0);
    auto *labelA = new QLabel(QStringLiteral("Acme Widgets Inc."));
    auto *labelB = new QLabel(QStringLiteral("ACME"));
    auto *labelC = new QLabel(QStringLiteral("45.17"));
    labelC->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *labelD = new QLabel(QStringLiteral("+1.25%"));
    labelD->setAlignment(Qt::AlignCenter);
    for (QLabel *l : {labelA, labelB, labelC, labelD})
        l->setObjectName(QStringLiteral("ticker_labels"));
    labelD->setObjectName(QStringLiteral("ticker_labelUP"));
    auto *middle = new QHBoxLayout;
    middle->addWidget(labelB);
    middle->addWidget(labelC);
    ticker->addWidget(labelA);
    ticker->addLayout(middle);
    ticker->addWidget(labelD);

    auto *list = new QListWidget;
    list->setObjectName(QStringLiteral("listWidget"));
    QFont listFont = list->font();
    listFont.setPointSize(9);
    list->setFont(listFont);
    list->setIconSize(QSize(30, 30));
    list->setGridSize(QSize(300, 45));
    list->setSpacing(5);
    list->setFlow(QListView::TopToBottom);
    list->setMovement(QListView::Static);
    list->setWrapping(false);
    list->setWordWrap(true);
    list->setBatchSize(100);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QList<QPair<QString, QString>> rows = {
        {QStringLiteral("Home"), QStringLiteral("home (2).png")},
        {QStringLiteral("Charts"), QStringLiteral("chart (2).png")},
        {QStringLiteral("F-mentals"), QStringLiteral("calculator (2).png")},
        {QStringLiteral("Portfolio"), QStringLiteral("toolbox.png")},
        {QStringLiteral("Watchlists"), QStringLiteral("find.png")},
        {QStringLiteral("Reports"), QStringLiteral("news.png")},
        {QStringLiteral("Calendar"), QStringLiteral("calendar (2).png")},
        {QStringLiteral("RSS Feeds"), QStringLiteral("rss.png")},
        {QStringLiteral("Education"), QStringLiteral("school_board.png")},
        {QStringLiteral("Support"), QStringLiteral("users (2).png")},
        {QStringLiteral("Settings"), QStringLiteral("tools.png")},
    };
    for (const auto &row : rows)
        new QListWidgetItem(QIcon(iconPath(row.second)), row.first, list);

    auto *stack = new QStackedWidget;
    stack->setObjectName(QStringLiteral("stackedWidget"));
    for (int i = 0; i < rows.size(); ++i) {
        auto *page = new QWidget;
        page->setObjectName(i == 0 ? QStringLiteral("page") : QStringLiteral("page_%1").arg(i + 1));
        stack->addWidget(page);
    }
    QObject::connect(list, &QListWidget::currentRowChanged, stack,
                     &QStackedWidget::setCurrentIndex);

    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(frame2, 0);
    column->addWidget(list, 1);
    frame2->setMaximumWidth(110);
    list->setMaximumWidth(110);
    // The real column is as wide as its cap once the ticker labels ask for room.
    list->setMinimumWidth(110);
    frame2->setMinimumWidth(110);
    auto *outer = new QHBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addLayout(column, 0);
    outer->addWidget(stack, 1);

    auto *settings = new QLabel(central);
    settings->setObjectName(QStringLiteral("label"));
    settings->setPixmap(QPixmap(besideDir + QStringLiteral("/Images/Settings.png")));
    settings->setGeometry(5, 632 - 22 - 20 - 105, 100, 100);

    const QList<QPair<QString, QStringList>> menus = {
        {QStringLiteral("File"), {QStringLiteral("Exit"), QStringLiteral("Exit to Systray")}},
        {QStringLiteral("Symbol Options"),
         {QStringLiteral("Manage Symbols"), QStringLiteral("Fundamental Fields"),
          QStringLiteral("Manage Templates")}},
        {QStringLiteral("RSS Options"),
         {QStringLiteral("Manage Feeds"), QStringLiteral("Manage Keywords")}},
        {QStringLiteral("Export"),
         {QStringLiteral("Portfolio"), QStringLiteral("Fundamentals"),
          QStringLiteral("Historical data"), QStringLiteral("Headlines"),
          QStringLiteral("Calendar"), QStringLiteral("Wraps")}},
        {QStringLiteral("Help"),
         {QStringLiteral("Knowledgebase"), QStringLiteral("Context Help"),
          QStringLiteral("Feedback"), QStringLiteral("Update"), QStringLiteral("About"), QString(),
          QStringLiteral("Reload Stylesheet")}},
    };
    for (const auto &menu : menus) {
        QMenu *m = window->menuBar()->addMenu(menu.first);
        for (const QString &action : menu.second) {
            if (action.isEmpty())
                m->addSeparator();
            else
                m->addAction(action);
        }
    }
    window->statusBar()->setObjectName(QStringLiteral("statusBar"));
    window->statusBar()->showMessage(
        QStringLiteral("downloadThread: Getting: ACME news from template 3"));

    buildHomePage(stack->widget(0));
    buildChartPage(stack->widget(1), besideDir);
    buildFundamentalsPage(stack->widget(2));
    buildPortfolioPage(stack->widget(3));
    buildWatchlistPage(stack->widget(4));
    buildCalendarPage(stack->widget(6), besideDir);
    return window;
}

void buildHomePage(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QFrame *top = topFrame(page);
    auto *topRow = new QHBoxLayout(top);
    topRow->setContentsMargins(6, 2, 6, 2);
    auto *logo = new QLabel;
    logo->setPixmap(QPixmap(QStringLiteral(":/images/Images/cvLogo.png")));
    topRow->addWidget(logo);
    topRow->addStretch();
    layout->addWidget(top);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    auto *tickerColumn = new QWidget;
    tickerColumn->setFixedWidth(240);
    auto *tickers = new QVBoxLayout(tickerColumn);
    tickers->setContentsMargins(4, 4, 4, 4);
    tickers->setSpacing(0);
    const QList<QStringList> quotes = {
        {QStringLiteral("ACME"), QStringLiteral("Acme Widgets Inc."), QStringLiteral("45.17"),
         QStringLiteral("+0.56"), QStringLiteral("+1.25%")},
        {QStringLiteral("GLBX"), QStringLiteral("Globex Corporation"), QStringLiteral("12.80"),
         QStringLiteral("-0.31"), QStringLiteral("-2.36%")},
        {QStringLiteral("INIT"), QStringLiteral("Initech Holdings"), QStringLiteral("7.05"),
         QStringLiteral("0.00"), QStringLiteral("0.00%")},
    };
    for (const QStringList &q : quotes) {
        auto *desc = new QGroupBox;
        desc->setObjectName(QStringLiteral("descGroupBox"));
        desc->setMaximumHeight(30);
        desc->setFixedWidth(180);
        auto *descRow = new QHBoxLayout(desc);
        descRow->setContentsMargins(4, 2, 4, 2);
        auto *sym = new QLabel(q[0]);
        sym->setObjectName(QStringLiteral("symbolLabel"));
        auto *name = new QLabel(q[1]);
        name->setObjectName(QStringLiteral("titleLabel"));
        descRow->addWidget(sym);
        descRow->addWidget(name, 1);
        auto *change = new QGroupBox;
        const QString objectName = q[4].contains('+')   ? QStringLiteral("changeUpGroupBox")
                                   : q[4].contains('-') ? QStringLiteral("changeDownGroupBox")
                                                        : QStringLiteral("changeGroupBox");
        change->setObjectName(objectName);
        change->setFixedWidth(180);
        auto *changeRow = new QHBoxLayout(change);
        changeRow->setContentsMargins(4, 2, 4, 2);
        for (int i = 2; i < 5; ++i) {
            auto *l = new QLabel(q[i]);
            l->setObjectName(QStringLiteral("symbolLabel"));
            changeRow->addWidget(l);
        }
        tickers->addWidget(desc);
        tickers->addWidget(change);
    }
    tickers->addStretch();
    body->addWidget(tickerColumn);

    const QList<QPair<QString, QColor>> feeds = {
        {QStringLiteral("Company News"), QColor(0x2f, 0x7f, 0xc6)},
        {QStringLiteral("Press Releases"), QColor(0x3d, 0xa5, 0x5d)},
        {QStringLiteral("Analyst Views"), QColor(0xc9, 0x82, 0x22)},
        {QStringLiteral("Market Talk"), QColor(0x9b, 0x4d, 0xca)},
    };
    for (int col = 0; col < 2; ++col) {
        auto *boxes = new QVBoxLayout;
        for (int row = 0; row < 2; ++row) {
            const auto &feed = feeds[col * 2 + row];
            auto *group = new QGroupBox(feed.first);
            group->setObjectName(QStringLiteral("newsGroupBox"));
            const QColor c = feed.second;
            group->setStyleSheet(
                QStringLiteral(
                    "QGroupBox::title{border-top-right-radius: 6px;border-top-left-radius: "
                    "6px;border: 1px solid #0b477b;border-bottom: none;background-color: "
                    "qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,  stop: 0 rgb(%1,%2,%3), stop: 1 "
                    "#002f60);padding: 4 4px;color: white;padding: 4 1650 4 4;}QGroupBox{"
                    "background-color:transparent;border-radius: 6px;border: 1px solid "
                    "#132c4e;border-top: none;padding: 22 1 1 0;}")
                    .arg(c.red())
                    .arg(c.green())
                    .arg(c.blue()));
            auto *inner = new QVBoxLayout(group);
            inner->setContentsMargins(0, 0, 0, 0);
            auto *table = new QTableWidget(0, 3);
            table->setAlternatingRowColors(true);
            table->verticalHeader()->setDefaultSectionSize(18);
            table->verticalHeader()->hide();
            table->horizontalHeader()->hide();
            table->setShowGrid(false);
            table->setFrameShape(QFrame::NoFrame);
            table->setSelectionMode(QAbstractItemView::SingleSelection);
            table->setSelectionBehavior(QAbstractItemView::SelectRows);
            table->setColumnWidth(0, 0);
            table->setColumnWidth(1, 50);
            table->horizontalHeader()->setStretchLastSection(true);
            const QStringList titles = {
                QStringLiteral("Acme raises full-year outlook after strong quarter"),
                QStringLiteral("Globex names new chief financial officer"),
                QStringLiteral("Initech shares slip as orders slow"),
                QStringLiteral("Acme to build second plant in Ohio"),
            };
            for (int i = 0; i < titles.size(); ++i) {
                table->insertRow(i);
                table->setItem(i, 1,
                               new QTableWidgetItem(
                                   QStringList{QStringLiteral("ACME"), QStringLiteral("GLBX"),
                                               QStringLiteral("INIT"), QStringLiteral("ACME")}[i]));
                auto *label = new QLabel(
                    QStringLiteral("%1<br><font size=1 color=grey>(Fri, 16 Mar 1%2:05)</font>")
                        .arg(titles[i])
                        .arg(i));
                label->setWordWrap(true);
                table->setCellWidget(i, 2, label);
            }
            table->resizeRowsToContents();
            inner->addWidget(table);
            boxes->addWidget(group);
        }
        body->addLayout(boxes, 1);
    }
    layout->addLayout(body, 1);
}

void buildChartPage(QWidget *page, const QString &besideDir)
{
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    auto *tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("tabWidget"));
    tabs->setTabsClosable(true);
    auto *addBtn = smallBtn(QStringLiteral("add.png"));
    tabs->setCornerWidget(addBtn, Qt::TopRightCorner);
    pageLayout->addWidget(tabs);

    auto *chartPage = new QWidget;
    tabs->addTab(chartPage, QStringLiteral("Acme Widgets Inc. (ACME)"));
    tabs->addTab(new QWidget, QStringLiteral("Globex Corporation (GLBX)"));
    auto *layout = new QVBoxLayout(chartPage);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QFrame *top = topFrame(chartPage);
    auto *bar = new QHBoxLayout(top);
    bar->setContentsMargins(2, 2, 2, 2);
    bar->addWidget(labelOverBox(QStringLiteral("Symbol:"), {QStringLiteral("ACME")}));
    bar->addWidget(labelOverBox(QStringLiteral("Type:"), {QStringLiteral("Line")}));
    bar->addWidget(labelOverBox(QStringLiteral("Time frame:"), {QStringLiteral("6 Months")}));
    bar->addStretch();
    layout->addWidget(top);

    auto *area = new QHBoxLayout;
    area->setSpacing(0);
    auto *chartWidget = new QWidget;
    chartWidget->setObjectName(QStringLiteral("chartWidget"));
    auto *charts = new QVBoxLayout(chartWidget);
    charts->setContentsMargins(0, 0, 0, 0);
    charts->setSpacing(0);
    auto *price = new QLabel;
    price->setPixmap(mockChart(QSize(560, 330), besideDir));
    auto *news = new QLabel;
    news->setPixmap(mockChart(QSize(560, 80), besideDir));
    charts->addWidget(price);
    charts->addWidget(news);
    charts->addStretch();
    area->addWidget(chartWidget, 1);

    auto *side = new QTabWidget;
    side->setFixedWidth(240);
    auto *headlines = dataTable({QString(), QStringLiteral("Latest News")});
    headlines->setShowGrid(false);
    side->addTab(headlines, QStringLiteral("News Headlines"));
    auto *options = new QWidget;
    options->setObjectName(QStringLiteral("rightFrame"));
    auto *form = new QVBoxLayout(options);
    form->addWidget(new QLabel(QStringLiteral("Compare with:")));
    auto *compare = new QComboBox;
    compare->addItem(QStringLiteral("Select a Symbol..."));
    form->addWidget(compare);
    for (const QString &text :
         {QStringLiteral("Display Chart Crosshair?"), QStringLiteral("Show Volume"),
          QStringLiteral("Show Parabolic SAR"), QStringLiteral("Show Log Scale"),
          QStringLiteral("Show Percentage Scale")}) {
        auto *check = new QCheckBox(text);
        check->setChecked(text.contains(QStringLiteral("Volume")));
        form->addWidget(check);
    }
    form->addWidget(new QLabel(QStringLiteral("Price Band")));
    auto *band = new QComboBox;
    band->addItem(QStringLiteral("Bollinger Bands"));
    form->addWidget(band);
    form->addWidget(new QLabel(QStringLiteral("Moving Averages 1")));
    auto *maRow = new QHBoxLayout;
    auto *ma = new QComboBox;
    ma->addItem(QStringLiteral("Simple"));
    maRow->addWidget(ma, 1);
    auto *period = new QLineEdit(QStringLiteral("14"));
    period->setMaximumWidth(40);
    maRow->addWidget(period);
    form->addLayout(maRow);
    auto *signalBox = new QGroupBox;
    signalBox->setObjectName(QStringLiteral("stdGroupBox"));
    auto *grid = new QGridLayout(signalBox);
    grid->addWidget(new QCheckBox(), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Draw Signals?")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Period:")), 1, 0);
    grid->addWidget(new QLineEdit(QStringLiteral("14")), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Top:")), 2, 0);
    grid->addWidget(new QLineEdit(QStringLiteral("70")), 2, 1);
    form->addWidget(signalBox);
    form->addStretch();
    side->addTab(options, QStringLiteral("Chart Options "));
    side->setCurrentIndex(1);
    area->addWidget(side);
    layout->addLayout(area, 1);
}

void buildFundamentalsPage(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QFrame *top = topFrame(page);
    auto *bar = new QHBoxLayout(top);
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(smallBtn(QStringLiteral("add.png"), QStringLiteral("&Add Another Symbol")));
    bar->addWidget(smallBtn(QStringLiteral("tools.png")));
    bar->addStretch();
    layout->addWidget(top);
    auto *grid =
        dataTable({QStringLiteral("Symbol"), QStringLiteral("Name"), QStringLiteral("Last"),
                   QStringLiteral("Change"), QStringLiteral("Volume"), QStringLiteral("P/E")});
    addRow(grid,
           {QStringLiteral("ACME"), QStringLiteral("Acme Widgets Inc."), QStringLiteral("45.17"),
            QStringLiteral("+0.56"), QStringLiteral("1,204,300"), QStringLiteral("14.2")});
    addRow(grid,
           {QStringLiteral("GLBX"), QStringLiteral("Globex Corporation"), QStringLiteral("12.80"),
            QStringLiteral("-0.31"), QStringLiteral("880,120"), QStringLiteral("9.8")});
    colourBySign(grid, 3);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(grid, 60);
    auto *news = dataTable({QStringLiteral("id"), QStringLiteral("Time"), QStringLiteral("Symbol"),
                            QStringLiteral("Title")});
    addRow(news, {QStringLiteral("12"), QStringLiteral("16:05:00"), QStringLiteral("ACME"),
                  QStringLiteral("Acme raises full-year outlook")});
    news->item(0, 0)->setBackground(QColor(QStringLiteral("steelblue")));
    news->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(news, 40);
}

void buildPortfolioPage(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QFrame *top = topFrame(page);
    auto *bar = new QHBoxLayout(top);
    bar->setContentsMargins(2, 0, 4, 0);
    bar->setSpacing(0);
    bar->addWidget(
        largeBtn(QStringLiteral("Buy Stock"), QStringLiteral("add_to_shopping_cart.png")));
    bar->addWidget(
        largeBtn(QStringLiteral("Sell Stock"), QStringLiteral("remove_from_shopping_cart.png")));
    bar->addWidget(largeBtn(QStringLiteral("Stock Alerts"), QStringLiteral("megaphone.png")));
    bar->addWidget(largeBtn(QStringLiteral("New Transaction"), QStringLiteral("add.png")));
    bar->addWidget(largeBtn(QStringLiteral("Del Transaction"), QStringLiteral("delete.png")));
    bar->addWidget(largeBtn(QStringLiteral("Stock Details"), QString()));
    bar->addStretch();
    auto *statusColumn = new QVBoxLayout;
    statusColumn->addStretch();
    auto *status = new QLabel(QStringLiteral("Last updated Fri Mar 16 16:30:00 2012"));
    status->setObjectName(QStringLiteral("updateLabel"));
    statusColumn->addWidget(status);
    bar->addLayout(statusColumn);
    layout->addWidget(top);

    auto *tabs = new QTabWidget;
    auto *holdings =
        dataTable({QStringLiteral("id"), QStringLiteral("Symbol"), QStringLiteral("Shares"),
                   QStringLiteral("Paid"), QStringLiteral("Last"), QStringLiteral("Value"),
                   QStringLiteral("Gain"), QStringLiteral("Gain %"), QStringLiteral("Day")});
    const QList<QStringList> rows = {
        {"1", "ACME", "200", "$38.40", "$45.17", "$9034", "$1354", "17.63%", "+0.56"},
        {"2", "GLBX", "500", "$14.10", "$12.80", "$6400", "$-650", "-9.22%", "-0.31"},
        {"3", "INIT", "1000", "$7.05", "$7.05", "$7050", "$0", "0.00%", "0.00"},
        {"4", "UMBR", "150", "$52.00", "$61.35", "$9202.5", "$1402.5", "17.98%", "+1.02"},
        {"5", "SOYL", "300", "$21.90", "$20.45", "$6135", "$-435", "-6.62%", "-0.12"},
        {"6", "CASH", "", "", "", "$2500", "", "", ""},
    };
    for (const QStringList &r : rows)
        addRow(holdings, r);
    for (int r = 0; r < holdings->rowCount(); ++r) {
        if (QTableWidgetItem *item = holdings->item(r, 1))
            item->setIcon(QIcon(iconPath(QStringLiteral("chart (2).png"))));
    }
    for (int c : {6, 7, 8})
        colourBySign(holdings, c);
    holdings->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    holdings->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    holdings->setColumnWidth(0, 0);
    holdings->selectRow(1);
    tabs->addTab(holdings, QStringLiteral("Overview"));
    tabs->addTab(new QWidget, QStringLiteral("Transactions"));
    layout->addWidget(tabs, 1);
}

void buildWatchlistPage(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QFrame *top = topFrame(page);
    auto *bar = new QHBoxLayout(top);
    bar->setContentsMargins(6, 2, 4, 2);
    bar->addWidget(new QLabel(QStringLiteral("Select a list:")));
    auto *lists = new QComboBox;
    lists->addItem(QStringLiteral("Tech stocks"));
    bar->addWidget(lists);
    bar->addStretch();
    auto *edit = new QLineEdit;
    edit->setPlaceholderText(QStringLiteral("Add Symbol..."));
    bar->addWidget(edit);
    bar->addWidget(new QLabel(QStringLiteral("to")));
    auto *target = new QComboBox;
    target->addItem(QStringLiteral("Tech stocks"));
    bar->addWidget(target);
    bar->addWidget(smallBtn(QStringLiteral("add.png")));
    bar->addWidget(smallBtn(QStringLiteral("tools.png")));
    layout->addWidget(top);
    auto *grid = dataTable({QStringLiteral("Symbol"), QString(), QStringLiteral("Last"),
                            QStringLiteral("Change"), QStringLiteral("Shares"), QString()});
    addRow(grid, {QStringLiteral("ACME"), QString(), QStringLiteral("45.17"),
                  QStringLiteral("+0.56"), QStringLiteral("100"), QString()});
    addRow(grid, {QStringLiteral("GLBX"), QString(), QStringLiteral("12.80"),
                  QStringLiteral("-0.31"), QStringLiteral("0"), QString()});
    for (int r = 0; r < 2; ++r) {
        grid->item(r, 0)->setIcon(QIcon(iconPath(QStringLiteral("chart (2).png"))));
        grid->item(r, 5)->setIcon(QIcon(iconPath(QStringLiteral("trash (2).png"))));
    }
    grid->item(0, 1)->setIcon(QIcon(iconPath(QStringLiteral("megaphone.png"))));
    colourBySign(grid, 3);
    grid->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(grid, 1);
}

void buildCalendarPage(QWidget *page, const QString &besideDir)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QFrame *top = topFrame(page);
    auto *bar = new QHBoxLayout(top);
    for (const QString &text :
         {QStringLiteral("Last Week"), QStringLiteral("This Week"), QStringLiteral("Next Week")}) {
        auto *button = new QPushButton(text);
        button->setFlat(true);
        bar->addWidget(button);
        if (!text.startsWith(QStringLiteral("Next")))
            bar->addStretch();
    }
    layout->addWidget(top);
    auto *table =
        dataTable({QStringLiteral("Date"), QStringLiteral("Time"), QString(),
                   QStringLiteral("Event"), QStringLiteral("Importance"), QStringLiteral("Actual"),
                   QStringLiteral("Forecast"), QStringLiteral("Previous")},
                  24);
    table->setShowGrid(false);
    const QList<QStringList> events = {
        {"Mon Mar 12", "13:30", "usd", "Non-Farm Payrolls", "High", "227K", "210K", "284K"},
        {"", "10:00", "eur", "ZEW Survey (Economic Sentiment)", "Medium", "22.3", "12.5", "5.4"},
        {"", "09:30", "gbp", "Claimant Count Change", "Low", "7.2K", "5.0K", "2.0K"},
        {"Tue Mar 13", "23:50", "jpy", "Current Account Balance", "Medium", "-", "-", "-"},
        {"", "08:15", "chf", "Producer & Import Prices", "Low", "0.3%", "0.2%", "-0.4%"},
        {"", "12:30", "cad", "Housing Starts", "Low", "", "", ""},
        {"Wed Mar 14", "00:30", "aud", "Westpac Consumer Confidence", "Low", "", "", ""},
        {"", "21:45", "nzd", "Retail Sales (QoQ)", "Medium", "", "", ""},
        {"", "02:00", "cny", "Industrial Production (YoY)", "High", "", "", ""},
    };
    for (const QStringList &e : events) {
        const int row = table->rowCount();
        table->insertRow(row);
        auto *date = new QTableWidgetItem(e[0]);
        if (!e[0].isEmpty())
            date->setBackground(QColor(QStringLiteral("#086AA9")));
        table->setItem(row, 0, date);
        table->setItem(row, 1, new QTableWidgetItem(e[1]));
        auto *flag = new QTableWidgetItem(
            QIcon(besideDir + QStringLiteral("/Images/flags/flag-%1.png").arg(e[2])), QString());
        table->setItem(row, 2, flag);
        table->setItem(row, 3, new QTableWidgetItem(e[3]));
        auto *importance = new QTableWidgetItem(e[4]);
        importance->setTextAlignment(Qt::AlignCenter);
        importance->setBackground(QColor(e[4] == "Low"      ? QStringLiteral("#086AA9")
                                         : e[4] == "Medium" ? QStringLiteral("#A59B03")
                                                            : QStringLiteral("#E93631")));
        table->setItem(row, 4, importance);
        for (int c = 5; c < 8; ++c)
            table->setItem(row, c, new QTableWidgetItem(e[c]));
    }
    table->setColumnWidth(2, 30);
    table->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    layout->addWidget(table, 1);
}

QDialog *buildManageSymbolsDialog()
{
    auto *dialog = new QDialog;
    dialog->setObjectName(QStringLiteral("form"));
    dialog->setWindowTitle(QStringLiteral("Manage Symbols"));
    auto *layout = new QVBoxLayout(dialog);
    auto *grid = dataTable(
        {QStringLiteral("Symbol"), QStringLiteral("Name"), QStringLiteral("Exchange")}, 20);
    grid->setMinimumWidth(300);
    grid->setShowGrid(true);
    addRow(grid,
           {QStringLiteral("ACME"), QStringLiteral("Acme Widgets Inc."), QStringLiteral("NYSE")});
    addRow(grid, {QStringLiteral("GLBX"), QStringLiteral("Globex Corporation"),
                  QStringLiteral("NASDAQ")});
    addRow(grid,
           {QStringLiteral("INIT"), QStringLiteral("Initech Holdings"), QStringLiteral("NYSE")});
    grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    grid->selectRow(1);
    layout->addWidget(grid);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(smallBtn(QStringLiteral("add.png")));
    row->addWidget(smallBtn(QStringLiteral("trash (2).png")));
    layout->addLayout(row);
    dialog->resize(420, 260);
    return dialog;
}

QDialog *buildBuyDialog()
{
    auto *dialog = new QDialog;
    dialog->setObjectName(QStringLiteral("dialog"));
    auto *form = new QGridLayout(dialog);
    form->addWidget(new QLabel(QStringLiteral("Symbol:")), 0, 0);
    auto *symbol = new QComboBox;
    symbol->setEditable(true);
    symbol->addItem(QStringLiteral("ACME"));
    form->addWidget(symbol, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Date Purchased:")), 1, 0);
    form->addWidget(new QDateEdit(QDate(2012, 3, 16)), 1, 1);
    form->addWidget(new QLabel(QStringLiteral("Shares:")), 2, 0);
    form->addWidget(new QLineEdit(QStringLiteral("200")), 2, 1);
    form->addWidget(new QLabel(QStringLiteral("Price:")), 3, 0);
    auto *price = new QLineEdit;
    price->setPlaceholderText(QStringLiteral("0.00"));
    form->addWidget(price, 3, 1);
    auto *live = new QToolButton;
    live->setObjectName(QStringLiteral("smallBtn"));
    live->setText(QStringLiteral("Get Live Price"));
    form->addWidget(live, 3, 2);
    auto *disabled = new QLineEdit(QStringLiteral("disabled"));
    disabled->setEnabled(false);
    form->addWidget(disabled, 4, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *ok = smallBtn(QStringLiteral("accept.png"), QStringLiteral("OK"));
    auto *cancel = smallBtn(QStringLiteral("delete.png"), QStringLiteral("Cancel"));
    for (QToolButton *b : {ok, cancel})
        b->setMinimumSize(75, 25);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *push = new QPushButton(QStringLiteral("Verify && Save"));
    push->setDefault(true);
    buttons->addWidget(push);
    form->addLayout(buttons, 5, 0, 1, 3);
    return dialog;
}

QDialog *buildFieldChooserDialog()
{
    auto *dialog = new QDialog;
    dialog->setObjectName(QStringLiteral("form"));
    dialog->setWindowTitle(QStringLiteral("Select fundamental fields"));
    auto *layout = new QHBoxLayout(dialog);
    auto *hidden = new QListWidget;
    hidden->setObjectName(QStringLiteral("fundListWidget"));
    hidden->addItems({QStringLiteral("Ask"), QStringLiteral("Bid"), QStringLiteral("Book Value"),
                      QStringLiteral("Dividend Yield")});
    hidden->setCurrentRow(1);
    auto *shown = new QListWidget;
    shown->setObjectName(QStringLiteral("fundListWidget"));
    shown->addItems({QStringLiteral("Last Trade"), QStringLiteral("Change"),
                     QStringLiteral("Volume"), QStringLiteral("P/E Ratio")});
    auto *arrows = new QVBoxLayout;
    arrows->addStretch();
    for (const QString &icon : {QStringLiteral("next.png"), QStringLiteral("back.png"),
                                QStringLiteral("up.png"), QStringLiteral("down.png")})
        arrows->addWidget(smallBtn(icon));
    arrows->addStretch();
    layout->addWidget(hidden);
    layout->addLayout(arrows);
    layout->addWidget(shown);
    dialog->resize(400, 220);
    return dialog;
}

} // namespace preview
