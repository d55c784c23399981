#pragma once

#include <QWidget>

class QGroupBox;
class QTableWidget;
class QTimer;

// A home-page box of the newest unread headlines of one news template, under a title bar in
// the template's colour. Double-clicking a headline opens the article in the desktop browser
// and marks it read; the box shows the change at its next refresh.
class NewsBoxClass : public QWidget
{
    Q_OBJECT

public:
    explicit NewsBoxClass(QWidget *parent = nullptr);

    static constexpr int RefreshMs = 120000;
    static constexpr int MaxItems = 20;

    // The feeds.id the box shows.
    int feedId = 0;

    QGroupBox *groupBox() const { return box; }
    QTableWidget *table() const { return items; }
    QTimer *refreshTimer() const { return timer; }

public slots:
    void updateDisplay();
    void cellDoubleClicked(int row, int column);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitRowsToLabels();
    void tellUser(const QString &message);

    QGroupBox *box = nullptr;
    QTableWidget *items = nullptr;
    QTimer *timer = nullptr;
    QTimer *refit = nullptr;
};
