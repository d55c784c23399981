#include "home/newsboxclass.h"

#include "common/weblinks.h"
#include "home/homequeries.h"
#include "home/newsboxcontent.h"
#include "news/headlines.h"
#include "store/gdatabaseclass.h"
#include "widgets/datatables.h"
#include "widgets/tightlayouts.h"

#include <QDebug>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int RowHeight = 18;
constexpr int StatusShownMs = 15000;

} // namespace

NewsBoxClass::NewsBoxClass(QWidget *parent) : QWidget(parent)
{
    box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("newsGroupBox"));
    // The title bar is padded far to the right so that it spans the box; that padding must not
    // become the box's minimum width.
    box->setMinimumWidth(120);

    items = new QTableWidget(0, 3, box);
    DataTables::applyLook(items, {.rowHeight = RowHeight, .showGrid = false});
    items->setWordWrap(true);
    items->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    items->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The box's title bar names the feed; column captions would only repeat the obvious.
    items->horizontalHeader()->hide();
    items->horizontalHeader()->setMinimumSectionSize(0);
    items->setColumnWidth(0, 0);
    items->setColumnHidden(0, true); // the item id, for the double-click
    items->setColumnWidth(1, 50);
    items->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);

    TightLayouts::column(box)->addWidget(items);
    TightLayouts::column(this)->addWidget(box);

    connect(items, &QTableWidget::cellDoubleClicked, this, &NewsBoxClass::cellDoubleClicked);
    // Word-wrapped titles need taller rows when the column narrows, also when a scroll bar
    // appears. The fit waits for the event loop, so the header has taken its new widths first.
    refit = new QTimer(this);
    refit->setSingleShot(true);
    refit->setInterval(0);
    connect(refit, &QTimer::timeout, this, &NewsBoxClass::fitRowsToLabels);
    connect(items->horizontalHeader(), &QHeaderView::sectionResized, refit,
            qOverload<>(&QTimer::start));
    items->viewport()->installEventFilter(this);

    timer = new QTimer(this);
    timer->setInterval(RefreshMs);
    connect(timer, &QTimer::timeout, this, &NewsBoxClass::updateDisplay);
    timer->start();
}

void NewsBoxClass::updateDisplay()
{
    qDebug().noquote() << QStringLiteral("updateDisplay: %1").arg(feedId);
    GDatabaseClass &store = GDatabaseClass::mainStore();
    const QStringList titles = store.GetSQLRecords(HomeQueries::feedTitle(feedId));
    // A template deleted or never set up leaves the box standing; say so instead of a blank bar.
    box->setTitle(titles.isEmpty() ? tr("News template %1 is not set up").arg(feedId)
                                   : titles.first());
    box->setStyleSheet(NewsBoxContent::styleSheet(
        NewsBoxContent::colourFromText(store.GetSQL(HomeQueries::feedColour(feedId)))));

    const QList<NewsBoxContent::Item> unread =
        NewsBoxContent::fromRows(store.GetSQLRecords(HomeQueries::unreadItems(feedId)));
    items->clearContents();
    items->setRowCount(int(unread.size()));
    for (int row = 0; row < unread.size(); ++row) {
        const NewsBoxContent::Item &item = unread.at(row);
        items->setItem(row, 0, new QTableWidgetItem(item.id));
        items->setItem(row, 1, new QTableWidgetItem(item.symbol));
        auto *label = new QLabel(NewsBoxContent::itemLabel(item));
        label->setTextFormat(Qt::RichText);
        label->setWordWrap(true);
        // The row takes the double-click; a link-like label must not swallow it.
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setToolTip(item.title);
        items->setCellWidget(row, 2, label);
    }
    fitRowsToLabels();
}

bool NewsBoxClass::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == items->viewport() && event->type() == QEvent::Resize)
        refit->start();
    return QWidget::eventFilter(watched, event);
}

void NewsBoxClass::fitRowsToLabels()
{
    const int width = items->columnWidth(2);
    for (int row = 0; row < items->rowCount(); ++row) {
        QWidget *label = items->cellWidget(row, 2);
        if (label)
            label->ensurePolished(); // the style sheet's font decides how the title wraps
        const int height = label && width > 0 ? label->heightForWidth(width) : -1;
        items->setRowHeight(row, qMax(RowHeight, height));
    }
}

void NewsBoxClass::cellDoubleClicked(int row, int column)
{
    Q_UNUSED(column)
    const QTableWidgetItem *idItem = items->item(row, 0);
    if (!idItem)
        return;
    const QString id = idItem->text();
    const QString query = HomeQueries::itemUrl(id);
    if (query.isEmpty())
        return;
    GDatabaseClass &store = GDatabaseClass::mainStore();
    const QString address = store.GetSQL(query).trimmed();
    if (address.isEmpty()) {
        tellUser(tr("This headline came without a link to its article."));
    } else {
        const QUrl link(address, QUrl::TolerantMode);
        if (!WebLinks::openInBrowser(link))
            tellUser(WebLinks::refusedLinkMessage(link));
    }
    // Read now; the row stays in the box until its next refresh.
    store.ExecSQL(Headlines::markReadStatement(id));
}

void NewsBoxClass::tellUser(const QString &message)
{
    if (auto *mainWindow = qobject_cast<QMainWindow *>(window()))
        mainWindow->statusBar()->showMessage(message, StatusShownMs);
    else
        qDebug().noquote() << "NewsBoxClass: " + message;
}
