#pragma once

#include <QWidget>

class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QNetworkAccessManager;
class QToolButton;

// The add/edit dialog of one news template. A template can only be saved after it was verified:
// fetched once with a sample symbol and found to be an XML document.
class gManageFeedsClass : public QWidget
{
    Q_OBJECT

public:
    explicit gManageFeedsClass(QWidget *parent = nullptr);
    ~gManageFeedsClass() override;

    // Builds the dialog and, when editing, fills it from the stored template (set feedId first).
    void setUpDialog();
    // setUpDialog, then runs the dialog modally; returns its result.
    int execDialog();
    QDialog *dialogWindow() const { return dialog; }

    QString sampleSymbol() const { return QStringLiteral("MSFT"); }

    QDialog *dialog = nullptr;
    qint32 feedId = 0;

private slots:
    void getRss();
    void saveFeed();
    void replyFinished();

private:
    void finishVerification();

    QComboBox *colourBox = nullptr;
    QLineEdit *urlEdit = nullptr;
    QLabel *titleValue = nullptr;
    QLabel *descriptionValue = nullptr;
    QLabel *siteValue = nullptr;
    QToolButton *verifyButton = nullptr;
    QToolButton *saveButton = nullptr;
    QNetworkAccessManager *manager = nullptr;
    QString feedTitle;
    QString feedLink;
    QString feedDesc;
};
