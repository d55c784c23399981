#include "news/articlesclass.h"

#include "common/requests.h"
#include "common/statusmessages.h"
#include "common/weblinks.h"
#include "news/addrssclass.h"
#include "news/feeditems.h"
#include "news/newsstatements.h"
#include "store/gdatabaseclass.h"
#include "store/sqlquoting.h"
#include "widgets/tightlayouts.h"
#include "widgets/webviewpolicy.h"

#include <QComboBox>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

constexpr int RefreshIntervalMs = 120000;

} // namespace

ArticlesClass::ArticlesClass(QWidget *parent) : QWidget(parent)
{
    manager = new AddRssClass;
    topFrame = new QFrame;
    topFrame->setObjectName(QStringLiteral("topFrame"));
    topFrame->setFixedHeight(40);
    sourceBox = new QComboBox;
    sourceBox->setObjectName(QStringLiteral("sourceBox"));
    articleBox = new QComboBox;
    articleBox->setObjectName(QStringLiteral("articleBox"));
    articleBox->addItem(tr("<-- Select a source please..."));
    articleView = new QWebEngineView;
    articleView->setObjectName(QStringLiteral("articleView"));
    WebViewPolicy::apply(articleView, WebViewPolicy::Content::Site);
    periodBox = new QComboBox;
    periodBox->setObjectName(QStringLiteral("periodBox"));
    periodBox->addItems({tr("This quarter"), tr("This month"), tr("This week")});
    newButton = new QPushButton(tr("Add Another Feed"));
    newButton->setObjectName(QStringLiteral("newButton"));
    newButton->setFlat(true);
    refreshTimer = new QTimer(this);
    network = new QNetworkAccessManager(this);

    auto *bar = new QHBoxLayout(topFrame);
    bar->addWidget(periodBox, 0);
    bar->addWidget(sourceBox, 1);
    bar->addWidget(articleBox, 2);
    bar->addWidget(newButton, 0);
    TightLayouts::fillContainer(parent, this);
    auto *layout = TightLayouts::column(this);
    layout->addWidget(topFrame);
    layout->addWidget(articleView, 1);

    connect(newButton, &QPushButton::clicked, this, &ArticlesClass::newButtonClick);
    connect(sourceBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { sourceIndexChanged(sourceBox->itemText(index)); });
    connect(articleBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { articleIndexChanged(articleBox->itemText(index)); });
    // The period limits the article list of the chosen source.
    connect(periodBox, &QComboBox::currentIndexChanged, this,
            [this] { sourceIndexChanged(sourceBox->currentText()); });
    connect(refreshTimer, &QTimer::timeout, this, &ArticlesClass::getNewArticles);
    connect(manager, &AddRssClass::NewArticles, this, &ArticlesClass::LoadList);
    connect(manager, &AddRssClass::NewArticles, refreshTimer, qOverload<>(&QTimer::start));

    showPage(QUrl(QStringLiteral("about:blank")));
    LoadList();
    refreshTimer->start(RefreshIntervalMs);
}

ArticlesClass::~ArticlesClass()
{
    delete manager;
}

void ArticlesClass::showPage(const QUrl &url)
{
    shownUrl = url;
    articleView->load(url);
}

void ArticlesClass::popUpSourceSelector()
{
    sourceBox->showPopup();
}

void ArticlesClass::LoadList()
{
    sourceBox->clear();
    sourceBox->addItem(tr("Please make a selection..."));
    sourceBox->addItems(GDatabaseClass::mainStore().GetSQLRecords(
        QStringLiteral("SELECT title FROM rssFeeds ORDER BY title ASC")));
}

qint64 ArticlesClass::periodStartMs() const
{
    const QDateTime now = QDateTime::currentDateTime();
    switch (periodBox->currentIndex()) {
    case 1:
        return now.addMonths(-1).toMSecsSinceEpoch();
    case 2:
        return now.addDays(-7).toMSecsSinceEpoch();
    default:
        return now.addMonths(-3).toMSecsSinceEpoch();
    }
}

void ArticlesClass::sourceIndexChanged(const QString &title)
{
    shownFeedId =
        GDatabaseClass::mainStore()
            .GetSQL(QStringLiteral("SELECT id FROM rssFeeds WHERE title=") + sqlQuoted(title))
            .toInt();
    const QSignalBlocker quiet(articleBox); // refilling is no choice of an article
    articleBox->clear();
    articleBox->addItem(tr("Please make a selection..."));
    articleBox->addItems(GDatabaseClass::mainStore().GetSQLRecords(
        QStringLiteral("SELECT title FROM rssItems WHERE feedID=%1 AND "
                       "pubDate>=%2 ORDER BY pubDate DESC LIMIT 50")
            .arg(shownFeedId)
            .arg(periodStartMs())));
}

