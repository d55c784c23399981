#pragma once

#include <QWidget>

class QComboBox;
class QFrame;
class QNetworkAccessManager;
class QTimer;
class QWebEngineView;

// The market reports page: stores the vendor's report feed (fetched at most once an hour), lists
// the reports newest first and shows the chosen one's full text.
class WrapsClass : public QWidget
{
    Q_OBJECT

public:
    explicit WrapsClass(QWidget *parent = nullptr);

    void reloadReports();
    // The address of the vendor's report feed.
    static QUrl feedUrl();

public slots:
    void replyFinished();
    void getMarketWraps();
    void itemsComboChanged(const QString &title);

private:
    QFrame *topFrame = nullptr;
    QComboBox *itemsCombo = nullptr;
    QTimer *timer = nullptr;
    QNetworkAccessManager *manager = nullptr;
    QWebEngineView *webView = nullptr;
};
