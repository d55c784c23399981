#include "news/gmanagefeedsclass.h"

#include "common/messageboxes.h"
#include "common/requests.h"
#include "news/feedaddress.h"
#include "news/feeditems.h"
#include "news/newsstatements.h"
#include "store/gdatabaseclass.h"

#include <QComboBox>
#include <QDebug>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel *caption(const QString &text)
{
    auto *label = new QLabel(text);
    label->setMinimumWidth(75);
    return label;
}

} // namespace

gManageFeedsClass::gManageFeedsClass(QWidget *parent) : QWidget(parent)
{
    manager = new QNetworkAccessManager(this);
}

gManageFeedsClass::~gManageFeedsClass()
{
    delete dialog;
}

void gManageFeedsClass::setUpDialog()
{
    if (dialog)
        return;
    dialog = new QDialog;
    dialog->setObjectName(QStringLiteral("form"));
    dialog->setMaximumSize(500, 200);
    dialog->setMinimumWidth(480);

    colourBox = new QComboBox;
    colourBox->setObjectName(QStringLiteral("colourBox"));
    colourBox->setMaximumWidth(150); // the address needs the room more than a long colour name
    for (const QString &name : QColor::colorNames()) {
        QPixmap swatch(16, 16);
        swatch.fill(QColor(name));
        colourBox->addItem(QIcon(swatch), name);
    }
    urlEdit = new QLineEdit;
    urlEdit->setObjectName(QStringLiteral("urlEdit"));
    urlEdit->setPlaceholderText(tr("Enter Feed URL..."));

    titleValue = new QLabel;
    titleValue->setObjectName(QStringLiteral("titleValue"));
    titleValue->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    descriptionValue = new QLabel;
    descriptionValue->setObjectName(QStringLiteral("descriptionValue"));
    siteValue = new QLabel;
    siteValue->setObjectName(QStringLiteral("siteValue"));
    for (QLabel *value : {titleValue, descriptionValue, siteValue})
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);

    verifyButton = new QToolButton;
    verifyButton->setObjectName(QStringLiteral("verifyButton"));
    verifyButton->setText(tr("Verify Feed"));
    verifyButton->setMinimumSize(60, 35);
    saveButton = new QToolButton;
    saveButton->setObjectName(QStringLiteral("saveButton"));
    saveButton->setText(tr("Save Feed"));
    saveButton->setMinimumSize(60, 35);
    saveButton->setEnabled(false);
    saveButton->setWhatsThis(tr("Once a feed has been verified, you can save it."));
    connect(verifyButton, &QToolButton::clicked, this, &gManageFeedsClass::getRss);
    connect(saveButton, &QToolButton::clicked, this, &gManageFeedsClass::saveFeed);

    auto *grid = new QGridLayout;
    grid->addWidget(colourBox, 0, 0);
    grid->addWidget(urlEdit, 0, 1);
    grid->addWidget(caption(tr("Title:")), 1, 0);
    grid->addWidget(titleValue, 1, 1);
    grid->addWidget(caption(tr("Description:")), 2, 0);
    grid->addWidget(descriptionValue, 2, 1);
    grid->addWidget(caption(tr("Site URL:")), 3, 0);
    grid->addWidget(siteValue, 3, 1);
    grid->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(verifyButton);
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    auto *layout = new QVBoxLayout(dialog);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    if (feedId == 0) {
        dialog->setWindowTitle(tr("Add New Feed"));
        colourBox->setCurrentIndex(0);
        return;
    }
    dialog->setWindowTitle(tr("Manage Feed"));
    const QStringList rows =
        GDatabaseClass::mainInstance()->GetSQLRecords(NewsStatements::templateById(feedId));
    const QStringList fields = rows.value(0).split(QLatin1Char('|'));
    colourBox->setCurrentIndex(
        colourBox->findText(fields.value(1), Qt::MatchExactly | Qt::MatchCaseSensitive));
    urlEdit->setText(fields.value(2));
    feedTitle = fields.value(0);
    feedDesc = fields.value(3);
    titleValue->setText(feedTitle);
    descriptionValue->setText(feedDesc);
}

int gManageFeedsClass::execDialog()
{
    setUpDialog();
    return dialog->exec();
}

void gManageFeedsClass::getRss()
{
    verifyButton->setText(tr("Verifying..."));
    const QString address = urlEdit->text();
    if (!address.contains(QLatin1String("<SYMBOL>"))) {
        MessageBoxes::critical(
            dialog, tr("Warning"),
            tr("<p>The RSS TEMPLATE you entered is not formatted correctly!</p><P>Please "
               "refer to the documentation or add this feed in the Headlines section."));
        verifyButton->setText(tr("Verify Feed"));
        return;
    }
    if (const QString refusal = FeedAddress::refusal(address); !refusal.isEmpty()) {
        MessageBoxes::warning(dialog, tr("Warning"), refusal);
        verifyButton->setText(tr("Verify Feed"));
        return;
    }
    verifyButton->setEnabled(false);
    titleValue->clear();
    descriptionValue->clear();
    siteValue->clear();
    const QString sample = QString(address).replace(QLatin1String("<SYMBOL>"), sampleSymbol());
    QNetworkReply *reply = Requests::get(*manager, QUrl(sample), Requests::Caps::Feeds);
    connect(reply, &QNetworkReply::finished, this, &gManageFeedsClass::replyFinished);
}

void gManageFeedsClass::replyFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    const Requests::ReplyOutcome outcome = Requests::finishReply(*manager, reply);
    if (outcome.redirected()) {
        connect(outcome.next, &QNetworkReply::finished, this, &gManageFeedsClass::replyFinished);
        // Still verifying: the button stays as it is until the target has answered.
        return;
    }
    if (outcome.failed()) {
        if (!outcome.redirectRefused)
            qDebug().noquote() << outcome.errorText;
        finishVerification();
        return;
    }
    QDomDocument document;
    if (!FeedItems::parse(outcome.body, document)) {
        qDebug() << "Failed to parse the file into a DOM tree.";
    } else {
        const FeedItems::Channel channel = FeedItems::readChannel(document);
        for (const QString &name : channel.nodeNames)
            qDebug().noquote() << name;
        feedTitle = channel.title;
        feedLink = channel.link;
        feedDesc = channel.description;
        titleValue->setText(feedTitle);
        descriptionValue->setText(feedDesc);
        siteValue->setText(feedLink);
        saveButton->setEnabled(true);
    }
    finishVerification();
}

void gManageFeedsClass::finishVerification()
{
    verifyButton->setText(tr("Verify Feed"));
    verifyButton->setEnabled(true);
    saveButton->setFocus();
}

void gManageFeedsClass::saveFeed()
{
    GDatabaseClass &store = *GDatabaseClass::mainInstance();
    const QString address = urlEdit->text();
    const QString colour = colourBox->currentText();
    // The address may have been edited since it was verified.
    if (const QString refusal = FeedAddress::refusal(address); !refusal.isEmpty()) {
        MessageBoxes::warning(dialog, tr("Warning"), refusal);
        return;
    }
    if (feedId != 0) {
        store.ExecSQL(NewsStatements::templateUpdate(feedId, feedTitle, colour, address, feedDesc));
    } else {
        if (!store.GetSQL(NewsStatements::templateIdByAddress(address)).isEmpty()) {
            qDebug() << "Duplicate Feed.";
            MessageBoxes::critical(dialog, tr("Error"),
                                   tr("This feed has already been added. Please try another."),
                                   QMessageBox::Cancel);
            return;
        }
        store.ExecSQL(NewsStatements::templateInsert(feedTitle, colour, address, feedDesc));
    }
    dialog->accept();
}
