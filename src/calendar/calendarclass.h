#pragma once

#include "calendar/calendarfile.h"

#include <QDate>
#include <QList>
#include <QSet>
#include <QWidget>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class QTableWidget;

// The economic calendar page: this week's releases, downloaded at most once a day into the store
// and shown with country flags and importance colours. "Last Week" and "Next Week" fetch and show
// the neighbouring weeks' files without storing them; "This Week" shows the stored week again.
class CalendarClass : public QWidget
{
    Q_OBJECT

public:
    explicit CalendarClass(QWidget *parent = nullptr);

    // The rows the table shows and the Sunday of the week they belong to.
    const QList<CalendarFile::Event> &shownEvents() const { return events; }
    QDate shownWeek() const { return week; }

    // Where flags are kept, beside the program: "Images/flags" under the working directory.
    static QString flagPath(const QString &currency);

public slots:
    void drawDisplay();
    void getData();
    void replyFinished();
    void imageReplyFinished();

    void showLastWeek();
    void showThisWeek();
    void showNextWeek();

signals:
    // A week's file has been handled (shown, stored, or failed); mostly for tests.
    void weekLoaded(QDate sunday, bool ok);

private:
    void requestFlag(const QString &currency);
    void requestWeek(QDate sunday, bool store);
    void showWeek(QDate sunday);
    void showEvents(const QList<CalendarFile::Event> &rows);
    void showFlag(int row, const QString &currency);
    void showWeekText(QDate sunday);

    QLabel *weekLabel = nullptr;
    QPushButton *lastWeekButton = nullptr;
    QPushButton *thisWeekButton = nullptr;
    QPushButton *nextWeekButton = nullptr;
    QTableWidget *table = nullptr;
    QNetworkAccessManager *manager = nullptr;

    QList<CalendarFile::Event> events;
    QDate week;
    QSet<QString> flagsRequested;
};
