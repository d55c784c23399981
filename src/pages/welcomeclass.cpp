#include "pages/welcomeclass.h"

#include "common/requests.h"
#include "marketdata/fundgrid.h"
#include "marketdata/gfundfieldsclass.h"
#include "marketdata/gmanagesymbols.h"
#include "marketdata/quotesnapshot.h"
#include "store/gdatabaseclass.h"

#include <QBrush>
#include <QColor>
#include <QDebug>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *topBarButton(QWidget *parent, const QString &icon)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("smallBtn"));
    button->setIcon(QIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
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
    const QString icons = QStringLiteral(":/Icons/Images/Icons/sets/png/128x128/");
    addSymbolButton = topBarButton(topFrame, icons + QStringLiteral("add.png"));
    addSymbolButton->setText(tr("&Add Another Symbol"));
    fieldsButton = topBarButton(topFrame, icons + QStringLiteral("tools.png"));
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
    // The bottom row (chart picture with its selectors, newest news) joins here with stretch 40.

    connect(addSymbolButton, &QToolButton::clicked, this, &WelcomeClass::addNewSymbol);
    connect(fieldsButton, &QToolButton::clicked, this, &WelcomeClass::manageFieldsClick);
    connect(fundTable->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &WelcomeClass::sectionDblClicked);

    quoteRefresh = new QTimer(this);
    connect(quoteRefresh, &QTimer::timeout, this, &WelcomeClass::getFundData);
    quoteRefresh->start(QuotePeriodMs);

    manager = new QNetworkAccessManager(this);
    getFundData();
}

void WelcomeClass::getFundData()
{
    qDebug() << "getFundData...";
    GDatabaseClass *store = GDatabaseClass::mainInstance();
    if (!store)
        return;
    const QStringList symbols = QuoteSnapshot::followedSymbols(*store);
    QNetworkReply *reply = Requests::get(*manager, QuoteSnapshot::requestUrl(symbols));
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
    if (reply->error() != QNetworkReply::NoError) {
        qDebug() << reply->errorString();
        qDebug() << "getFundData: processing done.";
        return;
    }
    const QByteArray body = reply->readAll();
    if (!Requests::redirectTarget(reply).isEmpty()) {
        if (QNetworkReply *next = Requests::followRedirect(*manager, reply))
            connect(next, &QNetworkReply::finished, this, &WelcomeClass::replyFinished);
    } else if (GDatabaseClass *store = GDatabaseClass::mainInstance()) {
        if (const auto quotes = QuoteSnapshot::parseReply(body))
            QuoteSnapshot::store(*store, *quotes);
        else
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
            if (column - 1 >= line.cells.size()) {
                delete fundTable->takeItem(row, column);
                continue;
            }
            const FundGrid::Cell &cell = line.cells.at(column - 1);
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
