#include "calendar/calendarclass.h"

#include "calendar/calendarstyle.h"
#include "common/messageboxes.h"
#include "common/requests.h"
#include "common/serviceaddresses.h"
#include "store/gdatabaseclass.h"
#include "store/settingskeys.h"
#include "widgets/datatables.h"
#include "widgets/tightlayouts.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr qint64 DayMs = 24 * 60 * 60 * 1000;
constexpr int RowHeight = 24;
const char *const WeekProperty = "calendarWeek";
const char *const StoreProperty = "calendarStore";
const char *const CurrencyProperty = "flagCurrency";

enum Column
{
    DateColumn,
    TimeColumn,
    FlagColumn,
    EventColumn,
    ImportanceColumn,
    ActualColumn,
    ForecastColumn,
    PreviousColumn,
    ColumnCount
};

QDate thisWeek()
{
    return CalendarFile::fileDate(QDate::currentDate());
}

// The currency becomes part of a file name and an address: only a plain code may, never a path.
bool isFlagCode(const QString &currency)
{
    static const QRegularExpression code(QStringLiteral("^[A-Za-z0-9]{1,8}$"));
    return code.match(currency).hasMatch();
}

// A redirected request keeps what the first one was for.
void carryTags(const QNetworkReply *from, QNetworkReply *to)
{
    for (const char *tag : {WeekProperty, StoreProperty, CurrencyProperty})
        to->setProperty(tag, from->property(tag));
}

QTableWidgetItem *centred(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

QPushButton *weekButton(const QString &text)
{
    auto *button = new QPushButton(text);
    button->setFlat(true);
    return button;
}

} // namespace

