#include "marketdata/gsymbolsearchclass.h"

#include "common/requests.h"
#include "marketdata/symbollookup.h"
#include "store/gdatabaseclass.h"
#include "widgets/datatables.h"
#include "widgets/toolbuttons.h"

#include <QDebug>
#include <QDialog>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char *const SequenceProperty = "corvaneSuggestSequence";

} // namespace

GSymbolSearchClass::GSymbolSearchClass(QWidget *parent)
    : QWidget(parent), lookupTimeoutMs(Requests::blockingWaitMs())
{
    form = new QDialog;
    form->setObjectName(QStringLiteral("form"));
    form->setWindowTitle(tr("Add Symbol"));
    form->setMaximumSize(350, 220);
    form->resize(350, 220);

    lineEdit = new QLineEdit(form);
    lineEdit->setPlaceholderText(tr("Search for symbol..."));

    closeButton = ToolButtons::smallButton(form, QStringLiteral("remove.png"));
    closeButton->setWhatsThis(tr("Close this dialog."));

    grid = new QTableWidget(form);
    grid->setColumnCount(3);
    grid->horizontalHeader()->hide();
    DataTables::applyLook(grid, {.frameless = false});
    grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    grid->setColumnWidth(0, 60);
    grid->setColumnWidth(2, 60);

    manager = new QNetworkAccessManager(this);

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(lineEdit, 1);
    searchRow->addWidget(closeButton);
    auto *layout = new QVBoxLayout(form);
    layout->addLayout(searchRow);
    layout->addWidget(grid, 1);

    connect(lineEdit, &QLineEdit::textChanged, this, &GSymbolSearchClass::getSymbol);
    connect(closeButton, &QToolButton::clicked, form, &QDialog::close);
    connect(grid, &QTableWidget::cellDoubleClicked, this, &GSymbolSearchClass::searchGridDblClick);
}

GSymbolSearchClass::~GSymbolSearchClass()
{
    qDebug() << "GSymbolSearchClass Destructor";
    delete form;
}

int GSymbolSearchClass::exec()
{
    return form->exec();
}

void GSymbolSearchClass::addSymbol() {}

void GSymbolSearchClass::getSymbol(const QString &text)
{
    QNetworkReply *reply =
        Requests::get(*manager, SymbolLookup::suggestUrl(text), Requests::Caps::SymbolLookup);
    reply->setProperty(SequenceProperty, ++suggestRequests);
    connect(reply, &QNetworkReply::finished, this, &GSymbolSearchClass::replyFinished);
}

void GSymbolSearchClass::replyFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    // Suggestions are never followed to another address: a redirect's body is read like any
    // answer (and does not parse).
    const Requests::ReplyOutcome outcome =
        Requests::finishReply(*manager, reply, {.followRedirects = false});
    if (outcome.failed()) {
        qDebug() << outcome.errorText;
        return;
    }
    const auto matches = SymbolLookup::parseSuggestReply(outcome.body);
    if (!matches) {
        qDebug() << "cannot evaluate";
        return;
    }
    qDebug() << "Success";
    const quint64 sequence = reply->property(SequenceProperty).toULongLong();
    if (sequence < newestShown)
        return; // an older text's answer arriving late
    newestShown = sequence;

    grid->clearContents();
    grid->setRowCount(0);
    for (const SymbolLookup::Match &match : *matches) {
        qDebug().noquote() << QStringLiteral("Symbol: %1").arg(match.symbol);
        const int row = grid->rowCount();
        grid->insertRow(row);
        grid->setItem(row, 0, new QTableWidgetItem(match.symbol));
        grid->setItem(row, 1, new QTableWidgetItem(match.name));
        grid->setItem(row, 2, new QTableWidgetItem(match.exchange));
    }
}

void GSymbolSearchClass::searchGridDblClick(int row, int /*column*/)
{
    auto cell = [this, row](int column) {
        const QTableWidgetItem *item = grid->item(row, column);
        return item ? item->text() : QString();
    };
    if (!cell(0).isEmpty()) {
        if (GDatabaseClass *store = GDatabaseClass::mainInstance())
            SymbolLookup::addSymbol(*store, SymbolLookup::Match{cell(0), cell(1), cell(2)});
    }
    form->close();
}

QStringList GSymbolSearchClass::getSymbolList(const QString &text)
{
    QStringList completions;
    for (const SymbolLookup::Match &match : getSymbolMatches(text))
        completions << SymbolLookup::completionText(match);
    return completions;
}

QList<SymbolLookup::Match> GSymbolSearchClass::getSymbolMatches(const QString &text)
{
    resultList.clear();
    resultMatches.clear();
    resultReady = false;
    QNetworkReply *reply =
        Requests::get(*manager, SymbolLookup::suggestUrl(text), Requests::Caps::SymbolLookup);
    connect(reply, &QNetworkReply::finished, this, &GSymbolSearchClass::listReplyFinished);
    waitForResult(reply);
    return resultMatches;
}

void GSymbolSearchClass::listReplyFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    const Requests::ReplyOutcome outcome =
        Requests::finishReply(*manager, reply, {.followRedirects = false});
    if (outcome.failed()) {
        qDebug() << outcome.errorText;
    } else if (const auto matches = SymbolLookup::parseSuggestReply(outcome.body)) {
        resultMatches = *matches;
    } else {
        qDebug() << "cannot evaluate";
    }
    finishLookup();
}

QStringList GSymbolSearchClass::getSymbolStats(const QString &symbol)
{
    resultList.clear();
    resultReady = false;
    QNetworkReply *reply =
        Requests::get(*manager, SymbolLookup::quoteLineUrl(symbol), Requests::Caps::SymbolLookup);
    connect(reply, &QNetworkReply::finished, this, &GSymbolSearchClass::statsReplyFinished);
    return waitForResult(reply);
}

void GSymbolSearchClass::statsReplyFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    const Requests::ReplyOutcome outcome = Requests::finishReply(*manager, reply);
    if (outcome.redirected()) {
        pendingLookup = outcome.next;
        connect(outcome.next, &QNetworkReply::finished, this,
                &GSymbolSearchClass::statsReplyFinished);
        return;
    }
    if (outcome.failed()) {
        if (!outcome.redirectRefused) // too many hops: followRedirect said so
            qDebug() << outcome.errorText;
        finishLookup();
        return;
    }
    resultList << SymbolLookup::splitQuoteLine(outcome.body);
    finishLookup();
}

void GSymbolSearchClass::finishLookup()
{
    pendingLookup = nullptr;
    resultReady = true;
    if (waitLoop)
        waitLoop->quit();
}

QStringList GSymbolSearchClass::waitForResult(QNetworkReply *reply)
{
    pendingLookup = reply;
    // Other timers and replies keep running while the caller waits; after the limit the
    // request is abandoned and the lookup answers with an empty list.
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    waitLoop = &loop;
    limit.start(lookupTimeoutMs);
    if (!resultReady)
        loop.exec();
    waitLoop = nullptr;
    if (!resultReady) {
        qDebug() << "GSymbolSearchClass: no answer within" << lookupTimeoutMs << "ms";
        if (QNetworkReply *unanswered = pendingLookup) {
            unanswered->disconnect(this);
            unanswered->abort();
            unanswered->deleteLater();
        }
        pendingLookup = nullptr;
        resultList.clear();
        resultMatches.clear();
        resultReady = true;
    }
    return resultList;
}
