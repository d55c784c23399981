#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDialog;
class QLineEdit;
class QToolButton;

// The editor of one alert: symbol, quote field, comparison, threshold and the ways to be told.
// A widget object owning a parentless dialog that runs modally; alert id -1 makes a new alert.
class AddAlertDialogClass : public QWidget
{
    Q_OBJECT

public:
    explicit AddAlertDialogClass(QWidget *parent = nullptr);
    ~AddAlertDialogClass() override;

    int alertId() const { return id; }
    void setAlertId(int alertId) { id = alertId; }
    // Loads the alert (unless the id is -1) and runs the window modally.
    void showDialog();
    // True once a statement was written by saveBtnClick().
    bool saved() const { return wasSaved; }

    QDialog *dialogWindow() const { return dialog; }
    QComboBox *symbolBox() const { return symbolCombo; }
    QComboBox *fieldBox() const { return fieldCombo; }
    QComboBox *compareBox() const { return compareCombo; }
    QLineEdit *valueEdit() const { return valueLine; }
    QCheckBox *emailBox() const { return emailCheck; }
    QCheckBox *popupBox() const { return popupCheck; }
    QCheckBox *smsBox() const { return smsCheck; }
    QToolButton *saveButton() const { return saveBtn; }

public slots:
    void saveBtnClick();

private:
    void loadAlert();

    int id = -1;
    bool wasSaved = false;
    QDialog *dialog = nullptr;
    QComboBox *symbolCombo = nullptr;
    QComboBox *fieldCombo = nullptr;
    QComboBox *compareCombo = nullptr;
    QLineEdit *valueLine = nullptr;
    QCheckBox *emailCheck = nullptr;
    QCheckBox *popupCheck = nullptr;
    QCheckBox *smsCheck = nullptr;
    QToolButton *saveBtn = nullptr;
    QToolButton *cancelBtn = nullptr;
};