CalendarClass::CalendarClass(QWidget *parent) : QWidget(parent)
{
    auto *topFrame = new QFrame;
    topFrame->setObjectName(QStringLiteral("topFrame"));
    topFrame->setFixedHeight(40);
    lastWeekButton = weekButton(tr("Last Week"));
    thisWeekButton = weekButton(tr("This Week"));
    nextWeekButton = weekButton(tr("Next Week"));
    weekLabel = new QLabel;
    weekLabel->setObjectName(QStringLiteral("weekLabel"));
    auto *bar = new QHBoxLayout(topFrame);
    bar->addWidget(lastWeekButton);
    bar->addStretch(1);
    bar->addWidget(thisWeekButton);
    bar->addSpacing(12);
    bar->addWidget(weekLabel);
    bar->addStretch(1);
    bar->addWidget(nextWeekButton);

    table = new QTableWidget(0, ColumnCount);
    table->setObjectName(QStringLiteral("calendarTable"));
    table->setHorizontalHeaderLabels({tr("Date"), tr("Time"), QString(), tr("Event"),
                                      tr("Importance"), tr("Actual"), tr("Forecast"),
                                      tr("Previous")});
    DataTables::applyLook(table, {.rowHeight = RowHeight, .showGrid = false});
    table->verticalHeader()->setMinimumSectionSize(RowHeight);
    // Sized to their contents whenever rows or the style change; the event takes the rest.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setMinimumSectionSize(44);
    table->horizontalHeader()->setSectionResizeMode(EventColumn, QHeaderView::Stretch);

    manager = new QNetworkAccessManager(this);

    TightLayouts::fillContainer(parent, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(topFrame);
    layout->addWidget(table, 1);

    connect(lastWeekButton, &QPushButton::clicked, this, &CalendarClass::showLastWeek);
    connect(thisWeekButton, &QPushButton::clicked, this, &CalendarClass::showThisWeek);
    connect(nextWeekButton, &QPushButton::clicked, this, &CalendarClass::showNextWeek);

    getData();
}

QString CalendarClass::flagPath(const QString &currency)
{
    return QDir::current().absoluteFilePath(
        QStringLiteral("Images/flags/flag-%1.png").arg(currency.toLower()));
}

void CalendarClass::getData()
{
    const qint64 gate =
        SettingsKeys::readNumber(GDatabaseClass::mainStore(), SettingsKeys::CalendarUpdate, 0);
    // What the store holds stays on screen while a newer week is on its way, and after a
    // download that failed.
    drawDisplay();
    if (gate >= QDateTime::currentMSecsSinceEpoch())
        return;
    requestWeek(thisWeek(), true);
}

void CalendarClass::requestWeek(QDate sunday, bool store)
{
    const QUrl url =
        ServiceAddresses::url(ServiceAddresses::Service::Calendar, CalendarFile::filePath(sunday));
    QNetworkReply *reply = Requests::get(*manager, url, Requests::Caps::Calendar);
    reply->setProperty(WeekProperty, sunday);
    reply->setProperty(StoreProperty, store);
    connect(reply, &QNetworkReply::finished, this, &CalendarClass::replyFinished);
}

void CalendarClass::replyFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    const QDate sunday = reply->property(WeekProperty).toDate();
    const bool store = reply->property(StoreProperty).toBool();
    const bool onScreen = sunday == week;

    const Requests::ReplyOutcome outcome = Requests::finishReply(*manager, reply);
    if (outcome.redirected()) {
        carryTags(reply, outcome.next);
        connect(outcome.next, &QNetworkReply::finished, this, &CalendarClass::replyFinished);
        return;
    }
    QString failure;
    QList<CalendarFile::Event> rows;
    if (outcome.redirectRefused) {
        failure = tr("too many redirects");
    } else if (outcome.failed()) {
        failure = outcome.errorText;
    } else {
        rows = CalendarFile::parse(Requests::latin1Text(outcome.body));
        if (rows.isEmpty())
            failure = tr("the file holds no events");
    }

    if (failure.isEmpty() && store &&
        !GDatabaseClass::mainStore().runInTransaction(CalendarFile::replaceStatements(rows))) {
        // Rolled back: the stored week is as it was, and the user hears of it.
        failure = tr("the events could not be stored");
        MessageBoxes::writeFailed(this, tr("The economic calendar for the week of %1")
                                            .arg(QLocale().toString(sunday, QLocale::LongFormat)));
    }

    if (!failure.isEmpty()) {
        // Stored rows are left alone, and the next start-up tries again.
        qDebug().noquote() << "Calendar:" << reply->url().toString() << failure;
        if (onScreen && !store) {
            events.clear();
            table->setRowCount(0);
        }
        if (onScreen)
            weekLabel->setText(tr("The calendar for the week of %1 could not be loaded: %2")
                                   .arg(QLocale().toString(sunday, QLocale::LongFormat), failure));
        emit weekLoaded(sunday, false);
        return;
    }

    if (store) {
        SettingsKeys::write(GDatabaseClass::mainStore(), SettingsKeys::CalendarUpdate,
                            QDateTime::currentMSecsSinceEpoch() + DayMs);
        if (onScreen)
            drawDisplay();
    } else if (onScreen) {
        showEvents(rows);
        showWeekText(sunday);
    }
    emit weekLoaded(sunday, true);
}

void CalendarClass::drawDisplay()
{
    week = thisWeek();
    QList<CalendarFile::Event> stored;
    const QStringList rows =
        GDatabaseClass::mainStore().GetSQLRecords(CalendarFile::selectStatement());
    stored.reserve(rows.size());
    for (const QString &row : rows)
        stored << CalendarFile::fromStoredRow(row);
    showEvents(stored);
    showWeekText(week);
}

void CalendarClass::showWeekText(QDate sunday)
{
    weekLabel->setText(tr("Week of %1").arg(QLocale().toString(sunday, QLocale::LongFormat)));
}

