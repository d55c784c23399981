#pragma once

#include <QUrl>
#include <QWidget>

class AddRssClass;
class QComboBox;
class QFrame;
class QNetworkAccessManager;
class QPushButton;
class QTimer;
class QWebEngineView;

// The general feed reader page: keeps the items of every general feed up to date (each feed at
// most once an hour), lists the latest article titles of the chosen feed and shows the chosen
// article in an embedded browser.
class ArticlesClass : public QWidget
{
    Q_OBJECT

public:
    explicit ArticlesClass(QWidget *parent = nullptr);
    ~ArticlesClass() override;

    // The feed manager dialog this page owns (the same one every time).
    AddRssClass *feedManager() const { return manager; }
    // True while no article has been opened yet.
    bool articleViewIsBlank() const { return shownUrl == QUrl(QStringLiteral("about:blank")); }
    // Opens the source selector's list so the user picks a feed.
    void popUpSourceSelector();

    void requestFeed(const QString &address);

public slots:
    void sourceIndexChanged(const QString &title);
    void articleIndexChanged(const QString &title);
    void getNewArticles();
    void replyFinished();
    void newButtonClick();
    void LoadList();

private:
    void showPage(const QUrl &url);
    qint64 periodStartMs() const;

    AddRssClass *manager = nullptr;
    QFrame *topFrame = nullptr;
    QComboBox *sourceBox = nullptr;
    QComboBox *articleBox = nullptr;
    QWebEngineView *articleView = nullptr;
    QComboBox *periodBox = nullptr;
    QPushButton *newButton = nullptr;
    QTimer *refreshTimer = nullptr;
    QNetworkAccessManager *network = nullptr;
    QUrl shownUrl;
    int shownFeedId = 0;
};
