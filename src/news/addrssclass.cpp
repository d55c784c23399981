#include "news/addrssclass.h"

#include "common/messageboxes.h"
#include "common/requests.h"
#include "news/feedaddress.h"
#include "news/feeditems.h"
#include "news/newsstatements.h"
#include "store/gdatabaseclass.h"
#include "widgets/datatables.h"

#include <QDebug>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

AddRssClass::AddRssClass(QWidget *parent) : QWidget(parent)
{
    dialog = new QDialog;
    dialog->setObjectName(QStringLiteral("form"));
    dialog->setWindowTitle(tr("Manage Feeds"));
    dialog->resize(860, 380);

    feedsTable = new QTableWidget(0, 5);
    feedsTable->setObjectName(QStringLiteral("feedsTable"));
    feedsTable->setHorizontalHeaderLabels(
        {QString(), QString(), tr("Title"), tr("Url"), tr("Description")});
    DataTables::applyLook(feedsTable, {.showGrid = false});

    addressEdit = new QLineEdit;
    addressEdit->setObjectName(QStringLiteral("addressEdit"));
    addressEdit->setPlaceholderText(tr("Enter an RSS or Atom Url..."));
    saveButton = new QPushButton(tr("Verify && Save"));
    saveButton->setObjectName(QStringLiteral("saveButton"));
    deleteButton = new QPushButton(tr("Delete"));
    deleteButton->setObjectName(QStringLiteral("deleteButton"));
    manager = new QNetworkAccessManager(this);

    auto *entry = new QHBoxLayout;
    entry->addWidget(new QLabel(tr("New Feed Url:")));
    entry->addWidget(addressEdit, 1);
    entry->addWidget(saveButton);
    entry->addWidget(deleteButton);
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(feedsTable, 1);
    layout->addLayout(entry);

    connect(feedsTable, &QTableWidget::cellDoubleClicked, this, &AddRssClass::feedsTableDblClick);
    connect(saveButton, &QPushButton::clicked, this, &AddRssClass::addButtonClick);
    connect(deleteButton, &QPushButton::clicked, this, &AddRssClass::delButtonClick);
    drawTable();
}

AddRssClass::~AddRssClass()
{
    delete dialog;
}

int AddRssClass::execDialog()
{
    return dialog->exec();
}

void AddRssClass::drawTable()
{
    const QStringList rows = GDatabaseClass::mainInstance()->GetSQLRecords(
        QStringLiteral("SELECT id,category,title,feedUrl,desc FROM rssFeeds ORDER BY id"));
    feedsTable->clearContents();
    feedsTable->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList fields = rows.at(row).split(QLatin1Char('|'));
        for (int column = 0; column < 5; ++column)
            feedsTable->setItem(row, column, new QTableWidgetItem(fields.value(column)));
    }
    feedsTable->setColumnHidden(0, true);
    feedsTable->setColumnHidden(1, true);
    feedsTable->resizeColumnsToContents();
    feedsTable->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
}

void AddRssClass::feedsTableDblClick(int row, int column)
{
    Q_UNUSED(column)
    const QTableWidgetItem *id = feedsTable->item(row, 0);
    if (!id)
        return;
    selectedFeedId = id->text().toInt();
    addressEdit->setText(GDatabaseClass::mainInstance()->GetSQL(
        QStringLiteral("SELECT feedUrl FROM rssFeeds WHERE id=%1").arg(selectedFeedId)));
}

void AddRssClass::delButtonClick()
{
    if (selectedFeedId <= 0 || addressEdit->text().isEmpty())
        return;
    GDatabaseClass &store = *GDatabaseClass::mainInstance();
    store.ExecSQL(QStringLiteral("DELETE FROM rssItems WHERE feedID=%1").arg(selectedFeedId));
    store.ExecSQL(QStringLiteral("DELETE FROM rssFeeds WHERE id=%1").arg(selectedFeedId));
    addressEdit->clear();
    emit NewArticles();
    drawTable();
}

void AddRssClass::addButtonClick()
{
    const QString address = addressEdit->text().trimmed();
    if (address.isEmpty())
        return;
    if (const QString refusal = FeedAddress::refusal(address); !refusal.isEmpty()) {
        MessageBoxes::warning(dialog, tr("Error!"), refusal);
        return;
    }
    saveButton->setEnabled(false);
    QNetworkReply *reply = Requests::get(*manager, QUrl(address), Requests::Caps::Feeds);
    // The address as typed, so that it is stored exactly and found again by the reader.
    reply->setProperty("feedAddress", address);
    connect(reply, &QNetworkReply::finished, this, &AddRssClass::replyFinished);
}

void AddRssClass::replyFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return;
    const Requests::ReplyOutcome outcome = Requests::finishReply(*manager, reply);
    if (outcome.redirected()) {
        outcome.next->setProperty("feedAddress", outcome.next->url().toString(QUrl::FullyEncoded));
        connect(outcome.next, &QNetworkReply::finished, this, &AddRssClass::replyFinished);
        reply->deleteLater();
        return;
    }
    if (outcome.redirectRefused) {
        MessageBoxes::warning(dialog, tr("Error!"), tr("Invalid RSS feed. Please try another."));
        finishAdding(reply);
        return;
    }
    if (outcome.failed()) {
        qDebug().noquote() << outcome.errorText;
        // The dialog stays open, so the user can correct the address and try again.
        MessageBoxes::warning(dialog, tr("Download failed"),
                              tr("The feed could not be fetched: %1").arg(outcome.errorText));
        saveButton->setEnabled(true);
        reply->deleteLater();
        return;
    }
    const QByteArray &body = outcome.body;

    GDatabaseClass &store = *GDatabaseClass::mainInstance();
    const QString address = reply->property("feedAddress").toString();
    QDomDocument document;
    if (!store.GetSQL(NewsStatements::feedIdByAddress(address)).isEmpty()) {
        MessageBoxes::warning(dialog, tr("Error!"), tr("Duplicate RSS Feed. Please try another."));
    } else if (!FeedItems::parse(body, document)) {
        MessageBoxes::warning(dialog, tr("Error!"), tr("Invalid RSS feed. Please try another."));
        qDebug() << "Failed to parse the file into a DOM tree.";
    } else if (!FeedItems::isFeed(document)) {
        // Well-formed, but a web page or other XML: it would never yield an article.
        MessageBoxes::warning(dialog, tr("Error!"), tr("Invalid RSS feed. Please try another."));
        qDebug().noquote() << "Not a feed: " + document.documentElement().nodeName();
    } else {
        const FeedItems::Channel channel = FeedItems::readChannel(document);
        store.ExecSQL(NewsStatements::feedInsert(channel.title, address, channel.description));
    }
    finishAdding(reply);
}

void AddRssClass::finishAdding(QNetworkReply *reply)
{
    saveButton->setEnabled(true);
    emit NewArticles();
    drawTable();
    dialog->close();
    reply->deleteLater();
}