void CalendarClass::showEvents(const QList<CalendarFile::Event> &rows)
{
    events = rows;
    table->clearContents();
    table->setRowCount(int(rows.size()));
    QString lastDate;
    for (int row = 0; row < rows.size(); ++row) {
        const CalendarFile::Event &event = rows.at(row);
        // Each day's date once, on its first row.
        if (event.date != lastDate) {
            auto *date = new QTableWidgetItem(event.date);
            date->setBackground(CalendarStyle::dateBackground());
            date->setForeground(Qt::white);
            table->setItem(row, DateColumn, date);
            lastDate = event.date;
        }
        table->setItem(row, TimeColumn, new QTableWidgetItem(event.time));
        showFlag(row, event.currency);
        table->setItem(row, EventColumn, new QTableWidgetItem(event.description));

        const CalendarStyle::Importance importance = CalendarStyle::importance(event.level);
        QTableWidgetItem *level = centred(importance.label);
        level->setBackground(importance.background);
        level->setForeground(Qt::white);
        table->setItem(row, ImportanceColumn, level);

        QTableWidgetItem *actual = centred(event.actual);
        const QColor colour = CalendarStyle::actualColour(event.actual, event.previous);
        if (colour.isValid())
            actual->setForeground(colour);
        table->setItem(row, ActualColumn, actual);
        table->setItem(row, ForecastColumn, centred(event.forecast));
        table->setItem(row, PreviousColumn, centred(event.previous));
    }
}

void CalendarClass::showFlag(int row, const QString &currency)
{
    auto *item = new QTableWidgetItem;
    item->setData(Qt::UserRole, currency.toLower());
    item->setTextAlignment(Qt::AlignCenter);
    if (isFlagCode(currency)) {
        const QString path = flagPath(currency);
        if (QFile::exists(path))
            item->setIcon(QIcon(path));
        else
            requestFlag(currency);
    }
    table->setItem(row, FlagColumn, item);
}

void CalendarClass::requestFlag(const QString &currency)
{
    const QString code = currency.toLower();
    if (!isFlagCode(code) || flagsRequested.contains(code))
        return;
    flagsRequested.insert(code);
    const QUrl url =
        ServiceAddresses::url(ServiceAddresses::Service::Flags,
                              QStringLiteral("/design/fxcm/img/flags/32x32/flag-%1.png").arg(code));
    QNetworkReply *reply = Requests::get(*manager, url, Requests::Caps::Pictures);
    reply->setProperty(CurrencyProperty, code);
    connect(reply, &QNetworkReply::finished, this, &CalendarClass::imageReplyFinished);
}

void CalendarClass::imageReplyFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply)
        return;
    reply->deleteLater();
    const QString code = reply->property(CurrencyProperty).toString();
    const Requests::ReplyOutcome outcome = Requests::finishReply(*manager, reply);
    if (outcome.redirected()) {
        carryTags(reply, outcome.next);
        connect(outcome.next, &QNetworkReply::finished, this, &CalendarClass::imageReplyFinished);
        return;
    }
    // Whatever happens now, a later display may ask again.
    flagsRequested.remove(code);
    if (outcome.failed() && !outcome.redirectRefused) {
        qDebug().noquote() << "Calendar flag:" << outcome.errorText;
        return;
    }
    // A redirect not followed holds no picture either.
    const QImage image = outcome.hasBody() ? QImage::fromData(outcome.body) : QImage();
    if (image.isNull()) {
        qDebug().noquote() << "Calendar flag: no picture at" << reply->url().toString();
        return;
    }
    QDir here = QDir::current();
    if (!here.mkpath(QStringLiteral("Images/flags"))) {
        qDebug() << "Error creating flags directory.";
        return;
    }
    const QString path = flagPath(code);
    if (!image.save(path, "PNG")) {
        qDebug().noquote() << "Calendar flag: cannot save" << path;
        return;
    }
    for (int row = 0; row < table->rowCount(); ++row) {
        QTableWidgetItem *item = table->item(row, FlagColumn);
        if (item && item->data(Qt::UserRole).toString() == code)
            item->setIcon(QIcon(path));
    }
}

void CalendarClass::showLastWeek()
{
    showWeek(week.addDays(-7));
}

void CalendarClass::showNextWeek()
{
    showWeek(week.addDays(7));
}

void CalendarClass::showThisWeek()
{
    drawDisplay();
}

void CalendarClass::showWeek(QDate sunday)
{
    if (sunday == thisWeek()) {
        drawDisplay();
        return;
    }
    week = sunday;
    events.clear();
    table->setRowCount(0);
    weekLabel->setText(
        tr("Loading the week of %1...").arg(QLocale().toString(sunday, QLocale::LongFormat)));
    requestWeek(sunday, false);
}
