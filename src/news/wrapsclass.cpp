#include "news/wrapsclass.h"

#include "common/requests.h"
#include "common/serviceaddresses.h"
#include "news/feeditems.h"
#include "news/newsstatements.h"
#include "store/gdatabaseclass.h"
#include "store/settingskeys.h"
#include "store/sqlquoting.h"
#include "widgets/tightlayouts.h"
#include "widgets/webviewpolicy.h"

#include <QComboBox>
#include <QDateTime>
#include <QDebug>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

constexpr int CheckIntervalMs = 60000;

} // namespace

WrapsClass::WrapsClass(QWidget *parent) : QWidget(parent)
{
    topFrame = new QFrame;
    topFrame->setObjectName(QStringLiteral("topFrame"));
    topFrame->setFixedHeight(40);
    itemsCombo = new QComboBox;
    itemsCombo->setObjectName(QStringLiteral("reportBox"));
    itemsCombo->setMinimumWidth(360);
    itemsCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto *bar = new QHBoxLayout(topFrame);
    bar->addWidget(new QLabel(tr("Market Reports:")));
    bar->addWidget(itemsCombo);
    bar->addStretch(1);

    webView = new QWebEngineView;
    webView->setObjectName(QStringLiteral("webView"));
    // A report is text from the vendor's feed: shown, never run.
    WebViewPolicy::apply(webView, WebViewPolicy::Content::Text);
    timer = new QTimer(this);
    manager = new QNetworkAccessManager(this);

    TightLayouts::fillContainer(parent, this);
    auto *layout = TightLayouts::column(this);
    layout->addWidget(topFrame);
    layout->addWidget(webView, 1);

    connect(itemsCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { itemsComboChanged(itemsCombo->itemText(index)); });
    connect(timer, &QTimer::timeout, this, &WrapsClass::getMarketWraps);

    reloadReports();
    timer->start(CheckIntervalMs);
}

QUrl WrapsClass::feedUrl()
{
    return ServiceAddresses::url(ServiceAddresses::Service::Vendor, QStringLiteral("/?feed=rss2"));
}

void WrapsClass::reloadReports()
{
    // Rebuilding keeps the report being read: the list is rebuilt every minute, and a reader
    // should not lose the article to that.
    const QString chosen = itemsCombo->currentIndex() > 0 ? itemsCombo->currentText() : QString();
    const QStringList titles = GDatabaseClass::mainStore().GetSQLRecords(
        QStringLiteral("SELECT title FROM marketWraps WHERE category=%1 ORDER BY pubDate DESC")
            .arg(sqlQuoted(FeedItems::ListedReportCategory)));
    const int keep = chosen.isEmpty() ? -1 : titles.indexOf(chosen);
    if (keep >= 0) {
        const QSignalBlocker quiet(itemsCombo);
        itemsCombo->clear();
        itemsCombo->addItem(tr("Select a Report..."));
        itemsCombo->addItems(titles);
        itemsCombo->setCurrentIndex(keep + 1);
        return;
    }
    itemsCombo->clear();
    itemsCombo->addItem(tr("Select a Report..."));
    itemsCombo->addItems(titles);
}

void WrapsClass::itemsComboChanged(const QString &title)
{
    const QString content = GDatabaseClass::mainStore().GetSQL(
        QStringLiteral("SELECT content FROM marketWraps WHERE title=") + sqlQuoted(title));
    webView->setHtml(content);
}

void WrapsClass::getMarketWraps()
{
    qDebug() << "getMarketWraps...";
    const qint64 gate =
        SettingsKeys::readNumber(GDatabaseClass::mainStore(), SettingsKeys::MarketWrapsUpdate, 0);
    const QDateTime now = QDateTime::currentDateTime();
    if (gate < now.toMSecsSinceEpoch()) {
        QNetworkReply *reply = Requests::get(*manager, feedUrl(), Requests::Caps::Feeds);
        connect(reply, &QNetworkReply::finished, this, &WrapsClass::replyFinished);
        SettingsKeys::write(GDatabaseClass::mainStore(), SettingsKeys::MarketWrapsUpdate,
                            now.addSecs(3600).toMSecsSinceEpoch());
    }
    qDebug() << "getMarketWraps: done.";
    reloadReports();
}

void WrapsClass::replyFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    const Requests::ReplyOutcome outcome = Requests::finishReply(*manager, reply);
    if (outcome.redirected()) {
        connect(outcome.next, &QNetworkReply::finished, this, &WrapsClass::replyFinished);
        return;
    }
    if (outcome.failed()) {
        if (!outcome.redirectRefused)
            qDebug().noquote() << outcome.errorText;
        return;
    }
    QDomDocument document;
    if (!FeedItems::parse(outcome.body, document)) {
        qDebug() << "Failed to parse the file into a DOM tree.";
        return;
    }
    const QList<FeedItems::Item> items = FeedItems::readItems(
        document, FeedItems::FeedKind::MarketReport, QDateTime::currentDateTime());
    QStringList inserts;
    inserts.reserve(items.size());
    for (const FeedItems::Item &item : items)
        inserts << NewsStatements::marketWrapInsert(item);
    if (!GDatabaseClass::mainStore().runInTransaction(inserts)) {
        // Rolled back: the reports shown are the ones stored before.
        qDebug() << "WrapsClass: the market reports could not be stored.";
        return;
    }
    reloadReports();
}
