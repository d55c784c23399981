#pragma once

#include <QDialog>
#include <QWidget>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QToolButton;

// "New Transaction": records money paid into or taken out of the account as a "DEPOSIT" or
// "WITHDRAWL" row (one share at the amount), which the cash balance then counts.
class CashTransactionClass : public QWidget
{
    Q_OBJECT

public:
    explicit CashTransactionClass(QWidget *parent = nullptr);
    ~CashTransactionClass() override;

    int execDialog();
    QDialog *dialogWindow() { return &dialog; }
    QComboBox *typeBox() const { return typeCombo; }
    QLineEdit *amountEdit() const { return amount; }
    QDateEdit *dateEdit() const { return date; }
    QLineEdit *commentsEdit() const { return comments; }

public slots:
    void okBtnClick();

private:
    QDialog dialog;
    QComboBox *typeCombo = nullptr;
    QLineEdit *amount = nullptr;
    QDateEdit *date = nullptr;
    QLineEdit *comments = nullptr;
    QToolButton *okButton = nullptr;
    QToolButton *cancelButton = nullptr;
};
