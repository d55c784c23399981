#pragma once

#include <QWidget>

class QDialog;
class QLineEdit;
class QNetworkAccessManager;
class QPushButton;
class QTableWidget;

// The feed manager of the reader page: lists the general feeds, adds one after fetching it and
// checking that it is a feed, and deletes one with its items.
class AddRssClass : public QWidget
{
    Q_OBJECT

public:
    explicit AddRssClass(QWidget *parent = nullptr);
    ~AddRssClass() override;

    int execDialog();
    QDialog *dialogWindow() const { return dialog; }

signals:
    void NewArticles();

public slots:
    void addButtonClick();
    void delButtonClick();
    void replyFinished();
    void feedsTableDblClick(int row, int column);
    void drawTable();

private:
    void finishAdding(class QNetworkReply *reply);

    QDialog *dialog = nullptr;
    QTableWidget *feedsTable = nullptr;
    QLineEdit *addressEdit = nullptr;
    QPushButton *saveButton = nullptr;
    QPushButton *deleteButton = nullptr;
    QNetworkAccessManager *manager = nullptr;
    qint32 selectedFeedId = 0;
};