void ArticlesClass::articleIndexChanged(const QString &title)
{
    // Titles repeat across feeds ("Market update"): the article is the one of the feed shown,
    // the newest where the feed itself repeats a title.
    const QString address = GDatabaseClass::mainStore().GetSQL(
        QStringLiteral("SELECT url FROM rssItems WHERE feedID=%1 AND title=%2 ORDER BY pubDate "
                       "DESC LIMIT 1")
            .arg(shownFeedId)
            .arg(sqlQuoted(title)));
    if (address.isEmpty()) {
        shownUrl = QUrl();
        articleView->setHtml(QString());
        return;
    }
    // The link comes from the feed: a file:, data: or javascript: link must not be loaded.
    const QUrl article = WebLinks::webAddressFromText(address);
    if (article.isEmpty()) {
        StatusMessages::show(this, WebLinks::refusedLinkMessage(QUrl(address.trimmed())));
        shownUrl = QUrl();
        articleView->setHtml(QString());
        return;
    }
    showPage(QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("Loading.html"))));
    showPage(article);
}

void ArticlesClass::newButtonClick()
{
    manager->execDialog();
}

void ArticlesClass::getNewArticles()
{
    qDebug() << "getNewArticles...";
    const QStringList rows = GDatabaseClass::mainStore().GetSQLRecords(
        NewsStatements::dueFeeds(QDateTime::currentMSecsSinceEpoch()));
    for (const QString &row : rows) {
        const QStringList fields = row.split(QLatin1Char('|'));
        qDebug().noquote() << "Collecting: " + fields.value(2);
        requestFeed(fields.value(1));
        GDatabaseClass::mainStore().ExecSQL(NewsStatements::advanceFeed(
            fields.value(0), QDateTime::currentDateTime().addSecs(3600).toMSecsSinceEpoch()));
    }
    qDebug() << "getNewArticles: done.";
}

void ArticlesClass::requestFeed(const QString &address)
{
    QNetworkReply *reply = Requests::get(*network, QUrl(address), Requests::Caps::Feeds);
    // The stored text, so the feed is found again even where the parsed address would differ.
    reply->setProperty("feedAddress", address);
    connect(reply, &QNetworkReply::finished, this, &ArticlesClass::replyFinished);
}

void ArticlesClass::replyFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    const Requests::ReplyOutcome outcome = Requests::finishReply(*network, reply);
    if (outcome.redirectRefused)
        return; // the move is never followed to anything but a web address
    if (outcome.failed()) {
        qDebug().noquote() << outcome.errorText;
        return;
    }
    const QString address = reply->property("feedAddress").toString();
    if (outcome.redirected()) {
        // The feed moved: keep it under its new address from now on. Encoded, so that the
        // stored address carries no "|".
        const QString moved = outcome.redirectTarget.toString(QUrl::FullyEncoded);
        GDatabaseClass::mainStore().ExecSQL(NewsStatements::moveFeedAddress(address, moved));
        outcome.next->setProperty("feedAddress", moved);
        connect(outcome.next, &QNetworkReply::finished, this, &ArticlesClass::replyFinished);
        return;
    }
    QDomDocument document;
    if (!FeedItems::parse(outcome.body, document)) {
        qDebug() << "ArticlesClass: Failed to parse the file into a DOM tree.";
        return;
    }
    GDatabaseClass &store = GDatabaseClass::mainStore();
    const int feedId = store.GetSQL(NewsStatements::feedIdByAddress(address)).toInt();
    const QList<FeedItems::Item> items = FeedItems::readItems(
        document, FeedItems::FeedKind::GeneralFeed, QDateTime::currentDateTime());
    QStringList inserts;
    inserts.reserve(items.size());
    for (const FeedItems::Item &item : items)
        inserts << NewsStatements::rssItemInsert(feedId, item);
    if (!store.runInTransaction(inserts)) {
        // Rolled back: the feed keeps the items it had, and is fetched again within the hour.
        qDebug().noquote() << "ArticlesClass: the items of" << address << "could not be stored.";
        return;
    }

    // New items of the feed on show appear at once, unless the user is reading an article.
    if (feedId != 0 && feedId == shownFeedId && articleBox->currentIndex() <= 0)
        sourceIndexChanged(sourceBox->currentText());
}
